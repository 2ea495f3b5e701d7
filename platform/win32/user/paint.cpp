// Window painting: the DCs a window paints through (BeginPaint/EndPaint, GetDC, GetDCEx,
// GetWindowDC, ReleaseDC, WindowFromDC), the class-brush erase of DefWindowProc, and
// kvwin32::renderWindow, which paints a window tree into its top-level window's surface.
//
// Each top-level window owns a surface of its window rectangle's size; its children paint
// into it at their offsets, clipped to every ancestor's client area, as a screen clips them.
#include <algorithm>
#include <mutex>
#include <unordered_map>
#include <unordered_set>

#include "internal/control.h"
#include "internal/gdi.h"
#include "internal/window.h"
#include "kvwin32/render.h"
#include "kvwin32/winerror.h"

namespace kvwin32::internal {
namespace {

// The window DCs handed out and not yet released, as Windows keeps its DC cache for the
// session: which window each paints (WindowFromDC, ReleaseDC), and which windows erased
// their background in BeginPaint during the current renderWindow pass.
class WindowDcCache {
  public:
    static WindowDcCache& instance() {
        static WindowDcCache cache;
        return cache;
    }
    void add(HDC dc, HWND hwnd) {
        std::lock_guard lock(m_mutex);
        m_owners[dc] = hwnd;
    }
    HWND owner(HDC dc) {
        std::lock_guard lock(m_mutex);
        auto it = m_owners.find(dc);
        return it == m_owners.end() ? nullptr : it->second;
    }
    bool remove(HDC dc) {
        std::lock_guard lock(m_mutex);
        return m_owners.erase(dc) > 0;
    }
    // Only a renderWindow pass asks which windows erased, so only then are they noted.
    void noteErased(HWND hwnd) {
        std::lock_guard lock(m_mutex);
        if (m_renderDepth > 0) {
            m_erased.insert(hwnd);
        }
    }
    void beginRender() {
        std::lock_guard lock(m_mutex);
        ++m_renderDepth;
    }
    void endRender() {
        std::lock_guard lock(m_mutex);
        if (--m_renderDepth == 0) {
            m_erased.clear();
        }
    }
    // Whether the window erased since the last call, forgetting it.
    bool takeErased(HWND hwnd) {
        std::lock_guard lock(m_mutex);
        return m_erased.erase(hwnd) > 0;
    }

