// Internal: the framework's per-thread and per-process state, each kept in one object. A
// thread has its current module state, the window being created (bound to its CWnd on its
// first message), the message Default() passes on, the window whose control notifications
// are held back while UpdateData runs, and the handle maps from window, GDI and menu handles to
// their framework objects. The process has only the main program's module state.
#pragma once

#include <memory>
#include <unordered_map>

#include "afxwin.h"

namespace kvmfc {

struct ThreadState {
    AFX_MODULE_STATE* moduleState = nullptr;  // current module state; null: the main program's
    CWnd* windowInit = nullptr;               // CWnd waiting for the window being created
    MSG lastSentMsg{};                        // the message Default() passes on
    HWND lockoutNotifyWindow = nullptr;       // UpdateData runs: its WM_COMMANDs are dropped
    std::unordered_map<HWND, CWnd*> permanentWindows;                       // bound CWnds
    std::unordered_map<HWND, std::unique_ptr<CWnd>> temporaryWindows;       // FromHandle wrappers
    std::unordered_map<HGDIOBJ, std::unique_ptr<CGdiObject>> temporaryGdi;  // CGdiObject wrappers
    std::unordered_map<HDC, std::unique_ptr<CDC>> temporaryDCs;             // CDC wrappers
    std::unordered_map<HMENU, std::unique_ptr<CMenu>> temporaryMenus;       // CMenu wrappers
};

// The calling thread's framework state.
ThreadState& threadState();

// The main program's module state (the process has one).
AFX_MODULE_STATE& appModuleState();

// A lasting copy of a window class name the framework registered (class names live as long
// as the process, as the classes do).
LPCSTR keepClassName(LPCSTR name);

// A temporary wrapper for a window, of the framework class registered for its window class.
std::unique_ptr<CWnd> makeWrapper(HWND hwnd);

// The window procedure of the framework's own window classes: binds a window being created
// to its CWnd on the first message, then dispatches as AfxWndProc.
LRESULT afxWndProcBase(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace kvmfc
