// CCheckListBox: the check boxes of an owner-drawn list box. The list box itself (selection,
// keyboard, notifications) is the system's; this class keeps a record per item behind the
// item data, draws the boxes, and toggles them on the user's click in a box or Space, as the
// framework does.
#include <algorithm>

#include "afxchecklistbox.h"

namespace {

// The next check state a user's toggle gives: 0 -> 1 -> 0 for two-state styles,
// 0 -> 1 -> 2 -> 0 for BS_AUTO3STATE. A state the style cannot show (2 with a two-state
// style) counts as checked.
int nextCheck(int check, UINT style) {
    int states = style == BS_AUTO3STATE ? 3 : 2;
    if (check >= states) {
        check = states - 1;
    }
    return (std::max(check, 0) + 1) % states;
}

// Whether a style toggles by itself (the others leave the check to the parent).
bool isAutoStyle(UINT style) {
    return style == BS_AUTOCHECKBOX || style == BS_AUTO3STATE;
}

}  // namespace

BEGIN_MESSAGE_MAP(CCheckListBox, CListBox)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_KEYDOWN()
END_MESSAGE_MAP()

CCheckListBox::CCheckListBox() = default;

CCheckListBox::~CCheckListBox() {
    // The records die with the object: the window (if any) must not point at them afterwards.
    if (m_hWnd != nullptr) {
        DestroyWindow();
    }
}

UINT CCheckListBox::getCheckMessage() {
    return RegisterWindowMessageA(KV_CHECKLISTBOX_GETCHECK_MSG);
}

BOOL CCheckListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CListBox::Create(style, rect, parent, id);
}

void CCheckListBox::PreSubclassWindow() {
    CListBox::PreSubclassWindow();
    fitItemHeight();
}

void CCheckListBox::SetCheckStyle(UINT style) {
    if (style == BS_CHECKBOX || style == BS_AUTOCHECKBOX || style == BS_3STATE ||
        style == BS_AUTO3STATE) {
        m_nStyle = style;
    }
}

UINT CCheckListBox::GetCheckStyle() const {
    return m_nStyle;
}

void CCheckListBox::SetCheck(int index, int check) {
    if (check < 0 || check > 2) {
        return;
    }
    if (CheckRecord* record = ensureRecord(index)) {
        record->check = check;
        InvalidateCheck(index);
    }
}

int CCheckListBox::GetCheck(int index) {
    CheckRecord* record = recordOf(index);
    return record != nullptr ? record->check : 0;
}

void CCheckListBox::Enable(int index, BOOL enabled) {
    if (CheckRecord* record = ensureRecord(index)) {
        record->enabled = enabled ? TRUE : FALSE;
        InvalidateItem(index);
    }
}

BOOL CCheckListBox::IsEnabled(int index) {
    CheckRecord* record = recordOf(index);
    return record != nullptr ? record->enabled : TRUE;
}

CRect CCheckListBox::OnGetCheckPosition(CRect /*itemRect*/, CRect checkRect) {
    return checkRect;
}

// ---- Records behind the item data ----------------------------------------------------------

