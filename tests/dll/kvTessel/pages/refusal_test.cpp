// Refuse: which box a refusal shows (string-table text with its parameter, catalog text with
// the caller's style or the icon of the message's type), that a catalog message without text
// still shows its box when the caller gave a style, and that the focus lands on the control.
#include <gtest/gtest.h>

#include <optional>

#include "../common/MessageFixture.h"
#include "pages/common/Refusal.h"
#include "resource.h"

namespace {

class RefuseTest : public kvtest::MessageFixture {
  protected:
    void SetUp() override {
        MessageFixture::SetUp();
        m_dialog = CreateWindowExA(0, "STATIC", "dialog", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                   200, 100, nullptr, nullptr, nullptr, nullptr);
        m_edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 50, 14,
                                 m_dialog, reinterpret_cast<HMENU>(kEditId), nullptr, nullptr);
        ASSERT_NE(m_edit, nullptr);
        m_other = CreateWindowExA(0, "BUTTON", "other", WS_CHILD | WS_VISIBLE, 0, 20, 50, 14,
                                  m_dialog, reinterpret_cast<HMENU>(2), nullptr, nullptr);
        SetFocus(m_other);
    }
    void TearDown() override {
        DestroyWindow(m_dialog);
        MessageFixture::TearDown();
    }

    static constexpr int kEditId = 1;
    HWND m_dialog = nullptr;
    HWND m_edit = nullptr;
    HWND m_other = nullptr;
};

struct BoxCase {
    const char* name;
    Refusal refusal;
    std::optional<const char*> text;  // none: no box at all
    kvwin32::BoxIcon icon;
};

TEST_F(RefuseTest, ShowsTheBoxOfEachKindOfMessage) {
    const BoxCase cases[] = {
        {"string-table text",
         {UINT{IDS_ENTER_DESIGN_FILE}, kEditId},
         "Please enter a design/circuit file name",
         kvwin32::BoxIcon::warning},
        {"string-table text with its parameter",
         {UINT{IDS_MC_RUNS_RANGE}, kEditId, 250},
         "The number of Monte Carlo runs must be between 1 and 250.",
         kvwin32::BoxIcon::warning},
        {"catalog text with the caller's style",
         {msg::enterProfileName, kEditId, {}, MB_ICONERROR | MB_OK},
         "Please enter a simulation profile name.",
         kvwin32::BoxIcon::error},
        {"catalog message without text: the box shows, empty",
         {CatalogMessage{"ZAZARIZ", 4999}, kEditId},
         "",
         kvwin32::BoxIcon::warning},
        {"catalog message left to its type",
         {msg::enterProfileName, kEditId, {}, 0},
         "Please enter a simulation profile name.",
         kvwin32::BoxIcon::warning},
        {"catalog message left to its type without text: no box",
         {CatalogMessage{"ZAZARIZ", 4999}, kEditId, {}, 0},
         std::nullopt,
         kvwin32::BoxIcon::none},
    };
    for (const BoxCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t before = boxes().size();
        SetFocus(m_other);
        EXPECT_EQ(Refuse(*CWnd::FromHandle(m_dialog), c.refusal), FALSE);
        EXPECT_EQ(GetFocus(), m_edit);
        if (!c.text) {
            EXPECT_EQ(boxes().size(), before);
            continue;
        }
        ASSERT_EQ(boxes().size(), before + 1);
        EXPECT_EQ(boxes().back()->text, *c.text);
        EXPECT_EQ(boxes().back()->icon, c.icon);
    }
}

TEST_F(RefuseTest, WithoutAControlTheFocusStays) {
    EXPECT_EQ(Refuse(*CWnd::FromHandle(m_dialog), {UINT{IDS_ENTER_DESIGN_FILE}}), FALSE);
    EXPECT_EQ(GetFocus(), m_other);
    ASSERT_EQ(boxes().size(), 1U);
}

}  // namespace
