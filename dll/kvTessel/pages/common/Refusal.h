// Refusing input: a rule answers the first problem of a page's fields as a Refusal (which
// message, which control gets the focus) without touching the window; Refuse shows it,
// focuses the control and answers FALSE, so a handler ends with `return Refuse(*this, *r);`.
#pragma once

#include <afxwin.h>

#include <optional>
#include <string>
#include <variant>

#include "CatalogMessages.h"

// A message of the library's string table (its id), or of a catalog.
using RefusalMessage = std::variant<UINT, CatalogMessage>;
// The one parameter a message may carry (%1 of a string-table text, %1 of a catalog text).
using RefusalParam = std::variant<std::monostate, int, std::string>;

struct Refusal {
    RefusalMessage message;
    int controlId = 0;  // the control that gets the focus after the box; 0: none
    RefusalParam param = {};
    // Box style. For a catalog message, 0 lets the message's type choose the icon, and then a
    // message the catalogs do not have shows no box (ShowMessage); with an explicit style the
    // box shows even when the catalogs have no text, with an empty text.
    UINT style = MB_ICONEXCLAMATION | MB_OK;
    // After the box, the page is made the active window before the control gets the focus.
    bool activatePage = false;

    bool operator==(const Refusal&) const = default;
};

// The text a Refusal's message shows: the string-table text with %1 replaced, or the catalog
// text (empty when the catalogs have none).
std::string RefusalText(const Refusal& refusal);

// Shows the refusal in a message box (caption: the application's name), focuses its control
// in `dialog` and answers FALSE.
BOOL Refuse(CWnd& dialog, const Refusal& refusal);
