// Message maps: the tables that route a window's messages, commands and notifications to
// member functions of the class that handles them.
//
// A class declares its table with DECLARE_MESSAGE_MAP() and defines it between
// BEGIN_MESSAGE_MAP(theClass, baseClass) and END_MESSAGE_MAP(). Each entry records which
// message (and, for WM_COMMAND and WM_NOTIFY, which notification code and control id range)
// it handles, a signature tag, and the handler. Handlers of every signature are stored as one
// common pointer-to-member type (AFX_PMSG): each ON_ macro first converts the handler to the
// exact signature the tag stands for, with static_cast, so a handler of the wrong signature
// does not compile; the dispatcher converts the stored pointer back to that same signature
// before calling it (a std::bit_cast round trip between pointer-to-member types of one class,
// which all have the same representation, so the value comes back unchanged). The dispatcher
// searches the class's own table, then its base's, and so on up to CCmdTarget, so a derived class's
// entry wins over its base's, as in the framework.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <bit>

#include <windows.h>

class CCmdTarget;
class CWnd;
class CDC;
class CScrollBar;
class CPoint;
struct HELPINFO;

#define afx_msg

// The common type every handler is stored as.
using AFX_PMSG = void (CCmdTarget::*)();
using AFX_PMSGW = void (CWnd::*)();

// The signature of a handler: how the dispatcher unpacks the message for it.
enum class AfxSig : int {
    end = 0,      // end of a table
    vv,           // void ()                                   commands, WM_PAINT ...
    vw,           // void (UINT id)                            command and control ranges
    bw,           // BOOL (UINT id)                            ON_COMMAND_EX
    notify,       // void (NMHDR*, LRESULT*)                   ON_NOTIFY
    notifyEx,     // BOOL (UINT id, NMHDR*, LRESULT*)          ON_NOTIFY_EX(_RANGE)
    notifyRange,  // void (UINT id, NMHDR*, LRESULT*)          ON_NOTIFY_RANGE
    lwl,          // LRESULT (WPARAM, LPARAM)                  ON_MESSAGE
    hDWw,         // HBRUSH (CDC*, CWnd*, UINT nCtlColor)      WM_CTLCOLOR*
    vOWNER,       // void (int id, T*)                         WM_DRAWITEM, WM_MEASUREITEM
    iOWNER,       // int (int id, T*)                          WM_COMPAREITEM
    is,           // int (LPCREATESTRUCT)                      WM_CREATE
    vbw,          // void (BOOL, UINT)                         WM_SHOWWINDOW
    vwii,         // void (UINT, int, int)                     WM_SIZE
    vwl,          // void (UINT, LPARAM)                       WM_SYSCOMMAND
    bHELPINFO,    // BOOL (HELPINFO*)                          WM_HELP
    vwp,          // void (UINT nFlags, CPoint)                mouse messages
    vwww,         // void (UINT, UINT, UINT)                   key messages
    vW,           // void (CWnd*)                              WM_SETFOCUS, WM_KILLFOCUS
    vw_ptr,       // void (UINT_PTR)                           WM_TIMER
    bD,           // BOOL (CDC*)                               WM_ERASEBKGND
    vwwScroll,    // void (UINT code, UINT pos, CScrollBar*)   WM_HSCROLL, WM_VSCROLL
    bWww,         // BOOL (CWnd*, UINT hitTest, UINT message)  WM_SETCURSOR
    wv,           // UINT ()                                   WM_GETDLGCODE
    vWp,          // void (CWnd*, CPoint)                      WM_CONTEXTMENU
    vii,          // void (int, int)                           WM_MOVE
    vb,           // void (BOOL)                               WM_ENABLE
    vwWb,         // void (UINT, CWnd*, BOOL)                  WM_ACTIVATE
    vPOS,         // void (WINDOWPOS*)                         WM_WINDOWPOSCHANGED
};

// One entry of a message map.
struct AFX_MSGMAP_ENTRY {
    UINT nMessage;                   // the window message (0xC000 for a registered one)
    UINT nCode;                      // notification code of WM_COMMAND / WM_NOTIFY entries
    UINT nID;                        // first control or command id
    UINT nLastID;                    // last control or command id (nID for one id)
    AfxSig nSig;                     // the handler's signature
    AFX_PMSG pfn;                    // the handler
    const UINT* pRegisteredMessage;  // ON_REGISTERED_MESSAGE: where the message id is kept
};

