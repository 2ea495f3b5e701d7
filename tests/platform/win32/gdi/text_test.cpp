// Text: the built-in font's glyphs and metrics, TextOutA/ExtTextOutA painting, and the
// DrawTextA rules (sizes, alignment, prefixes, word breaks, ellipsis, clipping), checked on the
// built-in font's exact cells; and the outline dialog font read with FreeType.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "DialogFont.h"
#include "GdiCanvas.h"
#include "TempDir.h"
#include "kvwin32/render.h"
#include "internal/gdi.h"

namespace {

using kvtest::GdiCanvas;
using kvtest::inkBox;

constexpr COLORREF kBack = RGB(255, 0, 255);
constexpr COLORREF kInk = RGB(0, 0, 0);

TEST(BuiltInFont, EveryPrintableGlyphIsInkedInsideItsCellAndUnique) {
    const kvtest::DialogFontScope builtinFont("");  // the cells of the built-in font
    std::set<std::array<std::uint8_t, kvwin32::internal::kFontHeight>> seen;
    for (int c = 0x21; c <= 0x7E; ++c) {
        const auto& rows = kvwin32::internal::glyphRows(static_cast<unsigned char>(c));
        SCOPED_TRACE(testing::Message() << "character '" << static_cast<char>(c) << "'");
        bool inked = false;
        for (int row = 0; row < kvwin32::internal::kFontHeight; ++row) {
            const unsigned bits = rows[static_cast<std::size_t>(row)];
            inked = inked || bits != 0;
            EXPECT_EQ(bits & 0x01u, 0u) << "the last column separates characters, row " << row;
            if (row < 3 || row == 12) {
                EXPECT_EQ(bits, 0u) << "row " << row << " is leading or gap";
            }
        }
        EXPECT_TRUE(inked);
        EXPECT_TRUE(seen.insert(rows).second) << "two characters share a glyph";
    }
    const auto& space = kvwin32::internal::glyphRows(' ');
    for (std::uint8_t bits : space) {
        EXPECT_EQ(bits, 0u);
    }
    // Bytes without a glyph show the same box, which no printable character uses.
    const auto& box = kvwin32::internal::glyphRows(0x01);
    EXPECT_EQ(kvwin32::internal::glyphRows(0xC8), box);
    EXPECT_EQ(seen.count(box), 0u);
}

TEST(TextOut, OpaqueModePaintsTheWholeCell) {
    const kvtest::DialogFontScope builtinFont("");  // the cells of the built-in font
    GdiCanvas canvas(10, 16, kBack);
    ASSERT_TRUE(TextOutA(canvas.dc(), 2, 1, "I", 1));
    // 'I': a bar of three on the top and bottom rows of the capital, a stem in between.
    EXPECT_EQ(canvas.at(3, 4), kInk);
    EXPECT_EQ(canvas.at(4, 4), kInk);
    EXPECT_EQ(canvas.at(5, 4), kInk);
    EXPECT_EQ(canvas.at(4, 7), kInk);
    EXPECT_EQ(canvas.at(3, 7), RGB(255, 255, 255));
    EXPECT_EQ(canvas.at(2, 1), RGB(255, 255, 255)) << "cell background";
    EXPECT_EQ(canvas.at(7, 13), RGB(255, 255, 255)) << "last cell pixel";
    EXPECT_EQ(canvas.at(8, 1), kBack) << "past the 6-pixel advance";
    EXPECT_EQ(canvas.at(2, 14), kBack) << "below the 13-pixel cell";
}

TEST(TextOut, TransparentModeKeepsTheBackgroundAndAlignsAsAsked) {
    const kvtest::DialogFontScope builtinFont("");  // the cells of the built-in font
    GdiCanvas canvas(30, 30, kBack);
    SetBkMode(canvas.dc(), TRANSPARENT);
    SetTextColor(canvas.dc(), RGB(255, 0, 0));
    TextOutA(canvas.dc(), 0, 0, "I", 1);
    EXPECT_EQ(canvas.at(0, 0), kBack);
    EXPECT_EQ(canvas.at(2, 3), RGB(255, 0, 0));

    GdiCanvas right(30, 30, kBack);
    SetBkMode(right.dc(), TRANSPARENT);
    SetTextAlign(right.dc(), TA_RIGHT | TA_BASELINE);
    TextOutA(right.dc(), 24, 20, "II", 2);
    // Cells span x 12..23 and end their capitals on the row above the baseline.
    const RECT box = inkBox(right.pixels(), kInk);
    EXPECT_EQ(box.left, 13);
    EXPECT_EQ(box.right, 22);
    EXPECT_EQ(box.bottom, 20);
}

TEST(TextOut, ExtTextOutOpaqueFillsWithoutTextAndClips) {
    const kvtest::DialogFontScope builtinFont("");  // the cells of the built-in font
    GdiCanvas canvas(10, 10, kBack);
    SetBkColor(canvas.dc(), RGB(255, 0, 0));
    RECT r{2, 3, 6, 5};
    ASSERT_TRUE(ExtTextOutA(canvas.dc(), 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr));
    EXPECT_EQ(inkBox(canvas.pixels(), RGB(255, 0, 0)).left, 2);
    EXPECT_EQ(inkBox(canvas.pixels(), RGB(255, 0, 0)).bottom, 5);
    EXPECT_EQ(inkBox(canvas.pixels(), RGB(255, 0, 0)).right, 6);

    GdiCanvas clipped(30, 16, kBack);
    SetBkMode(clipped.dc(), TRANSPARENT);
    RECT clip{0, 0, 8, 13};
    ExtTextOutA(clipped.dc(), 0, 0, ETO_CLIPPED, &clip, "WWW", 3, nullptr);
    EXPECT_EQ(inkBox(clipped.pixels(), kInk).right, 8);
    EXPECT_FALSE(ExtTextOutA(clipped.dc(), 0, 0, 0, nullptr, nullptr, 3, nullptr));
}

struct CalcCase {
    const char* text;
    UINT format;
    int width;  // of the rectangle given
    int expectedWidth;
    int expectedHeight;
};

TEST(DrawText, CalcRectSizes) {
    const kvtest::DialogFontScope builtinFont("");  // the cells of the built-in font
    const CalcCase cases[] = {
        {"Hello", DT_SINGLELINE, 10, 30, 13},
        {"Hello", 0, 10, 30, 13},
        {"a\nbb", 0, 100, 12, 26},
        {"a\r\nbbb\rc", 0, 100, 18, 39},
        {"a\nbb", DT_SINGLELINE, 100, 24, 13},
        {"&File", DT_SINGLELINE, 100, 24, 13},
        {"&File", DT_SINGLELINE | DT_NOPREFIX, 100, 30, 13},
        {"a&&b", DT_SINGLELINE, 100, 18, 13},
        {"aaa bbb ccc", DT_WORDBREAK, 40, 18, 39},
        {"aaa bbb ccc", DT_WORDBREAK, 48, 42, 26},
        {"abcdefghij xy", DT_WORDBREAK, 30, 60, 26},
        {"aaa bbb ccc", 0, 40, 66, 13},
        {"abcdefghij", DT_SINGLELINE | DT_END_ELLIPSIS, 30, 30, 13},
        {"abc", DT_SINGLELINE | DT_END_ELLIPSIS, 30, 18, 13},
        {"a\tb", DT_SINGLELINE | DT_EXPANDTABS, 100, 54, 13},
        {"", 0, 100, 0, 0},
        {"", DT_SINGLELINE, 100, 0, 13},
    };
    GdiCanvas canvas(4, 4);
    for (const CalcCase& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.text << "\" format 0x" << std::hex << c.format
                                        << std::dec << " width " << c.width);
        RECT r{10, 20, 10 + c.width, 25};
        const int height = DrawTextA(canvas.dc(), c.text, -1, &r, c.format | DT_CALCRECT);
        EXPECT_EQ(height, c.expectedHeight);
        EXPECT_EQ(r.left, 10);
        EXPECT_EQ(r.top, 20);
        EXPECT_EQ(r.right - r.left, c.expectedWidth);
        EXPECT_EQ(r.bottom - r.top, c.expectedHeight);
    }
    EXPECT_EQ(canvas.at(0, 0), RGB(255, 255, 255)) << "DT_CALCRECT draws nothing";
}

