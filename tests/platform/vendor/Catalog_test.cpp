// The catalog reader: what a well-formed catalog gives, and what makes a catalog malformed.
#include <gtest/gtest.h>

#include "sb/SBCatalog.h"

namespace {

TEST(CatalogTest, ReadsMessagesInFileOrderWithExactText) {
    const sb::CatalogReadResult r = sb::readCatalog(
        "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!-- a comment -->\n"
        "<catalog module=\"ZAZARIZ\">\n"
        "  <message number=\"5091\" type=\"1\">: Parameter name - </message>\n"
        "  <!-- between messages -->\n"
        "  <message number=\"5025\" type=\"4\">Please &quot;select&quot; &amp; go.</message>\n"
        "  <message number=\"7\" type=\"0\"></message>\n"
        "  <message number=\"8\" type=\"5\">   </message>\n"
        "  <message number=\"9\" type=\"7\"><![CDATA[a <b>]]> c</message>\n"
        "</catalog>\n");
    ASSERT_TRUE(r.catalog) << r.error;
    EXPECT_EQ(r.catalog->module, "ZAZARIZ");
    const std::vector<sb::CatalogMessage> expected{
        {5091, 1, ": Parameter name - "},
        {5025, 4, "Please \"select\" & go."},
        {7, 0, ""},
        {8, 5, "   "},
        {9, 7, "a <b> c"},
    };
    EXPECT_EQ(r.catalog->messages, expected);
}

TEST(CatalogTest, EmptyCatalogIsValid) {
    const sb::CatalogReadResult r = sb::readCatalog("<catalog module=\"KVCOMMN\">\n</catalog>");
    ASSERT_TRUE(r.catalog) << r.error;
    EXPECT_TRUE(r.catalog->messages.empty());
}

TEST(CatalogTest, TextBecomesWindows1252) {
    const sb::CatalogReadResult r = sb::readCatalog(
        "<catalog module=\"M\"><message number=\"1\" type=\"1\">"
        "caf\xC3\xA9 \xE2\x82\xAC 5 \xE2\x80\x9Cq\xE2\x80\x9D \xE4\xB8\xAD \xF0\x9F\x98\x80"
        "</message></catalog>");
    ASSERT_TRUE(r.catalog) << r.error;
    ASSERT_EQ(r.catalog->messages.size(), 1u);
    EXPECT_EQ(r.catalog->messages[0].text, "caf\xE9 \x80 5 \x93q\x94 ? ?");
}

struct MalformedCase {
    const char* what;
    std::string bytes;
    const char* reasonPart;  // a piece of the reported reason
};

TEST(CatalogTest, RejectsMalformedCatalogsWithAReason) {
    const std::string ok = "<message number=\"1\" type=\"1\">x</message>";
    const MalformedCase cases[] = {
        {"empty file", "", ""},
        {"not XML", "hello", ""},
        {"unclosed", "<catalog module=\"M\">" + ok, ""},
        {"wrong root", "<messages module=\"M\"/>", "not <catalog>"},
        {"two roots", "<catalog module=\"M\"/><catalog module=\"M\"/>", "more than one root"},
        {"no module", "<catalog>" + ok + "</catalog>", "names no module"},
        {"empty module", "<catalog module=\"\"/>", "names no module"},
        {"unknown catalog attribute", "<catalog module=\"M\" lang=\"en\"/>", "lang"},
        {"stray element", "<catalog module=\"M\"><msg number=\"1\" type=\"1\"/></catalog>",
         "<msg>"},
        {"stray text", "<catalog module=\"M\">hello" + ok + "</catalog>", "text outside"},
        {"no number", "<catalog module=\"M\"><message type=\"1\">x</message></catalog>",
         "without a number"},
        {"no type", "<catalog module=\"M\"><message number=\"1\">x</message></catalog>",
         "without a type"},
        {"negative number",
         "<catalog module=\"M\"><message number=\"-1\" type=\"1\">x</message></catalog>",
         "bad number"},
        {"number with sign",
         "<catalog module=\"M\"><message number=\"+1\" type=\"1\">x</message></catalog>",
         "bad number"},
        {"number too large",
         "<catalog module=\"M\"><message number=\"2147483648\" type=\"1\">x</message></catalog>",
         "bad number"},
        {"number with blank",
         "<catalog module=\"M\"><message number=\" 1\" type=\"1\">x</message></catalog>",
         "bad number"},
        {"hex number",
         "<catalog module=\"M\"><message number=\"0x10\" type=\"1\">x</message></catalog>",
         "bad number"},
        {"type too large",
         "<catalog module=\"M\"><message number=\"1\" type=\"256\">x</message></catalog>",
         "bad type"},
        {"unknown message attribute",
         "<catalog module=\"M\"><message number=\"1\" type=\"1\" id=\"2\">x</message></catalog>",
         "\"id\""},
        {"duplicate number", "<catalog module=\"M\">" + ok + "\n" + ok + "</catalog>",
         "line 2: message 1 is defined twice"},
        {"element in text",
         "<catalog module=\"M\"><message number=\"1\" type=\"1\">a<b/>c</message></catalog>",
         "<b> inside"},
        {"invalid UTF-8",
         "<catalog module=\"M\"><message number=\"1\" type=\"1\">\xC3(</message></catalog>",
         "not UTF-8"},
        {"overlong UTF-8",
         "<catalog module=\"M\"><message number=\"1\" type=\"1\">\xC0\xAF</message></catalog>",
         "not UTF-8"},
        {"NUL byte", std::string("<catalog module=\"M\">") + '\0' + "</catalog>", "NUL"},
        {"too large",
         "<catalog module=\"M\">" + std::string(sb::kMaxCatalogBytes, ' ') + "</catalog>",
         "too large"},
    };
    for (const MalformedCase& c : cases) {
        const sb::CatalogReadResult r = sb::readCatalog(c.bytes);
        EXPECT_FALSE(r.catalog) << c.what;
        EXPECT_FALSE(r.error.empty()) << c.what;
        EXPECT_NE(r.error.find(c.reasonPart), std::string::npos)
            << c.what << ": reason was \"" << r.error << "\"";
    }
}

struct ConversionCase {
    const char* utf8;
    std::optional<std::string> expected;
};

TEST(Windows1252Test, MapsTheCodePageAndReplacesTheRest) {
    const ConversionCase cases[] = {
        {"plain ASCII", "plain ASCII"},
        {"\xC2\xA0\xC3\xBF", "\xA0\xFF"},                  // Latin-1 range maps to itself
        {"\xE2\x82\xAC\xC5\xA0\xC5\xB8", "\x80\x8A\x9F"},  // euro, S caron, Y diaeresis
        {"\xE2\x84\xA2\xE2\x80\x94", "\x99\x97"},          // trade mark, em dash
        {"\xC2\x81", "?"},                                 // C1 control: not in the code page
        {"\xCE\xA9", "?"},                                 // Greek omega
        {"\xF0\x9F\x98\x80", "?"},                         // beyond the BMP
        {"\xE2\x82", std::nullopt},                        // truncated sequence
        {"\xED\xA0\x80", std::nullopt},                    // surrogate
        {"\xF4\x90\x80\x80", std::nullopt},                // beyond U+10FFFF
        {"\xE0\x80\xAF", std::nullopt},                    // overlong
        {"\x80", std::nullopt},                            // continuation without a lead
        {"\xFF", std::nullopt},
    };
    for (const ConversionCase& c : cases)
        EXPECT_EQ(sb::utf8ToWindows1252(c.utf8), c.expected) << "input: " << c.utf8;
}

}  // namespace
