// Drag lists: MakeDragList subclasses a list box so that pressing the button on an item and
// moving the mouse drags it. The list box's parent follows the drag through the registered
// message DRAGLISTMSGSTRING (DL_BEGINDRAG, DL_DRAGGING, DL_DROPPED, DL_CANCELDRAG), asks
// LBItemFromPt where the pointer is and shows the drop position with DrawInsert.
//
// The button going down still reaches the list box, which selects the item under it: the
// selection is what was dragged when DL_DROPPED arrives. While a drag runs, mouse moves are
// the drag's own and no longer move the list box's selection.
#include <algorithm>
#include <memory>

#include "kvwin32/comctl_draglist.h"
#include "kvwin32/winuser.h"
#include "kvwin32/winuser_controls.h"
#include "kvwin32/winuser_draw.h"

namespace {

// The property that holds a drag list's record, as Windows keeps subclass data with the window.
constexpr const char* kDragListProperty = "kvDragList";

// The insertion arrow: a triangle pointing at the list box, its tip at the top edge of the
// item it marks, drawn in the parent just left of the list box.
constexpr int kArrowWidth = 6;
constexpr int kArrowHalfHeight = 5;

struct DragList {
    WNDPROC previous = nullptr;  // the list box's procedure before MakeDragList
    bool dragging = false;       // a drag started and has not ended
    POINT lastPoint{};           // the pointer's last position, screen coordinates
    int insertMark = -1;         // the item DrawInsert marks, -1 for none
    RECT arrow{};                // where that arrow was drawn, parent client coordinates
};

DragList* dragListOf(HWND hwnd) {
    return static_cast<DragList*>(GetPropA(hwnd, kDragListProperty));
}

POINT screenPoint(HWND hwnd, LPARAM lParam) {
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(hwnd, &pt);
    return pt;
}

// Sends the drag-list message to the list box's parent; the answer is the parent's.
LRESULT notifyParent(HWND hwnd, const DragList& list, UINT notification) {
    HWND parent = GetParent(hwnd);
    UINT message = RegisterWindowMessageA(DRAGLISTMSGSTRING);
    if (parent == nullptr || message == 0) {
        return 0;
    }
    DRAGLISTINFO info{notification, hwnd, list.lastPoint};
    return SendMessageA(parent, message, static_cast<WPARAM>(GetDlgCtrlID(hwnd)),
                        reinterpret_cast<LPARAM>(&info));
}

// Ends a drag the user gave up (Escape, the right button, the capture taken away).
void cancelDrag(HWND hwnd, DragList& list) {
    list.dragging = false;
    if (GetCapture() == hwnd) {
        ReleaseCapture();
    }
    notifyParent(hwnd, list, DL_CANCELDRAG);
}

LRESULT dragListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    DragList* list = dragListOf(hwnd);
    if (list == nullptr) {
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    WNDPROC previous = list->previous;
    switch (msg) {
        case WM_LBUTTONDOWN:
            SetFocus(hwnd);
            if ((list = dragListOf(hwnd)) == nullptr) {
                return 0;
            }
            list->lastPoint = screenPoint(hwnd, lParam);
            list->dragging = notifyParent(hwnd, *list, DL_BEGINDRAG) != 0;
            if ((list = dragListOf(hwnd)) == nullptr) {
                return 0;
            }
            if (list->dragging) {
                SetCapture(hwnd);
            }
            break;  // the list box selects the item, as a click does
        case WM_MOUSEMOVE:
            if (list->dragging) {
                list->lastPoint = screenPoint(hwnd, lParam);
                notifyParent(hwnd, *list, DL_DRAGGING);  // the answer names a cursor
                return 0;
            }
            break;
        case WM_LBUTTONUP:
            if (list->dragging) {
                list->dragging = false;
                list->lastPoint = screenPoint(hwnd, lParam);
                if (GetCapture() == hwnd) {
                    ReleaseCapture();
                }
                notifyParent(hwnd, *list, DL_DROPPED);
                if (dragListOf(hwnd) == nullptr) {
                    return 0;
                }
            }
            break;
        case WM_KEYDOWN:
        case WM_RBUTTONDOWN:
            if (list->dragging && (msg == WM_RBUTTONDOWN || wParam == VK_ESCAPE)) {
                cancelDrag(hwnd, *list);
                return 0;
            }
            break;
        case WM_CAPTURECHANGED:
            if (list->dragging && reinterpret_cast<HWND>(lParam) != hwnd) {
                cancelDrag(hwnd, *list);
            }
            break;
        case WM_GETDLGCODE:
            // During a drag the list box wants every key, Escape included.
            if (list->dragging) {
                return CallWindowProcA(previous, hwnd, msg, wParam, lParam) | DLGC_WANTALLKEYS;
            }
            break;
        case WM_NCDESTROY: {
            std::unique_ptr<DragList> owned(list);
            RemovePropA(hwnd, kDragListProperty);
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
            return CallWindowProcA(previous, hwnd, msg, wParam, lParam);
        }
        default:
            break;
    }
    return CallWindowProcA(previous, hwnd, msg, wParam, lParam);
}

// The arrow's rectangle for an item, in the parent's client coordinates.
RECT arrowRect(HWND parent, HWND hwnd, int item) {
    RECT itemRect{};
    if (SendMessageA(hwnd, LB_GETITEMRECT, static_cast<WPARAM>(item),
                     reinterpret_cast<LPARAM>(&itemRect)) == LB_ERR) {
        return RECT{};
    }
    RECT listRect{};
    GetWindowRect(hwnd, &listRect);
    POINT corner{listRect.left, listRect.top};
    ScreenToClient(parent, &corner);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    int tipY = corner.y + (origin.y - listRect.top) + itemRect.top;
    return RECT{corner.x - kArrowWidth - 1, tipY - kArrowHalfHeight, corner.x - 1,
                tipY + kArrowHalfHeight + 1};
}

void drawArrow(HWND parent, const RECT& arrow) {
    HDC dc = GetDC(parent);
    if (dc == nullptr) {
        return;
    }
    HBRUSH brush = GetSysColorBrush(COLOR_WINDOWTEXT);
    int height = arrow.bottom - arrow.top;
    for (int row = 0; row < height; ++row) {
        int fromTip = row < height / 2 ? height / 2 - row : row - height / 2;
        RECT line{arrow.left + fromTip, arrow.top + row, arrow.right, arrow.top + row + 1};
        if (line.left < line.right) {
            FillRect(dc, &line, brush);
        }
    }
    ReleaseDC(parent, dc);
}

}  // namespace

