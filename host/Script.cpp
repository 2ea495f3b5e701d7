// The command table of the script language and the checks of each command's arguments.
#include "Script.h"

#include <array>
#include <charconv>
#include <limits>

#include "Help.h"
#include "HostFileConfig.h"
#include "ProfilePath.h"

namespace kvhost {
namespace {

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

// Rewrites argument `i` to the entry of `words` it equals ignoring case; an error naming
// `what` and the choices when it equals none.
template <std::size_t N>
Status canonicalWord(Command& c, std::size_t i, const std::array<std::string_view, N>& words,
                     std::string_view what) {
    for (const auto word : words) {
        if (equalsIgnoreCase(word, c.args[i].text)) {
            c.args[i] = plainArgument(word);
            return success();
        }
    }
    std::string choices;
    for (const auto word : words) {
        choices += (choices.empty() ? "" : ", ") + std::string(word);
    }
    return Error{"bad " + std::string(what) + " '" + c.args[i].text + "' (one of " + choices + ")"};
}

// Argument `i` as an integer between `low` and `high`.
Result<long long> integerArg(const Command& c, std::size_t i, std::string_view what, long long low,
                             long long high) {
    const auto value = parseScriptInteger(c.args[i].text);
    if (!value || *value < low || *value > high) {
        return Error{std::string(what) + " must be a number from " + std::to_string(low) + " to " +
                     std::to_string(high) + ", not '" + c.args[i].text + "'"};
    }
    return *value;
}

Status setNumber(Command& c, std::size_t i, std::string_view what, long long low, long long high) {
    auto value = integerArg(c, i, what, low, high);
    if (!value) {
        return Error{value.error()};
    }
    c.number = value.value();
    return success();
}

Status setRef(Command& c) {
    auto ref = parseRef(c.library[0]);
    if (!ref) {
        return Error{ref.error()};
    }
    c.ref = std::move(ref).value();
    return success();
}

Status setItem(Command& c, std::size_t i) {
    auto item = parseItemRef(c.library[i]);
    if (!item) {
        return Error{item.error()};
    }
    c.item = std::move(item).value();
    return success();
}

Status onOff(const Argument& arg, bool& out) {
    if (arg.isKeyword("on")) {
        out = true;
        return success();
    }
    if (arg.isKeyword("off")) {
        out = false;
        return success();
    }
    return Error{"expected on or off, not '" + arg.text + "'"};
}

constexpr long long kIntMin = std::numeric_limits<int>::min();
constexpr long long kIntMax = std::numeric_limits<int>::max();

// ---- one check per verb ------------------------------------------------------------------

Status checkNothing(Command&) {
    return success();
}

Status checkSheet(Command& c) {
    if (c.args[0].isKeyword("modal")) {
        if (c.verb == Verb::create) {
            return Error{"create makes only a modeless sheet"};
        }
        if (c.args.size() > 1) {
            return Error{"open modal takes no options"};
        }
        c.modal = true;
        return success();
    }
    if (!c.args[0].isKeyword("modeless")) {
        return Error{"expected modal or modeless, not '" + c.args[0].text + "'"};
    }
    for (std::size_t i = 1; i < c.args.size(); i += 2) {
        const Argument& name = c.args[i];
        if (i + 1 >= c.args.size()) {
            return Error{"option '" + name.text + "' needs a value"};
        }
        if (name.isKeyword("cookie") && !c.modeless.cookie) {
            auto v = integerArg(c, i + 1, "cookie", std::numeric_limits<long long>::min(),
                                std::numeric_limits<long long>::max());
            if (!v) {
                return Error{v.error()};
            }
            c.modeless.cookie = v.value();
        } else if (name.isKeyword("runs") && !c.modeless.runs) {
            auto v = integerArg(c, i + 1, "runs", kIntMin, kIntMax);
            if (!v) {
                return Error{v.error()};
            }
            c.modeless.runs = static_cast<int>(v.value());
        } else if (name.isKeyword("scope") && !c.modeless.scope) {
            bool on = false;
            if (Status s = onOff(c.args[i + 1], on); !s) {
                return s;
            }
            c.modeless.scope = on;
        } else {
            return Error{"unknown or repeated option '" + name.text +
                         "' (cookie N, runs N, scope on|off)"};
        }
    }
    return success();
}

Status checkShow(Command& c) {
    return setNumber(c, 0, "MODE", kIntMin, kIntMax);
}

Status checkSetActive(Command& c) {
    // DllSetActivePage takes a 16-bit index.
    return setNumber(c, 0, "the page index", std::numeric_limits<std::int16_t>::min(),
                     std::numeric_limits<std::int16_t>::max());
}

Status checkUpdateGeneral(Command& c) {
    return setNumber(c, 0, "the field number", 0, std::numeric_limits<unsigned int>::max());
}

Status checkProfileKey(Command& c) {
    return ProfilePath::validate(c.args[0].text);
}

Status checkRef(Command& c) {
    return setRef(c);
}

Status checkRefItem(Command& c) {
    if (Status s = setRef(c); !s) {
        return s;
    }
    return c.args.size() > 1 ? setItem(c, 1) : success();
}

Status checkCheck(Command& c) {
    if (Status s = checkRefItem(c); !s) {
        return s;
    }
    return onOff(c.args[2], c.on);
}

Status checkKey(Command& c) {
    if (Status s = setRef(c); !s) {
        return s;
    }
    auto key = parseKeyName(c.args[1].text);
    if (!key) {
        return Error{key.error()};
    }
    c.keyStroke = key.value();
    return success();
}

// REF ROW COL of the grid commands.
Status checkCell(Command& c) {
    if (Status s = setRef(c); !s) {
        return s;
    }
    if (Status s = setNumber(c, 1, "ROW", 0, kIntMax); !s) {
        return s;
    }
    c.row = c.number;
    if (Status s = setNumber(c, 2, "COL", 0, kIntMax); !s) {
        return s;
    }
    c.column = c.number;
    c.number.reset();
    return success();
}

constexpr std::array<std::string_view, 7> kAnswers = {"OK",    "Cancel", "Yes",   "No",
                                                      "Retry", "Abort",  "Ignore"};

Status checkAnswer(Command& c) {
    return canonicalWord(c, 0, kAnswers, "button");
}

Status checkChoose(Command& c) {
    c.cancel = c.args[0].isKeyword("cancel");
    return success();
}

struct PropertyRule {
    std::string_view name;
    ExpectProperty property;
    // How many arguments may follow the property: a VALUE, an ITEM, or none.
    std::size_t minExtra;
    std::size_t maxExtra;
};

constexpr std::array<PropertyRule, 13> kProperties = {{
    {"text", ExpectProperty::text, 1, 1},
    {"enabled", ExpectProperty::enabled, 0, 0},
    {"disabled", ExpectProperty::disabled, 0, 0},
    {"visible", ExpectProperty::visible, 0, 0},
    {"hidden", ExpectProperty::hidden, 0, 0},
    {"absent", ExpectProperty::absent, 0, 0},
    {"checked", ExpectProperty::checked, 0, 1},
    {"unchecked", ExpectProperty::unchecked, 0, 1},
    {"focused", ExpectProperty::focused, 0, 0},
    {"selected", ExpectProperty::selected, 1, 1},
    {"items", ExpectProperty::items, 1, 1},
    {"count", ExpectProperty::count, 1, 1},
    {"label", ExpectProperty::label, 1, 1},
}};

Status checkExpect(Command& c) {
    if (Status s = setRef(c); !s) {
        return s;
    }
    for (const auto& rule : kProperties) {
        if (!c.args[1].isKeyword(rule.name)) {
            continue;
        }
        c.property = rule.property;
        const std::size_t extra = c.args.size() - 2;
        if (extra < rule.minExtra) {
            return Error{"expect REF " + std::string(rule.name) + " needs a value"};
        }
        if (extra > rule.maxExtra) {
            return Error{"expect REF " + std::string(rule.name) + " takes " +
                         (rule.maxExtra == 0 ? "no value" : "one value")};
        }
        if (rule.property == ExpectProperty::count) {
            return setNumber(c, 2, "the count", 0, kIntMax);
        }
        if ((rule.property == ExpectProperty::checked ||
             rule.property == ExpectProperty::unchecked) &&
            extra == 1) {
            return setItem(c, 2);
        }
        return success();
    }
    return Error{"unknown property '" + c.args[1].text +
                 "' (text, enabled, disabled, visible, hidden, absent, checked, unchecked, "
                 "focused, selected, items, count, label)"};
}

constexpr std::array<std::string_view, 5> kIcons = {"none", "error", "warning", "information",
                                                    "question"};
constexpr std::array<std::string_view, 6> kButtons = {
    "OK", "OKCancel", "YesNo", "YesNoCancel", "RetryCancel", "AbortRetryIgnore"};

Status checkBoxStyle(Command& c) {
    if (Status s = canonicalWord(c, 0, kIcons, "icon"); !s) {
        return s;
    }
    return canonicalWord(c, 1, kButtons, "buttons");
}

Status checkEditFile(Command& c) {
    if (!parseEditFileKind(c.args[0].text)) {
        return Error{"bad file kind '" + c.args[0].text + "' (library, stimulus, include)"};
    }
    return success();
}

Status checkNotify(Command& c) {
    // The notification codes by name, as the sheet posts them in wParam.
    constexpr std::array<std::pair<std::string_view, long long>, 3> kCodes = {
        {{"OK", 1}, {"Cancel", 2}, {"Apply", 4}}};
    bool named = false;
    for (const auto& [name, code] : kCodes) {
        if (equalsIgnoreCase(name, c.args[0].text)) {
            c.number = code;
            named = true;
        }
    }
    if (!named) {
        if (Status s = setNumber(c, 0, "CODE", 0, std::numeric_limits<long long>::max()); !s) {
            return s;
        }
    }
    if (c.args.size() > 1) {
        auto cookie = integerArg(c, 1, "COOKIE", std::numeric_limits<long long>::min(),
                                 std::numeric_limits<long long>::max());
        if (!cookie) {
            return Error{cookie.error()};
        }
        c.cookie = cookie.value();
    }
    return success();
}

Status checkExpectActive(Command& c) {
    // DllGetActivePage answers a 16-bit unsigned value.
    return setNumber(c, 0, "the page index", 0, 0xFFFF);
}

Status checkExpectDisplayed(Command& c) {
    return setNumber(c, 0, "the displayed state", kIntMin, kIntMax);
}

Status checkPrint(Command& c) {
    if (c.args[0].isKeyword("page")) {
        c.printTarget = PrintTarget::page;
        return success();
    }
    if (c.args[0].isKeyword("profile")) {
        c.printTarget = PrintTarget::profile;
        return success();
    }
    c.printTarget = PrintTarget::control;
    return setRef(c);
}

// One row of the command table.
struct VerbRule {
    std::string_view name;
    Verb verb;
    std::size_t minArgs;
    std::size_t maxArgs;
    Status (*check)(Command&);
    std::string_view usage;
    // The arguments that are texts of the sheet, converted to the library's code page: bit i
    // for argument i.
    unsigned libraryArgs = 0;
};

// Bits of VerbRule::libraryArgs.
constexpr unsigned kArg0 = 1;
constexpr unsigned kArg1 = 2;
constexpr unsigned kArg2 = 4;
constexpr unsigned kArg3 = 8;

constexpr std::size_t kMany = 7;  // open modeless with all three options

constexpr std::array<VerbRule, 38> kVerbs = {{
    {"open", Verb::open, 1, kMany, checkSheet,
     "open modal | open modeless [cookie N] [runs N] [scope on|off]"},
    {"create", Verb::create, 1, kMany, checkSheet,
     "create modeless [cookie N] [runs N] [scope on|off]"},
    {"show", Verb::show, 1, 1, checkShow, "show MODE"},
    {"delete", Verb::deleteSheet, 0, 0, checkNothing, "delete"},
    {"set-active", Verb::setActive, 1, 1, checkSetActive, "set-active N"},
    {"update-general", Verb::updateGeneral, 2, 2, checkUpdateGeneral, "update-general N TEXT",
     kArg1},
    {"set-profile", Verb::setProfile, 2, 2, checkProfileKey, "set-profile KEY VALUE"},
    {"tab", Verb::tab, 1, 1, checkNothing, "tab CAPTION", kArg0},
    {"click", Verb::click, 1, 2, checkRefItem, "click REF [PART]", kArg0 | kArg1},
    {"dblclick", Verb::dblclick, 1, 2, checkRefItem, "dblclick REF [ITEM]", kArg0 | kArg1},
    {"type", Verb::type, 2, 2, checkRef, "type REF TEXT", kArg0 | kArg1},
    {"select", Verb::select, 2, 2, checkRefItem, "select REF ITEM", kArg0 | kArg1},
    {"check", Verb::check, 3, 3, checkCheck, "check REF ITEM on|off", kArg0 | kArg1},
    {"key", Verb::key, 2, 2, checkKey, "key REF KEY", kArg0},
    {"click-cell", Verb::clickCell, 3, 3, checkCell, "click-cell REF ROW COL", kArg0},
    {"keys", Verb::keys, 2, 2, checkRef, "keys REF TEXT", kArg0 | kArg1},
    {"answer", Verb::answer, 1, 1, checkAnswer, "answer BUTTON"},
    {"choose-file", Verb::chooseFile, 1, 1, checkChoose, "choose-file PATH|cancel", kArg0},
    {"choose-folder", Verb::chooseFolder, 1, 1, checkChoose, "choose-folder PATH|cancel", kArg0},
    {"pump", Verb::pump, 0, 0, checkNothing, "pump"},
    {"expect", Verb::expect, 2, 3, checkExpect, "expect REF PROPERTY [VALUE]", kArg0 | kArg2},
    {"expect-box", Verb::expectBox, 1, 1, checkNothing, "expect-box TEXT", kArg0},
    {"expect-no-box", Verb::expectNoBox, 0, 0, checkNothing, "expect-no-box"},
    {"expect-box-style", Verb::expectBoxStyle, 2, 3, checkBoxStyle,
     "expect-box-style ICON BUTTONS [CAPTION]", kArg2},
    {"expect-edit-file", Verb::expectEditFile, 2, 2, checkEditFile, "expect-edit-file KIND PATH",
     kArg1},
    {"expect-help", Verb::expectHelp, 2, 2, checkNothing, "expect-help BOOK TOPIC", kArg0 | kArg1},
    {"expect-modal", Verb::expectModal, 1, 1, checkNothing, "expect-modal CAPTION", kArg0},
    {"expect-notify", Verb::expectNotify, 1, 2, checkNotify, "expect-notify CODE [COOKIE]"},
    {"expect-no-notify", Verb::expectNoNotify, 0, 0, checkNothing, "expect-no-notify"},
    {"expect-profile", Verb::expectProfile, 2, 2, checkProfileKey, "expect-profile KEY VALUE"},
    {"expect-title", Verb::expectTitle, 1, 1, checkNothing, "expect-title TEXT", kArg0},
    {"expect-active", Verb::expectActive, 1, 1, checkExpectActive, "expect-active N"},
    {"expect-displayed", Verb::expectDisplayed, 1, 1, checkExpectDisplayed, "expect-displayed N"},
    {"expect-cell", Verb::expectCell, 4, 4, checkCell, "expect-cell REF ROW COL TEXT",
     kArg0 | kArg3},
    {"expect-current-cell", Verb::expectCurrentCell, 3, 3, checkCell,
     "expect-current-cell REF ROW COL", kArg0},
    {"print", Verb::print, 1, 1, checkPrint, "print REF|page|profile", kArg0},
    {"snapshot", Verb::snapshot, 1, 1, checkNothing, "snapshot FILE"},
    {"help", Verb::help, 0, 1, checkNothing, "help [COMMAND]"},
}};

std::vector<std::string> commandNames() {
    std::vector<std::string> names;
    for (const auto& rule : kVerbs) {
        names.emplace_back(rule.name);
    }
    return names;
}

const VerbRule* findVerb(const Argument& word) {
    for (const auto& rule : kVerbs) {
        if (word.isKeyword(rule.name)) {
            return &rule;
        }
    }
    return nullptr;
}

}  // namespace

const std::string& Command::text(std::size_t i) const {
    static const std::string kNone;
    return i < args.size() ? args[i].text : kNone;
}

const std::string& Command::libraryText(std::size_t i) const {
    static const std::string kNone;
    return i < library.size() ? library[i].text : kNone;
}

std::string ScriptError::message() const {
    return "error " + std::to_string(line) + ": " + reason;
}

std::vector<std::pair<std::string_view, std::string_view>> commandUsages() {
    std::vector<std::pair<std::string_view, std::string_view>> usages;
    for (const auto& rule : kVerbs) {
        usages.emplace_back(rule.name, rule.usage);
    }
    return usages;
}

std::string_view verbName(Verb verb) {
    for (const auto& rule : kVerbs) {
        if (rule.verb == verb) {
            return rule.name;
        }
    }
    return {};
}

std::optional<long long> parseScriptInteger(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    unsigned long long magnitude = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (text.empty() || ec != std::errc() || ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    constexpr auto kMax = static_cast<unsigned long long>(std::numeric_limits<long long>::max());
    if (negative) {
        if (magnitude > kMax + 1) {
            return std::nullopt;
        }
        // -(kMax + 1) is the one value whose magnitude does not fit a long long.
        return magnitude == kMax + 1 ? std::numeric_limits<long long>::min()
                                     : -static_cast<long long>(magnitude);
    }
    if (magnitude > kMax) {
        return std::nullopt;
    }
    return static_cast<long long>(magnitude);
}

ScriptLine parseScriptLine(std::string_view text, int lineNumber) {
    ScriptLine out;
    auto fail = [&](std::string reason) {
        out.error = ScriptError{lineNumber, std::move(reason)};
        return out;
    };
    auto words = splitScriptLine(text);
    if (!words) {
        return fail(words.error());
    }
    if (words.value().empty()) {
        return out;
    }
    const Argument& verbWord = words.value().front();
    const VerbRule* rule = findVerb(verbWord);
    if (rule == nullptr) {
        return fail("unknown command '" + verbWord.text + "'" +
                    didYouMean(verbWord.text, commandNames()));
    }
    Command command;
    command.line = lineNumber;
    command.verb = rule->verb;
    command.args.assign(words.value().begin() + 1, words.value().end());
    if (command.args.size() < rule->minArgs || command.args.size() > rule->maxArgs) {
        return fail("usage: " + std::string(rule->usage));
    }
    command.library = command.args;
    for (std::size_t i = 0; i < command.args.size(); ++i) {
        if ((rule->libraryArgs & (1u << i)) == 0) {
            continue;
        }
        auto converted = toLibraryText(command.args[i]);
        if (!converted) {
            return fail(std::string(rule->name) + ": " + converted.error());
        }
        command.library[i] = std::move(converted).value();
    }
    if (Status s = rule->check(command); !s) {
        return fail(std::string(rule->name) + ": " + s.error());
    }
    out.command = std::move(command);
    return out;
}

ParsedScript parseScript(std::string_view text) {
    ParsedScript out;
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        text.remove_prefix(kByteOrderMark.size());
    }
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        ScriptLine parsed = parseScriptLine(line, lineNumber);
        if (parsed.command) {
            out.commands.push_back(std::move(*parsed.command));
        }
        if (parsed.error) {
            out.errors.push_back(std::move(*parsed.error));
        }
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return out;
}

}  // namespace kvhost
