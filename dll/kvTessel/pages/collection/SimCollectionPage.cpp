// CSimCollectionPage: the five scope lists with their coupling and enable rules, the CSDF and
// data width fields from the field table, the mask written back on Apply, and Help.
#include "SimCollectionPage.h"

#include <afxdd_.h>

#include <optional>
#include <span>

#include "CollectionRules.h"
#include "MessageText.h"
#include "kvTessel/SimProfile.h"
#include "pages/common/FieldTable.h"
#include "resource.h"

namespace {

using namespace fields;
using P = CSimCollectionPage;
using D = DataCollectionSettings;
using Row = Field<P, D>;

// Help topic of the Data Collection page.
constexpr int kHelpTopic = 49191;

// The CSDF check box marks the page modified; choosing the data width alone does not (the
// choice is still written on OK or Apply).
constexpr Row kFields[] = {
    checkField(IDC_SAVE_CSDF, &P::m_saveCsdf, &D::saveCsdf, kMarksModified),
    radioField(IDC_DATA_WIDTH_32, &P::m_probeDataWidth, &D::probeDataWidth),
};
constexpr std::span<const Row> kTable(kFields);

constexpr std::array<Scope, 4> kScopes = {Scope::all, Scope::allButSubcircuits,
                                          Scope::atMarkersOnly, Scope::none};
// The Noise list's place in the page's order.
constexpr std::size_t kNoise = 4;

// The item text of a scope (string table, so what the lists show and what Apply reads match in
// every language).
CString scopeText(Scope scope) {
    CString text;
    AfxLoadString(IDS_SCOPE_ALL + static_cast<UINT>(scope), text);
    return text;
}

// The scope an item text names; none for any other text.
std::optional<Scope> scopeOfText(const CString& text) {
    for (const Scope scope : kScopes) {
        if (text == scopeText(scope)) {
            return scope;
        }
    }
    return std::nullopt;
}

CString selectedText(const CComboBox& list) {
    CString text;
    const int index = list.GetCurSel();
    if (index != CB_ERR) {
        list.GetLBText(index, text);
    }
    return text;
}

// The scope a list shows. A list without a selection couples like "None": the rules act only
// on "All" and "At Markers Only".
Scope selectedScope(const CComboBox& list) {
    return scopeOfText(selectedText(list)).value_or(Scope::none);
}

void selectScope(CComboBox& list, Scope scope) {
    list.SelectString(-1, scopeText(scope));
}

}  // namespace

BEGIN_MESSAGE_MAP(CSimCollectionPage, CSettingsPage)
ON_CBN_CLOSEUP(IDC_COLLECT_VOLTAGES, OnVoltagesCloseUp)
ON_CBN_CLOSEUP(IDC_COLLECT_DIGITAL, OnDigitalCloseUp)
ON_CBN_CLOSEUP(IDC_COLLECT_CURRENTS, OnOtherCloseUp)
ON_CBN_CLOSEUP(IDC_COLLECT_POWER, OnOtherCloseUp)
ON_CBN_CLOSEUP(IDC_COLLECT_NOISE, OnOtherCloseUp)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CSimCollectionPage::CSimCollectionPage(SimProfile* profile)
    : CSettingsPage(IDD_COLLECTION_PAGE, profile, true) {}

std::array<CComboBox*, 5> CSimCollectionPage::lists() {
    return {&m_voltages, &m_currents, &m_power, &m_digital, &m_noise};
}

void CSimCollectionPage::DoDataExchange(CDataExchange* pDX) {
    CSettingsPage::DoDataExchange(pDX);
    // The check box, the five lists, then the data width, as the page has always exchanged them.
    exchangeFields(pDX, *this, kTable.first(1));
    DDX_Control(pDX, IDC_COLLECT_VOLTAGES, m_voltages);
    DDX_Control(pDX, IDC_COLLECT_CURRENTS, m_currents);
    DDX_Control(pDX, IDC_COLLECT_POWER, m_power);
    DDX_Control(pDX, IDC_COLLECT_DIGITAL, m_digital);
    DDX_Control(pDX, IDC_COLLECT_NOISE, m_noise);
    exchangeFields(pDX, *this, kTable.subspan(1));
}

bool CSimCollectionPage::MarksModified(WPARAM wParam) {
    return marksModified(*this, kTable, wParam);
}

BOOL CSimCollectionPage::OnInitDialog() {
    CSettingsPage::OnInitDialog();
    if (m_pProfile != nullptr && m_pProfile->dataCollection != nullptr) {
        const DataCollectionSettings& stored = *m_pProfile->dataCollection;
        m_collectMask = WidenCollectMask(stored.collectMask);
        loadFields(*this, stored, kTable);
    }
    const auto all = lists();
    for (std::size_t kind = 0; kind < all.size(); ++kind) {
        CComboBox& list = *all[kind];
        list.ResetContent();
        for (const Scope scope : kScopes) {
            // Noise cannot be collected at markers only.
            if (kind == kNoise && scope == Scope::atMarkersOnly) {
                continue;
            }
            list.AddString(scopeText(scope));
        }
        const Scope shown = ScopeOfNibble(m_collectMask, kCollectShifts[kind]);
        if (list.SelectString(-1, scopeText(shown)) == CB_ERR) {
            selectScope(list, Scope::all);
        }
    }
    applyEnableRule();
    UpdateData(FALSE);
    return TRUE;
}

void CSimCollectionPage::applyEnableRule() {
    m_digital.EnableWindow(DigitalEnabled(selectedScope(m_voltages), selectedScope(m_digital)));
}

void CSimCollectionPage::OnVoltagesCloseUp() {
    if (const auto digital =
            DigitalAfterVoltages(selectedScope(m_voltages), selectedScope(m_digital))) {
        selectScope(m_digital, *digital);
    }
    applyEnableRule();
    SetModified(TRUE);
}

void CSimCollectionPage::OnDigitalCloseUp() {
    if (const auto voltages = VoltagesAfterDigital(selectedScope(m_digital))) {
        selectScope(m_voltages, *voltages);
    }
    applyEnableRule();
    SetModified(TRUE);
}

void CSimCollectionPage::OnOtherCloseUp() {
    SetModified(TRUE);
}

BOOL CSimCollectionPage::OnApply() {
    UpdateData(TRUE);  // nothing on this page can be refused
    if (m_pProfile != nullptr && m_pProfile->dataCollection != nullptr) {
        DataCollectionSettings& stored = *m_pProfile->dataCollection;
        // Always the full mask form: unused bits 0, never the old single values.
        std::uint32_t mask = 0;
        const auto all = lists();
        for (std::size_t kind = 0; kind < all.size(); ++kind) {
            if (const auto scope = scopeOfText(selectedText(*all[kind]))) {
                mask |= ScopeBit(kCollectShifts[kind], *scope);
            }
        }
        stored.collectMask = mask;
        saveFields(*this, stored, kTable);
    }
    return CSettingsPage::OnApply();
}

void CSimCollectionPage::OnHelp() {
    static bool helpReady = false;  // one flag for the page class, for the process
    ShowHelpTopic(kHelpTopic, helpReady, HelpInitReport::catalogMessage);
}
