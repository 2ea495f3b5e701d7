// The Monte Carlo, checkpoint and restart slots of the Analysis page, until their own dialogs
// are built. Each stands on its template (empty for now) so that the page keeps its slot order,
// its creation order and its lists; it keeps m_enabled, validates as complete and saves only
// `enabled`. The dialogs that replace them keep these class names and constructors.
#pragma once

#include <afxwin.h>

#include "AnalysisDlg.h"

// A child that keeps only the sub-record's `enabled`.
template <class Record>
class CPendingSlotDlg : public CAnalysisDlg {
  public:
    CPendingSlotDlg(Record* record, const CString& profileDir)
        : m_profileDir(profileDir), m_record(record) {
        LoadEnabled(*this, record);
    }

    int SaveToProfile(SimProfile*) override {
        SaveEnabled(*this, m_record);
        return 0;
    }

    CString m_profileDir;
    Record* m_record;
};
