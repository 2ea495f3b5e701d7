// CListBoxExBuddy: layout, tips, painting and the mouse of the button bar.
#include "ListBoxExBuddy.h"

#include <cstring>
#include <string>

#include "resource.h"

namespace {

// The tips of tools 1 to 4, in button order.
constexpr UINT kTipTexts[4] = {IDS_LISTBOXEX_NEW, IDS_LISTBOXEX_DELETE, IDS_LISTBOXEX_MOVE_UP,
                               IDS_LISTBOXEX_MOVE_DOWN};

}  // namespace

BEGIN_MESSAGE_MAP(CListBoxExBuddy, CButton)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_MOUSEMOVE()
ON_WM_NCMOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CListBoxExBuddy::CListBoxExBuddy() = default;

void CListBoxExBuddy::SetBitmap(HBITMAP strip) {
    m_strip.DeleteObject();
    if (strip != nullptr) {
        m_strip.Attach(strip);
    }
    if (m_hWnd != nullptr) {
        Invalidate();
    }
}

void CListBoxExBuddy::PreSubclassWindow() {
    CButton::PreSubclassWindow();
    CreateTips();
    CRect client;
    GetClientRect(&client);
    Layout(client.Width(), client.Height());
}

int CListBoxExBuddy::OnCreate(LPCREATESTRUCTA create) {
    if (CButton::OnCreate(create) == -1) {
        return -1;
    }
    CreateTips();
    return 0;
}

void CListBoxExBuddy::CreateTips() {
    if (m_tips.m_hWnd != nullptr || !m_tips.Create(this)) {
        return;
    }
    const CRect empty(0, 0, 0, 0);
    for (UINT_PTR tool = 1; tool <= 4; ++tool) {
        m_tips.AddTool(this, LPSTR_TEXTCALLBACKA, &empty, tool);
    }
    m_tips.Activate(TRUE);
}

void CListBoxExBuddy::Layout(int width, int height) {
    const int top = (height - kFaceHeight) / 2;
    for (int i = 0; i < 4; ++i) {
        const int left = width - kStripWidth + kFaceWidth * i;
        m_buttons[static_cast<std::size_t>(i)] =
            CRect(left, top, left + kFaceWidth, top + kFaceHeight);
        if (m_tips.m_hWnd != nullptr) {
            m_tips.SetToolRect(this, static_cast<UINT_PTR>(i + 1),
                               &m_buttons[static_cast<std::size_t>(i)]);
        }
    }
}

void CListBoxExBuddy::OnSize(UINT type, int cx, int cy) {
    CButton::OnSize(type, cx, cy);
    Layout(cx, cy);
}

BOOL CListBoxExBuddy::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
    if (info != nullptr && info->hdr.code == TTN_NEEDTEXTA && info->hdr.idFrom >= 1 &&
        info->hdr.idFrom <= 4) {
        CString text;
        text.LoadString(kTipTexts[info->hdr.idFrom - 1]);
        const std::string tip = text.str().substr(0, sizeof info->szText - 1);  // bounded
        std::memcpy(info->szText, tip.c_str(), tip.size() + 1);
        info->lpszText = info->szText;
        if (result != nullptr) {
            *result = 0;
        }
        return TRUE;
    }
    return CButton::OnNotify(wParam, lParam, result);
}

BOOL CListBoxExBuddy::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_DRAWITEM) {
        return TRUE;  // the bar paints itself
    }
    return CButton::OnChildNotify(message, wParam, lParam, result);
}

BOOL CListBoxExBuddy::OnEraseBkgnd(CDC* /*dc*/) {
    return TRUE;  // painted whole, off screen
}

