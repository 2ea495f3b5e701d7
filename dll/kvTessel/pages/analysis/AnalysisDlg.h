// CAnalysisDlg: the base of every child dialog of the Analysis page. A child edits one
// sub-record of the profile; the page shows it at its marker, sets m_enabled from the check
// list at Apply, asks it to Validate when its option is checked, and only then lets every child
// SaveToProfile. The four operations keep this order among the class's virtual functions.
#pragma once

#include <afxwin.h>

#include <cstdint>

struct SimProfile;

class CAnalysisDlg : public CDialog {
  public:
    CAnalysisDlg() = default;

    // Writes the dialog's members, m_enabled included, into its own sub-record (nothing when it
    // has none); answers 0. The profile argument is not needed by any child.
    virtual int SaveToProfile(SimProfile* profile);
    // Marks the parent page (the Analysis page) modified or not.
    virtual void SetModified(BOOL modified);
    // TRUE when the fields are complete; otherwise shows one message, focuses the offending
    // control and answers FALSE.
    virtual BOOL Validate();
    // Ends, as cancelled, any modal sub-dialog the child has open. The base has none.
    virtual void CloseModalDialogs();

    int m_enabled = 0;  // the option belongs to the run; copied from the sub-record by children

  protected:
    // Whether a control notification (WM_COMMAND wParam) is an edit that marks the page
    // modified; children answer from their field tables.
    virtual bool MarksModified(WPARAM wParam);

    // Marks the page modified on an edit of a marking field, then dispatches as usual.
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;

    // A child dialog lives at the page's marker: Enter and Escape in it are the sheet's, not
    // the child's, so they never end or hide it.
    void OnOK() override {}
    void OnCancel() override {}
};

// Copies `enabled` of a sub-record into a child's m_enabled, and back, for every record kind.
template <class Record>
void LoadEnabled(CAnalysisDlg& dialog, const Record* record) {
    if (record != nullptr) {
        dialog.m_enabled = record->enabled;
    }
}
template <class Record>
void SaveEnabled(const CAnalysisDlg& dialog, Record* record) {
    if (record != nullptr) {
        record->enabled = static_cast<std::int32_t>(dialog.m_enabled);
    }
}
