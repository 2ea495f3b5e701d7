// Message boxes: MessageBoxA checks the style as Windows does and hands the box to the
// desktop, which answers it synchronously (nothing else of the program runs while a box is
// open, as with the box's own modal loop on Windows). Also the readable names of styles.
#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include "kvwin32/ascii.h"
#include "kvwin32/desktop.h"
#include "kvwin32/msgbox_style.h"
#include "kvwin32/styles.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"
#include "kvwin32/winuser_msgbox.h"

namespace kvwin32 {

namespace {

// The buttons of each MB_TYPEMASK value, left to right, with their readable name.
struct ButtonSet {
    BoxButtons buttons;
    std::string_view name;
    std::array<int, 3> ids;  // 0 ends the list
    bool cancellable;        // Escape and the close box answer IDCANCEL (or IDOK for OK alone)
};
constexpr ButtonSet kButtonSets[] = {
    {BoxButtons::ok, "OK", {IDOK, 0, 0}, true},                     // MB_OK
    {BoxButtons::okCancel, "OKCancel", {IDOK, IDCANCEL, 0}, true},  // MB_OKCANCEL
    {BoxButtons::abortRetryIgnore, "AbortRetryIgnore", {IDABORT, IDRETRY, IDIGNORE}, false},
    {BoxButtons::yesNoCancel, "YesNoCancel", {IDYES, IDNO, IDCANCEL}, true},  // MB_YESNOCANCEL
    {BoxButtons::yesNo, "YesNo", {IDYES, IDNO, 0}, false},                    // MB_YESNO
    {BoxButtons::retryCancel, "RetryCancel", {IDRETRY, IDCANCEL, 0}, true},   // MB_RETRYCANCEL
    {BoxButtons::cancelTryContinue, "CancelTryContinue", {IDCANCEL, IDTRYAGAIN, IDCONTINUE}, true},
};

// The icon of each MB_ICONMASK value (in steps of 0x10) and its readable name.
struct IconName {
    UINT bits;
    BoxIcon icon;
    std::string_view name;
};
constexpr IconName kIcons[] = {
    {0, BoxIcon::none, "none"},
    {MB_ICONHAND, BoxIcon::error, "error"},
    {MB_ICONQUESTION, BoxIcon::question, "question"},
    {MB_ICONEXCLAMATION, BoxIcon::warning, "warning"},
    {MB_ICONASTERISK, BoxIcon::information, "information"},
};

struct AnswerName {
    int id;
    std::string_view name;
};
constexpr AnswerName kAnswers[] = {
    {IDOK, "OK"},
    {IDCANCEL, "Cancel"},
    {IDABORT, "Abort"},
    {IDRETRY, "Retry"},
    {IDIGNORE, "Ignore"},
    {IDYES, "Yes"},
    {IDNO, "No"},
    {IDCLOSE, "Close"},
    {IDHELP, "Help"},
    {IDTRYAGAIN, "TryAgain"},
    {IDCONTINUE, "Continue"},
};

const ButtonSet& buttonSetOf(UINT style) {
    UINT type = style & MB_TYPEMASK;
    return type < std::size(kButtonSets) ? kButtonSets[type] : kButtonSets[0];
}

}  // namespace

bool isValidBoxStyle(UINT style) {
    if ((style & MB_TYPEMASK) >= std::size(kButtonSets)) {
        return false;
    }
    // MB_USERICON needs MessageBoxIndirect's instance; MessageBoxA refuses it like any value
    // that names no icon.
    UINT icon = style & MB_ICONMASK;
    if (std::none_of(std::begin(kIcons), std::end(kIcons),
                     [&](const IconName& i) { return i.bits == icon; })) {
        return false;
    }
    return (style & MB_MODEMASK) != MB_MODEMASK;
}

BoxIcon boxIconOf(UINT style) {
    UINT icon = style & MB_ICONMASK;
    for (const IconName& entry : kIcons) {
        if (entry.bits == icon) {
            return entry.icon;
        }
    }
    return BoxIcon::none;
}

BoxButtons boxButtonsOf(UINT style) {
    return buttonSetOf(style).buttons;
}

std::string_view boxIconName(BoxIcon icon) {
    for (const IconName& entry : kIcons) {
        if (entry.icon == icon) {
            return entry.name;
        }
    }
    return "none";
}

std::string_view boxButtonsName(BoxButtons buttons) {
    for (const ButtonSet& set : kButtonSets) {
        if (set.buttons == buttons) {
            return set.name;
        }
    }
    return "OK";
}

std::vector<int> boxButtonIds(UINT style) {
    std::vector<int> ids;
    for (int id : buttonSetOf(style).ids) {
        if (id != 0) {
            ids.push_back(id);
        }
    }
    return ids;
}

int defaultBoxButton(UINT style) {
    std::vector<int> ids = boxButtonIds(style);
    size_t index = (style & MB_DEFMASK) >> 8;
    // A default past the last button falls back to the first, as Windows does.
    return index < ids.size() ? ids[index] : ids.front();
}

std::optional<int> boxCancelAnswer(UINT style) {
    const ButtonSet& set = buttonSetOf(style);
    if (!set.cancellable) {
        return std::nullopt;
    }
    return set.buttons == BoxButtons::ok ? IDOK : IDCANCEL;
}

std::string_view answerName(int id) {
    for (const AnswerName& entry : kAnswers) {
        if (entry.id == id) {
            return entry.name;
        }
    }
    return "?";
}

std::optional<int> answerFromName(std::string_view name) {
    for (const AnswerName& entry : kAnswers) {
        if (kvwin32::ascii::equalNoCase(entry.name, name)) {
            return entry.id;
        }
    }
    return std::nullopt;
}

}  // namespace kvwin32

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    if (!kvwin32::isValidBoxStyle(type)) {
        SetLastError(ERROR_INVALID_MSGBOX_STYLE);
        return 0;
    }
    kvwin32::MessageBoxRequest request;
    request.owner = owner;
    request.text = text ? text : "";
    // Windows titles a box without caption "Error".
    request.caption = caption ? caption : "Error";
    request.style = type;
    return kvwin32::desktop().messageBox(request);
}

int MessageBoxExA(HWND owner, LPCSTR text, LPCSTR caption, UINT type, WORD) {
    return MessageBoxA(owner, text, caption, type);
}

BOOL MessageBeep(UINT) {
    return TRUE;
}
