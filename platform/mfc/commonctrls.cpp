// The framework's wrappers of the list view, up-down, tooltip and tab controls: each member
// sends one message of the control, packing the arguments the way the framework's callers
// expect (column and item masks built from the arguments given, 16-bit ranges packed into one
// LPARAM, tools named by window or by id).
#include <algorithm>
#include <string_view>
#include <vector>

#include "afxcmn.h"

namespace {

// The temporary image-list wrapper CListCtrl::SetImageList hands back: one per thread, as the
// framework's temporary handle objects are, and never the owner of the list it shows.
class TemporaryImageList {
  public:
    ~TemporaryImageList() { m_wrapper.Detach(); }
    CImageList* wrap(HIMAGELIST list) {
        m_wrapper.Detach();
        if (list == nullptr) {
            return nullptr;
        }
        m_wrapper.Attach(list);
        return &m_wrapper;
    }

  private:
    CImageList m_wrapper;
};

CImageList* temporaryImageList(HIMAGELIST list) {
    thread_local TemporaryImageList wrapper;
    return wrapper.wrap(list);
}

// Converts the position cookie of the selected-item iteration: an index plus one.
POSITION positionOf(int index) {
    return reinterpret_cast<POSITION>(static_cast<INT_PTR>(index) + 1);
}
int indexOf(POSITION position) {
    return static_cast<int>(reinterpret_cast<INT_PTR>(position) - 1);
}

}  // namespace

// ---- CListCtrl ----------------------------------------------------------------------------------

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(WC_LISTVIEWA, nullptr, style, rect, parent, id);
}

int CListCtrl::InsertColumn(int column, LPCSTR heading, int format, int width, int subItem) {
    LVCOLUMNA info{};
    info.mask = LVCF_FMT | LVCF_TEXT;
    info.fmt = format;
    info.pszText = const_cast<LPSTR>(heading != nullptr ? heading : "");
    if (width != -1) {
        info.mask |= LVCF_WIDTH;
        info.cx = width;
    }
    if (subItem != -1) {
        info.mask |= LVCF_SUBITEM;
        info.iSubItem = subItem;
    }
    return InsertColumn(column, &info);
}

int CListCtrl::InsertColumn(int column, const LVCOLUMNA* info) {
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(column),
                                        reinterpret_cast<LPARAM>(info)));
}

BOOL CListCtrl::DeleteColumn(int column) {
    return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(column)));
}

int CListCtrl::GetColumnWidth(int column) const {
    return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
}

BOOL CListCtrl::SetColumnWidth(int column, int width) {
    return static_cast<BOOL>(
        SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0)));
}

int CListCtrl::InsertItem(int item, LPCSTR text) {
    return InsertItem(LVIF_TEXT, item, text, 0, 0, 0, 0);
}

int CListCtrl::InsertItem(int item, LPCSTR text, int image) {
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, item, text, 0, 0, image, 0);
}

int CListCtrl::InsertItem(const LVITEMA* info) {
    return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(info)));
}

int CListCtrl::InsertItem(UINT mask, int item, LPCSTR text, UINT state, UINT stateMask, int image,
                          LPARAM lParam) {
    LVITEMA info{};
    info.mask = mask;
    info.iItem = item;
    info.pszText = const_cast<LPSTR>(text);
    info.state = state;
    info.stateMask = stateMask;
    info.iImage = image;
    info.lParam = lParam;
    return InsertItem(&info);
}

BOOL CListCtrl::DeleteItem(int item) {
    return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(item)));
}

BOOL CListCtrl::DeleteAllItems() {
    return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS));
}

int CListCtrl::GetItemCount() const {
    return static_cast<int>(SendMessage(LVM_GETITEMCOUNT));
}

BOOL CListCtrl::SetItemText(int item, int subItem, LPCSTR text) {
    LVITEMA info{};
    info.iSubItem = subItem;
    info.pszText = const_cast<LPSTR>(text);
    return static_cast<BOOL>(
        SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&info)));
}

CString CListCtrl::GetItemText(int item, int subItem) const {
    // The control copies at most cchTextMax - 1 characters and answers how many it copied, so
    // a copy that fills the buffer may have been cut: grow and ask again.
    std::vector<char> buffer(256);
    for (;;) {
        int length = GetItemText(item, subItem, buffer.data(), static_cast<int>(buffer.size()));
        if (length < static_cast<int>(buffer.size()) - 1 || buffer.size() >= (1U << 24)) {
            return CString(buffer.data());
        }
        buffer.assign(buffer.size() * 2, '\0');
    }
}

