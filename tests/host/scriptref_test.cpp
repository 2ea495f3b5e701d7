// REFs and items of scripts, and the control-text matching rule.
#include <string>

#include <gtest/gtest.h>

#include "ScriptLexer.h"
#include "ScriptRef.h"

namespace {

using kvhost::Ref;
using kvhost::RefKind;

// The REF written as `written` on a script line (quotes and all).
kvhost::Result<Ref> refOf(const std::string& written) {
    auto args = kvhost::splitScriptLine("click " + written);
    EXPECT_TRUE(args.ok() && args.value().size() == 2) << written;
    return kvhost::parseRef(args.value().at(1));
}

struct RefRow {
    const char* written;
    RefKind kind;
    const char* matchText;
    bool prefix;
    bool ownTextOnly;
    int id;
    int offset;
};

const RefRow kRefs[] = {
    {"OK", RefKind::text, "OK", false, false, 0, 0},
    {R"("&Browse...")", RefKind::text, "Browse...", false, false, 0, 0},
    {R"(" Run to time: ")", RefKind::text, "Run to time:", false, false, 0, 0},
    {R"("Number of Threads*")", RefKind::text, "Number of Threads", true, false, 0, 0},
    {R"("=Show")", RefKind::text, "Show", false, true, 0, 0},
    {R"("Value list"+1)", RefKind::text, "Value list", false, false, 0, 1},
    {R"("Details"-1)", RefKind::text, "Details", false, false, 0, -1},
    {"Details-12", RefKind::text, "Details", false, false, 0, -12},
    {R"("Details-1")", RefKind::text, "Details-1", false, false, 0, 0},
    {"-1", RefKind::text, "-1", false, false, 0, 0},
    {"#1001", RefKind::id, "", false, false, 1001, 0},
    {"#1001+2", RefKind::id, "", false, false, 1001, 2},
    {R"("#1001")", RefKind::text, "#1001", false, false, 0, 0},
    {"focus", RefKind::focus, "", false, false, 0, 0},
    {"focus-1", RefKind::focus, "", false, false, 0, -1},
    {R"("focus")", RefKind::text, "focus", false, false, 0, 0},
    {R"("=Check Point Lo&cation*"+3)", RefKind::text, "Check Point Location", true, true, 0, 3},
};

TEST(ScriptRefTest, ParsesEveryForm) {
    for (const auto& row : kRefs) {
        auto ref = refOf(row.written);
        ASSERT_TRUE(ref.ok()) << row.written << ": " << ref.error();
        EXPECT_EQ(ref.value().kind, row.kind) << row.written;
        if (row.kind == RefKind::text) {
            EXPECT_EQ(ref.value().matchText, row.matchText) << row.written;
        }
        EXPECT_EQ(ref.value().prefix, row.prefix) << row.written;
        EXPECT_EQ(ref.value().ownTextOnly, row.ownTextOnly) << row.written;
        EXPECT_EQ(ref.value().id, row.id) << row.written;
        EXPECT_EQ(ref.value().offset, row.offset) << row.written;
    }
}

TEST(ScriptRefTest, RefusesMalformedRefs) {
    for (const char* written : {R"("")", R"("  & ")", "=", "#12x", "#99999999999", "OK+99999"}) {
        EXPECT_FALSE(refOf(written).ok()) << written;
    }
}

struct MatchRow {
    const char* ref;
    const char* control;
    bool matches;
};

const MatchRow kMatches[] = {
    {"OK", "OK", true},
    {"OK", "&OK", true},
    {"&OK", "OK", true},
    {"Browse...", "&Browse...", true},
    {"Perform Fourier Analysis", "Perform &Fourier Analysis", true},
    {"Analysis", "Analysis ", true},  // blanks at the ends are ignored
    {" Analysis", "Analysis", true},
    {"Run to time:", "Run to  time:", false},  // inner blanks must match
    {"ok", "OK", false},                       // case counts
    {"OK", "OK2", false},
    {"Number of Threads*", "Number of Threads (0 = auto):", true},
    {"Number of Threads*", "Number of", false},
    {"Num&ber*", "&Number of Threads", true},
    {"*", "anything", true},
    {"Save && Exit", "Save & Exit", true},
};

TEST(ScriptRefTest, MatchesControlTexts) {
    for (const auto& row : kMatches) {
        EXPECT_EQ(kvhost::refTextMatches(row.ref, row.control), row.matches)
            << "'" << row.ref << "' vs '" << row.control << "'";
        // The parsed REF agrees with the text rule.
        auto ref = kvhost::parseRef(kvhost::plainArgument(row.ref));
        if (ref.ok()) {
            EXPECT_EQ(ref.value().matches(row.control), row.matches) << row.ref;
        }
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
}

}  // namespace