// A class's message map: its entries and the way to its base class's map.
struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();  // null for the root of the class tree
    const AFX_MSGMAP_ENTRY* lpEntries;     // entries, ended by an AfxSig::end entry
};

// Declares a class's message map (leaves the class in its protected section, as MFC does).
// The class overrides GetMessageMap, so the declaration says so: mark the class's other
// overriding members `override` too.
#define DECLARE_MESSAGE_MAP()                     \
  protected:                                      \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)          \
    const AFX_MSGMAP* theClass::GetMessageMap() const { \
        return GetThisMessageMap();                     \
    }                                                   \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {   \
        using ThisClass = theClass;                     \
        using TheBaseClass = baseClass;                 \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                                         \
    { 0, 0, 0, 0, AfxSig::end, nullptr, nullptr }                                                 \
    }                                                                                             \
    ;                                                                                             \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
    return &messageMap;                                                                           \
    }

// Converts a handler to the exact signature `sig` (a pointer-to-member type of CCmdTarget or
// CWnd) and stores it as AFX_PMSG.
#define AFX_MSG_CAST(sigType, fn) std::bit_cast<AFX_PMSG>(static_cast<sigType>(&ThisClass::fn))

// The notification code WM_COMMAND carries for a menu or accelerator command.
#define CN_COMMAND 0

// ---- Commands and control notifications (WM_COMMAND) ----------------------------------------
#define ON_COMMAND(id, memberFxn)                    \
    {WM_COMMAND,                                     \
     CN_COMMAND,                                     \
     static_cast<UINT>(id),                          \
     static_cast<UINT>(id),                          \
     AfxSig::vv,                                     \
     AFX_MSG_CAST(void(CCmdTarget::*)(), memberFxn), \
     nullptr},
#define ON_COMMAND_EX(id, memberFxn)                     \
    {WM_COMMAND,                                         \
     CN_COMMAND,                                         \
     static_cast<UINT>(id),                              \
     static_cast<UINT>(id),                              \
     AfxSig::bw,                                         \
     AFX_MSG_CAST(BOOL(CCmdTarget::*)(UINT), memberFxn), \
     nullptr},
#define ON_COMMAND_RANGE(id, idLast, memberFxn)          \
    {WM_COMMAND,                                         \
     CN_COMMAND,                                         \
     static_cast<UINT>(id),                              \
     static_cast<UINT>(idLast),                          \
     AfxSig::vw,                                         \
     AFX_MSG_CAST(void(CCmdTarget::*)(UINT), memberFxn), \
     nullptr},
#define ON_CONTROL(wNotifyCode, id, memberFxn)       \
    {WM_COMMAND,                                     \
     static_cast<UINT>(wNotifyCode),                 \
     static_cast<UINT>(id),                          \
     static_cast<UINT>(id),                          \
     AfxSig::vv,                                     \
     AFX_MSG_CAST(void(CCmdTarget::*)(), memberFxn), \
     nullptr},
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
    {WM_COMMAND,                                             \
     static_cast<UINT>(wNotifyCode),                         \
     static_cast<UINT>(id),                                  \
     static_cast<UINT>(idLast),                              \
     AfxSig::vw,                                             \
     AFX_MSG_CAST(void(CCmdTarget::*)(UINT), memberFxn),     \
     nullptr},

#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn) ON_CONTROL(LBN_SELCANCEL, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)

