// The tooltip control: tools and their texts (fixed, string resource, asked of the owner
// with TTN_GETDISPINFOA), the headless hover that shows a tip, and the tool messages.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "WindowFixture.h"
#include "kvwin32/commctrl.h"
#include "kvwin32/resources.h"
#include "kvwin32/winuser.h"

namespace {

// A module of our own holding one string table block: string 101 "From resource".
constexpr WORD kStringId = 101;
HMODULE fakeModule() {
    return reinterpret_cast<HMODULE>(static_cast<ULONG_PTR>(0x7e5a0000));
}

// Block (101 >> 4) + 1 holds strings 96..111, each a length and UTF-16 units.
std::vector<BYTE> stringBlock() {
    std::vector<BYTE> bytes;
    auto put = [&](WORD w) {
        bytes.push_back(static_cast<BYTE>(w & 0xFF));
        bytes.push_back(static_cast<BYTE>(w >> 8));
    };
    const std::string text = "From resource";
    for (int i = 0; i < 16; ++i) {
        if (i == (kStringId & 15)) {
            put(static_cast<WORD>(text.size()));
            for (char c : text) {
                put(static_cast<WORD>(c));
            }
        } else {
            put(0);
        }
    }
    while (bytes.size() % 4 != 0) {
        bytes.push_back(0);
    }
    return bytes;
}

// How the owner answers TTN_GETDISPINFOA in a test.
enum class Answer { CopyIntoBuffer, PointElsewhere, ResourceId, Nothing };

class TooltipTest : public kvtest::WindowFixture {
  protected:
    void SetUp() override {
        block = stringBlock();
        entry = KvResourceEntry{{nullptr, 6},
                                {nullptr, (kStringId >> 4) + 1},
                                0,
                                block.data(),
                                static_cast<DWORD>(block.size())};
        directory = KvResourceDirectory{KV_RESOURCE_DIRECTORY_MAGIC, KV_RESOURCE_DIRECTORY_VERSION,
                                        1, &entry};
        ASSERT_TRUE(KvRegisterResourceDirectory(fakeModule(), &directory));

        owner = create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, 0, 0, 0, 300, 200,
                       kvtest::kRecorderParentClass);
        button = create(WS_CHILD | WS_VISIBLE, owner, 3, 10, 10, 80, 24);
        tip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                              owner, nullptr, nullptr, nullptr);
        ASSERT_NE(tip, nullptr);
        rec.setAnswer([this](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
            if (msg != WM_NOTIFY) {
                return std::nullopt;
            }
            auto* hdr = reinterpret_cast<NMHDR*>(lParam);
            notes.push_back({hdr->code, hdr->idFrom});
            if (hdr->code == TTN_GETDISPINFOA) {
                auto* di = reinterpret_cast<NMTTDISPINFOA*>(lParam);
                static const char* const kNames[] = {"", "New", "Delete", "Move Up", "Move Down"};
                static char kElsewhere[] = "Pointed at";
                switch (answer) {
                    case Answer::CopyIntoBuffer:
                        std::strcpy(di->szText, kNames[hdr->idFrom % 5]);
                        break;
                    case Answer::PointElsewhere:
                        di->lpszText = kElsewhere;
                        break;
                    case Answer::ResourceId:
                        di->hinst = fakeModule();
                        di->lpszText = MAKEINTRESOURCEA(kStringId);
                        break;
                    case Answer::Nothing:
                        break;
                }
                return TRUE;
            }
            return std::nullopt;
        });
    }
    void TearDown() override {
        KvRegisterResourceDirectory(fakeModule(), nullptr);
        kvtest::WindowFixture::TearDown();
    }

    BOOL addTool(UINT flags, UINT_PTR id, LPSTR text, RECT rect = {}, HINSTANCE inst = nullptr) {
        TOOLINFOA ti{};
        ti.cbSize = sizeof(ti);
        ti.uFlags = flags;
        ti.hwnd = owner;
        ti.uId = id;
        ti.rect = rect;
        ti.hinst = inst;
        ti.lpszText = text;
        return static_cast<BOOL>(SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)));
    }

    std::vector<std::pair<UINT, UINT_PTR>> notes;  // WM_NOTIFY codes and ids the owner heard
    Answer answer = Answer::CopyIntoBuffer;
    std::vector<BYTE> block;
    KvResourceEntry entry{};
    KvResourceDirectory directory{};
    HWND owner = nullptr;
    HWND button = nullptr;
    HWND tip = nullptr;
};

