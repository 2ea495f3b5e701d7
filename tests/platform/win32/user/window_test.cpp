// Windows and classes: creation and destruction sequences, handles, relations, window data,
// text, properties and the dialog item helpers.
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "WindowFixture.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"
#include "kvwin32/winuser.h"

using kvtest::DefWinProc;
using kvtest::LParam;
using kvtest::Optional;
using kvtest::Parent;
using kvtest::Sent;
using kvtest::WParam;

namespace {

class WindowTest : public kvtest::WindowFixture {};

struct CreateCase {
    const char* name;
    DWORD style;
    DWORD exStyle;
    bool withParent;
    bool parentVisible;
    std::vector<kvtest::ExpectedMsg> expected;
};

TEST_F(WindowTest, CreationSequences) {
    constexpr int kId = 7;
    const std::vector<CreateCase> cases = {
        {"overlapped, hidden",
         WS_OVERLAPPEDWINDOW,
         0,
         false,
         false,
         {{WM_GETMINMAXINFO, Sent},
          {WM_NCCREATE, Sent},
          {WM_NCCALCSIZE, Sent | WParam, FALSE},
          {WM_CREATE, Sent}}},
        {"popup, hidden",
         WS_POPUP,
         0,
         false,
         false,
         {{WM_NCCREATE, Sent},
          {WM_NCCALCSIZE, Sent | WParam, FALSE},
          {WM_CREATE, Sent},
          {WM_SIZE, Sent | WParam, SIZE_RESTORED},
          {WM_MOVE, Sent}}},
        {"child",
         WS_CHILD,
         0,
         true,
         true,
         {{WM_NCCREATE, Sent},
          {WM_NCCALCSIZE, Sent | WParam, FALSE},
          {WM_CREATE, Sent},
          {WM_SIZE, Sent | WParam | LParam, SIZE_RESTORED, MAKELPARAM(100, 50)},
          {WM_MOVE, Sent | LParam, 0, MAKELPARAM(5, 6)},
          {WM_PARENTNOTIFY, Sent | Parent | WParam, MAKEWPARAM(WM_CREATE, kId)}}},
        {"child without parent notification",
         WS_CHILD,
         WS_EX_NOPARENTNOTIFY,
         true,
         true,
         {{WM_NCCREATE, Sent},
          {WM_NCCALCSIZE, Sent | WParam, FALSE},
          {WM_CREATE, Sent},
          {WM_SIZE, Sent},
          {WM_MOVE, Sent}}},
        {"visible child of a visible parent",
         WS_CHILD | WS_VISIBLE,
         0,
         true,
         true,
         {{WM_NCCREATE, Sent},
          {WM_NCCALCSIZE, Sent | WParam, FALSE},
          {WM_CREATE, Sent},
          {WM_SIZE, Sent},
          {WM_MOVE, Sent},
          {WM_PARENTNOTIFY, Sent | Parent | WParam, MAKEWPARAM(WM_CREATE, kId)},
          {WM_SHOWWINDOW, Sent | WParam, TRUE},
          {WM_WINDOWPOSCHANGING, Sent},
          {WM_WINDOWPOSCHANGED, Sent}}},
        {"visible child of a hidden parent",
         WS_CHILD | WS_VISIBLE,
         0,
         true,
         false,
         {{WM_NCCREATE, Sent},
          {WM_NCCALCSIZE, Sent | WParam, FALSE},
          {WM_CREATE, Sent},
          {WM_SIZE, Sent},
          {WM_MOVE, Sent},
          {WM_PARENTNOTIFY, Sent | Parent | WParam, MAKEWPARAM(WM_CREATE, kId)},
          {WM_SHOWWINDOW, Sent | WParam, TRUE}}},
    };
    for (const auto& c : cases) {
        HWND parent = nullptr;
        if (c.withParent) {
            parent = create(WS_POPUP | (c.parentVisible ? WS_VISIBLE : 0), nullptr, 0, 0, 0, 300,
                            200, kvtest::kRecorderParentClass);
            ASSERT_NE(parent, nullptr) << c.name;
        }
        rec.clear();
        HWND hwnd = create(c.style, parent, kId, 5, 6, 100, 50, kvtest::kRecorderClass, c.exStyle);
        ASSERT_NE(hwnd, nullptr) << c.name;
        EXPECT_TRUE(rec.matches(c.expected, c.name));
        EXPECT_EQ((GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE) != 0, (c.style & WS_VISIBLE) != 0)
            << c.name;
        DestroyWindow(parent ? parent : hwnd);
    }
}

TEST_F(WindowTest, VisibleIsNotSetDuringCreate) {
    DWORD styleInCreate = 0;
    rec.setAnswer([&](HWND hwnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_CREATE) {
            styleInCreate = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
        }
        return std::nullopt;
    });
    HWND hwnd = create(WS_POPUP | WS_VISIBLE);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(styleInCreate & WS_VISIBLE, 0u);
    EXPECT_TRUE(IsWindowVisible(hwnd));
}