int CListCtrl::GetItemText(int item, int subItem, LPSTR buffer, int length) const {
    if (buffer == nullptr || length <= 0) {
        return 0;
    }
    buffer[0] = '\0';
    LVITEMA info{};
    info.iSubItem = subItem;
    info.pszText = buffer;
    info.cchTextMax = length;
    auto copied = static_cast<int>(
        SendMessage(LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&info)));
    copied = std::clamp(copied, 0, length - 1);
    // The control may answer with a text of its own (callback items) instead of copying.
    if (info.pszText != buffer && info.pszText != nullptr && info.pszText != LPSTR_TEXTCALLBACKA) {
        std::string_view text(info.pszText);
        copied = static_cast<int>(std::min<size_t>(text.size(), static_cast<size_t>(length - 1)));
        std::copy_n(text.data(), copied, buffer);
    }
    buffer[copied] = '\0';
    return copied;
}

BOOL CListCtrl::GetItem(LVITEMA* info) const {
    return static_cast<BOOL>(SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(info)));
}

BOOL CListCtrl::SetItem(const LVITEMA* info) {
    return static_cast<BOOL>(SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(info)));
}

BOOL CListCtrl::SetItemData(int item, DWORD_PTR data) {
    LVITEMA info{};
    info.mask = LVIF_PARAM;
    info.iItem = item;
    info.lParam = static_cast<LPARAM>(data);
    return SetItem(&info);
}

DWORD_PTR CListCtrl::GetItemData(int item) const {
    LVITEMA info{};
    info.mask = LVIF_PARAM;
    info.iItem = item;
    return GetItem(&info) ? static_cast<DWORD_PTR>(info.lParam) : 0;
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT stateMask) {
    LVITEMA info{};
    info.mask = LVIF_STATE;
    info.state = state;
    info.stateMask = stateMask;
    return static_cast<BOOL>(
        SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&info)));
}

UINT CListCtrl::GetItemState(int item, UINT stateMask) const {
    return static_cast<UINT>(
        SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(item), static_cast<LPARAM>(stateMask)));
}

int CListCtrl::GetNextItem(int item, int flags) const {
    return static_cast<int>(
        SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(item), MAKELPARAM(flags, 0)));
}

int CListCtrl::FindItem(LVFINDINFOA* find, int start) const {
    return static_cast<int>(
        SendMessage(LVM_FINDITEMA, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(find)));
}

BOOL CListCtrl::EnsureVisible(int item, BOOL partialOK) {
    return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(item),
                                         MAKELPARAM(partialOK ? 1 : 0, 0)));
}

UINT CListCtrl::GetSelectedCount() const {
    return static_cast<UINT>(SendMessage(LVM_GETSELECTEDCOUNT));
}

POSITION CListCtrl::GetFirstSelectedItemPosition() const {
    int first = GetNextItem(-1, LVNI_SELECTED);
    return first >= 0 ? positionOf(first) : nullptr;
}

int CListCtrl::GetNextSelectedItem(POSITION& position) const {
    if (position == nullptr) {
        return -1;
    }
    int item = indexOf(position);
    int next = GetNextItem(item, LVNI_SELECTED);
    position = next > item ? positionOf(next) : nullptr;
    return item;
}

BOOL CListCtrl::GetItemRect(int item, LPRECT rect, UINT code) const {
    if (rect == nullptr) {
        return FALSE;
    }
    rect->left = static_cast<LONG>(code);
    return static_cast<BOOL>(
        SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(rect)));
}

int CListCtrl::HitTest(CPoint point, UINT* flags) const {
    LVHITTESTINFO info{};
    info.pt = point;
    auto item = static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    if (flags != nullptr) {
        *flags = info.flags;
    }
    return item;
}

CImageList* CListCtrl::SetImageList(CImageList* list, int kind) {
    auto previous = reinterpret_cast<HIMAGELIST>(
        SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(kind),
                    reinterpret_cast<LPARAM>(list != nullptr ? list->GetSafeHandle() : nullptr)));
    return temporaryImageList(previous);
}

HIMAGELIST CListCtrl::GetImageList(int kind) const {
    return reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, static_cast<WPARAM>(kind)));
}

DWORD CListCtrl::SetExtendedStyle(DWORD exStyle) {
    return static_cast<DWORD>(
        SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(exStyle)));
}

DWORD CListCtrl::GetExtendedStyle() const {
    return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE));
}

