// The tooltip control ("tooltips_class32"): its tools, how a tip's text is resolved (fixed,
// string resource, or asked of the owner), and the headless hover that shows it (see
// kvwin32/comctl_tooltip.h).
#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "internal/builtin_classes.h"
#include "internal/control.h"
#include "internal/gdi.h"
#include "kvwin32/comctl_tooltip.h"

namespace {

using kvwin32::internal::ControlState;
using kvwin32::internal::stateOf;

// Longest text a tip shows; a longer answer from an owner is cut there.
constexpr std::size_t kMaxTipText = 1024;
// Size of the buffer Windows assumes behind TOOLINFOA::lpszText when it copies a text out
// and the caller gave no size: that of NMTTDISPINFOA::szText.
constexpr std::size_t kDefaultTextBuffer = sizeof(NMTTDISPINFOA::szText);
// Offset of a tip below the point the user hovers at, as the cursor's height puts it.
constexpr int kTipOffsetY = 20;

// Where a tool's text comes from.
enum class TextSource { Fixed, Resource, Callback };

struct Tool {
    UINT flags = 0;                // TTF_*
    HWND owner = nullptr;          // TOOLINFOA::hwnd: the window notified for the tool
    UINT_PTR id = 0;               // TOOLINFOA::uId (the tool's window with TTF_IDISHWND)
    RECT rect{};                   // the tool's area of owner (not with TTF_IDISHWND)
    HINSTANCE instance = nullptr;  // module of a string resource text
    TextSource source = TextSource::Fixed;
    std::string text;     // the fixed text
    WORD resourceId = 0;  // the string id of a resource text
    LPARAM lParam = 0;    // the owner's value
};

struct TooltipState : ControlState {
    std::vector<Tool> tools;            // in the order they were added
    bool active = true;                 // TTM_ACTIVATE: an inactive tooltip shows nothing
    int maxWidth = -1;                  // TTM_SETMAXTIPWIDTH, -1 for no limit
    int current = -1;                   // tool under the last relayed mouse message, -1 when none
    int shown = -1;                     // tool whose tip is showing, -1 when none
    std::string shownText;              // the text of the tip showing
    int delayInitial = 500;             // TTDT_INITIAL, milliseconds (the double-click time)
    int delayAutoPop = 5000;            // TTDT_AUTOPOP: ten times that
    int delayReshow = 100;              // TTDT_RESHOW: a fifth of it
    COLORREF background = CLR_INVALID;  // TTM_SETTIPBKCOLOR; CLR_INVALID: COLOR_INFOBK
    COLORREF foreground = CLR_INVALID;  // TTM_SETTIPTEXTCOLOR; CLR_INVALID: COLOR_INFOTEXT
    RECT margin{};                      // TTM_SETMARGIN
};

std::shared_ptr<TooltipState> tooltipOf(HWND hwnd) {
    return stateOf<TooltipState>(hwnd);
}

bool isTooltip(HWND hwnd) {
    return tooltipOf(hwnd) != nullptr;
}

// A TOOLINFOA a program hands in: at least the first version's fields must be there.
const TOOLINFOA* toolInfoIn(LPARAM lParam) {
    const auto* ti = reinterpret_cast<const TOOLINFOA*>(lParam);
    if (ti == nullptr || ti->cbSize < TTTOOLINFOA_V1_SIZE) {
        return nullptr;
    }
    return ti;
}
TOOLINFOA* toolInfoOut(LPARAM lParam) {
    return const_cast<TOOLINFOA*>(toolInfoIn(lParam));
}

// A string of at most `limit` characters from a pointer a program gave.
std::string boundedText(const char* text, std::size_t limit) {
    if (text == nullptr) {
        return {};
    }
    return std::string(text, strnlen(text, limit));
}

// The text fields of a TOOLINFOA: a string, LPSTR_TEXTCALLBACKA or a resource ordinal.
void setToolText(Tool& tool, LPSTR text, HINSTANCE instance) {
    tool.instance = instance;
    tool.text.clear();
    tool.resourceId = 0;
    if (text == LPSTR_TEXTCALLBACKA) {
        tool.source = TextSource::Callback;
    } else if (text != nullptr && IS_INTRESOURCE(text)) {
        tool.source = TextSource::Resource;
        tool.resourceId = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(text));
    } else {
        tool.source = TextSource::Fixed;
        tool.text = boundedText(text, kMaxTipText);
    }
}