struct AlignCase {
    const char* name;
    UINT format;
    LONG inkLeft, inkTop;
    int result;
};

TEST(DrawText, AlignsSingleLinesInTheRectangle) {
    const kvtest::DialogFontScope builtinFont("");  // the cells of the built-in font
    // "ab" is 12 pixels wide; 'b' has ink in its cell's rows 3..9 and columns 0..4.
    const AlignCase cases[] = {
        {"left top", DT_SINGLELINE, 0, 3, 13},
        {"centre", DT_SINGLELINE | DT_CENTER | DT_VCENTER, 14, 11, 21},
        {"right bottom", DT_SINGLELINE | DT_RIGHT | DT_BOTTOM, 28, 20, 30},
        {"vcenter needs singleline", DT_VCENTER, 0, 3, 13},
    };
    for (const AlignCase& c : cases) {
        SCOPED_TRACE(c.name);
        GdiCanvas canvas(40, 30, kBack);
        SetBkMode(canvas.dc(), TRANSPARENT);
        RECT r{0, 0, 40, 30};
        EXPECT_EQ(DrawTextA(canvas.dc(), "ab", 2, &r, c.format), c.result);
        const RECT box = inkBox(canvas.pixels(), kInk);
        EXPECT_EQ(box.left, c.inkLeft);
        EXPECT_EQ(box.top, c.inkTop);
    }
}

