// CMyListBoxEx and CMyListBoxExBuddy: browsing for a row's folder, and telling the owner
// dialog of every change of the rows.
#include "CheckpointLists.h"

#include <algorithm>

#include "CheckpointRules.h"
#include "FolderPicker.h"
#include "kvTessel/CheckPoint.h"
#include "resource.h"

namespace {

// Flag of the key message's flag word that an Alt+arrow move requires (as the list tests it).
constexpr UINT kMoveKeyFlag = 8;

}  // namespace

BEGIN_MESSAGE_MAP(CMyListBoxEx, CListBoxEx)
ON_WM_KEYDOWN()
ON_WM_SYSKEYDOWN()
END_MESSAGE_MAP()

void CMyListBoxEx::OnBrowse(int index, const InPlaceNotify* /*report*/) {
    CString row;
    if (index >= 0 && index < GetCount()) {
        GetText(index, row);
    }
    const std::string start = ResolveFolder(static_cast<LPCSTR>(row), m_baseFolder);
    CString title;
    title.LoadString(IDS_FOLDER_PICKER_TITLE);
    FolderPicker picker(title);
    if (const auto chosen = picker.Browse(start.c_str(), 0, 0, nullptr)) {
        SetEditText(chosen->c_str());  // only while the editor is still open
    }
}

BOOL CMyListBoxEx::OnEndEdit(int index, BOOL cancelled) {
    // An emptied row goes when the edit ends; the dialog drops its entry with it, as Delete
    // does. Posted, so that the dialog hears of it after the row is gone.
    CString text;
    if (CInPlaceEdit* edit = GetEditor()) {
        edit->GetWindowText(text);
    }
    if (CWnd* owner = GetParent(); owner != nullptr && index >= 0) {
        if (text.IsEmpty()) {
            owner->PostMessage(kFolderBarDone, CListBoxExBuddy::kDelete, 0);
        } else {
            owner->PostMessage(kFolderEditEnded, static_cast<WPARAM>(index), cancelled ? 1 : 0);
        }
    }
    return TRUE;
}

void CMyListBoxEx::Tell(int button, int row) {
    SetCurrentItem(row);
    if (CWnd* owner = GetParent()) {
        owner->SendMessage(kFolderBarDone, static_cast<WPARAM>(button), 0);
    }
}

void CMyListBoxEx::MoveRow(int from, int to) {
    const int count = GetCount();
    if (from < 0 || to < 0 || from >= count || to >= count) {
        return;
    }
    for (int row = from; row > to; --row) {
        SetCurrentItem(row);
        MoveItemUp(row);
        Tell(CListBoxExBuddy::kMoveUp, row);
    }
    for (int row = from; row < to; ++row) {
        SetCurrentItem(row);
        MoveItemDown(row);
        Tell(CListBoxExBuddy::kMoveDown, row);
    }
    SetCurrentItem(to);
}

void CMyListBoxEx::Dropped(int sourceIndex, CPoint point) {
    DrawInsert(-1);
    const int target = ItemFromPt(point, FALSE);
    if (sourceIndex < 0 || target < 0 || sourceIndex >= GetCount() || target == sourceIndex ||
        target == sourceIndex + 1) {
        return;  // dropped on itself or just below: the order stays
    }
    // The row goes before the row it is dropped on.
    MoveRow(sourceIndex, sourceIndex < target ? target - 1 : target);
}

void CMyListBoxEx::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    if (key != VK_DELETE) {
        CListBoxEx::OnKeyDown(key, repeat, flags);
        return;
    }
    CDragListBox::OnKeyDown(key, repeat, flags);
    const int row = GetCurrentItem();
    if (row >= 0 && row < GetCount() && GetEditedItem() == -1) {
        DeleteString(static_cast<UINT>(row));
        Tell(CListBoxExBuddy::kDelete, row);
    }
}

void CMyListBoxEx::OnSysKeyDown(UINT key, UINT repeat, UINT flags) {
    const int selected = GetCurSel();
    if ((flags & kMoveKeyFlag) != 0 && selected != LB_ERR && GetEditedItem() == -1) {
        if (key == VK_LEFT || key == VK_UP) {
            MoveRow(selected, selected - 1);
        } else if (key == VK_RIGHT || key == VK_DOWN) {
            MoveRow(selected, selected + 1);
        }
    }
    CDragListBox::OnSysKeyDown(key, repeat, flags);
}

// ---- Button bar -------------------------------------------------------------------------------

void CMyListBoxExBuddy::OnButtonDown(UINT flags, CPoint point) {
    CListBoxExBuddy::OnButtonDown(flags, point);
}

void CMyListBoxExBuddy::OnButtonUp(UINT flags, CPoint point) {
    const int under = HitTest(point);
    m_success = false;
    CListBoxExBuddy::OnButtonUp(flags, point);
    if (m_success && under != kNone) {
        if (CWnd* owner = m_owner != nullptr ? m_owner : GetParent()) {
            owner->SendMessage(kFolderBarDone, static_cast<WPARAM>(under), 0);
        }
    }
}

void CMyListBoxExBuddy::DoButton(int index) {
    CListBoxEx* list = GetListBox();
    m_success = false;
    if (list == nullptr || list->m_hWnd == nullptr) {
        return;
    }
    const int selected = list->GetCurSel();
    // The bar acts on the selected row, which the dialog then finds as the list's current row
    // (none without a selection, so that the dialog drops no entry for a Delete that deleted
    // nothing).
    list->SetCurrentItem(selected != LB_ERR ? selected : -1);
    switch (index) {
        case kNew: {
            const int before = list->GetCount();
            list->EditNewItem();
            m_success = list->GetCount() != before;
            break;
        }
        case kDelete:
            if (selected != LB_ERR) {
                list->DeleteString(static_cast<UINT>(selected));
            }
            m_success = true;
            break;
        case kMoveUp:
            if (selected != LB_ERR && selected > 0) {
                list->MoveItemUp(selected);
                m_success = true;
            }
            break;
        case kMoveDown:
            if (selected != LB_ERR) {
                list->MoveItemDown(selected);
                m_success = true;
            }
            break;
        default:
            break;
    }
}

// ---- Entries made by a dialog -----------------------------------------------------------------

CreatedEntries::~CreatedEntries() {
    auto& registry = ISyncCkptReStart::chkptSimEntry;
    for (const Made& made : m_made) {
        if (!made.inRecord) {
            std::erase(registry, made.entry);
            delete made.entry;
        }
    }
}

CCheckPointReader* CreatedEntries::Make(std::string directory, std::string simInterval,
                                        std::string realTimeInterval, std::string timePoints) {
    auto* entry = new CCheckPointReader(std::move(directory), std::move(simInterval),
                                        std::move(realTimeInterval), std::move(timePoints));
    m_made.push_back({entry, false});
    return entry;
}

void CreatedEntries::Saved(const std::vector<CCheckPointReader*>& record) {
    for (Made& made : m_made) {
        made.inRecord = std::find(record.begin(), record.end(), made.entry) != record.end();
    }
}

// ---- Rows and their entries
// ----------------------------------------------------------------------

CCheckPointReader* EntryAt(const std::vector<CCheckPointReader*>& entries, int row) {
    return row >= 0 && row < static_cast<int>(entries.size())
               ? entries[static_cast<std::size_t>(row)]
               : nullptr;
}

std::string CMyListBoxEx::RowText(int row) const {
    CString rowText;
    if (m_hWnd != nullptr && row >= 0 && row < GetCount()) {
        GetText(row, rowText);
    }
    return static_cast<LPCSTR>(rowText);
}
