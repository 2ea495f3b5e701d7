// Internal: what every control's window procedure shares: its state record kept with the
// window, the notifications it sends its parent, its font, and the colours its parent picks
// for it with WM_CTLCOLOR*.
//
// A control creates its state on WM_NCCREATE, as Windows allocates a control's data there,
// and reaches it with stateOf<T>() at each message. The pointer a procedure holds keeps the
// state alive while the message runs, so a parent that destroys the control from inside a
// notification leaves nothing dangling; after a notification a procedure checks IsWindow
// before it touches the window again.
#pragma once

#include <memory>
#include <optional>

#include "internal/window.h"
#include "kvwin32/wingdi.h"
#include "kvwin32/winuser.h"

namespace kvwin32::internal {

// Base of every control's state record.
struct ControlState {
    virtual ~ControlState() = default;
    HFONT font = nullptr;  // WM_SETFONT; null means the system font, as Windows answers
};

// Attaches a control's state to its window and returns it; null for a dead window.
template <class T>
std::shared_ptr<T> attachState(HWND hwnd, std::shared_ptr<T> state) {
    Window* w = windowRecord(hwnd);
    if (w == nullptr || !state) {
        return nullptr;
    }
    w->controlState = std::static_pointer_cast<ControlState>(state);
    return state;
}

// The state of a control of kind T, or null (dead window, no state, state of another kind:
// a procedure called through CallWindowProcA on a window of another class finds none).
template <class T>
std::shared_ptr<T> stateOf(HWND hwnd) {
    Window* w = windowRecord(hwnd);
    if (w == nullptr || !w->controlState) {
        return nullptr;
    }
    auto base = std::static_pointer_cast<ControlState>(w->controlState);
    return std::dynamic_pointer_cast<T>(base);
}

// Frees a control's state (WM_NCDESTROY); the procedure's own pointer lives on until it returns.
void detachState(HWND hwnd);

// The control's id (GWLP_ID).
int controlId(HWND control);

// Sends WM_COMMAND with MAKEWPARAM(id, code) and the control as lParam to the parent the
// control has at this moment; nothing when it has none.
void notifyParent(HWND control, WORD code);

// Sends WM_NOTIFY to the parent with the header filled in (hwndFrom, idFrom, code) and
// returns the parent's answer; 0 when there is no parent.
LRESULT notifyParentNm(HWND control, NMHDR& header, UINT code);

// Asks the parent for the brush and colours of the control (WM_CTLCOLOR* with the DC) and
// sets them on the DC. A parent that answers with no brush gets DefWindowProcA's answer,
// as Windows falls back to the default colours then.
HBRUSH controlColors(HWND control, HDC dc, UINT ctlColorMessage);

// WM_SETFONT of a control: keeps the font and repaints when asked (LOWORD(lParam)).
LRESULT setControlFont(HWND control, ControlState& state, WPARAM font, LPARAM redraw);

// WM_PAINT and WM_PRINTCLIENT of a control: paints into the DC in wParam when there is one
// (WM_PRINTCLIENT always brings one; a WM_PAINT that brings one paints into it too, as the
// controls of Windows do), else between BeginPaint and EndPaint. The DC's state is put back
// afterwards, so a caller's DC comes back as it was given. Returns 0, the answer to both.
template <typename Paint>
LRESULT paintControl(HWND control, WPARAM givenDc, Paint&& paint) {
    const auto paintSaved = [&](HDC dc) {
        const int saved = SaveDC(dc);
        paint(dc);
        RestoreDC(dc, saved);
    };
    if (HDC given = reinterpret_cast<HDC>(givenDc)) {
        paintSaved(given);
        return 0;
    }
    PAINTSTRUCT ps{};
    if (HDC dc = BeginPaint(control, &ps)) {
        paintSaved(dc);
    }
    EndPaint(control, &ps);
    return 0;
}

// Whether the window (not its ancestors) is enabled, as a control draws itself.
bool isControlEnabled(HWND control);

// The position a WM_VSCROLL or WM_HSCROLL request asks a scrolling control for, from its
// current one: a line (one unit) or a page either way, the thumb's place, the start, or
// `last`; nullopt for a request that moves nothing (SB_ENDSCROLL). The control keeps it
// within its range.
std::optional<long long> scrollRequestTarget(WPARAM request, long long current, long long page,
                                             long long last);

// The rows a WM_MOUSEWHEEL turn scrolls, upwards positive: `perNotch` for a whole notch
// (WHEEL_DELTA), turns smaller than a row adding up in `remain` until they make one, and a
// turn the other way starting afresh.
int wheelRows(int& remain, WPARAM wParam, int perNotch);

// Paints a bitmap in a rectangle: centred, or at its top-left corner when it does not fit,
// clipped to the rectangle. Nothing for a handle that is not a bitmap.
void drawBitmapInRect(HDC dc, HBITMAP bitmap, const RECT& rect, bool center);

// Direction an arrow glyph points.
enum class ArrowDirection { Left, Right, Up, Down };
// A solid arrow glyph (the triangle of a scroll or drop-down button) centred in a
// rectangle: black, or greyed with a white shadow when disabled, as the classic look draws it.
void drawArrowGlyph(HDC dc, const RECT& rect, ArrowDirection direction, bool enabled);
// A classic scroll-arrow button: a raised face (sunken when pushed) with its arrow.
void drawArrowButton(HDC dc, const RECT& rect, ArrowDirection direction, bool pushed, bool enabled);
// Text as the classic look draws a disabled label: embossed, white one pixel down and right
// under the text in the shadow colour. Takes DrawTextA's arguments.
void drawDisabledText(HDC dc, const std::string& text, RECT rect, UINT format);

// The process-wide clipboard text that WM_CUT, WM_COPY and WM_PASTE of the text controls
// share, as Windows has one clipboard per session.
class ClipboardText {
  public:
    static ClipboardText& instance();
    void set(std::string text) { m_text = std::move(text); }
    const std::string& text() const { return m_text; }

  private:
    std::string m_text;
};

}  // namespace kvwin32::internal
