// Modules: the table behind HMODULE. A Windows library "X.dll" is the shared object "X.so";
// an HMODULE is a number into the table (never reused, so a stale handle is recognised),
// with a reference count per module as LoadLibrary/FreeLibrary keep it. The main program and
// shared objects the process was linked with get entries too, when they are first asked for,
// and are never unloaded.
#include <dlfcn.h>
#include <fcntl.h>
#include <link.h>
#include <unistd.h>

#include <cstring>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "internal/hostpath.h"
#include "internal/module.h"
#include "kvwin32/ascii.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"

namespace kvwin32::internal {
namespace {

using ascii::endsWithNoCase;

// The file names a Windows module name may stand for, most likely first: "X.dll" is "X.so"
// or else "X.dll" itself; a name without an extension gets ".dll" as on Windows (a trailing
// '.' says "no extension"); any other name is taken as written.
std::vector<std::string> candidateNames(std::string_view name) {
    std::size_t lastSep = name.find_last_of("\\/");
    std::string_view file = lastSep == std::string_view::npos ? name : name.substr(lastSep + 1);
    std::string base(name);
    if (file.ends_with('.')) {
        base.pop_back();
        return {base};
    }
    if (file.find('.') == std::string_view::npos)
        base += ".dll";
    if (endsWithNoCase(base, ".dll"))
        return {base.substr(0, base.size() - 4) + ".so", base};
    return {base};
}

bool hasFolder(std::string_view name) {
    return name.find_first_of("\\/:") != std::string_view::npos;
}

bool isElfFile(const std::string& hostPath) {
    int fd = ::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char magic[4] = {};
    bool elf = ::read(fd, magic, 4) == 4 && std::memcmp(magic,
                                                        "\x7f"
                                                        "ELF",
                                                        4) == 0;
    ::close(fd);
    return elf;
}

std::string hostFolderOfMainProgram() {
    char path[4096];
    ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return ".";
    std::string exe(path, static_cast<std::size_t>(n));
    return exe.substr(0, exe.rfind('/'));
}

struct Module {
    void* dl = nullptr;                    // dlopen handle, one reference held by the table
    const struct link_map* map = nullptr;  // identifies the loaded object
    int references = 0;                    // LoadLibrary references; 0 for pinned modules
    bool pinned = false;                   // main program or linked object: never unloaded
    bool executable = false;               // loaded as a library at least once (not data only)
};

// The process's module table.
class ModuleTable {
  public:
    static ModuleTable& instance() {
        static ModuleTable table;
        return table;
    }

    HMODULE load(std::string_view name, DWORD flags) {
        bool dataFile = (flags & LOAD_LIBRARY_AS_DATAFILE) != 0;
        bool sawFile = false;
        for (const std::string& host : hostCandidates(name)) {
            if (::access(host.c_str(), F_OK) != 0)
                continue;
            sawFile = true;
            if (HMODULE module = open(host.c_str(), dataFile))
                return module;
            // Windows reports a file that is no image at all as ERROR_BAD_EXE_FORMAT, and an
            // image whose dependencies cannot be found as ERROR_MOD_NOT_FOUND.
            SetLastError(isElfFile(host) ? ERROR_MOD_NOT_FOUND : ERROR_BAD_EXE_FORMAT);
            return nullptr;
        }
        // A bare name not found beside the program goes to the system loader's own search
        // (LD_LIBRARY_PATH, the cache, the default folders), as "X.so".
        if (!sawFile && !hasFolder(name)) {
            if (HMODULE module = open(candidateNames(name).front().c_str(), dataFile))
                return module;
        }
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }

    bool free(HMODULE module) {
        std::lock_guard lock(m_mutex);
        auto it = m_modules.find(key(module));
        if (it == m_modules.end()) {
            SetLastError(ERROR_MOD_NOT_FOUND);
            return false;
        }
        if (it->second.pinned)
            return true;
        if (--it->second.references == 0) {
            ::dlclose(it->second.dl);
            m_modules.erase(it);
        }
        return true;
    }

    // The dlopen handle of a module (the main program for null), if it is in the table.
    std::optional<Module> find(HMODULE module) {
        if (!module)
            module = mainProgram();
        std::lock_guard lock(m_mutex);
        auto it = m_modules.find(key(module));
        if (it == m_modules.end())
            return std::nullopt;
        return it->second;
    }

