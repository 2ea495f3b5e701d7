// Property sheets: PropertySheetA, CreatePropertySheetPageA, DestroyPropertySheetPage and the
// sheet's window, a dialog holding a tab control, one DS_CONTROL child dialog per page (made
// the first time the page is shown, all the size of the largest page) and the OK, Cancel,
// "&Apply" and Help buttons.
//
// The sheet speaks Windows' protocol with its pages, WM_NOTIFY with a PSHNOTIFY whose answer
// the page leaves in DWLP_MSGRESULT:
//   leaving a page      PSN_KILLACTIVE   TRUE keeps the user on the page
//   showing a page      PSN_SETACTIVE    0 accepts, -1 refuses, a page's template id redirects
//   OK / Apply          PSN_KILLACTIVE to the current page, then PSN_APPLY to every page that
//                       has a window; PSNRET_INVALID stops and shows the refusing page,
//                       PSNRET_INVALID_NOCHANGEPAGE stops where the sheet is
//   Cancel              PSN_QUERYCANCEL (TRUE refuses), then PSN_RESET to every page
//   Help                PSN_HELP to the current page
// A modeless sheet is not destroyed by OK or Cancel: it answers PSM_GETCURRENTPAGEHWND with
// null from then on, which is how its owner learns that it should destroy it.
#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "internal/dialog.h"
#include "internal/window.h"
#include "kvwin32/commctrl.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winuser_cursor.h"
#include "kvwin32/winerror.h"
#include "kvwin32/winuser_controls.h"

// A page description as the sheet keeps it: a copy of all dwSize bytes the caller filled (a
// caller may keep its own data after the PROPSHEETPAGEA), with the strings it pointed to.
struct KvPropSheetPage {
    std::vector<BYTE> bytes;   // the PROPSHEETPAGEA and what followed it
    std::string title;         // pszTitle when it was a string
    std::string templateName;  // pszTemplate when it was a string

    PROPSHEETPAGEA& page() { return *reinterpret_cast<PROPSHEETPAGEA*>(bytes.data()); }
};

namespace kvwin32::internal {
namespace {

constexpr const char* kSheetProperty = "KvPropertySheet";
constexpr int kTabControlId = 0x3020;
constexpr WPARAM kBigIcon = 1;  // WM_SETICON's ICON_BIG
// The largest page description the sheet copies; a larger dwSize is a caller's mistake.
constexpr DWORD kMaxPageSize = 0x10000;

// Layout in dialog units, as Windows lays out its sheets.
constexpr int kMarginDlu = 7;
constexpr int kButtonWidthDlu = 50;
constexpr int kButtonHeightDlu = 14;
constexpr int kButtonGapDlu = 4;

// The buttons along the bottom, right to left in the order Windows places them.
struct SheetButton {
    int id;
    const char* text;
};
constexpr SheetButton kButtons[] = {
    {IDOK, "OK"}, {IDCANCEL, "Cancel"}, {ID_APPLY_NOW, "&Apply"}, {IDHELP, "Help"}};

struct SheetPage {
    HPROPSHEETPAGE handle = nullptr;  // owned: destroyed with the sheet
    HWND hwnd = nullptr;              // the page's child dialog, once shown
    bool changed = false;             // PSM_CHANGED without a later apply or PSM_UNCHANGED
    std::string caption;              // the tab's text
    SIZE size{};                      // the template's size in pixels
};

struct SheetState {
    DWORD flags = 0;               // PSH_*
    HINSTANCE instance = nullptr;  // for string ids
    PFNPROPSHEETCALLBACK callback = nullptr;
    std::string caption;   // pszCaption as given
    HICON icon = nullptr;  // PSH_USEHICON / PSH_USEICONID: the caption's icon
    std::vector<SheetPage> pages;
    int start = 0;  // page shown first
    HWND sheet = nullptr;
    HWND tab = nullptr;
    int current = -1;              // index of the page shown
    SIZE pageSize{};               // the largest page, in pixels
    bool applied = false;          // a PSN_APPLY round succeeded
    bool closed = false;           // a modeless sheet was closed by OK or Cancel
    bool windowOwnsState = false;  // modeless: freed with the window

