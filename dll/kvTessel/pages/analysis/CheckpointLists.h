// The folder list of the checkpoint and restart dialogs and its button bar. The dialog keeps
// one entry per row, by row index; every change of the rows' order or number the list makes
// (the bar's buttons, Delete, Alt+arrows, a drag, an emptied row) reaches the dialog as the
// bar's notification, so that its entries follow the rows.
#pragma once

#include <afxcmn.h>

#include <string>
#include <vector>

#include "controls/ListBoxEx.h"
#include "controls/ListBoxExBuddy.h"

class CCheckPointReader;

// What the bar tells its owner dialog: WM_USER+1 with wParam the button whose action was
// carried out (CListBoxExBuddy::kNew ... kMoveDown), lParam 0, the list's current row being
// the row acted on. WM_USER+2 (wParam the row, lParam 1 when cancelled) is posted when an
// in-place edit of a row ends with text in the row (an emptied row is deleted, and the owner
// hears of it as a Delete).
inline constexpr UINT kFolderBarDone = WM_USER + 1;
inline constexpr UINT kFolderEditEnded = WM_USER + 2;

// The folder list: the "..." button of its in-place editor browses for a folder, starting at
// the row's folder resolved against the base folder (the profile's folder).
// The entry a dialog keeps for row `row` of its folder list, or null.
CCheckPointReader* EntryAt(const std::vector<CCheckPointReader*>& entries, int row);

class CMyListBoxEx : public CListBoxEx {
  public:
    // The folder relative row texts are resolved against.
    std::string m_baseFolder;

    void OnBrowse(int index, const InPlaceNotify* report) override;
    BOOL OnEndEdit(int index, BOOL cancelled) override;
    // A drop moves the row one place at a time, each step told to the dialog as Up or Down.
    void Dropped(int sourceIndex, CPoint point) override;

    // Moves row `from` to `to` one place at a time, telling the owner each step.
    void MoveRow(int from, int to);
    // The text of row `row`; empty without a window or such a row.
    std::string RowText(int row) const;

  protected:
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg void OnSysKeyDown(UINT key, UINT repeat, UINT flags);
    DECLARE_MESSAGE_MAP()

  private:
    // Tells the owner dialog that `button`'s action was carried out on row `row`.
    void Tell(int button, int row);
};

// The folder list's button bar: the owner dialog hears of each button whose action was
// carried out.
class CMyListBoxExBuddy : public CListBoxExBuddy {
  public:
    // The dialog told of the buttons' actions (the bar's parent when none is set).
    void SetOwnerDialog(CWnd* owner) { m_owner = owner; }

    void OnButtonDown(UINT flags, CPoint point) override;
    void OnButtonUp(UINT flags, CPoint point) override;
    void DoButton(int index) override;

  private:
    // The last DoButton changed the list.
    bool m_success = false;
    CWnd* m_owner = nullptr;
};

// The checkpoint entries a dialog made itself (the default entry, New, copies merged from the
// registry, rows saved without an entry). Those the profile record lists after the dialog's
// last save are the host's (the host frees the entries of its records); the others are the
// dialog's: when it goes they are taken out of the checkpoint registry and freed, so that the
// registry never points at a freed entry and nothing the host never got is left behind. The
// record is never read when the dialog goes (the host may have freed it by then).
class CreatedEntries {
  public:
    CreatedEntries() = default;
    CreatedEntries(const CreatedEntries&) = delete;
    CreatedEntries& operator=(const CreatedEntries&) = delete;
    // Frees the entries that are still the dialog's.
    ~CreatedEntries();

    // A new entry, the dialog's until a save puts it into the record.
    CCheckPointReader* Make(std::string directory, std::string simInterval,
                            std::string realTimeInterval, std::string timePoints);
    // The record was saved with `record`: the entries made here that it lists are the host's,
    // the others (again) the dialog's.
    void Saved(const std::vector<CCheckPointReader*>& record);

  private:
    struct Made {
        CCheckPointReader* entry;
        bool inRecord;
    };
    std::vector<Made> m_made;
};