// ---- CSpinButtonCtrl --------------------------------------------------------------------------

BOOL CSpinButtonCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(UPDOWN_CLASSA, nullptr, style, rect, parent, id);
}

void CSpinButtonCtrl::SetRange(short lower, short upper) {
    // UDM_SETRANGE packs the maximum in the low word and the minimum in the high word.
    SendMessage(UDM_SETRANGE, 0, MAKELPARAM(upper, lower));
}

void CSpinButtonCtrl::GetRange(int& lower, int& upper) const {
    auto range = static_cast<DWORD>(SendMessage(UDM_GETRANGE));
    lower = static_cast<short>(HIWORD(range));
    upper = static_cast<short>(LOWORD(range));
}

void CSpinButtonCtrl::SetRange32(int lower, int upper) {
    SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(lower), static_cast<LPARAM>(upper));
}

void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const {
    SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
}

int CSpinButtonCtrl::SetPos(int position) {
    return static_cast<short>(
        LOWORD(SendMessage(UDM_SETPOS, 0, MAKELPARAM(static_cast<WORD>(position), 0))));
}

int CSpinButtonCtrl::GetPos() const {
    return static_cast<int>(static_cast<DWORD>(SendMessage(UDM_GETPOS)));
}

int CSpinButtonCtrl::SetPos32(int position) {
    return static_cast<int>(SendMessage(UDM_SETPOS32, 0, static_cast<LPARAM>(position)));
}

int CSpinButtonCtrl::GetPos32(BOOL* error) const {
    return static_cast<int>(SendMessage(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(error)));
}

CWnd* CSpinButtonCtrl::SetBuddy(CWnd* buddy) {
    auto previous = reinterpret_cast<HWND>(SendMessage(
        UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy != nullptr ? buddy->GetSafeHwnd() : nullptr)));
    return CWnd::FromHandle(previous);
}

CWnd* CSpinButtonCtrl::GetBuddy() const {
    return CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY)));
}

int CSpinButtonCtrl::SetBase(int base) {
    return static_cast<int>(SendMessage(UDM_SETBASE, static_cast<WPARAM>(base)));
}

UINT CSpinButtonCtrl::GetBase() const {
    return static_cast<UINT>(LOWORD(SendMessage(UDM_GETBASE)));
}

BOOL CSpinButtonCtrl::SetAccel(int count, UDACCEL* accel) {
    return static_cast<BOOL>(
        SendMessage(UDM_SETACCEL, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(accel)));
}

UINT CSpinButtonCtrl::GetAccel(int count, UDACCEL* accel) const {
    return static_cast<UINT>(LOWORD(
        SendMessage(UDM_GETACCEL, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(accel))));
}

// ---- CToolTipCtrl -------------------------------------------------------------------------------

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
    return CWnd::CreateEx(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | style, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                          parent != nullptr ? parent->GetSafeHwnd() : nullptr, nullptr);
}

