// Runtime resource lookup: FindResource, LoadResource, LockResource, SizeofResource and
// LoadStringA over the resource directories that kvrc generates, one per module.
#include <cstring>
#include <initializer_list>
#include <map>
#include <mutex>
#include <string_view>

#include "kvwin32/resources.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"
#include "kvwin32/winnls.h"
#include "internal/module.h"

namespace {

// The directories that modules registered explicitly. Windows keeps resources per loaded image
// for the whole process; this table is our share of that process-wide state.
class RegisteredDirectories {
  public:
    static RegisteredDirectories& instance() {
        static RegisteredDirectories table;
        return table;
    }

    void set(HMODULE module, const KvResourceDirectory* directory) {
        std::lock_guard lock(m_mutex);
        if (directory)
            m_directories[module] = directory;
        else
            m_directories.erase(module);
    }

    const KvResourceDirectory* find(HMODULE module) const {
        std::lock_guard lock(m_mutex);
        auto it = m_directories.find(module);
        return it == m_directories.end() ? nullptr : it->second;
    }

  private:
    mutable std::mutex m_mutex;
    std::map<HMODULE, const KvResourceDirectory*> m_directories;
};

bool isValid(const KvResourceDirectory* directory) {
    return directory && directory->magic == KV_RESOURCE_DIRECTORY_MAGIC &&
           directory->version == KV_RESOURCE_DIRECTORY_VERSION &&
           (directory->count == 0 || directory->entries);
}

// The module a handle stands for: null is the main program.
HMODULE effectiveModule(HMODULE module) {
    return module ? module : GetModuleHandleA(nullptr);
}

// The directory of a module: its registration first, else its exported symbol.
const KvResourceDirectory* directoryOf(HMODULE module) {
    HMODULE mainProgram = GetModuleHandleA(nullptr);
    HMODULE target = module ? module : mainProgram;
    if (const KvResourceDirectory* registered = RegisteredDirectories::instance().find(target))
        return registered;
    auto* exported = static_cast<const KvResourceDirectory*>(
        kvwin32::internal::moduleSymbol(target, KV_RESOURCE_DIRECTORY_SYMBOL));
    // A symbol lookup in the main program searches the global scope too, where it could find a
    // library's directory: the main program only owns a directory inside its own image.
    if (exported && target == mainProgram &&
        kvwin32::internal::moduleFromAddress(exported) != mainProgram)
        return nullptr;
    return isValid(exported) ? exported : nullptr;
}

// A type or name as the caller gives it: an ordinal (MAKEINTRESOURCE or "#123") or a string.
struct Query {
    bool isOrdinal = true;
    WORD ordinal = 0;
    std::string_view text;
};

Query parseQuery(LPCSTR id) {
    Query q;
    if (IS_INTRESOURCE(id)) {
        q.ordinal = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(id));
        return q;
    }
    std::string_view text(id);
    if (text.size() > 1 && text[0] == '#') {
        // Windows reads "#123" as the ordinal 123 (decimal digits, stopping at the first other).
        unsigned value = 0;
        for (char c : text.substr(1)) {
            if (c < '0' || c > '9')
                break;
            value = (value * 10 + static_cast<unsigned>(c - '0')) & 0xFFFF;
        }
        q.ordinal = static_cast<WORD>(value);
        return q;
    }
    q.isOrdinal = false;
    q.text = text;
    return q;
}

char upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool matches(const KvResourceId& id, const Query& q) {
    if (q.isOrdinal)
        return !id.text && id.ordinal == q.ordinal;
    if (!id.text)
        return false;
    std::string_view name(id.text);
    if (name.size() != q.text.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (upper(name[i]) != upper(q.text[i]))
            return false;
    return true;
}

// The resource of a type and name whose language comes first in `preferred`, else the first
// in any language.
const KvResourceEntry* findEntry(HMODULE module, LPCSTR type, LPCSTR name,
                                 std::initializer_list<WORD> preferred) {
    const KvResourceDirectory* directory = directoryOf(module);
    if (!directory) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    const Query typeQuery = parseQuery(type);
    const Query nameQuery = parseQuery(name);
    const KvResourceEntry* best = nullptr;
    std::size_t bestRank = preferred.size() + 1;
    bool typeSeen = false;
    for (DWORD i = 0; i < directory->count; ++i) {
        const KvResourceEntry& e = directory->entries[i];
        if (!matches(e.type, typeQuery))
            continue;
        typeSeen = true;
        if (!matches(e.name, nameQuery))
            continue;
        std::size_t rank = 0;
        for (WORD language : preferred) {
            if (e.language == language)
                break;
            ++rank;
        }
        if (rank < bestRank) {
            best = &e;
            bestRank = rank;
        }
    }
    if (!best)
        SetLastError(typeSeen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
    return best;
}

// The entry a handle names, if it belongs to the module's directory; handles are never
// dereferenced before this check.
const KvResourceEntry* entryOf(HMODULE module, HRSRC resource) {
    const KvResourceDirectory* directory = directoryOf(module);
    if (!directory || !resource || directory->count == 0)
        return nullptr;
    auto address = reinterpret_cast<std::uintptr_t>(resource);
    auto first = reinterpret_cast<std::uintptr_t>(directory->entries);
    auto end = reinterpret_cast<std::uintptr_t>(directory->entries + directory->count);
    if (address < first || address >= end || (address - first) % sizeof(KvResourceEntry) != 0)
        return nullptr;
    return directory->entries + (address - first) / sizeof(KvResourceEntry);
}

}  // namespace

extern "C" {

HRSRC FindResourceExA(HMODULE module, LPCSTR type, LPCSTR name, WORD language) {
    const KvResourceEntry* entry = findEntry(module, type, name,
                                             {language, static_cast<WORD>(PRIMARYLANGID(language)),
                                              MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)});
    return reinterpret_cast<HRSRC>(const_cast<KvResourceEntry*>(entry));
}

HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
    // Windows looks for the neutral language, then the user's, then English (United States),
    // then takes whatever language the module has.
    const WORD user = LOWORD(GetUserDefaultLCID());
    const KvResourceEntry* entry = findEntry(
        module, type, name,
        {MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), user, static_cast<WORD>(PRIMARYLANGID(user)),
         MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)});
    return reinterpret_cast<HRSRC>(const_cast<KvResourceEntry*>(entry));
}

HGLOBAL LoadResource(HMODULE module, HRSRC resource) {
    const KvResourceEntry* entry = entryOf(module, resource);
    if (!entry) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<HGLOBAL>(const_cast<BYTE*>(entry->data));
}

LPVOID LockResource(HGLOBAL data) {
    return data;
}

DWORD SizeofResource(HMODULE module, HRSRC resource) {
    const KvResourceEntry* entry = entryOf(module, resource);
    if (!entry) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return 0;
    }
    return entry->size;
}

BOOL FreeResource(HGLOBAL) {
    return FALSE;
}

int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferMax) {
    // Windows answers a zero-sized buffer with -1 and leaves it alone.
    if (bufferMax <= 0)
        return -1;
    if (!buffer) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    buffer[0] = '\0';
    // Strings live in blocks of sixteen; only the low word of the id counts.
    const WORD low = LOWORD(id);
    HRSRC block = FindResourceA(instance, MAKEINTRESOURCEA((low >> 4) + 1), RT_STRING);
    if (!block)
        return 0;
    const KvResourceEntry* entry = entryOf(instance, block);
    if (!entry)
        return 0;

    // Each slot is a UTF-16 length followed by that many units; empty slots have length 0.
    auto unitAt = [&](DWORD index) {
        char16_t u;
        std::memcpy(&u, entry->data + 2 * index, sizeof u);
        return u;
    };
    const DWORD units = entry->size / 2;
    DWORD pos = 0;
    for (unsigned slot = 0; slot < (low & 0xF); ++slot) {
        if (pos >= units)
            break;
        pos += 1 + unitAt(pos);
    }
    const DWORD length = pos < units ? unitAt(pos) : 0;
    if (length == 0 || pos + 1 + length > units) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return 0;
    }
    int copied = 0;
    for (DWORD i = 0; i < length && copied < bufferMax - 1; ++i) {
        char16_t u = unitAt(pos + 1 + i);
        // A surrogate pair is one character, which Windows-1252 cannot show.
        if (u >= 0xD800 && u < 0xDC00 && i + 1 < length) {
            char16_t next = unitAt(pos + 2 + i);
            if (next >= 0xDC00 && next < 0xE000)
                ++i;
        }
        buffer[copied++] = kvres::toCp1252(u);
    }
    buffer[copied] = '\0';
    return copied;
}

BOOL KvRegisterResourceDirectory(HMODULE module, const KvResourceDirectory* directory) {
    if (directory && !isValid(directory)) {
        SetLastError(ERROR_INVALID_DATA);
        return FALSE;
    }
    RegisteredDirectories::instance().set(effectiveModule(module), directory);
    return TRUE;
}

}  // extern "C"
