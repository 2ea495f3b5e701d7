// Tests of the INI parser and editor behind the private-profile functions: how lines are
// classified, which line a lookup finds, and which bytes an edit produces.
#include <cstdint>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "internal/profile_document.h"

using kvwin32::internal::ProfileDocument;
using kvwin32::internal::profileValueToInteger;
using kvwin32::internal::unquoteProfileValue;

namespace {

// Makes control characters visible in failure messages.
std::string shown(std::string_view bytes) {
    std::string out;
    for (char c : bytes) {
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\0') {
            out += "\\0";
        } else {
            out += c;
        }
    }
    return out;
}

TEST(ProfileValueToInteger, ParsesTheLeadingNumberAsWindowsDoes) {
    struct Row {
        std::string_view text;
        std::uint32_t expected;
    };
    const Row rows[] = {
        {"1", 1},
        {"-1", 4294967295u},
        {"+1", 1},
        {"4294967296", 0},  // wraps modulo 2^32
        {"4294967297", 1},
        {"-4294967297", 4294967295u},
        {"42A94967297", 42},  // digits up to the first that is not one
        {"B4294967297", 0},   // no digits at all
        {"0x1A", 26},
        {"0x1g", 1},
        {"0o17", 15},
        {"0b101", 5},
        {"0X1A", 0},  // the prefixes are lower case only
        {"  \t12", 12},
        {"-0x10", 4294967280u},
        {"0", 0},
        {"-", 0},
        {"007", 7},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(profileValueToInteger(row.text), row.expected) << "value \"" << row.text << '"';
    }
}