void CToolTipCtrl::FillInToolInfo(TOOLINFOA& info, CWnd* wnd, UINT_PTR toolId) const {
    info = TOOLINFOA{};
    info.cbSize = sizeof(TOOLINFOA);
    HWND hwnd = wnd != nullptr ? wnd->GetSafeHwnd() : nullptr;
    if (toolId == 0) {
        // A whole window is a tool of its parent, named by its handle.
        info.hwnd = hwnd != nullptr ? ::GetParent(hwnd) : nullptr;
        info.uFlags = TTF_IDISHWND;
        info.uId = reinterpret_cast<UINT_PTR>(hwnd);
    } else {
        info.hwnd = hwnd;
        info.uId = toolId;
    }
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, UINT textId, LPCRECT toolRect, UINT_PTR toolId) {
    if (wnd == nullptr || textId == 0) {
        return FALSE;
    }
    TOOLINFOA info;
    FillInToolInfo(info, wnd, toolId);
    if (toolRect != nullptr) {
        info.rect = *toolRect;
    }
    info.hinst = AfxGetResourceHandle();
    info.lpszText = MAKEINTRESOURCEA(textId);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, LPCSTR text, LPCRECT toolRect, UINT_PTR toolId) {
    if (wnd == nullptr) {
        return FALSE;
    }
    TOOLINFOA info;
    FillInToolInfo(info, wnd, toolId);
    if (toolRect != nullptr) {
        info.rect = *toolRect;
    }
    info.lpszText = const_cast<LPSTR>(text);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::DelTool(CWnd* wnd, UINT_PTR toolId) {
    TOOLINFOA info;
    FillInToolInfo(info, wnd, toolId);
    SendMessage(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::UpdateTipText(LPCSTR text, CWnd* wnd, UINT_PTR toolId) {
    TOOLINFOA info;
    FillInToolInfo(info, wnd, toolId);
    info.lpszText = const_cast<LPSTR>(text);
    SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::UpdateTipText(UINT textId, CWnd* wnd, UINT_PTR toolId) {
    TOOLINFOA info;
    FillInToolInfo(info, wnd, toolId);
    info.hinst = AfxGetResourceHandle();
    info.lpszText = MAKEINTRESOURCEA(textId);
    SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::SetToolRect(CWnd* wnd, UINT_PTR toolId, LPCRECT rect) {
    if (rect == nullptr) {
        return;
    }
    TOOLINFOA info;
    FillInToolInfo(info, wnd, toolId);
    info.rect = *rect;
    SendMessage(TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::GetText(CString& text, CWnd* wnd, UINT_PTR toolId) const {
    // TTM_GETTEXTA has no buffer size: the buffer is as large as a tip text may be.
    std::vector<char> buffer(4096, '\0');
    TOOLINFOA info;
    FillInToolInfo(info, wnd, toolId);
    info.lpszText = buffer.data();
    SendMessage(TTM_GETTEXTA, static_cast<WPARAM>(buffer.size()), reinterpret_cast<LPARAM>(&info));
    buffer.back() = '\0';
    text = buffer.data();
}

int CToolTipCtrl::GetToolCount() const {
    return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT));
}

void CToolTipCtrl::Activate(BOOL activate) {
    SendMessage(TTM_ACTIVATE, static_cast<WPARAM>(activate));
}

void CToolTipCtrl::RelayEvent(LPMSG msg) {
    SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
}

int CToolTipCtrl::SetMaxTipWidth(int width) {
    return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, static_cast<LPARAM>(width)));
}

void CToolTipCtrl::Pop() {
    SendMessage(TTM_POP);
}

// ---- CTabCtrl
// -------------------------------------------------------------------------------------

BOOL CTabCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(WC_TABCONTROLA, nullptr, style, rect, parent, id);
}

LONG CTabCtrl::InsertItem(int item, LPCSTR text) {
    TCITEMA info{};
    info.mask = TCIF_TEXT;
    info.pszText = const_cast<LPSTR>(text);
    return InsertItem(item, &info);
}

LONG CTabCtrl::InsertItem(int item, LPCSTR text, int image) {
    TCITEMA info{};
    info.mask = TCIF_TEXT | TCIF_IMAGE;
    info.pszText = const_cast<LPSTR>(text);
    info.iImage = image;
    return InsertItem(item, &info);
}

LONG CTabCtrl::InsertItem(int item, TCITEMA* info) {
    return static_cast<LONG>(
        SendMessage(TCM_INSERTITEMA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(info)));
}

BOOL CTabCtrl::DeleteItem(int item) {
    return static_cast<BOOL>(SendMessage(TCM_DELETEITEM, static_cast<WPARAM>(item)));
}

BOOL CTabCtrl::DeleteAllItems() {
    return static_cast<BOOL>(SendMessage(TCM_DELETEALLITEMS));
}

int CTabCtrl::GetItemCount() const {
    return static_cast<int>(SendMessage(TCM_GETITEMCOUNT));
}

BOOL CTabCtrl::GetItem(int item, TCITEMA* info) const {
    return static_cast<BOOL>(
        SendMessage(TCM_GETITEMA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(info)));
}

BOOL CTabCtrl::SetItem(int item, TCITEMA* info) {
    return static_cast<BOOL>(
        SendMessage(TCM_SETITEMA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(info)));
}

int CTabCtrl::GetCurSel() const {
    return static_cast<int>(SendMessage(TCM_GETCURSEL));
}

int CTabCtrl::SetCurSel(int item) {
    return static_cast<int>(SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(item)));
}

void CTabCtrl::AdjustRect(BOOL larger, LPRECT rect) {
    SendMessage(TCM_ADJUSTRECT, static_cast<WPARAM>(larger), reinterpret_cast<LPARAM>(rect));
}

BOOL CTabCtrl::GetItemRect(int item, LPRECT rect) const {
    return static_cast<BOOL>(
        SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(rect)));
}

int CTabCtrl::GetRowCount() const {
    return static_cast<int>(SendMessage(TCM_GETROWCOUNT));
}
