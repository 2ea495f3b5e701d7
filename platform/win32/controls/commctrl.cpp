// InitCommonControls and InitCommonControlsEx. The common control classes register themselves
// when the window system loads (each control file holds its class), so these only check what
// a program hands in, as a program must still call them on Windows before it uses a control.
#include "kvwin32/commctrl.h"
#include "kvwin32/winerror.h"

void InitCommonControls() {}

// FALSE for a null or wrongly sized structure, as comctl32 refuses it.
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
    if (init == nullptr || init->dwSize != sizeof(INITCOMMONCONTROLSEX)) {
        return FALSE;
    }
    return TRUE;
}
