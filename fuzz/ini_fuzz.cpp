// Fuzzes the private-profile functions with arbitrary INI files: lookups of random sections and
// keys, enumerations into small buffers (which must stay within the buffer and stay
// double-terminated), and a write whose value must read back while every other value keeps
// reading as before.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include "kvwin32/drives.h"
#include "kvwin32/winbase.h"

namespace {

constexpr char kGuard = '\x5a';

// The folder the fuzzed file lives in, made once per run and removed at exit. Memory-backed
// when available: every write flushes the file to disk, which a real disk makes slow.
class WorkFolder {
  public:
    WorkFolder() {
        std::string pattern = access("/dev/shm", W_OK) == 0 ? "/dev/shm/kv-ini-fuzz-XXXXXX"
                                                            : "/tmp/kv-ini-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data()))
            std::abort();
        m_path = pattern;
    }
    ~WorkFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;
    const std::string& path() const { return m_path; }

  private:
    std::string m_path;  // host path of the folder
};

const std::string& workFolder() {
    static const WorkFolder folder;
    return folder.path();
}

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "ini fuzz: %s\n", what);
        std::abort();
    }
}

// Splits a double-NUL-terminated list of n characters into its strings.
std::vector<std::string> splitList(const char* buffer, std::size_t n) {
    std::vector<std::string> items;
    for (std::size_t i = 0; i < n;) {
        const std::size_t len = std::strlen(buffer + i);
        items.emplace_back(buffer + i, len);
        i += len + 1;
    }
    return items;
}

// Checks a list a call wrote into a buffer of size bytes (followed by guard bytes) against
// the whole list, and returns the strings it holds.
std::vector<std::string> checkList(const std::vector<char>& buffer, DWORD size, DWORD n,
                                   const std::vector<std::string>& whole) {
    for (std::size_t i = size; i < buffer.size(); ++i)
        check(buffer[i] == kGuard, "wrote past");
    if (size == 0) {
        check(n == 0, "size 0 returned characters");
        return {};
    }
    check(n < size, "list count not below the size");
    check(buffer[n] == '\0', "list not terminated");
    std::vector<std::string> items = splitList(buffer.data(), n);
    // A whole list ends with its last string's NUL and the extra one; a cut one with the cut
    // string's NUL and the extra one.
    check(n == 0 || buffer[n - 1] == '\0' || (n == size - 2 && buffer[n + 1] == '\0'),
          "list not double-NUL");
    // Every string but a cut last one is the whole list's string.
    check(items.size() <= whole.size(), "more strings than the whole list");
    for (std::size_t i = 0; i < items.size(); ++i) {
        const bool last = i + 1 == items.size();
        if (last) {
            check(whole[i].compare(0, items[i].size(), items[i]) == 0, "cut string not a prefix");
        } else {
            check(items[i] == whole[i], "listed string differs");
        }
    }
    return items;
}

std::vector<std::string> sectionNames(const std::string& file) {
    std::vector<char> buffer(1 << 13);
    const DWORD n = GetPrivateProfileSectionNamesA(buffer.data(), buffer.size(), file.c_str());
    return splitList(buffer.data(), n);
}

std::string value(const std::string& section, const std::string& key, const std::string& file) {
    std::vector<char> buffer(1 << 13);
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "\x01missing", buffer.data(),
                             buffer.size(), file.c_str());
    return buffer.data();
}

