// The console's help: `help` and `help COMMAND`, the closest name offered for a misspelled
// command, and what the line editor completes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CommandSource.h"
#include "Help.h"
#include "Script.h"

namespace {

TEST(Help, ListsEveryCommandOnALineOfItsOwn) {
    std::string text;
    ASSERT_TRUE(kvhost::helpText("", text));
    for (const auto& [name, usage] : kvhost::commandUsages()) {
        const std::string line = "\n  " + std::string(name) + " ";
        EXPECT_NE(text.find(line), std::string::npos) << name;
    }
    // A heading and one line a command, each with a summary.
    const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    EXPECT_EQ(lines, kvhost::commandUsages().size() + 1);
    EXPECT_EQ(text.find("  \n"), std::string::npos) << "a command without a summary";
}

TEST(Help, ShowsOneCommandWithItsUsage) {
    std::string text;
    ASSERT_TRUE(kvhost::helpText("expect-box-style", text));
    EXPECT_EQ(text.rfind("usage: expect-box-style ICON BUTTONS [CAPTION]\n", 0), 0u);
    ASSERT_TRUE(kvhost::helpText("CLICK", text)) << "names are matched without letter case";
    EXPECT_NE(text.find("click REF [PART]"), std::string::npos);
    EXPECT_FALSE(kvhost::helpText("clik", text));
    EXPECT_EQ(text, "unknown command 'clik' (did you mean 'click'?)");
}

TEST(Help, TheHelpCommandParses) {
    const kvhost::ScriptLine bare = kvhost::parseScriptLine("help", 1);
    ASSERT_TRUE(bare.command);
    EXPECT_EQ(bare.command->verb, kvhost::Verb::help);
    const kvhost::ScriptLine one = kvhost::parseScriptLine("help expect", 2);
    ASSERT_TRUE(one.command);
    EXPECT_EQ(one.command->text(0), "expect");
    EXPECT_TRUE(kvhost::parseScriptLine("help a b", 3).error);
}

struct Suggestion {
    const char* typed;
    const char* expected;  // "" when nothing is close enough
};

TEST(Help, MisspelledCommandsNameTheClosestOne) {
    const Suggestion cases[] = {
        {"clck", " (did you mean 'click'?)"},   // a letter missing
        {"cilck", " (did you mean 'click'?)"},  // two letters swapped
        {"expect-titel", " (did you mean 'expect-title'?)"},
        {"snapshoot", " (did you mean 'snapshot'?)"},
        {"expect-di", " (did you mean 'expect-displayed'?)"},  // the only name it begins
        {"expect-", " (did you mean 'expect'?)"},              // begins many names, one letter off
        {"frobnicate", ""},                                    // nothing like it
        {"x", ""},
    };
    for (const Suggestion& c : cases) {
        const kvhost::ScriptLine parsed = kvhost::parseScriptLine(c.typed, 4);
        ASSERT_TRUE(parsed.error) << c.typed;
        EXPECT_EQ(parsed.error->reason,
                  "unknown command '" + std::string(c.typed) + "'" + c.expected)
            << c.typed;
    }
}

TEST(Help, EditDistanceCountsEditsAndSwapsIgnoringCase) {
    EXPECT_EQ(kvhost::editDistance("", ""), 0u);
    EXPECT_EQ(kvhost::editDistance("abc", "ABC"), 0u);
    EXPECT_EQ(kvhost::editDistance("abc", "acb"), 1u);
    EXPECT_EQ(kvhost::editDistance("kitten", "sitting"), 3u);
    EXPECT_EQ(kvhost::editDistance("", "tab"), 3u);
}

TEST(Completion, CompletesCommandsThenReferences) {
    const std::vector<std::string> refs{"OK", "Cancel", "Simulation Profile:", "Options"};
    EXPECT_EQ(kvhost::completionsFor("", "expect-n", refs),
              (std::vector<std::string>{"expect-no-box", "expect-notify", "expect-no-notify"}));
    EXPECT_EQ(kvhost::completionsFor("help ", "sn", refs), (std::vector<std::string>{"snapshot"}));
    EXPECT_EQ(kvhost::completionsFor("click ", "O", refs),
              (std::vector<std::string>{"OK", "Options"}));
    EXPECT_EQ(kvhost::completionsFor("type ", "Sim", refs),
              (std::vector<std::string>{"\"Simulation Profile:\""}))
        << "a reference with a blank is quoted";
    EXPECT_EQ(kvhost::completionsFor("type ", "\"Sim", refs),
              (std::vector<std::string>{"\"Simulation Profile:\""}));
    EXPECT_TRUE(kvhost::completionsFor("click ", "Z", refs).empty());
}

}  // namespace
