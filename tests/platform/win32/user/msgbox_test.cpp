// Message boxes: style checks, the default answer of each button set, queued answers, and
// what the transcript records of each box.
#include <gtest/gtest.h>

#include "kvwin32/desktop.h"
#include "kvwin32/msgbox_style.h"
#include "kvwin32/styles.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winuser_msgbox.h"

namespace {

using kvwin32::BoxButtons;
using kvwin32::BoxIcon;

// Makes a scripted desktop current for each test and puts the previous one back.
class MessageBoxTest : public ::testing::Test {
  protected:
    MessageBoxTest() : m_scope(std::make_unique<kvwin32::ScriptedDesktop>()) {}
    kvwin32::ScriptedDesktop& scripted() {
        return static_cast<kvwin32::ScriptedDesktop&>(kvwin32::desktop());
    }
    const kvwin32::TranscriptEntry* lastBox() {
        return kvwin32::desktop().transcript().last(kvwin32::TranscriptKind::messageBox);
    }

    kvwin32::DesktopScope m_scope;
};

struct StyleRow {
    UINT style;
    bool valid;
    const char* icon;
    const char* buttons;
    int defaultAnswer;
};

const StyleRow kStyleRows[] = {
    {MB_OK, true, "none", "OK", IDOK},
    {MB_OKCANCEL | MB_ICONQUESTION, true, "question", "OKCancel", IDOK},
    {MB_OKCANCEL | MB_DEFBUTTON2, true, "none", "OKCancel", IDCANCEL},
    {MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, true, "question", "YesNo", IDNO},
    {MB_YESNOCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON3, true, "warning", "YesNoCancel", IDCANCEL},
    {MB_RETRYCANCEL | MB_ICONHAND, true, "error", "RetryCancel", IDRETRY},
    {MB_ABORTRETRYIGNORE | MB_ICONINFORMATION | MB_DEFBUTTON3, true, "information",
     "AbortRetryIgnore", IDIGNORE},
    {MB_CANCELTRYCONTINUE | MB_DEFBUTTON2, true, "none", "CancelTryContinue", IDTRYAGAIN},
    // A default past the last button is the first one.
    {MB_OK | MB_DEFBUTTON3, true, "none", "OK", IDOK},
    {MB_YESNO | MB_DEFBUTTON4, true, "none", "YesNo", IDYES},
    // Styles no box has.
    {0x7, false, "", "", 0},
    {0xF, false, "", "", 0},
    {MB_OK | 0x50, false, "", "", 0},
    {MB_OK | MB_USERICON, false, "", "", 0},
    {MB_OK | MB_SYSTEMMODAL | MB_TASKMODAL, false, "", "", 0},
};

TEST_F(MessageBoxTest, StylesAnswerTheirDefaultButtonWhenNothingIsQueued) {
    for (const StyleRow& row : kStyleRows) {
        SCOPED_TRACE(testing::Message() << "style 0x" << std::hex << row.style);
        SetLastError(0);
        int answer = MessageBoxA(nullptr, "text", "caption", row.style);
        if (!row.valid) {
            EXPECT_EQ(answer, 0);
            EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MSGBOX_STYLE));
            continue;
        }
        EXPECT_EQ(answer, row.defaultAnswer);
        const kvwin32::TranscriptEntry* box = lastBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(kvwin32::boxIconName(box->icon), row.icon);
        EXPECT_EQ(kvwin32::boxButtonsName(box->buttons), row.buttons);
        EXPECT_FALSE(box->answered);
        EXPECT_NE(box->line.find("(unanswered)"), std::string::npos) << box->line;
    }
    // Invalid styles show nothing.
    EXPECT_EQ(kvwin32::desktop().transcript().entriesOf(kvwin32::TranscriptKind::messageBox).size(),
              10u);
}

