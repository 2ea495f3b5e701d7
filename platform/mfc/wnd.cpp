// CWnd core: the thread's handle map, binding objects to windows (attach, subclass), the
// framework's window procedure and the dispatch of messages through the message maps.
#include <algorithm>
#include <cstdio>

#include "afxwin.h"
#include "kvwin32/comctl_draglist.h"
#include "thread_state.h"

using kvmfc::threadState;

// CWnd's own map: the owner-draw and colour messages it reflects to framework controls, and
// WM_NCDESTROY, after which it lets go of the window.
BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_DRAWITEM()
ON_WM_MEASUREITEM()
ON_WM_COMPAREITEM()
ON_WM_DELETEITEM()
ON_WM_CTLCOLOR()
ON_WM_NCDESTROY()
END_MESSAGE_MAP()

namespace {

// Drops temporary wrappers whose windows are gone (a destroyed handle is never reused).
void pruneTemporaryWindows(kvmfc::ThreadState& state) {
    auto& temps = state.temporaryWindows;
    for (auto it = temps.begin(); it != temps.end();) {
        if (!IsWindow(it->first)) {
            it = temps.erase(it);
        } else {
            ++it;
        }
    }
}

}  // namespace

CWnd::CWnd() = default;

CWnd::~CWnd() {
    // The framework destroys a window whose object goes away first; a temporary wrapper never
    // owned its window.
    if (m_hWnd && !m_temporary) {
        auto& perm = threadState().permanentWindows;
        auto it = perm.find(m_hWnd);
        if (it != perm.end() && it->second == this) {
            ::DestroyWindow(m_hWnd);
            // WM_NCDESTROY unbound it; make sure nothing points here any more.
            it = perm.find(m_hWnd);
            if (it != perm.end() && it->second == this) {
                perm.erase(it);
            }
        }
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    if (!hwnd) {
        return nullptr;
    }
    auto& perm = threadState().permanentWindows;
    const auto it = perm.find(hwnd);
    return it == perm.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    if (!hwnd) {
        return nullptr;
    }
    if (CWnd* wnd = FromHandlePermanent(hwnd)) {
        return wnd;
    }
    kvmfc::ThreadState& state = threadState();
    auto it = state.temporaryWindows.find(hwnd);
    if (it != state.temporaryWindows.end()) {
        return it->second.get();
    }
    pruneTemporaryWindows(state);
    std::unique_ptr<CWnd> wrapper = kvmfc::makeWrapper(hwnd);
    wrapper->m_hWnd = hwnd;
    wrapper->m_temporary = true;
    CWnd* result = wrapper.get();
    state.temporaryWindows.emplace(hwnd, std::move(wrapper));
    return result;
}

BOOL CWnd::Attach(HWND hwnd) {
    if (!hwnd || m_hWnd || !IsWindow(hwnd) || FromHandlePermanent(hwnd)) {
        return FALSE;
    }
    threadState().permanentWindows[hwnd] = this;
    m_hWnd = hwnd;
    m_pModuleState = AfxGetModuleState();
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hwnd = m_hWnd;
    if (hwnd) {
        auto& perm = threadState().permanentWindows;
        const auto it = perm.find(hwnd);
        if (it != perm.end() && it->second == this) {
            perm.erase(it);
        }
    }
    m_hWnd = nullptr;
    return hwnd;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    if (!Attach(hwnd)) {
        return FALSE;
    }
    // Before the procedure is replaced, as the framework does: a control that subclasses its
    // window here (a drag list) stays under the object's procedure.
    PreSubclassWindow();
    const auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (previous != &AfxWndProc) {
        *GetSuperWndProcAddr() = previous;
    }
    return TRUE;
}

void CWnd::PreSubclassWindow() {}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    if (!parent || !parent->m_hWnd) {
        return FALSE;
    }
    HWND control = ::GetDlgItem(parent->m_hWnd, static_cast<int>(id));
    return control ? SubclassWindow(control) : FALSE;
}

HWND CWnd::UnsubclassWindow() {
    if (!m_hWnd) {
        return nullptr;
    }
    WNDPROC* super = GetSuperWndProcAddr();
    if (*super) {
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(*super));
        *super = nullptr;
    }
    return Detach();
}

// ---- Creation ----------------------------------------------------------------------------------

