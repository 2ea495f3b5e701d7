// The report of the in-place editors and what they do on the list's reply.
#include "InPlaceNotify.h"

UINT InPlaceMessage() {
    return RegisterWindowMessageA("ipc_CtrlMsg");
}

bool SendInPlaceReport(HWND notify, InPlaceNotify& report) {
    if (notify == nullptr) {
        return false;
    }
    return ::SendMessageA(notify, InPlaceMessage(), 0, reinterpret_cast<LPARAM>(&report)) != 0;
}

void HideInPlaceEditor(CWnd& editor, HWND notify) {
    if (!editor.IsWindowVisible()) {
        return;
    }
    editor.SetWindowPos(
        nullptr, 0, 0, 0, 0,
        SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW | SWP_NOZORDER | SWP_NOACTIVATE);
    if (notify != nullptr) {
        ::SetFocus(notify);
    }
}

POINT CurrentMessagePoint() {
    const DWORD pos = ::GetMessagePos();
    return POINT{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
}
