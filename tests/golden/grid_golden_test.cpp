// Golden image of the measurement grid on a dialog: three measurements (one disabled), the
// current row framed and highlighted, and the new-measurement row with its dash-dot-dot frame.
#include <gtest/gtest.h>

#include "GoldenImage.h"
#include "WindowFixture.h"
#include "controls/MeasurementGrid.h"
#include "kvwin32/render.h"
#include "kvwin32/winuser_dialog.h"

namespace {

class GridGolden : public kvtest::WindowFixture {};

TEST_F(GridGolden, MeasurementGridWithACurrentRowAndTheNewRow) {
    ASSERT_FALSE(kvwin32::dialogFontFile().empty())
        << "the dialog font could not be read; scripts/deps installs its package";
    GXInit(0x0B00);
    HWND dialog = CreateWindowExA(0, WC_DIALOG, "Measurements", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                                  0, 0, 340, 190, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(dialog, nullptr);
    HWND gx =
        CreateWindowExA(WS_EX_CLIENTEDGE, GX_GRID_CLASS, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10,
                        10, 314, 130, dialog, reinterpret_cast<HMENU>(200), nullptr, nullptr);
    ASSERT_NE(gx, nullptr);
    CMeasurementGrid grid;
    ASSERT_TRUE(grid.SubclassWindow(gx));
    grid.InitializeGrid();
    grid.SetupGrid(0);
    grid.ApplyGridParams();
    const char* rows[][2] = {{"1", "V(out)"}, {"0", "MAX(I(R1))"}, {"1", "RiseTime(V(out))"}};
    for (const auto& row : rows) {
        const ROWCOL r = grid.GetRowCount();
        ASSERT_TRUE(grid.InsertMeasurementRow(r));
        grid.SetValueRange(CGXRange(r, 1), row[0]);
        grid.SetValueRange(CGXRange(r, 2), row[1]);
    }
    grid.SetCurrentCell(2, 1, 0x0A);
    EXPECT_TRUE(kvtest::matchesGolden("measurement_grid", kvwin32::renderWindow(dialog)));
    grid.DestroyWindow();
}

}  // namespace