TEST(UnquoteProfileValue, DropsOnePairOfMatchingQuotes) {
    struct Row {
        std::string_view value;
        std::string_view expected;
    };
    const Row rows[] = {
        {"\"val\"", "val"}, {"'val'", "val"},       {"\"val'", "\"val'"}, {"\"", "\""},
        {"''", ""},         {"\"\"x\"\"", "\"x\""}, {"a\"b\"", "a\"b\""}, {"\"a b c\"", "a b c"},
        {"", ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(unquoteProfileValue(row.value), row.expected) << "value " << row.value;
    }
}

TEST(ProfileDocument, ClassifiesLines) {
    const ProfileDocument doc(
        "orphan=before any section\r\n"
        "[ First ]\r\n"
        "  Key One  =  value one  \r\n"
        "; comment=not a key\r\n"
        "\r\n"
        "bare line\r\n"
        "=no key\r\n"
        "[not a header\r\n"
        "[a]b] trailing\r\n"
        "x=1\r\n"
        "[]\r\n"
        "e=empty name\r\n");
    ASSERT_EQ(doc.sections().size(), 3u);

    const auto& first = doc.sections()[0];
    EXPECT_EQ(first.name, "First");
    ASSERT_EQ(first.entries.size(), 4u);
    EXPECT_EQ(first.entries[0].key, "Key One");
    EXPECT_EQ(first.entries[0].value, "value one");
    EXPECT_TRUE(first.entries[0].hasValue);
    EXPECT_EQ(first.entries[1].key, "bare line");
    EXPECT_FALSE(first.entries[1].hasValue);
    EXPECT_EQ(first.entries[2].key, "");
    EXPECT_EQ(first.entries[2].value, "no key");
    EXPECT_EQ(first.entries[3].key, "[not a header");

    // The name runs to the last ']' of the line.
    EXPECT_EQ(doc.sections()[1].name, "a]b");
    EXPECT_EQ(doc.sections()[2].name, "");
    EXPECT_EQ(doc.findSection("")->entries[0].value, "empty name");
    EXPECT_EQ(doc.findSection("orphan"), nullptr);
}

TEST(ProfileDocument, FirstMatchWinsCaseInsensitively) {
    const ProfileDocument doc(
        "[S]\nk=1\nK=2\nonly=3\n"
        "[s]\nk=4\nlater=5\n");
    const auto* section = doc.findSection("  s\t");
    ASSERT_NE(section, nullptr);
    EXPECT_EQ(section->headerLine, 0u);
    EXPECT_EQ(ProfileDocument::findEntry(*section, "K")->value, "1");
    EXPECT_EQ(ProfileDocument::findEntry(*section, " ONLY ")->value, "3");
    // Keys of a later section with the same name are not seen.
    EXPECT_EQ(ProfileDocument::findEntry(*section, "later"), nullptr);
}

TEST(ProfileDocument, FindsEveryKeyOfALargeSection) {
    std::string text = "[big]\r\n";
    for (int i = 0; i < 500; ++i) {
        text += "Key" + std::to_string(i) + "=" + std::to_string(i * 7) + "\r\n";
    }
    const ProfileDocument doc(text);
    const auto* section = doc.findSection("BIG");
    ASSERT_NE(section, nullptr);
    for (int i = 0; i < 500; ++i) {
        const auto* entry = ProfileDocument::findEntry(*section, "key" + std::to_string(i));
        ASSERT_NE(entry, nullptr) << i;
        EXPECT_EQ(entry->value, std::to_string(i * 7));
    }
    EXPECT_EQ(ProfileDocument::findEntry(*section, "key500"), nullptr);
}

TEST(ProfileDocument, NamesMatchIgnoringAsciiCaseOnly) {
    struct Row {
        std::string_view key;     // in the file
        std::string_view wanted;  // looked up
        bool found;
    };
    const Row rows[] = {
        {"", "", true},
        {"a", "A", true},
        {"abc", "ABC", true},
        {"Keys", "kEYS", true},                            // four bytes
        {"Key1234", "KEY1234", true},                      // seven
        {"Settings", "SETTINGS", true},                    // eight
        {"Settings1", "settings1", true},                  // nine
        {"AnalysisOptionsX", "analysisoptionsx", true},    // sixteen
        {"AnalysisOptionsXY", "ANALYSISOPTIONSXY", true},  // seventeen
        {"Key1234", "Key1235", false},                     // the last byte differs
        {"Key1234", "Key123", false},                      // a prefix
        {"Settings1", "Settings2", false},                 // beyond the first word
        {"@", "`", false},                                 // next to the letters
        {"[", "{", false},
        {"Z", "z", true},
        {"\xC4rger", "\xE4rger", false},  // bytes above 0x7F compare exactly
        {"\xC4rger", "\xC4RGER", true},
    };
    for (const Row& row : rows) {
        const std::string text = "[s]\n" + std::string(row.key) + "=v\n";
        const ProfileDocument doc(text);
        const auto* section = doc.findSection("s");
        ASSERT_NE(section, nullptr);
        EXPECT_EQ(ProfileDocument::findEntry(*section, row.wanted) != nullptr, row.found)
            << '"' << row.key << "\" looking for \"" << row.wanted << '"';
        EXPECT_EQ(kvwin32::internal::profileNamesEqual(row.key, row.wanted), row.found) << row.key;
        if (row.found) {
            EXPECT_EQ(kvwin32::internal::profileNameHash(row.key),
                      kvwin32::internal::profileNameHash(row.wanted))
                << row.key;
        }
    }
}

TEST(ProfileDocument, LineEndsAreFoundAtEveryOffset) {
    // Line ends of every kind, at every position around the blocks the parser reads.
    for (std::size_t pad = 0; pad < 140; ++pad) {
        const std::string value(pad, 'x');
        const std::string text = "[s]\r\nk=" + value + "\r\nnext=1\rlast=2\n" + value + "=3";
        const ProfileDocument doc(text);
        const auto* section = doc.findSection("s");
        ASSERT_NE(section, nullptr) << pad;
        ASSERT_EQ(section->entries.size(), 4u) << pad;
        EXPECT_EQ(ProfileDocument::findEntry(*section, "k")->value, value) << pad;
        EXPECT_EQ(ProfileDocument::findEntry(*section, "next")->value, "1") << pad;
        EXPECT_EQ(ProfileDocument::findEntry(*section, "last")->value, "2") << pad;
        EXPECT_EQ(section->entries[3].key, value) << pad;
        EXPECT_EQ(doc.newline(), "\r\n") << pad;
    }
}

TEST(ProfileDocument, NewLinesFollowTheFilesOwnTerminator) {
    struct Row {
        std::string_view bytes;
        std::string_view newline;
    };
    const Row rows[] = {
        {"", "\r\n"},           {"[a]", "\r\n"},      {"[a]\n", "\n"},          {"[a]\r", "\r"},
        {"[a]\r\nx\n", "\r\n"}, {"[a]\nx\r\n", "\n"}, {"\xEF\xBB\xBF", "\r\n"},
    };
    for (const Row& row : rows) {
        const ProfileDocument doc{std::string(row.bytes)};
        EXPECT_EQ(doc.newline(), row.newline) << shown(row.bytes);
    }
}

TEST(ProfileDocument, ByteOrderMarkIsSkippedAndKept) {
    const ProfileDocument doc("\xEF\xBB\xBF[s]\nk=v\n");
    ASSERT_NE(doc.findSection("s"), nullptr);
    EXPECT_EQ(*doc.withValue("s", "n", "w"), "\xEF\xBB\xBF[s]\nk=v\nn=w\n");
}

TEST(ProfileDocument, EditsTouchOnlyTheirLines) {
    enum class Op { Set, DeleteKey, DeleteSection };
    struct Row {
        const char* what;
        std::string_view before;
        Op op;
        std::string_view section, key, value;
        std::string_view after;  // empty: nothing changes
    };
    const Row rows[] = {
        {"replace keeps key spelling and line terminator", "[a]\r\n  Key =  old \n[b]\r\n", Op::Set,
         "a", "KEY", "new", "[a]\r\nKey=new\n[b]\r\n"},
        {"same value changes nothing", "[a]\r\nk=v\r\n", Op::Set, "a", "k", "v", ""},
        {"new key after the last key line, before blanks and comments",
         "[a]\r\nx=1\r\n\r\n; about b\r\n[b]\r\n", Op::Set, "a", "y", "2",
         "[a]\r\nx=1\r\ny=2\r\n\r\n; about b\r\n[b]\r\n"},
        {"new key in a section without keys goes after the header", "[a]\n\n[b]\n", Op::Set, "a",
         "k", "v", "[a]\nk=v\n\n[b]\n"},
        {"a last line without terminator gets one", "[a]\nx=1", Op::Set, "a", "y", "2",
         "[a]\nx=1\ny=2\n"},
        {"new section at the end", "; top\r\n[a]\r\nx=1\r\n", Op::Set, " b ", " k ", "v",
         "; top\r\n[a]\r\nx=1\r\n[b]\r\nk=v\r\n"},
        {"new section after a last line without terminator", "[a]\rx=1", Op::Set, "b", "k", "v",
         "[a]\rx=1\r[b]\rk=v\r"},
        {"new section in an empty file", "", Op::Set, "App", "key", "", "[App]\r\nkey=\r\n"},
        {"a new line in a CR file keeps a following LF blank line", "[a]\rx=1\n\n[b]\r", Op::Set,
         "a", "y", "2", "[a]\rx=1\ny=2\r\n\n[b]\r"},
        {"a line without '=' takes the value", "[a]\nflag\n", Op::Set, "a", "flag", "on",
         "[a]\nflag=on\n"},
        {"delete a key", "[a]\r\nx=1\r\ny=2\r\n", Op::DeleteKey, "a", "X", "", "[a]\r\ny=2\r\n"},
        {"delete every line of a key in the first section", "[a]\nk=1\nj=0\nk=2\n[a]\nk=3\n",
         Op::DeleteKey, "a", "k", "", "[a]\nj=0\n[a]\nk=3\n"},
        {"delete a missing key changes nothing", "[a]\nx=1\n", Op::DeleteKey, "a", "y", "", ""},
        {"delete the last line without terminator", "[a]\nx=1\ny=2", Op::DeleteKey, "a", "y", "",
         "[a]\nx=1\n"},
        {"delete a section with its comments and blank lines",
         "[a]\r\nx=1\r\n; c\r\n\r\n[b]\r\ny=2\r\n", Op::DeleteSection, "A", "", "",
         "[b]\r\ny=2\r\n"},
        {"delete every section of the name", "[a]\nx\n[b]\ny\n[a]\nz", Op::DeleteSection, "a", "",
         "", "[b]\ny\n"},
        {"delete a missing section changes nothing", "[a]\n", Op::DeleteSection, "b", "", "", ""},
    };
    for (const Row& row : rows) {
        const ProfileDocument doc{std::string(row.before)};
        std::optional<std::string> result;
        switch (row.op) {
            case Op::Set:
                result = doc.withValue(row.section, row.key, row.value);
                break;
            case Op::DeleteKey:
                result = doc.withoutKey(row.section, row.key);
                break;
            case Op::DeleteSection:
                result = doc.withoutSection(row.section);
                break;
        }
        if (row.after.empty()) {
            EXPECT_FALSE(result.has_value()) << row.what << ": got " << shown(*result);
        } else {
            ASSERT_TRUE(result.has_value()) << row.what;
            EXPECT_EQ(shown(*result), shown(row.after)) << row.what;
        }
    }
}

}  // namespace
