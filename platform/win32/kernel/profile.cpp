// The private-profile (INI) functions: GetPrivateProfileStringA, GetPrivateProfileIntA,
// GetPrivateProfileSectionA, GetPrivateProfileSectionNamesA and WritePrivateProfileStringA,
// with the buffer rules and return values of Windows.
#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include <sys/stat.h>

#include "internal/hostpath.h"
#include "internal/profile_cache.h"
#include "internal/profile_document.h"
#include "internal/profile_file.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"

namespace {

using kvwin32::internal::ProfileCache;
using kvwin32::internal::ProfileDocument;

// The Windows name of a profile file. Windows looks for a bare name ("app.ini", no folder and
// no drive) in the Windows folder, not the current one; a null name means "win.ini" there.
// Other names resolve against the current directory and are returned as given; storage holds
// the name built for a bare one.
std::optional<std::string_view> profileWindowsName(LPCSTR fileName, std::string& storage,
                                                   DWORD& error) {
    const std::string_view name = fileName ? fileName : "win.ini";
    const bool bare = name.find_first_of("\\/") == std::string_view::npos &&
                      !(name.size() >= 2 && name[1] == ':');
    error = ERROR_SUCCESS;
    if (!bare)
        return name;
    char folder[MAX_PATH + 1];
    const UINT length = GetWindowsDirectoryA(folder, sizeof folder);
    if (length == 0 || length >= sizeof folder) {
        error = ERROR_PATH_NOT_FOUND;
        return std::nullopt;
    }
    storage.assign(folder, length);
    if (storage.back() != '\\')
        storage += '\\';
    storage += name;
    return storage;
}

// The error of a failed host path lookup.
DWORD hostPathError() {
    return GetLastError() != ERROR_SUCCESS ? GetLastError() : ERROR_PATH_NOT_FOUND;
}

// Host path of a profile file name (see profileWindowsName).
std::optional<std::string> profileHostPath(LPCSTR fileName, DWORD& error) {
    std::string storage;
    const auto windowsName = profileWindowsName(fileName, storage, error);
    if (!windowsName)
        return std::nullopt;
    auto host = kvwin32::internal::hostPath(*windowsName);
    if (!host) {
        error = hostPathError();
        return std::nullopt;
    }
    return host;
}

// The parsed file for a read, or null (error says why) when there is none to read. An empty
// name names no file. The path is resolved and the file stat'ed in one step, so a file read
// before costs one stat when it has not changed.
std::shared_ptr<const ProfileDocument> loadProfile(LPCSTR fileName, DWORD& error) {
    if (fileName && *fileName == '\0') {
        error = ERROR_FILE_NOT_FOUND;
        return nullptr;
    }
    std::string storage;
    const auto windowsName = profileWindowsName(fileName, storage, error);
    if (!windowsName)
        return nullptr;
    struct stat st {};
    int statError = 0;
    const auto host = kvwin32::internal::hostPathAndStat(*windowsName, st, statError);
    if (!host) {
        error = hostPathError();
        return nullptr;
    }
    ProfileCache& cache = ProfileCache::instance();
    if (statError != 0) {
        error = kvwin32::internal::errorFromErrno(statError);
        cache.forget(*host);
        return nullptr;
    }
    return cache.load(*host, kvwin32::internal::identityOf(st), error);
}

// Text as the caller sees it: like the C strings Windows copies, it ends at a NUL byte.
std::string_view asCString(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

// Copies a string into a caller's buffer, cut to size - 1 characters and always terminated;
// returns the characters copied. A zero size writes nothing.
DWORD copyString(std::string_view text, LPSTR buffer, DWORD size) {
    if (size == 0)
        return 0;
    text = asCString(text);
    const std::size_t n = std::min<std::size_t>(text.size(), size - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<DWORD>(n);
}

// Fills a caller's buffer with a list of strings, each terminated, the list ended by an extra
// NUL. When the buffer is too small Windows cuts the string that does not fit (a string that
// would exactly fill the buffer counts as not fitting), ends the list with two NULs and returns
// size - 2.
class StringListWriter {
  public:
    StringListWriter(LPSTR buffer, DWORD size)
        : m_buffer(buffer), m_size(size), m_remaining(size > 0 ? size - 1 : 0) {}

    // Appends a string; false once the buffer is full and nothing more can be added.
    bool add(std::string_view item) {
        if (m_full || m_size < 2) {
            m_full = true;
            return false;
        }
        item = asCString(item);
        const std::size_t need = item.size() + 1;
        if (need >= m_remaining) {
            const std::size_t n = m_remaining - 1;
            std::memcpy(m_buffer + m_used, item.data(), n);
            m_buffer[m_used + n] = '\0';
            m_buffer[m_size - 1] = '\0';
            m_full = true;
            return false;
        }
        std::memcpy(m_buffer + m_used, item.data(), item.size());
        m_buffer[m_used + item.size()] = '\0';
        m_used += need;
        m_remaining -= need;
        m_count += 1;
        return true;
    }

    // Ends the list; returns the characters written without the final NUL. An empty list is a
    // single NUL.
    DWORD finish() {
        if (m_size == 0)
            return 0;
        if (m_size == 1) {
            m_buffer[0] = '\0';
            return 0;
        }
        if (m_full)
            return m_size - 2;
        m_buffer[m_used] = '\0';
        return static_cast<DWORD>(m_used);
    }

    // Strings added whole so far.
    std::size_t count() const { return m_count; }

  private:
    LPSTR m_buffer;           // the caller's buffer
    DWORD m_size;             // its size in characters
    std::size_t m_remaining;  // characters left before the final NUL
    std::size_t m_used = 0;   // characters written so far
    std::size_t m_count = 0;  // strings written whole
    bool m_full = false;      // a string was cut; the list is closed
};

// Section names of a file, in file order. A section without a name ("[]") cannot be told
// apart from the end of the list, so it is left out, as Windows does.
DWORD listSectionNames(const ProfileDocument* document, LPSTR buffer, DWORD size) {
    StringListWriter list(buffer, size);
    if (document) {
        for (const auto& section : document->sections()) {
            if (!section.name.empty() && !list.add(section.name))
                break;
        }
    }
    return list.finish();
}

// Key names of a section: only lines with an '=' are keys, comments and lines without one are
// not listed. nullopt when there are none to list.
std::optional<DWORD> listKeyNames(const ProfileDocument::Section* section, LPSTR buffer,
                                  DWORD size) {
    if (!section)
        return std::nullopt;
    const bool any = std::any_of(section->entries.begin(), section->entries.end(),
                                 [](const auto& e) { return e.hasValue && !e.key.empty(); });
    if (!any)
        return std::nullopt;
    StringListWriter list(buffer, size);
    for (const auto& entry : section->entries) {
        if (entry.hasValue && !entry.key.empty() && !list.add(entry.key))
            break;
    }
    return list.finish();
}

}  // namespace

extern "C" DWORD GetPrivateProfileStringA(LPCSTR appName, LPCSTR keyName, LPCSTR defaultValue,
                                          LPSTR returnedString, DWORD size, LPCSTR fileName) {
    if (!returnedString || size == 0)
        return 0;
    std::string_view fallback = defaultValue ? defaultValue : "";
    DWORD error = ERROR_SUCCESS;
    const auto document = loadProfile(fileName, error);
    if (!appName)
        return listSectionNames(document.get(), returnedString, size);

    const ProfileDocument::Section* section = document ? document->findSection(appName) : nullptr;
    if (!keyName) {
        if (auto listed = listKeyNames(section, returnedString, size))
            return *listed;
        // A missing section, or one without keys, gives the default instead of a list.
        return copyString(kvwin32::internal::unquoteProfileValue(fallback), returnedString, size);
    }

    // Windows drops trailing spaces of the default, and takes quotes off the default as it
    // does off a value.
    while (!fallback.empty() && fallback.back() == ' ')
        fallback.remove_suffix(1);
    std::string_view value = fallback;
    if (section) {
        // The first line of the key decides, even one without an '=' (which gives the default).
        const auto* entry = ProfileDocument::findEntry(*section, keyName);
        if (entry && entry->hasValue)
            value = entry->value;
    }
    return copyString(kvwin32::internal::unquoteProfileValue(value), returnedString, size);
}

extern "C" UINT GetPrivateProfileIntA(LPCSTR appName, LPCSTR keyName, INT defaultValue,
                                      LPCSTR fileName) {
    // Windows reads the value as a string into a small buffer first: an empty value gives the
    // default, and only the first 29 characters are looked at.
    char text[30];
    if (GetPrivateProfileStringA(appName, keyName, "", text, sizeof text, fileName) == 0) {
        return static_cast<UINT>(defaultValue);
    }
    return kvwin32::internal::profileValueToInteger(text);
}

extern "C" DWORD GetPrivateProfileSectionA(LPCSTR appName, LPSTR returnedString, DWORD size,
                                           LPCSTR fileName) {
    if (!appName || !returnedString) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const auto emptyList = [&] {
        if (size > 0)
            returnedString[0] = '\0';
        if (size > 1)
            returnedString[1] = '\0';
    };
    // Unlike the other profile functions, this one does not fall back on win.ini.
    if (!fileName) {
        emptyList();
        SetLastError(ERROR_FILE_NOT_FOUND);
        return 0;
    }
    if (size == 0)
        return 0;
    DWORD error = ERROR_SUCCESS;
    const auto document = loadProfile(fileName, error);
    if (!document) {
        emptyList();
        SetLastError(error);
        return 0;
    }
    SetLastError(ERROR_SUCCESS);
    const ProfileDocument::Section* section = document->findSection(appName);
    if (!section || section->entries.empty()) {
        emptyList();
        return 0;
    }
    // Each line as key=value with the blanks around both trimmed and quotes kept; a line
    // without '=' is listed as it stands, comments are left out.
    StringListWriter list(returnedString, size);
    std::string item;
    for (const auto& entry : section->entries) {
        item.assign(entry.key);
        if (entry.hasValue) {
            item += '=';
            item += entry.value;
        }
        if (!list.add(item))
            break;
    }
    return list.finish();
}

extern "C" DWORD GetPrivateProfileSectionNamesA(LPSTR returnBuffer, DWORD size, LPCSTR fileName) {
    if (!returnBuffer || size == 0)
        return 0;
    DWORD error = ERROR_SUCCESS;
    const auto document = loadProfile(fileName, error);
    return listSectionNames(document.get(), returnBuffer, size);
}

extern "C" BOOL WritePrivateProfileStringA(LPCSTR appName, LPCSTR keyName, LPCSTR string,
                                           LPCSTR fileName) {
    ProfileCache& cache = ProfileCache::instance();
    DWORD error = ERROR_SUCCESS;
    if (!appName && !keyName && !string) {
        // The call Windows documents as flushing its buffered copy of the file. Writes here
        // reach the disk at once, so there is nothing to flush; the parsed copy is dropped
        // and, as on Windows NT, the call reports FALSE.
        if (fileName && *fileName) {
            if (auto host = profileHostPath(fileName, error))
                cache.forget(*host);
        }
        return FALSE;
    }
    if (!appName) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    if (fileName && *fileName == '\0') {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    const auto host = profileHostPath(fileName, error);
    if (!host) {
        SetLastError(error);
        return FALSE;
    }

    const auto writeLock = cache.lockWrites();
    auto document = cache.load(*host, error);
    if (!document) {
        if (error != ERROR_FILE_NOT_FOUND) {
            SetLastError(error);
            return FALSE;
        }
        document = std::make_shared<const ProfileDocument>(std::string());
    }

    std::optional<std::string> updated;
    if (!keyName) {
        updated = document->withoutSection(appName);
    } else if (!string) {
        updated = document->withoutKey(appName, keyName);
    } else {
        // Windows drops the blanks in front of a value; trailing ones are written (and
        // trimmed again when read).
        std::string_view value = string;
        while (!value.empty() && kvwin32::internal::isProfileBlank(value.front())) {
            value.remove_prefix(1);
        }
        updated = document->withValue(appName, keyName, value);
    }
    // Nothing to change (an unchanged value, a key or section that is not there): the file is
    // left alone, and a missing one is not created.
    if (!updated)
        return TRUE;

    error = kvwin32::internal::replaceFileAtomically(*host, *updated);
    cache.forget(*host);
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return FALSE;
    }
    return TRUE;
}
