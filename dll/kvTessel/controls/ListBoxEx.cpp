// CListBoxEx: in-place editing, moves and painting of the editable list.
#include "ListBoxEx.h"

#include <array>
#include <string>

namespace {

// Identifiers of the two editors among the list's children.
constexpr UINT kEditId = 1;
constexpr UINT kButtonId = 2;
// Width taken from the edit for the browse button.
constexpr int kBrowseWidth = 30;
// Keys of the list.
constexpr UINT kKeyF2 = 113;
constexpr UINT kKeyDelete = 46;
// Flag of the key message's flag word (high word of lParam) that Alt+arrow moves require; with
// the usual scan codes it is set for Up, Left and Right and clear for Down. Kept as the list
// has always tested it, so that Alt+Down does not move a row.
constexpr UINT kMoveKeyFlag = 8;

// Shows an editor at `rect` when it is hidden and the rectangle is not empty.
void showEditor(CWnd* editor, const CRect& rect) {
    if (editor == nullptr || editor->IsWindowVisible() || rect.IsRectEmpty()) {
        return;
    }
    editor->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                         SWP_SHOWWINDOW | SWP_NOREDRAW | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string itemText(const CListBox& list, int index) {
    const int length = list.GetTextLen(index);
    if (length < 0) {
        return {};
    }
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    list.GetText(index, text.data());
    text.resize(static_cast<std::size_t>(length));
    return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CListBoxEx, CDragListBox)
ON_WM_CREATE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_KEYDOWN()
ON_WM_SYSKEYDOWN()
END_MESSAGE_MAP()

CListBoxEx::~CListBoxEx() {
    DestroyEditors();
}

BOOL CListBoxEx::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(WS_EX_CLIENTEDGE, "LISTBOX", nullptr, style | kListStyle, rect, parent, id);
}

void CListBoxEx::PreSubclassWindow() {
    // A list of a dialog template gets the styles it needs, is made a drag list and gets its
    // editors.
    ::SetWindowLongA(
        m_hWnd, GWL_STYLE,
        static_cast<LONG>(::GetWindowLongA(m_hWnd, GWL_STYLE)) | static_cast<LONG>(kListStyle));
    ::SetWindowLongA(m_hWnd, GWL_EXSTYLE,
                     static_cast<LONG>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE)) | WS_EX_CLIENTEDGE);
    CDragListBox::PreSubclassWindow();
    CreateEditors();
}

int CListBoxEx::OnCreate(LPCREATESTRUCTA create) {
    if (CDragListBox::OnCreate(create) == -1) {
        return -1;
    }
    CreateEditors();
    return 0;
}

