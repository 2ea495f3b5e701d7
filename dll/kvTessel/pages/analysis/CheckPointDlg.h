// CCheckPointDlg: "Save Check Points" of the transient list. The folders a transient run saves
// its checkpoint states into, each with its own intervals and time points, one of them
// selected; and whether states are saved at the simulator's time points or the user's. At
// Apply it publishes the selected folder in the checkpoint registry (ISyncCkptReStart).
#pragma once

#include <afxwin.h>

#include <string>
#include <vector>

#include "AnalysisDlg.h"
#include "CheckpointLists.h"
#include "kvTessel/CheckPoint.h"

class CCheckPointDlg : public CAnalysisDlg {
  public:
    // A child for the sub-record (not owned; may be null); relative folders are taken in
    // `profileDir`.
    CCheckPointDlg(CheckpointSettings* record, const CString& profileDir);

    BOOL OnInitDialog() override;
    int SaveToProfile(SimProfile* profile) override;
    BOOL Validate() override;

    // The dialog's entries, one per row in row order (non-owning).
    std::vector<CCheckPointReader*> m_entries;
    int m_selectedRow = -1;
    int m_timePointMode = 0;  // 0 the simulator's time points, 1 the user's
    CString m_simInterval;
    CString m_realTimeInterval;
    CString m_timePoints;
    CMyListBoxEx m_folderList;
    CMyListBoxExBuddy m_folderBar;
    CString m_profileDir;
    CheckpointSettings* m_record;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool MarksModified(WPARAM wParam) override;
    afx_msg void OnFolderSelChange();
    afx_msg LRESULT OnBarDone(WPARAM button, LPARAM);
    afx_msg LRESULT OnEditEnded(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

  private:
    // The entry of row `row`, null when the row has none.
    CCheckPointReader* EntryOf(int row) const;
    // Shows an entry's texts in the three edits (empties them for null).
    void ShowEntry(const CCheckPointReader* entry);
    // The text of row `row` of the folder list.
    std::string RowText(int row) const;
    // Exchanges the entries of rows a and b, in the dialog and in the registry.
    void SwapEntries(int a, int b);

    CreatedEntries m_created;
};