// ---- Common control notifications (WM_NOTIFY) -----------------------------------------------
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                        \
    {WM_NOTIFY,                                                      \
     static_cast<UINT>(wNotifyCode),                                 \
     static_cast<UINT>(id),                                          \
     static_cast<UINT>(id),                                          \
     AfxSig::notify,                                                 \
     AFX_MSG_CAST(void(CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn), \
     nullptr},
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                \
    {WM_NOTIFY,                                                            \
     static_cast<UINT>(wNotifyCode),                                       \
     static_cast<UINT>(id),                                                \
     static_cast<UINT>(idLast),                                            \
     AfxSig::notifyRange,                                                  \
     AFX_MSG_CAST(void(CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn), \
     nullptr},
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn)                           \
    {WM_NOTIFY,                                                            \
     static_cast<UINT>(wNotifyCode),                                       \
     static_cast<UINT>(id),                                                \
     static_cast<UINT>(id),                                                \
     AfxSig::notifyEx,                                                     \
     AFX_MSG_CAST(BOOL(CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn), \
     nullptr},
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn)             \
    {WM_NOTIFY,                                                            \
     static_cast<UINT>(wNotifyCode),                                       \
     static_cast<UINT>(id),                                                \
     static_cast<UINT>(idLast),                                            \
     AfxSig::notifyEx,                                                     \
     AFX_MSG_CAST(BOOL(CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn), \
     nullptr},

// ---- User and registered messages -----------------------------------------------------------
#define ON_MESSAGE(message, memberFxn)                          \
    {static_cast<UINT>(message),                                \
     0,                                                         \
     0,                                                         \
     0,                                                         \
     AfxSig::lwl,                                               \
     AFX_MSG_CAST(LRESULT(CWnd::*)(WPARAM, LPARAM), memberFxn), \
     nullptr},
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)      \
    {0xC000,                                                    \
     0,                                                         \
     0,                                                         \
     0,                                                         \
     AfxSig::lwl,                                               \
     AFX_MSG_CAST(LRESULT(CWnd::*)(WPARAM, LPARAM), memberFxn), \
     &(nMessageVariable)},

// ---- Window messages with the framework's handler names -------------------------------------
#define AFX_WM_ENTRY(msg, sig, sigType, fn) \
    {msg, 0, 0, 0, AfxSig::sig, AFX_MSG_CAST(sigType, fn), nullptr},

#define ON_WM_CREATE() AFX_WM_ENTRY(WM_CREATE, is, int (CWnd::*)(LPCREATESTRUCTA), OnCreate)
#define ON_WM_DESTROY() AFX_WM_ENTRY(WM_DESTROY, vv, void (CWnd::*)(), OnDestroy)
#define ON_WM_NCDESTROY() AFX_WM_ENTRY(WM_NCDESTROY, vv, void (CWnd::*)(), OnNcDestroy)
#define ON_WM_CLOSE() AFX_WM_ENTRY(WM_CLOSE, vv, void (CWnd::*)(), OnClose)
#define ON_WM_PAINT() AFX_WM_ENTRY(WM_PAINT, vv, void (CWnd::*)(), OnPaint)
#define ON_WM_ERASEBKGND() AFX_WM_ENTRY(WM_ERASEBKGND, bD, BOOL (CWnd::*)(CDC*), OnEraseBkgnd)
#define ON_WM_CTLCOLOR()                                                                      \
    AFX_WM_ENTRY(WM_CTLCOLORMSGBOX, hDWw, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)    \
    AFX_WM_ENTRY(WM_CTLCOLOREDIT, hDWw, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)      \
    AFX_WM_ENTRY(WM_CTLCOLORLISTBOX, hDWw, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)   \
    AFX_WM_ENTRY(WM_CTLCOLORBTN, hDWw, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)       \
    AFX_WM_ENTRY(WM_CTLCOLORDLG, hDWw, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)       \
    AFX_WM_ENTRY(WM_CTLCOLORSCROLLBAR, hDWw, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor) \
    AFX_WM_ENTRY(WM_CTLCOLORSTATIC, hDWw, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)
#define ON_WM_DRAWITEM() \
    AFX_WM_ENTRY(WM_DRAWITEM, vOWNER, void (CWnd::*)(int, DRAWITEMSTRUCT*), OnDrawItem)
#define ON_WM_MEASUREITEM() \
    AFX_WM_ENTRY(WM_MEASUREITEM, vOWNER, void (CWnd::*)(int, MEASUREITEMSTRUCT*), OnMeasureItem)
#define ON_WM_DELETEITEM() \
    AFX_WM_ENTRY(WM_DELETEITEM, vOWNER, void (CWnd::*)(int, DELETEITEMSTRUCT*), OnDeleteItem)
#define ON_WM_COMPAREITEM() \
    AFX_WM_ENTRY(WM_COMPAREITEM, iOWNER, int (CWnd::*)(int, COMPAREITEMSTRUCT*), OnCompareItem)
#define ON_WM_SHOWWINDOW() \
    AFX_WM_ENTRY(WM_SHOWWINDOW, vbw, void (CWnd::*)(BOOL, UINT), OnShowWindow)
#define ON_WM_SIZE() AFX_WM_ENTRY(WM_SIZE, vwii, void (CWnd::*)(UINT, int, int), OnSize)
#define ON_WM_MOVE() AFX_WM_ENTRY(WM_MOVE, vii, void (CWnd::*)(int, int), OnMove)
#define ON_WM_ENABLE() AFX_WM_ENTRY(WM_ENABLE, vb, void (CWnd::*)(BOOL), OnEnable)
#define ON_WM_ACTIVATE() \
    AFX_WM_ENTRY(WM_ACTIVATE, vwWb, void (CWnd::*)(UINT, CWnd*, BOOL), OnActivate)
#define ON_WM_WINDOWPOSCHANGED() \
    AFX_WM_ENTRY(WM_WINDOWPOSCHANGED, vPOS, void (CWnd::*)(WINDOWPOS*), OnWindowPosChanged)
#define ON_WM_SYSCOMMAND() \
    AFX_WM_ENTRY(WM_SYSCOMMAND, vwl, void (CWnd::*)(UINT, LPARAM), OnSysCommand)
#define ON_WM_HELPINFO() AFX_WM_ENTRY(WM_HELP, bHELPINFO, BOOL (CWnd::*)(HELPINFO*), OnHelpInfo)
#define ON_WM_LBUTTONDOWN() \
    AFX_WM_ENTRY(WM_LBUTTONDOWN, vwp, void (CWnd::*)(UINT, CPoint), OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_WM_ENTRY(WM_LBUTTONUP, vwp, void (CWnd::*)(UINT, CPoint), OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() \
    AFX_WM_ENTRY(WM_LBUTTONDBLCLK, vwp, void (CWnd::*)(UINT, CPoint), OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() \
    AFX_WM_ENTRY(WM_RBUTTONDOWN, vwp, void (CWnd::*)(UINT, CPoint), OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_WM_ENTRY(WM_RBUTTONUP, vwp, void (CWnd::*)(UINT, CPoint), OnRButtonUp)
#define ON_WM_MOUSEMOVE() AFX_WM_ENTRY(WM_MOUSEMOVE, vwp, void (CWnd::*)(UINT, CPoint), OnMouseMove)
#define ON_WM_NCMOUSEMOVE() \
    AFX_WM_ENTRY(WM_NCMOUSEMOVE, vwp, void (CWnd::*)(UINT, CPoint), OnNcMouseMove)
#define ON_WM_KEYDOWN() AFX_WM_ENTRY(WM_KEYDOWN, vwww, void (CWnd::*)(UINT, UINT, UINT), OnKeyDown)
#define ON_WM_KEYUP() AFX_WM_ENTRY(WM_KEYUP, vwww, void (CWnd::*)(UINT, UINT, UINT), OnKeyUp)
#define ON_WM_CHAR() AFX_WM_ENTRY(WM_CHAR, vwww, void (CWnd::*)(UINT, UINT, UINT), OnChar)
#define ON_WM_SYSKEYDOWN() \
    AFX_WM_ENTRY(WM_SYSKEYDOWN, vwww, void (CWnd::*)(UINT, UINT, UINT), OnSysKeyDown)
#define ON_WM_SETFOCUS() AFX_WM_ENTRY(WM_SETFOCUS, vW, void (CWnd::*)(CWnd*), OnSetFocus)
#define ON_WM_KILLFOCUS() AFX_WM_ENTRY(WM_KILLFOCUS, vW, void (CWnd::*)(CWnd*), OnKillFocus)
#define ON_WM_TIMER() AFX_WM_ENTRY(WM_TIMER, vw_ptr, void (CWnd::*)(UINT_PTR), OnTimer)
#define ON_WM_VSCROLL() \
    AFX_WM_ENTRY(WM_VSCROLL, vwwScroll, void (CWnd::*)(UINT, UINT, CScrollBar*), OnVScroll)
#define ON_WM_HSCROLL() \
    AFX_WM_ENTRY(WM_HSCROLL, vwwScroll, void (CWnd::*)(UINT, UINT, CScrollBar*), OnHScroll)
#define ON_WM_SETCURSOR() \
    AFX_WM_ENTRY(WM_SETCURSOR, bWww, BOOL (CWnd::*)(CWnd*, UINT, UINT), OnSetCursor)
#define ON_WM_GETDLGCODE() AFX_WM_ENTRY(WM_GETDLGCODE, wv, UINT (CWnd::*)(), OnGetDlgCode)
#define ON_WM_CONTEXTMENU() \
    AFX_WM_ENTRY(WM_CONTEXTMENU, vWp, void (CWnd::*)(CWnd*, CPoint), OnContextMenu)

#pragma GCC visibility pop
