// CRestartSimDlg: "Restart Simulation" of the transient list. The checkpoint folder a run
// restarts from, chosen among the profile's own restart folders and the folders of the
// checkpoint registry that hold a "state_map", and in it the saved state, by simulation time
// or by real time.
#pragma once

#include <afxwin.h>

#include <memory>
#include <string>
#include <vector>

#include "AnalysisDlg.h"
#include "CheckpointLists.h"
#include "StateMap.h"
#include "kvTessel/RestartSettings.h"

// Sent by the Analysis page (wParam 1) each time the dialog becomes the one shown.
inline constexpr UINT kReloadCheckpoints = WM_USER + 3;

class CRestartSimDlg : public CAnalysisDlg {
  public:
    // A child for the sub-record (not owned; may be null); relative folders are taken in
    // `profileDir`.
    CRestartSimDlg(RestartSettings* record, const CString& profileDir);

    BOOL OnInitDialog() override;
    int SaveToProfile(SimProfile* profile) override;
    BOOL Validate() override;

    // Reads the "state_map" of `folder` (relative to the profile's folder); true when the
    // folder holds a readable one, which then replaces the dialog's map.
    bool LoadStateMap(const std::string& folder);

    // The remembered position in the time list, per mode.
    int m_realTimePos = 0;
    int m_simTimePos = 0;
    int m_selectedRow = -1;
    int m_mode = 0;  // 0 simulation time, 1 real time
    int m_saveOriginalDat = 1;
    std::unique_ptr<StateMap> m_stateMap;
    CComboBox m_timeCombo;
    CString m_restartPoint;
    // The dialog's entries, one per row in row order (non-owning).
    std::vector<CCheckPointReader*> m_entries;
    CMyListBoxEx m_folderList;
    CMyListBoxExBuddy m_folderBar;
    CString m_profileDir;
    RestartSettings* m_record;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool MarksModified(WPARAM wParam) override;
    afx_msg void OnSimulationTime();
    afx_msg void OnRealTime();
    afx_msg void OnTimeSelChange();
    afx_msg void OnFolderSelChange();
    afx_msg LRESULT OnBarDone(WPARAM button, LPARAM);
    afx_msg LRESULT OnEditEnded(WPARAM, LPARAM);
    afx_msg LRESULT OnReload(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

  private:
    // Appends a copy of every registry entry whose folder the dialog lacks (ignoring case)
    // and holds a readable "state_map"; the number appended.
    int MergeRegistry();
    // Fills the time combo for the mode from the current map (empty without one).
    void FillTimes();
    // Fills the combo for the selected row's folder, or empties it.
    void RefreshTimes();
    void SetMode(int mode);
    CCheckPointReader* EntryOf(int row) const;
    std::string RowText(int row) const;

    // The time-list position read from the record.
    int m_storedPointIndex = 0;
    CreatedEntries m_created;
};