  private:
    std::mutex m_mutex;
    std::unordered_map<HDC, HWND> m_owners;  // live window DCs and their windows
    std::unordered_set<HWND> m_erased;       // windows that sent WM_ERASEBKGND in BeginPaint
    int m_renderDepth = 0;                   // renderWindow passes under way (they may nest)
};

// Marks a renderWindow pass for its duration.
class RenderPass {
  public:
    RenderPass() { WindowDcCache::instance().beginRender(); }
    ~RenderPass() { WindowDcCache::instance().endRender(); }
    RenderPass(const RenderPass&) = delete;
    RenderPass& operator=(const RenderPass&) = delete;
};

// Deepest window tree walked; trees are shallow, the bound guards against a malformed one.
constexpr int kMaxDepth = 64;

// The screen of GetDC(nullptr): one surface the size of the headless screen.
std::shared_ptr<Surface> screenSurface() {
    static const std::shared_ptr<Surface> screen =
        makeSurface(kScreenWidth, kScreenHeight, false, 0);
    return screen;
}

RECT screenRectOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

RECT offsetRect(RECT r, int dx, int dy) {
    return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

// The surface of a window's top-level window, made or remade to the size of its window
// rectangle (a resize starts from a blank surface); top is set to that window.
std::shared_ptr<Surface> surfaceFor(HWND hwnd, HWND& top) {
    top = GetAncestor(hwnd, GA_ROOT);
    Window* w = windowRecord(top);
    if (w == nullptr) {
        return nullptr;
    }
    const int width =
        std::clamp<long long>(1LL * w->window.right - w->window.left, 1, kMaxBitmapSide);
    const int height =
        std::clamp<long long>(1LL * w->window.bottom - w->window.top, 1, kMaxBitmapSide);
    if (!w->surface || w->surface->width != width || w->surface->height != height) {
        auto lock = lockGdi();
        w->surface = makeSurface(width, height, false, pixelFromColor(GetSysColor(COLOR_3DFACE)));
    }
    return w->surface;
}

// Where a window's DC paints on its top-level surface: the origin of device (0, 0) and the
// area it may paint (its own rectangle cut by every ancestor's client area).
struct DcPlacement {
    POINT origin{};
    RECT area{};
};

DcPlacement placement(HWND hwnd, HWND top, bool wholeWindow) {
    const RECT topRect = screenRectOf(top);
    RECT own;
    if (wholeWindow) {
        own = screenRectOf(hwnd);
    } else {
        const POINT origin = clientOrigin(hwnd);
        RECT client{};
        GetClientRect(hwnd, &client);
        own = offsetRect(client, origin.x, origin.y);
    }
    RECT area = own;
    // Window trees are shallow; the bound only guards against a malformed one.
    HWND child = hwnd;
    for (int depth = 0; child != top && depth < kMaxDepth; ++depth) {
        HWND up = GetParent(child);
        if (!(GetWindowLongA(child, GWL_STYLE) & WS_CHILD) || up == nullptr ||
            windowRecord(up) == nullptr) {
            break;
        }
        const POINT origin = clientOrigin(up);
        RECT client{};
        GetClientRect(up, &client);
        area = intersect(area, offsetRect(client, origin.x, origin.y));
        child = up;
    }
    DcPlacement p;
    p.origin = POINT{own.left - topRect.left, own.top - topRect.top};
    p.area = offsetRect(area, -topRect.left, -topRect.top);
    return p;
}

HDC windowDc(HWND hwnd, bool wholeWindow) {
    if (hwnd == nullptr) {
        HDC dc =
            createSurfaceDC(screenSurface(), POINT{0, 0}, RECT{0, 0, kScreenWidth, kScreenHeight});
        WindowDcCache::instance().add(dc, nullptr);
        return dc;
    }
    if (windowOrError(hwnd) == nullptr) {
        return nullptr;
    }
    HWND top = nullptr;
    std::shared_ptr<Surface> surface = surfaceFor(hwnd, top);
    if (!surface) {
        return nullptr;
    }
    const DcPlacement p = placement(hwnd, top, wholeWindow);
    HDC dc = createSurfaceDC(std::move(surface), p.origin, p.area);
    if (dc) {
        // A window DC starts with the font controls and dialogs paint with.
        SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        WindowDcCache::instance().add(dc, hwnd);
    }
    return dc;
}

// Limits a DC to a rectangle in its device coordinates.
void clipDc(HDC dc, const RECT& device) {
    auto lock = lockGdi();
    if (DcObject* object = findDc(dc)) {
        object->state.clip = object->state.clip ? intersect(*object->state.clip, device) : device;
    }
}

// The caption bar of the classic look: a gradient from the active caption colour on the left
// to its gradient colour on the right, the title in bold white, and the close button at the
// right end when the window has a system menu.
void paintCaption(HWND hwnd, HDC dc, const RECT& caption, DWORD style) {
    const COLORREF from = GetSysColor(COLOR_ACTIVECAPTION);
    const COLORREF to = GetSysColor(COLOR_GRADIENTACTIVECAPTION);
    const int width = std::max<int>(1, caption.right - caption.left);
    for (int x = caption.left; x < caption.right; ++x) {
        const int t = x - caption.left;
        auto mix = [&](int a, int b) { return a + (b - a) * t / width; };
        HBRUSH column = CreateSolidBrush(RGB(mix(GetRValue(from), GetRValue(to)),
                                             mix(GetGValue(from), GetGValue(to)),
                                             mix(GetBValue(from), GetBValue(to))));
        RECT line{x, caption.top, x + 1, caption.bottom};
        FillRect(dc, &line, column);
        DeleteObject(column);
    }
    RECT textRect{caption.left + 3, caption.top, caption.right - 3, caption.bottom};
    if (style & WS_SYSMENU) {
        // The close button: a raised square with its cross, two pixels in from the right.
        const int side = GetSystemMetrics(SM_CYCAPTION) - 5;
        RECT button{caption.right - 2 - side - 2, caption.top + 2, caption.right - 2,
                    caption.top + 2 + side};
        FillRect(dc, &button, GetSysColorBrush(COLOR_3DFACE));
        DrawEdge(dc, &button, EDGE_RAISED, BF_RECT);
        const int cx = (button.left + button.right) / 2 - 1;
        const int cy = (button.top + button.bottom) / 2;
        HBRUSH ink = GetSysColorBrush(COLOR_BTNTEXT);
        for (int i = -3; i <= 3; ++i) {
            for (int dx : {0, 1}) {
                RECT a{cx + i + dx, cy + i, cx + i + dx + 1, cy + i + 1};
                RECT b{cx + i + dx, cy - i, cx + i + dx + 1, cy - i + 1};
                FillRect(dc, &a, ink);
                FillRect(dc, &b, ink);
            }
        }
        textRect.right = button.left - 2;
    }
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    LOGFONTA bold = defaultGuiFont();
    bold.lfWeight = FW_BOLD;
    HFONT font = CreateFontIndirectA(&bold);
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_CAPTIONTEXT));
    DrawTextA(dc, text, -1, &textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, old);
    DeleteObject(font);
}

// The frame of a window with a border, a dialog frame, a caption or a client edge, painted
// the classic way: 3-D face with a raised edge, a black line for a plain border, the caption
// bar with the window text, a sunken edge around the client area.
void paintFrame(HWND hwnd) {
    const DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE));
    const RECT insets = frameInsets(style, exStyle);
    if (insets.left == 0 && insets.top == 0 && insets.right == 0 && insets.bottom == 0 &&
        !(style & (WS_VSCROLL | WS_HSCROLL))) {
        return;
    }
    HDC dc = GetWindowDC(hwnd);
    if (dc == nullptr) {
        return;
    }
    const RECT screen = screenRectOf(hwnd);
    RECT r{0, 0, screen.right - screen.left, screen.bottom - screen.top};
    const RECT client = clientRectInWindow(hwnd);
    // Fill the frame around the client area only.
    HBRUSH face = GetSysColorBrush(COLOR_3DFACE);
    const RECT bands[] = {{r.left, r.top, r.right, client.top},
                          {r.left, client.bottom, r.right, r.bottom},
                          {r.left, client.top, client.left, client.bottom},
                          {client.right, client.top, r.right, client.bottom}};
    for (const RECT& band : bands) {
        FillRect(dc, &band, face);
    }
    if (style & (WS_DLGFRAME | WS_THICKFRAME)) {
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    } else if (style & WS_BORDER) {
        FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&r, -1, -1);
    }
    if ((style & WS_CAPTION) == WS_CAPTION) {
        const int height = GetSystemMetrics(SM_CYCAPTION);
        RECT caption{r.left, r.top, r.right, r.top + height - 1};
        paintCaption(hwnd, dc, caption, style);
    }
    paintScrollBars(hwnd, dc);
    if (exStyle & WS_EX_CLIENTEDGE) {
        // The sunken edge goes round the client area and its scroll bars.
        RECT edge = client;
        if (style & WS_VSCROLL) {
            ((exStyle & WS_EX_LEFTSCROLLBAR) ? edge.left : edge.right) +=
                ((exStyle & WS_EX_LEFTSCROLLBAR) ? -1 : 1) * GetSystemMetrics(SM_CXVSCROLL);
        }
        if (style & WS_HSCROLL) {
            edge.bottom += GetSystemMetrics(SM_CYHSCROLL);
        }
        InflateRect(&edge, GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CYEDGE));
        DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
    }
    ReleaseDC(hwnd, dc);
}

