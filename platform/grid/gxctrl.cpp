// The grid's cell controls: the text editor over the current cell and the 3D check box.
#include "grid/gxctrl.h"

#include <algorithm>
#include <string>

namespace {

bool ctrlDown() {
    return (GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

// Keys an active editor leaves to the grid first: they move between cells or end editing.
bool gridKey(UINT vk) {
    switch (vk) {
        case VK_TAB:
        case VK_RETURN:
        case VK_ESCAPE:
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
            return true;
        case VK_DELETE:
        case VK_BACK:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_HOME:
        case VK_END:
        case VK_INSERT:
            return false;  // editing keys, with Ctrl too
        default:
            return ctrlDown();
    }
}

}  // namespace

// ---- CGXEditControl -------------------------------------------------------------------------

CGXEditControl::CGXEditControl(CGXGridCore* grid, UINT id) : CGXControl(grid), m_nID(id) {}

CGXEditControl::~CGXEditControl() {
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) {
        DestroyWindow();
    }
}

BOOL CGXEditControl::CreateEditWnd() {
    if (m_hWnd != nullptr) {
        return TRUE;
    }
    CWnd* gridWnd = Grid()->GridWnd();
    if (gridWnd == nullptr || gridWnd->m_hWnd == nullptr) {
        return FALSE;
    }
    return CEdit::Create(WS_CHILD | ES_AUTOHSCROLL | ES_LEFT, CRect(0, 0, 0, 0), gridWnd, m_nID);
}

void CGXEditControl::Init(ROWCOL row, ROWCOL col) {
    if (m_bActive && (row != m_nRow || col != m_nCol)) {
        SetActive(FALSE);
    }
    CGXControl::Init(row, col);
}

void CGXEditControl::Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col,
                          const CGXStyle& style) {
    CGXControl::Draw(dc, rect, row, col, style);
}

void CGXEditControl::SetActive(BOOL active) {
    if (!active) {
        if (m_bActive && m_hWnd != nullptr) {
            ShowWindow(SW_HIDE);
        }
        m_bActive = FALSE;
        return;
    }
    if (m_bActive || !CreateEditWnd()) {
        return;
    }
    CWnd* gridWnd = Grid()->GridWnd();
    SendMessage(WM_SETFONT, static_cast<WPARAM>(gridWnd->SendMessage(WM_GETFONT)), FALSE);
    m_bLoading = TRUE;
    SetWindowText(Grid()->GetValueRowCol(m_nRow, m_nCol));
    CEdit::SetModify(FALSE);
    m_bLoading = FALSE;
    // Inside the cell's borders, so that a frame around the cell stays in sight.
    CRect rect = Grid()->CalcRectFromRowCol(m_nRow, m_nCol);
    rect.DeflateRect(2, 2, 2, 2);
    MoveWindow(&rect, FALSE);
    const int length = GetWindowTextLength();
    SetSel(length, length);
    m_bActive = TRUE;
    ShowWindow(SW_SHOW);
}

BOOL CGXEditControl::GetModify() {
    return m_bActive && m_hWnd != nullptr && CEdit::GetModify();
}

void CGXEditControl::SetModify(BOOL modified) {
    if (m_hWnd != nullptr) {
        CEdit::SetModify(modified);
    }
}

BOOL CGXEditControl::Store() {
    if (!m_bActive || m_hWnd == nullptr) {
        return FALSE;
    }
    CString text;
    GetWindowText(text);
    Grid()->SetValueRange(CGXRange(m_nRow, m_nCol), text);
    CEdit::SetModify(FALSE);
    return TRUE;
}

BOOL CGXEditControl::GetValue(CString& value) {
    if (m_bActive && m_hWnd != nullptr) {
        GetWindowText(value);
        return TRUE;
    }
    return CGXControl::GetValue(value);
}

BOOL CGXEditControl::OnGridChar(UINT ch, UINT, UINT) {
    // A printable character starts editing and replaces what the cell held; a blank does not
    // start editing (Space moves between cells and checks boxes).
    if (ch <= ' ' || ch == 0x7F) {
        return FALSE;
    }
    if (!Grid()->StartEditing() || !m_bActive) {
        return FALSE;
    }
    SetSel(0, -1);
    SendMessage(WM_CHAR, ch, 1);
    return TRUE;
}

