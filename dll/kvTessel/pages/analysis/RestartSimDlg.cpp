// CRestartSimDlg: the restart folders merged from the record and the checkpoint registry, the
// saved states of the selected folder's "state_map", and validation against the checkpoint
// folder of the same run.
#include "RestartSimDlg.h"

#include <afxdd_.h>

#include <cstdio>

#include "CheckpointRules.h"
#include "PathUtil.h"
#include "controls/ButtonBarImage.h"
#include "kvTessel/CheckPoint.h"
#include "kvwin32/crt.h"
#include "resource.h"

namespace {

// The temporary file the button bar's picture is read from.
constexpr const char* kBitmapFile = ".\\bmpDataFile";
// _access mode: may be read.
constexpr int kReadAccess = 4;

std::string text(const CString& s) {
    return static_cast<LPCSTR>(s);
}

}  // namespace

BEGIN_MESSAGE_MAP(CRestartSimDlg, CAnalysisDlg)
ON_BN_CLICKED(IDC_RESTART_SIM_TIME, OnSimulationTime)
ON_BN_CLICKED(IDC_RESTART_REAL_TIME, OnRealTime)
ON_CBN_SELCHANGE(IDC_RESTART_TIME, OnTimeSelChange)
ON_LBN_SELCHANGE(IDC_RESTART_FOLDERS, OnFolderSelChange)
ON_MESSAGE(kFolderBarDone, OnBarDone)
ON_MESSAGE(kFolderEditEnded, OnEditEnded)
ON_MESSAGE(kReloadCheckpoints, OnReload)
END_MESSAGE_MAP()

CRestartSimDlg::CRestartSimDlg(RestartSettings* record, const CString& profileDir)
    : m_profileDir(profileDir), m_record(record) {
    m_folderList.SetEditStyle(kEditStyleBrowse);
    if (record == nullptr) {
        return;
    }
    LoadEnabled(*this, record);
    m_selectedRow = record->selectedEntry;
    m_storedPointIndex = record->restartPointIndex;
    m_saveOriginalDat = record->saveOriginalDat ? 1 : 0;
    m_restartPoint = record->restartPoint.c_str();
    // The record keeps the position of its own mode only. The other mode's list starts with
    // no time chosen, so that switching the mode never picks a restart state the user did
    // not choose (Apply then asks for a time).
    if (record->restartAtMode == static_cast<std::int32_t>(RestartAtMode::realTime)) {
        m_mode = 1;
        m_realTimePos = m_storedPointIndex;
        m_simTimePos = -1;
    } else {
        m_mode = 0;
        m_simTimePos = m_storedPointIndex;
        m_realTimePos = -1;
    }
    const std::string base = text(m_profileDir);
    for (CCheckPointReader* entry : record->entries) {
        if (entry != nullptr && FolderExists(entry->GetDirectory(), base)) {
            m_entries.push_back(entry);
        }
    }
    MergeRegistry();
}

int CRestartSimDlg::MergeRegistry() {
    int appended = 0;
    // A copy of the list: loading a map never changes the registry, but the loop must not
    // depend on that.
    const std::vector<CCheckPointReader*> registry = ISyncCkptReStart::chkptSimEntry;
    for (const CCheckPointReader* entry : registry) {
        if (entry == nullptr) {
            continue;
        }
        const std::string folder = entry->GetDirectory();
        bool listed = false;
        for (const CCheckPointReader* own : m_entries) {
            if (SameFolderText(own->GetDirectory(), folder)) {
                listed = true;
                break;
            }
        }
        if (!listed && LoadStateMap(folder)) {
            m_entries.push_back(m_created.Make(folder, entry->GetSimInterval(),
                                               entry->GetRealTimeInterval(),
                                               entry->GetTimePoints()));
            ++appended;
        }
    }
    return appended;
}

bool CRestartSimDlg::LoadStateMap(const std::string& folder) {
    const std::string full = ResolveFolder(folder, text(m_profileDir));
    if (!PathUtil::exists(full)) {
        return false;  // the current map stays
    }
    const std::string path = full + "\\state_map";
    if (_access(path.c_str(), kReadAccess) != 0) {
        return false;
    }
    m_stateMap.reset();
    if (std::FILE* file = kvcrt::fopen(path.c_str(), "r")) {
        m_stateMap = std::make_unique<StateMap>(ParseStateMap(file));
        std::fclose(file);
    }
    return true;
}

