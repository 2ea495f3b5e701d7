// CBitmapButton: an owner-drawn push button that shows one of up to four bitmaps of the
// current resource module. The parent's WM_DRAWITEM reaches DrawItem by reflection; the
// bitmap is chosen by the item state the button reports: pressed, focused, disabled, else up,
// each falling back to the up bitmap when it was not loaded.
#include "afxext.h"

namespace {

// Loads one optional bitmap: true when nothing was asked or it loaded.
bool loadOptional(CBitmap& bitmap, LPCSTR name) {
    bitmap.DeleteObject();
    return name == nullptr || bitmap.LoadBitmap(name);
}

bool loadOptional(CBitmap& bitmap, UINT id) {
    bitmap.DeleteObject();
    return id == 0 || bitmap.LoadBitmap(id);
}

}  // namespace

BOOL CBitmapButton::LoadBitmaps(LPCSTR up, LPCSTR down, LPCSTR focus, LPCSTR disabled) {
    m_bitmap.DeleteObject();
    bool loaded = up != nullptr && m_bitmap.LoadBitmap(up);
    loaded = loadOptional(m_bitmapSel, down) && loaded;
    loaded = loadOptional(m_bitmapFocus, focus) && loaded;
    loaded = loadOptional(m_bitmapDisabled, disabled) && loaded;
    return loaded ? TRUE : FALSE;
}

BOOL CBitmapButton::LoadBitmaps(UINT upId, UINT downId, UINT focusId, UINT disabledId) {
    m_bitmap.DeleteObject();
    bool loaded = upId != 0 && m_bitmap.LoadBitmap(upId);
    loaded = loadOptional(m_bitmapSel, downId) && loaded;
    loaded = loadOptional(m_bitmapFocus, focusId) && loaded;
    loaded = loadOptional(m_bitmapDisabled, disabledId) && loaded;
    return loaded ? TRUE : FALSE;
}

BOOL CBitmapButton::AutoLoad(UINT id, CWnd* parent) {
    if (parent == nullptr || !SubclassDlgItem(id, parent)) {
        return FALSE;
    }
    // The bitmaps are named after the caption as it stands, access-key ampersand included.
    CString name;
    GetWindowText(name);
    if (name.IsEmpty()) {
        return FALSE;
    }
    LoadBitmaps(name + "U", name + "D", name + "F", name + "X");
    if (m_bitmap.GetSafeHandle() == nullptr) {
        return FALSE;
    }
    SizeToContent();
    return TRUE;
}

void CBitmapButton::SizeToContent() {
    BITMAP info{};
    if (m_hWnd == nullptr || m_bitmap.GetBitmap(&info) == 0) {
        return;
    }
    SetWindowPos(nullptr, -1, -1, info.bmWidth, info.bmHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
}

CBitmap* CBitmapButton::BitmapForState(UINT itemState) {
    if ((itemState & ODS_SELECTED) != 0 && m_bitmapSel.GetSafeHandle() != nullptr) {
        return &m_bitmapSel;
    }
    if ((itemState & ODS_FOCUS) != 0 && m_bitmapFocus.GetSafeHandle() != nullptr) {
        return &m_bitmapFocus;
    }
    if ((itemState & ODS_DISABLED) != 0 && m_bitmapDisabled.GetSafeHandle() != nullptr) {
        return &m_bitmapDisabled;
    }
    return &m_bitmap;
}

void CBitmapButton::DrawItem(DRAWITEMSTRUCT* draw) {
    if (draw == nullptr) {
        return;
    }
    CBitmap* bitmap = BitmapForState(draw->itemState);
    if (bitmap->GetSafeHandle() == nullptr) {
        return;
    }
    CDC* dc = CDC::FromHandle(draw->hDC);
    CDC memory;
    if (dc == nullptr || !memory.CreateCompatibleDC(dc)) {
        return;
    }
    CBitmap* old = memory.SelectObject(bitmap);
    const RECT& rect = draw->rcItem;
    dc->BitBlt(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, &memory, 0, 0,
               SRCCOPY);
    memory.SelectObject(old);
}
