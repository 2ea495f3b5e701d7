// What the three panels of the Options page share: each is a dialog without a caption made as a
// child of the page, loads from and saves to the profile's options record, and marks the page
// modified when the user changes one of its marking fields.
#pragma once

#include <afxwin.h>

#include <initializer_list>

struct OptionSettings;

class COptionPanel : public CDialog {
  public:
    explicit COptionPanel(UINT templateId) : CDialog(templateId) {}

    // Copies the record (may be null) into the members and fills the controls.
    virtual void LoadFromProfile(OptionSettings* record) = 0;
    // Reads the controls and writes the record given at the last load (nothing without one).
    // FALSE when a control refused its text (the framework has said so).
    virtual BOOL SaveToProfile() = 0;

  protected:
    // Whether a control notification (a WM_COMMAND wParam) marks the page modified.
    virtual bool MarksModified(WPARAM wParam) = 0;
    // Tells the page (the parent property page) that it has unapplied changes.
    void SetPageModified();

    // Marks the page modified on an edit of a marking field, then dispatches as usual (the
    // framework drops the notifications UpdateData causes while it fills the controls).
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;
    // A panel closes with its page: Enter and Escape belong to the sheet.
    void OnOK() override {}
    void OnCancel() override {}

    OptionSettings* m_pOptions = nullptr;  // the record being edited; not owned; may be null
};

// A text of the string table.
CString OptionText(UINT id);
// Empties a combo box of `dialog` and adds the string-table texts `ids` in order.
void FillItems(CWnd& dialog, int comboId, std::initializer_list<UINT> ids);
// The Options page's help topic, for the page and the advanced dialogs it opens.
void ShowOptionsHelp();