// Paints one window as a screen update would: the frame, then WM_PAINT for the whole client
// area. A procedure that never calls BeginPaint (DefWindowProc only validates) still gets its
// background erased afterwards, as the erase Windows owes an invalidated window is sent
// whether or not the window paints.
void paintOne(HWND hwnd) {
    paintFrame(hwnd);
    InvalidateRect(hwnd, nullptr, TRUE);
    WindowDcCache::instance().takeErased(hwnd);
    SendMessageA(hwnd, WM_PAINT, 0, 0);
    if (!IsWindow(hwnd)) {
        return;
    }
    if (!WindowDcCache::instance().takeErased(hwnd)) {
        HDC dc = GetDC(hwnd);
        SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        ReleaseDC(hwnd, dc);
    }
    ValidateRect(hwnd, nullptr);
}

void paintTree(HWND hwnd, int depth) {
    if (depth > kMaxDepth || !IsWindow(hwnd)) {
        return;
    }
    paintOne(hwnd);
    // Children are kept topmost first, and Windows paints them in that order: where siblings
    // without WS_CLIPSIBLINGS overlap, the lower one paints last and shows (an up-down covers
    // the border of the edit it is aligned with). A child with WS_CLIPSIBLINGS never paints
    // over the siblings above it, so those paint first, the bottom one first, and the top one
    // ends on top: a property sheet's tab control stays under the page shown on it.
    std::vector<HWND> children = childrenOf(hwnd);
    const auto clipped = [](HWND child) {
        return (GetWindowLongA(child, GWL_STYLE) & WS_CLIPSIBLINGS) != 0;
    };
    const auto unclipped = std::stable_partition(children.begin(), children.end(), clipped);
    std::reverse(children.begin(), unclipped);
    // A transparent window (WS_EX_TRANSPARENT) waits for its siblings and paints over them.
    std::stable_partition(unclipped, children.end(), [](HWND child) {
        return (GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_TRANSPARENT) == 0;
    });
    for (HWND child : children) {
        if (IsWindow(child) && (GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE)) {
            paintTree(child, depth + 1);
        }
    }
}

}  // namespace

