// The environment as the library sees it: a case-insensitive overlay of the host's process
// environment. Windows keeps one environment block per process with case-insensitive names;
// the host is a POSIX program whose own environment (PATH above all) must stay as it was, so
// everything the library sets lives here and setenv/putenv are never called.
#include <cerrno>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "internal/environment.h"
#include "kvwin32/crt.h"
#include "kvwin32/environment.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"

extern char** environ;

namespace kvwin32::internal {
namespace {

std::string upperName(std::string_view name) {
    std::string key(name);
    for (char& c : key) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return key;
}

// A variable name Windows accepts: not empty and without '=' after the first character (the
// per-drive current directories "=C:" are the only names that start with one).
bool validName(std::string_view name) {
    return !name.empty() && name.find('=', 1) == std::string_view::npos;
}

// The process-wide environment block of the library.
class EnvironmentOverlay {
  public:
    static EnvironmentOverlay& instance() {
        static EnvironmentOverlay overlay;
        return overlay;
    }

    std::optional<std::string> get(std::string_view name) {
        std::lock_guard lock(m_mutex);
        auto it = m_variables.find(upperName(name));
        if (it == m_variables.end())
            return std::nullopt;
        return *it->second.value;
    }

    // The stored value's characters; valid until this variable is next changed.
    const char* pointer(std::string_view name) {
        std::lock_guard lock(m_mutex);
        auto it = m_variables.find(upperName(name));
        return it == m_variables.end() ? nullptr : it->second.value->c_str();
    }

    void set(std::string_view name, std::optional<std::string_view> value) {
        std::lock_guard lock(m_mutex);
        std::string key = upperName(name);
        if (!value) {
            m_variables.erase(key);
            return;
        }
        auto it = m_variables.find(key);
        if (it == m_variables.end()) {
            m_variables.emplace(std::move(key),
                                Variable{std::string(name), std::make_unique<std::string>(*value)});
        } else {
            // Windows keeps the spelling the variable was first created with.
            it->second.value = std::make_unique<std::string>(*value);
        }
    }

    void reset() {
        std::lock_guard lock(m_mutex);
        copyProcessEnvironment();
    }

  private:
    struct Variable {
        std::string name;                    // spelling as first set
        std::unique_ptr<std::string> value;  // own allocation, so getenv pointers survive rehashing
    };

    EnvironmentOverlay() { copyProcessEnvironment(); }

    // POSIX allows PATH and Path side by side, Windows does not. When the host has several
    // spellings of one name, the all-capitals one wins (that is the one POSIX tools use, PATH
    // above all); otherwise the first in the process environment does.
    void copyProcessEnvironment() {
        m_variables.clear();
        for (char** entry = environ; entry && *entry; ++entry) {
            std::string_view text(*entry);
            std::size_t eq = text.find('=', 1);
            if (eq == std::string_view::npos)
                continue;
            std::string_view name = text.substr(0, eq);
            std::string key = upperName(name);
            auto it = m_variables.find(key);
            bool capitals = name == key;
            if (it != m_variables.end()) {
                if (!capitals || it->second.name == key)
                    continue;
                m_variables.erase(it);
            }
            m_variables.emplace(
                std::move(key),
                Variable{std::string(name), std::make_unique<std::string>(text.substr(eq + 1))});
        }
    }

    std::mutex m_mutex;
    std::map<std::string, Variable> m_variables;  // keyed by the upper-case name
};

}  // namespace

std::optional<std::string> getVariable(std::string_view name) {
    return EnvironmentOverlay::instance().get(name);
}

void setVariable(std::string_view name, std::optional<std::string_view> value) {
    EnvironmentOverlay::instance().set(name, value);
}

}  // namespace kvwin32::internal

namespace kvwin32 {

void resetEnvironmentOverlay() {
    internal::EnvironmentOverlay::instance().reset();
}

}  // namespace kvwin32

using kvwin32::internal::EnvironmentOverlay;

// Length without the terminator when the value fits; the size needed, terminator included,
// when it does not (the buffer is then left alone). An existing empty variable returns 0 like
// a missing one, but with an empty string in the buffer and the last error cleared, as NT does.
extern "C" DWORD GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size) {
    if (!name || !*name) {
        SetLastError(ERROR_ENVVAR_NOT_FOUND);
        return 0;
    }
    std::optional<std::string> value = EnvironmentOverlay::instance().get(name);
    if (!value) {
        SetLastError(ERROR_ENVVAR_NOT_FOUND);
        return 0;
    }
    if (!buffer || value->size() >= size)
        return static_cast<DWORD>(value->size() + 1);
    std::memcpy(buffer, value->c_str(), value->size() + 1);
    if (value->empty())
        SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(value->size());
}

// Removing a variable that does not exist succeeds: the caller's intent is met.
extern "C" BOOL SetEnvironmentVariableA(LPCSTR name, LPCSTR value) {
    if (!name || !kvwin32::internal::validName(name)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::optional<std::string_view> v;
    if (value)
        v = std::string_view(value);
    EnvironmentOverlay::instance().set(name, v);
    return TRUE;
}

namespace {

// "%NAME%" replaced by the variable's value. A name that is not set (or an empty "%%") is
// copied as written; the scan then resumes at its closing '%', which may open the next
// reference ("%NOPE%HOME%" keeps "%NOPE" and expands "%HOME%"). A lone '%' stays.
std::string expand(std::string_view source) {
    std::string out;
    out.reserve(source.size());
    std::size_t i = 0;
    while (i < source.size()) {
        char c = source[i];
        if (c != '%') {
            out += c;
            ++i;
            continue;
        }
        std::size_t close = source.find('%', i + 1);
        if (close == std::string_view::npos) {
            out.append(source.substr(i));
            break;
        }
        std::string_view name = source.substr(i + 1, close - i - 1);
        std::optional<std::string> value;
        if (!name.empty())
            value = EnvironmentOverlay::instance().get(name);
        if (value) {
            out += *value;
            i = close + 1;
        } else {
            out.append(source.substr(i, close - i));
            i = close;
        }
    }
    return out;
}

}  // namespace

// Returns the size of the expansion including the terminator, whether or not it fits; when
// it does not, the destination is left alone. A null source expands to the empty string.
extern "C" DWORD ExpandEnvironmentStringsA(LPCSTR source, LPSTR destination, DWORD size) {
    std::string result = expand(source ? std::string_view(source) : std::string_view());
    DWORD needed = static_cast<DWORD>(result.size() + 1);
    if (destination && size >= needed)
        std::memcpy(destination, result.c_str(), needed);
    return needed;
}

// MSVC semantics: "NAME=value" sets, "NAME=" removes, anything without a name or an '=' is
// refused with EINVAL.
extern "C" int _putenv(const char* envstring) {
    if (!envstring) {
        errno = EINVAL;
        return -1;
    }
    std::string_view text(envstring);
    std::size_t eq = text.find('=');
    if (eq == std::string_view::npos || eq == 0) {
        errno = EINVAL;
        return -1;
    }
    std::string_view value = text.substr(eq + 1);
    std::optional<std::string_view> v;
    if (!value.empty())
        v = value;
    EnvironmentOverlay::instance().set(text.substr(0, eq), v);
    return 0;
}

namespace kvcrt {

const char* getenv(const char* name) {
    if (!name || !*name)
        return nullptr;
    return EnvironmentOverlay::instance().pointer(name);
}

}  // namespace kvcrt
