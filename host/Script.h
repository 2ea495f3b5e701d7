// The syntactic layer of kvhost's script language: each line holds one command, a verb and
// its arguments, checked against the command table (argument count and shape: REFs, items,
// keys, numbers, keywords). Running the commands belongs to the script runner; this layer
// only turns text into checked commands or into `error LINE: reason` messages.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "KeyName.h"
#include "ScriptLexer.h"
#include "ScriptRef.h"
#include "kvwin32/robot.h"

namespace kvhost {

// The commands of the language.
enum class Verb {
    open,               // open modal | open modeless [cookie N] [runs N] [scope on|off]
    create,             // create modeless [cookie N] [runs N] [scope on|off]
    show,               // show MODE
    deleteSheet,        // delete
    setActive,          // set-active N
    updateGeneral,      // update-general N TEXT
    setProfile,         // set-profile KEY VALUE
    tab,                // tab CAPTION
    click,              // click REF [PART]
    dblclick,           // dblclick REF [ITEM]
    type,               // type REF TEXT
    select,             // select REF ITEM
    check,              // check REF ITEM on|off
    key,                // key REF KEY
    clickCell,          // click-cell REF ROW COL
    keys,               // keys REF TEXT
    answer,             // answer BUTTON
    chooseFile,         // choose-file PATH|cancel
    chooseFolder,       // choose-folder PATH|cancel
    pump,               // pump
    expect,             // expect REF PROPERTY [VALUE]
    expectBox,          // expect-box TEXT
    expectNoBox,        // expect-no-box
    expectBoxStyle,     // expect-box-style ICON BUTTONS [CAPTION]
    expectEditFile,     // expect-edit-file KIND PATH
    expectHelp,         // expect-help BOOK TOPIC
    expectModal,        // expect-modal CAPTION
    expectNotify,       // expect-notify CODE [COOKIE]
    expectNoNotify,     // expect-no-notify
    expectProfile,      // expect-profile KEY VALUE
    expectTitle,        // expect-title TEXT
    expectActive,       // expect-active N
    expectDisplayed,    // expect-displayed N
    expectCell,         // expect-cell REF ROW COL TEXT
    expectCurrentCell,  // expect-current-cell REF ROW COL
    print,              // print REF|page|profile
    snapshot,           // snapshot FILE
    help,               // help [COMMAND]
};

// The property an `expect REF PROPERTY` command tests.
enum class ExpectProperty {
    text,       // the control's text equals VALUE
    enabled,    // the control is enabled
    disabled,   // the control is disabled
    visible,    // the control is visible
    hidden,     // the control is hidden
    absent,     // no control matches the REF
    checked,    // the button (or check-list item ITEM) is checked
    unchecked,  // the button (or check-list item ITEM) is not checked
    focused,    // the control has the focus
    selected,   // the selected item's text equals VALUE (empty when none)
    items,      // the item texts joined by `|` equal VALUE
    count,      // the number of items equals VALUE
    label,      // the text of the label naming the control equals VALUE (`&` kept)
};

// The options of `open modeless` and `create modeless`; each absent unless written.
struct ModelessOptions {
    std::optional<long long> cookie;  // the host's cookie, passed back with notifications
    std::optional<int> runs;          // the Monte Carlo run limit
    std::optional<bool> scope;        // profile-scope configuration files on or off
};

// What a `print` command shows.
enum class PrintTarget {
    control,  // the control a REF names
    page,     // the active dialog
    profile,  // the profile as JSON
};

// One checked command.
struct Command {
    // Line number in the script, from 1.
    int line = 0;
    Verb verb = Verb::pump;
    // The arguments after the verb, as written in UTF-8 (keywords of answer and
    // expect-box-style are rewritten to their canonical spelling).
    std::vector<Argument> args;
    // The same arguments as the library sees them: the texts that go into the sheet or are
    // compared with its texts (REFs, items, typed text, expected values, captions, paths the
    // library is given) converted to its code page, the others as written.
    std::vector<Argument> library;

    // Set by the command table for the verbs that take them:
    // the REF of click, dblclick, type, select, check, key, expect and print.
    std::optional<kvwin32::ControlQuery> ref;
    // PART of click, ITEM of dblclick, select and check, ITEM of expect checked/unchecked.
    std::optional<kvwin32::ItemQuery> item;
    // KEY of key.
    std::optional<KeyStroke> keyStroke;
    // N of show, set-active, update-general, expect-active and expect-displayed; CODE of
    // expect-notify; VALUE of expect REF count.
    std::optional<long long> number;
    // COOKIE of expect-notify.
    std::optional<long long> cookie;
    // ROW and COL of click-cell, expect-cell and expect-current-cell.
    std::optional<long long> row;
    std::optional<long long> column;
    // `open modal` (true) or a modeless sheet (false).
    bool modal = false;
    // Options of open modeless and create modeless.
    ModelessOptions modeless;
    // PROPERTY of expect.
    ExpectProperty property = ExpectProperty::text;
    // on (true) or off of check.
    bool on = false;
    // choose-file and choose-folder: `cancel` instead of a path.
    bool cancel = false;
    // What print shows.
    PrintTarget printTarget = PrintTarget::control;

    // The text of argument `i` as written (UTF-8), or empty when there is none.
    const std::string& text(std::size_t i) const;
    // The text of argument `i` in the library's code page, or empty when there is none.
    const std::string& libraryText(std::size_t i) const;
};

// A line that is not a valid command.
struct ScriptError {
    int line = 0;
    std::string reason;

    // The message as the runner prints it: `error LINE: reason`.
    std::string message() const;
};

// The outcome of one line: a command, an error, or neither (a blank or comment line).
struct ScriptLine {
    std::optional<Command> command;
    std::optional<ScriptError> error;
};

// Parses and checks line `lineNumber` of a script (the text without its line break).
ScriptLine parseScriptLine(std::string_view text, int lineNumber);

// All commands and errors of a script, each in line order. Lines end at "\n" (a "\r" before
// it is a blank); a byte-order mark at the start is skipped.
struct ParsedScript {
    std::vector<Command> commands;
    std::vector<ScriptError> errors;
};
ParsedScript parseScript(std::string_view text);

// The verb's name as scripts write it ("expect-box-style").
std::string_view verbName(Verb verb);
// The names of all commands and their usage lines ("click REF [PART]"), in table order.
std::vector<std::pair<std::string_view, std::string_view>> commandUsages();

// A decimal (optionally signed) or 0x-hexadecimal integer, or nothing.
std::optional<long long> parseScriptInteger(std::string_view text);

}  // namespace kvhost