    HMODULE mainProgram() {
        std::call_once(m_mainOnce, [this] {
            void* dl = ::dlopen(nullptr, RTLD_LAZY);
            m_main = registerPinned(dl);
        });
        return m_main;
    }

    // The module whose image holds an address, registering linked objects on first sight.
    HMODULE fromAddress(const void* address) {
        Dl_info info{};
        struct link_map* map = nullptr;
        if (!::dladdr1(address, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) || !map)
            return nullptr;
        mainProgram();  // so that the main program's image maps to its own handle
        if (HMODULE known = byLinkMap(map))
            return known;
        // Not yet in the table: a shared object linked at startup or loaded by someone else.
        void* dl = ::dlopen(map->l_name, RTLD_LAZY | RTLD_NOLOAD);
        if (!dl)
            return nullptr;  // the vDSO and the like are no modules
        return registerPinned(dl);
    }

    // The module a name already loaded stands for, by its file name, or null.
    HMODULE byName(std::string_view name) {
        if (!hasFolder(name)) {
            for (const std::string& candidate : candidateNames(name)) {
                std::lock_guard lock(m_mutex);
                for (auto& [id, module] : m_modules) {
                    if (module.map && baseNameMatches(module.map->l_name, candidate))
                        return handle(id);
                }
            }
            // Objects the process was linked with are loaded even if no one asked us.
            for (const std::string& candidate : candidateNames(name)) {
                if (void* dl = ::dlopen(candidate.c_str(), RTLD_LAZY | RTLD_NOLOAD))
                    return registerPinned(dl);
            }
            return nullptr;
        }
        for (const std::string& host : hostCandidates(name)) {
            if (void* dl = ::dlopen(host.c_str(), RTLD_LAZY | RTLD_NOLOAD))
                return registerPinned(dl);
        }
        return nullptr;
    }

    // Host path of a module's file.
    std::optional<std::string> hostFile(HMODULE module) {
        HMODULE main = mainProgram();
        if (!module || module == main) {
            char path[4096];
            ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
            if (n <= 0)
                return std::nullopt;
            return std::string(path, static_cast<std::size_t>(n));
        }
        auto entry = find(module);
        if (!entry || !entry->map)
            return std::nullopt;
        return std::string(entry->map->l_name);
    }

  private:
    static std::uintptr_t key(HMODULE module) { return reinterpret_cast<std::uintptr_t>(module); }
    static HMODULE handle(std::uintptr_t id) { return reinterpret_cast<HMODULE>(id); }

    // File names compare without regard to ASCII case, as Windows module names do.
    static bool baseNameMatches(std::string_view path, std::string_view name) {
        std::size_t slash = path.rfind('/');
        std::string_view base = slash == std::string_view::npos ? path : path.substr(slash + 1);
        return ascii::equalNoCase(base, name);
    }

    // Host files a module name may be: beside the main program for a bare name, else the
    // Windows path resolved through the drive table.
    std::vector<std::string> hostCandidates(std::string_view name) {
        std::vector<std::string> hosts;
        for (const std::string& candidate : candidateNames(name)) {
            if (hasFolder(name)) {
                if (auto host = hostPath(candidate))
                    hosts.push_back(*host);
            } else if (auto folder = windowsPath(hostFolderOfMainProgram())) {
                // Through the drive table, so that the name's case does not matter.
                if (auto host = hostPath(*folder + "\\" + candidate))
                    hosts.push_back(*host);
            } else {
                hosts.push_back(hostFolderOfMainProgram() + "/" + candidate);
            }
        }
        return hosts;
    }

    // Adds (or finds) the loaded object a fresh dlopen handle names; the table keeps one
    // dlopen reference per module, so a second handle to a known object is closed again.
    HMODULE open(const char* file, bool dataFile) {
        // A data-file load only wants the object's resources. Resource-only objects have no
        // initialisers worth speaking of; RTLD_LAZY leaves their functions unbound and
        // RTLD_LOCAL keeps their symbols out of everyone else's lookups.
        int mode = dataFile ? (RTLD_LAZY | RTLD_LOCAL) : (RTLD_NOW | RTLD_LOCAL);
        void* dl = ::dlopen(file, mode);
        if (!dl)
            return nullptr;
        struct link_map* map = nullptr;
        if (::dlinfo(dl, RTLD_DI_LINKMAP, &map) != 0 || !map) {
            ::dlclose(dl);
            return nullptr;
        }
        std::lock_guard lock(m_mutex);
        for (auto& [id, module] : m_modules) {
            if (module.map != map)
                continue;
            ::dlclose(dl);
            if (!module.pinned)
                ++module.references;
            module.executable = module.executable || !dataFile;
            return handle(id);
        }
        std::uintptr_t id = nextId();
        m_modules[id] = Module{dl, map, 1, false, !dataFile};
        return handle(id);
    }

