// REFs and items of scripts, parsed into the Robot's queries (the matching rules themselves
// are the Robot's and are tested with it).
#include <string>

#include <gtest/gtest.h>

#include "ScriptLexer.h"
#include "ScriptRef.h"

namespace {

using kvwin32::ControlQuery;
using Kind = kvwin32::ControlQuery::Kind;

// The REF written as `written` on a script line (quotes and all).
kvhost::Result<ControlQuery> refOf(const std::string& written) {
    auto args = kvhost::splitScriptLine("click " + written);
    EXPECT_TRUE(args.ok() && args.value().size() == 2) << written;
    return kvhost::parseRef(args.value().at(1));
}

struct RefRow {
    const char* written;
    Kind kind;
    const char* text;  // the query's text: `=`, `*` and the offset taken off, `&` kept
    bool prefix;
    bool ownTextOnly;
    int id;
    int offset;
};

const RefRow kRefs[] = {
    {"OK", Kind::text, "OK", false, false, 0, 0},
    {R"("&Browse...")", Kind::text, "&Browse...", false, false, 0, 0},
    {R"(" Run to time: ")", Kind::text, " Run to time: ", false, false, 0, 0},
    {R"("Number of Threads*")", Kind::text, "Number of Threads", true, false, 0, 0},
    {R"("=Show")", Kind::text, "Show", false, true, 0, 0},
    {R"("Value list"+1)", Kind::text, "Value list", false, false, 0, 1},
    {R"("Details"-1)", Kind::text, "Details", false, false, 0, -1},
    {"Details-12", Kind::text, "Details", false, false, 0, -12},
    {R"("Details-1")", Kind::text, "Details-1", false, false, 0, 0},
    {"-1", Kind::text, "-1", false, false, 0, 0},
    {"#1001", Kind::id, "", false, false, 1001, 0},
    {"#1001+2", Kind::id, "", false, false, 1001, 2},
    {"#-1", Kind::id, "", false, false, -1, 0},
    {"#-1+2", Kind::id, "", false, false, -1, 2},
    {"#5-1", Kind::id, "", false, false, 5, -1},
    {"#-2147483648", Kind::id, "", false, false, -2147483647 - 1, 0},
    {R"("#1001")", Kind::text, "#1001", false, false, 0, 0},
    {R"("#-1")", Kind::text, "#-1", false, false, 0, 0},
    {"focus", Kind::focus, "", false, false, 0, 0},
    {"focus-1", Kind::focus, "", false, false, 0, -1},
    {R"("focus")", Kind::text, "focus", false, false, 0, 0},
    {R"("=Check Point Lo&cation*"+3)", Kind::text, "Check Point Lo&cation", true, true, 0, 3},
    {"*", Kind::text, "", true, false, 0, 0},
};

TEST(ScriptRefTest, ParsesEveryFormIntoARobotQuery) {
    for (const auto& row : kRefs) {
        auto ref = refOf(row.written);
        ASSERT_TRUE(ref.ok()) << row.written << ": " << ref.error();
        EXPECT_EQ(ref.value().kind, row.kind) << row.written;
        EXPECT_EQ(ref.value().text, row.text) << row.written;
        EXPECT_EQ(ref.value().prefix, row.prefix) << row.written;
        EXPECT_EQ(ref.value().ownTextOnly, row.ownTextOnly) << row.written;
        EXPECT_EQ(ref.value().id, row.id) << row.written;
        EXPECT_EQ(ref.value().offset, row.offset) << row.written;
    }
}

TEST(ScriptRefTest, RefusesMalformedRefs) {
    for (const char* written : {R"("")", R"("  & ")", "=", "#12x", "#99999999999", "OK+99999",
                                "#-2147483649", "#1-", "#1+"}) {
        EXPECT_FALSE(refOf(written).ok()) << written;
    }
    // `#-` and `#+1` start comments on a script line; built by a caller, they name nothing.
    for (const char* text : {"#-", "#+1", "#--1"}) {
        EXPECT_FALSE(kvhost::parseRef(kvhost::plainArgument(text)).ok()) << text;
    }
}

TEST(ScriptRefTest, ParsesItems) {
    auto byIndex = kvhost::parseItemRef(kvhost::plainArgument("#3"));
    ASSERT_TRUE(byIndex.ok());
    EXPECT_TRUE(byIndex.value().byIndex);
    EXPECT_EQ(byIndex.value().index, 3);
    auto args = kvhost::splitScriptLine(R"(select "#3")");
    auto byText = kvhost::parseItemRef(args.value().at(1));
    ASSERT_TRUE(byText.ok());
    EXPECT_FALSE(byText.value().byIndex);
    EXPECT_EQ(byText.value().text, "#3");
    EXPECT_FALSE(kvhost::parseItemRef(kvhost::plainArgument("#x")).ok());
    EXPECT_FALSE(kvhost::parseItemRef(kvhost::plainArgument("#-1")).ok());
}

}  // namespace
