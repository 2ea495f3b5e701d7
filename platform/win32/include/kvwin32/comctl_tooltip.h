// The tooltip control ("tooltips_class32"): a small popup that shows a text when the user
// hovers over a "tool", a window (TTF_IDISHWND) or a rectangle of a window. The text is a fixed
// string, a string resource, or asked of the tool's owner when needed (LPSTR_TEXTCALLBACKA:
// TTN_GETDISPINFOA with NMTTDISPINFOA). Messages, notifications and structures are those of
// Windows' common controls; styles (TTS_*) are in kvwin32/styles.h.
//
// Reading a tooltip headlessly. There is no mouse to hover, so the Robot asks instead:
// kvwin32::tooltipTextAt(window, point) finds the tool a user hovering there would get (from
// every active tooltip control), resolves its text exactly as the popup would (sending
// TTN_GETDISPINFOA to the owner for a callback text), shows it (TTN_SHOW to the owner; the
// tooltip window's text becomes the tip, readable with GetWindowTextA) and returns it. The
// next hover, kvwin32::popTooltips() or TTM_POP hides it again (TTN_POP). TTM_RELAYEVENT with a
// WM_MOUSEMOVE marks the tool under that point as the current one; TTM_POPUP then shows it.
// A tool with a rectangle is hovered through its owner window and a point inside the rectangle;
// a TTF_IDISHWND tool through its own window. TTF_SUBCLASS is accepted and changes nothing: the
// hover finds every tool, so no tool window needs watching. Delays are kept, never waited for.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <optional>
#include <string>
#include <vector>

#include "kvwin32/commctrl.h"
#include "kvwin32/windef.h"
#include "kvwin32/winuser.h"

#define TOOLTIPS_CLASSA "tooltips_class32"

// ---- Messages -------------------------------------------------------------------------------
#define TTM_ACTIVATE (WM_USER + 1)  // wParam TRUE: tips show; FALSE: they never do
#define TTM_SETDELAYTIME (WM_USER + 3)
#define TTM_ADDTOOLA (WM_USER + 4)      // lParam TOOLINFOA; TRUE when added
#define TTM_DELTOOLA (WM_USER + 5)      // lParam TOOLINFOA naming the tool (hwnd, uId)
#define TTM_NEWTOOLRECTA (WM_USER + 6)  // lParam TOOLINFOA with the new rect
#define TTM_RELAYEVENT (WM_USER + 7)    // lParam MSG of a mouse message over a tool
#define TTM_GETTOOLINFOA (WM_USER + 8)  // lParam TOOLINFOA naming the tool, filled in
#define TTM_SETTOOLINFOA (WM_USER + 9)
#define TTM_HITTESTA (WM_USER + 10)        // lParam TTHITTESTINFOA; TRUE when a tool is there
#define TTM_GETTEXTA (WM_USER + 11)        // lParam TOOLINFOA; lpszText receives the text
#define TTM_UPDATETIPTEXTA (WM_USER + 12)  // lParam TOOLINFOA with the new text
#define TTM_GETTOOLCOUNT (WM_USER + 13)
#define TTM_ENUMTOOLSA (WM_USER + 14)  // wParam index, lParam TOOLINFOA filled in
#define TTM_GETCURRENTTOOLA (WM_USER + 15)
#define TTM_WINDOWFROMPOINT (WM_USER + 16)
#define TTM_TRACKACTIVATE (WM_USER + 17)
#define TTM_TRACKPOSITION (WM_USER + 18)
#define TTM_SETTIPBKCOLOR (WM_USER + 19)
#define TTM_SETTIPTEXTCOLOR (WM_USER + 20)
#define TTM_GETDELAYTIME (WM_USER + 21)
#define TTM_GETTIPBKCOLOR (WM_USER + 22)
#define TTM_GETTIPTEXTCOLOR (WM_USER + 23)
#define TTM_SETMAXTIPWIDTH (WM_USER + 24)  // lParam width (-1: no limit); the previous one
#define TTM_GETMAXTIPWIDTH (WM_USER + 25)
#define TTM_SETMARGIN (WM_USER + 26)
#define TTM_GETMARGIN (WM_USER + 27)
#define TTM_POP (WM_USER + 28)  // hides the tip shown
#define TTM_UPDATE (WM_USER + 29)
#define TTM_GETBUBBLESIZE (WM_USER + 30)
#define TTM_ADJUSTRECT (WM_USER + 31)
#define TTM_SETTITLEA (WM_USER + 32)
#define TTM_POPUP (WM_USER + 34)  // shows the tip of the current tool at once

// TTM_SETDELAYTIME / TTM_GETDELAYTIME kinds.
#define TTDT_AUTOMATIC 0
#define TTDT_RESHOW 1
#define TTDT_AUTOPOP 2
#define TTDT_INITIAL 3

