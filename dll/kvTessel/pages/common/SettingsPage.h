// What every page of the settings sheet has in common: the profile it was built on (not
// owned; may be null), the help button of its header, and
// the modified marking driven by its field table.
#pragma once

#include <afxdlgs.h>

struct SimProfile;

class CSettingsPage : public CPropertyPage {
  public:
    // A page on template `templateId` for `profile`; `hasHelp` puts a Help button in the
    // sheet for it.
    CSettingsPage(UINT templateId, SimProfile* profile, bool hasHelp);

    SimProfile* m_pProfile;  // the profile being edited; not owned

  protected:
    // Whether a control notification (id and code as a WM_COMMAND wParam) is an edit that
    // marks the page modified; pages answer from their field table.
    virtual bool MarksModified(WPARAM wParam);

    // Marks the page modified on an edit of a marking field, then dispatches as usual. The
    // framework calls it only for the user's edits: notifications that UpdateData causes
    // while it fills the controls never get here.
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;
};