LRESULT eraseBackground(HWND hwnd, HDC dc) {
    if (dc == nullptr) {
        return 0;
    }
    auto brush = reinterpret_cast<HBRUSH>(GetClassLongPtrA(hwnd, GCLP_HBRBACKGROUND));
    if (brush == nullptr) {
        return 0;
    }
    RECT client{};
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, brush);
    return 1;
}

}  // namespace kvwin32::internal

using namespace kvwin32::internal;

extern "C" HDC GetDC(HWND hwnd) {
    return windowDc(hwnd, false);
}

extern "C" HDC GetWindowDC(HWND hwnd) {
    return windowDc(hwnd, true);
}

extern "C" HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags) {
    HDC dc = windowDc(hwnd, (flags & DCX_WINDOW) != 0);
    if (dc && clip && (flags & DCX_INTERSECTRGN)) {
        auto lock = lockGdi();
        if (auto* region = GdiTable::instance().get<RegionObject>(clip)) {
            clipDc(dc, region->rect);
        }
    }
    return dc;
}

extern "C" int ReleaseDC(HWND /*hwnd*/, HDC dc) {
    // Windows finds the DC in its cache whatever window is named with it.
    if (dc == nullptr || !WindowDcCache::instance().remove(dc)) {
        return 0;
    }
    DeleteDC(dc);
    return 1;
}

extern "C" HWND WindowFromDC(HDC dc) {
    return dc ? WindowDcCache::instance().owner(dc) : nullptr;
}

extern "C" HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT ps) {
    if (ps == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    HDC dc = GetDC(hwnd);
    if (dc == nullptr) {
        return nullptr;
    }
    *ps = PAINTSTRUCT{};
    ps->hdc = dc;
    // Outside WM_PAINT there is nothing to repaint: the DC paints nowhere.
    RECT update{};
    const bool invalid = GetUpdateRect(hwnd, &update, FALSE) != FALSE;
    ps->rcPaint = invalid ? update : RECT{0, 0, 0, 0};
    clipDc(dc, ps->rcPaint);
    ValidateRect(hwnd, nullptr);
    if (invalid) {
        // The update area is validated before WM_ERASEBKGND, as Windows does: a handler that
        // invalidates again gets another WM_PAINT.
        const LRESULT erased = SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        ps->fErase = erased == 0;
        WindowDcCache::instance().noteErased(hwnd);
    }
    return dc;
}

extern "C" BOOL EndPaint(HWND /*hwnd*/, const PAINTSTRUCT* ps) {
    if (ps == nullptr) {
        return FALSE;
    }
    ReleaseDC(nullptr, ps->hdc);
    return TRUE;
}

namespace kvwin32 {

PixelImage renderWindow(HWND hwnd) {
    if (!IsWindow(hwnd)) {
        return PixelImage{};
    }
    {
        RenderPass pass;
        paintTree(hwnd, 0);
    }
    if (!IsWindow(hwnd)) {
        return PixelImage{};
    }
    HWND top = nullptr;
    std::shared_ptr<Surface> surface = surfaceFor(hwnd, top);
    if (!surface) {
        return PixelImage{};
    }
    const RECT topRect = screenRectOf(top);
    const RECT own = offsetRect(screenRectOf(hwnd), -topRect.left, -topRect.top);
    HDC dc = createSurfaceDC(std::move(surface), POINT{own.left, own.top}, own);
    std::optional<PixelImage> image = readPixels(dc);
    DeleteDC(dc);
    return image ? *image : PixelImage{};
}

}  // namespace kvwin32
