// Recording windows and the comparison of message sequences (see MsgSequence.h).
#include "MsgSequence.h"

#include <cstdio>
#include <cstring>
#include <sstream>

namespace kvtest {
namespace {

// The recorder of the calling thread (tests run their windows on one thread).
thread_local MsgRecorder* t_recorder = nullptr;

struct MessageName {
    UINT message;
    const char* name;
};

constexpr MessageName kNames[] = {
    {WM_NULL, "WM_NULL"},
    {WM_CREATE, "WM_CREATE"},
    {WM_DESTROY, "WM_DESTROY"},
    {WM_MOVE, "WM_MOVE"},
    {WM_SIZE, "WM_SIZE"},
    {WM_ACTIVATE, "WM_ACTIVATE"},
    {WM_SETFOCUS, "WM_SETFOCUS"},
    {WM_KILLFOCUS, "WM_KILLFOCUS"},
    {WM_ENABLE, "WM_ENABLE"},
    {WM_SETTEXT, "WM_SETTEXT"},
    {WM_GETTEXT, "WM_GETTEXT"},
    {WM_GETTEXTLENGTH, "WM_GETTEXTLENGTH"},
    {WM_PAINT, "WM_PAINT"},
    {WM_CLOSE, "WM_CLOSE"},
    {WM_QUIT, "WM_QUIT"},
    {WM_ERASEBKGND, "WM_ERASEBKGND"},
    {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
    {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"},
    {WM_CANCELMODE, "WM_CANCELMODE"},
    {WM_CHILDACTIVATE, "WM_CHILDACTIVATE"},
    {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"},
    {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
    {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
    {WM_NOTIFY, "WM_NOTIFY"},
    {WM_STYLECHANGING, "WM_STYLECHANGING"},
    {WM_STYLECHANGED, "WM_STYLECHANGED"},
    {WM_NCCREATE, "WM_NCCREATE"},
    {WM_NCDESTROY, "WM_NCDESTROY"},
    {WM_NCCALCSIZE, "WM_NCCALCSIZE"},
    {WM_NCACTIVATE, "WM_NCACTIVATE"},
    {WM_KEYDOWN, "WM_KEYDOWN"},
    {WM_KEYUP, "WM_KEYUP"},
    {WM_CHAR, "WM_CHAR"},
    {WM_COMMAND, "WM_COMMAND"},
    {WM_PARENTNOTIFY, "WM_PARENTNOTIFY"},
    {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"},
    {WM_USER, "WM_USER"},
};

std::string describeFlags(unsigned flags) {
    std::string text;
    auto add = [&](unsigned bit, const char* name) {
        if (flags & bit) {
            text += text.empty() ? "" : "|";
            text += name;
        }
    };
    add(Sent, "sent");
    add(Posted, "posted");
    add(Parent, "parent");
    add(DefWinProc, "defwinproc");
    add(Optional, "optional");
    return text;
}

std::string describe(const ExpectedMsg& e) {
    std::ostringstream out;
    out << messageName(e.message) << " " << describeFlags(e.flags);
    if (e.flags & WParam) {
        out << " w=" << std::hex << e.wParam;
    }
    if (e.flags & LParam) {
        out << " l=" << std::hex << e.lParam;
    }
    return out.str();
}

std::string describe(const RecordedMsg& a) {
    std::ostringstream out;
    out << messageName(a.message) << " " << describeFlags(a.flags) << " w=" << std::hex << a.wParam
        << " l=" << a.lParam << " hwnd=" << a.hwnd;
    return out.str();
}

constexpr unsigned kHowMask = Sent | Posted | Parent | DefWinProc;

bool entryMatches(const ExpectedMsg& e, const RecordedMsg& a) {
    return e.message == a.message && (e.flags & kHowMask) == (a.flags & kHowMask) &&
           (!(e.flags & WParam) || e.wParam == a.wParam) &&
           (!(e.flags & LParam) || e.lParam == a.lParam);
}

}  // namespace

std::string messageName(UINT message) {
    for (const auto& n : kNames) {
        if (n.message == message) {
            return n.name;
        }
    }
    char buffer[16];
    std::snprintf(buffer, sizeof(buffer), "0x%04x", message);
    return buffer;
}

::testing::AssertionResult compareSequence(const std::vector<RecordedMsg>& actual,
                                           const std::vector<ExpectedMsg>& expected,
                                           const std::string& context) {
    size_t e = 0;
    size_t a = 0;
    bool ok = true;
    while (e < expected.size() || a < actual.size()) {
        if (e < expected.size() && a < actual.size() && entryMatches(expected[e], actual[a])) {
            ++e;
            ++a;
        } else if (e < expected.size() && (expected[e].flags & Optional)) {
            ++e;
        } else {
            ok = false;
            break;
        }
    }
    if (ok) {
        return ::testing::AssertionSuccess();
    }
    // Side by side, with the row where the sequences part marked.
    std::ostringstream out;
    out << context << ": message sequence differs at expected row " << e << ", actual row " << a
        << "\n";
    size_t rows = std::max(expected.size(), actual.size());
    for (size_t i = 0; i < rows; ++i) {
        std::string left = i < expected.size() ? describe(expected[i]) : "";
        std::string right = i < actual.size() ? describe(actual[i]) : "";
        char line[256];
        std::snprintf(line, sizeof(line), "%s %3zu  %-44s | %s\n", (i == e || i == a) ? ">" : " ",
                      i, left.c_str(), right.c_str());
        out << line;
    }
    return ::testing::AssertionFailure() << out.str();
}

MsgRecorder::MsgRecorder() : m_previous(t_recorder) {
    t_recorder = this;
    for (const char* name : {kRecorderClass, kRecorderParentClass}) {
        WNDCLASSA existing{};
        if (GetClassInfoA(nullptr, name, &existing)) {
            continue;
        }
        WNDCLASSA wc{};
        wc.lpfnWndProc = &MsgRecorder::windowProc;
        wc.lpszClassName = name;
        wc.cbWndExtra = static_cast<int>(sizeof(LONG_PTR));
        RegisterClassA(&wc);
    }
}

MsgRecorder::~MsgRecorder() {
    t_recorder = m_previous;
}

void MsgRecorder::dispatchPosted() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_PAINT) {
            // WM_PAINT stays due until validated; one dispatch is enough to record it.
            m_dispatching = &msg;
            DispatchMessageA(&msg);
            m_dispatching = nullptr;
            ValidateRect(msg.hwnd, nullptr);
            continue;
        }
        m_dispatching = &msg;
        DispatchMessageA(&msg);
        m_dispatching = nullptr;
    }
}

::testing::AssertionResult MsgRecorder::matches(const std::vector<ExpectedMsg>& expected,
                                                const std::string& context) const {
    return compareSequence(m_log, expected, context);
}

::testing::AssertionResult MsgRecorder::matchesFor(HWND hwnd,
                                                   const std::vector<ExpectedMsg>& expected,
                                                   const std::string& context) const {
    std::vector<RecordedMsg> mine;
    for (const auto& r : m_log) {
        if (r.hwnd == hwnd) {
            mine.push_back(r);
        }
    }
    return compareSequence(mine, expected, context);
}

LRESULT MsgRecorder::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (t_recorder == nullptr) {
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    return t_recorder->receive(hwnd, msg, wParam, lParam);
}

LRESULT MsgRecorder::receive(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (m_recording) {
        bool posted = m_dispatching && m_dispatching->hwnd == hwnd &&
                      m_dispatching->message == msg && m_dispatching->wParam == wParam &&
                      m_dispatching->lParam == lParam;
        unsigned flags = posted ? Posted : Sent;
        if (m_defProcDepth > 0 && !posted) {
            flags |= DefWinProc;
        }
        char className[32] = {};
        GetClassNameA(hwnd, className, sizeof(className));
        if (std::strcmp(className, kRecorderParentClass) == 0) {
            flags |= Parent;
        }
        m_log.push_back({hwnd, msg, wParam, lParam, flags});
        if (posted) {
            m_dispatching = nullptr;
        }
    }
    if (m_answer) {
        if (auto answer = m_answer(hwnd, msg, wParam, lParam)) {
            return *answer;
        }
    }
    ++m_defProcDepth;
    LRESULT result = DefWindowProcA(hwnd, msg, wParam, lParam);
    --m_defProcDepth;
    return result;
}

}  // namespace kvtest
