// CCheckPointDlg: the folder list with its button bar, each row's settings, validation with
// the question that creates a missing folder, and the checkpoint registry.
#include "CheckPointDlg.h"

#include <afxdd_.h>

#include <span>

#include "CheckpointRules.h"
#include "MessageText.h"
#include "controls/ButtonBarImage.h"
#include "pages/common/FieldTable.h"
#include "resource.h"

namespace {

using namespace fields;
using D = CCheckPointDlg;
using R = CheckpointSettings;

// The record's plain field: where states are saved.
constexpr Field<D, R> kFields[] = {
    radioField(IDC_CKPT_SIMULATOR_POINTS, &D::m_timePointMode, &R::timePointMode, kMarksModified),
};
constexpr std::span<const Field<D, R>> kTable(kFields);

// The three edits show the texts of the selected row's entry.
struct EntryTexts {
    vnt_string simInterval;
    vnt_string realTimeInterval;
    vnt_string timePoints;
};
using T = EntryTexts;
constexpr Field<D, T> kEntryFields[] = {
    textField(IDC_CKPT_SIM_INTERVAL, &D::m_simInterval, &T::simInterval, kMarksModified),
    textField(IDC_CKPT_REAL_INTERVAL, &D::m_realTimeInterval, &T::realTimeInterval, kMarksModified),
    textField(IDC_CKPT_TIME_POINTS, &D::m_timePoints, &T::timePoints, kMarksModified),
};
constexpr std::span<const Field<D, T>> kEntryTable(kEntryFields);

// The name of the temporary file the button bar's picture is read from (current folder).
constexpr const char* kBitmapFile = "bmpDataFile";
// The folder a record without a usable folder starts with.
constexpr const char* kDefaultFolder = "chkpt_default";

std::string text(const CString& s) {
    return static_cast<LPCSTR>(s);
}

}  // namespace

BEGIN_MESSAGE_MAP(CCheckPointDlg, CAnalysisDlg)
ON_LBN_SELCHANGE(IDC_CKPT_FOLDERS, OnFolderSelChange)
ON_MESSAGE(kFolderBarDone, OnBarDone)
ON_MESSAGE(kFolderEditEnded, OnEditEnded)
END_MESSAGE_MAP()

CCheckPointDlg::CCheckPointDlg(CheckpointSettings* record, const CString& profileDir)
    : m_profileDir(profileDir), m_record(record) {
    m_folderList.SetEditStyle(kEditStyleBrowse);
    if (record == nullptr) {
        return;  // the list stays empty
    }
    LoadEnabled(*this, record);
    m_selectedRow = record->selectedEntry;
    loadFields(*this, *record, kTable);
    ISyncCkptReStart::Instance();

    // Only folders that exist are offered; the record keeps the others until the next save.
    const std::string base = text(m_profileDir);
    for (CCheckPointReader* entry : record->entries) {
        if (entry != nullptr && FolderExists(entry->GetDirectory(), base)) {
            m_entries.push_back(entry);
            ISyncCkptReStart::chkptSimEntry.push_back(entry);
        }
    }
    if (m_entries.empty()) {
        CCheckPointReader* entry = m_created.Make(kDefaultFolder, "", "", "");
        m_entries.push_back(entry);
        ISyncCkptReStart::chkptSimEntry.push_back(entry);
        m_selectedRow = 0;
    }
}

void CCheckPointDlg::DoDataExchange(CDataExchange* pDX) {
    CAnalysisDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CKPT_BAR, m_folderBar);
    DDX_Control(pDX, IDC_CKPT_FOLDERS, m_folderList);
    exchangeFields(pDX, *this, kEntryTable);
    exchangeFields(pDX, *this, kTable);
}

bool CCheckPointDlg::MarksModified(WPARAM wParam) {
    return marksModified(*this, kEntryTable, wParam) || marksModified(*this, kTable, wParam);
}

CCheckPointReader* CCheckPointDlg::EntryOf(int row) const {
    return EntryAt(m_entries, row);
}

std::string CCheckPointDlg::RowText(int row) const {
    return m_folderList.RowText(row);
}

void CCheckPointDlg::ShowEntry(const CCheckPointReader* entry) {
    EntryTexts texts;
    if (entry != nullptr) {
        texts = {entry->GetSimInterval(), entry->GetRealTimeInterval(), entry->GetTimePoints()};
    }
    loadFields(*this, texts, kEntryTable);
}