    ~SheetState() {
        for (SheetPage& page : pages) {
            DestroyPropertySheetPage(page.handle);
        }
    }
};

SheetState* sheetOf(HWND sheet) {
    return static_cast<SheetState*>(GetPropA(sheet, kSheetProperty));
}

INT_PTR answer(HWND sheet, LRESULT value) {
    SetWindowLongPtrA(sheet, DWLP_MSGRESULT, value);
    return TRUE;
}

HWND button(const SheetState& s, int id) {
    DWORD lastError = GetLastError();
    HWND hwnd = GetDlgItem(s.sheet, id);
    SetLastError(lastError);
    return hwnd;
}

std::string stringOrResource(HINSTANCE instance, LPCSTR text) {
    if (text == nullptr) {
        return {};
    }
    if (IS_INTRESOURCE(text)) {
        char buffer[256] = {};
        LoadStringA(instance, static_cast<UINT>(reinterpret_cast<ULONG_PTR>(text)), buffer,
                    sizeof buffer);
        return buffer;
    }
    return text;
}

std::optional<DialogTemplate> pageTemplate(HPROPSHEETPAGE handle) {
    PROPSHEETPAGEA& psp = handle->page();
    if (psp.dwFlags & PSP_DLGINDIRECT) {
        return readDialogTemplate(psp.pResource, kIndirectTemplateLimit);
    }
    return loadDialogTemplate(psp.hInstance, psp.pszTemplate);
}

LRESULT notifyPage(const SheetState& s, HWND page, UINT code, LPARAM lParam = 0) {
    if (page == nullptr || !IsWindow(page)) {
        return 0;
    }
    PSHNOTIFY notify{};
    notify.hdr.hwndFrom = s.sheet;
    notify.hdr.idFrom = 0;
    notify.hdr.code = code;
    notify.lParam = lParam;
    return SendMessageA(page, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notify));
}

HWND currentPage(const SheetState& s) {
    if (s.current < 0 || s.current >= static_cast<int>(s.pages.size())) {
        return nullptr;
    }
    return s.pages[static_cast<std::size_t>(s.current)].hwnd;
}

// The display area of the tab control in the sheet's client coordinates.
RECT displayArea(const SheetState& s) {
    RECT area{};
    GetClientRect(s.tab, &area);
    SendMessageA(s.tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    MapWindowPoints(s.tab, s.sheet, reinterpret_cast<POINT*>(&area), 2);
    return area;
}

int pageIndexOfHandle(const SheetState& s, HPROPSHEETPAGE handle) {
    for (std::size_t i = 0; i < s.pages.size(); ++i) {
        if (s.pages[i].handle == handle) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int pageIndexOfWindow(const SheetState& s, HWND hwnd) {
    for (std::size_t i = 0; i < s.pages.size(); ++i) {
        if (s.pages[i].hwnd && s.pages[i].hwnd == hwnd) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// Makes a page's child dialog: a DS_CONTROL child of the sheet in the display area, right
// after the tab control in the tab order. PSPCB_CREATE answering 0 refuses the page.
bool createPage(SheetState& s, int index) {
    SheetPage& page = s.pages[static_cast<std::size_t>(index)];
    PROPSHEETPAGEA& psp = page.handle->page();
    if ((psp.dwFlags & PSP_USECALLBACK) && psp.pfnCallback &&
        psp.pfnCallback(nullptr, PSPCB_CREATE, &psp) == 0) {
        return false;
    }
    auto read = pageTemplate(page.handle);
    if (!read) {
        return false;
    }
    read->style =
        (read->style & ~static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                                           WS_VISIBLE | DS_MODALFRAME | WS_DISABLED)) |
        WS_CHILD | DS_CONTROL | DS_3DLOOK;
    read->x = 0;
    read->y = 0;
    HPROPSHEETPAGE handle = page.handle;
    // The page is known by its window before WM_INITDIALOG, where it may call PSM_CHANGED.
    HWND hwnd = createDialog(
        psp.hInstance, *read, s.sheet, psp.pfnDlgProc, reinterpret_cast<LPARAM>(&psp), false,
        [&s, index](HWND made) { s.pages[static_cast<std::size_t>(index)].hwnd = made; });
    // The sheet may have lost pages while the page initialised.
    int at = pageIndexOfHandle(s, handle);
    if (hwnd == nullptr || !IsWindow(s.sheet) || at != index) {
        if (at >= 0) {
            s.pages[static_cast<std::size_t>(at)].hwnd = nullptr;
        }
        if (hwnd) {
            DestroyWindow(hwnd);
        }
        return false;
    }
    s.pages[static_cast<std::size_t>(index)].hwnd = hwnd;
    RECT area = displayArea(s);
    SetWindowPos(hwnd, s.tab, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOACTIVATE);
    return true;
}

int indexOfTemplateId(const SheetState& s, LRESULT id) {
    for (std::size_t i = 0; i < s.pages.size(); ++i) {
        PROPSHEETPAGEA& psp = s.pages[i].handle->page();
        if (!(psp.dwFlags & PSP_DLGINDIRECT) && IS_INTRESOURCE(psp.pszTemplate) &&
            reinterpret_cast<ULONG_PTR>(psp.pszTemplate) == static_cast<ULONG_PTR>(id)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void updateHelpButton(const SheetState& s) {
    HWND help = button(s, IDHELP);
    if (help == nullptr || s.current < 0) {
        return;
    }
    PROPSHEETPAGEA& psp = s.pages[static_cast<std::size_t>(s.current)].handle->page();
    EnableWindow(help, (psp.dwFlags & PSP_HASHELP) ? TRUE : FALSE);
}

// Shows page `index`. With askLeaving the current page may refuse to be left first. The tab
// control always ends up on the page that is shown.
bool activatePage(SheetState& s, int index, bool askLeaving) {
    const int count = static_cast<int>(s.pages.size());
    for (int hops = 0; hops <= count; ++hops) {
        if (index < 0 || index >= count) {
            break;
        }
        if (index == s.current) {
            SendMessageA(s.tab, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
            return true;
        }
        if (askLeaving && notifyPage(s, currentPage(s), PSN_KILLACTIVE) != 0) {
            break;
        }
        askLeaving = false;
        if (s.pages[static_cast<std::size_t>(index)].hwnd == nullptr && !createPage(s, index)) {
            break;
        }
        HWND next = s.pages[static_cast<std::size_t>(index)].hwnd;
        LRESULT verdict = notifyPage(s, next, PSN_SETACTIVE);
        if (verdict == -1) {
            break;
        }
        if (verdict != 0) {
            int redirect = indexOfTemplateId(s, verdict);
            if (redirect >= 0 && redirect != index) {
                index = redirect;
                continue;
            }
        }
        HWND previous = currentPage(s);
        HWND focus = GetFocus();
        s.current = index;
        SendMessageA(s.tab, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
        ShowWindow(next, SW_SHOW);
        if (previous && previous != next) {
            // The focus may not stay in a page that goes out of sight.
            if (focus && IsChild(previous, focus)) {
                setDialogFocus(s.sheet, s.tab);
            }
            ShowWindow(previous, SW_HIDE);
        }
        updateHelpButton(s);
        return true;
    }
    if (s.current >= 0 && IsWindow(s.tab)) {
        SendMessageA(s.tab, TCM_SETCURSEL, static_cast<WPARAM>(s.current), 0);
    }
    return false;
}

void updateApplyButton(const SheetState& s) {
    bool anyChanged =
        std::any_of(s.pages.begin(), s.pages.end(), [](const SheetPage& p) { return p.changed; });
    if (HWND apply = button(s, ID_APPLY_NOW)) {
        EnableWindow(apply, anyChanged && !(s.flags & PSH_NOAPPLYNOW) ? TRUE : FALSE);
    }
}

// PSN_KILLACTIVE to the current page, then PSN_APPLY to every page with a window.
bool applyPages(SheetState& s, bool fromOk) {
    if (notifyPage(s, currentPage(s), PSN_KILLACTIVE) != 0) {
        return false;
    }
    for (std::size_t i = 0; i < s.pages.size(); ++i) {
        LRESULT verdict = notifyPage(s, s.pages[i].hwnd, PSN_APPLY, fromOk ? TRUE : FALSE);
        if (!IsWindow(s.sheet) || i >= s.pages.size()) {
            return false;
        }
        if (verdict == PSNRET_INVALID) {
            activatePage(s, static_cast<int>(i), false);
            return false;
        }
        if (verdict == PSNRET_INVALID_NOCHANGEPAGE) {
            return false;
        }
    }
    for (SheetPage& page : s.pages) {
        page.changed = false;
    }
    s.applied = true;
    updateApplyButton(s);
    return true;
}

void closeSheet(SheetState& s) {
    if (s.flags & PSH_MODELESS) {
        s.closed = true;
    } else {
        EndDialog(s.sheet, s.applied ? 1 : 0);
    }
}

bool pressOk(SheetState& s) {
    if (s.closed || !applyPages(s, true)) {
        return false;
    }
    closeSheet(s);
    return true;
}

bool pressCancel(SheetState& s) {
    if (s.closed || notifyPage(s, currentPage(s), PSN_QUERYCANCEL) != 0) {
        return false;
    }
    for (std::size_t i = 0; i < s.pages.size(); ++i) {
        notifyPage(s, s.pages[i].hwnd, PSN_RESET);
        if (!IsWindow(s.sheet)) {
            return true;
        }
    }
    closeSheet(s);
    return true;
}

bool pressApply(SheetState& s) {
    return !s.closed && applyPages(s, false);
}

void pressHelp(SheetState& s) {
    notifyPage(s, currentPage(s), PSN_HELP);
}

bool pressButton(SheetState& s, WPARAM which) {
    switch (which) {
        case PSBTN_OK:
            return pressOk(s);
        case PSBTN_CANCEL:
            return pressCancel(s);
        case PSBTN_APPLYNOW:
            return pressApply(s);
        case PSBTN_HELP:
            pressHelp(s);
            return true;
        default:
            return false;
    }
}

LRESULT markChanged(SheetState& s, HWND page, bool changed) {
    int index = pageIndexOfWindow(s, page);
    if (index < 0) {
        return FALSE;
    }
    s.pages[static_cast<std::size_t>(index)].changed = changed;
    updateApplyButton(s);
    return TRUE;
}

std::string titleText(const SheetState& s, DWORD style, LPCSTR text) {
    std::string title = stringOrResource(s.instance, text);
    if (style & PSH_PROPTITLE) {
        return "Properties for " + title;
    }
    return title;
}

void insertTab(const SheetState& s, int index, const std::string& caption) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(caption.c_str());
    SendMessageA(s.tab, TCM_INSERTITEMA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&item));
}

// Adds a page at the end. A page whose dialog template cannot be read is refused when the
// sheet is made; PSM_ADDPAGE (mayLackTemplate) takes it as Windows does, and it goes again
// when it is chosen.
bool addPage(SheetState& s, HPROPSHEETPAGE handle, bool mayLackTemplate = false) {
    if (handle == nullptr || s.pages.size() >= MAXPROPPAGES) {
        return false;
    }
    auto read = pageTemplate(handle);
    if (!read && !mayLackTemplate) {
        return false;
    }
    SheetPage page;
    page.handle = handle;
    PROPSHEETPAGEA& psp = handle->page();
    const std::string title = read ? read->title : std::string();
    page.caption =
        (psp.dwFlags & PSP_USETITLE) ? stringOrResource(psp.hInstance, psp.pszTitle) : title;
    page.size =
        read ? SIZE{dialogUnitsToPixelsX(read->cx), dialogUnitsToPixelsY(read->cy)} : SIZE{0, 0};
    s.pageSize.cx = std::max(s.pageSize.cx, page.size.cx);
    s.pageSize.cy = std::max(s.pageSize.cy, page.size.cy);
    s.pages.push_back(std::move(page));
    return true;
}

LRESULT addPageMessage(SheetState& s, HPROPSHEETPAGE handle) {
    if (!addPage(s, handle, true)) {
        return FALSE;
    }
    insertTab(s, static_cast<int>(s.pages.size()) - 1, s.pages.back().caption);
    return TRUE;
}

LRESULT removePage(SheetState& s, WPARAM index, HPROPSHEETPAGE handle) {
    int at = handle ? pageIndexOfHandle(s, handle) : static_cast<int>(index);
    if (at < 0 || at >= static_cast<int>(s.pages.size())) {
        return FALSE;
    }
    SheetPage removed = s.pages[static_cast<std::size_t>(at)];
    s.pages.erase(s.pages.begin() + at);
    SendMessageA(s.tab, TCM_DELETEITEM, static_cast<WPARAM>(at), 0);
    if (at == s.current) {
        s.current = -1;
        if (!s.pages.empty()) {
            activatePage(s, std::max(0, at - 1), false);
        }
    } else if (at < s.current) {
        --s.current;
        SendMessageA(s.tab, TCM_SETCURSEL, static_cast<WPARAM>(s.current), 0);
    }
    if (removed.hwnd && IsWindow(removed.hwnd)) {
        DestroyWindow(removed.hwnd);
    }
    DestroyPropertySheetPage(removed.handle);
    updateApplyButton(s);
    return TRUE;
}

// Ctrl+Tab and Ctrl+PageDown show the next page, with Shift or PageUp the previous one, as
// a user clicking the tab would (the current page may refuse).
bool handleSheetKeys(SheetState& s, const MSG& msg) {
    if (msg.message != WM_KEYDOWN || !(GetKeyState(VK_CONTROL) & 0x8000) || s.pages.empty()) {
        return false;
    }
    if (msg.hwnd != s.sheet && !IsChild(s.sheet, msg.hwnd)) {
        return false;
    }
    bool previous = false;
    if (msg.wParam == VK_TAB) {
        previous = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    } else if (msg.wParam == VK_NEXT || msg.wParam == VK_PRIOR) {
        previous = msg.wParam == VK_PRIOR;
    } else {
        return false;
    }
    const int count = static_cast<int>(s.pages.size());
    int next = ((s.current < 0 ? 0 : s.current) + (previous ? count - 1 : 1)) % count;
    SendMessageA(s.tab, TCM_SETCURFOCUS, static_cast<WPARAM>(next), 0);
    return true;
}

LRESULT isDialogMessage(SheetState& s, MSG* msg) {
    if (msg == nullptr) {
        return FALSE;
    }
    if (handleSheetKeys(s, *msg)) {
        return TRUE;
    }
    return IsDialogMessageA(s.sheet, msg);
}

// Puts the tab control and the buttons in place around the largest page and sizes the sheet.
void layOut(SheetState& s) {
    const int marginX = dialogUnitsToPixelsX(kMarginDlu);
    const int marginY = dialogUnitsToPixelsY(kMarginDlu);
    const int buttonW = dialogUnitsToPixelsX(kButtonWidthDlu);
    const int buttonH = dialogUnitsToPixelsY(kButtonHeightDlu);
    const int gap = dialogUnitsToPixelsX(kButtonGapDlu);
    RECT tabRect{0, 0, s.pageSize.cx, s.pageSize.cy};
    SendMessageA(s.tab, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&tabRect));
    const int tabW = tabRect.right - tabRect.left;
    const int tabH = tabRect.bottom - tabRect.top;
    std::vector<HWND> shown;
    for (const SheetButton& b : kButtons) {
        HWND hwnd = button(s, b.id);
        if (hwnd && (GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE)) {
            shown.push_back(hwnd);
        }
    }
    const int buttonsW = static_cast<int>(shown.size()) * (buttonW + gap) - gap;
    const int clientW = std::max(tabW, buttonsW) + 2 * marginX;
    const int buttonsTop = marginY + tabH + marginY;
    const int clientH = buttonsTop + buttonH + marginY;
    MoveWindow(s.tab, marginX, marginY, clientW - 2 * marginX, tabH, FALSE);
    int x = clientW - marginX - buttonsW;
    for (HWND hwnd : shown) {
        MoveWindow(hwnd, x, buttonsTop, buttonW, buttonH, FALSE);
        x += buttonW + gap;
    }
    RECT frame{0, 0, clientW, clientH};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(s.sheet, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(s.sheet, GWL_EXSTYLE)));
    const int w = frame.right - frame.left;
    const int h = frame.bottom - frame.top;
    // The sheet stays where the dialog manager put it, its client area at the template's
    // position (0, 0) in its owner's client area, as Windows leaves it (no DS_CENTER); only
    // a sheet that its new size takes past the screen's right or bottom edge is moved back,
    // so that the whole sheet shows.
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    RECT now{};
    GetWindowRect(s.sheet, &now);
    int left = now.left;
    int top = now.top;
    if (GetWindowLongA(s.sheet, GWL_STYLE) & WS_CHILD) {
        flags |= SWP_NOMOVE;
    } else {
        left = std::max(0, std::min(left, kScreenWidth - w));
        top = std::max(0, std::min(top, kScreenHeight - h));
    }
    SetWindowPos(s.sheet, nullptr, left, top, w, h, flags);
}

void initSheet(HWND sheet, SheetState& s) {
    s.sheet = sheet;
    s.tab = GetDlgItem(sheet, kTabControlId);
    for (std::size_t i = 0; i < s.pages.size(); ++i) {
        insertTab(s, static_cast<int>(i), s.pages[i].caption);
    }
    layOut(s);
    SetWindowTextA(sheet, titleText(s, s.flags, s.caption.c_str()).c_str());
    if (s.icon) {
        SendMessageA(sheet, WM_SETICON, kBigIcon, reinterpret_cast<LPARAM>(s.icon));
    }
    if ((s.flags & PSH_USECALLBACK) && s.callback) {
        s.callback(sheet, PSCB_INITIALIZED, 0);
    }
    if (IsWindow(sheet) && !s.pages.empty()) {
        int start = s.start >= 0 && s.start < static_cast<int>(s.pages.size()) ? s.start : 0;
        if (!activatePage(s, start, false) && start != 0) {
            activatePage(s, 0, false);
        }
    }
}

LRESULT tabNotification(SheetState& s, const NMHDR* header) {
    if (header == nullptr || header->hwndFrom != s.tab) {
        return 0;
    }
    if (header->code == TCN_SELCHANGING) {
        return notifyPage(s, currentPage(s), PSN_KILLACTIVE) != 0 ? TRUE : FALSE;
    }
    if (header->code == TCN_SELCHANGE) {
        int selected = static_cast<int>(SendMessageA(s.tab, TCM_GETCURSEL, 0, 0));
        activatePage(s, selected, false);
    }
    return 0;
}

INT_PTR sheetMessage(HWND sheet, SheetState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                    pressOk(s);
                    return TRUE;
                case IDCANCEL:
                    pressCancel(s);
                    return TRUE;
                case ID_APPLY_NOW:
                    pressApply(s);
                    return TRUE;
                case IDHELP:
                    pressHelp(s);
                    return TRUE;
                default:
                    return FALSE;
            }
        case WM_NOTIFY:
            return answer(sheet, tabNotification(s, reinterpret_cast<const NMHDR*>(lParam)));
        case PSM_SETCURSEL: {
            // The page's handle decides; one that is no page of the sheet leaves the index to
            // decide, as on Windows.
            auto handle = reinterpret_cast<HPROPSHEETPAGE>(lParam);
            int index = handle ? pageIndexOfHandle(s, handle) : -1;
            if (index < 0) {
                index = static_cast<int>(wParam);
            }
            // As on Windows, choosing a page whose dialog cannot be made takes it out of the
            // sheet, and the message succeeds.
            if (index >= 0 && index < static_cast<int>(s.pages.size()) &&
                s.pages[static_cast<std::size_t>(index)].hwnd == nullptr &&
                !pageTemplate(s.pages[static_cast<std::size_t>(index)].handle)) {
                removePage(s, static_cast<WPARAM>(index), nullptr);
                return answer(sheet, TRUE);
            }
            return answer(sheet, activatePage(s, index, true));
        }
        case PSM_SETCURSELID:
            return answer(sheet, activatePage(s, indexOfTemplateId(s, lParam), true));
        case PSM_REMOVEPAGE:
            return answer(sheet, removePage(s, wParam, reinterpret_cast<HPROPSHEETPAGE>(lParam)));
        case PSM_ADDPAGE:
            return answer(sheet, addPageMessage(s, reinterpret_cast<HPROPSHEETPAGE>(lParam)));
        case PSM_CHANGED:
            return answer(sheet, markChanged(s, reinterpret_cast<HWND>(wParam), true));
        case PSM_UNCHANGED:
            return answer(sheet, markChanged(s, reinterpret_cast<HWND>(wParam), false));
        case PSM_APPLY:
            return answer(sheet, pressApply(s));
        case PSM_PRESSBUTTON:
            return answer(sheet, pressButton(s, wParam));
        case PSM_CANCELTOCLOSE:
            if (HWND ok = button(s, IDOK)) {
                SetWindowTextA(ok, "Close");
            }
            if (HWND cancel = button(s, IDCANCEL)) {
                EnableWindow(cancel, FALSE);
            }
            return answer(sheet, 0);
        case PSM_QUERYSIBLINGS:
            for (const SheetPage& page : s.pages) {
                if (page.hwnd) {
                    LRESULT reply = SendMessageA(page.hwnd, PSM_QUERYSIBLINGS, wParam, lParam);
                    if (reply != 0) {
                        return answer(sheet, reply);
                    }
                }
            }
            return answer(sheet, 0);
        case PSM_SETTITLEA:
            SetWindowTextA(
                sheet,
                titleText(s, static_cast<DWORD>(wParam), reinterpret_cast<LPCSTR>(lParam)).c_str());
            return answer(sheet, 0);
        case PSM_GETTABCONTROL:
            return answer(sheet, reinterpret_cast<LRESULT>(s.tab));
        case PSM_ISDIALOGMESSAGE:
            return answer(sheet, isDialogMessage(s, reinterpret_cast<MSG*>(lParam)));
        case PSM_GETCURRENTPAGEHWND:
            return answer(sheet, s.closed ? 0 : reinterpret_cast<LRESULT>(currentPage(s)));
        case PSM_HWNDTOINDEX:
            return answer(sheet, pageIndexOfWindow(s, reinterpret_cast<HWND>(wParam)));
        case PSM_INDEXTOHWND:
            return answer(sheet, wParam < s.pages.size()
                                     ? reinterpret_cast<LRESULT>(s.pages[wParam].hwnd)
                                     : 0);
        case PSM_PAGETOINDEX:
            return answer(sheet, pageIndexOfHandle(s, reinterpret_cast<HPROPSHEETPAGE>(lParam)));
        case PSM_INDEXTOPAGE:
            return answer(sheet, wParam < s.pages.size()
                                     ? reinterpret_cast<LRESULT>(s.pages[wParam].handle)
                                     : 0);
        case PSM_IDTOINDEX:
            return answer(sheet, indexOfTemplateId(s, lParam));
        case PSM_INDEXTOID: {
            if (wParam >= s.pages.size()) {
                return answer(sheet, 0);
            }
            PROPSHEETPAGEA& psp = s.pages[wParam].handle->page();
            return answer(sheet, (psp.dwFlags & PSP_DLGINDIRECT)
                                     ? reinterpret_cast<LRESULT>(psp.pResource)
                                     : reinterpret_cast<LRESULT>(psp.pszTemplate));
        }
        case PSM_GETRESULT:
            return answer(sheet, s.applied ? 1 : 0);
        case PSM_RESTARTWINDOWS:
        case PSM_REBOOTSYSTEM:
        case PSM_SETWIZBUTTONS:
            return answer(sheet, 0);
        default:
            return FALSE;
    }
}

INT_PTR sheetProc(HWND sheet, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        auto* s = reinterpret_cast<SheetState*>(lParam);
        SetPropA(sheet, kSheetProperty, s);
        initSheet(sheet, *s);
        return TRUE;
    }
    SheetState* s = sheetOf(sheet);
    if (s == nullptr) {
        return FALSE;
    }
    if (msg == WM_NCDESTROY) {
        RemovePropA(sheet, kSheetProperty);
        // Owned by the window of a modeless sheet; PropertySheetA owns a modal one's.
        if (s->windowOwnsState) {
            delete s;
        }
        return FALSE;
    }
    return sheetMessage(sheet, *s, msg, wParam, lParam);
}

DialogTemplate sheetTemplate(DWORD style, DWORD exStyle, DWORD flags) {
    DialogTemplate t;
    t.style = style;
    t.exStyle = exStyle;
    t.cx = 200;
    t.cy = 100;
    t.hasFont = (style & DS_SETFONT) != 0;
    t.pointSize = 8;
    t.face = "MS Shell Dlg";
    DialogItemTemplate tab;
    tab.className = WC_TABCONTROLA;
    tab.id = kTabControlId;
    tab.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_CLIPSIBLINGS;
    t.items.push_back(tab);
    for (const SheetButton& b : kButtons) {
        DialogItemTemplate item;
        item.className = WC_BUTTONA;
        item.title = b.text;
        item.id = static_cast<DWORD>(b.id);
        item.style = WS_CHILD | WS_TABSTOP | (b.id == IDOK ? BS_DEFPUSHBUTTON | WS_GROUP : 0);
        bool visible = true;
        if (b.id == ID_APPLY_NOW) {
            item.style |= WS_DISABLED;
            visible = !(flags & PSH_NOAPPLYNOW);
        } else if (b.id == IDHELP) {
            visible = (flags & PSH_HASHELP) != 0;
        }
        item.style |= visible ? WS_VISIBLE : 0;
        t.items.push_back(item);
    }
    return t;
}

// PSCB_PRECREATE: the callback may change the sheet's styles in a DLGTEMPLATE.
void askPrecreate(const SheetState& s, DWORD& style, DWORD& exStyle) {
    if (!(s.flags & PSH_USECALLBACK) || s.callback == nullptr) {
        return;
    }
    struct {
        DLGTEMPLATE header;
        WORD menuClassTitle[3];
    } image{};
    image.header.style = style;
    image.header.dwExtendedStyle = exStyle;
    image.header.cdit = static_cast<WORD>(std::size(kButtons) + 1);
    s.callback(nullptr, PSCB_PRECREATE, reinterpret_cast<LPARAM>(&image));
    style = image.header.style;
    exStyle = image.header.dwExtendedStyle;
}

// The pages of a header, each made into a page the sheet owns; false when one is bad.
bool collectPages(const PROPSHEETHEADERA& header, SheetState& s) {
    UINT count = std::min<UINT>(header.nPages, MAXPROPPAGES);
    if (count > 0 && header.phpage == nullptr) {
        return false;
    }
    const BYTE* next = reinterpret_cast<const BYTE*>(header.ppsp);
    for (UINT i = 0; i < count; ++i) {
        HPROPSHEETPAGE handle = nullptr;
        if (header.dwFlags & PSH_PROPSHEETPAGE) {
            auto* psp = reinterpret_cast<LPCPROPSHEETPAGEA>(next);
            handle = CreatePropertySheetPageA(psp);
            if (handle) {
                next += psp->dwSize;
            }
        } else {
            handle = header.phpage[i];
        }
        if (handle == nullptr || !addPage(s, handle)) {
            if (handle && (header.dwFlags & PSH_PROPSHEETPAGE)) {
                DestroyPropertySheetPage(handle);
            }
            return false;
        }
    }
    if (header.dwFlags & PSH_USEPSTARTPAGE) {
        std::string wanted = stringOrResource(header.hInstance, header.pStartPage);
        for (std::size_t i = 0; i < s.pages.size(); ++i) {
            if (s.pages[i].caption == wanted) {
                s.start = static_cast<int>(i);
            }
        }
    } else {
        s.start = static_cast<int>(header.nStartPage);
    }
    return true;
}

}  // namespace
}  // namespace kvwin32::internal

using namespace kvwin32::internal;

extern "C" HPROPSHEETPAGE CreatePropertySheetPageA(LPCPROPSHEETPAGEA page) {
    if (page == nullptr || page->dwSize < sizeof(PROPSHEETPAGEA) || page->dwSize > kMaxPageSize) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    // The handle is the page's own record, as comctl32 hands out a pointer to its copy.
    auto copy = std::make_unique<KvPropSheetPage>();
    copy->bytes.resize(page->dwSize);
    std::memcpy(copy->bytes.data(), page, page->dwSize);
    PROPSHEETPAGEA& psp = copy->page();
    if (!(psp.dwFlags & PSP_DLGINDIRECT) && psp.pszTemplate && !IS_INTRESOURCE(psp.pszTemplate)) {
        copy->templateName = psp.pszTemplate;
        psp.pszTemplate = copy->templateName.c_str();
    }
    if ((psp.dwFlags & PSP_USETITLE) && psp.pszTitle && !IS_INTRESOURCE(psp.pszTitle)) {
        copy->title = psp.pszTitle;
        psp.pszTitle = copy->title.c_str();
    }
    return copy.release();
}

extern "C" BOOL DestroyPropertySheetPage(HPROPSHEETPAGE page) {
    if (page == nullptr) {
        return FALSE;
    }
    std::unique_ptr<KvPropSheetPage> owned(page);
    PROPSHEETPAGEA& psp = owned->page();
    if ((psp.dwFlags & PSP_USECALLBACK) && psp.pfnCallback) {
        psp.pfnCallback(nullptr, PSPCB_RELEASE, &psp);
    }
    return TRUE;
}

extern "C" INT_PTR PropertySheetA(LPCPROPSHEETHEADERA header) {
    if (header == nullptr || header->dwSize < sizeof(PROPSHEETHEADERA)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    if (header->hwndParent && windowOrError(header->hwndParent) == nullptr) {
        return -1;
    }
    auto state = std::make_unique<SheetState>();
    state->flags = header->dwFlags;
    state->instance = header->hInstance;
    state->callback = header->pfnCallback;
    state->caption = stringOrResource(header->hInstance, header->pszCaption);
    if (header->dwFlags & PSH_USEHICON) {
        state->icon = header->hIcon;
    } else if (header->dwFlags & PSH_USEICONID) {
        state->icon = LoadIconA(header->hInstance, header->pszIcon);
    }
    if (!collectPages(*header, *state)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    // The style of Windows' sheets, modal and modeless alike; without DS_CENTER the sheet
    // opens at its owner's client origin.
    DWORD style = DS_MODALFRAME | DS_3DLOOK | DS_CONTEXTHELP | DS_SETFONT | WS_POPUP | WS_VISIBLE |
                  WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU;
    DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    askPrecreate(*state, style, exStyle);
    DialogTemplate t = sheetTemplate(style, exStyle, state->flags);
    const bool modeless = (state->flags & PSH_MODELESS) != 0;
    HWND owner = modeless ? header->hwndParent : modalOwnerFor(header->hwndParent);
    HWND sheet = createDialog(header->hInstance, t, owner, sheetProc,
                              reinterpret_cast<LPARAM>(state.get()), !modeless);
    if (sheet == nullptr) {
        return -1;
    }
    if (modeless) {
        state.release()->windowOwnsState = true;
        return reinterpret_cast<INT_PTR>(sheet);
    }
    runModalDialog(sheet, owner, [&state](MSG& msg) { return handleSheetKeys(*state, msg); });
    return state->applied ? 1 : 0;
}