TEST(DrawText, PrefixUnderlinesTheNextCharacter) {
    const kvtest::DialogFontScope builtinFont("");  // the cells of the built-in font
    GdiCanvas canvas(20, 14, RGB(255, 255, 255));
    RECT r{0, 0, 20, 14};
    DrawTextA(canvas.dc(), "&ab", -1, &r, DT_SINGLELINE);
    for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(canvas.at(x, 11), kInk) << "underline under 'a' at x " << x;
    }
    for (int x = 6; x < 12; ++x) {
        EXPECT_EQ(canvas.at(x, 11), RGB(255, 255, 255)) << "no underline under 'b' at x " << x;
    }

    // "&&" shows one ampersand, exactly as TextOutA draws it.
    GdiCanvas doubled(20, 14, RGB(255, 255, 255));
    DrawTextA(doubled.dc(), "&&b", -1, &r, DT_SINGLELINE);
    GdiCanvas plain(20, 14, RGB(255, 255, 255));
    TextOutA(plain.dc(), 0, 0, "&b", 2);
    EXPECT_EQ(doubled.pixels().pixels, plain.pixels().pixels);

    GdiCanvas noPrefix(20, 14, RGB(255, 255, 255));
    DrawTextA(noPrefix.dc(), "&b", -1, &r, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(noPrefix.pixels().pixels, plain.pixels().pixels);
}

TEST(DrawText, EndEllipsisDrawsTheCutText) {
    const kvtest::DialogFontScope builtinFont("");  // the cells of the built-in font
    GdiCanvas cut(40, 14, RGB(255, 255, 255));
    RECT r{0, 0, 30, 14};
    DrawTextA(cut.dc(), "abcdefghij", -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS);
    GdiCanvas expected(40, 14, RGB(255, 255, 255));
    TextOutA(expected.dc(), 0, 0, "ab...", 5);
    EXPECT_EQ(cut.pixels().pixels, expected.pixels().pixels);
}

