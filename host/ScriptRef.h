// How a script names a control (a REF) and an item of a composite control. A REF is parsed
// straight into the Robot's ControlQuery: the Robot owns what a query means and how controls
// are matched; this file only reads the marks that count outside quotes.
//
// Forms of a REF: a text ("OK", "&Browse...", "Run to time:"); a text ending in `*`, which
// matches any text that begins with what stands before the `*`; `=TEXT`, which names the
// control whose own text matches, never a control that a label names; `#ID` (a control id,
// `#-1` included); `focus` (the control that has the focus). Any of them may be followed,
// without a blank, by `+N` or `-N`: the control N places after or before it in tab order.
// `#ID`, `focus` and the offset count only when written outside quotes.
#pragma once

#include "Result.h"
#include "ScriptLexer.h"
#include "kvwin32/robot.h"

namespace kvhost {

// The REF written as `arg` (its text already in the library's code page); an error for an
// empty text, a bad id or an oversized offset.
Result<kvwin32::ControlQuery> parseRef(const Argument& arg);

// The item written as `arg`: a text, or `#N` (outside quotes) for the item at index N.
Result<kvwin32::ItemQuery> parseItemRef(const Argument& arg);

}  // namespace kvhost
