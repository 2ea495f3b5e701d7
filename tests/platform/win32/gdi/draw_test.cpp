// Painting calls checked pixel by pixel: fills, frames, lines, raster operations, blits, the
// 3-D edges and the focus rectangle.
#include <gtest/gtest.h>

#include <climits>

#include "GdiCanvas.h"

namespace {

using kvtest::GdiCanvas;

constexpr COLORREF kBack = RGB(255, 0, 255);  // a colour no drawing call produces

std::string show(const GdiCanvas& canvas) {
    return kvtest::picture(canvas.pixels(), {{kBack, '.'},
                                             {RGB(0, 0, 0), '#'},
                                             {RGB(255, 255, 255), 'w'},
                                             {RGB(128, 128, 128), 's'},
                                             {RGB(192, 192, 192), 'f'},
                                             {RGB(255, 0, 0), 'r'},
                                             {RGB(0, 0, 255), 'b'}});
}

TEST(DrawFill, FillRectCoversLeftTopButNotRightBottom) {
    GdiCanvas canvas(6, 4, kBack);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT r{1, 1, 4, 3};
    EXPECT_NE(FillRect(canvas.dc(), &r, red), 0);
    EXPECT_EQ(show(canvas),
              "......\n"
              ".rrr..\n"
              ".rrr..\n"
              "......\n");
    DeleteObject(red);
}

TEST(DrawFill, SystemColourIndexPlusOneStandsForItsBrush) {
    GdiCanvas canvas(2, 2, kBack);
    RECT r{0, 0, 2, 2};
    FillRect(canvas.dc(), &r,
             reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(COLOR_BTNFACE + 1)));
    EXPECT_EQ(canvas.at(1, 1), GetSysColor(COLOR_BTNFACE));
}

