// Sets a variable of the library's environment overlay for the life of a test and puts the old
// value (or its absence) back afterwards.
#pragma once

#include <optional>
#include <string>

#include "kvwin32/winbase.h"

namespace kvtest {

class ScopedVariable {
  public:
    // A null value removes the variable for the scope.
    ScopedVariable(std::string name, const char* value) : m_name(std::move(name)) {
        char buffer[4096];
        const DWORD n = GetEnvironmentVariableA(m_name.c_str(), buffer, sizeof buffer);
        if (n > 0 && n < sizeof buffer)
            m_old = std::string(buffer, n);
        SetEnvironmentVariableA(m_name.c_str(), value);
    }
    ~ScopedVariable() { SetEnvironmentVariableA(m_name.c_str(), m_old ? m_old->c_str() : nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

  private:
    std::string m_name;
    std::optional<std::string> m_old;
};

}  // namespace kvtest
