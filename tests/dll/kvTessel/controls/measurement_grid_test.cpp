// The measurement grid on a dialog, driven through the Robot as a person uses it: the
// new-measurement row, moving between the check box and the expression, starting a new
// measurement, rows emptied and left, Delete, insertion of picked names at the caret, and Tab.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "WindowFixture.h"
#include "controls/MeasurementGrid.h"
#include "kvwin32/robot.h"
#include "kvwin32/winuser_dialog.h"

namespace {

using Cell = std::pair<ROWCOL, ROWCOL>;

class MeasurementGridTest : public kvtest::WindowFixture {
  protected:
    void SetUp() override {
        GXInit(0x0B00);
        dialog = CreateWindowExA(0, WC_DIALOG, "Measurements", WS_POPUP | WS_VISIBLE, 0, 0, 360,
                                 260, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(dialog, nullptr);
        before = child("EDIT", 100, 10);
        HWND gx = CreateWindowExA(0, GX_GRID_CLASS, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 8, 40,
                                  301, 150, dialog, reinterpret_cast<HMENU>(200), nullptr, nullptr);
        ASSERT_NE(gx, nullptr);
        ASSERT_TRUE(grid.SubclassWindow(gx));
        list = child("LISTBOX", 300, 200);
        grid.InitializeGrid();
    }
    void TearDown() override {
        grid.DestroyWindow();
        WindowFixture::TearDown();
    }
    HWND child(const char* cls, int id, int y) {
        return CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 8, y, 200, 24,
                               dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
                               nullptr);
    }
    // Fills the grid as the page does: the new-measurement row, then a row for each
    // expression before it, enabled when it does not begin with "-", and no current cell.
    void fill(const std::vector<std::string>& expressions) {
        grid.SetupGrid(0);
        grid.ApplyGridParams();
        for (const std::string& e : expressions) {
            const bool off = !e.empty() && e[0] == '-';
            const ROWCOL row = grid.GetRowCount();
            ASSERT_TRUE(grid.InsertMeasurementRow(row));
            grid.SetValueRange(CGXRange(row, 1), off ? "0" : "1");
            grid.SetValueRange(CGXRange(row, 2), off ? e.substr(1).c_str() : e.c_str());
        }
        grid.SetCurrentCell(0, 0, 0x0A);
        grid.SetModified(FALSE);
    }
    kvwin32::GridCellQuery cell(int row, int col) {
        auto c = kvwin32::Robot::gridCell(grid.m_hWnd, row, col);
        EXPECT_TRUE(c.has_value());
        return c.value_or(kvwin32::GridCellQuery{});
    }
    // The expressions of the measurement rows (the new-measurement row left out).
    std::vector<std::string> expressions() {
        std::vector<std::string> out;
        for (ROWCOL r = 1; r < grid.GetRowCount(); ++r) {
            out.push_back(grid.GetValueRowCol(r, 2).str());
        }
        return out;
    }
    Cell current() {
        ROWCOL r = 0;
        ROWCOL c = 0;
        grid.GetCurrentCell(r, c);
        return {r, c};
    }
    bool editorActive() {
        CGXControl* control = grid.GetCurrentCellControl();
        return control != nullptr && control->IsActive();
    }
    CMeasurementEdit* editor() {
        return dynamic_cast<CMeasurementEdit*>(grid.GetRegisteredControl(52512));
    }
    // Starts editing a row's expression with two clicks, as a person does: the first enters
    // the row (its check box cell), the second the expression.
    void editExpression(int row) {
        ASSERT_TRUE(robot.clickCell(grid.m_hWnd, row, 2));
        ASSERT_TRUE(robot.clickCell(grid.m_hWnd, row, 2));
        ASSERT_TRUE(editorActive());
        ASSERT_EQ(current(), Cell(row, 2));
    }
    CGXStyle style(ROWCOL row, ROWCOL col) {
        CGXStyle s;
        grid.ComposeStyleRowCol(row, col, &s);
        return s;
    }
    bool framed(ROWCOL row) {
        return style(row, 1).GetIncludeBorders(gxBorderTop) &&
               style(row, 1).GetBorders(gxBorderTop) == CGXPen(PS_SOLID, 1, 10);
    }

