// System colours: the classic 3-D scheme (grey buttons, navy selection) that the product's
// dialogs were designed in, and the process-wide solid brushes of those colours.
#include "internal/gdi.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"
#include "kvwin32/winuser_draw.h"

namespace kvwin32::internal {

namespace {

// One entry per COLOR_* index.
constexpr std::array<COLORREF, kSysColorCount> kClassicScheme = {
    RGB(192, 192, 192),  // COLOR_SCROLLBAR: scroll bar track
    RGB(0, 128, 128),    // COLOR_BACKGROUND: desktop teal
    RGB(0, 0, 128),      // COLOR_ACTIVECAPTION: navy title bar
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(192, 192, 192),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW: edit and list backgrounds
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(192, 192, 192),  // COLOR_ACTIVEBORDER
    RGB(192, 192, 192),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(0, 0, 128),      // COLOR_HIGHLIGHT: selected items
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(192, 192, 192),  // COLOR_BTNFACE / COLOR_3DFACE: dialog and button face
    RGB(128, 128, 128),  // COLOR_BTNSHADOW / COLOR_3DSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT: disabled text
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(192, 192, 192),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT / COLOR_3DHILIGHT
    RGB(0, 0, 0),        // COLOR_3DDKSHADOW
    RGB(192, 192, 192),  // COLOR_3DLIGHT: same as the face in the classic scheme
    RGB(0, 0, 0),        // COLOR_INFOTEXT: tooltip text
    RGB(255, 255, 225),  // COLOR_INFOBK: tooltip pale yellow
    RGB(181, 181, 181),  // 25: unnamed, reported by Windows all the same
    RGB(0, 0, 255),      // COLOR_HOTLIGHT: hot-tracked links
    RGB(16, 132, 208),   // COLOR_GRADIENTACTIVECAPTION
    RGB(181, 181, 181),  // COLOR_GRADIENTINACTIVECAPTION
    RGB(0, 0, 128),      // COLOR_MENUHILIGHT
    RGB(192, 192, 192),  // COLOR_MENUBAR
};

}  // namespace

}  // namespace kvwin32::internal

using namespace kvwin32::internal;

extern "C" DWORD GetSysColor(int index) {
    if (index < 0 || index >= kSysColorCount) {
        return 0;
    }
    return kClassicScheme[static_cast<std::size_t>(index)];
}

extern "C" HBRUSH GetSysColorBrush(int index) {
    if (index < 0 || index >= kSysColorCount) {
        return nullptr;
    }
    auto lock = lockGdi();
    // The brushes are process-wide, made on first use and never deleted, like stock objects.
    HGDIOBJ& brush = GdiTable::instance().sysColorBrush(index);
    if (!brush) {
        GdiObject object;
        object.type = OBJ_BRUSH;
        object.permanent = true;
        object.data = BrushObject{LOGBRUSH{BS_SOLID, GetSysColor(index), 0}, nullptr};
        brush = GdiTable::instance().add(std::move(object));
    }
    return static_cast<HBRUSH>(brush);
}