BOOL CCheckPointDlg::OnInitDialog() {
    CAnalysisDlg::OnInitDialog();

    // The bar's picture goes through a file, as the bitmap loader reads files; without the file
    // the bar shows no pictures.
    m_folderBar.SetBitmap(LoadButtonBarBitmap(kBitmapFile));

    m_folderList.m_baseFolder = text(m_profileDir);
    m_folderBar.SetListBox(&m_folderList);
    m_folderBar.SetOwnerDialog(this);

    for (const CCheckPointReader* entry : m_entries) {
        m_folderList.AddString(entry->GetDirectory().c_str());
    }
    if (m_selectedRow >= 0 && m_selectedRow < m_folderList.GetCount()) {
        m_folderList.SetCurSel(m_selectedRow);
        m_folderList.SetFocus();
        ShowEntry(EntryOf(m_selectedRow));
        m_folderList.SetCurrentItem(m_selectedRow);
        UpdateData(FALSE);
    }
    return TRUE;
}

void CCheckPointDlg::OnFolderSelChange() {
    m_selectedRow = m_folderList.GetCurSel();
    ShowEntry(EntryOf(m_selectedRow));
    UpdateData(FALSE);
    SetModified(TRUE);
}

void CCheckPointDlg::SwapEntries(int a, int b) {
    CCheckPointReader* first = EntryOf(a);
    CCheckPointReader* second = EntryOf(b);
    if (first != nullptr && second != nullptr) {
        std::swap(*first, *second);
    }
    // The registry holds the dialog's entries at the same places when the dialog filled it:
    // an entry both hold is exchanged once. Entries of its own at both places are exchanged
    // there too; a registry that holds one of the dialog's entries out of place (another
    // sheet's rows before them) is left as it is until the next save re-aligns it.
    const auto inRegistry = [](int i) -> CCheckPointReader* {
        const auto& registry = ISyncCkptReStart::chkptSimEntry;
        return i >= 0 && i < static_cast<int>(registry.size())
                   ? registry[static_cast<std::size_t>(i)]
                   : nullptr;
    };
    const CCheckPointReader* atA = inRegistry(a);
    const CCheckPointReader* atB = inRegistry(b);
    const bool shared = atA == first || atA == second || atB == first || atB == second;
    if (!shared) {
        ISyncCkptReStart::SwapChkptEntry(a, b);
    }
}

LRESULT CCheckPointDlg::OnBarDone(WPARAM button, LPARAM) {
    const int index = m_folderList.GetCurrentItem();
    m_selectedRow = index;
    auto& registry = ISyncCkptReStart::chkptSimEntry;
    switch (static_cast<int>(button)) {
        case CListBoxExBuddy::kNew:
            if (index >= static_cast<int>(m_entries.size())) {
                const std::string folder = RowText(index);
                ShowEntry(nullptr);
                // One entry shared by the dialog and the registry, so that both see the row's
                // folder and settings as they are edited and moved.
                CCheckPointReader* entry = m_created.Make(folder, "", "", "");
                m_entries.push_back(entry);
                registry.push_back(entry);
                UpdateData(FALSE);
                SetModified(TRUE);
            }
            break;
        case CListBoxExBuddy::kDelete: {
            if (index >= 0 && index < static_cast<int>(m_entries.size())) {
                m_entries.erase(m_entries.begin() + index);
                if (index < static_cast<int>(registry.size())) {
                    registry.erase(registry.begin() + index);
                }
            }
            const int count = m_folderList.GetCount();
            m_selectedRow = index - 1 >= 0 ? index - 1 : (count > 0 ? 0 : -1);
            if (m_selectedRow >= count) {
                m_selectedRow = count - 1;
            }
            if (m_selectedRow >= 0) {
                m_folderList.SetCurSel(m_selectedRow);
                m_folderList.SetFocus();
            }
            // F2 and Delete of the list then act on the row shown selected.
            m_folderList.SetCurrentItem(m_selectedRow);
            ShowEntry(EntryOf(m_selectedRow));
            UpdateData(FALSE);
            SetModified(TRUE);
            break;
        }
        case CListBoxExBuddy::kMoveUp:
            if (index > 0) {
                SwapEntries(index, index - 1);
                // The moved row stays the one the buttons act on.
                m_selectedRow = index - 1;
                m_folderList.SetCurrentItem(m_selectedRow);
            }
            break;
        case CListBoxExBuddy::kMoveDown:
            if (index >= 0 && index < m_folderList.GetCount() - 1) {
                SwapEntries(index, index + 1);
                m_selectedRow = index + 1;
                m_folderList.SetCurrentItem(m_selectedRow);
            }
            break;
        default:
            break;
    }
    return 0;
}

LRESULT CCheckPointDlg::OnEditEnded(WPARAM row, LPARAM) {
    // The entry follows its row's text at once, so that a folder typed into a row that is not
    // the selected one at Apply is not lost (only the selected row's entry takes the edits).
    if (CCheckPointReader* entry = EntryOf(static_cast<int>(row))) {
        entry->SetEntry(RowText(static_cast<int>(row)), entry->GetSimInterval(),
                        entry->GetRealTimeInterval(), entry->GetTimePoints());
    }
    return 0;
}