TEST_F(TooltipTest, AFixedTextShowsOverItsWindow) {
    char text[] = "Browse for a folder";
    ASSERT_TRUE(addTool(TTF_IDISHWND | TTF_SUBCLASS, reinterpret_cast<UINT_PTR>(button), text));
    const auto shown = kvwin32::tooltipTextAt(button);
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(*shown, "Browse for a folder");
    EXPECT_EQ(kvwin32::tooltipShownText(tip), "Browse for a folder");
    char title[64] = {};
    GetWindowTextA(tip, title, sizeof(title));
    EXPECT_STREQ(title, "Browse for a folder");
    EXPECT_TRUE(IsWindowVisible(tip));
    kvwin32::popTooltips();
    EXPECT_FALSE(IsWindowVisible(tip));
    EXPECT_EQ(kvwin32::tooltipShownText(tip), "");
    const std::vector<std::pair<UINT, UINT_PTR>> expected = {
        {TTN_SHOW, reinterpret_cast<UINT_PTR>(button)},
        {TTN_POP, reinterpret_cast<UINT_PTR>(button)}};
    EXPECT_EQ(notes, expected);
}

TEST_F(TooltipTest, TextsComeFromEverySource) {
    struct Row {
        const char* name;
        LPSTR text;
        HINSTANCE instance;
        Answer answer;
        std::optional<std::string> expected;
    } rows[] = {
        {"string resource", MAKEINTRESOURCEA(kStringId), fakeModule(), Answer::Nothing,
         "From resource"},
        {"callback copied into szText", LPSTR_TEXTCALLBACKA, nullptr, Answer::CopyIntoBuffer,
         "Move Up"},
        {"callback pointing elsewhere", LPSTR_TEXTCALLBACKA, nullptr, Answer::PointElsewhere,
         "Pointed at"},
        {"callback naming a resource", LPSTR_TEXTCALLBACKA, nullptr, Answer::ResourceId,
         "From resource"},
        {"callback left empty: no tip", LPSTR_TEXTCALLBACKA, nullptr, Answer::Nothing,
         std::nullopt},
        {"missing resource: no tip", MAKEINTRESOURCEA(999), fakeModule(), Answer::Nothing,
         std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        answer = row.answer;
        ASSERT_TRUE(addTool(TTF_SUBCLASS, 3, row.text, RECT{0, 0, 50, 50}, row.instance));
        EXPECT_EQ(kvwin32::tooltipTextAt(owner, POINT{20, 20}), row.expected);
        kvwin32::popTooltips();
        TOOLINFOA ti{};
        ti.cbSize = sizeof(ti);
        ti.hwnd = owner;
        ti.uId = 3;
        SendMessageA(tip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
        EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 0);
    }
}

TEST_F(TooltipTest, ButtonBarToolsFollowTheirRectangles) {
    // Four callback tools with empty rectangles, placed later with TTM_NEWTOOLRECTA, as a
    // button bar lays them out when it is sized.
    for (UINT_PTR id = 1; id <= 4; ++id) {
        ASSERT_TRUE(addTool(TTF_SUBCLASS, id, LPSTR_TEXTCALLBACKA));
    }
    SendMessageA(tip, TTM_ACTIVATE, TRUE, 0);
    EXPECT_EQ(kvwin32::tooltipTextAt(owner, POINT{5, 5}), std::nullopt);
    for (int i = 0; i < 4; ++i) {
        TOOLINFOA ti{};
        ti.cbSize = sizeof(ti);
        ti.hwnd = owner;
        ti.uId = static_cast<UINT_PTR>(i + 1);
        ti.rect = RECT{100 + 22 * i, 0, 122 + 22 * i, 20};
        SendMessageA(tip, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&ti));
    }
    struct Row {
        int x;
        const char* expected;
    } rows[] = {{110, "New"}, {133, "Delete"}, {160, "Move Up"}, {187, "Move Down"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expected);
        notes.clear();
        EXPECT_EQ(kvwin32::tooltipTextAt(owner, POINT{row.x, 10}), row.expected);
        ASSERT_GE(notes.size(), 2u);
        EXPECT_EQ(notes[notes.size() - 2].first, TTN_GETDISPINFOA);
        EXPECT_EQ(notes.back().first, TTN_SHOW);
    }
    // Deactivated, the tooltip shows nothing.
    SendMessageA(tip, TTM_ACTIVATE, FALSE, 0);
    EXPECT_EQ(kvwin32::tooltipTextAt(owner, POINT{110, 10}), std::nullopt);
}

