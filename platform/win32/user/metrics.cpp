// System metrics of the headless desktop: a 1024x768 screen at 96 dpi with the classic
// Windows look (flat frames, 19-pixel captions), fixed so that layouts are the same on every
// machine.
#include "kvwin32/winuser.h"

namespace {

struct Metric {
    int index;
    int value;
};

constexpr Metric kMetrics[] = {
    {SM_CXSCREEN, 1024},         // screen width
    {SM_CYSCREEN, 768},          // screen height
    {SM_CXVSCROLL, 16},          // width of a vertical scroll bar
    {SM_CYHSCROLL, 16},          // height of a horizontal scroll bar
    {SM_CYCAPTION, 19},          // caption height, its bottom line included
    {SM_CXBORDER, 1},            // thin border
    {SM_CYBORDER, 1},            //
    {SM_CXDLGFRAME, 3},          // dialog (fixed) frame, border included
    {SM_CYDLGFRAME, 3},          //
    {SM_CYVTHUMB, 16},           // scroll bar thumbs
    {SM_CXHTHUMB, 16},           //
    {SM_CXICON, 32},             // large icons
    {SM_CYICON, 32},             //
    {SM_CXCURSOR, 32},           // cursors
    {SM_CYCURSOR, 32},           //
    {SM_CYMENU, 19},             // one menu bar line
    {SM_CXFULLSCREEN, 1024},     // client area of a maximized window: no task bar here,
    {SM_CYFULLSCREEN, 749},      // only the caption is taken off
    {SM_CYKANJIWINDOW, 0},       // no Kanji window
    {SM_MOUSEPRESENT, 1},        // the Robot is a mouse
    {SM_CYVSCROLL, 16},          // scroll bar arrows
    {SM_CXHSCROLL, 16},          //
    {SM_DEBUG, 0},               // not a debug build of Windows
    {SM_SWAPBUTTON, 0},          // buttons not swapped
    {SM_CXMIN, 112},             // smallest window
    {SM_CYMIN, 27},              //
    {SM_CXSIZE, 18},             // caption buttons
    {SM_CYSIZE, 18},             //
    {SM_CXFRAME, 4},             // sizing frame, border included
    {SM_CYFRAME, 4},             //
    {SM_CXMINTRACK, 112},        // smallest tracking size
    {SM_CYMINTRACK, 27},         //
    {SM_CXDOUBLECLK, 4},         // double-click rectangle
    {SM_CYDOUBLECLK, 4},         //
    {SM_CXICONSPACING, 75},      // icon grid
    {SM_CYICONSPACING, 75},      //
    {SM_MENUDROPALIGNMENT, 0},   // menus drop left-aligned
    {SM_CMOUSEBUTTONS, 3},       // three buttons
    {SM_CXEDGE, 2},              // 3-D edge
    {SM_CYEDGE, 2},              //
    {SM_CXMINSPACING, 160},      // minimized window grid
    {SM_CYMINSPACING, 24},       //
    {SM_CXSMICON, 16},           // small icons
    {SM_CYSMICON, 16},           //
    {SM_CYSMCAPTION, 16},        // tool window caption
    {SM_CXSMSIZE, 12},           // tool window caption buttons
    {SM_CYSMSIZE, 15},           //
    {SM_CXMENUSIZE, 18},         // menu bar buttons
    {SM_CYMENUSIZE, 18},         //
    {SM_CXMINIMIZED, 160},       // minimized window
    {SM_CYMINIMIZED, 24},        //
    {SM_CXMAXTRACK, 1036},       // largest tracking size: screen and frames
    {SM_CYMAXTRACK, 780},        //
    {SM_CXMAXIMIZED, 1032},      // maximized window: the screen and its sizing frame
    {SM_CYMAXIMIZED, 776},       //
    {SM_NETWORK, 1},             // a network is present
    {SM_CLEANBOOT, 0},           // normal boot
    {SM_CXDRAG, 4},              // drag threshold
    {SM_CYDRAG, 4},              //
    {SM_SHOWSOUNDS, 0},          // no visual sound cues
    {SM_CXMENUCHECK, 13},        // menu check mark
    {SM_CYMENUCHECK, 13},        //
    {SM_MOUSEWHEELPRESENT, 1},   // a wheel
    {SM_XVIRTUALSCREEN, 0},      // one monitor: the virtual screen is the screen
    {SM_YVIRTUALSCREEN, 0},      //
    {SM_CXVIRTUALSCREEN, 1024},  //
    {SM_CYVIRTUALSCREEN, 768},   //
    {SM_CMONITORS, 1},           //
    {SM_SAMEDISPLAYFORMAT, 1},   //
    {SM_CXFOCUSBORDER, 1},       // focus rectangle lines
    {SM_CYFOCUSBORDER, 1},       //
    {SM_REMOTESESSION, 0},       // a local session
};

}  // namespace

extern "C" int GetSystemMetrics(int index) {
    for (const Metric& m : kMetrics) {
        if (m.index == index) {
            return m.value;
        }
    }
    // Windows answers 0 for an index it does not know.
    return 0;
}
