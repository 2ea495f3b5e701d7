// The Analysis page on its own, in a sheet of the framework: the fourteen slots and the
// template of each, the order in which the children's windows are created, a page without a
// profile (every dialog works, Apply validates and writes nothing), and closing the modal
// dialogs when none is open.
#include <gtest/gtest.h>

#include <afxpropsheet.h>

#include <string>
#include <vector>

#include "../common/MessageFixture.h"
#include "pages/analysis/SimAnalysisPage.h"
#include "resource.h"

namespace {

class AnalysisPageAloneTest : public kvtest::MessageFixture {
  protected:
    void SetUp() override {
        MessageFixture::SetUp();
        m_sheet.AddPage(&m_page);
        ASSERT_TRUE(m_sheet.Create());
    }
    void TearDown() override {
        m_sheet.DestroyWindow();
        MessageFixture::TearDown();
    }

    CSimAnalysisPage m_page{nullptr};
    CPropertySheet m_sheet{"Analysis alone"};
};

TEST_F(AnalysisPageAloneTest, SlotsHoldTheirDialogsOnTheirTemplates) {
    const UINT templates[kSlotCount] = {
        IDD_TRANSIENT_DLG,    IDD_AC_SWEEP_DLG,  IDD_DC_SWEEP_DLG,    IDD_BIAS_POINT_DLG,
        IDD_MCWC_DLG,         IDD_DC_SWEEP_DLG,  IDD_TEMPERATURE_DLG, IDD_TRAN_SAVE_BIAS_DLG,
        IDD_DC_SAVE_BIAS_DLG, IDD_LOAD_BIAS_DLG, IDD_DC_SWEEP_DLG,    0,
        IDD_CHECKPOINT_DLG,   IDD_RESTART_DLG,
    };
    for (int slot = 0; slot < kSlotCount; ++slot) {
        CAnalysisDlg* child = m_page.SlotDialog(static_cast<Slot>(slot));
        if (templates[slot] == 0) {
            EXPECT_EQ(child, nullptr) << slot;
            continue;
        }
        ASSERT_NE(child, nullptr) << slot;
        EXPECT_EQ(child->m_lpszTemplateName, MAKEINTRESOURCE(templates[slot])) << slot;
        EXPECT_NE(child->GetSafeHwnd(), nullptr) << slot;
        EXPECT_EQ(::GetParent(child->GetSafeHwnd()), m_page.GetSafeHwnd()) << slot;
        EXPECT_EQ(child->m_enabled, 0) << slot;
    }
    // The three sweeps are three objects.
    EXPECT_NE(m_page.SlotDialog(Slot::dcPrimarySweep), m_page.SlotDialog(Slot::parametricSweep));
    EXPECT_NE(m_page.SlotDialog(Slot::dcPrimarySweep), m_page.SlotDialog(Slot::dcSecondarySweep));
}

TEST_F(AnalysisPageAloneTest, ChildrenAreCreatedInTheProductsOrderAfterThePagesControls) {
    const Slot order[] = {
        Slot::transient,         Slot::acSweep,          Slot::temperature,     Slot::loadBias,
        Slot::dcPrimarySweep,    Slot::dcSecondarySweep, Slot::parametricSweep, Slot::biasPoint,
        Slot::transientSaveBias, Slot::dcSaveBias,       Slot::monteCarlo,      Slot::checkpoint,
        Slot::restart,
    };
    std::vector<HWND> children;
    for (HWND w = ::GetWindow(m_page.GetSafeHwnd(), GW_CHILD); w != nullptr;
         w = ::GetWindow(w, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(w) == IDC_PLACEMENT_MARKER || ::GetDlgCtrlID(w) == IDC_OPTION_LIST ||
            ::GetDlgCtrlID(w) == IDC_ANALYSIS_TYPE) {
            EXPECT_TRUE(children.empty()) << "a child dialog stands before the page's controls";
            continue;
        }
        for (const Slot slot : order) {
            if (m_page.SlotDialog(slot)->GetSafeHwnd() == w) {
                children.push_back(w);
            }
        }
    }
    ASSERT_EQ(children.size(), std::size(order));
    for (std::size_t i = 0; i < children.size(); ++i) {
        EXPECT_EQ(children[i], m_page.SlotDialog(order[i])->GetSafeHwnd()) << i;
    }
}

TEST_F(AnalysisPageAloneTest, WithoutAProfileTheTransientIsShownValidatedAndNothingIsWritten) {
    EXPECT_EQ(m_page.m_typeCombo.GetCurSel(), 0);
    EXPECT_EQ(m_page.SelectedTypeData(), static_cast<unsigned>(IDS_TYPE_TRANSIENT));
    EXPECT_EQ(m_page.m_optionList.GetCount(), 8);
    CAnalysisDlg* transient = m_page.SlotDialog(Slot::transient);
    EXPECT_EQ(m_page.m_current, transient);
    EXPECT_TRUE(::IsWindowVisible(transient->GetSafeHwnd()));
    EXPECT_FALSE(::IsWindowVisible(m_page.SlotDialog(Slot::acSweep)->GetSafeHwnd()));
    // The child sits at the marker.
    CRect marker;
    CRect child;
    m_page.GetDlgItem(IDC_PLACEMENT_MARKER)->GetWindowRect(&marker);
    transient->GetWindowRect(&child);
    EXPECT_EQ(child.TopLeft(), marker.TopLeft());

    CString start;
    transient->GetDlgItem(IDC_START_SAVING)->GetWindowText(start);
    EXPECT_EQ(std::string(start), "0");
    EXPECT_FALSE(m_page.OnApply());
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes().back()->text, "Please enter transient analysis final time.");
    transient->SetDlgItemText(IDC_RUN_TO_TIME, "1m");
    EXPECT_TRUE(m_page.OnApply());
    EXPECT_EQ(transient->m_enabled, 1);
    EXPECT_EQ(m_page.SlotDialog(Slot::acSweep)->m_enabled, 0);
    m_page.CloseAllModalDialogs();  // nothing is open: nothing happens
    EXPECT_EQ(boxes().size(), 1u);
}

// Counts the reload messages the restart child receives, then lets it handle them.
int g_reloads = 0;
WNDPROC g_restartProc = nullptr;
LRESULT CALLBACK countReloads(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER + 3 && wParam == 1 && lParam == 0) {
        ++g_reloads;
    }
    return CallWindowProcA(g_restartProc, hwnd, message, wParam, lParam);
}

TEST_F(AnalysisPageAloneTest, RestartReloadsEachTimeItBecomesTheShownChild) {
    const HWND restart = m_page.SlotDialog(Slot::restart)->GetSafeHwnd();
    g_reloads = 0;
    g_restartProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(restart, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&countReloads)));
    const auto choose = [this](int index) {
        m_page.m_optionList.SetCurSel(index);
        m_page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_OPTION_LIST, LBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(m_page.m_optionList.GetSafeHwnd()));
    };
    choose(7);
    EXPECT_EQ(g_reloads, 1);
    EXPECT_TRUE(::IsWindowVisible(restart));
    choose(7);  // already shown: no reload
    EXPECT_EQ(g_reloads, 1);
    choose(6);
    EXPECT_FALSE(::IsWindowVisible(restart));
    choose(7);
    EXPECT_EQ(g_reloads, 2);
    SetWindowLongPtrA(restart, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_restartProc));
}

}  // namespace