TEST_F(WindowTest, FailedCreationTakesTheWindowDown) {
    struct Case {
        const char* name;
        UINT failingMessage;
        LRESULT answer;
        std::vector<kvtest::ExpectedMsg> expected;
    };
    const std::vector<Case> cases = {
        {"WM_NCCREATE answers FALSE",
         WM_NCCREATE,
         FALSE,
         {{WM_NCCREATE, Sent}, {WM_NCDESTROY, Sent}}},
        {"WM_CREATE answers -1",
         WM_CREATE,
         -1,
         {{WM_NCCREATE, Sent},
          {WM_NCCALCSIZE, Sent},
          {WM_CREATE, Sent},
          {WM_DESTROY, Sent},
          {WM_NCDESTROY, Sent}}},
    };
    for (const auto& c : cases) {
        HWND seen = nullptr;
        rec.clear();
        rec.setAnswer([&](HWND hwnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
            seen = hwnd;
            if (msg == c.failingMessage) {
                return c.answer;
            }
            return std::nullopt;
        });
        EXPECT_EQ(create(WS_POPUP), nullptr) << c.name;
        EXPECT_TRUE(rec.matches(c.expected, c.name));
        EXPECT_FALSE(IsWindow(seen)) << c.name;
    }
}

TEST_F(WindowTest, CreationErrors) {
    HWND stale = create(WS_POPUP);
    DestroyWindow(stale);
    struct Case {
        const char* name;
        const char* cls;
        DWORD style;
        HWND parent;
        DWORD error;
    };
    const Case cases[] = {
        {"unknown class", "NoSuchClass", WS_POPUP, nullptr, ERROR_CANNOT_FIND_WND_CLASS},
        {"child without parent", kvtest::kRecorderClass, WS_CHILD, nullptr, ERROR_TLW_WITH_WSCHILD},
        {"destroyed parent", kvtest::kRecorderClass, WS_CHILD, stale, ERROR_INVALID_WINDOW_HANDLE},
    };
    for (const auto& c : cases) {
        SetLastError(0);
        EXPECT_EQ(CreateWindowExA(0, c.cls, "", c.style, 0, 0, 10, 10, c.parent, nullptr, nullptr,
                                  nullptr),
                  nullptr)
            << c.name;
        EXPECT_EQ(GetLastError(), c.error) << c.name;
    }
}