    HMODULE registerPinned(void* dl) {
        if (!dl)
            return nullptr;
        struct link_map* map = nullptr;
        if (::dlinfo(dl, RTLD_DI_LINKMAP, &map) != 0)
            map = nullptr;
        std::lock_guard lock(m_mutex);
        for (auto& [id, module] : m_modules) {
            if (module.map != map)
                continue;
            ::dlclose(dl);
            return handle(id);
        }
        std::uintptr_t id = nextId();
        m_modules[id] = Module{dl, map, 0, true, true};
        return handle(id);
    }

    HMODULE byLinkMap(const struct link_map* map) {
        std::lock_guard lock(m_mutex);
        for (auto& [id, module] : m_modules) {
            if (module.map == map)
                return handle(id);
        }
        return nullptr;
    }

    // Module handles are 64 KiB apart, like image bases on Windows.
    std::uintptr_t nextId() {
        m_lastId += 0x10000;
        return m_lastId;
    }

    std::mutex m_mutex;
    std::map<std::uintptr_t, Module> m_modules;  // by handle value
    std::uintptr_t m_lastId = 0x10000000;
    std::once_flag m_mainOnce;
    HMODULE m_main = nullptr;
};

}  // namespace

void* moduleSymbol(HMODULE module, const char* name) {
    if (!name)
        return nullptr;
    auto entry = ModuleTable::instance().find(module);
    if (!entry)
        return nullptr;
    return ::dlsym(entry->dl, name);
}

HMODULE moduleFromAddress(const void* address) {
    return ModuleTable::instance().fromAddress(address);
}

}  // namespace kvwin32::internal

using kvwin32::internal::ModuleTable;

extern "C" HMODULE LoadLibraryA(LPCSTR fileName) {
    return LoadLibraryExA(fileName, nullptr, 0);
}

extern "C" HMODULE LoadLibraryExA(LPCSTR fileName, HANDLE, DWORD flags) {
    if (!fileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (!*fileName) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return ModuleTable::instance().load(fileName, flags);
}

extern "C" BOOL FreeLibrary(HMODULE module) {
    return ModuleTable::instance().free(module) ? TRUE : FALSE;
}

// A null module is the main program. Names below 0x10000 are ordinals, which shared objects
// do not have; a module loaded only as a data file exports nothing, as on Windows.
extern "C" FARPROC GetProcAddress(HMODULE module, LPCSTR procName) {
    auto entry = ModuleTable::instance().find(module);
    if (!entry) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    if (reinterpret_cast<std::uintptr_t>(procName) < 0x10000 || !entry->executable) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    void* symbol = ::dlsym(entry->dl, procName);
    if (!symbol) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(symbol);
}

extern "C" HMODULE GetModuleHandleA(LPCSTR moduleName) {
    if (!moduleName)
        return ModuleTable::instance().mainProgram();
    HMODULE module = ModuleTable::instance().byName(moduleName);
    if (!module)
        SetLastError(ERROR_MOD_NOT_FOUND);
    return module;
}

// Reference counts are not kept for modules found this way, so the pin and unchanged-count
// flags need nothing more.
extern "C" BOOL GetModuleHandleExA(DWORD flags, LPCSTR moduleName, HMODULE* module) {
    if (module == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *module = (flags & GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS)
                  ? kvwin32::internal::moduleFromAddress(moduleName)
                  : GetModuleHandleA(moduleName);
    if (*module == nullptr) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return FALSE;
    }
    return TRUE;
}

// Length without the terminator on success. A buffer too small receives as much of the path
// as fits with a terminator, and the call returns the buffer size with
// ERROR_INSUFFICIENT_BUFFER, as Windows since Vista does.
extern "C" DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size) {
    auto host = ModuleTable::instance().hostFile(module);
    if (!host) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    auto windows = kvwin32::internal::windowsPath(*host);
    if (!windows) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return 0;
    }
    if (!fileName || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (windows->size() >= size) {
        std::memcpy(fileName, windows->data(), size - 1);
        fileName[size - 1] = '\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    std::memcpy(fileName, windows->c_str(), windows->size() + 1);
    return static_cast<DWORD>(windows->size());
}
