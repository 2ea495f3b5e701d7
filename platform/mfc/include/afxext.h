// The framework's extension controls used by the library: the bitmap button CBitmapButton (an
// owner-drawn push button showing one of four bitmaps by its state). The check-list box and
// the common-control wrappers come with it (afxcmn.h).
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include "afxcmn.h"

// A push button drawn with bitmaps: one for up (required), down (pressed), focused and
// disabled. The button must have BS_OWNERDRAW; the parent's WM_DRAWITEM is reflected to
// DrawItem, which picks the bitmap by state (pressed, then focused, then disabled, else up).
class CBitmapButton : public CButton {
  public:
    CBitmapButton() = default;

    CBitmap m_bitmap;          // up (also used for any state whose bitmap is missing)
    CBitmap m_bitmapSel;       // pressed
    CBitmap m_bitmapFocus;     // focused
    CBitmap m_bitmapDisabled;  // disabled

    // Loads the bitmaps from the current resource module (null names and id 0 are left out);
    // FALSE when the up bitmap is missing or any named one failed to load.
    BOOL LoadBitmaps(LPCSTR up, LPCSTR down = nullptr, LPCSTR focus = nullptr,
                     LPCSTR disabled = nullptr);
    BOOL LoadBitmaps(UINT upId, UINT downId = 0, UINT focusId = 0, UINT disabledId = 0);
    // Binds the dialog's button `id` and loads the bitmaps named by its caption followed by
    // "U", "D", "F" and "X", then sizes the button to them; FALSE when the button or the up
    // bitmap is missing.
    BOOL AutoLoad(UINT id, CWnd* parent);
    // Resizes the button to the up bitmap (position and z-order kept).
    void SizeToContent();
    // The bitmap DrawItem uses for a DRAWITEMSTRUCT itemState (ODS_ bits).
    CBitmap* BitmapForState(UINT itemState);
    // Copies the chosen bitmap into the item rectangle.
    void DrawItem(DRAWITEMSTRUCT* draw) override;
};

#pragma GCC visibility pop
