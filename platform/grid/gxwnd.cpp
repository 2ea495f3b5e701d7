// The grid window: messages of the window turned into the grid core's calls, painting, the
// window class GXWND of dialog templates, and the answers to the Robot's cell queries.
#include "grid/gxwnd.h"

#include "grid/gxctrl.h"
#include "kvwin32/robot.h"

namespace {

// The procedure of a GXWND window that no grid object has subclassed yet: it wants the keys
// of a dialog and paints the window colour.
LRESULT CALLBACK gridClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETDLGCODE:
            return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS;
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

CPoint pointOf(LPARAM lParam) {
    return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}

}  // namespace

BOOL GXRegisterWndClass() {
    WNDCLASSA existing{};
    if (GetClassInfoA(nullptr, GX_GRID_CLASS, &existing)) {
        return TRUE;
    }
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
    wc.lpfnWndProc = gridClassProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = GX_GRID_CLASS;
    return RegisterClassA(&wc) != 0;
}

CGXGridWnd::CGXGridWnd() {
    AttachGridWnd(this);
}

CGXGridWnd::~CGXGridWnd() = default;

BOOL CGXGridWnd::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (!GXRegisterWndClass()) {
        return FALSE;
    }
    return CWnd::CreateEx(0, GX_GRID_CLASS, "", style | WS_CHILD, rect, parent, id);
}

void CGXGridWnd::Initialize() {
    CGXGridCore::Initialize();
}

BOOL CGXGridWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    // The notifications of a cell editor go to its control.
    if (CGXControl* control = GetCurrentCellControl(); control != nullptr) {
        CWnd* edit = control->GetEditWnd();
        if (edit != nullptr && reinterpret_cast<HWND>(lParam) == edit->m_hWnd) {
            return control->OnCommand(wParam, lParam);
        }
    }
    return CWnd::OnCommand(wParam, lParam);
}

