// CLoadBiasDlg on its field table, with the open-file Browse.
#include "LoadBiasDlg.h"

#include <afxdlgs.h>

#include <span>

#include "AnalysisRules.h"
#include "kvTessel/TemperatureSettings.h"
#include "pages/common/FieldTable.h"
#include "resource.h"

namespace {

using namespace fields;
using D = CLoadBiasDlg;
using R = LoadBiasSettings;

constexpr Field<D, R> kFields[] = {
    textField(IDC_LOAD_BIAS_FILE, &D::m_fileName, &R::fileName, kMarksModified),
};
constexpr std::span<const Field<D, R>> kTable(kFields);

// Open dialog: the file must exist (the overwrite prompt means nothing to an open dialog).
constexpr DWORD kOpenFlags =
    OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;

}  // namespace

BEGIN_MESSAGE_MAP(CLoadBiasDlg, CAnalysisDlg)
ON_BN_CLICKED(IDC_LOAD_BIAS_BROWSE, OnBrowse)
END_MESSAGE_MAP()

CLoadBiasDlg::CLoadBiasDlg(LoadBiasSettings* record, const CString& profileDir)
    : m_profileDir(profileDir), m_record(record) {
    if (record != nullptr) {
        LoadEnabled(*this, record);
        loadFields(*this, *record, kTable);
    }
}

void CLoadBiasDlg::DoDataExchange(CDataExchange* pDX) {
    CAnalysisDlg::DoDataExchange(pDX);
    exchangeFields(pDX, *this, kTable);
}

bool CLoadBiasDlg::MarksModified(WPARAM wParam) {
    return marksModified(*this, kTable, wParam);
}

void CLoadBiasDlg::OnBrowse() {
    CFileDialog dialog(TRUE, nullptr, nullptr, kOpenFlags, nullptr, this);
    dialog.m_ofn.lpstrInitialDir = m_profileDir;
    if (dialog.DoModal() != IDOK) {
        return;
    }
    m_fileName = StoredBiasFileName(static_cast<LPCSTR>(dialog.GetPathName()),
                                    static_cast<LPCSTR>(m_profileDir))
                     .c_str();
    UpdateData(FALSE);
}

int CLoadBiasDlg::SaveToProfile(SimProfile*) {
    if (m_record != nullptr) {
        SaveEnabled(*this, m_record);
        saveFields(*this, *m_record, kTable);
    }
    return 0;
}

BOOL CLoadBiasDlg::Validate() {
    if (const auto refusal = CheckLoadBiasFile(static_cast<LPCSTR>(m_fileName))) {
        return Refuse(*this, *refusal);
    }
    return TRUE;
}