    HWND dialog = nullptr;
    HWND before = nullptr;
    HWND list = nullptr;
    CMeasurementGrid grid;
    kvwin32::Robot robot;
};

TEST_F(MeasurementGridTest, EmptyGridShowsOnlyTheNewRowWithoutCheckBoxInADashDotDotFrame) {
    fill({});
    EXPECT_EQ(grid.GetRowCount(), 1u);
    EXPECT_EQ(grid.GetColCount(), 2u);
    EXPECT_EQ(cell(1, 1).control, "edit") << "no check box on the new-measurement row";
    EXPECT_EQ(cell(1, 1).text, "");
    EXPECT_EQ(cell(1, 2).text, "");
    EXPECT_EQ(current(), Cell(0, 0));
    const CGXStyle s = style(1, 2);
    for (GXBorderType side : {gxBorderTop, gxBorderLeft, gxBorderBottom, gxBorderRight}) {
        ASSERT_TRUE(s.GetIncludeBorders(side));
        EXPECT_EQ(s.GetBorders(side), CGXPen(PS_DASHDOTDOT, 1, 0xFE000000));
    }
    CRect client;
    grid.GetClientRect(&client);
    const int w = client.Width() - 1;
    EXPECT_EQ(grid.GetColWidth(1), static_cast<int>(w * 0.05));
    EXPECT_EQ(grid.GetColWidth(2), static_cast<int>(w * 0.95));
    EXPECT_TRUE(grid.IsRowHidden(0));
    EXPECT_TRUE(grid.IsColHidden(0));

    // Painted: the dashes in the grid-line colour along the expression cell's top.
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.Width(), client.Height());
    HGDIOBJ old = SelectObject(dc, bitmap);
    ReleaseDC(nullptr, screen);
    SendMessageA(grid.m_hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    const CRect r = grid.CalcRectFromRowCol(1, 2);
    const COLORREF dash = grid.ResolveColor(0xFE000000);
    std::string top;
    std::string bottom;
    for (int x = r.left; x < r.left + 24; ++x) {
        top += GetPixel(dc, x, r.top) == dash ? '#' : '.';
        bottom += GetPixel(dc, x, r.bottom - 1) == dash ? '#' : '.';
    }
    EXPECT_EQ(top, "#########...###...###...");
    EXPECT_EQ(bottom, top);
    const CRect box = grid.CalcRectFromRowCol(1, 1);
    int notWindow = 0;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            notWindow += GetPixel(dc, x, y) != GetSysColor(COLOR_WINDOW) ? 1 : 0;
        }
    }
    EXPECT_EQ(notWindow, 0) << "nothing drawn in the new row's first cell";
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST_F(MeasurementGridTest, FillingPutsRowsBeforeTheNewRowAndKeepsTheColumnsFitted) {
    fill({"V(a)", "-I(b)"});
    EXPECT_EQ(grid.GetRowCount(), 3u);
    EXPECT_EQ(cell(1, 1).control, "check");
    EXPECT_EQ(cell(1, 1).text, "1");
    EXPECT_EQ(cell(2, 1).text, "0");
    EXPECT_EQ(cell(2, 2).text, "I(b)");
    EXPECT_EQ(cell(3, 1).control, "edit");
    EXPECT_TRUE(style(3, 2).GetIncludeBorders(gxBorderTop)) << "the new row keeps its frame";
    EXPECT_EQ(grid.GetColWidth(2), grid.GetGridRect().Width() - 1 - grid.GetColWidth(1));
    EXPECT_FALSE(grid.IsModified()) << "filling is no change";
    grid.SetupGrid(0);
    EXPECT_EQ(grid.GetRowCount(), 1u) << "set-up starts afresh";
    EXPECT_EQ(cell(1, 2).text, "");
}

