// GDI objects and device contexts: stock objects, selection, deletion rules, saved states,
// system colours, text metrics, origins and clipping.
#include <gtest/gtest.h>

#include <cstdio>

#include "DialogFont.h"
#include "GdiCanvas.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"

namespace {

using kvtest::GdiCanvas;

struct StockCase {
    int index;
    DWORD type;
    UINT style;  // lbStyle or lopnStyle
    COLORREF color;
};

TEST(GdiStockObjects, HaveTheirWindowsTypesStylesAndColours) {
    const StockCase cases[] = {
        {WHITE_BRUSH, OBJ_BRUSH, BS_SOLID, RGB(255, 255, 255)},
        {LTGRAY_BRUSH, OBJ_BRUSH, BS_SOLID, RGB(192, 192, 192)},
        {GRAY_BRUSH, OBJ_BRUSH, BS_SOLID, RGB(128, 128, 128)},
        {DKGRAY_BRUSH, OBJ_BRUSH, BS_SOLID, RGB(64, 64, 64)},
        {BLACK_BRUSH, OBJ_BRUSH, BS_SOLID, RGB(0, 0, 0)},
        {NULL_BRUSH, OBJ_BRUSH, BS_NULL, 0},
        {WHITE_PEN, OBJ_PEN, PS_SOLID, RGB(255, 255, 255)},
        {BLACK_PEN, OBJ_PEN, PS_SOLID, RGB(0, 0, 0)},
        {NULL_PEN, OBJ_PEN, PS_NULL, 0},
    };
    for (const StockCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "stock index " << c.index);
        HGDIOBJ object = GetStockObject(c.index);
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(GetStockObject(c.index), object) << "stock objects are one per process";
        EXPECT_EQ(GetObjectType(object), c.type);
        if (c.type == OBJ_BRUSH) {
            LOGBRUSH log{};
            EXPECT_EQ(GetObjectA(object, sizeof log, &log), static_cast<int>(sizeof log));
            EXPECT_EQ(log.lbStyle, c.style);
            EXPECT_EQ(log.lbColor, c.color);
        } else {
            LOGPEN log{};
            EXPECT_EQ(GetObjectA(object, sizeof log, &log), static_cast<int>(sizeof log));
            EXPECT_EQ(log.lopnStyle, c.style);
            EXPECT_EQ(log.lopnColor, c.color);
        }
    }
    for (int bad : {-1, 9, DEFAULT_PALETTE, 100}) {
        EXPECT_EQ(GetStockObject(bad), nullptr) << "index " << bad;
    }
}

TEST(GdiStockObjects, DefaultGuiFontGivesTheDialogBaseUnits) {
    const kvtest::DialogFontScope builtinFont("");  // the built-in font's cells are 6 wide
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    ASSERT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
    LOGFONTA log{};
    EXPECT_EQ(GetObjectA(font, sizeof log, &log), static_cast<int>(sizeof log));
    EXPECT_EQ(log.lfHeight, -11);

    GdiCanvas canvas(4, 4);
    SelectObject(canvas.dc(), font);
    TEXTMETRICA tm{};
    ASSERT_TRUE(GetTextMetricsA(canvas.dc(), &tm));
    EXPECT_EQ(tm.tmHeight, 13);
    EXPECT_EQ(tm.tmAveCharWidth, 6);
    EXPECT_EQ(tm.tmMaxCharWidth, 6);
    EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
    EXPECT_EQ(tm.tmExternalLeading, 0);

    SIZE size{};
    ASSERT_TRUE(GetTextExtentPoint32A(canvas.dc(), "Hello", 5, &size));
    EXPECT_EQ(size.cx, 30);
    EXPECT_EQ(size.cy, 13);
    ASSERT_TRUE(GetTextExtentPoint32A(canvas.dc(), "", 0, &size));
    EXPECT_EQ(size.cx, 0);
    EXPECT_FALSE(GetTextExtentPoint32A(canvas.dc(), "x", -1, &size));
}