TEST_F(TooltipTest, ToolMessagesReadAndChangeTools) {
    char first[] = "First";
    char second[] = "Second tool text";
    ASSERT_TRUE(addTool(0, 1, first, RECT{0, 0, 10, 10}));
    ASSERT_TRUE(addTool(0, 2, second, RECT{10, 0, 20, 10}));
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 2);

    char buffer[80] = {};
    TOOLINFOA ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = owner;
    ti.uId = 2;
    ti.lpszText = buffer;
    EXPECT_EQ(SendMessageA(tip, TTM_GETTEXTA, 5, reinterpret_cast<LPARAM>(&ti)), 4);
    EXPECT_STREQ(buffer, "Seco");  // bounded by the size in wParam

    char updated[] = "Updated";
    ti.lpszText = updated;
    SendMessageA(tip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
    ti.lpszText = buffer;
    EXPECT_TRUE(SendMessageA(tip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&ti)));
    EXPECT_STREQ(buffer, "Updated");
    EXPECT_EQ(ti.rect.left, 10);

    TOOLINFOA enumerated{};
    enumerated.cbSize = sizeof(enumerated);
    EXPECT_TRUE(SendMessageA(tip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&enumerated)));
    EXPECT_EQ(enumerated.uId, 1u);
    EXPECT_FALSE(SendMessageA(tip, TTM_ENUMTOOLSA, 2, reinterpret_cast<LPARAM>(&enumerated)));

    TTHITTESTINFOA hit{};
    hit.hwnd = owner;
    hit.pt = POINT{15, 5};
    hit.ti.cbSize = sizeof(hit.ti);
    EXPECT_TRUE(SendMessageA(tip, TTM_HITTESTA, 0, reinterpret_cast<LPARAM>(&hit)));
    EXPECT_EQ(hit.ti.uId, 2u);
    hit.pt = POINT{50, 50};
    EXPECT_FALSE(SendMessageA(tip, TTM_HITTESTA, 0, reinterpret_cast<LPARAM>(&hit)));

    EXPECT_EQ(SendMessageA(tip, TTM_SETMAXTIPWIDTH, 0, 200), -1);
    EXPECT_EQ(SendMessageA(tip, TTM_GETMAXTIPWIDTH, 0, 0), 200);
}

TEST_F(TooltipTest, RelayedMovesChooseTheToolThatPopupShows) {
    char text[] = "Relayed";
    ASSERT_TRUE(addTool(0, 8, text, RECT{0, 0, 40, 40}));
    MSG move{owner, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10), 0, {}};
    SendMessageA(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
    SendMessageA(tip, TTM_POPUP, 0, 0);
    EXPECT_EQ(kvwin32::tooltipShownText(tip), "Relayed");
    MSG press{owner, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10), 0, {}};
    SendMessageA(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&press));
    EXPECT_EQ(kvwin32::tooltipShownText(tip), "");
}

TEST_F(TooltipTest, BadInputFailsQuietly) {
    TOOLINFOA tooSmall{};
    tooSmall.cbSize = 4;
    EXPECT_FALSE(SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tooSmall)));
    EXPECT_FALSE(SendMessageA(tip, TTM_ADDTOOLA, 0, 0));
    EXPECT_FALSE(SendMessageA(tip, TTM_GETTOOLINFOA, 0, 0));
    EXPECT_EQ(SendMessageA(tip, TTM_GETTEXTA, 0, 0), 0);
    EXPECT_EQ(SendMessageA(tip, TTM_RELAYEVENT, 0, 0), 0);
    EXPECT_EQ(kvwin32::tooltipTextAt(nullptr, POINT{0, 0}), std::nullopt);
    // A tool whose window is gone is not found and nothing breaks.
    ASSERT_TRUE(addTool(TTF_IDISHWND, reinterpret_cast<UINT_PTR>(button), LPSTR_TEXTCALLBACKA));
    DestroyWindow(button);
    EXPECT_EQ(kvwin32::tooltipTextAt(button), std::nullopt);
}

}  // namespace