TEST_F(WindowTest, DestroySendsDestroyParentFirstAndNcDestroyChildrenFirst) {
    HWND parent = create(WS_POPUP);
    HWND first = create(WS_CHILD, parent, 1);
    HWND second = create(WS_CHILD, parent, 2);
    HWND grandchild = create(WS_CHILD, first, 3);
    rec.clear();
    ASSERT_TRUE(DestroyWindow(parent));
    std::vector<std::pair<HWND, UINT>> seen;
    for (const auto& r : rec.log()) {
        seen.emplace_back(r.hwnd, r.message);
    }
    const std::vector<std::pair<HWND, UINT>> expected = {
        {parent, WM_DESTROY},   {first, WM_DESTROY},        {grandchild, WM_DESTROY},
        {second, WM_DESTROY},   {grandchild, WM_NCDESTROY}, {first, WM_NCDESTROY},
        {second, WM_NCDESTROY}, {parent, WM_NCDESTROY},
    };
    EXPECT_EQ(seen, expected);
    for (HWND hwnd : {parent, first, second, grandchild}) {
        EXPECT_FALSE(IsWindow(hwnd));
    }
}

TEST_F(WindowTest, DestroyVisibleChildSequence) {
    HWND parent =
        create(WS_POPUP | WS_VISIBLE, nullptr, 0, 0, 0, 300, 200, kvtest::kRecorderParentClass);
    HWND child = create(WS_CHILD | WS_VISIBLE, parent, 9);
    rec.clear();
    ASSERT_TRUE(DestroyWindow(child));
    EXPECT_TRUE(rec.matches({{WM_PARENTNOTIFY, Sent | Parent | WParam, MAKEWPARAM(WM_DESTROY, 9)},
                             {WM_SHOWWINDOW, Sent | WParam, FALSE},
                             {WM_WINDOWPOSCHANGING, Sent},
                             {WM_WINDOWPOSCHANGED, Sent},
                             {WM_DESTROY, Sent},
                             {WM_NCDESTROY, Sent}},
                            "destroy visible child"));
}