TEST(GdiStockObjects, SurviveDeleteObject) {
    HGDIOBJ brush = GetStockObject(BLACK_BRUSH);
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
}

TEST(GdiDeviceContext, StartsWithTheWindowsDefaults) {
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetROP2(dc), R2_COPYPEN);

    BITMAP info{};
    ASSERT_EQ(GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof info, &info),
              static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 1);
    EXPECT_EQ(info.bmHeight, 1);
    EXPECT_EQ(info.bmBitsPixel, 1) << "a new memory DC holds a 1x1 monochrome bitmap";

    // Which is why a bitmap made compatible with it is monochrome too.
    HBITMAP mono = CreateCompatibleBitmap(dc, 8, 8);
    ASSERT_EQ(GetObjectA(mono, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmBitsPixel, 1);
    HBITMAP colour = CreateBitmap(8, 8, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, colour);
    HBITMAP second = CreateCompatibleBitmap(dc, 8, 8);
    ASSERT_EQ(GetObjectA(second, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmBitsPixel, 32);
    EXPECT_EQ(info.bmWidthBytes, 32);
    SelectObject(dc, old);
    for (HBITMAP b : {mono, colour, second}) {
        EXPECT_TRUE(DeleteObject(b));
    }
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_EQ(GetObjectType(dc), 0u);
}

TEST(GdiSelection, ReturnsThePreviousObjectOfItsKind) {
    GdiCanvas canvas(2, 2);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 255));
    EXPECT_EQ(SelectObject(canvas.dc(), red), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(SelectObject(canvas.dc(), pen), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_BRUSH), red);
    EXPECT_EQ(SelectObject(canvas.dc(), GetStockObject(WHITE_BRUSH)), red);
    EXPECT_EQ(SelectObject(canvas.dc(), GetStockObject(BLACK_PEN)), pen);
    EXPECT_TRUE(DeleteObject(red));
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_EQ(GetObjectType(red), 0u);
}

TEST(GdiSelection, ObjectDeletedWhileSelectedDiesWhenDeselected) {
    GdiCanvas canvas(2, 2);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    SelectObject(canvas.dc(), brush);
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH)) << "still in the DC";
    SelectObject(canvas.dc(), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetObjectType(brush), 0u);
}

TEST(GdiSelection, BitmapLivesInOneDcAtATime) {
    HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, nullptr);
    HDC first = CreateCompatibleDC(nullptr);
    HDC second = CreateCompatibleDC(nullptr);
    ASSERT_NE(SelectObject(first, bitmap), nullptr);
    EXPECT_EQ(SelectObject(second, bitmap), nullptr);
    EXPECT_TRUE(DeleteDC(first));
    EXPECT_NE(SelectObject(second, bitmap), nullptr) << "free again once its DC is gone";
    EXPECT_TRUE(DeleteDC(second));
    EXPECT_TRUE(DeleteObject(bitmap));
}

TEST(GdiObjects, GetObjectReportsSizesAndTruncates) {
    HPEN pen = CreatePen(PS_DASH, 3, RGB(10, 20, 30));
    EXPECT_EQ(GetObjectA(pen, 0, nullptr), static_cast<int>(sizeof(LOGPEN)));
    LOGPEN log{};
    ASSERT_EQ(GetObjectA(pen, sizeof log, &log), static_cast<int>(sizeof log));
    EXPECT_EQ(log.lopnStyle, static_cast<UINT>(PS_DASH));
    EXPECT_EQ(log.lopnWidth.x, 3);
    EXPECT_EQ(log.lopnColor, RGB(10, 20, 30));
    UINT style = 99;
    EXPECT_EQ(GetObjectA(pen, sizeof style, &style), static_cast<int>(sizeof style));
    EXPECT_EQ(style, static_cast<UINT>(PS_DASH));
    DeleteObject(pen);

    LOGFONTA wanted{};
    wanted.lfHeight = -20;
    wanted.lfWeight = FW_BOLD;
    std::snprintf(wanted.lfFaceName, LF_FACESIZE, "%s", "Courier");
    HFONT font = CreateFontIndirectA(&wanted);
    LOGFONTA got{};
    ASSERT_EQ(GetObjectA(font, sizeof got, &got), static_cast<int>(sizeof got));
    EXPECT_EQ(got.lfHeight, -20);
    EXPECT_STREQ(got.lfFaceName, "Courier");
    DeleteObject(font);

    EXPECT_EQ(GetObjectA(reinterpret_cast<HGDIOBJ>(0x1234), sizeof got, &got), 0);
    EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(0x1234)), 0u);
    EXPECT_EQ(GetObjectType(nullptr), 0u);
}