void CListBoxEx::CreateEditors() {
    if (m_edit != nullptr || m_hWnd == nullptr) {
        return;
    }
    const CRect empty(0, 0, 0, 0);
    auto edit = std::make_unique<CInPlaceEdit>();
    if (!edit->Create(m_editStyle | WS_CHILD | WS_BORDER, empty, this, kEditId)) {
        return;
    }
    const LRESULT font = ::SendMessageA(m_hWnd, WM_GETFONT, 0, 0);
    ::SendMessageA(edit->m_hWnd, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
    m_edit = std::move(edit);
    auto button = std::make_unique<CInPlaceButton>();
    if (button->Create("...", WS_CHILD, empty, this, kButtonId)) {
        m_button = std::move(button);
    }
}

void CListBoxEx::DestroyEditors() {
    if (m_button != nullptr && m_button->m_hWnd != nullptr) {
        m_button->DestroyWindow();
    }
    if (m_edit != nullptr && m_edit->m_hWnd != nullptr) {
        m_edit->DestroyWindow();
    }
    m_button.reset();
    m_edit.reset();
}

void CListBoxEx::SetEditStyle(unsigned style) {
    if (style == m_editStyle) {
        return;
    }
    m_editStyle = style;
    if (m_edit != nullptr) {
        DestroyEditors();
        CreateEditors();
    }
}

void CListBoxEx::SetEditText(const char* text) {
    if (m_edit != nullptr && m_edit->IsWindowVisible()) {
        m_edit->SetWindowText(text != nullptr ? text : "");
        m_edit->SetFocus();
    }
}

// ---- Hooks ----------------------------------------------------------------------------------

void CListBoxEx::ReplaceItem(int index, const char* text, DWORD_PTR data) {
    SendMessageA(m_hWnd, WM_SETREDRAW, FALSE, 0);
    DeleteString(static_cast<UINT>(index));
    const int at = InsertString(index, text);
    if (at >= 0) {
        SetItemData(at, data);
    }
    SendMessageA(m_hWnd, WM_SETREDRAW, TRUE, 0);
}

void CListBoxEx::SetItemText(int index, const char* text) {
    ReplaceItem(index, text, GetItemData(index));
}

BOOL CListBoxEx::CanEditItem(int /*index*/) {
    return TRUE;
}

BOOL CListBoxEx::OnEndEdit(int /*index*/, BOOL /*cancelled*/) {
    return TRUE;
}

void CListBoxEx::OnBrowse(int /*index*/, const InPlaceNotify* /*report*/) {}

// ---- Editing --------------------------------------------------------------------------------

void CListBoxEx::BeginEdit(int index) {
    if (!m_editingAllowed || m_editedItem != -1 || m_edit == nullptr) {
        return;
    }
    if (index == -1) {
        index = m_currentItem;
    }
    if (index < 0) {
        return;
    }
    const int count = GetCount();
    if (index > count - 1) {
        index = AddString("");
        if (index < 0) {
            return;
        }
    }
    SetCurSel(index);
    m_currentItem = index;
    m_editedItem = index;

    CRect item;
    GetItemRect(index, &item);
    m_editRect = item;
    m_buttonRect = item;
    const bool browse = (m_editStyle & kEditStyleBrowse) != 0;
    if (browse) {
        m_editRect.right -= kBrowseWidth;
    }
    m_editRect.InflateRect(0, 2);
    m_edit->SetWindowText(itemText(*this, index).c_str());
    showEditor(m_edit.get(), m_editRect);
    ::SendMessageA(m_edit->m_hWnd, EM_SETMARGINS, EC_LEFTMARGIN, MAKELPARAM(2, 0));
    m_edit->SetSel(0, -1);
    ::SendMessageA(m_edit->m_hWnd, EM_SCROLLCARET, 0, 0);
    m_edit->Invalidate();
    m_edit->SetFocus();

    if (browse && m_button != nullptr) {
        m_buttonRect.left = m_editRect.right;
        m_buttonRect.InflateRect(0, 2);
        showEditor(m_button.get(), m_buttonRect);
        m_button->Invalidate();
    }
}

void CListBoxEx::EditNewItem() {
    BeginEdit(GetCount());
}

void CListBoxEx::EndEdit(BOOL cancel) {
    if (m_edit != nullptr) {
        HideInPlaceEditor(*m_edit, m_hWnd);
    }
    if (m_button != nullptr) {
        HideInPlaceEditor(*m_button, m_hWnd);
    }
    CString text;
    if (m_edit != nullptr) {
        m_edit->GetWindowText(text);
    }
    if (m_editedItem >= 0) {
        if (text.IsEmpty()) {
            DeleteString(static_cast<UINT>(m_editedItem));
        } else if (!cancel) {
            SetItemText(m_editedItem, text);
            SetCurSel(m_editedItem);
        }
    }
    m_editedItem = -1;
    Invalidate();
}

LRESULT CListBoxEx::OnCtrlMsg(const InPlaceNotify& report) {
    const int edited = m_editedItem;
    switch (report.code) {
        case kInPlaceKey:
            if (report.param == VK_ESCAPE) {
                OnEndEdit(edited, TRUE);
                EndEdit(TRUE);
            } else {
                EndEdit(!OnEndEdit(edited, FALSE));
            }
            return 1;
        case kInPlaceClicked:
            OnBrowse(edited, &report);
            return 0;
        case kInPlaceFocusLost: {
            const auto to = reinterpret_cast<HWND>(report.param);
            if (to != nullptr && ((m_edit != nullptr && to == m_edit->m_hWnd) ||
                                  (m_button != nullptr && to == m_button->m_hWnd))) {
                return 0;  // the focus moves between the two editors: editing goes on
            }
            EndEdit(!OnEndEdit(edited, FALSE));
            return 1;
        }
        default:
            return 1;
    }
}

LRESULT CListBoxEx::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == InPlaceMessage()) {
        const auto* report = reinterpret_cast<const InPlaceNotify*>(lParam);
        return report != nullptr ? OnCtrlMsg(*report) : 1;
    }
    return CDragListBox::WindowProc(message, wParam, lParam);
}