TEST_F(WindowTest, StaleHandlesAreNeverReused) {
    HWND old = create(WS_POPUP);
    ASSERT_TRUE(DestroyWindow(old));
    std::vector<HWND> fresh;
    for (int i = 0; i < 64; ++i) {
        fresh.push_back(create(WS_POPUP));
    }
    for (HWND hwnd : fresh) {
        EXPECT_NE(hwnd, old);
    }
    EXPECT_FALSE(IsWindow(old));
    SetLastError(0);
    EXPECT_FALSE(SetWindowTextA(old, "x"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    SetLastError(0);
    EXPECT_EQ(SendMessageA(old, WM_USER, 0, 0), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_FALSE(DestroyWindow(old));
    EXPECT_FALSE(IsWindow(reinterpret_cast<HWND>(static_cast<LONG_PTR>(0x12345678))));
    EXPECT_FALSE(IsWindow(nullptr));
}

TEST_F(WindowTest, RelationsAndZOrder) {
    HWND top = create(WS_OVERLAPPEDWINDOW);
    HWND a = create(WS_CHILD, top, 1);
    HWND b = create(WS_CHILD, top, 2);
    HWND c = create(WS_CHILD, top, 3);
    HWND inner = create(WS_CHILD, b, 4);
    HWND popup = create(WS_POPUP, a);

    // Creation order is z-order and tab order.
    EXPECT_EQ(GetWindow(top, GW_CHILD), a);
    EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
    EXPECT_EQ(GetWindow(c, GW_HWNDPREV), b);
    EXPECT_EQ(GetWindow(a, GW_HWNDLAST), c);
    EXPECT_EQ(GetWindow(c, GW_HWNDFIRST), a);
    EXPECT_EQ(GetWindow(c, GW_HWNDNEXT), nullptr);
    EXPECT_EQ(GetTopWindow(top), a);

    EXPECT_EQ(GetParent(inner), b);
    EXPECT_EQ(GetParent(top), nullptr);
    // A popup's parent is its owner, the top-level window of the window it was given.
    EXPECT_EQ(GetParent(popup), top);
    EXPECT_EQ(GetWindow(popup, GW_OWNER), top);
    EXPECT_EQ(GetAncestor(inner, GA_PARENT), b);
    EXPECT_EQ(GetAncestor(inner, GA_ROOT), top);
    EXPECT_EQ(GetAncestor(top, GA_PARENT), GetDesktopWindow());
    EXPECT_EQ(GetAncestor(popup, GA_ROOTOWNER), top);
    EXPECT_EQ(GetWindowLongPtrA(inner, GWLP_HWNDPARENT), reinterpret_cast<LONG_PTR>(b));
    EXPECT_EQ(GetWindowLongPtrA(popup, GWLP_HWNDPARENT), reinterpret_cast<LONG_PTR>(top));

    EXPECT_TRUE(IsChild(top, inner));
    EXPECT_TRUE(IsChild(b, inner));
    EXPECT_FALSE(IsChild(a, inner));
    EXPECT_FALSE(IsChild(top, popup));

    std::vector<HWND> order;
    EnumChildWindows(
        top,
        [](HWND hwnd, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&order));
    EXPECT_EQ(order, (std::vector<HWND>{a, b, inner, c}));

    // Owned windows go with their owner.
    DestroyWindow(top);
    EXPECT_FALSE(IsWindow(popup));
}

TEST_F(WindowTest, SetParentMovesTheWindow) {
    HWND p1 = create(WS_POPUP);
    HWND p2 = create(WS_POPUP);
    HWND child = create(WS_CHILD, p1, 5);
    EXPECT_EQ(SetParent(child, p2), p1);
    EXPECT_EQ(GetParent(child), p2);
    EXPECT_EQ(GetWindow(p1, GW_CHILD), nullptr);
    EXPECT_EQ(GetDlgItem(p2, 5), child);
    // Not under itself or its own descendants.
    HWND grand = create(WS_CHILD, child, 6);
    SetLastError(0);
    EXPECT_EQ(SetParent(child, grand), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(WindowTest, FindWindowEx) {
    HWND top = create(WS_POPUP);
    HWND a = create(WS_CHILD, top, 1);
    HWND b = create(WS_CHILD, top, 2);
    SetWindowTextA(a, "Apply");
    SetWindowTextA(b, "Apply");
    EXPECT_EQ(FindWindowExA(top, nullptr, nullptr, "apply"), a);
    EXPECT_EQ(FindWindowExA(top, a, "KVRECORDER", "Apply"), b);
    EXPECT_EQ(FindWindowExA(top, b, nullptr, "Apply"), nullptr);
    EXPECT_EQ(FindWindowExA(top, nullptr, nullptr, "Cancel"), nullptr);
}

TEST_F(WindowTest, TextGoesThroughMessages) {
    HWND hwnd = CreateWindowExA(0, kvtest::kRecorderClass, "Initial", WS_POPUP, 0, 0, 10, 10,
                                nullptr, nullptr, nullptr, nullptr);
    char buffer[64];
    EXPECT_EQ(GetWindowTextA(hwnd, buffer, sizeof(buffer)), 7);
    EXPECT_STREQ(buffer, "Initial");
    rec.clear();
    EXPECT_TRUE(SetWindowTextA(hwnd, "Hello world"));
    EXPECT_TRUE(rec.matches({{WM_SETTEXT, Sent}}, "SetWindowTextA"));
    EXPECT_EQ(GetWindowTextLengthA(hwnd), 11);
    // Truncated to the buffer, terminator included.
    char small[6];
    EXPECT_EQ(GetWindowTextA(hwnd, small, sizeof(small)), 5);
    EXPECT_STREQ(small, "Hello");
    EXPECT_EQ(GetWindowTextA(hwnd, small, 0), 0);
    EXPECT_TRUE(SetWindowTextA(hwnd, nullptr));
    EXPECT_EQ(GetWindowTextLengthA(hwnd), 0);
}

TEST_F(WindowTest, ExtraBytesAreBoundsChecked) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.cbWndExtra = 12;
    wc.lpszClassName = "KvExtra12";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, "KvExtra12", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                                nullptr);
    ASSERT_NE(hwnd, nullptr);
    enum class Kind { Ptr, Long, Word };
    struct Case {
        Kind kind;
        int offset;
        bool fits;
    };
    const Case cases[] = {
        {Kind::Ptr, 0, true},   {Kind::Ptr, 4, true},    {Kind::Ptr, 5, false},
        {Kind::Ptr, 12, false}, {Kind::Long, 8, true},   {Kind::Long, 9, false},
        {Kind::Word, 10, true}, {Kind::Word, 11, false}, {Kind::Word, -100, false},
    };
    for (const auto& c : cases) {
        SetLastError(0);
        LONG_PTR written = 0;
        LONG_PTR read = 0;
        switch (c.kind) {
            case Kind::Ptr:
                SetWindowLongPtrA(hwnd, c.offset, 0x1122334455667788);
                written = 0x1122334455667788;
                read = GetWindowLongPtrA(hwnd, c.offset);
                break;
            case Kind::Long:
                SetWindowLongA(hwnd, c.offset, 0x55667788);
                written = 0x55667788;
                read = GetWindowLongA(hwnd, c.offset);
                break;
            case Kind::Word:
                SetWindowWord(hwnd, c.offset, 0x7788);
                written = 0x7788;
                read = GetWindowWord(hwnd, c.offset);
                break;
        }
        if (c.fits) {
            EXPECT_EQ(read, written) << "offset " << c.offset;
            EXPECT_EQ(GetLastError(), 0u) << "offset " << c.offset;
        } else {
            EXPECT_EQ(read, 0) << "offset " << c.offset;
            EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX))
                << "offset " << c.offset;
        }
    }
    DestroyWindow(hwnd);
    UnregisterClassA("KvExtra12", nullptr);
}

TEST_F(WindowTest, StyleChangesAreAnnounced) {
    HWND hwnd = create(WS_POPUP);
    STYLESTRUCT changing{};
    STYLESTRUCT changed{};
    rec.setAnswer([&](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        auto* ss = reinterpret_cast<STYLESTRUCT*>(lParam);
        if (msg == WM_STYLECHANGING) {
            changing = *ss;
            ss->styleNew |= WS_TABSTOP;  // the window may alter what it gets
        } else if (msg == WM_STYLECHANGED) {
            changed = *ss;
        }
        return std::nullopt;
    });
    rec.clear();
    DWORD before = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    LONG previous = SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(before | WS_BORDER));
    EXPECT_EQ(static_cast<DWORD>(previous), before);
    EXPECT_TRUE(rec.matches({{WM_STYLECHANGING, Sent | WParam, static_cast<WPARAM>(GWL_STYLE)},
                             {WM_STYLECHANGED, Sent | WParam, static_cast<WPARAM>(GWL_STYLE)}},
                            "GWL_STYLE"));
    EXPECT_EQ(changing.styleOld, before);
    EXPECT_EQ(changing.styleNew, before | WS_BORDER);
    EXPECT_EQ(changed.styleNew, before | WS_BORDER | WS_TABSTOP);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)), before | WS_BORDER | WS_TABSTOP);
    // Top-level windows keep WS_CLIPSIBLINGS.
    SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(WS_POPUP));
    EXPECT_TRUE(GetWindowLongA(hwnd, GWL_STYLE) & WS_CLIPSIBLINGS);
}

