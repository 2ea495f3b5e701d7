// How a script names a control (a REF) and an item of a composite control, and the text
// comparison that decides whether a control's text matches a REF.
//
// Forms of a REF: a text ("OK", "&Browse...", "Run to time:"); a text ending in `*`, which
// matches any text that begins with what stands before the `*`; `=TEXT`, which names the
// control whose own text matches, never a control that a label names; `#ID` (a numeric control
// id); `focus` (the control that has the focus). Any of them may be followed, without a blank,
// by `+N` or `-N`: the control N places after or before it in tab order. `#ID`, `focus` and
// the offset count only when written outside quotes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "Result.h"
#include "ScriptLexer.h"

namespace kvhost {

// What a REF names before its offset is applied.
enum class RefKind {
    text,   // a control by its text or the text of its label
    id,     // a control by its numeric id
    focus,  // the control that has the focus
};

// A parsed REF.
struct Ref {
    RefKind kind = RefKind::text;
    // The text as written, without `=`, `*` and offset (`&` kept), for messages.
    std::string text;
    // The text compared with control texts: `&` removed and blanks at the ends trimmed.
    std::string matchText;
    // True for a trailing `*`: control texts that begin with matchText match.
    bool prefix = false;
    // True for a leading `=`: only the control's own text counts, not its label's.
    bool ownTextOnly = false;
    // The control id of an `#ID` REF.
    int id = 0;
    // Places to move in tab order from the control named (0: none).
    int offset = 0;

    // True when `controlText` matches this REF's text (only meaningful for RefKind::text).
    bool matches(std::string_view controlText) const;
};

// The REF written as `arg`; an error for an empty text, a bad id or an oversized offset.
Result<Ref> parseRef(const Argument& arg);

// `text` as REFs compare it: every `&` removed, then blanks (spaces and tabs) at both ends
// removed.
std::string normalizeRefText(std::string_view text);

// True when control text `controlText` matches REF text `refText`: `&` is ignored on both
// sides, blanks at the ends are ignored, the rest must match exactly; a `refText` ending in
// `*` matches any control text that begins with what stands before the `*`.
bool refTextMatches(std::string_view refText, std::string_view controlText);

// An item of a list, combo box, list view or button bar, as `click`, `select` and `check`
// name it: a text, or `#N` (outside quotes) for the item at index N.
struct ItemRef {
    // True when the item is named by its index.
    bool byIndex = false;
    // The index of a `#N` item.
    int index = 0;
    // The text of an item named by text (compared like a REF's text).
    std::string text;
};

// The item written as `arg`.
Result<ItemRef> parseItemRef(const Argument& arg);

}  // namespace kvhost
