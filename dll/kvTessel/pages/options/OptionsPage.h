// The Options page: the simulator's options in three categories, each a panel shown at the
// page's marker ("Analog Simulation", "Gate-level Simulation", "Output file"), and the speed
// level, which the page keeps itself and shows with the analog panel. Every option is kept as
// text with an is-set flag in the profile's OptionSettings; nothing on the page is validated
// beyond the framework's integer check of the number edits.
#pragma once

#include <afxwin.h>

#include <array>
#include <memory>

#include "pages/common/SettingsPage.h"

struct SimProfile;
class COptionPanel;
class COptAnalg;
class COptGate;
class COptOutFl;

class COptionsPage : public CSettingsPage {
  public:
    // A page on template 144 for the profile (not owned; may be null), speed level 3.
    explicit COptionsPage(SimProfile* profile);
    ~COptionsPage() override;

    BOOL OnInitDialog() override;
    BOOL OnApply() override;
    // The speed level returns to 3 (when the profile has an options record) and the page is
    // marked modified. The framework calls it on Cancel; the analog panel's Reset calls it too.
    void OnReset() override;

    // Ends, as cancelled, the MOSFET and advanced analog dialogs of the analog panel and the
    // advanced dialog of the gate panel if one is open (the sheet is being hidden). The
    // AutoConverge dialog is left alone.
    void CloseAllModalDialogs();

    CListBox m_category;
    int m_speedLevel = 3;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnCategoryChanged();
    afx_msg void OnSpeedLevelChanged();
    afx_msg void OnHelp();
    DECLARE_MESSAGE_MAP()

  private:
    // Shows the panel of the selected category at the marker, and the speed-level controls only
    // with the first category.
    void showCategory();
    // Selects the category whose panel is `panel` and shows it.
    void showPanel(const COptionPanel* panel);
    std::array<COptionPanel*, 3> panels() const;

    std::unique_ptr<COptAnalg> m_analog;
    std::unique_ptr<COptGate> m_gate;
    std::unique_ptr<COptOutFl> m_outputFile;
    COptionPanel* m_current = nullptr;  // the panel shown; null before the first is
    POINT m_marker{};                   // the marker's top-left corner, client coordinates
};