LRESULT subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto previous = reinterpret_cast<WNDPROC>(GetPropA(hwnd, "OldProc"));
    if (msg == WM_USER + 1) {
        return 42;
    }
    return CallWindowProcA(previous, hwnd, msg, wParam, lParam);
}

TEST_F(WindowTest, Subclassing) {
    HWND hwnd = create(WS_POPUP);
    LONG_PTR old = SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclassProc));
    EXPECT_EQ(old, reinterpret_cast<LONG_PTR>(&kvtest::MsgRecorder::windowProc));
    SetPropA(hwnd, "OldProc", reinterpret_cast<HANDLE>(old));
    rec.clear();
    EXPECT_EQ(SendMessageA(hwnd, WM_USER + 1, 0, 0), 42);
    EXPECT_TRUE(rec.log().empty());
    SendMessageA(hwnd, WM_USER + 2, 3, 4);
    EXPECT_TRUE(rec.matches({{WM_USER + 2, Sent | WParam | LParam, 3, 4}}, "forwarded"));
    // 32-bit calls cannot carry a procedure on 64-bit Windows.
    SetLastError(0);
    EXPECT_EQ(GetWindowLongA(hwnd, GWLP_WNDPROC), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
}

TEST_F(WindowTest, WindowValues) {
    HWND parent = create(WS_POPUP);
    HWND hwnd = create(WS_CHILD, parent, 33);
    EXPECT_EQ(GetDlgCtrlID(hwnd), 33);
    EXPECT_EQ(SetWindowLongPtrA(hwnd, GWLP_ID, 44), 33);
    EXPECT_EQ(GetDlgItem(parent, 44), hwnd);
    EXPECT_EQ(SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0x1234), 0);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_USERDATA), 0x1234);
    SetLastError(0);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, -1000), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
}

