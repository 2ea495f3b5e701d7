// Fuzzes the path-list reader and writer with arbitrary list values written into a temporary
// configuration file: the expansion must stay within the caller's buffer (guard bytes behind
// it stay untouched, the text is terminated), and a write must leave the file's other values
// alone.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include "IniList.h"
#include "InstallEnvironment.h"
#include "kvwin32/drives.h"
#include "kvwin32/winbase.h"

namespace {

constexpr char kGuard = '\x5a';
constexpr std::size_t kGuardSize = 16;

// The folder the fuzzed files live in, made once per run and removed at exit; memory-backed
// when available, since every write replaces the file on disk.
class WorkFolder {
  public:
    WorkFolder() {
        std::string pattern = access("/dev/shm", W_OK) == 0 ? "/dev/shm/kv-inilist-fuzz-XXXXXX"
                                                            : "/tmp/kv-inilist-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data()))
            std::abort();
        m_host = pattern;
        auto win = kvwin32::windowsFromHost(m_host);
        if (!win)
            std::abort();
        m_win = *win;
    }
    ~WorkFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_host, ec);
    }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;
    const std::string& host() const { return m_host; }
    const std::string& win() const { return m_win; }

  private:
    std::string m_host;  // host path of the folder
    std::string m_win;   // the same folder as a Windows path
};

// A value as it can stand on one line of the file.
std::string oneLine(std::string text) {
    for (char& c : text) {
        if (c == '\r' || c == '\n' || c == '\0')
            c = ' ';
    }
    return text;
}

void writeFile(const std::string& host, const std::string& bytes) {
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static WorkFolder folder;
    static const bool environmentReady = [] {
        // A root, a configuration file with its per-user copy inside the work folder, and a
        // variable holding a list, so that every kind of item expands.
        SetEnvironmentVariableA("TDSROOT", (folder.win() + "\\root").c_str());
        SetEnvironmentVariableA("HOME", (folder.win() + "\\home").c_str());
        SetEnvironmentVariableA("KV_SETUP_PATH", nullptr);
        CreateDirectoryA((folder.win() + "\\home").c_str(), nullptr);
        writeFile(folder.host() + "/Ventra.ini", "[SIMULATOR]\r\n");
        SetEnvironmentVariableA("VENTRAINIPATH", (folder.win() + "\\Ventra.ini").c_str());
        SetEnvironmentVariableA("KV_FUZZ_LIST", "\"C:\\a\";;C:\\b;\"\"");
        return true;
    }();
    (void)environmentReady;

    FuzzedDataProvider input(data, size);
    const DWORD bufferSize = input.ConsumeIntegralInRange<DWORD>(1, 1100);
    const bool quote = input.ConsumeBool();
    const std::string value = oneLine(input.ConsumeRandomLengthString(1500));
    const bool writeNull = input.ConsumeBool();
    const std::string next = oneLine(input.ConsumeRemainingBytesAsString());

    const std::string listHost = folder.host() + "/list.ini";
    const std::string listWin = folder.win() + "\\list.ini";
    writeFile(listHost, "[S]\r\nK=" + value + "\r\n[T]\r\nX=keep\r\n");

    std::vector<char> buffer(bufferSize + kGuardSize, kGuard);
    int result = ReadIniList("S", "K", "dflt", buffer.data(), bufferSize, listWin.c_str(), quote);
    if (result != 0 && result != 1)
        std::abort();
    if (std::memchr(buffer.data(), '\0', bufferSize) == nullptr)
        std::abort();
    for (std::size_t i = bufferSize; i < buffer.size(); ++i) {
        if (buffer[i] != kGuard)
            std::abort();
    }

    if (WriteIniList("S", "K", writeNull ? nullptr : next.c_str(), listWin.c_str(), quote) != 1)
        std::abort();
    char kept[16] = {};
    GetPrivateProfileStringA("T", "X", "", kept, sizeof kept, listWin.c_str());
    if (std::strcmp(kept, "keep") != 0)
        std::abort();
    return 0;
}
