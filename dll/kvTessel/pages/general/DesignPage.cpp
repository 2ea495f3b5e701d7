// CDesignPage: the General page's field table, its two modes (schematic and circuit file),
// validation through its rules, Browse and Help.
#include "DesignPage.h"

#include <array>
#include <span>

#include "GeneralRules.h"
#include "MessageText.h"
#include "kvTessel/SimProfile.h"
#include "pages/common/FieldTable.h"
#include "pages/common/PageHelpers.h"
#include "resource.h"

namespace {

using namespace fields;
using Row = Field<CDesignPage, GeneralSettings>;
using G = GeneralSettings;
using P = CDesignPage;

// Help topic of the General page.
constexpr const char* kHelpTopic = "49185";

// Every edit of the page, in tab order. The project name is the one edit whose changes do
// not mark the page modified; the input fields are saved only while they are editable.
constexpr Row kFields[] = {
    textField(IDC_PROFILE_NAME, &P::m_profileName, &G::profileName, kMarksModified),
    textField(IDC_PROJECT_NAME, &P::m_projectName, &G::projectName, kInputOnly | kPath),
    textField(IDC_DESIGN_FILE, &P::m_designFile, &G::designFile,
              kInputOnly | kPath | kMarksModified),
    textField(IDC_SCHEMATIC_NAME, &P::m_schematicName, &G::schematicName,
              kInputOnly | kMarksModified),
    textField(IDC_OUTPUT_FILE, &P::m_outputFile, &G::outputFile, kPath | kMarksModified),
    textField(IDC_WAVEFORM_FILE, &P::m_waveformFile, &G::waveformFile, kPath | kMarksModified),
    textField(IDC_NOTES, &P::m_notes, &G::notes, kMarksModified),
};
constexpr std::span<const Row> kTable(kFields);

// The record field each GeneralField names, in the order of the enumeration.
constexpr std::array<vnt_string G::*, 7> kUpdatable = {
    &G::profileName,  &G::designFile, &G::projectName, &G::schematicName,
    &G::waveformFile, &G::outputFile, &G::notes,
};

// The controls of the input group that are read-only unless the input is editable.
constexpr std::initializer_list<int> kInputControls = {IDC_PROJECT_NAME, IDC_BROWSE_DESIGN,
                                                       IDC_DESIGN_FILE, IDC_SCHEMATIC_NAME};

CString loadText(UINT id) {
    CString text;
    AfxLoadString(id, text);
    return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CDesignPage, CSettingsPage)
ON_BN_CLICKED(IDC_BROWSE_DESIGN, OnBrowse)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CDesignPage::CDesignPage(SimProfile* profile) : CSettingsPage(IDD_GENERAL_PAGE, profile, true) {
    LoadFromProfile(profile);
}

void CDesignPage::LoadFromProfile(SimProfile* profile) {
    if (profile == nullptr) {
        return;
    }
    m_initialDir = profile->profileDir.c_str();
    m_hasInitialDir = true;
    if (const GeneralSettings* general = profile->general) {
        m_circuitMode = general->circuitMode;
        loadFields(*this, *general, kTable);
        m_inputEditable = general->inputEditable;
    }
}

void CDesignPage::SaveToProfile() {
    if (m_pProfile == nullptr || m_pProfile->general == nullptr) {
        return;
    }
    GeneralSettings& general = *m_pProfile->general;
    const bool editable = m_inputEditable == 1;
    saveFields(*this, general, kTable, editable ? kNoFlags : kInputOnly);
    if (editable) {
        general.circuitMode = m_circuitMode != 0 ? 1 : 0;
    }
}

void CDesignPage::DoDataExchange(CDataExchange* pDX) {
    CSettingsPage::DoDataExchange(pDX);
    exchangeFields(pDX, *this, kTable);
}

bool CDesignPage::MarksModified(WPARAM wParam) {
    return marksModified(*this, kTable, wParam);
}

BOOL CDesignPage::OnInitDialog() {
    CSettingsPage::OnInitDialog();
    if (m_pProfile != nullptr) {
        LoadFromProfile(m_pProfile);
        UpdateData(FALSE);
    }
    if (m_circuitMode != 0) {
        SetDlgItemText(IDC_DESIGN_LABEL, loadText(IDS_CIRCUIT_FILE_LABEL));
        ShowControls(*this, {IDC_BROWSE_DESIGN}, true);
        ShowControls(*this,
                     {IDC_PROJECT_NAME, IDC_PROJECT_LABEL, IDC_SCHEMATIC_NAME, IDC_SCHEMATIC_LABEL},
                     false);
    } else {
        // Schematic mode: the label loses its access key and the input is never editable.
        SetDlgItemText(IDC_DESIGN_LABEL, loadText(IDS_SCHEMATIC_FILE_LABEL));
        ShowControls(*this, {IDC_BROWSE_DESIGN}, false);
        m_inputEditable = 0;
    }
    if (m_inputEditable == 0) {
        EnableControls(*this, kInputControls, false);
    }
    return TRUE;
}

BOOL CDesignPage::ValidateGeneral() {
    const std::string initialDir(static_cast<LPCSTR>(m_initialDir));
    const GeneralInput input{
        .profileName = static_cast<LPCSTR>(m_profileName),
        .designFile = static_cast<LPCSTR>(m_designFile),
        .outputFile = static_cast<LPCSTR>(m_outputFile),
        .waveformFile = static_cast<LPCSTR>(m_waveformFile),
        .circuitMode = m_circuitMode == 1,
        .baseFolder = m_hasInitialDir ? std::optional<std::string_view>(initialDir) : std::nullopt,
    };
    const GeneralVerdict verdict = CheckGeneral(input);
    if (verdict.rebasedDesign) {
        m_designFile = verdict.rebasedDesign->c_str();
        SetDlgItemText(IDC_DESIGN_FILE, m_designFile);
    }
    if (verdict.refusal) {
        return Refuse(*this, *verdict.refusal);
    }
    return TRUE;
}

BOOL CDesignPage::OnKillActive() {
    if (!UpdateData(TRUE)) {
        return FALSE;
    }
    return ValidateGeneral();
}

BOOL CDesignPage::OnApply() {
    if (!UpdateData(TRUE) || !ValidateGeneral()) {
        return FALSE;
    }
    if (auto* sheet = dynamic_cast<CPropertySheet*>(GetParent())) {
        sheet->SetTitle(SheetTitle(static_cast<LPCSTR>(m_profileName)));
    }
    SaveToProfile();
    return TRUE;
}

void CDesignPage::UpdateField(const GeneralSettings* record, GeneralField field) {
    if (record == nullptr || GetSafeHwnd() == nullptr) {
        return;
    }
    UpdateData(TRUE);
    const auto index = static_cast<std::size_t>(field);
    if (index < kUpdatable.size()) {
        if (const Row* row = findStored(kTable, kUpdatable[index])) {
            loadField(*this, *record, *row);
        }
    }
    UpdateData(FALSE);
}

void CDesignPage::OnBrowse() {
    UpdateData(TRUE);
    // The older form of the open-file dialog, opening in the profile's folder.
    const CString filter = loadText(IDS_CIRCUIT_FILE_FILTER);
    CFileDialog dialog(
        TRUE, ".cir", nullptr,
        OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST, filter,
        this);
    dialog.m_ofn.lpstrInitialDir = m_initialDir;
    if (dialog.DoModal() != IDOK) {
        return;
    }
    m_designFile = dialog.GetPathName();
    UpdateData(FALSE);
    SetModified(TRUE);
}

void CDesignPage::OnHelp() {
    // One flag for the page class, for the process: once the help library is initialised for
    // the General page, no later sheet initialises it for this page again.
    static bool helpReady = false;
    ShowHelpTopic(kHelpTopic, helpReady, HelpInitReport::docvaultText);
}
