// CDCSaveBiasDlg on its field table, with the DC-only conditions and the save-as Browse.
#include "DCSaveBiasDlg.h"

#include <afxdlgs.h>

#include <span>

#include "AnalysisRules.h"
#include "SimAnalysisPage.h"
#include "kvTessel/TemperatureSettings.h"
#include "pages/common/FieldTable.h"
#include "pages/common/PageHelpers.h"
#include "resource.h"

namespace {

using namespace fields;
using D = CDCSaveBiasDlg;
using R = DcSaveBiasSettings;

// In the order the dialog exchanges them; the check box marks nothing.
constexpr Field<D, R> kFields[] = {
    textField(IDC_DSB_FILE, &D::m_fileName, &R::fileName, kMarksModified),
    textField(IDC_DSB_MC_RUN, &D::m_mcRunNumber, &R::mcRunNumber, kMarksModified),
    checkField(IDC_DSB_NO_SUBCIRCUITS, &D::m_noSubcircuits, &R::noSubcircuits),
    textField(IDC_DSB_PARAMETRIC, &D::m_parametricValue, &R::parametricValue, kMarksModified),
    textField(IDC_DSB_PRIMARY, &D::m_primaryValue, &R::primaryValue, kMarksModified),
    textField(IDC_DSB_SECONDARY, &D::m_secondaryValue, &R::secondaryValue, kMarksModified),
    textField(IDC_DSB_TEMPERATURE, &D::m_temperatureValue, &R::temperatureValue, kMarksModified),
};
constexpr std::span<const Field<D, R>> kTable(kFields);

constexpr DWORD kSaveFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;

}  // namespace

BEGIN_MESSAGE_MAP(CDCSaveBiasDlg, CAnalysisDlg)
ON_WM_SHOWWINDOW()
ON_BN_CLICKED(IDC_DSB_BROWSE, OnBrowse)
END_MESSAGE_MAP()

CDCSaveBiasDlg::CDCSaveBiasDlg(DcSaveBiasSettings* record, const CString& profileDir)
    : m_profileDir(profileDir), m_record(record) {
    if (record != nullptr) {
        LoadEnabled(*this, record);
        loadFields(*this, *record, kTable);
    }
}

void CDCSaveBiasDlg::DoDataExchange(CDataExchange* pDX) {
    CAnalysisDlg::DoDataExchange(pDX);
    exchangeFields(pDX, *this, kTable);
}

bool CDCSaveBiasDlg::MarksModified(WPARAM wParam) {
    return marksModified(*this, kTable, wParam);
}

void CDCSaveBiasDlg::OnShowWindow(BOOL show, UINT status) {
    CAnalysisDlg::OnShowWindow(show, status);
    if (!show) {
        return;
    }
    const auto* page = dynamic_cast<CSimAnalysisPage*>(GetParent());
    const bool dcSweep = page != nullptr && page->SelectedTypeData() == IDS_TYPE_DC_SWEEP;
    EnableControls(*this, {IDC_DSB_PRIMARY, IDC_DSB_SECONDARY, IDC_DSB_PARAMETRIC, IDC_DSB_MC_RUN},
                   dcSweep);
}

void CDCSaveBiasDlg::OnBrowse() {
    UpdateData(TRUE);
    CFileDialog dialog(FALSE, nullptr, m_fileName, kSaveFlags, nullptr, this);
    dialog.m_ofn.lpstrInitialDir = m_profileDir;
    if (dialog.DoModal() != IDOK) {
        return;
    }
    m_fileName = dialog.GetPathName();
    UpdateData(FALSE);
}

int CDCSaveBiasDlg::SaveToProfile(SimProfile*) {
    if (m_record != nullptr) {
        SaveEnabled(*this, m_record);
        saveFields(*this, *m_record, kTable);
    }
    return 0;
}

BOOL CDCSaveBiasDlg::Validate() {
    if (const auto refusal = CheckSaveBiasFile(static_cast<LPCSTR>(m_fileName), IDC_DSB_FILE)) {
        return Refuse(*this, *refusal);
    }
    return TRUE;
}