// ---- Notifications (to the tool's owner, TOOLINFOA::hwnd) --------------------------------------
#define TTN_GETDISPINFOA (TTN_FIRST - 0)  // NMTTDISPINFOA: supply the text
#define TTN_NEEDTEXTA TTN_GETDISPINFOA
#define TTN_SHOW (TTN_FIRST - 1)  // NMHDR, idFrom the tool's uId: the tip appears
#define TTN_POP (TTN_FIRST - 2)   // NMHDR, idFrom the tool's uId: the tip disappears
#define TTN_LINKCLICK (TTN_FIRST - 3)
// The wide-character request: never sent here, defined for owners that answer both.
#define TTN_GETDISPINFOW (TTN_FIRST - 10)
#define TTN_NEEDTEXTW TTN_GETDISPINFOW

// ---- Tools ----------------------------------------------------------------------------------
#define TTF_IDISHWND 0x0001   // uId is the tool's window; the whole window is the tool
#define TTF_CENTERTIP 0x0002  // the tip sits centred below the tool
#define TTF_RTLREADING 0x0004
#define TTF_SUBCLASS 0x0010  // the tooltip watches the tool's mouse messages itself
#define TTF_TRACK 0x0020
#define TTF_ABSOLUTE 0x0080
#define TTF_TRANSPARENT 0x0100
#define TTF_PARSELINKS 0x1000
#define TTF_DI_SETITEM 0x8000  // (NMTTDISPINFOA::uFlags) keep the text supplied for good

#ifndef LPSTR_TEXTCALLBACKA
#define LPSTR_TEXTCALLBACKA (reinterpret_cast<LPSTR>(static_cast<LONG_PTR>(-1)))
#endif

// A tool: who owns it (hwnd), its id (or its window with TTF_IDISHWND), where it is and its
// text. lpszText is a string, LPSTR_TEXTCALLBACKA, or MAKEINTRESOURCEA(id) of a string in hinst.
struct TOOLINFOA {
    UINT cbSize;      // sizeof(TOOLINFOA) or one of the older sizes below
    UINT uFlags;      // TTF_*
    HWND hwnd;        // the window that owns the tool and receives its notifications
    UINT_PTR uId;     // the tool's id, or its window with TTF_IDISHWND
    RECT rect;        // the tool's rectangle in hwnd's client area (not with TTF_IDISHWND)
    HINSTANCE hinst;  // the module of a string resource text
    LPSTR lpszText;   // the text, LPSTR_TEXTCALLBACKA or a resource id
    LPARAM lParam;    // the owner's value
    void* lpReserved;
};
using LPTOOLINFOA = TOOLINFOA*;
using TTTOOLINFOA = TOOLINFOA;
using LPTTTOOLINFOA = TOOLINFOA*;
using TOOLINFO = TOOLINFOA;
#define TTTOOLINFOA_V1_SIZE offsetof(TOOLINFOA, lParam)
#define TTTOOLINFOA_V2_SIZE offsetof(TOOLINFOA, lpReserved)
#define TTTOOLINFOA_V3_SIZE sizeof(TOOLINFOA)

// TTM_HITTESTA: a point of a window in, the tool there out.
struct TTHITTESTINFOA {
    HWND hwnd;
    POINT pt;      // client coordinates of hwnd
    TOOLINFOA ti;  // filled in when a tool is there
};
using LPTTHITTESTINFOA = TTHITTESTINFOA*;

// The payload of TTN_GETDISPINFOA. The owner answers with one of: a pointer in lpszText, a
// string copied into szText (lpszText pointing to it), or a resource id in lpszText with its
// module in hinst.
struct NMTTDISPINFOA {
    NMHDR hdr;        // idFrom is the tool's uId
    LPSTR lpszText;   // the text, or MAKEINTRESOURCEA(id) with hinst
    char szText[80];  // room for a text of up to 79 characters
    HINSTANCE hinst;  // module of a string resource, else null
    UINT uFlags;      // the tool's TTF_* (TTF_IDISHWND tells that idFrom is a window); the
                      // owner may add TTF_DI_SETITEM to keep the answer as the tool's text
    LPARAM lParam;    // the tool's lParam
};
using LPNMTTDISPINFOA = NMTTDISPINFOA*;
using TOOLTIPTEXTA = NMTTDISPINFOA;
using LPTOOLTIPTEXTA = NMTTDISPINFOA*;

namespace kvwin32 {

// The text a user hovering at `pt` (client coordinates of `window`) would see, from the first
// active tooltip control with a tool there; shows it (TTN_SHOW) after hiding any other tip.
// nullopt when no tool is there or its text resolves empty.
std::optional<std::string> tooltipTextAt(HWND window, POINT pt);
// As tooltipTextAt at the centre of the window.
std::optional<std::string> tooltipTextAt(HWND window);
// The areas of `window` that active tooltip controls have tools for (tools of a window, not
// of its children), in the order the tools were added.
std::vector<RECT> tooltipToolRects(HWND window);
// The text a tooltip control shows at the moment, empty when none.
std::string tooltipShownText(HWND tooltip);
// Hides every tip shown (TTN_POP to its owner), as when the mouse leaves.
void popTooltips();

}  // namespace kvwin32

#pragma GCC visibility pop