TEST_F(WindowTest, Properties) {
    HWND hwnd = create(WS_POPUP);
    auto value = [](int v) { return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(v)); };
    EXPECT_TRUE(SetPropA(hwnd, "Name", value(1)));
    EXPECT_EQ(GetPropA(hwnd, "NAME"), value(1));
    EXPECT_TRUE(SetPropA(hwnd, "name", value(2)));
    EXPECT_EQ(GetPropA(hwnd, "Name"), value(2));
    EXPECT_TRUE(SetPropA(hwnd, MAKEINTATOM(0x1234), value(3)));
    EXPECT_EQ(GetPropA(hwnd, MAKEINTATOM(0x1234)), value(3));
    EXPECT_EQ(RemovePropA(hwnd, "Name"), value(2));
    EXPECT_EQ(GetPropA(hwnd, "Name"), nullptr);
    EXPECT_EQ(RemovePropA(hwnd, "Name"), nullptr);
}

TEST_F(WindowTest, DialogItemText) {
    HWND dlg = create(WS_POPUP);
    HWND item = create(WS_CHILD, dlg, 100);
    EXPECT_TRUE(SetDlgItemTextA(dlg, 100, "abc"));
    char buffer[8] = "zzz";
    EXPECT_EQ(GetDlgItemTextA(dlg, 100, buffer, sizeof(buffer)), 3u);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(SendDlgItemMessageA(dlg, 100, WM_GETTEXTLENGTH, 0, 0), 3);
    // A missing item leaves an empty string.
    SetLastError(0);
    EXPECT_EQ(GetDlgItemTextA(dlg, 101, buffer, sizeof(buffer)), 0u);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(GetDlgItem(dlg, 101), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CONTROL_ID_NOT_FOUND));
    EXPECT_EQ(GetDlgItem(dlg, 100), item);
}

