// CCheckpointPage: the Vavir Window page's field table, its enable rules and Help.
#include "CheckpointPage.h"

#include <span>

#include "MessageText.h"
#include "ProbeWindowRules.h"
#include "kvTessel/SimProfile.h"
#include "pages/common/FieldTable.h"
#include "pages/common/PageHelpers.h"
#include "resource.h"

namespace {

using namespace fields;
using P = CCheckpointPage;
using W = ProbeWindowSettings;
using Row = Field<P, W>;

// Help topic of the Vavir Window page.
constexpr int kHelpTopic = 49192;

// In exchange order. The radio buttons mark the page modified; the check boxes do not (their
// values are still written on OK or Apply). The 16-bit fields are widened and cut by the table.
constexpr Row kFields[] = {
    checkField(IDC_DISPLAY_ON_OPEN, &P::m_displayOnOpen, &W::displayOnOpen),
    radioField(IDC_DURING_SIMULATION, &P::m_displayWhen, &W::displayWhen, kMarksModified),
    checkField(IDC_DISPLAY_ON_RUN, &P::m_displayOnRun, &W::displayOnRun),
    radioField(IDC_SHOW_ALL_MARKERS, &P::m_showOnDisplay, &W::showOnDisplay, kMarksModified),
};
constexpr std::span<const Row> kTable(kFields);

}  // namespace

BEGIN_MESSAGE_MAP(CCheckpointPage, CSettingsPage)
ON_BN_CLICKED(IDC_DISPLAY_ON_OPEN, OnDisplayOnOpen)
ON_BN_CLICKED(IDC_DISPLAY_ON_RUN, OnDisplayOnRun)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CCheckpointPage::CCheckpointPage(SimProfile* profile)
    : CSettingsPage(IDD_PROBE_WINDOW_PAGE, profile, true) {}

void CCheckpointPage::DoDataExchange(CDataExchange* pDX) {
    CSettingsPage::DoDataExchange(pDX);
    exchangeFields(pDX, *this, kTable);
}

bool CCheckpointPage::MarksModified(WPARAM wParam) {
    return marksModified(*this, kTable, wParam);
}

BOOL CCheckpointPage::OnInitDialog() {
    CSettingsPage::OnInitDialog();
    if (m_pProfile != nullptr && m_pProfile->probeWindow != nullptr) {
        loadFields(*this, *m_pProfile->probeWindow, kTable);
        m_circuitMode = m_pProfile->general != nullptr && m_pProfile->general->circuitMode == 1;
    }
    applyEnableRules();
    m_showOnDisplay = InitialShowOnDisplay(m_showOnDisplay, m_circuitMode);
    UpdateData(FALSE);
    return TRUE;
}

void CCheckpointPage::applyEnableRules() {
    const ProbeWindowEnabling enabling =
        ProbeWindowEnables(m_displayOnOpen != 0, m_displayOnRun != 0, m_circuitMode);
    EnableControls(*this, {IDC_DURING_SIMULATION, IDC_AFTER_SIMULATION}, enabling.when);
    EnableControls(*this, {IDC_SHOW_GROUP, IDC_SHOW_LAST_PLOT, IDC_SHOW_NOTHING}, enabling.show);
    EnableControls(*this, {IDC_SHOW_ALL_MARKERS}, enabling.allMarkers);
}

void CCheckpointPage::OnDisplayOnOpen() {
    UpdateData(TRUE);
    applyEnableRules();
}

void CCheckpointPage::OnDisplayOnRun() {
    UpdateData(TRUE);
    applyEnableRules();
}

BOOL CCheckpointPage::OnApply() {
    UpdateData(TRUE);  // nothing on this page can be refused
    if (m_pProfile != nullptr && m_pProfile->probeWindow != nullptr) {
        saveFields(*this, *m_pProfile->probeWindow, kTable);
    }
    return CSettingsPage::OnApply();
}

void CCheckpointPage::OnHelp() {
    static bool helpReady = false;  // one flag for the page class, for the process
    ShowHelpTopic(kHelpTopic, helpReady, HelpInitReport::catalogMessage);
}
