// Splitting script lines into arguments: blanks, quotes, escapes, comments.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ScriptLexer.h"

namespace {

using kvhost::splitScriptLine;

struct LexRow {
    const char* line;
    std::vector<std::string> args;
};

const LexRow kRows[] = {
    {"", {}},
    {"   \t ", {}},
    {"# a comment", {}},
    {"   #indented comment", {}},
    {"pump", {"pump"}},
    {"click  OK\t", {"click", "OK"}},
    {"click OK # and a comment", {"click", "OK"}},
    {"click OK #note", {"click", "OK"}},
    {"click #1001", {"click", "#1001"}},
    {"click #1001+1 # the next one", {"click", "#1001+1"}},
    {"select #12 #3", {"select", "#12", "#3"}},
    {"click #-1", {"click", "#-1"}},  // a static's id, not a comment
    {"click #-1+2 # after it", {"click", "#-1+2"}},
    {"click OK #-note", {"click", "OK"}},
    {"click OK #- 1", {"click", "OK"}},
    {"type a#b c", {"type", "a#b", "c"}},
    {"#1 is a comment at the start", {}},
    {R"(type "Run to time:" 100u)", {"type", "Run to time:", "100u"}},
    {R"(type "Run to time:" "")", {"type", "Run to time:", ""}},
    {R"(expect-box "Say \"hi\"\n\tback\\slash")", {"expect-box", "Say \"hi\"\n\tback\\slash"}},
    {R"(type x "C:\Temp\new")", {"type", "x", "C:\\Temp\new"}},
    {R"(type x C:\Temp\new)", {"type", "x", "C:\\Temp\\new"}},
    {R"(click "Value list"+1)", {"click", "Value list+1"}},
    {R"(click pre"fix # not a comment"post)", {"click", "prefix # not a commentpost"}},
    {"click OK\r", {"click", "OK"}},
};

TEST(ScriptLexerTest, SplitsLinesIntoArguments) {
    for (const auto& row : kRows) {
        auto args = splitScriptLine(row.line);
        ASSERT_TRUE(args.ok()) << row.line << ": " << args.error();
        std::vector<std::string> texts;
        for (const auto& arg : args.value()) {
            texts.push_back(arg.text);
            EXPECT_EQ(arg.quoted.size(), arg.text.size()) << row.line;
        }
        EXPECT_EQ(texts, row.args) << "line: " << row.line;
    }
}

TEST(ScriptLexerTest, RemembersWhichCharactersWereQuoted) {
    auto args = splitScriptLine(R"(click "Details"-1 focus "focus")");
    ASSERT_TRUE(args.ok());
    ASSERT_EQ(args.value().size(), 4u);
    const auto& ref = args.value()[1];
    EXPECT_EQ(ref.text, "Details-1");
    EXPECT_TRUE(ref.quoted[0]);
    EXPECT_FALSE(ref.quoted[7]);
    EXPECT_TRUE(args.value()[2].isKeyword("focus"));
    EXPECT_FALSE(args.value()[3].isKeyword("focus"));
}

TEST(ScriptLexerTest, RefusesAnUnterminatedQuote) {
    for (const char* line : {R"(type x "abc)", R"(type x "abc\")", "\""}) {
        auto args = splitScriptLine(line);
        ASSERT_FALSE(args.ok()) << line;
        EXPECT_EQ(args.error(), "unterminated quote");
    }
}

TEST(ScriptLexerTest, ConvertsTextToTheLibraryCodePageKeepingQuoteMarks) {
    auto args = splitScriptLine("type \"caf\xC3\xA9 \xE2\x82\xAC\"+1");
    ASSERT_TRUE(args.ok());
    auto converted = kvhost::toLibraryText(args.value()[1]);
    ASSERT_TRUE(converted.ok()) << converted.error();
    EXPECT_EQ(converted.value().text, "caf\xE9 \x80+1");
    EXPECT_EQ(converted.value().quoted,
              (std::vector<bool>{true, true, true, true, true, true, false, false}));
    auto refused = kvhost::toLibraryText(kvhost::plainArgument("\xE4\xB8\xAD"));
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error(),
              "'\xE4\xB8\xAD' holds U+4E2D, a character that Windows-1252 cannot represent");
}

TEST(ScriptLexerTest, QuotedArgumentsReadBack) {
    const std::string texts[] = {"plain",          "",   "two words",        "a\"b",
                                 "C:\\Dir\\f.lib", "#1", "line\nbreak\ttab", "back\\"};
    for (const auto& text : texts) {
        const std::string quoted = kvhost::quoteScriptArgument(text);
        auto args = splitScriptLine("type " + quoted);
        ASSERT_TRUE(args.ok()) << quoted;
        ASSERT_EQ(args.value().size(), 2u) << quoted;
        EXPECT_EQ(args.value()[1].text, text) << quoted;
    }
    EXPECT_EQ(kvhost::quoteScriptArgument("C:\\Dir\\f.lib"), "C:\\Dir\\f.lib");
}

}  // namespace
