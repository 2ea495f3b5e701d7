// The framework's graphics wrappers: GDI objects (CGdiObject, CPen, CBrush, CFont, CBitmap),
// device contexts (CDC and the window DCs CPaintDC, CClientDC, CWindowDC) and menus (CMenu).
// Each wraps one handle; an object that owns its handle frees it when destroyed, an attached
// or temporary one (FromHandle) never does.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include "afx.h"
#include "atltypes.h"

class CWnd;

// Base of the GDI object wrappers.
class CGdiObject : public CObject {
  public:
    HGDIOBJ m_hObject = nullptr;  // the wrapped object

    CGdiObject() = default;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    // Deletes the object it owns.
    ~CGdiObject() override;

    operator HGDIOBJ() const { return m_hObject; }  // NOLINT
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    // Takes ownership of a handle; FALSE when one is already attached or the handle is null.
    BOOL Attach(HGDIOBJ object);
    // Gives up the handle without deleting it.
    HGDIOBJ Detach();
    // Deletes the object; FALSE when there is none.
    BOOL DeleteObject();
    // Copies the object's description (GetObject); the number of bytes written.
    int GetObject(int count, LPVOID buffer) const;
    // A temporary wrapper of a handle, valid until the next idle time of the thread.
    static CGdiObject* FromHandle(HGDIOBJ object);
};

class CPen : public CGdiObject {
  public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    BOOL CreatePen(int style, int width, COLORREF color);
    operator HPEN() const { return static_cast<HPEN>(GetSafeHandle()); }  // NOLINT
};

class CBrush : public CGdiObject {
  public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    BOOL CreateSolidBrush(COLORREF color);
    BOOL CreateSysColorBrush(int index);
    operator HBRUSH() const { return static_cast<HBRUSH>(GetSafeHandle()); }  // NOLINT
    static CBrush* FromHandle(HBRUSH brush) {
        return reinterpret_cast<CBrush*>(CGdiObject::FromHandle(brush));
    }
};

class CFont : public CGdiObject {
  public:
    BOOL CreateFontIndirect(const LOGFONTA* logFont);
    BOOL CreatePointFont(int pointSize, LPCSTR faceName, class CDC* dc = nullptr);
    int GetLogFont(LOGFONTA* logFont) const { return GetObject(sizeof(LOGFONTA), logFont); }
    operator HFONT() const { return static_cast<HFONT>(GetSafeHandle()); }  // NOLINT
    static CFont* FromHandle(HFONT font) {
        return reinterpret_cast<CFont*>(CGdiObject::FromHandle(font));
    }
};

class CBitmap : public CGdiObject {
  public:
    // Loads a bitmap of the current resource module (AfxGetResourceHandle); FALSE when none.
    BOOL LoadBitmap(UINT id);
    BOOL LoadBitmap(LPCSTR name);
    BOOL CreateCompatibleBitmap(class CDC* dc, int width, int height);
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitCount, const void* bits);
    // The bitmap's description; 0 when there is no bitmap.
    int GetBitmap(BITMAP* info) const { return GetObject(sizeof(BITMAP), info); }
    operator HBITMAP() const { return static_cast<HBITMAP>(GetSafeHandle()); }  // NOLINT
    static CBitmap* FromHandle(HBITMAP bitmap) {
        return reinterpret_cast<CBitmap*>(CGdiObject::FromHandle(bitmap));
    }
};

// A device context. m_hDC is the DC drawn into; m_hAttribDC the one asked for attributes
// (the same here).
class CDC : public CObject {
  public:
    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr;

    CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    // Deletes a DC it created (CreateCompatibleDC); an attached one is only forgotten.
    ~CDC() override;

    operator HDC() const { return m_hDC; }  // NOLINT
    HDC GetSafeHdc() const { return m_hDC; }
    static CDC* FromHandle(HDC dc);
    BOOL Attach(HDC dc);
    HDC Detach();
    // A memory DC compatible with another (null: the screen); the wrapper deletes it.
    BOOL CreateCompatibleDC(CDC* dc);
    BOOL DeleteDC();
    int SaveDC();
    BOOL RestoreDC(int savedDC);

    CGdiObject* SelectObject(CGdiObject* object);
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    CGdiObject* SelectStockObject(int index);
    HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }

    COLORREF SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
    COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
    COLORREF SetBkColor(COLORREF color) { return ::SetBkColor(m_hDC, color); }
    COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    int GetBkMode() const { return ::GetBkMode(m_hDC); }

    void FillSolidRect(LPCRECT rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    void FillRect(LPCRECT rect, CBrush* brush);
    int DrawText(LPCSTR text, int count, LPRECT rect, UINT format);
    int DrawText(const CString& text, LPRECT rect, UINT format);
    BOOL TextOut(int x, int y, LPCSTR text, int count);
    BOOL TextOut(int x, int y, const CString& text);
    BOOL BitBlt(int x, int y, int width, int height, CDC* src, int srcX, int srcY, DWORD rop);
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);
    BOOL DrawEdge(LPRECT rect, UINT edge, UINT flags);
    void DrawFocusRect(LPCRECT rect);
    BOOL Rectangle(int l, int t, int r, int b) { return ::Rectangle(m_hDC, l, t, r, b); }
    BOOL Rectangle(LPCRECT r) { return Rectangle(r->left, r->top, r->right, r->bottom); }
    CPoint MoveTo(int x, int y);
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    COLORREF SetPixel(int x, int y, COLORREF color) { return ::SetPixel(m_hDC, x, y, color); }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    CSize GetTextExtent(LPCSTR text, int count) const;
    CSize GetTextExtent(const CString& text) const;
    BOOL GetTextMetrics(TEXTMETRICA* metrics) const;

  protected:
    bool m_owned = false;  // created by CreateCompatibleDC: DeleteDC when destroyed
};

// The DC of a WM_PAINT: BeginPaint in the constructor, EndPaint in the destructor.
class CPaintDC : public CDC {
  public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps{};  // what BeginPaint filled in
    HWND m_hWnd = nullptr;
};

// The client-area DC of a window, released when destroyed.
class CClientDC : public CDC {
  public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;
    HWND m_hWnd = nullptr;
};

// The whole-window DC of a window, released when destroyed.
class CWindowDC : public CDC {
  public:
    explicit CWindowDC(CWnd* wnd);
    ~CWindowDC() override;
    HWND m_hWnd = nullptr;
};

// A menu handle (the library only touches the system menu of its sheet).
class CMenu : public CObject {
  public:
    HMENU m_hMenu = nullptr;

    operator HMENU() const { return m_hMenu; }  // NOLINT
    HMENU GetSafeHmenu() const { return m_hMenu; }
    static CMenu* FromHandle(HMENU menu);
    BOOL Attach(HMENU menu);
    HMENU Detach();
    // As the Win32 functions of the same names on m_hMenu.
    UINT EnableMenuItem(UINT item, UINT enable);
    BOOL DeleteMenu(UINT position, UINT flags);
    BOOL RemoveMenu(UINT position, UINT flags);
    UINT GetMenuState(UINT id, UINT flags) const;
    int GetMenuItemCount() const;
    UINT GetMenuItemID(int position) const;
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, LPCSTR text = nullptr);
    UINT CheckMenuItem(UINT id, UINT check);
};

#pragma GCC visibility pop