Tool toolFrom(const TOOLINFOA& ti) {
    Tool tool;
    tool.flags = ti.uFlags;
    tool.owner = ti.hwnd;
    tool.id = ti.uId;
    tool.rect = ti.rect;
    tool.lParam = ti.cbSize >= TTTOOLINFOA_V2_SIZE ? ti.lParam : 0;
    setToolText(tool, ti.lpszText, ti.hinst);
    return tool;
}

// The index of the tool a TOOLINFOA names by owner and id, or -1.
int findTool(const TooltipState& s, const TOOLINFOA& ti) {
    for (std::size_t i = 0; i < s.tools.size(); ++i) {
        const Tool& t = s.tools[i];
        if (t.owner == ti.hwnd && t.id == ti.uId && ((t.flags ^ ti.uFlags) & TTF_IDISHWND) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// The tool a user hovering at pt (client coordinates of window) is over: tools with a
// rectangle of that window first, then a tool that is the window itself, as Windows looks.
int toolAt(const TooltipState& s, HWND window, POINT pt) {
    for (std::size_t i = 0; i < s.tools.size(); ++i) {
        const Tool& t = s.tools[i];
        if ((t.flags & TTF_IDISHWND) == 0 && t.owner == window && PtInRect(&t.rect, pt)) {
            return static_cast<int>(i);
        }
    }
    for (std::size_t i = 0; i < s.tools.size(); ++i) {
        const Tool& t = s.tools[i];
        if ((t.flags & TTF_IDISHWND) != 0 && reinterpret_cast<HWND>(t.id) == window) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// Copies a tool out into a TOOLINFOA, within the fields its cbSize announces. A fixed text
// goes into the caller's lpszText buffer (kDefaultTextBuffer characters at most).
void fillToolInfo(const Tool& tool, TOOLINFOA& ti) {
    ti.uFlags = tool.flags;
    ti.hwnd = tool.owner;
    ti.uId = tool.id;
    ti.rect = tool.rect;
    ti.hinst = tool.instance;
    switch (tool.source) {
        case TextSource::Callback:
            ti.lpszText = LPSTR_TEXTCALLBACKA;
            break;
        case TextSource::Resource:
            ti.lpszText = MAKEINTRESOURCEA(tool.resourceId);
            break;
        case TextSource::Fixed:
            if (ti.lpszText != nullptr && ti.lpszText != LPSTR_TEXTCALLBACKA &&
                !IS_INTRESOURCE(ti.lpszText)) {
                const std::size_t n = std::min(tool.text.size(), kDefaultTextBuffer - 1);
                std::memcpy(ti.lpszText, tool.text.data(), n);
                ti.lpszText[n] = '\0';
            }
            break;
    }
    if (ti.cbSize >= TTTOOLINFOA_V2_SIZE) {
        ti.lParam = tool.lParam;
    }
}

std::string loadString(HINSTANCE instance, WORD id) {
    std::vector<char> buffer(kMaxTipText + 1);
    const int n = LoadStringA(instance, id, buffer.data(), static_cast<int>(buffer.size()));
    return n > 0 ? std::string(buffer.data(), static_cast<std::size_t>(n)) : std::string();
}

// Asks the owner for a callback text with TTN_GETDISPINFOA. lpszText starts out pointing at
// szText, so an owner that only copies into the buffer is understood, as on Windows; an
// answer with TTF_DI_SETITEM becomes the tool's fixed text.
std::string askOwner(HWND hwnd, int index) {
    auto s = tooltipOf(hwnd);
    if (!s || index < 0 || index >= static_cast<int>(s->tools.size())) {
        return {};
    }
    const Tool tool = s->tools[static_cast<std::size_t>(index)];
    NMTTDISPINFOA nm{};
    nm.hdr.hwndFrom = hwnd;
    nm.hdr.idFrom = tool.id;
    nm.hdr.code = TTN_GETDISPINFOA;
    nm.lpszText = nm.szText;
    nm.uFlags = tool.flags;
    nm.lParam = tool.lParam;
    SendMessageA(tool.owner, WM_NOTIFY, tool.id, reinterpret_cast<LPARAM>(&nm));
    std::string text;
    if (nm.lpszText == nm.szText) {
        text = boundedText(nm.szText, sizeof(nm.szText) - 1);
    } else if (nm.lpszText != nullptr && IS_INTRESOURCE(nm.lpszText)) {
        text = loadString(nm.hinst, static_cast<WORD>(reinterpret_cast<ULONG_PTR>(nm.lpszText)));
    } else if (nm.lpszText != LPSTR_TEXTCALLBACKA) {
        text = boundedText(nm.lpszText, kMaxTipText);
    }
    // The owner may have deleted tools meanwhile: find ours again before keeping the answer.
    s = tooltipOf(hwnd);
    if (s && (nm.uFlags & TTF_DI_SETITEM) != 0) {
        TOOLINFOA key{};
        key.hwnd = tool.owner;
        key.uId = tool.id;
        key.uFlags = tool.flags;
        const int again = findTool(*s, key);
        if (again >= 0) {
            Tool& kept = s->tools[static_cast<std::size_t>(again)];
            kept.source = TextSource::Fixed;
            kept.text = text;
        }
    }
    return text;
}

// The text a tip shows for a tool, asking its owner when the text is a callback.
std::string resolveText(HWND hwnd, int index) {
    auto s = tooltipOf(hwnd);
    if (!s || index < 0 || index >= static_cast<int>(s->tools.size())) {
        return {};
    }
    const Tool& tool = s->tools[static_cast<std::size_t>(index)];
    switch (tool.source) {
        case TextSource::Fixed:
            return tool.text;
        case TextSource::Resource:
            return loadString(tool.instance, tool.resourceId);
        case TextSource::Callback:
            return askOwner(hwnd, index);
    }
    return {};
}

// TTN_SHOW / TTN_POP go to the tool's owner with idFrom the tool's id.
void notifyOwner(HWND hwnd, const Tool& tool, UINT code) {
    NMHDR nm{};
    nm.hwndFrom = hwnd;
    nm.idFrom = tool.id;
    nm.code = code;
    SendMessageA(tool.owner, WM_NOTIFY, tool.id, reinterpret_cast<LPARAM>(&nm));
}

void setShownText(HWND hwnd, TooltipState& s, const std::string& text) {
    s.shownText = text;
    DefWindowProcA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// Hides the tip showing, telling its owner with TTN_POP.
void hideTip(HWND hwnd) {
    auto s = tooltipOf(hwnd);
    if (!s || s->shown < 0) {
        return;
    }
    const int index = s->shown;
    s->shown = -1;
    setShownText(hwnd, *s, "");
    ShowWindow(hwnd, SW_HIDE);
    if (index < static_cast<int>(s->tools.size())) {
        notifyOwner(hwnd, s->tools[static_cast<std::size_t>(index)], TTN_POP);
    }
}

// The size of the tip for a text: one line per "\n", wrapped at the maximum width, inside a
// one-pixel border and the margins.
SIZE tipSize(const TooltipState& s, HWND hwnd, const std::string& text) {
    RECT calc{0, 0, s.maxWidth > 0 ? s.maxWidth : kvwin32::internal::kScreenWidth, 0};
    UINT format = DT_CALCRECT | DT_EXPANDTABS;
    format |= s.maxWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE;
    if (GetWindowLongA(hwnd, GWL_STYLE) & TTS_NOPREFIX) {
        format |= DT_NOPREFIX;
    }
    if (s.maxWidth <= 0 && text.find('\n') != std::string::npos) {
        format &= ~static_cast<UINT>(DT_SINGLELINE);
    }
    HDC dc = GetDC(hwnd);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &calc, format);
    ReleaseDC(hwnd, dc);
    return SIZE{calc.right - calc.left + s.margin.left + s.margin.right + 6,
                calc.bottom - calc.top + s.margin.top + s.margin.bottom + 4};
}

// Shows the tip of a tool for a hover at pt (client coordinates of the window hovered):
// the text first (TTN_GETDISPINFOA when it is a callback), nothing when it is empty, then
// TTN_SHOW to the owner, then the tip appears below the point (centred below the tool with
// TTF_CENTERTIP). Returns the text shown.
std::optional<std::string> showTip(HWND hwnd, int index, HWND window, POINT pt) {
    auto s = tooltipOf(hwnd);
    if (!s || !s->active || index < 0 || index >= static_cast<int>(s->tools.size())) {
        return std::nullopt;
    }
    if (s->shown >= 0 && s->shown != index) {
        hideTip(hwnd);
    }
    const std::string text = resolveText(hwnd, index);
    s = tooltipOf(hwnd);
    if (!s || index >= static_cast<int>(s->tools.size()) || text.empty()) {
        return std::nullopt;
    }
    const Tool tool = s->tools[static_cast<std::size_t>(index)];
    s->shown = index;
    setShownText(hwnd, *s, text);
    notifyOwner(hwnd, tool, TTN_SHOW);
    if (!IsWindow(hwnd)) {
        return text;
    }
    const SIZE size = tipSize(*s, hwnd, text);
    POINT at = pt;
    if (tool.flags & TTF_CENTERTIP) {
        RECT area = tool.rect;
        if (tool.flags & TTF_IDISHWND) {
            GetClientRect(window, &area);
        }
        at = POINT{(area.left + area.right) / 2 - size.cx / 2, area.bottom};
        ClientToScreen(window, &at);
    } else {
        ClientToScreen(window, &at);
        at.y += kTipOffsetY;
    }
    SetWindowPos(hwnd, HWND_TOP, at.x, at.y, size.cx, size.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return text;
}

// ---- Messages -----------------------------------------------------------------------------

LRESULT addTool(TooltipState& s, LPARAM lParam) {
    const TOOLINFOA* ti = toolInfoIn(lParam);
    if (ti == nullptr) {
        return FALSE;
    }
    s.tools.push_back(toolFrom(*ti));
    return TRUE;
}

LRESULT deleteTool(HWND hwnd, TooltipState& s, LPARAM lParam) {
    const TOOLINFOA* ti = toolInfoIn(lParam);
    const int index = ti ? findTool(s, *ti) : -1;
    if (index < 0) {
        return 0;
    }
    if (s.shown == index) {
        hideTip(hwnd);
    }
    auto fresh = tooltipOf(hwnd);
    if (!fresh || index >= static_cast<int>(fresh->tools.size())) {
        return 0;
    }
    fresh->tools.erase(fresh->tools.begin() + index);
    for (int* mark : {&fresh->current, &fresh->shown}) {
        if (*mark == index) {
            *mark = -1;
        } else if (*mark > index) {
            --*mark;
        }
    }
    return 0;
}

LRESULT newToolRect(TooltipState& s, LPARAM lParam) {
    const TOOLINFOA* ti = toolInfoIn(lParam);
    const int index = ti ? findTool(s, *ti) : -1;
    if (index >= 0) {
        s.tools[static_cast<std::size_t>(index)].rect = ti->rect;
    }
    return 0;
}

LRESULT getToolInfo(const TooltipState& s, LPARAM lParam) {
    TOOLINFOA* ti = toolInfoOut(lParam);
    const int index = ti ? findTool(s, *ti) : -1;
    if (index < 0) {
        return FALSE;
    }
    fillToolInfo(s.tools[static_cast<std::size_t>(index)], *ti);
    return TRUE;
}

LRESULT setToolInfo(HWND hwnd, TooltipState& s, LPARAM lParam) {
    const TOOLINFOA* ti = toolInfoIn(lParam);
    const int index = ti ? findTool(s, *ti) : -1;
    if (index < 0) {
        return 0;
    }
    s.tools[static_cast<std::size_t>(index)] = toolFrom(*ti);
    if (s.shown == index) {
        setShownText(hwnd, s, resolveText(hwnd, index));
    }
    return 0;
}

LRESULT updateTipText(HWND hwnd, TooltipState& s, LPARAM lParam) {
    const TOOLINFOA* ti = toolInfoIn(lParam);
    const int index = ti ? findTool(s, *ti) : -1;
    if (index < 0) {
        return 0;
    }
    setToolText(s.tools[static_cast<std::size_t>(index)], ti->lpszText, ti->hinst);
    if (s.shown == index) {
        const std::string text = resolveText(hwnd, index);
        if (auto fresh = tooltipOf(hwnd)) {
            setShownText(hwnd, *fresh, text);
        }
    }
    return 0;
}

// TTM_GETTEXTA: wParam is the size of the caller's buffer (0: that of szText, as older
// callers assume). A callback text is not asked for: the answer is then empty.
LRESULT getText(HWND hwnd, TooltipState& s, WPARAM wParam, LPARAM lParam) {
    TOOLINFOA* ti = toolInfoOut(lParam);
    const int index = ti ? findTool(s, *ti) : -1;
    if (index < 0 || ti->lpszText == nullptr || IS_INTRESOURCE(ti->lpszText) ||
        ti->lpszText == LPSTR_TEXTCALLBACKA) {
        return 0;
    }
    const Tool& tool = s.tools[static_cast<std::size_t>(index)];
    const std::string text =
        tool.source == TextSource::Callback ? std::string() : resolveText(hwnd, index);
    const std::size_t size = wParam != 0 ? wParam : kDefaultTextBuffer;
    const std::size_t n = std::min(text.size(), size - 1);
    std::memcpy(ti->lpszText, text.data(), n);
    ti->lpszText[n] = '\0';
    return static_cast<LRESULT>(n);
}

LRESULT enumTools(const TooltipState& s, WPARAM index, LPARAM lParam) {
    TOOLINFOA* ti = toolInfoOut(lParam);
    if (ti == nullptr || index >= s.tools.size()) {
        return FALSE;
    }
    fillToolInfo(s.tools[index], *ti);
    return TRUE;
}

LRESULT getCurrentTool(const TooltipState& s, LPARAM lParam) {
    const int index = s.shown >= 0 ? s.shown : s.current;
    if (index < 0) {
        return FALSE;
    }
    if (TOOLINFOA* ti = toolInfoOut(lParam)) {
        fillToolInfo(s.tools[static_cast<std::size_t>(index)], *ti);
    }
    return TRUE;
}

LRESULT hitTest(const TooltipState& s, LPARAM lParam) {
    auto* info = reinterpret_cast<TTHITTESTINFOA*>(lParam);
    if (info == nullptr) {
        return FALSE;
    }
    const int index = toolAt(s, info->hwnd, info->pt);
    if (index < 0) {
        return FALSE;
    }
    if (info->ti.cbSize >= TTTOOLINFOA_V1_SIZE) {
        fillToolInfo(s.tools[static_cast<std::size_t>(index)], info->ti);
    }
    return TRUE;
}

// TTM_RELAYEVENT: a mouse move marks the tool under the point as the current one (the tip
// of another tool goes away); a button press hides the tip, as clicking does on Windows.
LRESULT relayEvent(HWND hwnd, TooltipState& s, LPARAM lParam) {
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (msg == nullptr || !IsWindow(msg->hwnd)) {
        return 0;
    }
    switch (msg->message) {
        case WM_MOUSEMOVE: {
            const POINT pt{GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)};
            s.current = toolAt(s, msg->hwnd, pt);
            if (s.shown >= 0 && s.shown != s.current) {
                hideTip(hwnd);
            }
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            hideTip(hwnd);
            return 0;
        default:
            return 0;
    }
}

// TTM_POPUP: the tip of the current tool at once, at the tool's centre.
LRESULT popup(HWND hwnd, TooltipState& s) {
    if (s.current < 0 || s.current >= static_cast<int>(s.tools.size())) {
        return 0;
    }
    const Tool tool = s.tools[static_cast<std::size_t>(s.current)];
    HWND window = (tool.flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(tool.id) : tool.owner;
    RECT area = tool.rect;
    if (tool.flags & TTF_IDISHWND) {
        GetClientRect(window, &area);
    }
    showTip(hwnd, s.current, window,
            POINT{(area.left + area.right) / 2, (area.top + area.bottom) / 2});
    return 0;
}

LRESULT activate(HWND hwnd, TooltipState& s, WPARAM on) {
    s.active = on != 0;
    if (!s.active) {
        hideTip(hwnd);
    }
    return 0;
}

LRESULT setDelayTime(TooltipState& s, WPARAM kind, LPARAM lParam) {
    const int value = static_cast<short>(LOWORD(lParam));
    switch (kind) {
        case TTDT_AUTOMATIC: {
            const int base = value < 0 ? 500 : value;
            s.delayInitial = base;
            s.delayAutoPop = base * 10;
            s.delayReshow = base / 5;
            break;
        }
        case TTDT_INITIAL:
            s.delayInitial = value < 0 ? 500 : value;
            break;
        case TTDT_AUTOPOP:
            s.delayAutoPop = value < 0 ? 5000 : value;
            break;
        case TTDT_RESHOW:
            s.delayReshow = value < 0 ? 100 : value;
            break;
        default:
            break;
    }
    return 0;
}

LRESULT getDelayTime(const TooltipState& s, WPARAM kind) {
    switch (kind) {
        case TTDT_RESHOW:
            return s.delayReshow;
        case TTDT_AUTOPOP:
            return s.delayAutoPop;
        default:
            return s.delayInitial;
    }
}

LRESULT setMaxTipWidth(TooltipState& s, LPARAM lParam) {
    const int previous = s.maxWidth;
    s.maxWidth = static_cast<int>(lParam);
    return previous;
}

LRESULT bubbleSize(HWND hwnd, TooltipState& s, LPARAM lParam) {
    const TOOLINFOA* ti = toolInfoIn(lParam);
    const int index = ti ? findTool(s, *ti) : -1;
    if (index < 0) {
        return 0;
    }
    const std::string text = index == s.shown ? s.shownText : resolveText(hwnd, index);
    auto fresh = tooltipOf(hwnd);
    if (!fresh) {
        return 0;
    }
    const SIZE size = tipSize(*fresh, hwnd, text);
    return MAKELONG(static_cast<WORD>(size.cx), static_cast<WORD>(size.cy));
}

COLORREF colourOr(COLORREF colour, int sysColour) {
    return colour == CLR_INVALID ? GetSysColor(sysColour) : colour;
}

void paint(HWND hwnd, const TooltipState& s, HDC dc) {
    RECT rc{};
    GetClientRect(hwnd, &rc);
    HBRUSH brush = CreateSolidBrush(colourOr(s.background, COLOR_INFOBK));
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
    FrameRect(dc, &rc, GetSysColorBrush(COLOR_WINDOWFRAME));
    RECT text{rc.left + 3 + s.margin.left, rc.top + 2 + s.margin.top, rc.right - 3 - s.margin.right,
              rc.bottom - 2 - s.margin.bottom};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colourOr(s.foreground, COLOR_INFOTEXT));
    UINT format = DT_EXPANDTABS | (s.maxWidth > 0 ? DT_WORDBREAK : 0);
    if (GetWindowLongA(hwnd, GWL_STYLE) & TTS_NOPREFIX) {
        format |= DT_NOPREFIX;
    }
    DrawTextA(dc, s.shownText.c_str(), static_cast<int>(s.shownText.size()), &text, format);
}

LRESULT tooltipProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        kvwin32::internal::attachState(hwnd, std::make_shared<TooltipState>());
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    auto s = tooltipOf(hwnd);
    if (!s) {
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    switch (msg) {
        case WM_NCDESTROY:
            kvwin32::internal::detachState(hwnd);
            return DefWindowProcA(hwnd, msg, wParam, lParam);
        case WM_PAINT:
        case WM_PRINTCLIENT:
            return kvwin32::internal::paintControl(hwnd, wParam,
                                                   [&](HDC dc) { paint(hwnd, *s, dc); });
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_SETTEXT:
            return TRUE;  // the tip's text is the tool's, not the window's own
        case TTM_ACTIVATE:
            return activate(hwnd, *s, wParam);
        case TTM_ADDTOOLA:
            return addTool(*s, lParam);
        case TTM_DELTOOLA:
            return deleteTool(hwnd, *s, lParam);
        case TTM_NEWTOOLRECTA:
            return newToolRect(*s, lParam);
        case TTM_RELAYEVENT:
            return relayEvent(hwnd, *s, lParam);
        case TTM_GETTOOLINFOA:
            return getToolInfo(*s, lParam);
        case TTM_SETTOOLINFOA:
            return setToolInfo(hwnd, *s, lParam);
        case TTM_HITTESTA:
            return hitTest(*s, lParam);
        case TTM_GETTEXTA:
            return getText(hwnd, *s, wParam, lParam);
        case TTM_UPDATETIPTEXTA:
            return updateTipText(hwnd, *s, lParam);
        case TTM_GETTOOLCOUNT:
            return static_cast<LRESULT>(s->tools.size());
        case TTM_ENUMTOOLSA:
            return enumTools(*s, wParam, lParam);
        case TTM_GETCURRENTTOOLA:
            return getCurrentTool(*s, lParam);
        case TTM_WINDOWFROMPOINT:
            return reinterpret_cast<LRESULT>(
                lParam ? WindowFromPoint(*reinterpret_cast<const POINT*>(lParam)) : nullptr);
        case TTM_SETDELAYTIME:
            return setDelayTime(*s, wParam, lParam);
        case TTM_GETDELAYTIME:
            return getDelayTime(*s, wParam);
        case TTM_SETTIPBKCOLOR:
            s->background = static_cast<COLORREF>(wParam);
            return 0;
        case TTM_SETTIPTEXTCOLOR:
            s->foreground = static_cast<COLORREF>(wParam);
            return 0;
        case TTM_GETTIPBKCOLOR:
            return colourOr(s->background, COLOR_INFOBK);
        case TTM_GETTIPTEXTCOLOR:
            return colourOr(s->foreground, COLOR_INFOTEXT);
        case TTM_SETMAXTIPWIDTH:
            return setMaxTipWidth(*s, lParam);
        case TTM_GETMAXTIPWIDTH:
            return s->maxWidth;
        case TTM_SETMARGIN:
            if (lParam != 0) {
                s->margin = *reinterpret_cast<const RECT*>(lParam);
            }
            return 0;
        case TTM_GETMARGIN:
            if (lParam != 0) {
                *reinterpret_cast<RECT*>(lParam) = s->margin;
            }
            return 0;
        case TTM_POP:
            hideTip(hwnd);
            return 0;
        case TTM_POPUP:
            return popup(hwnd, *s);
        case TTM_UPDATE:
            if (s->shown >= 0) {
                setShownText(hwnd, *s, resolveText(hwnd, s->shown));
            }
            return 0;
        case TTM_GETBUBBLESIZE:
            return bubbleSize(hwnd, *s, lParam);
        default:
            return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

WNDCLASSEXA kvwin32::internal::tooltipClass() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_GLOBALCLASS | CS_SAVEBITS | CS_DBLCLKS;
    wc.lpfnWndProc = tooltipProc;
    wc.lpszClassName = TOOLTIPS_CLASSA;
    return wc;
}

namespace {

// Every tooltip control of the thread: they are popups, so the top-level windows hold them.
std::vector<HWND> allTooltips() {
    std::vector<HWND> found;
    EnumWindows(
        [](HWND hwnd, LPARAM list) {
            if (isTooltip(hwnd)) {
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

namespace kvwin32 {

std::optional<std::string> tooltipTextAt(HWND window, POINT pt) {
    if (!IsWindow(window)) {
        return std::nullopt;
    }
    const std::vector<HWND> tooltips = allTooltips();
    for (HWND tooltip : tooltips) {
        auto s = tooltipOf(tooltip);
        if (!s || !s->active) {
            continue;
        }
        const int index = toolAt(*s, window, pt);
        if (index < 0) {
            continue;
        }
        for (HWND other : tooltips) {
            if (other != tooltip) {
                hideTip(other);
            }
        }
        s->current = index;
        return showTip(tooltip, index, window, pt);
    }
    popTooltips();
    return std::nullopt;
}

std::optional<std::string> tooltipTextAt(HWND window) {
    RECT rc{};
    if (!GetClientRect(window, &rc)) {
        return std::nullopt;
    }
    return tooltipTextAt(window, POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
}

std::vector<RECT> tooltipToolRects(HWND window) {
    std::vector<RECT> rects;
    for (HWND tooltip : allTooltips()) {
        auto s = tooltipOf(tooltip);
        if (!s || !s->active) {
            continue;
        }
        for (const Tool& t : s->tools) {
            if ((t.flags & TTF_IDISHWND) == 0 && t.owner == window && !IsRectEmpty(&t.rect)) {
                rects.push_back(t.rect);
            }
        }
    }
    return rects;
}

std::string tooltipShownText(HWND tooltip) {
    auto s = tooltipOf(tooltip);
    return s && s->shown >= 0 ? s->shownText : std::string();
}

void popTooltips() {
    for (HWND tooltip : allTooltips()) {
        hideTip(tooltip);
    }
}

}  // namespace kvwin32
