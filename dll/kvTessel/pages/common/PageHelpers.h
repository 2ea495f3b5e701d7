// Small pieces every page shares: the sheet's title, and showing, hiding, enabling or
// disabling a group of a dialog's controls at once.
#pragma once

#include <afxwin.h>

#include <initializer_list>
#include <string_view>

// The sheet's caption "Simulation Settings" (string table).
CString SheetCaption();
// The title of a sheet on a profile: the caption, " - " and the profile name.
CString SheetTitle(std::string_view profileName);

// Shows (SW_SHOW) or hides every control of `dialog` named in `ids`; missing ones are skipped.
void ShowControls(CWnd& dialog, std::initializer_list<int> ids, bool show);
// Enables or disables every control of `dialog` named in `ids`; missing ones are skipped.
void EnableControls(CWnd& dialog, std::initializer_list<int> ids, bool enable);