TEST(DrawText, WordBreakDrawsOneLinePerRow) {
    const kvtest::DialogFontScope builtinFont("");  // the cells of the built-in font
    GdiCanvas wrapped(40, 40, RGB(255, 255, 255));
    RECT r{0, 0, 40, 40};
    EXPECT_EQ(DrawTextA(wrapped.dc(), "aaa bbb", -1, &r, DT_WORDBREAK), 26);
    GdiCanvas expected(40, 40, RGB(255, 255, 255));
    TextOutA(expected.dc(), 0, 0, "aaa", 3);
    TextOutA(expected.dc(), 0, 13, "bbb", 3);
    EXPECT_EQ(wrapped.pixels().pixels, expected.pixels().pixels);
}

TEST(DrawText, ClipsToTheRectangleUnlessNoClip) {
    const kvtest::DialogFontScope builtinFont("");  // the cells of the built-in font
    GdiCanvas clipped(40, 20, kBack);
    SetBkMode(clipped.dc(), TRANSPARENT);
    RECT r{0, 0, 9, 20};
    DrawTextA(clipped.dc(), "WWWW", -1, &r, DT_SINGLELINE);
    EXPECT_EQ(inkBox(clipped.pixels(), kInk).right, 9);

    GdiCanvas free(40, 20, kBack);
    SetBkMode(free.dc(), TRANSPARENT);
    DrawTextA(free.dc(), "WWWW", -1, &r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_EQ(inkBox(free.pixels(), kInk).right, 23);
}

TEST(DrawText, BadArgumentsDrawNothing) {
    const kvtest::DialogFontScope builtinFont("");  // the cells of the built-in font
    GdiCanvas canvas(4, 4);
    RECT r{0, 0, 4, 4};
    EXPECT_EQ(DrawTextA(canvas.dc(), nullptr, -1, &r, 0), 0);
    EXPECT_EQ(DrawTextA(canvas.dc(), "x", -1, nullptr, 0), 0);
    EXPECT_EQ(DrawTextA(reinterpret_cast<HDC>(0x77), "x", -1, &r, 0), 0);
    const std::string longText(100000, 'x');
    RECT wide{0, 0, 4, 4};
    EXPECT_EQ(DrawTextA(canvas.dc(), longText.c_str(), -1, &wide, DT_WORDBREAK | DT_CALCRECT), 13)
        << "one unbreakable word is one line";
    EXPECT_EQ(wide.right, 600000);
}

// ---- The outline dialog font --------------------------------------------------------------

class OutlineFont : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(kvwin32::dialogFontFile().empty())
            << "the dialog font could not be read; scripts/deps installs its package";
    }
};

TEST_F(OutlineFont, IsProportionalOnTheClassicLine) {
    GdiCanvas canvas(4, 4);
    SIZE narrow{};
    SIZE wide{};
    ASSERT_TRUE(GetTextExtentPoint32A(canvas.dc(), "iiii", 4, &narrow));
    ASSERT_TRUE(GetTextExtentPoint32A(canvas.dc(), "WWWW", 4, &wide));
    EXPECT_LT(narrow.cx * 2, wide.cx);
    EXPECT_EQ(narrow.cy, 13);
    TEXTMETRICA tm{};
    ASSERT_TRUE(GetTextMetricsA(canvas.dc(), &tm));
    EXPECT_EQ(tm.tmHeight, 13);
    EXPECT_EQ(tm.tmAveCharWidth, 6) << "dialog units stay on the classic base units";
    EXPECT_GT(tm.tmMaxCharWidth, 6);
    EXPECT_NE(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, 0) << "set means variable pitch";
}

