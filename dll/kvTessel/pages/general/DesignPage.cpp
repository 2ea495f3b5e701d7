// CDesignPage: loading, validating and saving the General page, its two modes (schematic and
// circuit file), Browse, the modified marking and Help.
#include "DesignPage.h"

#include <string>

#include "MessageText.h"
#include "PathUtil.h"
#include "kvTessel/SimProfile.h"
#include "resource.h"

namespace {

// Help topic of the General page.
constexpr const char* kHelpTopic = "49185";
// The sheet's title is this text followed by the profile name.
constexpr const char* kTitlePrefix = "Simulation Settings - ";

std::string normalized(const CString& text) {
    std::string path(static_cast<LPCSTR>(text));
    PathUtil::normalize(path, false);
    return path;
}

}  // namespace

BEGIN_MESSAGE_MAP(CDesignPage, CPropertyPage)
ON_BN_CLICKED(IDC_BROWSE_DESIGN, OnBrowse)
ON_EN_CHANGE(IDC_PROFILE_NAME, OnFieldChanged)
ON_EN_CHANGE(IDC_DESIGN_FILE, OnFieldChanged)
ON_EN_CHANGE(IDC_SCHEMATIC_NAME, OnFieldChanged)
ON_EN_CHANGE(IDC_OUTPUT_FILE, OnFieldChanged)
ON_EN_CHANGE(IDC_WAVEFORM_FILE, OnFieldChanged)
ON_EN_CHANGE(IDC_NOTES, OnFieldChanged)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CDesignPage::CDesignPage(SimProfile* profile)
    : CPropertyPage(IDD_GENERAL_PAGE), m_pProfile(profile) {
    m_psp.dwFlags |= PSP_HASHELP;
    LoadFromProfile(profile);
}

void CDesignPage::LoadFromProfile(SimProfile* profile) {
    if (profile == nullptr) {
        return;
    }
    m_initialDir = profile->profileDir.c_str();
    m_hasInitialDir = true;
    const GeneralSettings* general = profile->general;
    if (general == nullptr) {
        return;
    }
    m_circuitMode = general->circuitMode;
    m_designFile = general->designFile.c_str();
    m_schematicName = general->schematicName.c_str();
    m_notes = general->notes.c_str();
    m_outputFile = general->outputFile.c_str();
    m_profileName = general->profileName.c_str();
    m_waveformFile = general->waveformFile.c_str();
    m_projectName = general->projectName.c_str();
    m_inputEditable = general->inputEditable;
}

void CDesignPage::SaveToProfile() {
    if (m_pProfile == nullptr || m_pProfile->general == nullptr) {
        return;
    }
    GeneralSettings& general = *m_pProfile->general;
    if (m_inputEditable == 1) {
        general.projectName = normalized(m_projectName);
        general.designFile = normalized(m_designFile);
        general.circuitMode = m_circuitMode != 0 ? 1 : 0;
        general.schematicName = static_cast<LPCSTR>(m_schematicName);
    }
    general.profileName = static_cast<LPCSTR>(m_profileName);
    general.outputFile = normalized(m_outputFile);
    general.waveformFile = normalized(m_waveformFile);
    general.notes = static_cast<LPCSTR>(m_notes);
}

void CDesignPage::DoDataExchange(CDataExchange* pDX) {
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PROFILE_NAME, m_profileName);
    DDX_Text(pDX, IDC_PROJECT_NAME, m_projectName);
    DDX_Text(pDX, IDC_DESIGN_FILE, m_designFile);
    DDX_Text(pDX, IDC_SCHEMATIC_NAME, m_schematicName);
    DDX_Text(pDX, IDC_OUTPUT_FILE, m_outputFile);
    DDX_Text(pDX, IDC_WAVEFORM_FILE, m_waveformFile);
    DDX_Text(pDX, IDC_NOTES, m_notes);
}

