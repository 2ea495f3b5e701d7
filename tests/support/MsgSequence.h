// Message-sequence testing: windows of the recording classes log every message they receive
// ({hwnd, message, wParam, lParam} with how it arrived), and a test compares the log with a
// table of the messages Windows sends, printing both side by side when they differ.
//
//   kvtest::MsgRecorder rec;
//   HWND w = CreateWindowExA(0, kvtest::kRecorderClass, ...);
//   EXPECT_TRUE(rec.matches({{WM_NCCREATE, kvtest::Sent}, ...}, "create"));
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "kvwin32/winuser.h"

namespace kvtest {

// How a message reached the window, and which parts of an expected entry are checked.
enum MsgFlag : unsigned {
    Sent = 0x01,        // through SendMessage or a direct call of the window system
    Posted = 0x02,      // dispatched from the queue by MsgRecorder::dispatchPosted
    Parent = 0x04,      // received by a window of the parent recording class
    WParam = 0x08,      // the expected wParam is compared
    LParam = 0x10,      // the expected lParam is compared
    DefWinProc = 0x20,  // sent while a recording window was inside DefWindowProcA
    Optional = 0x40,    // the entry may be missing
};

// One line of an expected sequence.
struct ExpectedMsg {
    UINT message;
    unsigned flags;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// One message a recording window received.
struct RecordedMsg {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    unsigned flags;  // Sent or Posted, with Parent and DefWinProc as they apply
};

// Class whose windows record with no extra flag, and the class of recording parents.
inline constexpr const char* kRecorderClass = "KvRecorder";
inline constexpr const char* kRecorderParentClass = "KvRecorderParent";

// The calling thread's recorder while it lives: registers the recording classes, collects
// what their windows receive, and lets a test answer messages instead of DefWindowProcA.
class MsgRecorder {
  public:
    // Answers a message for a recording window, or nothing to pass it to DefWindowProcA.
    using Answer = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

    MsgRecorder();
    ~MsgRecorder();
    MsgRecorder(const MsgRecorder&) = delete;
    MsgRecorder& operator=(const MsgRecorder&) = delete;

    // What was recorded since the last clear.
    const std::vector<RecordedMsg>& log() const { return m_log; }
    void clear() { m_log.clear(); }
    // Installs the answer of every recording window (empty: DefWindowProcA answers all).
    void setAnswer(Answer answer) { m_answer = std::move(answer); }
    // Records nothing while false.
    void setRecording(bool on) { m_recording = on; }
    // Dispatches every posted message of the thread, recording them as posted.
    void dispatchPosted();
    // Compares the log with the expected sequence; the failure message shows both.
    ::testing::AssertionResult matches(const std::vector<ExpectedMsg>& expected,
                                       const std::string& context) const;
    // The same for the messages one window received.
    ::testing::AssertionResult matchesFor(HWND hwnd, const std::vector<ExpectedMsg>& expected,
                                          const std::string& context) const;

    // The window procedure of both recording classes.
    static LRESULT windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  private:
    LRESULT receive(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    std::vector<RecordedMsg> m_log;      // messages received, oldest first
    Answer m_answer;                     // the test's own answers
    bool m_recording = true;             // whether receive() logs
    int m_defProcDepth = 0;              // nesting of DefWindowProcA calls of recording windows
    const MSG* m_dispatching = nullptr;  // the posted message being dispatched
    MsgRecorder* m_previous = nullptr;   // the recorder this one replaced on the thread
};

// A readable name of a message ("WM_CREATE", or the number in hex).
std::string messageName(UINT message);

// Compares a log with an expected sequence (used by MsgRecorder; exposed for tests of it).
::testing::AssertionResult compareSequence(const std::vector<RecordedMsg>& actual,
                                           const std::vector<ExpectedMsg>& expected,
                                           const std::string& context);

}  // namespace kvtest