LRESULT CGXGridWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kvwin32::gridCellQueryMessage()) {
        return OnCellQuery(lParam);
    }
    switch (message) {
        case WM_GETDLGCODE:
            return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
        case WM_PRINTCLIENT: {
            if (wParam != 0) {
                CDC dc;
                dc.Attach(reinterpret_cast<HDC>(wParam));
                OnGridDraw(&dc);
                dc.Detach();
                if (message == WM_PAINT) {
                    ValidateRect(nullptr);
                }
                return 0;
            }
            if (message == WM_PRINTCLIENT) {
                return 0;
            }
            CPaintDC dc(this);
            OnGridDraw(&dc);
            return 0;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            Invalidate(FALSE);
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            OnGridLButtonDown(static_cast<UINT>(wParam), pointOf(lParam),
                              message == WM_LBUTTONDBLCLK);
            return 0;
        case WM_MOUSEMOVE:
            OnGridMouseMove(static_cast<UINT>(wParam), pointOf(lParam));
            return 0;
        case WM_LBUTTONUP:
            OnGridLButtonUp(static_cast<UINT>(wParam), pointOf(lParam));
            return 0;
        case WM_KEYDOWN:
            OnGridKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_KEYUP:
            OnGridKeyUp(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_CHAR:
            OnGridChar(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
            return 0;
        default:
            break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CGXGridWnd::OnGridLButtonDown(UINT flags, CPoint point, bool twice) {
    if (::GetFocus() != m_hWnd) {
        SetFocus();
    }
    ROWCOL row = 0;
    ROWCOL col = 0;
    if (!HitTest(point, row, col)) {
        return;
    }
    m_mouse = MouseState{true, false, row, col, row, col};
    SetCapture(m_hWnd);
    OnLButtonHitRowCol(row, col, row, col, point, flags, GX_HITSTART);
    if (twice && (GetParam()->GetActivateCellFlags() & GX_CAFOCUS_DBLCLICKONCELL) &&
        IsCurrentCell(row, col)) {
        StartEditing();
    }
}

void CGXGridWnd::OnGridMouseMove(UINT flags, CPoint point) {
    if (!m_mouse.down) {
        return;
    }
    ROWCOL row = 0;
    ROWCOL col = 0;
    if (!HitTest(point, row, col) || row == 0 || col == 0 ||
        (row == m_mouse.dragRow && col == m_mouse.dragCol)) {
        return;
    }
    m_mouse.dragRow = row;
    m_mouse.dragCol = col;
    m_mouse.dragged = true;
    // Dragging across cells asks for a range selection.
    CGXRange range(m_mouse.hitRow, m_mouse.hitCol, row, col);
    if (CanChangeSelection(&range, TRUE)) {
        OnChangedSelection(&range, TRUE, FALSE);
    }
    OnLButtonHitRowCol(m_mouse.hitRow, m_mouse.hitCol, row, col, point, flags, GX_HITMOVE);
}

void CGXGridWnd::OnGridLButtonUp(UINT flags, CPoint point) {
    if (!m_mouse.down) {
        return;
    }
    if (::GetCapture() == m_hWnd) {
        ReleaseCapture();
    }
    ROWCOL row = 0;
    ROWCOL col = 0;
    if (!HitTest(point, row, col) || row == 0 || col == 0) {
        row = m_mouse.dragRow;
        col = m_mouse.dragCol;
    }
    if (row != m_mouse.dragRow || col != m_mouse.dragCol) {
        m_mouse.dragRow = row;
        m_mouse.dragCol = col;
        m_mouse.dragged = true;
    }
    const MouseState mouse = m_mouse;
    OnLButtonHitRowCol(mouse.hitRow, mouse.hitCol, mouse.dragRow, mouse.dragCol, point, flags,
                       GX_HITEND);
    m_mouse = MouseState{};
}

void CGXGridWnd::OnGridKeyDown(UINT ch, UINT repeat, UINT flags) {
    if (ProcessKeys(this, WM_KEYDOWN, ch, repeat, flags)) {
        return;
    }
    if (CGXControl* control = GetCurrentCellControl(); control != nullptr) {
        control->OnGridKeyDown(ch, repeat, flags);
    }
}

void CGXGridWnd::OnGridKeyUp(UINT ch, UINT repeat, UINT flags) {
    ProcessKeys(this, WM_KEYUP, ch, repeat, flags);
}

void CGXGridWnd::OnGridChar(UINT ch, UINT repeat, UINT flags) {
    if (CGXControl* control = GetCurrentCellControl(); control != nullptr) {
        control->OnGridChar(ch, repeat, flags);
    }
}

LRESULT CGXGridWnd::OnCellQuery(LPARAM lParam) {
    auto* query = reinterpret_cast<kvwin32::GridCellQuery*>(lParam);
    if (query == nullptr) {
        return 0;
    }
    query->rows = static_cast<int>(GetRowCount());
    query->cols = static_cast<int>(GetColCount());
    ROWCOL curRow = 0;
    ROWCOL curCol = 0;
    GetCurrentCell(curRow, curCol);
    query->currentRow = static_cast<int>(curRow);
    query->currentCol = static_cast<int>(curCol);
    CGXControl* current = GetCurrentCellControl();
    query->editing = current != nullptr && current->IsActive();
    if (query->row < 0 || query->col < 0 || static_cast<ROWCOL>(query->row) > GetRowCount() ||
        static_cast<ROWCOL>(query->col) > GetColCount()) {
        return 1;
    }
    const auto row = static_cast<ROWCOL>(query->row);
    const auto col = static_cast<ROWCOL>(query->col);
    query->exists = true;
    CRect rect = CalcRectFromRowCol(row, col);
    query->shown = !rect.IsRectEmpty();
    query->rect = rect;
    CGXStyle style;
    ComposeStyleRowCol(row, col, &style);
    CGXControl* control = GetRegisteredControl(style.GetControl());
    CString text = style.GetValue();
    if (query->editing && IsCurrentCell(row, col)) {
        current->GetValue(text);
    }
    query->text = text.str();
    query->control = dynamic_cast<CGXCheckBox*>(control) != nullptr      ? "check"
                     : dynamic_cast<CGXEditControl*>(control) != nullptr ? "edit"
                                                                         : "other";
    return 1;
}
