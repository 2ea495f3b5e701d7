// Parameter substitution, the string class and the status cursor of the message library.
#include <gtest/gtest.h>

#include "sb/SBLibraryMessages.h"
#include "sb/SBStatus.h"

namespace {

struct SubstitutionCase {
    const char* text;
    SBParameterList params;
    const char* expected;
};

TEST(SBMessageTest, SubstitutesParametersByRank) {
    const SubstitutionCase cases[] = {
        {"The directory name \"%1\" is not valid.",
         {std::string("C:\\x")},
         "The directory name \"C:\\x\" is not valid."},
        {"error %1.", {42}, "error 42."},
        {"error %1.", {-7}, "error -7."},
        {"error %1.", {}, "error %1."},                     // missing parameter stays
        {"%2 then %1", {std::string("a"), 5}, "5 then a"},  // rank, not order of appearance
        {"%1%1", {std::string("ab")}, "abab"},
        {"100% sure", {1}, "100% sure"},  // "%" before a blank is text
        {"%0 and %a", {1}, "%0 and %a"},  // only %1 .. %9 are placeholders
        {"ends with %", {1}, "ends with %"},
        {"%3", {1, 2}, "%3"},
        {"x%1y", {std::string("")}, "xy"},
        {"no placeholder", {std::string("unused")}, "no placeholder"},
    };
    for (const SubstitutionCase& c : cases) {
        const SBMessage m("ZAZARIZ", 1, 4, c.text, c.params);
        EXPECT_STREQ(m.getSubstitutedDesc(true).getChar(), c.expected) << "text: " << c.text;
        EXPECT_STREQ(m.getSubstitutedDesc(false).getChar(), c.text) << "text: " << c.text;
    }
}

TEST(SBMessageTest, ParamListKeepsOrderAndKinds) {
    SBParamList list;
    list.addParameterToList();
    EXPECT_TRUE(list.getParameterList().empty());
    list.addParameterToList(99);
    list.addParameterToList("dir");
    list.addParameterToList(static_cast<const char*>(nullptr));
    const SBParameterList& p = list.getParameterList();
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(std::get<int>(p[0]), 99);
    EXPECT_EQ(std::get<std::string>(p[1]), "dir");
    EXPECT_EQ(std::get<std::string>(p[2]), "");
}

TEST(SBMessageTest, StringAppendsAndToleratesNull) {
    SBString s(static_cast<const char*>(nullptr));
    EXPECT_STREQ(s.getChar(), "");
    s.append("a").append(static_cast<const char*>(nullptr)).append(SBString("b"));
    s.append(std::string_view("\n\n"));
    EXPECT_STREQ(s.getChar(), "ab\n\n");
    EXPECT_EQ(s.length(), 4u);
}

TEST(SBStatusTest, CursorWalksMessagesInOrderAndFlushEmpties) {
    SBStatus status(false);
    EXPECT_TRUE(status.isOK());
    status.initPosition();
    EXPECT_EQ(status.getNext(), nullptr);

    status.addMessage(SBMessage("M", 1, 4, "first"));
    status.addMessage(SBMessage("M", 2, 7, "second"));
    EXPECT_TRUE(status.isOK()) << "warnings and questions are not failures";
    status.initPosition();
    const SBMessage* a = status.getNext();
    const SBMessage* b = status.getNext();
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->getNumber(), 1);
    EXPECT_EQ(b->getNumber(), 2);
    EXPECT_EQ(status.getNext(), nullptr);
    status.initPosition();
    EXPECT_EQ(status.getNext()->getNumber(), 1) << "initPosition rewinds";

    status.addMessage(sb::libraryMessage(sb::LibraryMessage::CatalogNotFound, {std::string("x")}));
    EXPECT_FALSE(status.isOK());
    status.flushMessages(true);
    EXPECT_TRUE(status.isOK());
    EXPECT_EQ(status.count(), 0u);
    status.initPosition();
    EXPECT_EQ(status.getNext(), nullptr);
}

TEST(SBStatusTest, AddMessageOfUnknownModuleAddsNothing) {
    SBStatus status(false);
    EXPECT_FALSE(status.addMessage("NO_SUCH_MODULE_ANYWHERE", 5025, nullptr, {}));
    EXPECT_FALSE(status.addMessage(nullptr, 5025, nullptr, {}));
    EXPECT_EQ(status.count(), 0u);
}

TEST(SBStatusTest, LibraryMessagesAreErrorsWithTheirOwnTexts) {
    const SBMessage m = sb::libraryMessage(sb::LibraryMessage::CatalogNotFound,
                                           {std::string("a.xml"), std::string("C:\\c")});
    EXPECT_EQ(m.getType(), 1);
    EXPECT_EQ(m.getModuleName(), sb::kLibraryModule);
    EXPECT_STREQ(m.getSubstitutedDesc().getChar(),
                 "The message catalog \"a.xml\" was not found (searched: C:\\c).");
}

}  // namespace
