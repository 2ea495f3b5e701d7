// Extension for desktops with a person at them (kvhost --window): the message box and the
// file and folder dialogs as real modal dialogs, built from templates in memory as Windows
// builds its own, run by the dialog manager's modal loop (which pulls the person's input from
// the desktop) and answered by the person.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include "kvwin32/desktop.h"

namespace kvwin32 {

// Shows the message box as a dialog: the text, and the style's buttons with its default
// button; Escape and the close box answer as boxCancelAnswer says. Returns the button's id
// (the default button's when the input ends first).
int runMessageBoxDialog(const MessageBoxRequest& request);

// Shows an open or save dialog: the folder, a list of its files that match the chosen type
// and a "File name:" edit; OK answers the name as typed (the folder prefixed to a bare name),
// Cancel nullopt.
PathAnswer runFileDialog(const FileDialogRequest& request);

// Shows a folder browser: its title, the selected folder in an edit and the folders below it
// in a list (a double click goes into one, ".." up); OK answers the folder, Cancel nullopt.
PathAnswer runFolderDialog(const FolderDialogRequest& request);

}  // namespace kvwin32

#pragma GCC visibility pop
