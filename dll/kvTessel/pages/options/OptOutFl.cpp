// COptOutFl: the output file switches and values on a field table, and Reset.
#include "OptOutFl.h"

#include <array>
#include <span>

#include "OptionTable.h"

#include "resource.h"

namespace {

using P = COptOutFl;
using O = OptionSettings;
using Row = fields::Field<P, O>;
using fields::checkField;
using fields::Exchange;
using fields::kMarksModified;
using options::invertedCheckField;

// In exchange order (NUMDG between the page breaks and the option values); every one marks the
// page modified.
constexpr Row kFields[] = {
    checkField(IDC_OUT_ACCT, &P::m_ACCT, &O::ACCT, kMarksModified),
    checkField(IDC_OUT_EXPAND, &P::m_EXPAND, &O::EXPAND, kMarksModified),
    checkField(IDC_OUT_LIBRARY, &P::m_LIBRARY, &O::LIBRARY, kMarksModified),
    checkField(IDC_OUT_LIST, &P::m_LIST, &O::LIST, kMarksModified),
    invertedCheckField(IDC_OUT_BIAS, &P::m_bias, &O::NOBIAS, kMarksModified),
    checkField(IDC_OUT_NODE, &P::m_NODE, &O::NODE, kMarksModified),
    invertedCheckField(IDC_OUT_ECHO, &P::m_echo, &O::NOECHO, kMarksModified),
    invertedCheckField(IDC_OUT_MODEL, &P::m_model, &O::NOMOD, kMarksModified),
    invertedCheckField(IDC_OUT_MESSAGES, &P::m_messages, &O::NOOUTMSG, kMarksModified),
    invertedCheckField(IDC_OUT_PAGE, &P::m_pageBreaks, &O::NOPAGE, kMarksModified),
    options::intSlotField(IDC_OUT_NUMDG, &P::m_NUMDG, OptionSlot::NUMDG, Exchange::text,
                          kMarksModified),
    checkField(IDC_OUT_OPTS, &P::m_OPTS, &O::OPTS, kMarksModified),
    Row{IDC_OUT_WIDTH, &P::m_width, OptionSlot::outputWidth, Exchange::comboString, kMarksModified},
};
constexpr std::span<const Row> kTable(kFields);

// The check boxes that Reset checks when there is a record (the inverted ones: the output file
// includes these by default).
constexpr std::array<int P::*, 5> kIncludedByDefault = {&P::m_bias, &P::m_echo, &P::m_model,
                                                        &P::m_messages, &P::m_pageBreaks};
constexpr std::array<int P::*, 11> kChecks = {
    &P::m_ACCT, &P::m_EXPAND, &P::m_LIBRARY,  &P::m_LIST,       &P::m_bias, &P::m_NODE,
    &P::m_echo, &P::m_model,  &P::m_messages, &P::m_pageBreaks, &P::m_OPTS,
};

}  // namespace

BEGIN_MESSAGE_MAP(COptOutFl, COptionPanel)
ON_BN_CLICKED(IDC_OUT_RESET, OnReset)
END_MESSAGE_MAP()

COptOutFl::COptOutFl() : COptionPanel(IDD_OPT_OUTPUT_FILE) {
    m_width = OptionDefault(OptionSlot::outputWidth).data();
}

void COptOutFl::DoDataExchange(CDataExchange* pDX) {
    COptionPanel::DoDataExchange(pDX);
    fields::exchangeFields(pDX, *this, kTable);
}

bool COptOutFl::MarksModified(WPARAM wParam) {
    return fields::marksModified(*this, kTable, wParam);
}

BOOL COptOutFl::OnInitDialog() {
    // The width list's items; the panel has nothing else to prepare.
    FillItems(*this, IDC_OUT_WIDTH, {IDS_WIDTH_80, IDS_WIDTH_132});
    return COptionPanel::OnInitDialog();
}

void COptOutFl::LoadFromProfile(OptionSettings* record) {
    m_pOptions = record;
    if (record != nullptr) {
        options::loadOptions(*this, *record, kTable);
    }
    if (GetSafeHwnd() != nullptr) {
        UpdateData(FALSE);
    }
}

BOOL COptOutFl::SaveToProfile() {
    if (!UpdateData(TRUE)) {
        return FALSE;
    }
    if (m_pOptions != nullptr) {
        options::saveOptions(*this, *m_pOptions, kTable);
    }
    return TRUE;
}

void COptOutFl::OnReset() {
    for (int P::*check : kChecks) {
        this->*check = 0;
    }
    if (m_pOptions != nullptr) {
        for (int P::*check : kIncludedByDefault) {
            this->*check = 1;
        }
        m_NUMDG = 4;
        m_width = OptionDefault(OptionSlot::outputWidth).data();
    } else {
        m_NUMDG = 0;
        m_width.Empty();
    }
    UpdateData(FALSE);
    SetPageModified();
}
