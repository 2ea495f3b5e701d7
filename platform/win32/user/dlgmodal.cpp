// Modal dialogs: DialogBoxParamA and DialogBoxIndirectParamA, and the modal loop they run.
//
// Windows' modal loop disables the owner, shows the dialog and pumps the thread's messages
// through IsDialogMessage until EndDialog. Headless, the input may end while the dialog is
// still open (GetMessageA answers -1 with ERROR_NO_MORE_ITEMS): the dialog is then cancelled
// as a user pressing Escape would cancel it, and the desktop's transcript says so.
#include <string>

#include "internal/dialog.h"
#include "internal/window.h"
#include "kvwin32/desktop.h"
#include "kvwin32/modal.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"
#include "kvwin32/winuser_controls.h"

namespace kvwin32::internal {
namespace {

// A loop that keeps dispatching messages nobody typed (a window posting to itself for ever)
// without the dialog ending is hung; after this many the dialog is cancelled.
constexpr int kMaxMessagesWithoutInput = 100000;

bool isUserInput(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

std::string captionOf(HWND dialog) {
    char caption[256] = {};
    GetWindowTextA(dialog, caption, sizeof caption);
    return caption;
}

// Cancels the dialog as Escape does (WM_COMMAND IDCANCEL); a dialog that does not end on it
// is ended with IDCANCEL.
void cancelDialog(HWND dialog, DialogState& state, const char* why) {
    std::string caption = captionOf(dialog);
    DWORD lastError = GetLastError();
    HWND cancel = GetDlgItem(dialog, IDCANCEL);
    SetLastError(lastError);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(cancel));
    if (IsWindow(dialog) && !state.ended) {
        EndDialog(dialog, IDCANCEL);
    }
    transcriptNote(std::string(why) + " in modal dialog \"" + caption + "\": cancelled");
}

}  // namespace

HWND modalOwnerFor(HWND parent) {
    if (parent == nullptr || !IsWindow(parent)) {
        return nullptr;
    }
    HWND root = GetAncestor(parent, GA_ROOT);
    return root ? root : parent;
}

INT_PTR runModalDialog(HWND dialog, HWND owner, const std::function<bool(MSG&)>& preTranslate) {
    std::shared_ptr<DialogState> state = existingDialogState(dialog);
    if (state == nullptr) {
        return -1;
    }
    if (owner && IsWindow(owner) && IsWindowEnabled(owner) && !state->ended) {
        EnableWindow(owner, FALSE);
        state->disabledOwner = owner;
    }
    if (!state->ended && IsWindow(dialog)) {
        ShowWindow(dialog, SW_SHOWNORMAL);
    }
    const kvwin32::ModalLoopScope modalLoop(dialog);
    int withoutInput = 0;
    while (IsWindow(dialog) && !state->ended) {
        MSG msg{};
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            // WM_QUIT ends every loop up to the application's own, which must see it too.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1) {
            cancelDialog(dialog, *state, "input ended");
            break;
        }
        withoutInput = isUserInput(msg.message) ? 0 : withoutInput + 1;
        if (!(preTranslate && preTranslate(msg)) && !IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (withoutInput > kMaxMessagesWithoutInput && IsWindow(dialog) && !state->ended) {
            cancelDialog(dialog, *state, "no input");
            break;
        }
    }
    // A dialog destroyed or left by WM_QUIT without EndDialog counts as cancelled.
    INT_PTR result = state->ended ? state->result : IDCANCEL;
    if (state->disabledOwner) {
        if (IsWindow(state->disabledOwner)) {
            EnableWindow(state->disabledOwner, TRUE);
        }
        state->disabledOwner = nullptr;
    }
    if (IsWindow(dialog)) {
        DestroyWindow(dialog);
    }
    return result;
}

}  // namespace kvwin32::internal

using namespace kvwin32::internal;

namespace {

INT_PTR runTemplate(HINSTANCE instance, const std::optional<DialogTemplate>& read, HWND parent,
                    DLGPROC proc, LPARAM initParam) {
    if (!read) {
        return -1;
    }
    HWND owner = modalOwnerFor(parent);
    HWND dialog = createDialog(instance, *read, owner, proc, initParam, true);
    if (dialog == nullptr) {
        return -1;
    }
    return runModalDialog(dialog, owner);
}

}  // namespace

extern "C" INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND parent,
                                   DLGPROC dialogProc, LPARAM initParam) {
    if (parent && windowOrError(parent) == nullptr) {
        return 0;
    }
    return runTemplate(instance, loadDialogTemplate(instance, templateName), parent, dialogProc,
                       initParam);
}

extern "C" INT_PTR DialogBoxIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate,
                                           HWND parent, DLGPROC dialogProc, LPARAM initParam) {
    if (parent && windowOrError(parent) == nullptr) {
        return 0;
    }
    if (dialogTemplate == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    return runTemplate(instance, readDialogTemplate(dialogTemplate, kIndirectTemplateLimit), parent,
                       dialogProc, initParam);
}