BOOL CDesignPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    if (m_pProfile != nullptr) {
        LoadFromProfile(m_pProfile);
        UpdateData(FALSE);
    }
    auto show = [this](int id, bool visible) {
        if (CWnd* control = GetDlgItem(id)) {
            control->ShowWindow(visible ? SW_SHOW : SW_HIDE);
        }
    };
    if (m_circuitMode != 0) {
        SetDlgItemText(IDC_DESIGN_LABEL, "Ci&rcuit filename (.CIR):");
        show(IDC_BROWSE_DESIGN, true);
        show(IDC_PROJECT_NAME, false);
        show(IDC_PROJECT_LABEL, false);
        show(IDC_SCHEMATIC_NAME, false);
        show(IDC_SCHEMATIC_LABEL, false);
    } else {
        SetDlgItemText(IDC_DESIGN_LABEL, "Schematic filename (.DSN):");
        show(IDC_BROWSE_DESIGN, false);
        m_inputEditable = 0;
    }
    if (m_inputEditable == 0) {
        for (int id : {IDC_PROJECT_NAME, IDC_BROWSE_DESIGN, IDC_DESIGN_FILE, IDC_SCHEMATIC_NAME}) {
            if (CWnd* control = GetDlgItem(id)) {
                control->EnableWindow(FALSE);
            }
        }
    }
    return TRUE;
}

void CDesignPage::focusControl(int id) {
    if (CWnd* control = GetDlgItem(id)) {
        control->SetFocus();
    }
}

BOOL CDesignPage::ValidateGeneral() {
    constexpr UINT kStyle = MB_ICONEXCLAMATION | MB_OK;
    if (m_profileName.IsEmpty()) {
        ShowMessage("ZAZARIZ", 5050, kStyle, 0);
        SetActiveWindow();
        focusControl(IDC_PROFILE_NAME);
        return FALSE;
    }
    if (m_circuitMode == 1) {
        if (m_designFile.IsEmpty()) {
            AfxMessageBox(IDS_ENTER_DESIGN_FILE, kStyle);
            focusControl(IDC_DESIGN_FILE);
            return FALSE;
        }
        std::string design = normalized(m_designFile);
        const std::string folder(PathUtil::directory(design).in(design));
        const bool relative = folder.empty() || CString(folder.c_str()).CompareNoCase(".\\") == 0;
        if (relative) {
            if (!m_hasInitialDir) {
                AfxMessageBox(IDS_ENTER_FULL_DESIGN_PATH, kStyle);
                focusControl(IDC_DESIGN_FILE);
                return FALSE;
            }
            PathUtil::rebase(design, normalized(m_initialDir));
            m_designFile = design.c_str();
            SetDlgItemText(IDC_DESIGN_FILE, m_designFile);
        }
        if (!PathUtil::isFile(design)) {
            AfxMessageBox(IDS_DESIGN_FILE_MISSING, kStyle);
            focusControl(IDC_DESIGN_FILE);
            return FALSE;
        }
    }
    if (m_outputFile.IsEmpty()) {
        ShowMessage("ZAZARIZ", 5056, kStyle, 0);
        focusControl(IDC_OUTPUT_FILE);
        return FALSE;
    }
    if (m_waveformFile.IsEmpty()) {
        ShowMessage("ZAZARIZ", 5052, kStyle, 0);
        focusControl(IDC_WAVEFORM_FILE);
        return FALSE;
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
        sheet->SetTitle(CString(kTitlePrefix) + m_profileName);
    }
    SaveToProfile();
    return TRUE;
}

void CDesignPage::UpdateField(const GeneralSettings* record, unsigned int index) {
    if (record == nullptr || GetSafeHwnd() == nullptr) {
        return;
    }
    UpdateData(TRUE);
    switch (index) {
        case 0:
            m_profileName = record->profileName.c_str();
            break;
        case 1:
            m_designFile = record->designFile.c_str();
            break;
        case 2:
            m_projectName = record->projectName.c_str();
            break;
        case 3:
            m_schematicName = record->schematicName.c_str();
            break;
        case 4:
            m_waveformFile = record->waveformFile.c_str();
            break;
        case 5:
            m_outputFile = record->outputFile.c_str();
            break;
        case 6:
            m_notes = record->notes.c_str();
            break;
        default:  // no field: the controls are only rewritten from the members
            break;
    }
    UpdateData(FALSE);
}

void CDesignPage::OnBrowse() {
    UpdateData(TRUE);
    // The older form of the open-file dialog, opening in the profile's folder.
    CFileDialog dialog(
        TRUE, ".cir", nullptr,
        OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST,
        "Circuit Files (*.cir)|*.cir|All Files (*.*)|*.*||", this);
    dialog.m_ofn.lpstrInitialDir = m_initialDir;
    if (dialog.DoModal() != IDOK) {
        return;
    }
    m_designFile = dialog.GetPathName();
    UpdateData(FALSE);
    SetModified(TRUE);
}

void CDesignPage::OnFieldChanged() {
    SetModified(TRUE);
}

void CDesignPage::OnHelp() {
    ShowHelpTopic(kHelpTopic, m_helpReady, HelpInitReport::docvaultText);
}