// ---- Moves ----------------------------------------------------------------------------------

void CListBoxEx::MoveItemUp(int index) {
    if (index < 1 || index >= GetCount()) {
        return;
    }
    SwapItems(index, index - 1);
    SetCurSel(index - 1);
}

void CListBoxEx::MoveItemDown(int index) {
    if (index < 0 || index >= GetCount() - 1) {
        return;
    }
    SwapItems(index, index + 1);
    SetCurSel(index + 1);
}

void CListBoxEx::SwapItems(int a, int b) {
    if (a == b || a < 0 || b < 0 || a >= GetCount() || b >= GetCount()) {
        return;
    }
    if (a > b) {
        std::swap(a, b);
    }
    const std::string textA = itemText(*this, a);
    const std::string textB = itemText(*this, b);
    const DWORD_PTR dataA = GetItemData(a);
    const DWORD_PTR dataB = GetItemData(b);
    ReplaceItem(a, textB.c_str(), dataB);
    ReplaceItem(b, textA.c_str(), dataA);
}

// ---- Mouse and keys -------------------------------------------------------------------------

void CListBoxEx::OnLButtonDown(UINT flags, CPoint point) {
    CPoint screen = point;
    ClientToScreen(&screen);
    if (const int item = ItemFromPt(screen, FALSE); item != -1) {
        m_currentItem = item;
    }
    CDragListBox::OnLButtonDown(flags, point);
}

void CListBoxEx::OnLButtonDblClk(UINT flags, CPoint point) {
    CDragListBox::OnLButtonDblClk(flags, point);
    if (!m_editingAllowed) {
        return;
    }
    CPoint screen = point;
    ClientToScreen(&screen);
    if (const int item = ItemFromPt(screen, FALSE); item != -1 && CanEditItem(item)) {
        BeginEdit(item);
    }
}

void CListBoxEx::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    CDragListBox::OnKeyDown(key, repeat, flags);
    if (key == kKeyF2) {
        if (m_currentItem != -1 && m_editingAllowed && CanEditItem(m_currentItem)) {
            BeginEdit(m_currentItem);
        }
    } else if (key == kKeyDelete) {
        if (m_currentItem != -1) {
            DeleteString(static_cast<UINT>(m_currentItem));
        }
    }
}

void CListBoxEx::OnSysKeyDown(UINT key, UINT repeat, UINT flags) {
    if (m_movingAllowed && (flags & kMoveKeyFlag) != 0) {
        const int selected = GetCurSel();
        if (selected != LB_ERR) {
            if (key == VK_LEFT || key == VK_UP) {
                MoveItemUp(selected);
            } else if (key == VK_RIGHT || key == VK_DOWN) {
                MoveItemDown(selected);
            }
        }
    }
    CDragListBox::OnSysKeyDown(key, repeat, flags);
}

// ---- Drag and drop --------------------------------------------------------------------------

