// The framework's GDI wrappers: objects, device contexts and the window DCs. Temporary
// wrappers (FromHandle) belong to the thread's handle maps and never free their handles.
#include <cstring>

#include "afxwin.h"
#include "thread_state.h"

using kvmfc::threadState;

namespace {

// Drops temporary wrappers whose objects were deleted, once the map has grown.
template <typename Map>
void pruneDead(Map& map) {
    if (map.size() < 64) {
        return;
    }
    for (auto it = map.begin(); it != map.end();) {
        if (GetObjectType(it->first) == 0) {
            it->second->Detach();
            it = map.erase(it);
        } else {
            ++it;
        }
    }
}

}  // namespace

// ---- CGdiObject ---------------------------------------------------------------------------------

CGdiObject::~CGdiObject() {
    DeleteObject();
}

BOOL CGdiObject::Attach(HGDIOBJ object) {
    if (!object || m_hObject) {
        return FALSE;
    }
    m_hObject = object;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ object = m_hObject;
    m_hObject = nullptr;
    return object;
}

BOOL CGdiObject::DeleteObject() {
    if (!m_hObject) {
        return FALSE;
    }
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int count, LPVOID buffer) const {
    return m_hObject ? ::GetObjectA(m_hObject, count, buffer) : 0;
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ object) {
    if (!object) {
        return nullptr;
    }
    auto& temps = threadState().temporaryGdi;
    if (auto it = temps.find(object); it != temps.end()) {
        return it->second.get();
    }
    pruneDead(temps);
    // A wrapper of the class of the object's kind, so that casting it to that class is sound.
    std::unique_ptr<CGdiObject> wrapper;
    switch (GetObjectType(object)) {
        case OBJ_PEN:
            wrapper = std::make_unique<CPen>();
            break;
        case OBJ_BRUSH:
            wrapper = std::make_unique<CBrush>();
            break;
        case OBJ_FONT:
            wrapper = std::make_unique<CFont>();
            break;
        case OBJ_BITMAP:
            wrapper = std::make_unique<CBitmap>();
            break;
        default:
            wrapper = std::make_unique<CGdiObject>();
            break;
    }
    wrapper->m_hObject = object;
    CGdiObject* result = wrapper.get();
    temps.emplace(object, std::move(wrapper));
    return result;
}

BOOL CPen::CreatePen(int style, int width, COLORREF color) {
    return Attach(::CreatePen(style, width, color));
}

BOOL CBrush::CreateSolidBrush(COLORREF color) {
    return Attach(::CreateSolidBrush(color));
}

BOOL CBrush::CreateSysColorBrush(int index) {
    return Attach(::GetSysColorBrush(index));
}

BOOL CFont::CreateFontIndirect(const LOGFONTA* logFont) {
    return logFont ? Attach(::CreateFontIndirectA(logFont)) : FALSE;
}

BOOL CFont::CreatePointFont(int pointSize, LPCSTR faceName, CDC*) {
    // Tenths of a point at the headless screen's 96 dots per inch.
    LOGFONTA logFont{};
    logFont.lfHeight = -((pointSize * 96 + 360) / 720);
    if (faceName) {
        std::strncpy(logFont.lfFaceName, faceName, sizeof logFont.lfFaceName - 1);
    }
    return CreateFontIndirect(&logFont);
}

BOOL CBitmap::LoadBitmap(UINT id) {
    return LoadBitmap(MAKEINTRESOURCEA(id));
}

BOOL CBitmap::LoadBitmap(LPCSTR name) {
    return Attach(::LoadBitmapA(AfxGetResourceHandle(), name));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
    return Attach(::CreateCompatibleBitmap(dc ? dc->m_hDC : nullptr, width, height));
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitCount, const void* bits) {
    return Attach(::CreateBitmap(width, height, planes, bitCount, bits));
}

// ---- CDC
// ------------------------------------------------------------------------------------------

CDC::~CDC() {
    if (m_owned) {
        DeleteDC();
    }
}

CDC* CDC::FromHandle(HDC dc) {
    if (!dc) {
        return nullptr;
    }
    auto& temps = threadState().temporaryDCs;
    if (auto it = temps.find(dc); it != temps.end()) {
        return it->second.get();
    }
    pruneDead(temps);
    auto wrapper = std::make_unique<CDC>();
    wrapper->Attach(dc);
    CDC* result = wrapper.get();
    temps.emplace(dc, std::move(wrapper));
    return result;
}

BOOL CDC::Attach(HDC dc) {
    if (!dc || m_hDC) {
        return FALSE;
    }
    m_hDC = m_hAttribDC = dc;
    return TRUE;
}

HDC CDC::Detach() {
    HDC dc = m_hDC;
    m_hDC = m_hAttribDC = nullptr;
    m_owned = false;
    return dc;
}

BOOL CDC::CreateCompatibleDC(CDC* dc) {
    if (m_hDC) {
        return FALSE;
    }
    if (!Attach(::CreateCompatibleDC(dc ? dc->m_hDC : nullptr))) {
        return FALSE;
    }
    m_owned = true;
    return TRUE;
}

