// CTempDlg: one stored text shown in one of two edits, by the radio.
#include "TempDlg.h"

#include <span>

#include "AnalysisRules.h"
#include "kvTessel/TemperatureSettings.h"
#include "pages/common/FieldTable.h"
#include "pages/common/PageHelpers.h"
#include "resource.h"

namespace {

using namespace fields;
using D = CTempDlg;
using R = TemperatureSettings;

// Exchange and the modified marking only: both edits show the one stored text, so loading and
// saving go by the radio (below).
constexpr Field<D, R> kFields[] = {
    textField(IDC_TEMP_SINGLE_TEXT, &D::m_single, &R::temperatures, kMarksModified),
    textField(IDC_TEMP_LIST_TEXT, &D::m_list, &R::temperatures, kMarksModified),
    radioField(IDC_TEMP_SINGLE, &D::m_radio, &R::singleTemperature),
};
constexpr std::span<const Field<D, R>> kTable(kFields);

}  // namespace

BEGIN_MESSAGE_MAP(CTempDlg, CAnalysisDlg)
ON_BN_CLICKED(IDC_TEMP_SINGLE, OnSingle)
ON_BN_CLICKED(IDC_TEMP_LIST, OnList)
END_MESSAGE_MAP()

CTempDlg::CTempDlg(TemperatureSettings* record) : m_record(record) {
    if (record != nullptr) {
        LoadEnabled(*this, record);
        if (record->singleTemperature != 0) {
            m_radio = 0;
            m_single = record->temperatures.c_str();
        } else {
            m_radio = 1;
            m_list = record->temperatures.c_str();
        }
    }
}

void CTempDlg::DoDataExchange(CDataExchange* pDX) {
    CAnalysisDlg::DoDataExchange(pDX);
    exchangeFields(pDX, *this, kTable);
}

bool CTempDlg::MarksModified(WPARAM wParam) {
    // The radios mark the page in their own handlers.
    return marksModified(*this, kTable.first(2), wParam);
}

BOOL CTempDlg::OnInitDialog() {
    CAnalysisDlg::OnInitDialog();
    enableFor(m_radio);
    return TRUE;
}

void CTempDlg::enableFor(int radio) {
    EnableControls(*this, {IDC_TEMP_SINGLE_TEXT}, radio != 1);
    EnableControls(*this, {IDC_TEMP_LIST_TEXT}, radio == 1);
}

void CTempDlg::OnSingle() {
    enableFor(0);
    SetModified(TRUE);
}

void CTempDlg::OnList() {
    enableFor(1);
    SetModified(TRUE);
}

int CTempDlg::SaveToProfile(SimProfile*) {
    if (m_record != nullptr) {
        SaveEnabled(*this, m_record);
        // The text of the radio not chosen is not kept.
        const bool list = m_radio == 1;
        m_record->singleTemperature = list ? 0 : 1;
        m_record->temperatures = static_cast<LPCSTR>(list ? m_list : m_single);
    }
    return 0;
}

BOOL CTempDlg::Validate() {
    if (const auto refusal =
            CheckTemperature(m_radio, static_cast<LPCSTR>(m_single), static_cast<LPCSTR>(m_list))) {
        return Refuse(*this, *refusal);
    }
    return TRUE;
}
