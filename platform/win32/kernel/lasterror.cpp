// The calling thread's last-error value.
#include "kvwin32/winbase.h"

namespace {
thread_local DWORD t_lastError = 0;
}

extern "C" DWORD GetLastError() {
    return t_lastError;
}

extern "C" void SetLastError(DWORD code) {
    t_lastError = code;
}