// A name or value the file can hold on one line and give back as written.
std::string lineSafe(std::string text, bool key) {
    std::string out;
    for (char c : text) {
        if (c == '\r' || c == '\n' || c == '\0' || (key && c == '='))
            continue;
        out += c;
    }
    const auto blank = [](char c) { return (c >= '\t' && c <= '\r') || c == ' ' || c == '\x1a'; };
    // A value reads back trimmed, and without the quotes if its ends are the same quote. Trim
    // and drop closing quotes until neither applies: dropping a quote can bare a blank, and
    // trimming a blank can bare a matching quote.
    for (bool changed = true; changed;) {
        changed = false;
        while (!out.empty() && blank(out.front())) {
            out.erase(0, 1);
            changed = true;
        }
        while (!out.empty() && blank(out.back())) {
            out.pop_back();
            changed = true;
        }
        // A key line starting with ';' reads as a comment, one starting with '[' may read as a
        // section header, on Windows as here.
        while (key && !out.empty() && (out.front() == ';' || out.front() == '[')) {
            out.erase(0, 1);
            changed = true;
        }
        if (!key && out.size() >= 2 && (out.front() == '"' || out.front() == '\'') &&
            out.back() == out.front()) {
            out.pop_back();
            changed = true;
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string requestSection = input.ConsumeRandomLengthString(32);
    const std::string requestKey = input.ConsumeRandomLengthString(32);
    const DWORD smallSize = input.ConsumeIntegralInRange<DWORD>(0, 40);
    const bool pickExisting = input.ConsumeBool();
    const std::string writeSection = lineSafe(input.ConsumeRandomLengthString(24), false);
    const std::string writeKey = lineSafe(input.ConsumeRandomLengthString(24), true);
    const std::string writeValue = lineSafe(input.ConsumeRandomLengthString(48), false);
    const std::string contents = input.ConsumeRemainingBytesAsString();

    const std::string host = workFolder() + "/fuzz.ini";
    {
        std::ofstream out(host, std::ios::binary | std::ios::trunc);
        out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    }
    const std::string file = *kvwin32::windowsFromHost(host);

    // A lookup into a small buffer stays inside it and counts what it copied.
    std::vector<char> buffer(smallSize + 16, kGuard);
    DWORD n = GetPrivateProfileStringA(requestSection.c_str(), requestKey.c_str(), "dflt",
                                       buffer.data(), smallSize, file.c_str());
    for (std::size_t i = smallSize; i < buffer.size(); ++i)
        check(buffer[i] == kGuard, "past");
    if (smallSize > 0)
        check(n < smallSize && std::strlen(buffer.data()) == n, "bad count");

    // Enumerations into a small buffer agree with the whole list.
    const std::vector<std::string> sections = sectionNames(file);
    std::fill(buffer.begin(), buffer.end(), kGuard);
    n = GetPrivateProfileSectionNamesA(buffer.data(), smallSize, file.c_str());
    checkList(buffer, smallSize, n, sections);

    std::vector<std::pair<std::string, std::string>> known;  // (section, key) pairs
    for (std::size_t s = 0; s < sections.size() && s < 4; ++s) {
        std::vector<char> keys(1 << 13);
        const DWORD k = GetPrivateProfileStringA(sections[s].c_str(), nullptr, "", keys.data(),
                                                 keys.size(), file.c_str());
        const std::vector<std::string> whole = splitList(keys.data(), k);
        for (std::size_t i = 0; i < whole.size() && i < 8; ++i) {
            known.emplace_back(sections[s], whole[i]);
        }
        std::fill(buffer.begin(), buffer.end(), kGuard);
        const DWORD m =
            GetPrivateProfileSectionA(sections[s].c_str(), buffer.data(), smallSize, file.c_str());
        for (std::size_t i = smallSize; i < buffer.size(); ++i)
            check(buffer[i] == kGuard, "past");
        if (smallSize > 0)
            check(m < smallSize && buffer[m] == '\0', "section not terminated");
    }

    // A write reads back, and every other value reads as before.
    std::string section = writeSection;
    std::string key = writeKey;
    if (pickExisting && !known.empty()) {
        const auto& pick = known[writeValue.size() % known.size()];
        section = pick.first;
        key = pick.second;
        // Names that came from the file may not survive being written on a new line.
        if (lineSafe(key, true) != key)
            return 0;
    }
    std::vector<std::string> before;
    for (const auto& [s, k] : known)
        before.push_back(value(s, k, file));
    if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), writeValue.c_str(),
                                    file.c_str())) {
        std::abort();
    }
    check(value(section, key, file) == writeValue, "written value does not read back");
    const auto same = [](std::string_view a, std::string_view b) {
        if (a.size() != b.size())
            return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (std::tolower(static_cast<unsigned char>(a[i])) !=
                std::tolower(static_cast<unsigned char>(b[i])))
                return false;
        }
        return true;
    };
    const auto trimmed = [](std::string_view t) {
        const auto blank = [](char c) { return (c >= '\t' && c <= '\r') || c == ' ' || c == 26; };
        while (!t.empty() && blank(t.front()))
            t.remove_prefix(1);
        while (!t.empty() && blank(t.back()))
            t.remove_suffix(1);
        return t;
    };
    for (std::size_t i = 0; i < known.size(); ++i) {
        const auto& [s, k] = known[i];
        if (same(trimmed(s), trimmed(section)) && same(trimmed(k), trimmed(key)))
            continue;
        check(value(s, k, file) == before[i], "a value the write did not touch changed");
    }
    return 0;
}