TEST_F(MessageBoxTest, QueuedAnswersAreTakenInOrder) {
    scripted().queueBoxAnswer(IDNO);
    scripted().queueBoxAnswer(IDCANCEL);
    EXPECT_EQ(MessageBoxA(nullptr, "Save?", "Title", MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);
    EXPECT_TRUE(lastBox()->answered);
    EXPECT_EQ(MessageBoxA(nullptr, "Go on?", "Title", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(lastBox()->line, "box none OKCancel \"Title\" \"Go on?\" -> Cancel");
    EXPECT_EQ(scripted().pendingBoxAnswers(), 0u);
}

TEST_F(MessageBoxTest, AnAnswerThatFitsNoButtonTakesTheDefaultAndSaysSo) {
    scripted().queueBoxAnswer(IDYES);
    EXPECT_EQ(MessageBoxA(nullptr, "Done.", "Run", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
    const kvwin32::TranscriptEntry* box = lastBox();
    EXPECT_FALSE(box->answered);
    EXPECT_NE(box->line.find("queued Yes does not fit OKCancel"), std::string::npos) << box->line;
    // The mismatched answer is used up.
    EXPECT_EQ(scripted().pendingBoxAnswers(), 0u);
}

TEST_F(MessageBoxTest, NullCaptionIsErrorAndTextsAreQuoted) {
    EXPECT_EQ(MessageBoxA(nullptr, "Line \"one\"\nLine\ttwo", nullptr, MB_ICONHAND), IDOK);
    const kvwin32::TranscriptEntry* box = lastBox();
    EXPECT_EQ(box->caption, "Error");
    EXPECT_EQ(box->text, "Line \"one\"\nLine\ttwo");
    EXPECT_EQ(box->line,
              "box error OK \"Error\" \"Line \\\"one\\\"\\nLine\\ttwo\" -> OK (unanswered)");
    EXPECT_EQ(MessageBoxA(nullptr, nullptr, "", MB_OK), IDOK);
    EXPECT_EQ(lastBox()->text, "");
}

TEST_F(MessageBoxTest, MessageBoxExIgnoresTheLanguage) {
    scripted().queueBoxAnswer(IDRETRY);
    EXPECT_EQ(MessageBoxExA(nullptr, "t", "c", MB_RETRYCANCEL, 0x0409), IDRETRY);
    EXPECT_TRUE(MessageBeep(MB_ICONHAND));
}

TEST(MessageBoxNames, AnswerNamesRoundTripWithoutCase) {
    const int ids[] = {IDOK, IDCANCEL, IDABORT, IDRETRY,    IDIGNORE,  IDYES,
                       IDNO, IDCLOSE,  IDHELP,  IDTRYAGAIN, IDCONTINUE};
    for (int id : ids) {
        std::string name(kvwin32::answerName(id));
        EXPECT_EQ(kvwin32::answerFromName(name), id) << name;
        for (char& c : name) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        EXPECT_EQ(kvwin32::answerFromName(name), id) << name;
    }
    EXPECT_EQ(kvwin32::answerFromName("Maybe"), std::nullopt);
    EXPECT_EQ(kvwin32::answerName(99), "?");
}

TEST(MessageBoxNames, CancelAnswerOnlyForBoxesThatCanBeClosed) {
    EXPECT_EQ(kvwin32::boxCancelAnswer(MB_OK), IDOK);
    EXPECT_EQ(kvwin32::boxCancelAnswer(MB_YESNOCANCEL), IDCANCEL);
    EXPECT_EQ(kvwin32::boxCancelAnswer(MB_YESNO), std::nullopt);
    EXPECT_EQ(kvwin32::boxCancelAnswer(MB_ABORTRETRYIGNORE), std::nullopt);
}

TEST(MessageBoxNoneDesktop, TakesTheDefaultButton) {
    kvwin32::DesktopScope scope(nullptr);
    EXPECT_EQ(MessageBoxA(nullptr, "Overwrite?", "Save", MB_YESNO | MB_DEFBUTTON2), IDNO);
    const kvwin32::TranscriptEntry* box =
        kvwin32::desktop().transcript().last(kvwin32::TranscriptKind::messageBox);
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->answered);
}

}  // namespace