BOOL MakeDragList(HWND hLB) {
    if (!IsWindow(hLB)) {
        return FALSE;
    }
    if (dragListOf(hLB) != nullptr) {
        return TRUE;  // a drag list already: the subclass is in place once
    }
    auto list = std::make_unique<DragList>();
    list->previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hLB, GWLP_WNDPROC));
    if (list->previous == nullptr || !SetPropA(hLB, kDragListProperty, list.get())) {
        return FALSE;
    }
    list.release();  // the property owns it until WM_NCDESTROY
    SetWindowLongPtrA(hLB, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(dragListProc));
    return TRUE;
}

int LBItemFromPt(HWND hLB, POINT pt, BOOL bAutoScroll) {
    if (!IsWindow(hLB)) {
        return -1;
    }
    ScreenToClient(hLB, &pt);
    RECT client{};
    GetClientRect(hLB, &client);
    auto top = static_cast<int>(SendMessageA(hLB, LB_GETTOPINDEX, 0, 0));
    if (PtInRect(&client, pt)) {
        auto count = static_cast<int>(SendMessageA(hLB, LB_GETCOUNT, 0, 0));
        for (int index = std::max(top, 0); index < count; ++index) {
            RECT item{};
            if (SendMessageA(hLB, LB_GETITEMRECT, static_cast<WPARAM>(index),
                             reinterpret_cast<LPARAM>(&item)) == LB_ERR ||
                item.top >= client.bottom) {
                break;
            }
            if (PtInRect(&item, pt)) {
                return index;
            }
        }
        return -1;
    }
    // Above or below the list (but beside it no scrolling): one item further, and no item.
    if (bAutoScroll && pt.x >= client.left && pt.x < client.right) {
        int next = pt.y < client.top ? top - 1 : top + 1;
        if (next >= 0) {
            SendMessageA(hLB, LB_SETTOPINDEX, static_cast<WPARAM>(next), 0);
        }
    }
    return -1;
}

void DrawInsert(HWND handParent, HWND hLB, int nItem) {
    DragList* list = dragListOf(hLB);
    if (list == nullptr || !IsWindow(handParent)) {
        return;
    }
    if (nItem == list->insertMark) {
        return;
    }
    if (list->insertMark != -1) {
        InvalidateRect(handParent, &list->arrow, TRUE);
    }
    list->insertMark = -1;
    list->arrow = RECT{};
    if (nItem < 0) {
        return;
    }
    RECT arrow = arrowRect(handParent, hLB, nItem);
    if (arrow.right <= arrow.left) {
        return;
    }
    list->insertMark = nItem;
    list->arrow = arrow;
    drawArrow(handParent, arrow);
}

namespace kvwin32 {

int dragListInsertMark(HWND hLB) {
    const DragList* list = dragListOf(hLB);
    return list ? list->insertMark : -1;
}

}  // namespace kvwin32
