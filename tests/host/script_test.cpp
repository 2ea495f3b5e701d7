// Script commands: the command table's argument shapes and the errors of malformed lines.
#include <functional>
#include <string>

#include <gtest/gtest.h>
#include <windows.h>

#include "Script.h"

namespace {

using kvhost::Command;
using kvhost::ExpectProperty;
using kvhost::PrintTarget;
using Kind = kvwin32::ControlQuery::Kind;
using kvhost::Verb;

struct GoodRow {
    const char* line;
    Verb verb;
    std::function<bool(const Command&)> check;  // what the command table filled in
};

const GoodRow kGood[] = {
    {"open modal", Verb::open, [](const Command& c) { return c.modal; }},
    {"open modeless", Verb::open,
     [](const Command& c) { return !c.modal && !c.modeless.cookie && !c.modeless.runs; }},
    {"open modeless cookie 42 runs 500 scope off", Verb::open,
     [](const Command& c) {
         return *c.modeless.cookie == 42 && *c.modeless.runs == 500 && !*c.modeless.scope;
     }},
    {"create modeless scope on cookie 0x10", Verb::create,
     [](const Command& c) { return *c.modeless.scope && *c.modeless.cookie == 16; }},
    {"show 2", Verb::show, [](const Command& c) { return *c.number == 2; }},
    {"delete", Verb::deleteSheet, [](const Command& c) { return c.args.empty(); }},
    {"set-active -1", Verb::setActive, [](const Command& c) { return *c.number == -1; }},
    {R"(update-general 1 "C:\D\b.dsn")", Verb::updateGeneral,
     [](const Command& c) { return *c.number == 1 && c.text(1) == "C:\\D\\b.dsn"; }},
    {"set-profile options.optionValues.27 0.002", Verb::setProfile,
     [](const Command& c) { return c.text(0) == "options.optionValues.27"; }},
    {R"(tab "Analysis ")", Verb::tab, [](const Command& c) { return c.text(0) == "Analysis "; }},
    {"click OK", Verb::click, [](const Command& c) { return c.ref->text == "OK" && !c.item; }},
    {R"(click "Directories:" "Move Up")", Verb::click,
     [](const Command& c) { return c.item->text == "Move Up"; }},
    {R"(dblclick "Value list"+1 #2)", Verb::dblclick,
     [](const Command& c) { return c.ref->offset == 1 && c.item->byIndex && c.item->index == 2; }},
    {R"(type "Run to time:" "")", Verb::type, [](const Command& c) { return c.text(1).empty(); }},
    // Texts for the sheet are kept as written and in the library's code page.
    {"type \"Not\xC3\xA9s:\" caf\xC3\xA9", Verb::type,
     [](const Command& c) {
         return c.text(1) == "caf\xC3\xA9" && c.libraryText(1) == "caf\xE9" &&
                c.ref->text == "Not\xE9s:";
     }},
    {"select \"\xE2\x82\xAC\" \xC3\xA9t\xC3\xA9", Verb::select,
     [](const Command& c) { return c.ref->text == "\x80" && c.item->text == "\xE9t\xE9"; }},
    {"update-general 6 \xC3\xA9", Verb::updateGeneral,
     [](const Command& c) { return c.libraryText(1) == "\xE9"; }},
    {"expect #-1 text \xC3\xA9", Verb::expect,
     [](const Command& c) { return c.ref->id == -1 && c.libraryText(2) == "\xE9"; }},
    // A Linux path stays as written.
    {"snapshot \xE4\xB8\xAD.png", Verb::snapshot,
     [](const Command& c) { return c.libraryText(0) == "\xE4\xB8\xAD.png"; }},
    {"select #1002 #0", Verb::select,
     [](const Command& c) { return c.ref->kind == Kind::id && c.item->index == 0; }},
    {R"(check "Options" "Save Bias Point" on)", Verb::check,
     [](const Command& c) { return c.on && c.item->text == "Save Bias Point"; }},
    {"check focus #3 off", Verb::check,
     [](const Command& c) { return !c.on && c.ref->kind == Kind::focus; }},
    {"key focus Alt+Down", Verb::key,
     [](const Command& c) { return c.keyStroke->vk == VK_DOWN && c.keyStroke->alt; }},
    {"click-cell #1200 2 1", Verb::clickCell,
     [](const Command& c) { return c.ref->id == 1200 && *c.row == 2 && *c.column == 1; }},
    {"keys focus \"V(out\xC3\xA9) \"", Verb::keys,
     [](const Command& c) { return c.libraryText(1) == "V(out\xE9) "; }},
    {R"x(expect-cell #1200 3 2 "MAX(V(a))")x", Verb::expectCell,
     [](const Command& c) { return *c.row == 3 && *c.column == 2 && c.text(3) == "MAX(V(a))"; }},
    {"expect-current-cell focus 0 0", Verb::expectCurrentCell,
     [](const Command& c) { return *c.row == 0 && *c.column == 0 && !c.number; }},
    {"answer yes", Verb::answer, [](const Command& c) { return c.text(0) == "Yes"; }},
    {"choose-file cancel", Verb::chooseFile, [](const Command& c) { return c.cancel; }},
    {R"(choose-file "cancel")", Verb::chooseFile,
     [](const Command& c) { return !c.cancel && c.text(0) == "cancel"; }},
    {R"(choose-folder C:\Sim\ckpt)", Verb::chooseFolder,
     [](const Command& c) { return !c.cancel && c.text(0) == "C:\\Sim\\ckpt"; }},
    {"pump", Verb::pump, [](const Command& c) { return c.args.empty(); }},
    {"expect OK enabled", Verb::expect,
     [](const Command& c) { return c.property == ExpectProperty::enabled; }},
    {R"(expect "Run to time:" text 100u)", Verb::expect,
     [](const Command& c) { return c.property == ExpectProperty::text && c.text(2) == "100u"; }},
    {R"(expect "Options" checked "Monte Carlo")", Verb::expect,
     [](const Command& c) { return c.property == ExpectProperty::checked && c.item; }},
    {"expect OK checked", Verb::expect, [](const Command& c) { return !c.item; }},
    {R"(expect "Library Files" count 3)", Verb::expect,
     [](const Command& c) { return c.property == ExpectProperty::count && *c.number == 3; }},
    {R"(expect "Library Files" items "a.lib|b.lib")", Verb::expect,
     [](const Command& c) { return c.property == ExpectProperty::items; }},
    {R"(expect "Run to time:" selected "")", Verb::expect,
     [](const Command& c) { return c.property == ExpectProperty::selected; }},
    {R"(expect "=Show" label "&Show:")", Verb::expect,
     [](const Command& c) { return c.ref->ownTextOnly && c.property == ExpectProperty::label; }},
    {"expect Nothing absent", Verb::expect,
     [](const Command& c) { return c.property == ExpectProperty::absent; }},
    {R"(expect-box "Invalid value.")", Verb::expectBox,
     [](const Command& c) { return c.text(0) == "Invalid value."; }},
    {"expect-no-box", Verb::expectNoBox, [](const Command&) { return true; }},
    {"expect-box-style Warning okcancel", Verb::expectBoxStyle,
     [](const Command& c) { return c.text(0) == "warning" && c.text(1) == "OKCancel"; }},
    {R"(expect-box-style error OK "Simulation Settings")", Verb::expectBoxStyle,
     [](const Command& c) { return c.text(2) == "Simulation Settings"; }},
    {R"(expect-edit-file library "")", Verb::expectEditFile,
     [](const Command& c) { return c.text(1).empty(); }},
    {"expect-help settings.chm 1042", Verb::expectHelp,
     [](const Command& c) { return c.text(1) == "1042"; }},
    {"expect-modal none", Verb::expectModal, [](const Command& c) { return c.text(0) == "none"; }},
    {"expect-notify apply 42", Verb::expectNotify,
     [](const Command& c) { return *c.number == 4 && *c.cookie == 42; }},
    {"expect-notify 2", Verb::expectNotify,
     [](const Command& c) { return *c.number == 2 && !c.cookie; }},
    {"expect-no-notify", Verb::expectNoNotify, [](const Command&) { return true; }},
    {"expect-profile general.designFile 3", Verb::expectProfile,
     [](const Command& c) { return c.text(1) == "3"; }},
    {"expect-profile transient null", Verb::expectProfile, [](const Command&) { return true; }},
    {R"(expect-title "Simulation Settings - Bias")", Verb::expectTitle,
     [](const Command&) { return true; }},
    {"expect-active 3", Verb::expectActive, [](const Command& c) { return *c.number == 3; }},
    {"expect-displayed 0", Verb::expectDisplayed, [](const Command& c) { return *c.number == 0; }},
    {"print page", Verb::print,
     [](const Command& c) { return c.printTarget == PrintTarget::page; }},
    {"print profile", Verb::print,
     [](const Command& c) { return c.printTarget == PrintTarget::profile && !c.ref; }},
    {R"(print "profile")", Verb::print,
     [](const Command& c) { return c.printTarget == PrintTarget::control && c.ref; }},
    {"snapshot page.png # comment", Verb::snapshot,
     [](const Command& c) { return c.args.size() == 1; }},
};

TEST(ScriptTest, ParsesEveryCommandShape) {
    for (const auto& row : kGood) {
        const auto parsed = kvhost::parseScriptLine(row.line, 7);
        ASSERT_FALSE(parsed.error.has_value()) << row.line << ": " << parsed.error->message();
        ASSERT_TRUE(parsed.command.has_value()) << row.line;
        EXPECT_EQ(parsed.command->line, 7);
        EXPECT_EQ(parsed.command->verb, row.verb) << row.line;
        EXPECT_TRUE(row.check(*parsed.command)) << row.line;
    }
}

struct BadRow {
    const char* line;
    const char* message;  // the whole error text
};

const BadRow kBad[] = {
    {"clik OK", "error 4: unknown command 'clik' (did you mean 'click'?)"},
    {R"("click" OK)", "error 4: unknown command 'click'"},
    {R"(type x "abc)", "error 4: unterminated quote"},
    {"open", "error 4: usage: open modal | open modeless [cookie N] [runs N] [scope on|off]"},
    {"open modal cookie 1", "error 4: open: open modal takes no options"},
    {"create modal", "error 4: create: create makes only a modeless sheet"},
    {"open modeless cookie", "error 4: open: option 'cookie' needs a value"},
    {"open modeless runs 5 runs 6",
     "error 4: open: unknown or repeated option 'runs' (cookie N, runs N, scope on|off)"},
    {"open modeless scope maybe", "error 4: open: expected on or off, not 'maybe'"},
    {"show", "error 4: usage: show MODE"},
    {"show normal",
     "error 4: show: MODE must be a number from -2147483648 to 2147483647, not "
     "'normal'"},
    {"set-active 40000",
     "error 4: set-active: the page index must be a number from -32768 to "
     "32767, not '40000'"},
    {"delete now", "error 4: usage: delete"},
    {"set-profile general.desingFile x", "error 4: set-profile: unknown key 'general.desingFile'"},
    {"expect-profile general.designFile", "error 4: usage: expect-profile KEY VALUE"},
    {"click", "error 4: usage: click REF [PART]"},
    {"click OK Cancel Yes", "error 4: usage: click REF [PART]"},
    {R"(click "")", "error 4: click: empty REF: name a control by its text, #ID or focus"},
    {"click #12x", "error 4: click: bad control id '#12x'"},
    {"check OK item maybe", "error 4: check: expected on or off, not 'maybe'"},
    {"key focus Hyper+X", "error 4: key: unknown key 'Hyper+X'"},
    {"click-cell #1200 2", "error 4: usage: click-cell REF ROW COL"},
    {"click-cell #1200 -1 2",
     "error 4: click-cell: ROW must be a number from 0 to 2147483647, not '-1'"},
    {"expect-cell #1200 1 x y",
     "error 4: expect-cell: COL must be a number from 0 to 2147483647, not 'x'"},
    {"answer Maybe",
     "error 4: answer: bad button 'Maybe' (one of OK, Cancel, Yes, No, Retry, Abort, Ignore)"},
    {"expect OK", "error 4: usage: expect REF PROPERTY [VALUE]"},
    {"expect OK shiny",
     "error 4: expect: unknown property 'shiny' (text, enabled, disabled, "
     "visible, hidden, absent, checked, unchecked, focused, selected, items, "
     "count, label)"},
    {"expect OK text", "error 4: expect: expect REF text needs a value"},
    {"expect OK enabled yes", "error 4: expect: expect REF enabled takes no value"},
    {R"(expect OK "text" x)",
     "error 4: expect: unknown property 'text' (text, enabled, "
     "disabled, visible, hidden, absent, checked, unchecked, focused, "
     "selected, items, count, label)"},
    {"expect List count many",
     "error 4: expect: the count must be a number from 0 to 2147483647, not 'many'"},
    {"expect-box-style loud OK",
     "error 4: expect-box-style: bad icon 'loud' (one of none, "
     "error, warning, information, question)"},
    {"expect-edit-file editor x.lib",
     "error 4: expect-edit-file: bad file kind 'editor' (library, stimulus, include)"},
    {"expect-notify done",
     "error 4: expect-notify: CODE must be a number from 0 to "
     "9223372036854775807, not 'done'"},
    {"expect-active -1",
     "error 4: expect-active: the page index must be a number from 0 to 65535, not '-1'"},
    {"print", "error 4: usage: print REF|page|profile"},
    {"type Notes: \xE4\xB8\xAD",
     "error 4: type: '\xE4\xB8\xAD' holds U+4E2D, a character that Windows-1252 cannot "
     "represent"},
    {"expect-title \xFF", "error 4: expect-title: '\xFF' is not valid UTF-8 (byte 0)"},
    {"pump 1", "error 4: usage: pump"},
};

TEST(ScriptTest, MalformedLinesGiveErrorsWithTheLineNumber) {
    for (const auto& row : kBad) {
        const auto parsed = kvhost::parseScriptLine(row.line, 4);
        EXPECT_FALSE(parsed.command.has_value()) << row.line;
        ASSERT_TRUE(parsed.error.has_value()) << row.line;
        EXPECT_EQ(parsed.error->message(), row.message) << row.line;
    }
}

TEST(ScriptTest, ParsesAWholeScriptKeepingLineNumbers) {
    const std::string script =
        "\xEF\xBB\xBF# set the run time\r\n"
        "open modeless cookie 7\r\n"
        "\n"
        "type \"Run to time:\" 1m   # shorter\n"
        "clik Apply\n"
        "expect-notify apply 7\n"
        "type x \"open\n"
        "delete";
    const auto parsed = kvhost::parseScript(script);
    ASSERT_EQ(parsed.commands.size(), 4u);
    EXPECT_EQ(parsed.commands[0].line, 2);
    EXPECT_EQ(parsed.commands[1].line, 4);
    EXPECT_EQ(parsed.commands[1].text(1), "1m");
    EXPECT_EQ(parsed.commands[2].line, 6);
    EXPECT_EQ(parsed.commands[3].line, 8);
    EXPECT_EQ(parsed.commands[3].verb, Verb::deleteSheet);
    ASSERT_EQ(parsed.errors.size(), 2u);
    EXPECT_EQ(parsed.errors[0].message(),
              "error 5: unknown command 'clik' (did you mean 'click'?)");
    EXPECT_EQ(parsed.errors[1].message(), "error 7: unterminated quote");
}

TEST(ScriptTest, IntegersInScripts) {
    EXPECT_EQ(kvhost::parseScriptInteger("42"), 42);
    EXPECT_EQ(kvhost::parseScriptInteger("-7"), -7);
    EXPECT_EQ(kvhost::parseScriptInteger("+7"), 7);
    EXPECT_EQ(kvhost::parseScriptInteger("0x1F"), 31);
    EXPECT_EQ(kvhost::parseScriptInteger("-9223372036854775808"),
              std::numeric_limits<long long>::min());
    for (const char* bad : {"", "-", "0x", "1.5", "12a", "9223372036854775808", " 1"}) {
        EXPECT_FALSE(kvhost::parseScriptInteger(bad).has_value()) << bad;
    }
}

TEST(ScriptTest, VerbNamesReadBack) {
    for (const char* name : {"open", "delete", "expect-box-style", "snapshot", "dblclick"}) {
        const auto parsed = kvhost::parseScriptLine(name, 1);
        if (parsed.command) {
            EXPECT_EQ(kvhost::verbName(parsed.command->verb), name);
        } else {
            // A verb that needs arguments still names itself in its usage.
            EXPECT_NE(parsed.error->reason.find(name), std::string::npos) << name;
        }
    }
}

}  // namespace
