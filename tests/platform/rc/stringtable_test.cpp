// STRINGTABLE statements compiled to blocks of sixteen counted UTF-16 strings.
#include <gtest/gtest.h>

#include "RcTestSupport.h"
#include "Script.h"

namespace {

// The sixteen slots of a string block, read back from its bytes.
std::vector<std::u16string> slotsOf(const std::vector<std::uint8_t>& data) {
    std::vector<std::u16string> slots;
    std::size_t pos = 0;
    auto unit = [&](std::size_t at) {
        return static_cast<char16_t>(data.at(at) | (data.at(at + 1) << 8));
    };
    for (int i = 0; i < 16; ++i) {
        std::size_t length = unit(pos);
        pos += 2;
        std::u16string s;
        for (std::size_t k = 0; k < length; ++k, pos += 2)
            s.push_back(unit(pos));
        slots.push_back(s);
    }
    EXPECT_EQ(pos, data.size()) << "bytes after the sixteenth slot";
    return slots;
}

TEST(StringTable, BlockNumberAndSlotComeFromTheId) {
    kvtest::TempDir dir;
    kvrc::Script s = rctest::compile(dir,
                                     "STRINGTABLE\nBEGIN\n"
                                     "  0 \"zero\"\n"
                                     "  15, \"fifteen\"\n"
                                     "  16 \"sixteen\"\n"
                                     "  65535 \"last\"\n"
                                     "END\n");
    ASSERT_EQ(s.resources.size(), 3u);
    const kvrc::Resource* first = rctest::findResource(s, kvrc::ResourceType::String, 1);
    const kvrc::Resource* second = rctest::findResource(s, kvrc::ResourceType::String, 2);
    const kvrc::Resource* last = rctest::findResource(s, kvrc::ResourceType::String, 4096);
    ASSERT_TRUE(first && second && last);
    auto a = slotsOf(first->data);
    EXPECT_EQ(a[0], u"zero");
    EXPECT_EQ(a[15], u"fifteen");
    for (int i = 1; i < 15; ++i)
        EXPECT_TRUE(a[static_cast<std::size_t>(i)].empty()) << i;
    EXPECT_EQ(slotsOf(second->data)[0], u"sixteen");
    EXPECT_EQ(slotsOf(last->data)[15], u"last");
    EXPECT_EQ(first->language, kvrc::kDefaultLanguage);
}

struct EscapeRow {
    const char* literal;  // as written in the script
    std::u16string text;
};

const EscapeRow kEscapes[] = {
    {R"("plain")", u"plain"},
    {R"("say ""hi""")", u"say \"hi\""},
    {R"("a\"b")", u"a\"b"},
    {R"("tab\there")", u"tab\there"},
    {R"("line\nnext")", u"line\nnext"},
    {R"("back\\slash")", u"back\\slash"},
    {R"("cr\r")", u"cr\r"},
    {R"("hex\x41\x4a")", u"hexAJ"},
    {R"("oct\101")", u"octA"},
    {R"("unknown\q")", u"unknown\\q"},
    {R"(L"wide\x20AC")", u"wide\u20AC"},
    {R"("euro\x80")", u"euro\u20AC"},
    {"\"cp1252 \xE9\x80\x9F\"", u"cp1252 \u00E9\u20AC\u0178"},
    {R"("joined" " twice")", u"joined twice"},
    {R"("")", u""},
};

TEST(StringTable, EscapesAndCodePage) {
    kvtest::TempDir dir;
    for (const EscapeRow& row : kEscapes) {
        SCOPED_TRACE(row.literal);
        kvrc::Script s =
            rctest::compile(dir, std::string("STRINGTABLE BEGIN 1 ") + row.literal + " END\n");
        const kvrc::Resource* block = rctest::findResource(s, kvrc::ResourceType::String, 1);
        ASSERT_TRUE(block);
        EXPECT_TRUE(slotsOf(block->data)[1] == row.text);
    }
}

TEST(StringTable, Utf8CodePage) {
    kvtest::TempDir dir;
    kvrc::Script s =
        rctest::compile(dir,
                        "#pragma code_page(65001)\n"
                        "STRINGTABLE BEGIN 2 \"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\" END\n");
    auto slots = slotsOf(rctest::findResource(s, kvrc::ResourceType::String, 1)->data);
    EXPECT_TRUE(slots[2] == u"\u00E9\u20AC\U0001F600");
}

TEST(StringTable, LanguagesKeepSeparateBlocksAndTablesMerge) {
    kvtest::TempDir dir;
    kvrc::Script s = rctest::compile(dir,
                                     "STRINGTABLE BEGIN 1 \"one\" END\n"
                                     "STRINGTABLE BEGIN 2 \"two\" END\n"
                                     "STRINGTABLE LANGUAGE LANG_GERMAN, SUBLANG_GERMAN\n"
                                     "BEGIN 1 \"eins\" END\n"
                                     "LANGUAGE LANG_NEUTRAL, SUBLANG_NEUTRAL\n"
                                     "STRINGTABLE { 3, \"drei\" }\n");
    std::map<std::uint16_t, std::vector<std::u16string>> byLanguage;
    for (const kvrc::Resource& r : s.resources) {
        ASSERT_EQ(r.type.ordinal, kvrc::ResourceType::String);
        ASSERT_EQ(r.name.ordinal, 1);
        byLanguage[r.language] = slotsOf(r.data);
    }
    ASSERT_EQ(byLanguage.size(), 3u);
    EXPECT_TRUE(byLanguage[0x0409][1] == u"one");
    EXPECT_TRUE(byLanguage[0x0409][2] == u"two");
    EXPECT_TRUE(byLanguage[0x0407][1] == u"eins");
    EXPECT_TRUE(byLanguage[0x0407][2].empty());
    EXPECT_TRUE(byLanguage[0x0000][3] == u"drei");
}

TEST(StringTable, SameIdInOneLanguageIsRefused) {
    kvtest::TempDir dir;
    EXPECT_EQ(rctest::errorOf(
                  dir, "STRINGTABLE BEGIN\n 5 \"a\"\nEND\nSTRINGTABLE BEGIN\n 5 \"b\"\nEND\n"),
              "<dir>/test.rc(5): error: duplicate string id 5 (first defined at <dir>/test.rc(2))");
}

}  // namespace
