// Command sources: a script's lines in order with blank and comment lines skipped and errors
// kept with their line numbers, and the console's prompt and end of input.
#include <gtest/gtest.h>

#include <sstream>

#include "CommandSource.h"

namespace {

using kvhost::ConsoleSource;
using kvhost::ScriptSource;
using kvhost::Verb;

TEST(ScriptSourceTest, GivesCommandsAndErrorsInLineOrder) {
    ScriptSource source(
        "\xEF\xBB\xBF# a comment\r\n"
        "\n"
        "open modeless cookie 3\r\n"
        "click\n"
        "  expect-active 0   # trailing comment\n"
        "type \"unterminated");
    auto first = source.next();
    ASSERT_TRUE(first && first->command);
    EXPECT_EQ(first->command->line, 3);
    EXPECT_EQ(first->command->verb, Verb::open);
    EXPECT_EQ(first->command->modeless.cookie, 3);

    auto second = source.next();
    ASSERT_TRUE(second && second->error);
    EXPECT_EQ(second->error->line, 4);

    auto third = source.next();
    ASSERT_TRUE(third && third->command);
    EXPECT_EQ(third->command->verb, Verb::expectActive);
    EXPECT_EQ(third->command->line, 5);

    auto fourth = source.next();
    ASSERT_TRUE(fourth && fourth->error);
    EXPECT_EQ(fourth->error->line, 6);

    EXPECT_FALSE(source.next());
    EXPECT_FALSE(source.next());
}

TEST(ConsoleSourceTest, PromptsForEachLineAndEndsWithTheInput) {
    std::istringstream in("\n# nothing\npump\nexpect-no-box\n");
    std::ostringstream out;
    ConsoleSource source(in, out);
    auto pump = source.next();
    ASSERT_TRUE(pump && pump->command);
    EXPECT_EQ(pump->command->verb, Verb::pump);
    EXPECT_EQ(pump->command->line, 3);
    auto noBox = source.next();
    ASSERT_TRUE(noBox && noBox->command);
    EXPECT_EQ(noBox->command->verb, Verb::expectNoBox);
    EXPECT_FALSE(source.next());
    // One prompt per line read, and a line break when the input ends.
    EXPECT_EQ(out.str(), "kvhost> kvhost> kvhost> kvhost> kvhost> \n");
}

}  // namespace