namespace {

// The framework's default window class, registered once (classes are process-wide).
LPCSTR frameworkClass() {
    static const char* const kName = "AfxWnd";
    WNDCLASSA existing{};
    if (!GetClassInfoA(nullptr, kName, &existing)) {
        WNDCLASSA wc{};
        wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
        wc.lpfnWndProc = &kvmfc::afxWndProcBase;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
        wc.lpszClassName = kName;
        RegisterClassA(&wc);
    }
    return kName;
}

bool isFrameworkClass(LPCSTR className) {
    WNDCLASSA wc{};
    return className && GetClassInfoA(nullptr, className, &wc) &&
           wc.lpfnWndProc == &kvmfc::afxWndProcBase;
}

}  // namespace

LPCSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
    // One class per combination, named after it as the framework names them.
    char name[96];
    std::snprintf(name, sizeof name, "Afx:%x:%p:%p:%p", classStyle, static_cast<void*>(cursor),
                  static_cast<void*>(background), static_cast<void*>(icon));
    WNDCLASSA existing{};
    if (!GetClassInfoA(nullptr, name, &existing)) {
        WNDCLASSA wc{};
        wc.style = classStyle | CS_GLOBALCLASS;
        wc.lpfnWndProc = &kvmfc::afxWndProcBase;
        wc.hCursor = cursor;
        wc.hbrBackground = background;
        wc.hIcon = icon;
        wc.lpszClassName = name;
        if (!RegisterClassA(&wc)) {
            return nullptr;
        }
    }
    return kvmfc::keepClassName(name);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU idOrMenu, LPVOID param) {
    if (m_hWnd) {
        return FALSE;
    }
    if (!className) {
        className = frameworkClass();
    }
    kvmfc::ThreadState& state = threadState();
    // A framework class binds the window on its first message; any other class is bound when
    // CreateWindowEx returns.
    const bool bindEarly = isFrameworkClass(className);
    CWnd* const previousInit = state.windowInit;
    if (bindEarly) {
        state.windowInit = this;
    }
    HWND hwnd = CreateWindowExA(exStyle, className, windowName, style, x, y, width, height, parent,
                                idOrMenu, AfxGetInstanceHandle(), param);
    state.windowInit = previousInit;
    if (!hwnd) {
        return FALSE;
    }
    if (!m_hWnd && !SubclassWindow(hwnd)) {
        return FALSE;
    }
    return m_hWnd == hwnd;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id, LPVOID param) {
    return CreateEx(exStyle, className, windowName, style, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    parent ? parent->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), param);
}

BOOL CWnd::Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                  UINT id, CCreateContext* /*context*/) {
    return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id, nullptr);
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd) {
        return FALSE;
    }
    return ::DestroyWindow(m_hWnd);
}

void CWnd::PostNcDestroy() {}

// ---- The window procedure ----------------------------------------------------------------------

LRESULT AfxCallWndProc(CWnd* wnd, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    kvmfc::ThreadState& state = threadState();
    const MSG saved = state.lastSentMsg;
    state.lastSentMsg = MSG{hwnd, message, wParam, lParam, 0, {0, 0}};
    // A library's window answers in the library's module state (its resources, its
    // application), whichever module's loop dispatched the message.
    AFX_MAINTAIN_STATE2 moduleScope(wnd->m_pModuleState != nullptr ? wnd->m_pModuleState
                                                                   : AfxGetModuleState());
    const LRESULT result = wnd->WindowProc(message, wParam, lParam);
    state.lastSentMsg = saved;
    return result;
}

LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    if (!wnd) {
        // A window whose object let go while AfxWndProc stayed installed.
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    return AfxCallWndProc(wnd, hwnd, message, wParam, lParam);
}