void CRestartSimDlg::DoDataExchange(CDataExchange* pDX) {
    CAnalysisDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_RESTART_BAR, m_folderBar);
    DDX_Control(pDX, IDC_RESTART_FOLDERS, m_folderList);
    DDX_Radio(pDX, IDC_RESTART_SIM_TIME, m_mode);
    DDX_Control(pDX, IDC_RESTART_TIME, m_timeCombo);
    DDX_Check(pDX, IDC_RESTART_SAVE_DAT, m_saveOriginalDat);
}

bool CRestartSimDlg::MarksModified(WPARAM wParam) {
    return LOWORD(wParam) == IDC_RESTART_SAVE_DAT && HIWORD(wParam) == BN_CLICKED;
}

CCheckPointReader* CRestartSimDlg::EntryOf(int row) const {
    return EntryAt(m_entries, row);
}

std::string CRestartSimDlg::RowText(int row) const {
    return m_folderList.RowText(row);
}

void CRestartSimDlg::FillTimes() {
    if (m_timeCombo.m_hWnd == nullptr) {
        return;
    }
    m_timeCombo.ResetContent();
    if (m_stateMap == nullptr) {
        return;
    }
    if (m_mode == 0 && m_stateMap->simulationCount() > 0) {
        for (int i = 0; i < m_stateMap->simulationCount(); ++i) {
            m_timeCombo.AddString(std::string(m_stateMap->simulationPoint(i).time).c_str());
        }
        m_timeCombo.SetCurSel(m_simTimePos);
    } else if (m_mode == 1 && m_stateMap->realTimeCount() > 0) {
        for (int i = 0; i < m_stateMap->realTimeCount(); ++i) {
            m_timeCombo.AddString(std::string(m_stateMap->realTimePoint(i).time).c_str());
        }
        m_timeCombo.SetCurSel(m_realTimePos);
    }
}

void CRestartSimDlg::RefreshTimes() {
    const std::string row = RowText(m_selectedRow);
    if (!row.empty() && LoadStateMap(row)) {
        FillTimes();
    } else if (m_timeCombo.m_hWnd != nullptr) {
        m_timeCombo.ResetContent();
    }
}

BOOL CRestartSimDlg::OnInitDialog() {
    CAnalysisDlg::OnInitDialog();
    m_folderBar.SetBitmap(LoadButtonBarBitmap(kBitmapFile));
    m_folderList.m_baseFolder = text(m_profileDir);
    for (const CCheckPointReader* entry : m_entries) {
        m_folderList.AddString(entry->GetDirectory().c_str());
    }
    m_folderBar.SetListBox(&m_folderList);
    m_folderBar.SetOwnerDialog(this);
    if (m_selectedRow >= 0 && m_selectedRow < m_folderList.GetCount()) {
        m_folderList.SetCurSel(m_selectedRow);
        m_folderList.SetCurrentItem(m_selectedRow);
        m_folderList.SetFocus();
        UpdateData(FALSE);
        if (LoadStateMap(RowText(m_selectedRow))) {
            FillTimes();
        }
    }
    return TRUE;
}

LRESULT CRestartSimDlg::OnReload(WPARAM, LPARAM) {
    const int before = static_cast<int>(m_entries.size());
    MergeRegistry();
    for (int i = before; i < static_cast<int>(m_entries.size()); ++i) {
        m_folderList.AddString(m_entries[static_cast<std::size_t>(i)]->GetDirectory().c_str());
    }
    const std::string published = ISyncCkptReStart::Instance()->GetchkptDir();
    int match = -1;
    for (int i = 0; i < static_cast<int>(m_entries.size()) && !published.empty(); ++i) {
        if (SameFolderText(m_entries[static_cast<std::size_t>(i)]->GetDirectory(), published)) {
            match = i;
            break;
        }
    }
    const int count = m_folderList.GetCount();
    if (match >= 0) {
        m_selectedRow = match;
    } else if ((m_selectedRow < 0 || m_selectedRow >= count) && count > 0) {
        m_selectedRow = 0;
    }
    if (m_selectedRow >= 0 && m_selectedRow < count) {
        m_folderList.SetCurSel(m_selectedRow);
        m_folderList.SetCurrentItem(m_selectedRow);
        if (LoadStateMap(RowText(m_selectedRow))) {
            FillTimes();
        } else {
            m_timeCombo.ResetContent();
        }
    }
    UpdateData(FALSE);
    SetModified(TRUE);
    return 0;
}

