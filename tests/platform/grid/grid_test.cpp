// The grid control: styles and their modify types, ranges, the table's rows and columns, the
// current cell through insertions and removals, keys, clicks and editing through the Robot,
// and what the grid paints into a DC.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "WindowFixture.h"
#include "grid/gxall.h"
#include "kvwin32/robot.h"
#include "kvwin32/winuser_dialog.h"

namespace {

// ---- Styles and ranges ------------------------------------------------------------------------

struct ModifyCase {
    const char* name;
    GXModifyType mt;
    const char* expectValue;  // nullptr: no value
    bool expectControl;       // the old control kept
    bool expectTopBorder;
};

TEST(GridStyle, ModifyTypesMergeAttributesAsTheySay) {
    const ModifyCase cases[] = {
        {"override", gxOverride, "new", true, true},
        {"apply new", gxApplyNew, "old", true, true},
        {"copy", gxCopy, "new", false, true},
        {"exclude", gxExclude, nullptr, true, false},
    };
    for (const ModifyCase& c : cases) {
        CGXStyle mine;
        mine.SetValue("old").SetControl(GX_IDS_CTRL_CHECKBOX3D);
        CGXStyle theirs;
        theirs.SetValue("new").SetBorders(gxBorderTop, CGXPen(PS_DOT, 1, 5));
        mine.ChangeStyle(theirs, c.mt);
        if (c.expectValue != nullptr) {
            EXPECT_TRUE(mine.GetIncludeValue()) << c.name;
            EXPECT_EQ(mine.GetValue().str(), c.expectValue) << c.name;
        } else {
            EXPECT_FALSE(mine.GetIncludeValue()) << c.name;
        }
        EXPECT_EQ(mine.GetIncludeControl() != FALSE, c.expectControl) << c.name;
        if (c.mt == gxApplyNew || c.mt == gxOverride || c.mt == gxCopy) {
            EXPECT_TRUE(mine.GetIncludeBorders(gxBorderTop)) << c.name;
            EXPECT_EQ(mine.GetBorders(gxBorderTop), CGXPen(PS_DOT, 1, 5)) << c.name;
        } else {
            EXPECT_FALSE(mine.GetIncludeBorders(gxBorderTop)) << c.name;
        }
    }
}

TEST(GridStyle, ExcludeRemovesBordersWhateverTheirPen) {
    CGXStyle cell;
    cell.SetBorders(gxBorderAll, CGXPen(PS_DASHDOTDOT, 1, GX_GRIDCOLOR_FLAGS));
    cell.ChangeStyle(CGXStyle()
                         .SetBorders(gxBorderTop, CGXPen(PS_SOLID, 1, 10))
                         .SetBorders(gxBorderLeft, CGXPen()),
                     gxExclude);
    EXPECT_FALSE(cell.GetIncludeBorders(gxBorderTop));
    EXPECT_FALSE(cell.GetIncludeBorders(gxBorderLeft));
    EXPECT_TRUE(cell.GetIncludeBorders(gxBorderBottom));
    EXPECT_TRUE(cell.GetIncludeBorders(gxBorderRight));
    EXPECT_EQ(cell.GetBorders(gxBorderRight).GetStyle(), static_cast<UINT>(PS_DASHDOTDOT));
}

TEST(GridRange, CornersAreOrderedAndKindsHoldTheirCells) {
    CGXRange cells(5, 3, 2, 1);
    EXPECT_EQ(cells, CGXRange(2, 1, 5, 3));
    EXPECT_TRUE(cells.IsCellInRange(2, 1));
    EXPECT_TRUE(cells.IsCellInRange(5, 3));
    EXPECT_FALSE(cells.IsCellInRange(6, 3));
    CGXRange rows;
    rows.SetRows(4, 2);
    EXPECT_TRUE(rows.IsRows());
    EXPECT_TRUE(rows.IsCellInRange(3, 999));
    EXPECT_FALSE(rows.IsCellInRange(5, 1));
    CGXRange cols;
    cols.SetCols(2);
    EXPECT_TRUE(cols.IsCellInRange(1000, 2));
    EXPECT_FALSE(cols.IsCellInRange(1, 1));
    EXPECT_FALSE(CGXRange().IsValid());
    EXPECT_TRUE(CGXRange().SetTable().IsCellInRange(7, 7));
}

// ---- A grid window on a dialog ----------------------------------------------------------------

// A grid that records the decisions it is asked for.
class RecordingGrid : public CGXGridWnd {
  public:
    std::vector<std::string> log;
    BOOL refuseEditing = FALSE;