BOOL CCheckPointDlg::Validate() {
    // The row the list shows selected is the one validated and saved.
    m_selectedRow = m_folderList.m_hWnd != nullptr ? m_folderList.GetCurSel() : -1;
    if (m_selectedRow == LB_ERR) {
        m_selectedRow = -1;
    }
    const std::string row = RowText(m_selectedRow);

    // The edits keep their texts without leading blanks.
    m_simInterval = TrimLeadingBlanks(text(m_simInterval)).c_str();
    m_realTimeInterval = TrimLeadingBlanks(text(m_realTimeInterval)).c_str();
    m_timePoints = TrimLeadingBlanks(text(m_timePoints)).c_str();

    CheckpointChoice choice;
    choice.selectedRow = m_selectedRow;
    choice.rowText = row;
    choice.rowHasEntry = EntryOf(m_selectedRow) != nullptr;
    for (int i = 0; i < static_cast<int>(m_entries.size()); ++i) {
        if (i != m_selectedRow) {
            choice.otherDirectories.push_back(
                m_entries[static_cast<std::size_t>(i)]->GetDirectory());
        }
    }
    choice.simInterval = text(m_simInterval);
    choice.realTimeInterval = text(m_realTimeInterval);
    choice.timePoints = text(m_timePoints);
    choice.folderListId = IDC_CKPT_FOLDERS;
    choice.simIntervalId = IDC_CKPT_SIM_INTERVAL;
    if (const auto refusal = CheckCheckpointChoice(choice)) {
        return Refuse(*this, *refusal);
    }

    const std::string full = ResolveFolder(row, text(m_profileDir));
    if (!PathUtil::isDirectory(full)) {
        const Refusal question = CreateMissingFolderQuestion(full, IDC_CKPT_FOLDERS);
        const int answer =
            ShowMessage(msg::createMissingFolder.module, msg::createMissingFolder.number,
                        question.style, 0, full.c_str());
        if (answer != IDYES) {
            m_folderList.SetFocus();
            return FALSE;
        }
        if (!CreateFolderChain(full)) {
            return Refuse(*this, FolderNotCreated(full, IDC_CKPT_FOLDERS));
        }
    }

    // The folder published is the row's text as validated (the entry receives it when the
    // dialog saves, right after), so that the restart dialog of the same Apply compares the
    // folder this run really uses.
    ISyncCkptReStart* registry = ISyncCkptReStart::Instance();
    registry->SetChkptDir(row);
    registry->SetChkptFlag(true);
    return TRUE;
}

int CCheckPointDlg::SaveToProfile(SimProfile*) {
    if (m_record == nullptr) {
        return 0;
    }
    SaveEnabled(*this, m_record);
    auto& registry = ISyncCkptReStart::chkptSimEntry;
    const int count = m_folderList.m_hWnd != nullptr ? m_folderList.GetCount() : 0;
    if (count == 0) {
        m_selectedRow = -1;
        m_record->selectedEntry = -1;
        m_timePointMode = 0;
        m_record->timePointMode = 0;
        m_record->entries.clear();
        registry.clear();
        m_created.Saved(m_record->entries);
        return 0;
    }
    m_selectedRow = m_folderList.GetCurSel();
    if (m_selectedRow == LB_ERR) {
        m_selectedRow = -1;
        return 0;
    }
    EntryTexts texts;
    saveFields(*this, texts, kEntryTable);
    if (CCheckPointReader* entry = EntryOf(m_selectedRow)) {
        entry->SetEntry(RowText(m_selectedRow), texts.simInterval, texts.realTimeInterval,
                        texts.timePoints);
    } else {
        // Rows past the dialog's entries get one each; only the selected one carries texts
        // (the others, empty, are dropped below).
        for (int row = static_cast<int>(m_entries.size()); row < count; ++row) {
            m_entries.push_back(row == m_selectedRow
                                    ? m_created.Make(RowText(row), texts.simInterval,
                                                     texts.realTimeInterval, texts.timePoints)
                                    : m_created.Make("", "", "", ""));
        }
    }
    saveFields(*this, *m_record, kTable);
    m_record->selectedEntry = m_selectedRow;
    m_record->entries.clear();
    registry.clear();
    for (CCheckPointReader* entry : m_entries) {
        if (!entry->GetDirectory().empty()) {
            m_record->entries.push_back(entry);
            registry.push_back(entry);
        }
    }
    m_created.Saved(m_record->entries);
    return 0;
}