CCheckListBox::CheckRecord* CCheckListBox::recordOf(int index) {
    if (m_hWnd == nullptr || index < 0 || index >= GetCount()) {
        return nullptr;
    }
    // The list box's own data, past this class's translation.
    auto raw = static_cast<DWORD_PTR>(DefWindowProc(LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
    for (const auto& record : m_records) {
        if (reinterpret_cast<DWORD_PTR>(record.get()) == raw) {
            return record.get();
        }
    }
    return nullptr;
}

CCheckListBox::CheckRecord* CCheckListBox::ensureRecord(int index) {
    if (CheckRecord* record = recordOf(index)) {
        return record;
    }
    if (m_hWnd == nullptr || index < 0 || index >= GetCount()) {
        return nullptr;
    }
    auto record = std::make_unique<CheckRecord>();
    record->userData =
        static_cast<DWORD_PTR>(DefWindowProc(LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
    DefWindowProc(LB_SETITEMDATA, static_cast<WPARAM>(index),
                  reinterpret_cast<LPARAM>(record.get()));
    m_records.push_back(std::move(record));
    return m_records.back().get();
}

void CCheckListBox::collectRecords() {
    if (m_hWnd == nullptr) {
        m_records.clear();
        return;
    }
    std::vector<DWORD_PTR> live;
    int count = GetCount();
    for (int i = 0; i < count; ++i) {
        live.push_back(
            static_cast<DWORD_PTR>(DefWindowProc(LB_GETITEMDATA, static_cast<WPARAM>(i), 0)));
    }
    std::erase_if(m_records, [&live](const std::unique_ptr<CheckRecord>& record) {
        return std::find(live.begin(), live.end(), reinterpret_cast<DWORD_PTR>(record.get())) ==
               live.end();
    });
}

LRESULT CCheckListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    auto index = static_cast<int>(wParam);
    switch (message) {
        case LB_GETITEMDATA:
            // Callers see their own data, never the record (0 until they set some).
            if (CheckRecord* record = recordOf(index)) {
                return static_cast<LRESULT>(record->userData);
            }
            break;
        case LB_SETITEMDATA:
            if (CheckRecord* record = recordOf(index)) {
                record->userData = static_cast<DWORD_PTR>(lParam);
                return 0;  // LB_OKAY
            }
            break;
        case LB_DELETESTRING:
        case LB_RESETCONTENT:
        case WM_DESTROY: {
            LRESULT answer = CListBox::WindowProc(message, wParam, lParam);
            collectRecords();
            return answer;
        }
        case WM_NCDESTROY:
            m_records.clear();
            break;
        default:
            if (message == getCheckMessage()) {
                if (m_hWnd == nullptr || index < 0 || index >= GetCount()) {
                    return LB_ERR;
                }
                return KV_CHECKLISTBOX_ANSWERED | GetCheck(index);
            }
            break;
    }
    return CListBox::WindowProc(message, wParam, lParam);
}

// ---- The user's toggles ---------------------------------------------------------------------

int CCheckListBox::CheckFromPoint(CPoint point, BOOL& inCheck) {
    inCheck = FALSE;
    int count = GetCount();
    for (int i = std::max(GetTopIndex(), 0); i < count; ++i) {
        CRect item;
        if (GetItemRect(i, &item) == LB_ERR) {
            break;
        }
        if (PtInRect(&item, point)) {
            // The box and the pixel of space on either side of it take the click.
            inCheck = point.x < item.left + kCheckSize + 2 ? TRUE : FALSE;
            return i;
        }
    }
    return -1;
}

void CCheckListBox::toggleByUser(int index) {
    SetCheck(index, nextCheck(GetCheck(index), m_nStyle));
}

void CCheckListBox::notifyCheckChange() {
    // The parent at the time of the change hears of it at once, as of any control's
    // notification.
    if (HWND parent = ::GetParent(m_hWnd)) {
        ::SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE),
                       reinterpret_cast<LPARAM>(m_hWnd));
    }
}

void CCheckListBox::OnLButtonDown(UINT flags, CPoint point) {
    SetFocus();
    BOOL inCheck = FALSE;
    int index = CheckFromPoint(point, inCheck);
    // A disabled item takes no click at all: neither its check nor the selection changes.
    if (index >= 0 && !IsEnabled(index)) {
        return;
    }
    if (index >= 0 && inCheck && isAutoStyle(m_nStyle)) {
        // The box toggles, the item is selected as by any click, then the parent learns of
        // the new check.
        toggleByUser(index);
        CListBox::OnLButtonDown(flags, point);
        notifyCheckChange();
        return;
    }
    if (index >= 0 && inCheck) {
        // Manual styles leave the check to the parent, which hears of the click.
        CListBox::OnLButtonDown(flags, point);
        notifyCheckChange();
        return;
    }
    CListBox::OnLButtonDown(flags, point);
}

void CCheckListBox::OnLButtonDblClk(UINT flags, CPoint point) {
    BOOL inCheck = FALSE;
    CheckFromPoint(point, inCheck);
    if (inCheck) {
        // A second click on the box is one more toggle, not a double click.
        OnLButtonDown(flags, point);
        return;
    }
    CListBox::OnLButtonDblClk(flags, point);
}

void CCheckListBox::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    if (key == VK_SPACE) {
        int index = GetCaretIndex();
        if (index >= 0 && index < GetCount() && IsEnabled(index)) {
            if (isAutoStyle(m_nStyle)) {
                toggleByUser(index);
            }
            CListBox::OnKeyDown(key, repeat, flags);
            notifyCheckChange();
            return;
        }
    }
    CListBox::OnKeyDown(key, repeat, flags);
}

void CCheckListBox::InvalidateCheck(int index) {
    CRect item;
    if (m_hWnd != nullptr && GetItemRect(index, &item) != LB_ERR) {
        item.right = item.left + kCheckSize + 2;
        InvalidateRect(&item, FALSE);
    }
}

void CCheckListBox::InvalidateItem(int index) {
    CRect item;
    if (m_hWnd != nullptr && GetItemRect(index, &item) != LB_ERR) {
        InvalidateRect(&item, FALSE);
    }
}

// ---- Owner drawing ----------------------------------------------------------------------------

int CCheckListBox::CalcMinimumItemHeight() {
    if (m_cyText == 0 && m_hWnd != nullptr) {
        CClientDC dc(this);
        CFont* font = GetFont();
        HGDIOBJ old = font != nullptr ? dc.SelectObject(font->GetSafeHandle()) : nullptr;
        TEXTMETRICA metrics{};
        if (dc.GetTextMetrics(&metrics)) {
            m_cyText = metrics.tmHeight + metrics.tmExternalLeading;
        }
        if (old != nullptr) {
            dc.SelectObject(old);
        }
    }
    return std::max(kCheckSize + 1, m_cyText);
}

void CCheckListBox::fitItemHeight() {
    if (m_hWnd != nullptr && (GetStyle() & LBS_OWNERDRAWFIXED) != 0) {
        SetItemHeight(0, static_cast<UINT>(CalcMinimumItemHeight()));
    }
}