void CListBoxExBuddy::OnPaint() {
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    const int width = client.Width();
    const int height = client.Height();
    HDC screen = paint.GetSafeHdc();
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP image = ::CreateCompatibleBitmap(screen, width, height);
    if (memory == nullptr || image == nullptr) {
        if (image != nullptr) {
            ::DeleteObject(image);
        }
        if (memory != nullptr) {
            ::DeleteDC(memory);
        }
        return;
    }
    HGDIOBJ oldImage = ::SelectObject(memory, image);
    ::FillRect(memory, &client, ::GetSysColorBrush(COLOR_3DFACE));
    HGDIOBJ oldFont = ::SelectObject(memory, ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(memory, TRANSPARENT);
    ::SetTextColor(memory, ::GetSysColor(COLOR_WINDOWTEXT));
    CString caption;
    GetWindowText(caption);
    CRect textRect = client;
    ::DrawTextA(memory, caption, caption.GetLength(), &textRect, DT_SINGLELINE | DT_VCENTER);
    ::SelectObject(memory, oldFont);

    // The strip goes 2 pixels left of the button rectangles: the whole image is copied 2
    // pixels to the right, which puts the strip exactly on them.
    const int stripX = width - (kStripWidth + 2);
    const int stripY = (height - kFaceHeight) / 2;
    if (HBITMAP strip = GetStrip(); strip != nullptr) {
        HDC faces = ::CreateCompatibleDC(screen);
        if (faces != nullptr) {
            HGDIOBJ oldFaces = ::SelectObject(faces, strip);
            ::BitBlt(memory, stripX, stripY, kStripWidth, kFaceHeight, faces, 0, 0, SRCCOPY);
            ::SelectObject(faces, oldFaces);
            ::DeleteDC(faces);
        }
    }
    if (m_hot != kNone) {
        RECT cell{stripX + kFaceWidth * m_hot, stripY, stripX + kFaceWidth * (m_hot + 1),
                  stripY + kFaceHeight};
        ::DrawEdge(memory, &cell, m_pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
    ::BitBlt(screen, 2, 0, width - 2, height, memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, oldImage);
    ::DeleteObject(image);
    ::DeleteDC(memory);
}

int CListBoxExBuddy::HitTest(CPoint point) const {
    for (int i = 0; i < 4; ++i) {
        if (::PtInRect(&m_buttons[static_cast<std::size_t>(i)], point)) {
            return i;
        }
    }
    return kNone;
}

void CListBoxExBuddy::InvalidateButton(int index) {
    if (index >= 0 && index < 4) {
        InvalidateRect(&m_buttons[static_cast<std::size_t>(index)], FALSE);
    }
}

void CListBoxExBuddy::OnMouseMove(UINT flags, CPoint point) {
    if (!m_pressed) {
        const int hot = HitTest(point);
        if (hot != m_hot) {
            InvalidateButton(m_hot);
            InvalidateButton(hot);
            m_hot = hot;
            UpdateWindow();
        }
    }
    CButton::OnMouseMove(flags, point);
}

void CListBoxExBuddy::OnNcMouseMove(UINT hitTest, CPoint point) {
    InvalidateButton(m_hot);
    CPoint client = point;
    ScreenToClient(&client);
    m_hot = HitTest(client);
    InvalidateButton(m_hot);
    UpdateWindow();
    CButton::OnNcMouseMove(hitTest, point);
}

void CListBoxExBuddy::OnLButtonDown(UINT flags, CPoint point) {
    OnButtonDown(flags, point);
}

void CListBoxExBuddy::OnLButtonUp(UINT flags, CPoint point) {
    OnButtonUp(flags, point);
}

void CListBoxExBuddy::OnButtonDown(UINT flags, CPoint point) {
    ::SetCapture(m_hWnd);
    m_hot = HitTest(point);
    if (m_hot != kNone) {
        m_pressed = TRUE;
        InvalidateButton(m_hot);
        UpdateWindow();
    }
    CButton::OnLButtonDown(flags, point);
}

void CListBoxExBuddy::OnButtonUp(UINT flags, CPoint point) {
    const int under = HitTest(point);
    if (m_pressed && under != kNone && under == m_hot) {
        DoButton(under);
    }
    m_pressed = FALSE;
    Invalidate(FALSE);
    m_hot = under;
    ::ReleaseCapture();
    CButton::OnLButtonUp(flags, point);
}

void CListBoxExBuddy::DoButton(int index) {
    if (m_list == nullptr || m_list->m_hWnd == nullptr) {
        return;
    }
    const int selected = m_list->GetCurSel();
    switch (index) {
        case kNew:
            m_list->EditNewItem();
            break;
        case kDelete:
            if (selected != LB_ERR) {
                m_list->DeleteString(static_cast<UINT>(selected));
            }
            break;
        case kMoveUp:
            if (selected != LB_ERR) {
                m_list->MoveItemUp(selected);
            }
            break;
        case kMoveDown:
            if (selected != LB_ERR) {
                m_list->MoveItemDown(selected);
            }
            break;
        default:
            break;
    }
}
