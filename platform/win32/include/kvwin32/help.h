// Help requests. A help viewer needs a person, so a request goes to the desktop
// (kvwin32/desktop.h), which writes it into its transcript; the help library of the product
// stands on this.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <string_view>

#include "kvwin32/windef.h"

namespace kvwin32 {

// Asks the desktop to show a topic of a help book; false when no help can be shown (the
// desktop refuses help). Both texts are recorded exactly as given.
bool showHelp(std::string_view book, std::string_view topic);

}  // namespace kvwin32

// WinHelpA commands.
#define HELP_CONTEXT 0x0001L
#define HELP_QUIT 0x0002L
#define HELP_INDEX 0x0003L
#define HELP_CONTENTS 0x0003L
#define HELP_HELPONHELP 0x0004L
#define HELP_SETINDEX 0x0005L
#define HELP_SETCONTENTS 0x0005L
#define HELP_CONTEXTPOPUP 0x0008L
#define HELP_FORCEFILE 0x0009L
#define HELP_KEY 0x0101L
#define HELP_COMMAND 0x0102L
#define HELP_PARTIALKEY 0x0105L
#define HELP_MULTIKEY 0x0201L
#define HELP_SETWINPOS 0x0203L
#define HELP_CONTEXTMENU 0x000aL
#define HELP_FINDER 0x000bL
#define HELP_WM_HELP 0x000cL
#define HELP_SETPOPUP_POS 0x000dL

// Asks for a topic of a help file as kvwin32::showHelp does: HELP_CONTEXT records the context
// number as the topic, HELP_KEY the keyword ("key:..."), HELP_CONTENTS/HELP_FINDER "contents";
// HELP_QUIT records nothing. TRUE when the desktop accepted the request.
BOOL WinHelpA(HWND hwnd, LPCSTR helpFile, UINT command, ULONG_PTR data);

#pragma GCC visibility pop
