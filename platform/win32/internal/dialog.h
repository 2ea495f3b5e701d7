// Internal: the contracts between the files of the dialog manager (dlgtemplate.cpp reads
// templates, dialog.cpp creates dialogs and is the default dialog procedure, dlgnav.cpp moves
// the focus between controls, dlgmodal.cpp runs modal loops) and the property sheet built on
// them (propsheet.cpp).
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "internal/control.h"
#include "kvwin32/winuser.h"
#include "kvwin32/winuser_dialog.h"

namespace kvwin32::internal {

// ---- Templates (dlgtemplate.cpp) ----------------------------------------------------------

// One control of a template, as the dialog manager needs it to create the control.
struct DialogItemTemplate {
    DWORD helpId = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    DWORD id = 0;
    std::string className;           // predefined class ordinals are turned into names
    std::string title;               // "" when the title is an ordinal (an icon's resource)
    std::vector<BYTE> creationData;  // the size WORD and the data, empty when none
};

// A dialog template, DLGTEMPLATE or DLGTEMPLATEEX, read into fields.
struct DialogTemplate {
    DWORD helpId = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    std::string menu;                    // "" for none, "#n" for an ordinal
    std::string className;               // "" for the dialog class
    std::string title;
    bool hasFont = false;  // DS_SETFONT: the template names a font
    WORD pointSize = 0;
    WORD weight = 0;
    bool italic = false;
    std::string face;
    std::vector<DialogItemTemplate> items;
};

// How far a template in memory may be read when its caller does not say how long it is.
inline constexpr std::size_t kIndirectTemplateLimit = 0x100000;

// Reads a template of at most `size` bytes; nothing when it is cut short or malformed.
std::optional<DialogTemplate> readDialogTemplate(const void* data, std::size_t size);

// Reads the RT_DIALOG resource `name` of a module; nothing (with the last error set) when it
// is missing or malformed.
std::optional<DialogTemplate> loadDialogTemplate(HINSTANCE instance, LPCSTR name);

// ---- Dialog units (dialog.cpp) ------------------------------------------------------------

// The single font of the window system has the classic dialog base units: 6 pixels wide per
// average character and 13 pixels high. Four horizontal dialog units make a character width,
// eight vertical ones a character height.
inline constexpr int kDialogBaseUnitX = 6;
inline constexpr int kDialogBaseUnitY = 13;
// Converts dialog units to pixels, rounding as MulDiv does.
int dialogUnitsToPixelsX(int units);
int dialogUnitsToPixelsY(int units);

// ---- Dialogs (dialog.cpp) -----------------------------------------------------------------

// The dialog manager's record of a dialog, kept with the window as its control state.
struct DialogState : ControlState {
    bool modal = false;            // made by DialogBox*: EndDialog ends the loop, not hides
    bool ended = false;            // EndDialog was called
    INT_PTR result = 0;            // the value given to EndDialog
    WORD defaultId = 0;            // DM_SETDEFID, or the template's default push button
    HWND savedFocus = nullptr;     // the control that had the focus when the dialog went inactive
    HFONT ownedFont = nullptr;     // the font made from the template, deleted with the dialog
    HWND disabledOwner = nullptr;  // owner the modal loop disabled, enabled again by EndDialog
};

// The dialog manager's record of a dialog window, made on first use; null for a dead window.
std::shared_ptr<DialogState> dialogState(HWND dialog);
// The record only when the window already is a dialog; null otherwise.
std::shared_ptr<DialogState> existingDialogState(HWND dialog);

// Creates a dialog from a read template: hidden until WM_INITDIALOG has run, then shown when
// the template has WS_VISIBLE. Null when it or a control could not be made. `created` hears of
// the window as soon as it exists, before any control or WM_INITDIALOG (a property sheet
// records its page then, since a page may report changes from its WM_INITDIALOG).
HWND createDialog(HINSTANCE instance, const DialogTemplate& dialogTemplate, HWND owner,
                  DLGPROC proc, LPARAM initParam, bool modal,
                  const std::function<void(HWND)>& created = {});

// Gives a control the focus the way the dialog manager does: an edit has its text selected
// first (DLGC_HASSETSEL), and the default push button follows the focus.
void setDialogFocus(HWND dialog, HWND control);

// The push button that shows itself as the default (DLGC_DEFPUSHBUTTON), searching child
// dialogs too; null when none.
HWND findDefaultButton(HWND dialog);

// ---- Modal loops (dlgmodal.cpp) -----------------------------------------------------------

// Runs the modal loop of a dialog until EndDialog, WM_QUIT (reposted) or the end of input
// (the dialog is cancelled as by Escape and the transcript notes it); returns the result.
// The dialog is destroyed afterwards and the owner enabled again. `preTranslate` sees each
// message first and answers true when it consumed it (a property sheet's Ctrl+Tab).
INT_PTR runModalDialog(HWND dialog, HWND owner, const std::function<bool(MSG&)>& preTranslate = {});

// The owner a modal dialog gets for a parent: its top-level ancestor; null for none.
HWND modalOwnerFor(HWND parent);

}  // namespace kvwin32::internal