    void OnModifyCell(ROWCOL row, ROWCOL col) override {
        log.push_back("modify " + std::to_string(row) + "," + std::to_string(col));
    }
    BOOL OnLeftCell(ROWCOL oldRow, ROWCOL oldCol, ROWCOL newRow, ROWCOL newCol) override {
        log.push_back("left " + std::to_string(oldRow) + "," + std::to_string(oldCol) + " for " +
                      std::to_string(newRow) + "," + std::to_string(newCol));
        return TRUE;
    }
    BOOL OnStartEditing(ROWCOL row, ROWCOL col) override {
        log.push_back("start " + std::to_string(row) + "," + std::to_string(col));
        return !refuseEditing && CGXGridWnd::OnStartEditing(row, col);
    }
};

class GridTest : public kvtest::WindowFixture {
  protected:
    void SetUp() override {
        GXInit(0x0B00);
        dialog = CreateWindowExA(0, WC_DIALOG, "Grid", WS_POPUP | WS_VISIBLE, 0, 0, 320, 200,
                                 nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(dialog, nullptr);
        before = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 4, 4, 100, 20,
                                 dialog, reinterpret_cast<HMENU>(100), nullptr, nullptr);
        // As a dialog template holds it: a GXWND window, subclassed by the grid object.
        HWND gx = CreateWindowExA(0, GX_GRID_CLASS, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 4, 30,
                                  300, 120, dialog, reinterpret_cast<HMENU>(200), nullptr, nullptr);
        ASSERT_NE(gx, nullptr);
        ASSERT_TRUE(grid.SubclassWindow(gx));
        after = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 4, 160, 60,
                                24, dialog, reinterpret_cast<HMENU>(IDOK), nullptr, nullptr);
        grid.Initialize();
        grid.SetRowCount(3);
        grid.SetColCount(2);
        grid.HideRows(0, 0);
        grid.HideCols(0, 0);
        grid.SetColWidth(1, 1, 40);
        grid.SetColWidth(2, 2, 200);
        grid.SetStyleRange(CGXRange().SetCols(1), CGXStyle().SetControl(GX_IDS_CTRL_CHECKBOX3D));
        grid.GetParam()->SetActivateCellFlags(GX_CAFOCUS_CLICKONCELL);
        for (ROWCOL r = 1; r <= 3; ++r) {
            grid.SetValueRange(CGXRange(r, 1), r == 2 ? "1" : "0");
            grid.SetValueRange(CGXRange(r, 2), ("text" + std::to_string(r)).c_str());
        }
    }
    void TearDown() override {
        grid.DestroyWindow();
        WindowFixture::TearDown();
    }
    std::string cell(int row, int col) {
        auto c = kvwin32::Robot::gridCell(grid.m_hWnd, row, col);
        return c ? c->text : "<no grid>";
    }
    std::pair<ROWCOL, ROWCOL> current() {
        ROWCOL r = 0;
        ROWCOL c = 0;
        grid.GetCurrentCell(r, c);
        return {r, c};
    }
    bool editing() {
        CGXControl* control = grid.GetCurrentCellControl();
        return control != nullptr && control->IsActive();
    }

    HWND dialog = nullptr;
    HWND before = nullptr;
    HWND after = nullptr;
    RecordingGrid grid;
    kvwin32::Robot robot;
};

