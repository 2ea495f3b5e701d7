// The list view's report layout (header, rows, columns, the parts of an item), hit testing,
// callback texts and images, and painting (see internal/listview.h).
#include <algorithm>
#include <cstring>
#include <numeric>

#include "internal/gdi.h"
#include "internal/listview.h"

namespace kvwin32::internal {
namespace {

// Header height for the built-in dialog font: the text and a 3-D frame around it.
constexpr int kHeaderHeight = kFontHeight + 4;
// Space Windows leaves before a cell's text.
constexpr int kLabelMargin = 2;
// Longest text a callback answer is read for.
constexpr int kCallbackBuffer = 260;
// Side of the check box images made for LVS_EX_CHECKBOXES.
constexpr int kCheckBoxSide = 16;

std::shared_ptr<ListViewState> listViewOf(HWND hwnd) {
    return stateOf<ListViewState>(hwnd);
}

SIZE imageSize(HIMAGELIST list) {
    int cx = 0;
    int cy = 0;
    if (list != nullptr && ImageList_GetIconSize(list, &cx, &cy)) {
        return SIZE{cx, cy};
    }
    return SIZE{0, 0};
}

// The check box faces: a sunken white square, the second with a tick.
void drawCheckBox(HDC dc, int x, bool checked) {
    RECT box{x + 2, 2, x + kCheckBoxSide - 1, kCheckBoxSide - 1};
    FillRect(dc, &box, GetSysColorBrush(COLOR_WINDOW));
    DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT);
    if (checked) {
        HGDIOBJ old = SelectObject(dc, GetStockObject(BLACK_PEN));
        for (int i = 0; i < 3; ++i) {
            MoveToEx(dc, x + 5, 7 + i, nullptr);
            LineTo(dc, x + 7, 9 + i);
            LineTo(dc, x + 12, 4 + i);
        }
        SelectObject(dc, old);
    }
}

COLORREF colourOr(COLORREF colour, int sysColour) {
    return colour == CLR_INVALID || colour == CLR_DEFAULT ? GetSysColor(sysColour) : colour;
}

UINT alignmentOf(const ListViewColumn& column, int index) {
    if (index == 0) {
        return DT_LEFT;  // Windows keeps the first column left aligned
    }
    switch (column.fmt & LVCFMT_JUSTIFYMASK) {
        case LVCFMT_RIGHT:
            return DT_RIGHT;
        case LVCFMT_CENTER:
            return DT_CENTER;
        default:
            return DT_LEFT;
    }
}

void paintHeader(HWND hwnd, HDC dc, const ListViewState& s, int width) {
    const int height = listViewHeaderHeight(hwnd);
    if (height == 0) {
        return;
    }
    RECT strip{0, 0, width, height};
    FillRect(dc, &strip, GetSysColorBrush(COLOR_BTNFACE));
    for (std::size_t c = 0; c < s.columns.size(); ++c) {
        const int left = listViewColumnLeft(s, static_cast<int>(c));
        RECT cell{left, 0, left + s.columns[c].cx, height};
        DrawEdge(dc, &cell, EDGE_RAISED, BF_RECT);
        RECT text{cell.left + 4, cell.top, cell.right - 4, cell.bottom};
        const std::string& label = s.columns[c].text;
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        DrawTextA(dc, label.c_str(), static_cast<int>(label.size()), &text,
                  alignmentOf(s.columns[c], static_cast<int>(c)) | DT_SINGLELINE | DT_VCENTER |
                      DT_NOPREFIX | DT_END_ELLIPSIS);
    }
}

void paintRow(HWND hwnd, HDC dc, const ListViewState& s, int item) {
    const ListViewItem& row = s.items[static_cast<std::size_t>(item)];
    const bool selected = (row.state & LVIS_SELECTED) != 0 &&
                          (s.hasFocus || (GetWindowLongA(hwnd, GWL_STYLE) & LVS_SHOWSELALWAYS));
    RECT highlight{};
    listViewItemRect(hwnd, s, item, (s.exStyle & LVS_EX_FULLROWSELECT) ? LVIR_BOUNDS : LVIR_LABEL,
                     highlight);
    if (selected) {
        FillRect(dc, &highlight, GetSysColorBrush(s.hasFocus ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    }
    const UINT stateIndex = (row.state & LVIS_STATEIMAGEMASK) >> 12;
    RECT bounds{};
    listViewItemRect(hwnd, s, item, LVIR_BOUNDS, bounds);
    if (s.stateImages != nullptr && stateIndex > 0) {
        const SIZE size = imageSize(s.stateImages);
        ImageList_Draw(s.stateImages, static_cast<int>(stateIndex) - 1, dc, bounds.left,
                       bounds.top + (bounds.bottom - bounds.top - size.cy) / 2, ILD_TRANSPARENT);
    }
    RECT icon{};
    listViewItemRect(hwnd, s, item, LVIR_ICON, icon);
    const int image = listViewItemImage(hwnd, item);
    if (s.smallImages != nullptr && image >= 0) {
        const SIZE size = imageSize(s.smallImages);
        ImageList_Draw(s.smallImages, image, dc, icon.left,
                       icon.top + (icon.bottom - icon.top - size.cy) / 2,
                       selected && s.hasFocus ? ILD_SELECTED : ILD_TRANSPARENT);
    }
    for (std::size_t c = 0; c < std::max<std::size_t>(1, s.columns.size()); ++c) {
        RECT cell{};
        if (!listViewSubItemRect(hwnd, s, item, static_cast<int>(c), LVIR_LABEL, cell)) {
            continue;
        }
        const bool lit = selected && (c == 0 || (s.exStyle & LVS_EX_FULLROWSELECT));
        SetTextColor(dc, lit && s.hasFocus ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                           : colourOr(s.textColour, COLOR_WINDOWTEXT));
        const int subItem = c < s.columns.size() ? s.columns[c].subItem : 0;
        const std::string text = listViewCellText(hwnd, item, c == 0 ? 0 : subItem);
        RECT area{cell.left + kLabelMargin, cell.top, cell.right - kLabelMargin, cell.bottom};
        const UINT align = c < s.columns.size() ? alignmentOf(s.columns[c], static_cast<int>(c))
                                                : static_cast<UINT>(DT_LEFT);
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area,
                  align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if (s.hasFocus && (row.state & LVIS_FOCUSED)) {
        DrawFocusRect(dc, &highlight);
    }
}

void paintGrid(HWND hwnd, HDC dc, const ListViewState& s, const RECT& client) {
    const int top = listViewHeaderHeight(hwnd);
    const int rowHeight = listViewRowHeight(s);
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
    HGDIOBJ old = SelectObject(dc, pen);
    const int width = listViewRowWidth(hwnd, s);
    for (int y = top + rowHeight - 1; y < client.bottom; y += rowHeight) {
        MoveToEx(dc, 0, y, nullptr);
        LineTo(dc, width, y);
    }
    for (std::size_t c = 0; c < s.columns.size(); ++c) {
        const int x = listViewColumnLeft(s, static_cast<int>(c)) + s.columns[c].cx - 1;
        MoveToEx(dc, x, top, nullptr);
        LineTo(dc, x, client.bottom);
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}

}  // namespace

int listViewHeaderHeight(HWND hwnd) {
    return (GetWindowLongA(hwnd, GWL_STYLE) & LVS_NOCOLUMNHEADER) ? 0 : kHeaderHeight;
}

int listViewRowHeight(const ListViewState& s) {
    const int images = std::max(imageSize(s.smallImages).cy, imageSize(s.stateImages).cy);
    return std::max(kFontHeight, images) + 1;
}

int listViewColumnLeft(const ListViewState& s, int column) {
    int left = 0;
    for (int c = 0; c < column && c < static_cast<int>(s.columns.size()); ++c) {
        left += s.columns[static_cast<std::size_t>(c)].cx;
    }
    return left;
}

int listViewRowWidth(HWND hwnd, const ListViewState& s) {
    if (s.columns.empty()) {
        RECT client{};
        GetClientRect(hwnd, &client);
        return client.right;
    }
    return listViewColumnLeft(s, static_cast<int>(s.columns.size()));
}

int listViewRowsPerPage(HWND hwnd, const ListViewState& s) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const int height = client.bottom - listViewHeaderHeight(hwnd);
    return std::max(1, height / listViewRowHeight(s));
}

bool listViewSubItemRect(HWND hwnd, const ListViewState& s, int item, int column, int part,
                         RECT& rect) {
    if (item < 0 || item >= static_cast<int>(s.items.size()) || column < 0 ||
        (column > 0 && column >= static_cast<int>(s.columns.size()))) {
        return false;
    }
    const int rowHeight = listViewRowHeight(s);
    const int top = listViewHeaderHeight(hwnd) + (item - s.topIndex) * rowHeight;
    const int left = listViewColumnLeft(s, column);
    const int width = s.columns.empty() ? listViewRowWidth(hwnd, s)
                                        : s.columns[static_cast<std::size_t>(column)].cx;
    RECT cell{left, top, left + width, top + rowHeight};
    if (column > 0) {
        rect = cell;
        if (part == LVIR_ICON) {
            rect.right = rect.left;
        }
        return true;
    }
    // Column 0: state image, indent, small image, then the label.
    const ListViewItem& row = s.items[static_cast<std::size_t>(item)];
    int x = cell.left;
    if (s.stateImages != nullptr) {
        x += imageSize(s.stateImages).cx;
    }
    const int smallWidth = imageSize(s.smallImages).cx;
    x += row.indent * smallWidth;
    RECT icon{x, cell.top, x + smallWidth, cell.bottom};
    RECT label{std::min(icon.right, cell.right), cell.top, cell.right, cell.bottom};
    switch (part) {
        case LVIR_ICON:
            rect = icon;
            break;
        case LVIR_LABEL:
            rect = label;
            break;
        case LVIR_SELECTBOUNDS:
            rect = RECT{icon.left, cell.top, cell.right, cell.bottom};
            break;
        default:
            rect = cell;
            break;
    }
    return true;
}

bool listViewItemRect(HWND hwnd, const ListViewState& s, int item, int part, RECT& rect) {
    if (!listViewSubItemRect(hwnd, s, item, 0, part, rect)) {
        return false;
    }
    if (part == LVIR_BOUNDS || (part == LVIR_SELECTBOUNDS && (s.exStyle & LVS_EX_FULLROWSELECT))) {
        rect.right = std::max(rect.right, static_cast<LONG>(listViewRowWidth(hwnd, s)));
        if (part == LVIR_BOUNDS) {
            rect.left = 0;
        }
    }
    return true;
}

void listViewHitTest(HWND hwnd, const ListViewState& s, LVHITTESTINFO& info, bool subItems) {
    info.iItem = -1;
    info.iSubItem = 0;
    RECT client{};
    GetClientRect(hwnd, &client);
    const POINT pt = info.pt;
    const int top = listViewHeaderHeight(hwnd);
    if (pt.y < top) {
        info.flags = LVHT_ABOVE;
        return;
    }
    if (pt.y >= client.bottom) {
        info.flags = LVHT_BELOW;
        return;
    }
    if (pt.x < 0) {
        info.flags = LVHT_TOLEFT;
        return;
    }
    if (pt.x >= client.right) {
        info.flags = LVHT_TORIGHT;
        return;
    }
    const int row = s.topIndex + (pt.y - top) / listViewRowHeight(s);
    info.flags = LVHT_NOWHERE;
    if (row < 0 || row >= static_cast<int>(s.items.size())) {
        return;
    }
    int column = 0;
    for (std::size_t c = 0; c < s.columns.size(); ++c) {
        const int left = listViewColumnLeft(s, static_cast<int>(c));
        if (pt.x >= left && pt.x < left + s.columns[c].cx) {
            column = static_cast<int>(c);
            break;
        }
        column = -1;
    }
    if (column < 0) {
        return;
    }
    if (column > 0) {
        if (subItems || (s.exStyle & LVS_EX_FULLROWSELECT)) {
            info.iItem = row;
            info.iSubItem = column;
            info.flags = LVHT_ONITEMLABEL;
        }
        return;
    }
    RECT bounds{};
    RECT icon{};
    listViewSubItemRect(hwnd, s, row, 0, LVIR_BOUNDS, bounds);
    listViewSubItemRect(hwnd, s, row, 0, LVIR_ICON, icon);
    info.iItem = row;
    if (s.stateImages != nullptr && pt.x < bounds.left + imageSize(s.stateImages).cx) {
        info.flags = LVHT_ONITEMSTATEICON;
    } else if (pt.x >= icon.left && pt.x < icon.right) {
        info.flags = LVHT_ONITEMICON;
    } else if (pt.x >= icon.right) {
        info.flags = LVHT_ONITEMLABEL;
    } else {
        info.iItem = -1;  // in the indent
    }
}

std::string listViewCellText(HWND hwnd, int item, int subItem) {
    auto s = listViewOf(hwnd);
    if (!s || item < 0 || item >= static_cast<int>(s->items.size()) || subItem < 0) {
        return {};
    }
    const ListViewItem& row = s->items[static_cast<std::size_t>(item)];
    if (static_cast<std::size_t>(subItem) >= row.cells.size()) {
        return {};
    }
    const ListViewCell& cell = row.cells[static_cast<std::size_t>(subItem)];
    if (!cell.callback) {
        return cell.text;
    }
    // LVN_GETDISPINFOA: the parent copies into the buffer or points pszText elsewhere.
    char buffer[kCallbackBuffer] = {};
    NMLVDISPINFOA nm{};
    nm.item.mask = LVIF_TEXT;
    nm.item.iItem = item;
    nm.item.iSubItem = subItem;
    nm.item.lParam = row.param;
    nm.item.pszText = buffer;
    nm.item.cchTextMax = kCallbackBuffer;
    notifyParentNm(hwnd, nm.hdr, LVN_GETDISPINFOA);
    if (nm.item.pszText == nullptr || nm.item.pszText == LPSTR_TEXTCALLBACKA) {
        return {};
    }
    if (nm.item.pszText == buffer) {
        return std::string(buffer, strnlen(buffer, sizeof(buffer) - 1));
    }
    return std::string(nm.item.pszText, strnlen(nm.item.pszText, 4096));
}

int listViewItemImage(HWND hwnd, int item) {
    auto s = listViewOf(hwnd);
    if (!s || item < 0 || item >= static_cast<int>(s->items.size())) {
        return I_IMAGENONE;
    }
    const ListViewItem& row = s->items[static_cast<std::size_t>(item)];
    if (row.image != I_IMAGECALLBACK) {
        return row.image;
    }
    NMLVDISPINFOA nm{};
    nm.item.mask = LVIF_IMAGE;
    nm.item.iItem = item;
    nm.item.lParam = row.param;
    nm.item.iImage = I_IMAGENONE;
    notifyParentNm(hwnd, nm.hdr, LVN_GETDISPINFOA);
    return nm.item.iImage;
}

void listViewPaint(HWND hwnd, HDC dc) {
    auto s = listViewOf(hwnd);
    if (s) {
        RECT client{};
        GetClientRect(hwnd, &client);
        HBRUSH brush = CreateSolidBrush(colourOr(s->background, COLOR_WINDOW));
        FillRect(dc, &client, brush);
        DeleteObject(brush);
        if (s->font != nullptr) {
            SelectObject(dc, s->font);
        }
        SetBkMode(dc, TRANSPARENT);
        const int last = std::min<int>(static_cast<int>(s->items.size()),
                                       s->topIndex + listViewRowsPerPage(hwnd, *s) + 1);
        for (int item = std::max(0, s->topIndex); item < last; ++item) {
            paintRow(hwnd, dc, *s, item);
            s = listViewOf(hwnd);  // a callback answer may have changed the list
            if (!s || item >= static_cast<int>(s->items.size())) {
                break;
            }
        }
        if (s && (s->exStyle & LVS_EX_GRIDLINES)) {
            paintGrid(hwnd, dc, *s, client);
        }
        if (s) {
            paintHeader(hwnd, dc, *s, client.right);
        }
    }
}

HIMAGELIST listViewCheckBoxImages() {
    HIMAGELIST list = ImageList_Create(kCheckBoxSide, kCheckBoxSide, ILC_COLOR32 | ILC_MASK, 2, 2);
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP strip = CreateBitmap(kCheckBoxSide * 2, kCheckBoxSide, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, strip);
    RECT all{0, 0, kCheckBoxSide * 2, kCheckBoxSide};
    HBRUSH key = CreateSolidBrush(RGB(255, 0, 255));
    FillRect(dc, &all, key);
    DeleteObject(key);
    drawCheckBox(dc, 0, false);
    drawCheckBox(dc, kCheckBoxSide, true);
    SelectObject(dc, old);
    DeleteDC(dc);
    ImageList_AddMasked(list, strip, RGB(255, 0, 255));
    DeleteObject(strip);
    return list;
}

}  // namespace kvwin32::internal
