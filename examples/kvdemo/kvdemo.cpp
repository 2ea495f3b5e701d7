// kvdemo: shows what the kernel services make of Windows paths and configuration files on this
// machine. It prints the drive table and current directory, normalises the paths given on the
// command line (or a built-in set), lists an INI file section by section, and edits a copy of
// it to show that a write keeps every line it does not touch.
//
//   kvdemo [--ini FILE] [PATH...]
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "PathUtil.h"
#include "kvwin32/crt.h"
#include "kvwin32/drives.h"
#include <windows.h>

namespace {

// Splits a Windows double-NUL-terminated list into its strings.
std::vector<std::string> splitList(const char* buffer, DWORD length) {
    std::vector<std::string> items;
    for (DWORD i = 0; i < length;) {
        std::size_t n = std::strlen(buffer + i);
        if (n == 0)
            break;
        items.emplace_back(buffer + i, n);
        i += static_cast<DWORD>(n) + 1;
    }
    return items;
}

void showPaths(const std::vector<std::string>& paths) {
    std::printf("\n== Paths\n");
    for (const std::string& original : paths) {
        std::string clean = original;
        PathUtil::normalize(clean, false);
        std::string full = original;
        PathUtil::normalize(full, true);
        std::string_view name = PathUtil::fileName(full).in(full);
        std::printf(
            "  \"%s\"\n    normalised: %s\n    full:       %s\n    file name:  %.*s\n"
            "    exists:     %s\n",
            original.c_str(), clean.c_str(), full.c_str(), static_cast<int>(name.size()),
            name.data(),
            PathUtil::isDirectory(full) ? "folder"
            : PathUtil::isFile(full)    ? "file"
                                        : "no");
    }
}

bool showIni(const std::string& iniPath) {
    std::printf("\n== %s\n", iniPath.c_str());
    if (!PathUtil::isFile(iniPath)) {
        std::printf("  cannot read the file\n");
        return false;
    }
    char sections[4096];
    DWORD n = GetPrivateProfileSectionNamesA(sections, sizeof sections, iniPath.c_str());
    for (const std::string& section : splitList(sections, n)) {
        std::printf("  [%s]\n", section.c_str());
        char keys[4096];
        DWORD k = GetPrivateProfileStringA(section.c_str(), nullptr, "", keys, sizeof keys,
                                           iniPath.c_str());
        for (const std::string& key : splitList(keys, k)) {
            char value[1024];
            GetPrivateProfileStringA(section.c_str(), key.c_str(), "", value, sizeof value,
                                     iniPath.c_str());
            std::printf("    %-8s = \"%s\"\n", key.c_str(), value);
        }
    }
    return true;
}

// Copies the INI file into the temporary folder, changes one key, adds one, and prints the
// file before and after.
void showWrite(const std::string& iniPath) {
    char temp[MAX_PATH];
    if (GetTempPathA(sizeof temp, temp) == 0)
        return;
    std::string copy = std::string(temp) + "kvdemo-copy.ini";
    if (!CopyFileA(iniPath.c_str(), copy.c_str(), FALSE)) {
        std::printf("\n(cannot copy to %s: error %u)\n", copy.c_str(),
                    static_cast<unsigned>(GetLastError()));
        return;
    }
    SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
    WritePrivateProfileStringA("Library Files", "File0", "breakout.lib", copy.c_str());
    WritePrivateProfileStringA("Library Files", "File2", "extra.lib", copy.c_str());
    WritePrivateProfileStringA("include files", nullptr, nullptr, copy.c_str());

    std::printf("\n== After three writes to a copy (%s)\n", copy.c_str());
    std::printf("   File0 changed, File2 added to [Library Files], [include files] removed:\n");
    if (FILE* f = kvcrt::fopen(copy.c_str(), "rb")) {
        char line[1024];
        while (std::fgets(line, sizeof line, f))
            std::printf("  | %s", line);
        std::fclose(f);
    }
    DeleteFileA(copy.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    std::string ini;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--ini") == 0 && i + 1 < argc) {
            ini = argv[++i];
        } else if (std::strcmp(argv[i], "--help") == 0) {
            std::printf("usage: kvdemo [--ini FILE] [PATH...]\n");
            return 0;
        } else {
            paths.emplace_back(argv[i]);
        }
    }
    if (paths.empty()) {
        paths = {
            "C:/dir//sub/ file.txt ", "a\\b\\..\\c", "a\\...\\b", "\"C:\\My Designs\\amp.cir\"",
            "\\\\server\\share\\\\x", "..\\x",       "/tmp",      "D:relative"};
    }

    char cwd[MAX_PATH];
    GetCurrentDirectoryA(sizeof cwd, cwd);
    std::printf("== Drive table: %s\n   Current directory: %s\n", kvwin32::driveTable().c_str(),
                cwd);
    showPaths(paths);
    if (!ini.empty()) {
        // A host hands in Linux paths; they are rooted Windows paths on the current drive.
        if (!showIni(ini))
            return 1;
        showWrite(ini);
    }
    return 0;
}