LRESULT kvmfc::afxWndProcBase(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ThreadState& state = threadState();
    if (!CWnd::FromHandlePermanent(hwnd) && state.windowInit) {
        CWnd* init = state.windowInit;
        state.windowInit = nullptr;
        init->Attach(hwnd);  // the class procedure is ours: nothing to chain to
        init->PreSubclassWindow();
    }
    return AfxWndProc(hwnd, message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC super = *GetSuperWndProcAddr();
    if (super) {
        return CallWindowProcA(super, m_hWnd, message, wParam, lParam);
    }
    return DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    const MSG& last = threadState().lastSentMsg;
    return DefWindowProc(last.message, last.wParam, last.lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) {
        result = DefWindowProc(message, wParam, lParam);
    }
    return result;
}

namespace {

CPoint pointOf(LPARAM lParam) {
    return CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

template <typename Fn>
Fn as(AFX_PMSG pfn) {
    return std::bit_cast<Fn>(pfn);
}

}  // namespace

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    LRESULT result = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) {
            return FALSE;
        }
        if (pResult) {
            *pResult = 1;
        }
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (!header || !header->hwndFrom || !OnNotify(wParam, lParam, &result)) {
            return FALSE;
        }
        if (pResult) {
            *pResult = result;
        }
        return TRUE;
    }
    // A drag list tells its parent of a drag; the framework's drag list box takes the news
    // itself (reflected to its OnChildNotify), as it takes its other notifications.
    static const UINT dragList = ::RegisterWindowMessageA(DRAGLISTMSGSTRING);
    if (message == dragList && lParam != 0) {
        const auto* info = reinterpret_cast<const DRAGLISTINFO*>(lParam);
        if (ReflectLastMsg(info->hWnd, &result)) {
            if (pResult) {
                *pResult = result;
            }
            return TRUE;
        }
    }
    const AFX_MSGMAP_ENTRY* entry = AfxFindMessageEntry(GetMessageMap(), message, 0, 0);
    if (!entry) {
        return FALSE;
    }
    const AFX_PMSG pfn = entry->pfn;
    switch (entry->nSig) {
        case AfxSig::vv:
            (this->*as<void (CWnd::*)()>(pfn))();
            break;
        case AfxSig::lwl:
            result = (this->*as<LRESULT (CWnd::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam);
            break;
        case AfxSig::hDWw: {
            CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
            CWnd* control = FromHandle(reinterpret_cast<HWND>(lParam));
            const UINT kind = message - WM_CTLCOLORMSGBOX;  // CTLCOLOR_MSGBOX .. CTLCOLOR_STATIC
            result = reinterpret_cast<LRESULT>(
                (this->*as<HBRUSH (CWnd::*)(CDC*, CWnd*, UINT)>(pfn))(dc, control, kind));
            break;
        }
        case AfxSig::vOWNER: {
            const int id = static_cast<int>(wParam);
            if (message == WM_DRAWITEM) {
                (this->*as<void (CWnd::*)(int, DRAWITEMSTRUCT*)>(pfn))(
                    id, reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
                result = TRUE;
            } else if (message == WM_MEASUREITEM) {
                (this->*as<void (CWnd::*)(int, MEASUREITEMSTRUCT*)>(pfn))(
                    id, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
                result = TRUE;
            } else if (message == WM_DELETEITEM) {
                (this->*as<void (CWnd::*)(int, DELETEITEMSTRUCT*)>(pfn))(
                    id, reinterpret_cast<DELETEITEMSTRUCT*>(lParam));
                result = TRUE;
            } else {
                return FALSE;
            }
            break;
        }
        case AfxSig::iOWNER:
            result = (this->*as<int (CWnd::*)(int, COMPAREITEMSTRUCT*)>(pfn))(
                static_cast<int>(wParam), reinterpret_cast<COMPAREITEMSTRUCT*>(lParam));
            break;
        case AfxSig::is:
            result = (this->*as<int (CWnd::*)(LPCREATESTRUCTA)>(pfn))(
                reinterpret_cast<LPCREATESTRUCTA>(lParam));
            break;
        case AfxSig::vbw:
            (this->*as<void (CWnd::*)(BOOL, UINT)>(pfn))(static_cast<BOOL>(wParam),
                                                         static_cast<UINT>(lParam));
            break;
        case AfxSig::vwii:
            (this->*as<void (CWnd::*)(UINT, int, int)>(pfn))(static_cast<UINT>(wParam),
                                                             static_cast<short>(LOWORD(lParam)),
                                                             static_cast<short>(HIWORD(lParam)));
            break;
        case AfxSig::vii:
            (this->*as<void (CWnd::*)(int, int)>(pfn))(static_cast<short>(LOWORD(lParam)),
                                                       static_cast<short>(HIWORD(lParam)));
            break;
        case AfxSig::vb:
            (this->*as<void (CWnd::*)(BOOL)>(pfn))(static_cast<BOOL>(wParam));
            break;
        case AfxSig::vwWb:
            (this->*as<void (CWnd::*)(UINT, CWnd*, BOOL)>(pfn))(
                LOWORD(wParam), FromHandle(reinterpret_cast<HWND>(lParam)), HIWORD(wParam));
            break;
        case AfxSig::vPOS:
            (this->*as<void (CWnd::*)(WINDOWPOS*)>(pfn))(reinterpret_cast<WINDOWPOS*>(lParam));
            break;
        case AfxSig::vwl:
            (this->*as<void (CWnd::*)(UINT, LPARAM)>(pfn))(static_cast<UINT>(wParam), lParam);
            break;
        case AfxSig::bHELPINFO:
            result =
                (this->*as<BOOL (CWnd::*)(HELPINFO*)>(pfn))(reinterpret_cast<HELPINFO*>(lParam));
            break;
        case AfxSig::vwp:
            (this->*as<void (CWnd::*)(UINT, CPoint)>(pfn))(static_cast<UINT>(wParam),
                                                           pointOf(lParam));
            break;
        case AfxSig::vwww:
            (this->*as<void (CWnd::*)(UINT, UINT, UINT)>(pfn))(static_cast<UINT>(wParam),
                                                               LOWORD(lParam), HIWORD(lParam));
            break;
        case AfxSig::vW:
            (this->*as<void (CWnd::*)(CWnd*)>(pfn))(FromHandle(reinterpret_cast<HWND>(wParam)));
            break;
        case AfxSig::vw_ptr:
            (this->*as<void (CWnd::*)(UINT_PTR)>(pfn))(static_cast<UINT_PTR>(wParam));
            break;
        case AfxSig::bD:
            result = (this->*as<BOOL (CWnd::*)(CDC*)>(pfn))(
                CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
            break;
        case AfxSig::vwwScroll:
            // The scroll bar is the control that sent it (null for a window's own bars); the
            // framework hands it over as CScrollBar, which adds nothing to CWnd.
            (this->*as<void (CWnd::*)(UINT, UINT, CScrollBar*)>(pfn))(
                LOWORD(wParam), static_cast<UINT>(static_cast<short>(HIWORD(wParam))),
                reinterpret_cast<CScrollBar*>(FromHandle(reinterpret_cast<HWND>(lParam))));
            break;
        case AfxSig::bWww:
            result = (this->*as<BOOL (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(
                FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam));
            break;
        case AfxSig::wv:
            result = (this->*as<UINT (CWnd::*)()>(pfn))();
            break;
        case AfxSig::vWp:
            (this->*as<void (CWnd::*)(CWnd*, CPoint)>(pfn))(
                FromHandle(reinterpret_cast<HWND>(wParam)), pointOf(lParam));
            break;
        default:
            return FALSE;
    }
    if (pResult) {
        *pResult = result;
    }
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    int code = HIWORD(wParam);
    kvmfc::ThreadState& state = threadState();
    if (control) {
        // While UpdateData moves values into the controls, their notifications are not the
        // user's edits: the framework drops them.
        if (state.lockoutNotifyWindow && state.lockoutNotifyWindow == m_hWnd) {
            return TRUE;
        }
        if (ReflectLastMsg(control)) {
            return TRUE;
        }
    } else {
        code = CN_COMMAND;  // menus and accelerators
    }
    return OnCmdMsg(id, code, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM /*wParam*/, LPARAM lParam, LRESULT* pResult) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header || !pResult) {
        return FALSE;
    }
    kvmfc::ThreadState& state = threadState();
    if (state.lockoutNotifyWindow && state.lockoutNotifyWindow == m_hWnd) {
        return TRUE;
    }
    if (ReflectLastMsg(header->hwndFrom, pResult)) {
        return TRUE;
    }
    AFX_NOTIFY notify{pResult, header};
    *pResult = 0;
    return OnCmdMsg(static_cast<UINT>(header->idFrom), CN_NOTIFY_CODE(header->code), &notify,
                    nullptr);
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) {
    return FALSE;
}

BOOL CWnd::ReflectLastMsg(HWND child, LRESULT* result) {
    CWnd* wnd = FromHandlePermanent(child);
    if (!wnd) {
        return FALSE;
    }
    const MSG& last = threadState().lastSentMsg;
    return wnd->OnChildNotify(last.message, last.wParam, last.lParam, result);
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND stop, MSG* msg) {
    if (!msg) {
        return FALSE;
    }
    // From the message's window up through its parents to its top-level window (or `stop`):
    // owners are not asked, so a host's own windows never see the library's messages.
    for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
        if (CWnd* wnd = FromHandlePermanent(hwnd)) {
            if (wnd->PreTranslateMessage(msg)) {
                return TRUE;
            }
        }
        if (hwnd == stop || !(::GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)) {
            break;
        }
    }
    return FALSE;
}