void CRestartSimDlg::OnFolderSelChange() {
    m_selectedRow = m_folderList.GetCurSel();
    if (EntryOf(m_selectedRow) == nullptr || !LoadStateMap(RowText(m_selectedRow))) {
        m_timeCombo.ResetContent();
        m_stateMap.reset();
    } else {
        FillTimes();
    }
    UpdateData(FALSE);
    SetModified(TRUE);
}

void CRestartSimDlg::SetMode(int mode) {
    m_timeCombo.ResetContent();
    UpdateData(TRUE);
    SetModified(TRUE);
    m_mode = mode;
    FillTimes();
}

void CRestartSimDlg::OnSimulationTime() {
    SetMode(0);
}

void CRestartSimDlg::OnRealTime() {
    SetMode(1);
}

void CRestartSimDlg::OnTimeSelChange() {
    (m_mode == 1 ? m_realTimePos : m_simTimePos) = m_timeCombo.GetCurSel();
}

LRESULT CRestartSimDlg::OnBarDone(WPARAM button, LPARAM) {
    const int index = m_folderList.GetCurrentItem();
    m_selectedRow = index;
    const int count = m_folderList.GetCount();
    switch (static_cast<int>(button)) {
        case CListBoxExBuddy::kNew:
            if (index >= static_cast<int>(m_entries.size())) {
                m_entries.push_back(m_created.Make(RowText(index), "", "", ""));
                RefreshTimes();
            }
            break;
        case CListBoxExBuddy::kDelete:
            if (index >= 0 && index < static_cast<int>(m_entries.size())) {
                m_entries.erase(m_entries.begin() + index);
            }
            if (index >= 0) {
                m_selectedRow = count == 0 ? -1 : std::min(std::max(index - 1, 0), count - 1);
            }
            if (m_selectedRow >= 0) {
                m_folderList.SetCurSel(m_selectedRow);
                m_folderList.SetFocus();
                RefreshTimes();
            } else {
                m_timeCombo.ResetContent();
            }
            m_folderList.SetCurrentItem(m_selectedRow);
            break;
        case CListBoxExBuddy::kMoveUp:
            if (index > 0) {
                if (CCheckPointReader* a = EntryOf(index); a != nullptr) {
                    if (CCheckPointReader* b = EntryOf(index - 1); b != nullptr) {
                        std::swap(*a, *b);
                    }
                }
                m_selectedRow = index - 1;
                m_folderList.SetCurrentItem(m_selectedRow);
                RefreshTimes();
            }
            break;
        case CListBoxExBuddy::kMoveDown:
            if (index >= 0 && index < count - 1) {
                if (CCheckPointReader* a = EntryOf(index); a != nullptr) {
                    if (CCheckPointReader* b = EntryOf(index + 1); b != nullptr) {
                        std::swap(*a, *b);
                    }
                }
                m_selectedRow = index + 1;
                m_folderList.SetCurrentItem(m_selectedRow);
                RefreshTimes();
            }
            break;
        default:
            break;
    }
    UpdateData(FALSE);
    SetModified(TRUE);
    return 0;
}

LRESULT CRestartSimDlg::OnEditEnded(WPARAM row, LPARAM) {
    // The entry follows its row's text, and an edited row may name another folder: its
    // times are read again.
    if (CCheckPointReader* entry = EntryOf(static_cast<int>(row))) {
        entry->SetEntry(RowText(static_cast<int>(row)), entry->GetSimInterval(),
                        entry->GetRealTimeInterval(), entry->GetTimePoints());
    }
    m_selectedRow = m_folderList.GetCurSel();
    RefreshTimes();
    SetModified(TRUE);
    return 0;
}