BOOL CDC::DeleteDC() {
    if (!m_hDC) {
        return FALSE;
    }
    return ::DeleteDC(Detach());
}

int CDC::SaveDC() {
    return ::SaveDC(m_hDC);
}
BOOL CDC::RestoreDC(int savedDC) {
    return ::RestoreDC(m_hDC, savedDC);
}

CGdiObject* CDC::SelectObject(CGdiObject* object) {
    if (!object || !m_hDC) {
        return nullptr;
    }
    return CGdiObject::FromHandle(::SelectObject(m_hDC, object->m_hObject));
}

CPen* CDC::SelectObject(CPen* pen) {
    return reinterpret_cast<CPen*>(SelectObject(static_cast<CGdiObject*>(pen)));
}
CBrush* CDC::SelectObject(CBrush* brush) {
    return reinterpret_cast<CBrush*>(SelectObject(static_cast<CGdiObject*>(brush)));
}
CFont* CDC::SelectObject(CFont* font) {
    return reinterpret_cast<CFont*>(SelectObject(static_cast<CGdiObject*>(font)));
}
CBitmap* CDC::SelectObject(CBitmap* bitmap) {
    return reinterpret_cast<CBitmap*>(SelectObject(static_cast<CGdiObject*>(bitmap)));
}

CGdiObject* CDC::SelectStockObject(int index) {
    return CGdiObject::FromHandle(::SelectObject(m_hDC, ::GetStockObject(index)));
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color) {
    if (!rect) {
        return;
    }
    // The framework fills through the background colour, which it leaves set to the colour.
    ::SetBkColor(m_hDC, color);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
    const RECT rect{x, y, x + cx, y + cy};
    FillSolidRect(&rect, color);
}

void CDC::FillRect(LPCRECT rect, CBrush* brush) {
    if (rect && brush) {
        ::FillRect(m_hDC, rect, static_cast<HBRUSH>(brush->m_hObject));
    }
}

int CDC::DrawText(LPCSTR text, int count, LPRECT rect, UINT format) {
    return ::DrawTextA(m_hDC, text, count, rect, format);
}

int CDC::DrawText(const CString& text, LPRECT rect, UINT format) {
    return DrawText(text, text.GetLength(), rect, format);
}

BOOL CDC::TextOut(int x, int y, LPCSTR text, int count) {
    return ::TextOutA(m_hDC, x, y, text, count);
}

BOOL CDC::TextOut(int x, int y, const CString& text) {
    return TextOut(x, y, text, text.GetLength());
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* src, int srcX, int srcY, DWORD rop) {
    return ::BitBlt(m_hDC, x, y, width, height, src ? src->m_hDC : nullptr, srcX, srcY, rop);
}

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop) {
    return ::PatBlt(m_hDC, x, y, width, height, rop);
}

BOOL CDC::DrawEdge(LPRECT rect, UINT edge, UINT flags) {
    return ::DrawEdge(m_hDC, rect, edge, flags);
}

void CDC::DrawFocusRect(LPCRECT rect) {
    ::DrawFocusRect(m_hDC, rect);
}

CPoint CDC::MoveTo(int x, int y) {
    POINT previous{};
    ::MoveToEx(m_hDC, x, y, &previous);
    return CPoint(previous);
}

CSize CDC::GetTextExtent(LPCSTR text, int count) const {
    SIZE size{};
    ::GetTextExtentPoint32A(m_hAttribDC, text, count, &size);
    return CSize(size);
}

CSize CDC::GetTextExtent(const CString& text) const {
    return GetTextExtent(text, text.GetLength());
}

BOOL CDC::GetTextMetrics(TEXTMETRICA* metrics) const {
    return ::GetTextMetricsA(m_hAttribDC, metrics);
}

// ---- Window DCs ---------------------------------------------------------------------------------

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr) {
    if (m_hWnd) {
        Attach(::BeginPaint(m_hWnd, &m_ps));
    }
}

CPaintDC::~CPaintDC() {
    if (m_hWnd && m_hDC) {
        ::EndPaint(m_hWnd, &m_ps);
    }
    Detach();
}

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr) {
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC() {
    ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr) {
    Attach(::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC() {
    ::ReleaseDC(m_hWnd, Detach());
}

CDC* CWnd::GetDC() {
    return CDC::FromHandle(::GetDC(m_hWnd));
}

CDC* CWnd::GetWindowDC() {
    return CDC::FromHandle(::GetWindowDC(m_hWnd));
}

int CWnd::ReleaseDC(CDC* dc) {
    if (!dc) {
        return 0;
    }
    HDC handle = dc->m_hDC;
    auto& temps = threadState().temporaryDCs;
    if (auto it = temps.find(handle); it != temps.end() && it->second.get() == dc) {
        dc->Detach();
        temps.erase(it);
    }
    return ::ReleaseDC(m_hWnd, handle);
}