TEST_F(OutlineFont, InkStaysOnTheLineAndDescendersGoBelowTheBaseline) {
    GdiCanvas capital(40, 20, kBack);
    SetBkMode(capital.dc(), TRANSPARENT);
    ASSERT_TRUE(TextOutA(capital.dc(), 0, 0, "H", 1));
    const RECT h = inkBox(capital.pixels(), kInk);
    EXPECT_GE(h.top, 1) << "leading above the capitals";
    EXPECT_EQ(h.bottom, kvwin32::internal::kFontAscent) << "capitals stand on the baseline";

    GdiCanvas descender(40, 20, kBack);
    SetBkMode(descender.dc(), TRANSPARENT);
    ASSERT_TRUE(TextOutA(descender.dc(), 0, 0, "g", 1));
    const RECT g = inkBox(descender.pixels(), kInk);
    EXPECT_GT(g.bottom, kvwin32::internal::kFontAscent);
    EXPECT_LE(g.bottom, 13);

    // The ink never reaches past the extent GetTextExtentPoint32A reports, so text measured
    // and then painted in that room shows whole.
    GdiCanvas word(120, 20, kBack);
    SetBkMode(word.dc(), TRANSPARENT);
    ASSERT_TRUE(TextOutA(word.dc(), 0, 0, "Waveform", 8));
    SIZE extent{};
    ASSERT_TRUE(GetTextExtentPoint32A(word.dc(), "Waveform", 8, &extent));
    EXPECT_LE(inkBox(word.pixels(), kInk).right, extent.cx);
}

TEST_F(OutlineFont, PaintsTheSamePixelsEveryTime) {
    GdiCanvas first(120, 20, kBack);
    GdiCanvas second(120, 20, kBack);
    for (GdiCanvas* canvas : {&first, &second}) {
        RECT r{0, 0, 120, 20};
        DrawTextA(canvas->dc(), "Schematic &filename (.DSN):", -1, &r, DT_SINGLELINE);
    }
    EXPECT_EQ(first.pixels().pixels, second.pixels().pixels);
}

TEST_F(OutlineFont, WordBreaksAndEllipsisFollowTheWidths) {
    GdiCanvas canvas(200, 40, kBack);
    SIZE narrow{};
    GetTextExtentPoint32A(canvas.dc(), "iiii", 4, &narrow);
    SIZE both{};
    GetTextExtentPoint32A(canvas.dc(), "iiii WWWW", 9, &both);
    // Room for "iiii " but not for the whole: two lines.
    RECT r{0, 0, narrow.cx + 2, 40};
    EXPECT_EQ(DrawTextA(canvas.dc(), "iiii WWWW", -1, &r, DT_WORDBREAK | DT_CALCRECT), 26);
    RECT wideEnough{0, 0, both.cx, 40};
    EXPECT_EQ(DrawTextA(canvas.dc(), "iiii WWWW", -1, &wideEnough, DT_WORDBREAK | DT_CALCRECT), 13);
    // A cut line with its "..." fits the room it was cut for.
    RECT cut{0, 0, both.cx - 4, 13};
    GdiCanvas shown(200, 20, kBack);
    SetBkMode(shown.dc(), TRANSPARENT);
    DrawTextA(shown.dc(), "iiii WWWW", -1, &cut, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
    EXPECT_LE(inkBox(shown.pixels(), kInk).right, cut.right);
}

TEST_F(OutlineFont, AFileThatIsNoFontLeavesTheFontAsItWas) {
    const std::string before = kvwin32::dialogFontFile();
    kvtest::TempDir dir;
    dir.write("junk.ttf", "not a font at all");
    EXPECT_FALSE(kvwin32::setDialogFont(dir.host("junk.ttf")));
    EXPECT_FALSE(kvwin32::setDialogFont(dir.host("missing.ttf")));
    EXPECT_EQ(kvwin32::dialogFontFile(), before);
    {
        const kvtest::DialogFontScope builtinFont("");
        EXPECT_EQ(kvwin32::dialogFontFile(), "");
        SIZE size{};
        GdiCanvas canvas(4, 4);
        GetTextExtentPoint32A(canvas.dc(), "iiii", 4, &size);
        EXPECT_EQ(size.cx, 24);
    }
    EXPECT_EQ(kvwin32::dialogFontFile(), before);
}

}  // namespace