void CCheckListBox::MeasureItem(MEASUREITEMSTRUCT* measure) {
    if (measure != nullptr) {
        measure->itemHeight = static_cast<UINT>(CalcMinimumItemHeight());
    }
}

void CCheckListBox::DeleteItem(DELETEITEMSTRUCT* /*del*/) {}

void CCheckListBox::drawCheckBox(const DRAWITEMSTRUCT& draw) {
    HDC dc = draw.hDC;
    bool disabled = !IsWindowEnabled() || !IsEnabled(static_cast<int>(draw.itemID));
    bool selected = (draw.itemState & ODS_SELECTED) != 0 && !disabled;
    int itemHeight = draw.rcItem.bottom - draw.rcItem.top;

    // The check area: the box and a pixel either side, in the item's background.
    RECT area = draw.rcItem;
    area.right = area.left + kCheckSize + 2;
    HBRUSH background = CreateSolidBrush(GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    ::FillRect(dc, &area, background);
    DeleteObject(background);

    CRect box(draw.rcItem.left + 1,
              draw.rcItem.top + 1 + std::max(0, (itemHeight - kCheckSize) / 2),
              draw.rcItem.left + 1 + kCheckSize, 0);
    box.bottom = box.top + kCheckSize;
    box = OnGetCheckPosition(CRect(area), box);

    int check = GetCheck(static_cast<int>(draw.itemID));
    HBRUSH face =
        CreateSolidBrush(GetSysColor(check == 2 || disabled ? COLOR_3DFACE : COLOR_WINDOW));
    ::FillRect(dc, &box, face);
    DeleteObject(face);
    HBRUSH frame = CreateSolidBrush(GetSysColor(COLOR_WINDOWTEXT));
    ::FrameRect(dc, &box, frame);
    DeleteObject(frame);
    if (check != 0) {
        // The tick: two strokes from the lower left to the upper right, grey when
        // indeterminate.
        HPEN pen =
            CreatePen(PS_SOLID, 1, GetSysColor(check == 2 ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
        HGDIOBJ oldPen = ::SelectObject(dc, pen);
        for (int row = 0; row < 3; ++row) {
            ::MoveToEx(dc, box.left + 3, box.top + 5 + row, nullptr);
            ::LineTo(dc, box.left + 5, box.top + 7 + row);
            ::LineTo(dc, box.left + 10, box.top + 2 + row);
        }
        ::SelectObject(dc, oldPen);
        DeleteObject(pen);
    }
}

void CCheckListBox::DrawItem(DRAWITEMSTRUCT* draw) {
    if (draw == nullptr) {
        return;
    }
    CDC* dc = CDC::FromHandle(draw->hDC);
    auto index = static_cast<int>(draw->itemID);
    if (index >= 0 && (draw->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0) {
        bool disabled = !IsWindowEnabled() || !IsEnabled(index);
        bool selected = (draw->itemState & ODS_SELECTED) != 0 && !disabled;
        COLORREF text = disabled ? RGB(0x80, 0x80, 0x80)
                                 : GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
        COLORREF back = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
        COLORREF oldText = dc->SetTextColor(text);
        COLORREF oldBack = dc->SetBkColor(back);
        dc->FillSolidRect(&draw->rcItem, back);
        CString label;
        GetText(index, label);
        RECT textRect = draw->rcItem;
        dc->DrawText(label, &textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        dc->SetTextColor(oldText);
        dc->SetBkColor(oldBack);
    }
    if ((draw->itemAction & ODA_FOCUS) != 0) {
        dc->DrawFocusRect(&draw->rcItem);
    }
}

BOOL CCheckListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
        case WM_DRAWITEM: {
            auto* original = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            if (original == nullptr) {
                return FALSE;
            }
            DRAWITEMSTRUCT draw = *original;
            if (static_cast<int>(draw.itemID) >= 0 &&
                (draw.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0) {
                drawCheckBox(draw);
            }
            // DrawItem sees the user's data and the item without the check area.
            if (CheckRecord* record = recordOf(static_cast<int>(draw.itemID))) {
                draw.itemData = record->userData;
            }
            draw.rcItem.left += kCheckSize + 2;
            DrawItem(&draw);
            if (result != nullptr) {
                *result = TRUE;
            }
            return TRUE;
        }
        case WM_MEASUREITEM:
            MeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
            if (result != nullptr) {
                *result = TRUE;
            }
            return TRUE;
        case WM_DELETEITEM: {
            auto* original = reinterpret_cast<DELETEITEMSTRUCT*>(lParam);
            if (original == nullptr) {
                return FALSE;
            }
            DELETEITEMSTRUCT del = *original;
            for (const auto& record : m_records) {
                if (reinterpret_cast<ULONG_PTR>(record.get()) == del.itemData) {
                    del.itemData = record->userData;
                    break;
                }
            }
            DeleteItem(&del);
            if (result != nullptr) {
                *result = TRUE;
            }
            return TRUE;
        }
        default:
            return CListBox::OnChildNotify(message, wParam, lParam, result);
    }
}