BOOL CRestartSimDlg::Validate() {
    m_selectedRow = m_folderList.m_hWnd != nullptr ? m_folderList.GetCurSel() : -1;
    if (m_selectedRow == LB_ERR) {
        m_selectedRow = -1;
    }
    RestartChoice choice;
    choice.selectedRow = m_selectedRow;
    choice.rowCount = m_folderList.m_hWnd != nullptr ? m_folderList.GetCount() : 0;
    choice.folderListId = IDC_RESTART_FOLDERS;
    choice.timeComboId = IDC_RESTART_TIME;
    const std::string row = RowText(m_selectedRow);
    if (m_selectedRow >= 0 && m_selectedRow < choice.rowCount) {
        choice.fullPath = ResolveFolder(row, text(m_profileDir));
        std::string normal = choice.fullPath;
        PathUtil::normalize(normal, false);
        choice.isDirectory = PathUtil::isDirectory(normal);
        choice.stateMapRead = choice.isDirectory && LoadStateMap(choice.fullPath);
        choice.timeSelection = m_timeCombo.GetCurSel();
    }
    if (const auto refusal = CheckRestartChoice(choice)) {
        return Refuse(*this, *refusal);
    }
    ISyncCkptReStart* registry = ISyncCkptReStart::Instance();
    if (!registry->GetChkptFlag()) {
        return TRUE;
    }
    // The row's text is the folder this run restarts from (its entry receives it when the
    // dialog saves).
    const auto refusal = CheckRestartAgainstCheckpoint(true, registry->GetchkptDir(), row);
    registry->SetChkptDir("");
    if (refusal) {
        return Refuse(*this, *refusal);
    }
    return TRUE;
}

int CRestartSimDlg::SaveToProfile(SimProfile*) {
    if (m_record == nullptr) {
        return 0;
    }
    SaveEnabled(*this, m_record);
    const int count = m_folderList.m_hWnd != nullptr ? m_folderList.GetCount() : 0;
    if (count == 0) {
        m_selectedRow = -1;
        m_record->selectedEntry = -1;
        m_record->restartPointIndex = m_storedPointIndex;
        m_restartPoint.Empty();
        m_mode = -1;
        m_record->restartAtMode = static_cast<std::int32_t>(RestartAtMode::none);
        m_record->entries.clear();
        m_entries.clear();
        m_created.Saved(m_record->entries);
        return 0;
    }
    m_selectedRow = m_folderList.GetCurSel();
    if (m_selectedRow == LB_ERR) {
        m_selectedRow = -1;
        return 0;
    }
    if (CCheckPointReader* entry = EntryOf(m_selectedRow)) {
        entry->SetEntry(RowText(m_selectedRow), entry->GetSimInterval(),
                        entry->GetRealTimeInterval(), entry->GetTimePoints());
    } else {
        for (int row = static_cast<int>(m_entries.size()); row < count; ++row) {
            m_entries.push_back(
                m_created.Make(row == m_selectedRow ? RowText(row) : "", "", "", ""));
        }
    }
    m_record->entries.clear();
    m_record->selectedEntry = m_selectedRow;
    m_record->restartAtMode = m_mode;
    m_record->saveOriginalDat = m_saveOriginalDat != 0;
    for (CCheckPointReader* entry : m_entries) {
        if (!entry->GetDirectory().empty()) {
            m_record->entries.push_back(entry);
        }
    }
    m_created.Saved(m_record->entries);
    const int chosen = m_timeCombo.GetCurSel();
    if (chosen >= 0 && m_stateMap != nullptr) {
        const bool real = m_mode == 1;
        const int points = real ? m_stateMap->realTimeCount() : m_stateMap->simulationCount();
        if (points > 0) {
            m_record->restartPointIndex = chosen;
            if (chosen < points) {
                const StatePoint point =
                    real ? m_stateMap->realTimePoint(chosen) : m_stateMap->simulationPoint(chosen);
                m_record->restartPoint = std::string(point.name);
                m_restartPoint = m_record->restartPoint.c_str();
            }
        }
    }
    return 0;
}