TEST(DrawFill, FrameRectAndInvertRect) {
    GdiCanvas canvas(5, 4, kBack);
    RECT r{0, 0, 5, 4};
    FrameRect(canvas.dc(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(show(canvas),
              "#####\n"
              "#...#\n"
              "#...#\n"
              "#####\n");
    RECT inner{1, 1, 3, 2};
    InvertRect(canvas.dc(), &inner);
    EXPECT_EQ(canvas.at(1, 1), RGB(0, 255, 0));
    EXPECT_EQ(canvas.at(3, 1), kBack);
    InvertRect(canvas.dc(), &inner);
    EXPECT_EQ(canvas.at(1, 1), kBack);
}

TEST(DrawFill, ClipAndHugeRectanglesAreSafe) {
    GdiCanvas canvas(6, 6, kBack);
    RECT all{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    IntersectClipRect(canvas.dc(), 2, 2, 4, 4);
    FillRect(canvas.dc(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(show(canvas),
              "......\n"
              "......\n"
              "..##..\n"
              "..##..\n"
              "......\n"
              "......\n");
}

TEST(DrawShapes, RectangleOutlinesWithThePenAndFillsWithTheBrush) {
    GdiCanvas canvas(7, 6, kBack);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HGDIOBJ old = SelectObject(canvas.dc(), red);
    Rectangle(canvas.dc(), 1, 1, 6, 5);
    EXPECT_EQ(show(canvas),
              ".......\n"
              ".#####.\n"
              ".#rrr#.\n"
              ".#rrr#.\n"
              ".#####.\n"
              ".......\n");
    // With the null pen Windows fills one pixel short on the right and bottom.
    GdiCanvas bare(7, 6, kBack);
    SelectObject(bare.dc(), red);
    SelectObject(bare.dc(), GetStockObject(NULL_PEN));
    Rectangle(bare.dc(), 1, 1, 6, 5);
    EXPECT_EQ(show(bare),
              ".......\n"
              ".rrrr..\n"
              ".rrrr..\n"
              ".rrrr..\n"
              ".......\n"
              ".......\n");
    SelectObject(bare.dc(), old);
    SelectObject(canvas.dc(), old);
    DeleteObject(red);
}

TEST(DrawShapes, LinesStopBeforeTheirEndPoint) {
    GdiCanvas canvas(5, 5, kBack);
    MoveToEx(canvas.dc(), 0, 0, nullptr);
    LineTo(canvas.dc(), 4, 0);
    MoveToEx(canvas.dc(), 0, 1, nullptr);
    LineTo(canvas.dc(), 3, 4);
    POINT at{};
    MoveToEx(canvas.dc(), 0, 0, &at);
    EXPECT_EQ(at.x, 3);
    EXPECT_EQ(at.y, 4);
    EXPECT_EQ(show(canvas),
              "####.\n"
              "#....\n"
              ".#...\n"
              "..#..\n"
              ".....\n");
}

TEST(DrawShapes, XorPenTwiceRestores) {
    GdiCanvas canvas(4, 1, kBack);
    SetROP2(canvas.dc(), R2_NOT);
    for (int pass = 0; pass < 2; ++pass) {
        MoveToEx(canvas.dc(), 0, 0, nullptr);
        LineTo(canvas.dc(), 4, 0);
        EXPECT_EQ(canvas.at(2, 0), pass == 0 ? RGB(0, 255, 0) : kBack);
    }
}

TEST(DrawShapes, FarAwayLinesDrawOnlyTheirVisiblePartAndReturn) {
    GdiCanvas canvas(8, 8, kBack);
    MoveToEx(canvas.dc(), -2000000000, 5, nullptr);
    LineTo(canvas.dc(), 2000000000, 5);
    MoveToEx(canvas.dc(), -1000000000, -1000000000, nullptr);
    LineTo(canvas.dc(), 1000000000, 1000000000);
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(canvas.at(x, 5), RGB(0, 0, 0)) << x;
        EXPECT_EQ(canvas.at(x, x), RGB(0, 0, 0)) << x;
    }
    EXPECT_EQ(canvas.at(3, 2), kBack);
}

// The 50% checkerboard MFC paints drag feedback with.
HBRUSH halftoneBrush() {
    const WORD rows[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
    HBITMAP pattern = CreateBitmap(8, 8, 1, 1, rows);
    HBRUSH brush = CreatePatternBrush(pattern);
    DeleteObject(pattern);
    return brush;
}

TEST(DrawBlt, HalftonePatInvertTwiceRestores) {
    GdiCanvas canvas(6, 3, RGB(255, 255, 255));
    HBRUSH brush = halftoneBrush();
    HGDIOBJ old = SelectObject(canvas.dc(), brush);
    ASSERT_TRUE(PatBlt(canvas.dc(), 0, 0, 6, 3, PATINVERT));
    // 1 bits take the white background colour and invert; 0 bits take black and keep.
    EXPECT_EQ(show(canvas),
              "w#w#w#\n"
              "#w#w#w\n"
              "w#w#w#\n");
    ASSERT_TRUE(PatBlt(canvas.dc(), 0, 0, 6, 3, PATINVERT));
    EXPECT_EQ(show(canvas),
              "wwwwww\n"
              "wwwwww\n"
              "wwwwww\n");
    SelectObject(canvas.dc(), old);
    DeleteObject(brush);
}

TEST(DrawBlt, PatternFollowsTheBrushOrigin) {
    GdiCanvas canvas(4, 1, RGB(255, 255, 255));
    HBRUSH brush = halftoneBrush();
    HGDIOBJ old = SelectObject(canvas.dc(), brush);
    SetBrushOrgEx(canvas.dc(), 1, 0, nullptr);
    PatBlt(canvas.dc(), 0, 0, 4, 1, PATCOPY);
    EXPECT_EQ(show(canvas), "w#w#\n");
    SelectObject(canvas.dc(), old);
    DeleteObject(brush);
}

struct RopCase {
    const char* name;
    DWORD rop;
    COLORREF expected;
};

TEST(DrawBlt, PatBltRasterOperations) {
    const COLORREF dest = RGB(0x12, 0x34, 0x56);
    const COLORREF pattern = RGB(0xF0, 0x0F, 0xAA);
    const RopCase cases[] = {
        {"PATCOPY", PATCOPY, pattern},
        {"PATINVERT", PATINVERT, RGB(0xE2, 0x3B, 0xFC)},
        {"DSTINVERT", DSTINVERT, RGB(0xED, 0xCB, 0xA9)},
        {"BLACKNESS", BLACKNESS, RGB(0, 0, 0)},
        {"WHITENESS", WHITENESS, RGB(255, 255, 255)},
    };
    for (const RopCase& c : cases) {
        GdiCanvas canvas(1, 1, dest);
        HBRUSH brush = CreateSolidBrush(pattern);
        HGDIOBJ old = SelectObject(canvas.dc(), brush);
        EXPECT_TRUE(PatBlt(canvas.dc(), 0, 0, 1, 1, c.rop)) << c.name;
        EXPECT_EQ(canvas.at(0, 0), c.expected) << c.name;
        SelectObject(canvas.dc(), old);
        DeleteObject(brush);
    }
    GdiCanvas canvas(1, 1, dest);
    EXPECT_FALSE(PatBlt(canvas.dc(), 0, 0, 1, 1, SRCCOPY)) << "PatBlt has no source";
}

TEST(DrawBlt, BitBltRasterOperations) {
    const COLORREF source = RGB(0xF0, 0xCC, 0xAA);
    const COLORREF dest = RGB(0x0F, 0xAA, 0x33);
    const RopCase cases[] = {
        {"SRCCOPY", SRCCOPY, source},
        {"SRCAND", SRCAND, RGB(0x00, 0x88, 0x22)},
        {"SRCPAINT", SRCPAINT, RGB(0xFF, 0xEE, 0xBB)},
        {"SRCINVERT", SRCINVERT, RGB(0xFF, 0x66, 0x99)},
        {"NOTSRCCOPY", NOTSRCCOPY, RGB(0x0F, 0x33, 0x55)},
        {"SRCERASE", SRCERASE, RGB(0xF0, 0x44, 0x88)},
        {"NOTSRCERASE", NOTSRCERASE, RGB(0x00, 0x11, 0x44)},
        {"MERGEPAINT", MERGEPAINT, RGB(0x0F, 0xBB, 0x77)},
        {"MERGECOPY (white brush)", MERGECOPY, source},
    };
    GdiCanvas from(1, 1, source);
    for (const RopCase& c : cases) {
        GdiCanvas to(1, 1, dest);
        EXPECT_TRUE(BitBlt(to.dc(), 0, 0, 1, 1, from.dc(), 0, 0, c.rop)) << c.name;
        EXPECT_EQ(to.at(0, 0), c.expected) << c.name;
    }
}

TEST(DrawBlt, MonochromeSourcePaintsTextAndBackgroundColours) {
    const BYTE bits[2] = {0x80, 0};  // white, black
    HBITMAP mono = CreateBitmap(2, 1, 1, 1, bits);
    HDC source = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(source, mono);
    GdiCanvas canvas(2, 1, kBack);
    SetTextColor(canvas.dc(), RGB(255, 0, 0));
    SetBkColor(canvas.dc(), RGB(0, 0, 255));
    BitBlt(canvas.dc(), 0, 0, 2, 1, source, 0, 0, SRCCOPY);
    EXPECT_EQ(show(canvas), "br\n");

    // And back: the colour source's background colour becomes white, the rest black.
    SetBkColor(canvas.dc(), RGB(255, 0, 0));
    BitBlt(source, 0, 0, 2, 1, canvas.dc(), 0, 0, SRCCOPY);
    auto image = kvwin32::readPixels(mono);
    EXPECT_EQ(image->at(0, 0), 0u);
    EXPECT_EQ(image->at(1, 0), 0xFFFFFFu);
    SelectObject(source, old);
    DeleteDC(source);
    DeleteObject(mono);
}

TEST(DrawBlt, StretchBltScalesAndMirrorsNearestNeighbour) {
    GdiCanvas from(2, 2, kBack);
    SetPixel(from.dc(), 0, 0, RGB(255, 0, 0));
    SetPixel(from.dc(), 1, 0, RGB(0, 0, 255));
    SetPixel(from.dc(), 0, 1, RGB(0, 0, 0));
    SetPixel(from.dc(), 1, 1, RGB(255, 255, 255));
    GdiCanvas to(4, 4, kBack);
    StretchBlt(to.dc(), 0, 0, 4, 4, from.dc(), 0, 0, 2, 2, SRCCOPY);
    EXPECT_EQ(show(to),
              "rrbb\n"
              "rrbb\n"
              "##ww\n"
              "##ww\n");
    GdiCanvas mirrored(2, 2, kBack);
    StretchBlt(mirrored.dc(), 2, 0, -2, 2, from.dc(), 0, 0, 2, 2, SRCCOPY);
    EXPECT_EQ(show(mirrored),
              "br\n"
              "w#\n");
}

TEST(DrawBlt, OverlappingBlitWithinOneBitmapUsesTheOldPixels) {
    GdiCanvas canvas(4, 1, kBack);
    SetPixel(canvas.dc(), 0, 0, RGB(255, 0, 0));
    SetPixel(canvas.dc(), 1, 0, RGB(0, 0, 255));
    BitBlt(canvas.dc(), 1, 0, 3, 1, canvas.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(show(canvas), "rrb.\n");
}

// Colours of an edge drawn on (0,0)-(6,6): outer lines, inner lines, the two corners the
// bottom-right lines own, and the middle.
struct EdgeCase {
    const char* name;
    UINT edge;
    UINT flags;
    BOOL result;
    COLORREF outerTop, outerLeft, outerBottom, outerRight;
    COLORREF innerTop, innerLeft, innerBottom, innerRight;
    COLORREF topRight, bottomLeft, middle;
};

TEST(DrawEdgeTest, ClassicEdgeColours) {
    const COLORREF light = GetSysColor(COLOR_3DLIGHT);
    const COLORREF hi = GetSysColor(COLOR_3DHILIGHT);
    const COLORREF sh = GetSysColor(COLOR_3DSHADOW);
    const COLORREF dk = GetSysColor(COLOR_3DDKSHADOW);
    const COLORREF face = GetSysColor(COLOR_3DFACE);
    const COLORREF n = kBack;
    const EdgeCase cases[] = {
        {"raised", EDGE_RAISED, BF_RECT, TRUE, light, light, dk, dk, hi, hi, sh, sh, dk, dk, n},
        {"sunken", EDGE_SUNKEN, BF_RECT, TRUE, sh, sh, hi, hi, dk, dk, light, light, hi, hi, n},
        {"etched", EDGE_ETCHED, BF_RECT, TRUE, sh, sh, hi, hi, hi, hi, sh, sh, hi, hi, n},
        {"bump", EDGE_BUMP, BF_RECT, TRUE, light, light, dk, dk, dk, dk, light, light, dk, dk, n},
        {"raised inner alone", BDR_RAISEDINNER, BF_RECT, TRUE, hi, hi, sh, sh, n, n, n, n, sh, sh,
         n},
        {"sunken outer alone", BDR_SUNKENOUTER, BF_RECT, TRUE, sh, sh, hi, hi, n, n, n, n, hi, hi,
         n},
        {"sunken with middle", EDGE_SUNKEN, BF_RECT | BF_MIDDLE, TRUE, sh, sh, hi, hi, dk, dk,
         light, light, hi, hi, face},
        {"top-left only", EDGE_RAISED, BF_TOPLEFT, TRUE, light, light, n, n, hi, hi, n, n, light,
         light, n},
        {"raised and sunken outer", BDR_RAISEDOUTER | BDR_SUNKENOUTER, BF_RECT | BF_MIDDLE, FALSE,
         n, n, n, n, n, n, n, n, n, n, n},
        {"flat", EDGE_SUNKEN, BF_RECT | BF_FLAT, FALSE, sh, sh, sh, sh, face, face, face, face, sh,
         sh, n},
    };
    for (const EdgeCase& c : cases) {
        SCOPED_TRACE(c.name);
        GdiCanvas canvas(8, 8, kBack);
        RECT r{0, 0, 6, 6};
        EXPECT_EQ(DrawEdge(canvas.dc(), &r, c.edge, c.flags), c.result);
        EXPECT_EQ(canvas.at(2, 0), c.outerTop) << show(canvas);
        EXPECT_EQ(canvas.at(0, 2), c.outerLeft);
        EXPECT_EQ(canvas.at(2, 5), c.outerBottom);
        EXPECT_EQ(canvas.at(5, 2), c.outerRight);
        EXPECT_EQ(canvas.at(2, 1), c.innerTop);
        EXPECT_EQ(canvas.at(1, 2), c.innerLeft);
        EXPECT_EQ(canvas.at(2, 4), c.innerBottom);
        EXPECT_EQ(canvas.at(4, 2), c.innerRight);
        EXPECT_EQ(canvas.at(5, 0), c.topRight);
        EXPECT_EQ(canvas.at(0, 5), c.bottomLeft);
        EXPECT_EQ(canvas.at(2, 2), c.middle);
        EXPECT_EQ(canvas.at(6, 6), kBack) << "nothing outside the rectangle";
        EXPECT_EQ(canvas.at(6, 2), kBack);
    }
}

TEST(DrawEdgeTest, AdjustShrinksByTheLinesTheEdgeHas) {
    struct Case {
        UINT edge;
        UINT flags;
        RECT expected;
    };
    const Case cases[] = {
        {EDGE_RAISED, BF_RECT | BF_ADJUST, {12, 22, 48, 38}},
        {BDR_SUNKENOUTER, BF_RECT | BF_ADJUST, {11, 21, 49, 39}},
        {EDGE_ETCHED, BF_LEFT | BF_BOTTOM | BF_ADJUST, {12, 20, 50, 38}},
        {EDGE_RAISED, BF_RECT, {10, 20, 50, 40}},
    };
    for (const Case& c : cases) {
        GdiCanvas canvas(60, 60);
        RECT r{10, 20, 50, 40};
        DrawEdge(canvas.dc(), &r, c.edge, c.flags);
        EXPECT_EQ(r.left, c.expected.left) << "edge " << c.edge << " flags " << c.flags;
        EXPECT_EQ(r.top, c.expected.top) << "edge " << c.edge << " flags " << c.flags;
        EXPECT_EQ(r.right, c.expected.right) << "edge " << c.edge << " flags " << c.flags;
        EXPECT_EQ(r.bottom, c.expected.bottom) << "edge " << c.edge << " flags " << c.flags;
    }
}

TEST(DrawFocus, DottedFrameThatASecondCallRemoves) {
    GdiCanvas canvas(9, 7, RGB(255, 255, 255));
    RECT r{1, 1, 8, 6};
    ASSERT_TRUE(DrawFocusRect(canvas.dc(), &r));
    EXPECT_EQ(show(canvas),
              "wwwwwwwww\n"
              "w#w#w#w#w\n"
              "wwwwwwwww\n"
              "w#wwwww#w\n"
              "wwwwwwwww\n"
              "w#w#w#w#w\n"
              "wwwwwwwww\n");
    ASSERT_TRUE(DrawFocusRect(canvas.dc(), &r));
    EXPECT_EQ(kvtest::inkBox(canvas.pixels(), RGB(0, 0, 0)).right, 0) << show(canvas);
}

TEST(DrawFocus, HugeRectangleIsClippedNotWalked) {
    GdiCanvas canvas(4, 4, RGB(255, 255, 255));
    RECT r{INT_MIN, 0, INT_MAX, INT_MAX};
    EXPECT_TRUE(DrawFocusRect(canvas.dc(), &r));
    EXPECT_EQ(canvas.at(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(canvas.at(1, 0), RGB(255, 255, 255));
    EXPECT_EQ(canvas.at(2, 2), RGB(255, 255, 255));
}

}  // namespace