TEST_F(GridTest, GxwndIsRegisteredAndHiddenHeadersTakeNoSpace) {
    WNDCLASSA wc{};
    EXPECT_TRUE(GetClassInfoA(nullptr, GX_GRID_CLASS, &wc));
    CRect first = grid.CalcRectFromRowCol(1, 1);
    EXPECT_EQ(first, CRect(0, 0, 40, first.bottom));
    EXPECT_EQ(grid.CalcRectFromRowCol(1, 2).left, 40);
    EXPECT_TRUE(grid.CalcRectFromRowCol(0, 1).IsRectEmpty());
    EXPECT_EQ(grid.GetColWidth(0), 0);
    EXPECT_EQ(SendMessageA(grid.m_hWnd, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, DLGC_WANTALLKEYS);
}

// A dialog template in memory holding one control of class GXWND, as a resource script's
// CONTROL "", 200, "GXWND", WS_TABSTOP, ... line makes it.
std::vector<WORD> gridTemplate() {
    std::vector<WORD> t;
    auto dword = [&t](DWORD v) {
        t.push_back(LOWORD(v));
        t.push_back(HIWORD(v));
    };
    auto text = [&t](const char* s) {
        for (; *s; ++s) {
            t.push_back(static_cast<unsigned char>(*s));
        }
        t.push_back(0);
    };
    dword(WS_POPUP | WS_CAPTION);
    dword(0);
    t.push_back(1);
    for (WORD v : {0, 0, 200, 120}) {
        t.push_back(v);
    }
    t.push_back(0);  // no menu
    t.push_back(0);  // dialog class
    text("Template");
    while (t.size() % 2) {
        t.push_back(0);
    }
    dword(WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    dword(0);
    for (WORD v : {7, 7, 180, 90}) {
        t.push_back(v);
    }
    t.push_back(200);
    text(GX_GRID_CLASS);
    text("");
    t.push_back(0);  // no creation data
    return t;
}

INT_PTR CALLBACK quietDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

TEST_F(GridTest, ADialogTemplateHoldsAGridThatItsCodeSubclasses) {
    std::vector<WORD> t = gridTemplate();
    HWND fromTemplate = CreateDialogIndirectParamA(
        nullptr, reinterpret_cast<LPCDLGTEMPLATEA>(t.data()), nullptr, quietDialogProc, 0);
    ASSERT_NE(fromTemplate, nullptr);
    HWND control = GetDlgItem(fromTemplate, 200);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(kvwin32::Robot::className(control), GX_GRID_CLASS);
    EXPECT_FALSE(kvwin32::Robot::gridCell(control, 1, 1).has_value()) << "not a grid object yet";
    CGXGridWnd templated;
    ASSERT_TRUE(templated.SubclassDlgItem(200, CWnd::FromHandle(fromTemplate)));
    templated.Initialize();
    templated.SetRowCount(2);
    templated.SetColCount(2);
    templated.SetValueRange(CGXRange(2, 2), "b");
    auto c = kvwin32::Robot::gridCell(control, 2, 2);
    ASSERT_TRUE(c.has_value());
    EXPECT_EQ(c->text, "b");
    EXPECT_TRUE(c->shown);
    templated.DestroyWindow();
}

TEST_F(GridTest, InsertingAndRemovingRowsMovesValuesAndTheCurrentCell) {
    ASSERT_TRUE(grid.SetCurrentCell(2, 2));
    ASSERT_TRUE(grid.InsertRows(1, 2));
    EXPECT_EQ(grid.GetRowCount(), 5u);
    EXPECT_EQ(cell(1, 2), "");
    EXPECT_EQ(cell(3, 2), "text1");
    EXPECT_EQ(current(), std::make_pair(ROWCOL{4}, ROWCOL{2})) << "the current cell moved down";
    EXPECT_EQ(kvwin32::Robot::gridCell(grid.m_hWnd, 1, 1)->control, "check")
        << "new rows take their column's control";
    ASSERT_TRUE(grid.RemoveRows(1, 2));
    EXPECT_EQ(current(), std::make_pair(ROWCOL{2}, ROWCOL{2}));
    ASSERT_TRUE(grid.RemoveRows(2, 2));
    EXPECT_EQ(current(), std::make_pair(ROWCOL{0}, ROWCOL{0})) << "gone with its row";
    EXPECT_EQ(cell(2, 2), "text3");
    EXPECT_FALSE(grid.RemoveRows(3, 3)) << "out of range";
    EXPECT_FALSE(grid.InsertRows(4, 1)) << "past the row after the last";
    EXPECT_TRUE(grid.InsertRows(3, 1)) << "after the last row";
    EXPECT_FALSE(grid.SetCurrentCell(9, 1));
}

TEST_F(GridTest, RowAndCellStylesComposeOverTheColumnStyle) {
    grid.SetStyleRange(CGXRange(2, 1), CGXStyle().SetControl(GX_IDS_CTRL_EDIT));
    grid.SetStyleRange(CGXRange().SetRows(3), CGXStyle().SetInterior(RGB(1, 2, 3)));
    CGXStyle style;
    ASSERT_TRUE(grid.ComposeStyleRowCol(1, 1, &style));
    EXPECT_EQ(style.GetControl(), GX_IDS_CTRL_CHECKBOX3D);
    ASSERT_TRUE(grid.ComposeStyleRowCol(2, 1, &style));
    EXPECT_EQ(style.GetControl(), GX_IDS_CTRL_EDIT);
    ASSERT_TRUE(grid.ComposeStyleRowCol(3, 2, &style));
    EXPECT_EQ(style.GetInterior(), RGB(1, 2, 3));
    EXPECT_FALSE(grid.ComposeStyleRowCol(4, 1, &style));
}

TEST_F(GridTest, KeysMoveTheCurrentCellAndEditingStoresOrDiscards) {
    ASSERT_TRUE(robot.clickCell(grid.m_hWnd, 1, 2));
    EXPECT_EQ(current(), std::make_pair(ROWCOL{1}, ROWCOL{2}));
    EXPECT_TRUE(editing()) << "a click on a cell edits it";
    ASSERT_TRUE(robot.key(grid.m_hWnd, VK_ESCAPE));
    EXPECT_FALSE(editing());
    ASSERT_TRUE(robot.key(grid.m_hWnd, VK_DOWN));
    EXPECT_EQ(current(), std::make_pair(ROWCOL{2}, ROWCOL{2}));
    ASSERT_TRUE(robot.typeKeys(grid.m_hWnd, "ab"));
    EXPECT_TRUE(editing());
    EXPECT_EQ(cell(2, 2), "ab") << "typing replaces the text";
    EXPECT_EQ(grid.GetValueRowCol(2, 2).str(), "text2") << "not stored yet";
    ASSERT_TRUE(robot.key(grid.m_hWnd, VK_ESCAPE));
    EXPECT_EQ(cell(2, 2), "text2") << "Escape throws the edit away";
    ASSERT_TRUE(robot.key(grid.m_hWnd, VK_F2));
    ASSERT_TRUE(robot.typeKeys(grid.m_hWnd, "!"));
    EXPECT_EQ(cell(2, 2), "text2!") << "F2 edits at the end";
    ASSERT_TRUE(robot.key(grid.m_hWnd, VK_RETURN));
    EXPECT_FALSE(editing());
    EXPECT_EQ(grid.GetValueRowCol(2, 2).str(), "text2!");
    ASSERT_TRUE(robot.typeKeys(grid.m_hWnd, "z"));
    ASSERT_TRUE(robot.key(grid.m_hWnd, VK_UP));
    EXPECT_EQ(grid.GetValueRowCol(2, 2).str(), "z") << "leaving the cell stores its edit";
    EXPECT_EQ(current(), std::make_pair(ROWCOL{1}, ROWCOL{2}));
    ASSERT_TRUE(robot.key(grid.m_hWnd, VK_LEFT));
    EXPECT_EQ(current(), std::make_pair(ROWCOL{1}, ROWCOL{1}));
    ASSERT_TRUE(robot.key(grid.m_hWnd, VK_UP));
    EXPECT_EQ(current(), std::make_pair(ROWCOL{1}, ROWCOL{1})) << "no row above the first";
    ASSERT_TRUE(robot.key(grid.m_hWnd, VK_TAB));
    EXPECT_EQ(current(), std::make_pair(ROWCOL{1}, ROWCOL{2})) << "Tab goes to the next cell";
    ASSERT_TRUE(robot.key(grid.m_hWnd, VK_TAB));
    EXPECT_EQ(current(), std::make_pair(ROWCOL{2}, ROWCOL{1})) << "and on to the next row";
}

TEST_F(GridTest, CheckBoxesToggleWithClickAndSpaceAndReportTheChange) {
    ASSERT_TRUE(robot.clickCell(grid.m_hWnd, 1, 1));
    EXPECT_EQ(cell(1, 1), "1");
    EXPECT_FALSE(editing()) << "a check box is never edited";
    ASSERT_TRUE(robot.key(grid.m_hWnd, VK_SPACE));
    EXPECT_EQ(cell(1, 1), "0");
    grid.SetStyleRange(CGXRange(1, 1), CGXStyle().SetReadOnly(TRUE));
    ASSERT_TRUE(robot.key(grid.m_hWnd, VK_SPACE));
    EXPECT_EQ(cell(1, 1), "0") << "read-only";
    std::vector<std::string> modified;
    for (const std::string& line : grid.log) {
        if (line.rfind("modify", 0) == 0) {
            modified.push_back(line);
        }
    }
    EXPECT_EQ(modified, (std::vector<std::string>{"modify 1,1", "modify 1,1"}));
}

TEST_F(GridTest, DecisionsAreAskedInOrderAndARefusedEditStaysClosed) {
    grid.refuseEditing = TRUE;
    ASSERT_TRUE(robot.clickCell(grid.m_hWnd, 2, 2));
    EXPECT_FALSE(editing());
    ASSERT_TRUE(robot.clickCell(grid.m_hWnd, 3, 2));
    EXPECT_EQ(grid.log, (std::vector<std::string>{"start 2,2", "left 2,2 for 3,2", "start 3,2"}));
    grid.refuseEditing = FALSE;
    ASSERT_TRUE(robot.typeKeys(grid.m_hWnd, "q"));
    ASSERT_TRUE(robot.key(grid.m_hWnd, VK_TAB));
    EXPECT_EQ(grid.log.back(), "modify 3,2") << "no next cell after the last: nothing left";
    EXPECT_EQ(current(), std::make_pair(ROWCOL{3}, ROWCOL{2}));
    EXPECT_TRUE(editing());
}

TEST_F(GridTest, RobotReadsCellsAndRefusesWhatIsNoGridOrNotShown) {
    auto c = kvwin32::Robot::gridCell(grid.m_hWnd, 2, 1);
    ASSERT_TRUE(c.has_value());
    EXPECT_TRUE(c->exists);
    EXPECT_TRUE(c->shown);
    EXPECT_EQ(c->text, "1");
    EXPECT_EQ(c->rows, 3);
    EXPECT_EQ(c->cols, 2);
    EXPECT_FALSE(kvwin32::Robot::gridCell(before, 1, 1).has_value());
    EXPECT_FALSE(kvwin32::Robot::gridCell(grid.m_hWnd, 4, 1)->exists);
    EXPECT_FALSE(robot.clickCell(before, 1, 1));
    EXPECT_FALSE(robot.clickCell(grid.m_hWnd, 0, 1)) << "the hidden header row";
    EXPECT_FALSE(robot.clickCell(grid.m_hWnd, 7, 1));
    grid.SetRowCount(40);
    auto far = robot.clickCell(grid.m_hWnd, 40, 1);
    EXPECT_EQ(far.failure, kvwin32::RobotFailure::refused) << "below the window";
    ASSERT_TRUE(grid.SetCurrentCell(40, 1));
    EXPECT_TRUE(kvwin32::Robot::gridCell(grid.m_hWnd, 40, 1)->shown) << "scrolled into view";
    EXPECT_FALSE(kvwin32::Robot::gridCell(grid.m_hWnd, 1, 1)->shown);
}

TEST_F(GridTest, PaintsInteriorsTextsChecksAndStyledBordersIntoADc) {
    grid.GetParam()->GetProperties()->SetDisplayHorzLines(FALSE);
    grid.GetParam()->GetProperties()->SetDisplayVertLines(FALSE);
    grid.GetParam()->SetHideCurrentCell(GX_HIDE_ALWAYS);
    grid.SetStyleRange(CGXRange(3, 2), CGXStyle().SetInterior(RGB(0, 0, 255)));
    grid.SetStyleRange(CGXRange(1, 2), CGXStyle().SetBorders(
                                           gxBorderTop, CGXPen(PS_DASHDOTDOT, 1, RGB(255, 0, 0))));
    CRect client;
    grid.GetClientRect(&client);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.Width(), client.Height());
    HGDIOBJ old = SelectObject(dc, bitmap);
    ReleaseDC(nullptr, screen);
    SendMessageA(grid.m_hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);

    const CRect blue = grid.CalcRectFromRowCol(3, 2);
    EXPECT_EQ(GetPixel(dc, blue.right - 2, blue.top + 1), RGB(0, 0, 255));
    const CRect top = grid.CalcRectFromRowCol(1, 2);
    // Dash-dot-dot: 9 on, 3 off, 3 on, 3 off, 3 on, 3 off.
    std::string pattern;
    for (int x = top.left; x < top.left + 24; ++x) {
        pattern += GetPixel(dc, x, top.top) == RGB(255, 0, 0) ? '#' : '.';
    }
    EXPECT_EQ(pattern, "#########...###...###...");
    // The checked box of row 2 shows its mark in the window text colour; row 1's box has none.
    auto marked = [&](ROWCOL row) {
        CRect box = CGXCheckBox::BoxRect(grid.CalcRectFromRowCol(row, 1));
        int dark = 0;
        for (int y = box.top + 2; y < box.bottom - 2; ++y) {
            for (int x = box.left + 2; x < box.right - 2; ++x) {
                dark += GetPixel(dc, x, y) == GetSysColor(COLOR_WINDOWTEXT) ? 1 : 0;
            }
        }
        return dark;
    };
    EXPECT_GT(marked(2), 10);
    EXPECT_EQ(marked(1), 0);
    // Text of row 1 is drawn in the window text colour somewhere in its cell.
    const CRect text = grid.CalcRectFromRowCol(1, 2);
    int ink = 0;
    for (int y = text.top + 1; y < text.bottom - 1; ++y) {
        for (int x = text.left + 2; x < text.left + 40; ++x) {
            ink += GetPixel(dc, x, y) == GetSysColor(COLOR_WINDOWTEXT) ? 1 : 0;
        }
    }
    EXPECT_GT(ink, 5);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST_F(GridTest, DraggingAcrossRowsAsksForASelection) {
    class Selecting : public CGXGridWnd {
      public:
        std::vector<CGXRange> asked;
        BOOL CanChangeSelection(CGXRange* range, BOOL dragging) override {
            if (dragging) {
                asked.push_back(*range);
            }
            return FALSE;
        }
    };
    Selecting other;
    ASSERT_TRUE(other.Create(WS_VISIBLE, CRect(0, 0, 200, 100), CWnd::FromHandle(dialog), 300));
    other.Initialize();
    other.SetRowCount(3);
    other.SetColCount(1);
    auto at = [&](ROWCOL row) {
        CRect r = other.CalcRectFromRowCol(row, 1);
        return MAKELPARAM(r.left + 3, r.top + 3);
    };
    other.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at(1));
    other.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at(3));
    other.SendMessage(WM_LBUTTONUP, 0, at(3));
    ASSERT_EQ(other.asked.size(), 1u);
    EXPECT_EQ(other.asked[0], CGXRange(1, 1, 3, 1));
    ROWCOL r = 0;
    ROWCOL c = 0;
    other.GetCurrentCell(r, c);
    EXPECT_EQ(r, 1u) << "the current cell stays where the button went down";
    other.DestroyWindow();
}

}  // namespace
