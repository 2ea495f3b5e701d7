// Fuzzes the script parser with arbitrary text: parsing never fails other than by reporting
// errors, every error names a line of the script, and every argument of an accepted command
// quotes into text that splits back into the same argument.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "KeyName.h"
#include "Script.h"

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto parsed = kvhost::parseScript(text);
    int lastLine = 0;
    for (const auto& command : parsed.commands) {
        check(command.line > lastLine);
        lastLine = command.line;
        check(!kvhost::verbName(command.verb).empty());
        if (command.keyStroke) {
            auto back = kvhost::parseKeyName(kvhost::keyStrokeName(*command.keyStroke));
            check(back.ok() && back.value() == *command.keyStroke);
        }
        for (const auto& arg : command.args) {
            check(arg.quoted.size() == arg.text.size());
            auto split = kvhost::splitScriptLine("x " + kvhost::quoteScriptArgument(arg.text));
            check(split.ok() && split.value().size() == 2 && split.value()[1].text == arg.text);
        }
        // The library's view of the arguments keeps one quote mark per byte.
        check(command.library.size() == command.args.size());
        for (const auto& arg : command.library) {
            check(arg.quoted.size() == arg.text.size());
        }
        if (command.ref && command.ref->kind == kvwin32::ControlQuery::Kind::text) {
            // A REF's text matches itself as a control's text.
            check(kvwin32::robotTextMatches(command.ref->text, command.ref->text,
                                            command.ref->prefix));
        }
    }
    for (const auto& error : parsed.errors) {
        check(error.line >= 1 && !error.reason.empty());
    }
    return 0;
}
