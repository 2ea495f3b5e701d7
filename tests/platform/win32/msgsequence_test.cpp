// The message-sequence comparison itself: what it accepts and what it reports.
#include <gtest/gtest.h>

#include "MsgSequence.h"

namespace {

using kvtest::ExpectedMsg;
using kvtest::RecordedMsg;

TEST(MsgSequence, Comparison) {
    const std::vector<RecordedMsg> actual = {
        {nullptr, WM_NCCREATE, 0, 0, kvtest::Sent},
        {nullptr, WM_CREATE, 0, 0, kvtest::Sent},
        {nullptr, WM_MOVE, 0, 5, kvtest::Sent | kvtest::DefWinProc},
    };
    struct Case {
        const char* name;
        std::vector<ExpectedMsg> expected;
        bool matches;
    };
    const Case cases[] = {
        {"same",
         {{WM_NCCREATE, kvtest::Sent},
          {WM_CREATE, kvtest::Sent},
          {WM_MOVE, kvtest::Sent | kvtest::DefWinProc}},
         true},
        {"optional entries may be missing",
         {{WM_NCCREATE, kvtest::Sent},
          {WM_SIZE, kvtest::Sent | kvtest::Optional},
          {WM_CREATE, kvtest::Sent},
          {WM_MOVE, kvtest::Sent | kvtest::DefWinProc | kvtest::LParam, 0, 5},
          {WM_SIZE, kvtest::Sent | kvtest::Optional}},
         true},
        {"lParam differs",
         {{WM_NCCREATE, kvtest::Sent},
          {WM_CREATE, kvtest::Sent},
          {WM_MOVE, kvtest::Sent | kvtest::DefWinProc | kvtest::LParam, 0, 6}},
         false},
        {"defwinproc flag differs",
         {{WM_NCCREATE, kvtest::Sent}, {WM_CREATE, kvtest::Sent}, {WM_MOVE, kvtest::Sent}},
         false},
        {"message missing", {{WM_NCCREATE, kvtest::Sent}, {WM_CREATE, kvtest::Sent}}, false},
        {"message extra",
         {{WM_NCCREATE, kvtest::Sent},
          {WM_CREATE, kvtest::Sent},
          {WM_MOVE, kvtest::Sent | kvtest::DefWinProc},
          {WM_SIZE, kvtest::Sent}},
         false},
        {"posted is not sent",
         {{WM_NCCREATE, kvtest::Posted},
          {WM_CREATE, kvtest::Sent},
          {WM_MOVE, kvtest::Sent | kvtest::DefWinProc}},
         false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(static_cast<bool>(kvtest::compareSequence(actual, c.expected, c.name)), c.matches)
            << c.name;
    }
    // A mismatch shows both sides by name.
    auto result = kvtest::compareSequence(actual, {{WM_DESTROY, kvtest::Sent}}, "report");
    std::string text = result.message();
    EXPECT_NE(text.find("WM_DESTROY"), std::string::npos);
    EXPECT_NE(text.find("WM_NCCREATE"), std::string::npos);
    EXPECT_EQ(kvtest::messageName(0x7777), "0x7777");
}

}  // namespace