TEST(GdiObjects, InvalidHandlesFailWithoutHarm) {
    HDC bogus = reinterpret_cast<HDC>(0x4321);
    EXPECT_EQ(SelectObject(bogus, GetStockObject(BLACK_PEN)), nullptr);
    EXPECT_FALSE(DeleteDC(bogus));
    EXPECT_FALSE(DeleteDC(nullptr));
    EXPECT_EQ(SetTextColor(bogus, 0), CLR_INVALID);
    EXPECT_EQ(GetPixel(bogus, 0, 0), CLR_INVALID);
    EXPECT_FALSE(DeleteObject(nullptr));
    EXPECT_EQ(CreateBrushIndirect(nullptr), nullptr);
    EXPECT_EQ(CreateFontIndirectA(nullptr), nullptr);
    EXPECT_EQ(CreatePatternBrush(nullptr), nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_FALSE(DeleteObject(dc)) << "DCs go with DeleteDC";
    EXPECT_EQ(SetBkMode(dc, 7), 0);
    EXPECT_EQ(SetROP2(dc, 0), 0);
    DeleteDC(dc);
}

TEST(GdiDeviceContext, SaveAndRestoreByLevelAndRelative) {
    GdiCanvas canvas(2, 2);
    HDC dc = canvas.dc();
    HBRUSH brush = CreateSolidBrush(RGB(9, 9, 9));
    SetTextColor(dc, RGB(1, 0, 0));
    EXPECT_EQ(SaveDC(dc), 1);
    SetTextColor(dc, RGB(2, 0, 0));
    SelectObject(dc, brush);
    SetBkMode(dc, TRANSPARENT);
    EXPECT_EQ(SaveDC(dc), 2);
    SetTextColor(dc, RGB(3, 0, 0));
    EXPECT_EQ(SaveDC(dc), 3);
    SetTextColor(dc, RGB(4, 0, 0));

    EXPECT_TRUE(RestoreDC(dc, -1));
    EXPECT_EQ(GetTextColor(dc), RGB(3, 0, 0));
    EXPECT_TRUE(RestoreDC(dc, 1)) << "back to the first level, dropping the second";
    EXPECT_EQ(GetTextColor(dc), RGB(1, 0, 0));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_FALSE(RestoreDC(dc, 1)) << "nothing saved any more";
    EXPECT_FALSE(RestoreDC(dc, -1));
    EXPECT_FALSE(RestoreDC(dc, 0));
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_EQ(GetObjectType(brush), 0u);
}

TEST(GdiDeviceContext, ViewportOriginMovesLogicalCoordinates) {
    GdiCanvas canvas(8, 8);
    POINT previous{-1, -1};
    ASSERT_TRUE(SetViewportOrgEx(canvas.dc(), 3, 4, &previous));
    EXPECT_EQ(previous.x, 0);
    EXPECT_EQ(previous.y, 0);
    EXPECT_EQ(SetPixel(canvas.dc(), 1, 1, RGB(255, 0, 0)), RGB(255, 0, 0));
    EXPECT_EQ(canvas.at(4, 5), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(canvas.dc(), 1, 1), RGB(255, 0, 0));
    OffsetViewportOrgEx(canvas.dc(), -3, -4, nullptr);
    POINT now{};
    GetViewportOrgEx(canvas.dc(), &now);
    EXPECT_EQ(now.x, 0);
    EXPECT_EQ(now.y, 0);
    EXPECT_EQ(GetPixel(canvas.dc(), 8, 0), CLR_INVALID) << "outside the bitmap";
}

TEST(GdiDeviceContext, ClipRectanglesLimitPaintingAndReportTheirBox) {
    GdiCanvas canvas(10, 10);
    RECT box{};
    EXPECT_EQ(GetClipBox(canvas.dc(), &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 10);
    EXPECT_EQ(IntersectClipRect(canvas.dc(), 2, 2, 6, 6), SIMPLEREGION);
    EXPECT_EQ(IntersectClipRect(canvas.dc(), 4, 0, 20, 20), SIMPLEREGION);
    GetClipBox(canvas.dc(), &box);
    EXPECT_EQ(box.left, 4);
    EXPECT_EQ(box.top, 2);
    EXPECT_EQ(box.right, 6);
    EXPECT_EQ(box.bottom, 6);
    EXPECT_EQ(SetPixel(canvas.dc(), 3, 3, RGB(0, 0, 0)), CLR_INVALID);
    EXPECT_EQ(SetPixel(canvas.dc(), 4, 3, RGB(0, 0, 0)), RGB(0, 0, 0));
    EXPECT_EQ(IntersectClipRect(canvas.dc(), 8, 8, 9, 9), NULLREGION);

    HRGN region = CreateRectRgn(0, 0, 3, 3);
    EXPECT_EQ(SelectClipRgn(canvas.dc(), region), SIMPLEREGION);
    DeleteObject(region);  // the DC keeps its own copy
    GetClipBox(canvas.dc(), &box);
    EXPECT_EQ(box.right, 3);
    EXPECT_EQ(SelectClipRgn(canvas.dc(), nullptr), SIMPLEREGION);
    GetClipBox(canvas.dc(), &box);
    EXPECT_EQ(box.right, 10);
}

struct SysColorCase {
    int index;
    COLORREF color;
};

TEST(GdiSysColors, ClassicSchemeAndItsBrushes) {
    const SysColorCase cases[] = {
        {COLOR_3DFACE, RGB(192, 192, 192)},    {COLOR_3DSHADOW, RGB(128, 128, 128)},
        {COLOR_3DHILIGHT, RGB(255, 255, 255)}, {COLOR_3DDKSHADOW, RGB(0, 0, 0)},
        {COLOR_WINDOW, RGB(255, 255, 255)},    {COLOR_WINDOWTEXT, RGB(0, 0, 0)},
        {COLOR_HIGHLIGHT, RGB(0, 0, 128)},     {COLOR_HIGHLIGHTTEXT, RGB(255, 255, 255)},
        {COLOR_GRAYTEXT, RGB(128, 128, 128)},  {COLOR_BTNTEXT, RGB(0, 0, 0)},
        {COLOR_INFOBK, RGB(255, 255, 225)},    {COLOR_ACTIVECAPTION, RGB(0, 0, 128)},
    };
    for (const SysColorCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "COLOR index " << c.index);
        EXPECT_EQ(GetSysColor(c.index), c.color);
        HBRUSH brush = GetSysColorBrush(c.index);
        ASSERT_NE(brush, nullptr);
        EXPECT_EQ(GetSysColorBrush(c.index), brush);
        LOGBRUSH log{};
        GetObjectA(brush, sizeof log, &log);
        EXPECT_EQ(log.lbColor, c.color);
        DeleteObject(brush);
        EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH))
            << "system colour brushes ignore DeleteObject";
    }
    EXPECT_EQ(GetSysColor(-1), 0u);
    EXPECT_EQ(GetSysColor(200), 0u);
    EXPECT_EQ(GetSysColorBrush(200), nullptr);
}

}  // namespace