BOOL CListBoxEx::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message != dragListMessage()) {
        return CListBox::OnChildNotify(message, wParam, lParam, result);
    }
    LRESULT answer = 0;
    const auto* info = reinterpret_cast<const DRAGLISTINFO*>(lParam);
    if (info != nullptr && m_editedItem == -1 && m_movingAllowed) {
        const CPoint point(info->ptCursor);
        switch (info->uNotification) {
            case DL_BEGINDRAG:
                answer = TRUE;
                break;
            case DL_DRAGGING:
                answer = static_cast<LRESULT>(Dragging(point));
                break;
            case DL_DROPPED:
                Dropped(GetCurSel(), point);
                break;
            case DL_CANCELDRAG:
                CancelDrag(point);
                break;
            default:
                break;
        }
    }
    if (result != nullptr) {
        *result = answer;
    }
    return TRUE;
}

void CListBoxEx::DrawInsert(int index) {
    if (index == m_nLast) {
        return;
    }
    DrawMarker(m_nLast);
    DrawMarker(index);
    m_nLast = index;
}

void CListBoxEx::DrawMarker(int index) {
    if (index < 0 || m_hWnd == nullptr) {
        return;
    }
    CRect item;
    if (GetItemRect(index, &item) == LB_ERR) {
        return;
    }
    CRect client;
    GetClientRect(&client);
    static constexpr std::array<WORD, 8> kHalftone = {0x5555, 0xAAAA, 0x5555, 0xAAAA,
                                                      0x5555, 0xAAAA, 0x5555, 0xAAAA};
    HBITMAP pattern = ::CreateBitmap(8, 8, 1, 1, kHalftone.data());
    HBRUSH brush = pattern != nullptr ? ::CreatePatternBrush(pattern) : nullptr;
    HDC dc = ::GetDC(m_hWnd);
    if (dc != nullptr && brush != nullptr) {
        ::IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
        HGDIOBJ old = ::SelectObject(dc, brush);
        const int l = item.left;
        const int t = item.top;
        const int r = item.right;
        // The bar on the row's top edge, and a tick at each end.
        ::PatBlt(dc, l + 5, t - 2, (r - 5) - (l + 5), 4, PATINVERT);
        ::PatBlt(dc, l + 2, t - 6, 3, 12, PATINVERT);
        ::PatBlt(dc, r - 5, t - 6, 3, 12, PATINVERT);
        ::SelectObject(dc, old);
    }
    if (dc != nullptr) {
        ::ReleaseDC(m_hWnd, dc);
    }
    if (brush != nullptr) {
        ::DeleteObject(brush);
    }
    if (pattern != nullptr) {
        ::DeleteObject(pattern);
    }
}

// ---- Painting -------------------------------------------------------------------------------

void CListBoxEx::DrawItem(DRAWITEMSTRUCT* draw) {
    if (draw == nullptr || draw->itemID == static_cast<UINT>(-1) ||
        (draw->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) == 0) {
        return;
    }
    HDC dc = draw->hDC;
    CRect rect(draw->rcItem);
    const std::string text = itemText(*this, static_cast<int>(draw->itemID));
    const bool selected = (draw->itemState & ODS_SELECTED) != 0;
    ::FillRect(dc, &rect, ::GetSysColorBrush(selected ? COLOR_ACTIVECAPTION : COLOR_WINDOW));
    const COLORREF oldColor =
        ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    CRect textRect = rect;
    textRect.left += 8;
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
                DT_SINGLELINE | DT_VCENTER);
    ::SetBkMode(dc, oldMode);
    ::SetTextColor(dc, oldColor);
    if (selected) {
        ::DrawFocusRect(dc, &rect);
    }
}

void CListBoxEx::MeasureItem(MEASUREITEMSTRUCT* measure) {
    if (measure == nullptr) {
        return;
    }
    HDC dc = ::GetDC(m_hWnd);
    TEXTMETRICA metrics{};
    if (dc != nullptr && ::GetTextMetricsA(dc, &metrics)) {
        measure->itemHeight = static_cast<UINT>(metrics.tmHeight + metrics.tmExternalLeading);
    }
    if (dc != nullptr) {
        ::ReleaseDC(m_hWnd, dc);
    }
}
