// The "state_map" reader: which lines give simulation-time and real-time points, line ends of
// every kind, overlong lines, NUL bytes, and text handed over in pieces split anywhere.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "pages/analysis/StateMap.h"

namespace {

// Points as (name, time) pairs, to compare whole lists.
using Points = std::vector<std::pair<std::string, std::string>>;

Points simulationPoints(const StateMap& map) {
    Points out;
    for (int i = 0; i < map.simulationCount(); ++i) {
        out.emplace_back(map.simulationPoint(i).name, map.simulationPoint(i).time);
    }
    return out;
}

Points realTimePoints(const StateMap& map) {
    Points out;
    for (int i = 0; i < map.realTimeCount(); ++i) {
        out.emplace_back(map.realTimePoint(i).name, map.realTimePoint(i).time);
    }
    return out;
}

struct Case {
    const char* what;
    std::string text;
    Points simulation;
    Points real;
};

std::string withNul(std::string before, std::string after) {
    before.push_back('\0');
    return before + after;
}

const std::vector<Case>& cases() {
    static const std::vector<Case> all = {
        {"one point of each kind",
         "SINT p1 1.0e-3\nTP p2 2.5e-3\nRINT p3 x 10.2\n",
         {{"p1", "1.0e-3"}, {"p2", "2.5e-3"}},
         {{"p3", "10.2"}}},
        {"types ignore case",
         "sint a 1\nTp b 2\nrInT c x 3\n",
         {{"a", "1"}, {"b", "2"}},
         {{"c", "3"}}},
        {"other types are skipped", "FOO a 1\nSINTX a 1\nSIN a 1\nRIN a x 1\nT a 1\n", {}, {}},
        {"file order within each kind",
         "RINT r1 x 1\nSINT s1 2\nRINT r2 x 3\nTP s2 4\n",
         {{"s1", "2"}, {"s2", "4"}},
         {{"r1", "1"}, {"r2", "3"}}},
        {"lines lacking a needed field", "SINT p1\nTP\nRINT p3 x\nRINT p4 5\nSINT\n", {}, {}},
        {"empty and blank lines", "\n\n    \nSINT a 1\n\n", {{"a", "1"}}, {}},
        {"runs of blanks and extra fields",
         "   SINT    a     1   more  fields\n",
         {{"a", "1"}},
         {}},
        {"a field is cut at a tab", "SINT a\t1 2\nRINT b x 3\tz\n", {{"a", "2"}}, {{"b", "3"}}},
        {"a field that starts with a tab is empty", "SINT \tb 1\n", {}, {}},
        {"CR LF line ends", "SINT a 1\r\nRINT b x 2\r\n", {{"a", "1"}}, {{"b", "2"}}},
        {"CR line ends", "SINT a 1\rTP b 2\rRINT c x 3", {{"a", "1"}, {"b", "2"}}, {{"c", "3"}}},
        {"LF CR is two line ends", "SINT a 1\n\rSINT b 2\n\r", {{"a", "1"}, {"b", "2"}}, {}},
        {"no line end after the last line", "SINT a 1\nTP b 2", {{"a", "1"}, {"b", "2"}}, {}},
        {"empty text", "", {}, {}},
        {"a NUL ends the line's text", withNul("SINT a", " 1\nSINT b 2\n"), {{"b", "2"}}, {}},
        {"a NUL after the fields", withNul("SINT a 1", "garbage\n"), {{"a", "1"}}, {}},
        {"other control characters are field text", "SINT a\x01b \x02\n", {{"a\x01b", "\x02"}}, {}},
        {"vertical tabs and form feeds cut a field too",
         "SINT a\vz 1\fy\nRINT b x\v 2\n",
         {{"a", "1"}},
         {{"b", "2"}}},
        {"CR CR LF is two line ends", "SINT a 1\r\r\nTP b 2\r\r", {{"a", "1"}, {"b", "2"}}, {}},
        {"binary bytes", std::string("\xff\xfe\x01SINT\x80 a 1\n\x7fTP b 2\n"), {}, {}},
    };
    return all;
}

void expectMap(const StateMap& map, const Case& c) {
    EXPECT_EQ(simulationPoints(map), c.simulation) << c.what;
    EXPECT_EQ(realTimePoints(map), c.real) << c.what;
}

TEST(StateMap, ReadsTheLinesOfEachCase) {
    for (const Case& c : cases()) {
        expectMap(ParseStateMap(c.text), c);
    }
}

TEST(StateMap, PiecesSplitAnywhereReadAsTheWhole) {
    for (const Case& c : cases()) {
        for (std::size_t cut = 0; cut <= c.text.size(); ++cut) {
            StateMapParser parser;
            parser.feed(std::string_view(c.text).substr(0, cut));
            parser.feed(std::string_view(c.text).substr(cut));
            SCOPED_TRACE("cut at " + std::to_string(cut));
            expectMap(parser.finish(), c);
        }
        StateMapParser bytewise;
        for (char ch : c.text) {
            bytewise.feed(std::string_view(&ch, 1));
        }
        SCOPED_TRACE("one byte at a time");
        expectMap(bytewise.finish(), c);
    }
}

TEST(StateMap, ALineKeepsItsFirst1023Characters) {
    const std::string head = "SINT a ";
    const std::string fullTime(kStateMapLineLimit - head.size(), '7');
    StateMap exact = ParseStateMap(head + fullTime + "\nTP b 2\n");
    ASSERT_EQ(exact.simulationCount(), 2);
    EXPECT_EQ(exact.simulationPoint(0).time, fullTime);
    EXPECT_EQ(exact.simulationPoint(1), (StatePoint{"b", "2"}));

    // The time runs past the limit: what fits is kept, the rest of the line is not a line.
    const std::string longTime(kStateMapLineLimit, '8');
    StateMap cut = ParseStateMap(head + longTime + " SINT c 3\nTP d 4\n");
    ASSERT_EQ(cut.simulationCount(), 2);
    EXPECT_EQ(cut.simulationPoint(0).time, longTime.substr(0, kStateMapLineLimit - head.size()));
    EXPECT_EQ(cut.simulationPoint(1), (StatePoint{"d", "4"}));

    // A record past the limit of its line is never read.
    StateMap beyond = ParseStateMap(std::string(1500, ' ') + "SINT e 5\n");
    EXPECT_EQ(beyond.simulationCount(), 0);
}

TEST(StateMap, ParserCanBeUsedAgainAfterFinish) {
    StateMapParser parser;
    parser.feed("SINT a 1\nSINT b");
    EXPECT_EQ(parser.finish().simulationCount(), 1);  // "SINT b" lacks its time
    parser.feed("RINT c x 3");
    const StateMap second = parser.finish();
    EXPECT_EQ(second.simulationCount(), 0);
    EXPECT_EQ(realTimePoints(second), (Points{{"c", "3"}}));
}

TEST(StateMap, ReadsAFileInBlocks) {
    // Lines straddle the reader's blocks; a CR LF pair falls across one of them somewhere.
    std::string text;
    Points expected;
    for (int i = 0; i < 20000; ++i) {
        const std::string name = "p" + std::to_string(i);
        const std::string time = std::to_string(i) + "e-6";
        text += (i % 2 != 0 ? "SINT " : "tp ") + name + "  " + time + (i % 3 == 0 ? "\r\n" : "\r");
        expected.push_back({name, time});
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::tmpfile(), &std::fclose);
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(std::fwrite(text.data(), 1, text.size(), file.get()), text.size());
    std::rewind(file.get());
    const StateMap map = ParseStateMap(file.get());
    EXPECT_EQ(simulationPoints(map), expected);
    EXPECT_EQ(map.realTimeCount(), 0);
}

}  // namespace