TEST_F(WindowTest, GetDlgItemIntRules) {
    HWND dlg = create(WS_POPUP);
    create(WS_CHILD, dlg, 1);
    struct Case {
        const char* text;
        BOOL isSigned;
        UINT value;
        BOOL translated;
    };
    const Case cases[] = {
        {"42", FALSE, 42, TRUE},
        {"  42  ", FALSE, 42, TRUE},
        {"-42", TRUE, static_cast<UINT>(-42), TRUE},
        {"-42", FALSE, 0, FALSE},
        {"+7", TRUE, 7, TRUE},
        {"4294967295", FALSE, 4294967295u, TRUE},
        {"4294967296", FALSE, 0, FALSE},
        {"2147483647", TRUE, 2147483647u, TRUE},
        {"2147483648", TRUE, 0, FALSE},
        {"-2147483648", TRUE, 0x80000000u, TRUE},
        {"-2147483649", TRUE, 0, FALSE},
        {"12abc", FALSE, 0, FALSE},
        {"abc", TRUE, 0, FALSE},
        {"", FALSE, 0, FALSE},
        {"-", TRUE, 0, FALSE},
        {"0", TRUE, 0, TRUE},
    };
    for (const auto& c : cases) {
        SetDlgItemTextA(dlg, 1, c.text);
        BOOL translated = 2;
        EXPECT_EQ(GetDlgItemInt(dlg, 1, &translated, c.isSigned), c.value)
            << "\"" << c.text << "\" signed=" << c.isSigned;
        EXPECT_EQ(translated, c.translated) << "\"" << c.text << "\" signed=" << c.isSigned;
    }
    BOOL translated = TRUE;
    EXPECT_EQ(GetDlgItemInt(dlg, 2, &translated, FALSE), 0u);
    EXPECT_FALSE(translated);

    char text[16];
    SetDlgItemInt(dlg, 1, static_cast<UINT>(-5), TRUE);
    GetDlgItemTextA(dlg, 1, text, sizeof(text));
    EXPECT_STREQ(text, "-5");
    SetDlgItemInt(dlg, 1, static_cast<UINT>(-5), FALSE);
    GetDlgItemTextA(dlg, 1, text, sizeof(text));
    EXPECT_STREQ(text, "4294967291");
}

TEST_F(WindowTest, ClassRegistration) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "KvSample";
    wc.cbWndExtra = 8;
    ATOM atom = RegisterClassA(&wc);
    ASSERT_NE(atom, 0);
    EXPECT_GE(atom, 0xC000);
    SetLastError(0);
    wc.lpszClassName = "KVSAMPLE";
    EXPECT_EQ(RegisterClassA(&wc), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));

    WNDCLASSEXA info{};
    EXPECT_EQ(GetClassInfoExA(nullptr, "kvsample", &info), static_cast<BOOL>(atom));
    EXPECT_EQ(info.cbWndExtra, 8);
    EXPECT_EQ(info.lpfnWndProc, &DefWindowProcA);

    // By atom, and with the name as registered.
    HWND hwnd = CreateWindowExA(0, MAKEINTATOM(atom), "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    char name[5];
    EXPECT_EQ(GetClassNameA(hwnd, name, sizeof(name)), 4);
    EXPECT_STREQ(name, "KvSa");
    EXPECT_EQ(GetClassLongPtrA(hwnd, GCW_ATOM), atom);

    SetLastError(0);
    EXPECT_FALSE(UnregisterClassA("KvSample", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_HAS_WINDOWS));
    DestroyWindow(hwnd);
    EXPECT_TRUE(UnregisterClassA("KvSample", nullptr));
    SetLastError(0);
    EXPECT_FALSE(GetClassInfoExA(nullptr, "KvSample", &info));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_DOES_NOT_EXIST));
}

TEST_F(WindowTest, ClassRegistrationRefusesBadInput) {
    WNDCLASSEXA ex{};
    ex.cbSize = sizeof(ex) - 1;
    ex.lpfnWndProc = DefWindowProcA;
    ex.lpszClassName = "KvBadSize";
    SetLastError(0);
    EXPECT_EQ(RegisterClassExA(&ex), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "KvNegative";
    wc.cbWndExtra = -1;
    EXPECT_EQ(RegisterClassA(&wc), 0);
    EXPECT_EQ(RegisterClassA(nullptr), 0);
    EXPECT_EQ(RegisterClassExA(nullptr), 0);
}

TEST_F(WindowTest, WindowOfAnotherThreadCannotBeDestroyed) {
    HWND hwnd = create(WS_POPUP);
    BOOL destroyed = TRUE;
    DWORD error = 0;
    std::thread([&] {
        destroyed = DestroyWindow(hwnd);
        error = GetLastError();
    }).join();
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(IsWindow(hwnd));
}

}  // namespace
