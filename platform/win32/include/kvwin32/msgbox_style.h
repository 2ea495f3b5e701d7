// Readable names for what a message box style shows: its icon, its buttons and the answers,
// as transcripts print them and scripts name them ("warning", "YesNo", "Cancel").
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <optional>
#include <string_view>
#include <vector>

#include "kvwin32/windef.h"

namespace kvwin32 {

// The icon a box shows (MB_ICONMASK bits).
enum class BoxIcon { none, error, warning, information, question };

// The buttons a box shows (MB_TYPEMASK bits).
enum class BoxButtons {
    ok,
    okCancel,
    abortRetryIgnore,
    yesNoCancel,
    yesNo,
    retryCancel,
    cancelTryContinue
};

// True when the style's buttons and icon bits name a box Windows can show.
bool isValidBoxStyle(UINT style);
// The icon of a style (MB_USERICON counts as none).
BoxIcon boxIconOf(UINT style);
// The buttons of a style (an invalid button value counts as OK).
BoxButtons boxButtonsOf(UINT style);
// "none", "error", "warning", "information", "question".
std::string_view boxIconName(BoxIcon icon);
// "OK", "OKCancel", "AbortRetryIgnore", "YesNoCancel", "YesNo", "RetryCancel",
// "CancelTryContinue".
std::string_view boxButtonsName(BoxButtons buttons);
// The ids of the buttons that close a box of the style, left to right (a Help button of
// MB_HELP only sends WM_HELP to the owner and is not among them).
std::vector<int> boxButtonIds(UINT style);
// The id of the default button (MB_DEFBUTTONn; the first when n is past the last button).
int defaultBoxButton(UINT style);
// The id a box returns when closed with Escape or its close box: IDCANCEL when it has a
// Cancel button, IDOK for an OK-only box; nullopt when it cannot be closed that way.
std::optional<int> boxCancelAnswer(UINT style);
// "OK", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No", "Close", "Help", "TryAgain",
// "Continue"; "?" for another id.
std::string_view answerName(int id);
// The id an answer name stands for (letter case ignored), or nullopt.
std::optional<int> answerFromName(std::string_view name);

}  // namespace kvwin32

#pragma GCC visibility pop