BOOL CGXEditControl::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (m_hWnd != nullptr && reinterpret_cast<HWND>(lParam) == m_hWnd) {
        if (HIWORD(wParam) == EN_CHANGE && m_bActive && !m_bLoading) {
            Grid()->OnModifyCell(m_nRow, m_nCol);
        }
        return TRUE;
    }
    return CEdit::OnCommand(wParam, lParam);
}

LRESULT CGXEditControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETDLGCODE:
            return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
        case WM_KEYDOWN:
            if (gridKey(static_cast<UINT>(wParam))) {
                CWnd* sender = this;
                if (Grid()->ProcessKeys(sender, WM_KEYDOWN, static_cast<UINT>(wParam),
                                        LOWORD(lParam), HIWORD(lParam))) {
                    return 0;
                }
                if (wParam == VK_TAB || wParam == VK_RETURN || wParam == VK_ESCAPE) {
                    return 0;
                }
            }
            break;
        case WM_KEYUP:
            if (Grid()->ProcessKeys(this, WM_KEYUP, static_cast<UINT>(wParam), LOWORD(lParam),
                                    HIWORD(lParam))) {
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == '\t' || wParam == '\r' || wParam == '\n' || wParam == 0x1B) {
                return 0;
            }
            break;
        case WM_KILLFOCUS: {
            LRESULT result = CEdit::WindowProc(message, wParam, lParam);
            CWnd* gridWnd = Grid()->GridWnd();
            auto to = reinterpret_cast<HWND>(wParam);
            const bool inside = to != nullptr && gridWnd != nullptr &&
                                (to == gridWnd->m_hWnd || ::IsChild(gridWnd->m_hWnd, to));
            if (!inside && m_bActive && !Grid()->m_bKeepEditOnKillFocus) {
                ROWCOL row = 0;
                ROWCOL col = 0;
                if (Grid()->GetCurrentCell(row, col) && row == m_nRow && col == m_nCol) {
                    Grid()->TransferCurrentCell(TRUE);
                }
            }
            return result;
        }
        default:
            break;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}

// ---- CGXCheckBox ----------------------------------------------------------------------------

CRect CGXCheckBox::BoxRect(const CRect& cell) {
    const int size = std::max(0, std::min({13, cell.Width() - 2, cell.Height() - 2}));
    const int left = cell.left + (cell.Width() - size) / 2;
    const int top = cell.top + (cell.Height() - size) / 2;
    return CRect(left, top, left + size, top + size);
}

void CGXCheckBox::Draw(CDC* dc, const CRect& rect, ROWCOL, ROWCOL, const CGXStyle& style) {
    CRect box = BoxRect(rect);
    if (box.Width() < 6) {
        return;
    }
    const bool enabled = style.GetEnabled() && !style.GetReadOnly();
    dc->FillSolidRect(&box, GetSysColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
    dc->DrawEdge(&box, EDGE_SUNKEN, BF_RECT);
    if (style.GetValue() != "1") {
        return;
    }
    // The check mark: a short stroke down, then a long one up, three pixels thick.
    const COLORREF mark = GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
    const int x0 = box.left + 3;
    const int y0 = box.top + box.Height() / 2 - 1;
    for (int i = 0; i < 7; ++i) {
        const int x = x0 + i;
        const int y = i < 3 ? y0 + i : y0 + 4 - i;
        for (int k = 0; k < 3; ++k) {
            if (y + k < box.bottom - 2 && x < box.right - 2) {
                dc->SetPixel(x, y + k, mark);
            }
        }
    }
}

BOOL CGXCheckBox::Toggle() {
    CGXStyle style;
    if (!Grid()->ComposeStyleRowCol(m_nRow, m_nCol, &style) || style.GetReadOnly() ||
        !style.GetEnabled()) {
        return FALSE;
    }
    Grid()->SetValueRange(CGXRange(m_nRow, m_nCol), style.GetValue() == "1" ? "0" : "1");
    Grid()->OnModifyCell(m_nRow, m_nCol);
    return TRUE;
}

BOOL CGXCheckBox::OnGridKeyDown(UINT ch, UINT, UINT) {
    return ch == VK_SPACE && Toggle();
}

BOOL CGXCheckBox::LButtonUp(UINT, CPoint) {
    Toggle();
    return TRUE;
}