TEST_F(MeasurementGridTest, EnteringARowFramesItAndPutsTheCurrentCellOnItsCheckBox) {
    fill({"V(a)", "V(b)", "V(c)"});
    ASSERT_TRUE(robot.clickCell(grid.m_hWnd, 2, 2));
    EXPECT_EQ(current(), Cell(2, 1));
    EXPECT_EQ(cell(2, 1).text, "1") << "entering the row does not toggle its box";
    EXPECT_TRUE(framed(2));
    EXPECT_EQ(style(2, 2).GetInterior(), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(style(2, 2).GetBorders(gxBorderRight), CGXPen(PS_SOLID, 1, 10));
    EXPECT_EQ(grid.GetCurrentRow(), 2u);
    ASSERT_TRUE(robot.clickCell(grid.m_hWnd, 3, 1));
    EXPECT_EQ(current(), Cell(3, 1));
    EXPECT_EQ(cell(3, 1).text, "0") << "a click on a box toggles it";
    EXPECT_TRUE(grid.IsModified());
    EXPECT_FALSE(framed(2)) << "the row left loses its frame";
    EXPECT_EQ(style(2, 2).GetInterior(), GetSysColor(COLOR_WINDOW));
    EXPECT_FALSE(style(2, 1).GetIncludeBorders(gxBorderLeft));
    EXPECT_TRUE(framed(3));
}

TEST_F(MeasurementGridTest, LetterOnACheckCellStartsTheExpressionAndSpaceGoesBack) {
    fill({"V(a)"});
    ASSERT_TRUE(robot.clickCell(grid.m_hWnd, 1, 2));
    ASSERT_EQ(current(), Cell(1, 1));
    ASSERT_TRUE(robot.typeKeys(grid.m_hWnd, "I(x)"));
    EXPECT_EQ(current(), Cell(1, 2));
    EXPECT_TRUE(editorActive());
    EXPECT_TRUE(grid.IsEditing());
    EXPECT_EQ(cell(1, 2).text, "I(x)") << "typing replaces the expression";
    EXPECT_EQ(style(1, 2).GetInterior(), GetSysColor(COLOR_WINDOW)) << "edited on normal colours";
    ASSERT_TRUE(robot.key(GetFocus(), VK_RETURN));
    EXPECT_FALSE(editorActive());
    EXPECT_EQ(grid.GetValueRowCol(1, 2).str(), "I(x)");
    EXPECT_EQ(current(), Cell(1, 2)) << "Enter stays on the cell";
    ASSERT_TRUE(robot.key(grid.m_hWnd, VK_SPACE));
    EXPECT_EQ(current(), Cell(1, 1));
    EXPECT_EQ(cell(1, 1).text, "1") << "Space moved, it did not toggle";
    EXPECT_FALSE(grid.IsEditing());
    EXPECT_TRUE(grid.IsModified());
}

TEST_F(MeasurementGridTest, EscapeThrowsTheEditAwayAndReturnsToTheCheckBox) {
    fill({"V(a)"});
    editExpression(1);
    ASSERT_TRUE(robot.typeKeys(GetFocus(), "+1"));
    EXPECT_EQ(cell(1, 2).text, "V(a)+1");
    ASSERT_TRUE(robot.key(GetFocus(), VK_ESCAPE));
    EXPECT_EQ(grid.GetValueRowCol(1, 2).str(), "V(a)");
    EXPECT_EQ(current(), Cell(1, 1));
    EXPECT_TRUE(IsWindow(dialog)) << "Escape is the grid's, not the dialog's";
}

TEST_F(MeasurementGridTest, EditingTheNewRowMakesItAnEnabledMeasurementAndAddsAFreshNewRow) {
    fill({"V(a)"});
    ASSERT_TRUE(robot.clickCell(grid.m_hWnd, 2, 2));
    EXPECT_EQ(current(), Cell(2, 1));
    EXPECT_FALSE(framed(2)) << "the new row is never framed";
    EXPECT_EQ(grid.GetCurrentRow(), 2u);
    ASSERT_TRUE(robot.typeKeys(grid.m_hWnd, "V(out)"));
    EXPECT_EQ(grid.GetRowCount(), 3u);
    EXPECT_EQ(cell(2, 1).control, "check");
    EXPECT_EQ(cell(2, 1).text, "1");
    EXPECT_TRUE(framed(2));
    EXPECT_FALSE(style(2, 2).GetIncludeBorders(gxBorderLeft)) << "no dashes left on it";
    EXPECT_EQ(style(2, 2).GetBorders(gxBorderTop), CGXPen(PS_SOLID, 1, 10));
    EXPECT_EQ(cell(3, 1).control, "edit");
    EXPECT_EQ(style(3, 2).GetBorders(gxBorderTop).GetStyle(), static_cast<UINT>(PS_DASHDOTDOT));
    EXPECT_EQ(current(), Cell(2, 2));
    EXPECT_TRUE(grid.IsEditing());
    EXPECT_TRUE(grid.IsModified());
    ASSERT_TRUE(robot.key(GetFocus(), VK_RETURN));
    EXPECT_EQ(expressions(), (std::vector<std::string>{"V(a)", "V(out)"}));
}

TEST_F(MeasurementGridTest, ClickOnTheNewRowsFirstCellAddsAnEnabledRowWithoutEditing) {
    fill({});
    ASSERT_TRUE(robot.clickCell(grid.m_hWnd, 1, 1));
    EXPECT_EQ(grid.GetRowCount(), 2u);
    EXPECT_EQ(cell(1, 1).control, "check");
    EXPECT_EQ(cell(1, 1).text, "1");
    EXPECT_FALSE(editorActive());
    EXPECT_EQ(current(), Cell(1, 1));
    // Leaving it with its expression still empty removes it again.
    ASSERT_TRUE(robot.clickCell(grid.m_hWnd, 2, 2));
    EXPECT_EQ(grid.GetRowCount(), 1u);
    EXPECT_EQ(current(), Cell(1, 1));
}

struct EmptiedCase {
    const char* name;
    int row;            // the row whose expression is replaced
    const char* typed;  // what it becomes
    int moveTo;         // the row clicked next (0: Down pressed in the editor)
    std::vector<std::string> after;
    Cell current;
};

TEST_F(MeasurementGridTest, RowEmptiedAndLeftIsRemovedAndTheRightRowBecomesCurrent) {
    const EmptiedCase cases[] = {
        {"first emptied, row below clicked", 1, "", 3, {"B", "C"}, {2, 1}},
        {"last emptied, row above clicked", 3, "", 1, {"A", "B"}, {1, 1}},
        {"middle emptied, Down pressed", 2, "", 0, {"A", "C"}, {2, 1}},
        {"blanks only count as empty", 2, "  \t ", 1, {"A", "C"}, {1, 1}},
        {"changed but not empty", 2, "Z", 1, {"A", "Z", "C"}, {1, 1}},
        {"emptied, new row clicked", 1, "", 4, {"B", "C"}, {3, 1}},
    };
    for (const EmptiedCase& c : cases) {
        SCOPED_TRACE(c.name);
        fill({"A", "B", "C"});
        editExpression(c.row);
        ASSERT_TRUE(robot.type(GetFocus(), c.typed));
        if (c.moveTo == 0) {
            ASSERT_TRUE(robot.key(GetFocus(), VK_DOWN));
        } else {
            ASSERT_TRUE(robot.clickCell(grid.m_hWnd, c.moveTo, 2));
        }
        EXPECT_EQ(expressions(), c.after);
        EXPECT_EQ(current(), c.current);
        EXPECT_TRUE(framed(c.current.first) || c.current.first == grid.GetRowCount());
    }
}

TEST_F(MeasurementGridTest, DeleteRemovesAMeasurementRowButNeverTheNewRow) {
    struct Case {
        const char* name;
        int row;
        std::vector<std::string> after;
        bool modified;
        Cell current;
    };
    const Case cases[] = {
        {"first row", 1, {"B", "C"}, true, {1, 1}},
        {"middle row", 2, {"A", "C"}, true, {2, 1}},
        {"last measurement", 3, {"A", "B"}, true, {3, 1}},
        {"new-measurement row", 4, {"A", "B", "C"}, false, {4, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fill({"A", "B", "C"});
        ASSERT_TRUE(robot.clickCell(grid.m_hWnd, c.row, 2));
        ASSERT_TRUE(robot.key(grid.m_hWnd, VK_DELETE));
        EXPECT_EQ(expressions(), c.after);
        EXPECT_EQ(grid.IsModified() != FALSE, c.modified);
        EXPECT_EQ(current(), c.current);
        EXPECT_EQ(grid.GetColWidth(2), grid.GetGridRect().Width() - 1 - grid.GetColWidth(1));
    }
}

TEST_F(MeasurementGridTest, DeleteInTheEditorDeletesACharacterNotTheRow) {
    fill({"AB", "C"});
    editExpression(1);
    ASSERT_TRUE(robot.key(GetFocus(), VK_HOME));
    ASSERT_TRUE(robot.key(GetFocus(), VK_DELETE));
    EXPECT_EQ(cell(1, 2).text, "B");
    EXPECT_EQ(grid.GetRowCount(), 3u);
}

struct InsertCase {
    const char* name;
    const char* expression;
    int selStart;
    int selEnd;
    const char* inserted;
    const char* expectText;
    int expectCaret;
};

TEST_F(MeasurementGridTest, PickedNamesAreInsertedAtTheRememberedCaret) {
    const InsertCase cases[] = {
        {"function into an empty expression", "", 0, 0, "ABS( )", "ABS( )", 4},
        {"variable between empty parentheses", "MAX()", 4, 4, "V(out)", "MAX(V(out))", 11},
        {"variable before a comma", "PWR(, 2)", 4, 4, "V(out)", "PWR(V(out), 2)", 11},
        {"selection replaced", "V(a)+V(b)", 5, 9, "I(c)", "V(a)+I(c)", 9},
        {"operator after a name", "V(a)", 4, 4, "+", "V(a)+", 5},
        {"function with commas only", "V(a)*", 5, 5, "MAX(, )", "V(a)*MAX(, )", 9},
    };
    for (const InsertCase& c : cases) {
        SCOPED_TRACE(c.name);
        fill({c.expression[0] != '\0' ? c.expression : "x"});
        editExpression(1);
        if (c.expression[0] == '\0') {
            ASSERT_TRUE(robot.type(GetFocus(), ""));
        }
        editor()->SetSel(c.selStart, c.selEnd);
        SetFocus(list);  // the person picks in a list of the page
        grid.InsertTextAtCaret(c.inserted);
        CString text;
        editor()->GetWindowText(text);
        EXPECT_EQ(text.str(), c.expectText);
        int start = -1;
        int end = -1;
        editor()->GetSel(start, end);
        EXPECT_EQ(start, c.expectCaret);
        EXPECT_EQ(end, c.expectCaret);
        EXPECT_EQ(GetFocus(), list) << "the focus stays in the list";
        EXPECT_TRUE(grid.IsModified());
        EXPECT_TRUE(grid.IsEditing());
    }
}

TEST_F(MeasurementGridTest, ASecondPickGoesWhereTheFirstLeftTheCaretAndTheValueIsStored) {
    fill({"MAX()"});
    editExpression(1);
    editor()->SetSel(4, 4);
    SetFocus(list);
    grid.InsertTextAtCaret("V(a)");
    grid.InsertTextAtCaret("+1");
    CString text;
    editor()->GetWindowText(text);
    EXPECT_EQ(text.str(), "MAX(V(a))+1");
    grid.TransferCurrentCell();
    EXPECT_EQ(expressions(), std::vector<std::string>{"MAX(V(a))+1"});
}

TEST_F(MeasurementGridTest, NothingIsInsertedWithoutARememberedCaretOrOutsideAnExpression) {
    fill({"V(a)"});
    grid.InsertTextAtCaret("I(x)");
    EXPECT_EQ(expressions(), std::vector<std::string>{"V(a)"}) << "no current cell";
    editExpression(1);
    grid.InsertTextAtCaret("I(x)");
    EXPECT_EQ(cell(1, 2).text, "V(a)") << "the focus never left the editor";
    ASSERT_TRUE(robot.clickCell(grid.m_hWnd, 1, 1));
    SetFocus(list);
    grid.InsertTextAtCaret("I(x)");
    EXPECT_EQ(cell(1, 2).text, "V(a)") << "the check box is current";
}

struct CaretCase {
    int p;
    const char* inserted;
    const char* full;
    int expect;
};

TEST(CaretAfterInsert, PlacesTheCaretWhereTheNextArgumentGoes) {
    const CaretCase cases[] = {
        {6, "ABS( )", "ABS( )", 4},             // empty argument places: after "("
        {6, "ABS()", "XABS()", 5},              // (p - length) + index of "(" + 1
        {8, "F(,,)", "AB+F(,,)", 5},            // commas only count as empty
        {10, "V(out)", "MAX(V(out))", 11},      // after the closing ")" of MAX
        {10, "V(out)", "PWR(V(out), 2)", 11},   // after the next comma
        {11, "V(out)", "PWR( V(out) ,2)", 13},  // blanks before the comma skipped
        {11, "V(out)", "F(A,V(out)) )", 13},    // after a comma: the last ")" of the run
        {10, "V(out)", "MAX(V(out)x", 10},      // nothing to skip to
        {5, "+", "V(a)+", 5},                   // ")" before: no argument list
        {6, "V(b)", "(V(b)", 6},                // the index falls below 1
        {4, "V(b)", "V(b)", 4},                 // at the start
        {2, "V(b)", "V(", 2},                   // p before the insertion's length
        {4, "I(x)", "I(x)", 4},
    };
    for (const CaretCase& c : cases) {
        EXPECT_EQ(CMeasurementGrid::CaretAfterInsert(c.p, c.inserted, c.full), c.expect)
            << c.inserted << " into " << c.full << " at " << c.p;
    }
}

TEST_F(MeasurementGridTest, TabLeavesTheGridForTheNextControlAndEntersItOnTheCheckBox) {
    fill({"V(a)", "V(b)"});
    ASSERT_TRUE(robot.clickCell(grid.m_hWnd, 2, 2));
    ASSERT_TRUE(robot.key(grid.m_hWnd, VK_TAB));
    EXPECT_EQ(GetFocus(), list);
    editExpression(1);
    editor()->SetSel(1, 2);
    ASSERT_TRUE(robot.key(GetFocus(), VK_TAB, kvwin32::KeyModifiers::shift));
    EXPECT_EQ(GetFocus(), before) << "Shift+Tab goes back";
    EXPECT_TRUE(editorActive()) << "the editor stays open for picks";
    EXPECT_EQ(editor()->m_nSelStart, 1);
    EXPECT_EQ(editor()->m_nSelEnd, 2);
    fill({"V(a)", "V(b)"});
    ASSERT_TRUE(robot.key(before, VK_TAB));
    EXPECT_EQ(GetFocus(), grid.m_hWnd);
    EXPECT_EQ(current(), Cell(1, 1)) << "entered with Tab: the first row's check box";
    EXPECT_TRUE(framed(1));
}

TEST_F(MeasurementGridTest, DraggingAcrossRowsShowsNoRangeAndMovesToTheRowReached) {
    fill({"A", "B", "C"});
    ASSERT_TRUE(robot.clickCell(grid.m_hWnd, 1, 2));
    auto at = [&](ROWCOL row) {
        CRect r = grid.CalcRectFromRowCol(row, 2);
        return MAKELPARAM(r.left + 5, r.top + 3);
    };
    grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at(1));
    grid.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at(3));
    EXPECT_FALSE(framed(1));
    EXPECT_TRUE(framed(3));
    grid.SendMessage(WM_LBUTTONUP, 0, at(3));
    EXPECT_EQ(current(), Cell(3, 1));
    EXPECT_TRUE(framed(3));
    EXPECT_EQ(style(3, 2).GetInterior(), GetSysColor(COLOR_HIGHLIGHT));
}

TEST_F(MeasurementGridTest, RemoveRowIfEmptyNeverTouchesTheHeaderOrTheNewRow) {
    fill({"", "A"});
    EXPECT_FALSE(grid.RemoveRowIfEmpty(0));
    EXPECT_FALSE(grid.RemoveRowIfEmpty(3));
    EXPECT_FALSE(grid.RemoveRowIfEmpty(2));
    EXPECT_TRUE(grid.RemoveRowIfEmpty(1));
    EXPECT_EQ(expressions(), std::vector<std::string>{"A"});
}

}  // namespace
