// The function catalogue: the fixed table and the texts made from names, the function file
// reader as a table over good and broken files (the seed corpus of fuzz_prb holds the same
// files), and Load with the configured file read first.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "TempDir.h"
#include "kvwin32/drives.h"
#include "kvwin32/environment.h"
#include "kvwin32/winbase.h"
#include "pages/measurements/ProbeFunctions.h"

namespace {

// An entry written as name|arg,arg|text ("-" for no arguments).
std::string describe(const ProbeFunctionEntry& e) {
    std::string args;
    for (const std::string& a : e.arguments) {
        args += (args.empty() ? "" : ",") + ("<" + a + ">");
    }
    return e.name + "|" + (e.arguments.empty() ? "-" : args) + "|" + e.text;
}

std::vector<std::string> describe(const std::vector<ProbeFunctionEntry>& entries) {
    std::vector<std::string> out;
    for (const ProbeFunctionEntry& e : entries) {
        out.push_back(describe(e));
    }
    return out;
}

struct Parsed {
    int result = -1;
    std::vector<std::string> macros;
    std::vector<std::string> goals;
};

Parsed parse(const std::string& bytes) {
    Parsed p;
    std::vector<ProbeFunctionEntry> macros;
    std::vector<ProbeFunctionEntry> goals;
    std::string copy = bytes.empty() ? std::string(1, '\0') : bytes;
    std::FILE* file = fmemopen(copy.data(), bytes.size(), "r");
    if (bytes.empty()) {
        file = std::tmpfile();  // fmemopen of no bytes is refused on some C libraries
    }
    p.result = ReadProbeFunctions(file, macros, goals);
    std::fclose(file);
    p.macros = describe(macros);
    p.goals = describe(goals);
    return p;
}

struct FileCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> macros;
    std::vector<std::string> goals;
};

const std::string kLong(1022, 'x');

// The bytes of a literal, zero bytes included.
template <std::size_t N>
std::string bytes(const char (&text)[N]) {
    return std::string(text, N - 1);
}

const FileCase kFiles[] = {
    {"empty file", "", {}, {}},
    {"both sections",
     "[MACROS]\nMix(a,b,c) = a+b+c\n[GOAL FUNCTIONS]\nRisetime(1) = x2-x1\n",
     {"Mix|<a>,<b>,<c>|Mix(a,b,c) = a+b+c"},
     {"Risetime|<1>|Risetime(1) = x2-x1"}},
    {"macros only", "[MACROS]\nTwice(x) = 2*x\n", {"Twice|<x>|Twice(x) = 2*x"}, {}},
    {"goal functions first in the file",
     "[GOAL FUNCTIONS]\nRise(1) = x1\n[MACROS]\nHalf(x) = x/2\n",
     {"Half|<x>|Half(x) = x/2"},
     {"Rise|<1>|Rise(1) = x1"}},
    {"comments, blank lines and blocks make no entries",
     "[MACROS]\n* a comment\n\n   \n\t* indented comment\n{\nNot(an) = entry\n*\n}\n"
     "Sum2(a, b) = a+b\n{ block after a header\n  x = 1\n  }\n",
     {"Sum2|<a>,<b>|Sum2(a, b) = a+b"},
     {}},
    {"header text from its first non-blank",
     "[MACROS]\n  \tPeak = max(x)\n",
     {"Peak|<= max(x>|Peak = max(x)"},
     {}},
    {"name ended by a blank without a parenthesis after it",
     "[MACROS]\nGain db\nEq=1\nBare\n",
     {"Gain|-|Gain db", "Eq|-|Eq=1", "|-|Bare"},
     {}},
    {"argument list without a closing parenthesis",
     "[MACROS]\nOpen(a, b\nEmpty()\n",
     {"Open|<a>|Open(a, b", "Empty|<>|Empty()"},
     {}},
    {"a line beginning with [ ends the section",
     "[MACROS]\nOne(x) = x\n[OTHER]\nTwo(x) = x\n",
     {"One|<x>|One(x) = x"},
     {}},
    {"a [ inside a block still ends the section",
     "[MACROS]\n{\n[GOAL FUNCTIONS]\nG(1) = 1\n}\n",
     {},
     {"G|<1>|G(1) = 1", "|-|}"}},
    {"a header that ends the file without a line feed is not read",
     "[MACROS]\nOne(x) = x\nTwo(y) = y",
     {"One|<x>|One(x) = x"},
     {}},
    {"a marker without a line feed finds nothing", "[MACROS]", {}, {}},
    {"markers compare with case and over their length",
     "[macros]\nA(x)\n[MACROS] trailing\nB(x)\n",
     {"B|<x>|B(x)"},
     {}},
    {"a repeated section: the first one counts",
     "[MACROS]\nA(x)\n[MACROS]\nB(x)\n",
     {"A|<x>|A(x)"},
     {}},
    {"windows line ends",
     "[MACROS]\r\nA(x) = x\r\n\r\nB(y)\r\n",
     {"A|<x>|A(x) = x", "B|<y>|B(y)"},
     {}},
    {"a long line is read in pieces of 1022 characters",
     "[MACROS]\nL(" + kLong + "\n",
     {"L|-|L(" + kLong.substr(0, 1020), "|-|xx"},
     {}},
    {"a line of exactly 1022 characters then its line feed",
     "[MACROS]\n" + kLong + "\nA(x)\n",
     {"|-|" + kLong, "A|<x>|A(x)"},
     {}},
    {"a zero byte ends a line", bytes("[MACROS]\nA(x)\0junk\nB\n"), {"A|<x>|A(x)", "|-|B"}, {}},
    {"binary", bytes("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\n[MACROS\xff\n"), {}, {}},
    {"no sections at all", "Plain(x) = x\n* comment\n", {}, {}},
};

TEST(ProbeFileReader, TakesWhatItCanFromEachFile) {
    for (const FileCase& c : kFiles) {
        SCOPED_TRACE(c.name);
        const Parsed p = parse(c.bytes);
        EXPECT_EQ(p.result, 0);
        EXPECT_EQ(p.macros, c.macros);
        EXPECT_EQ(p.goals, c.goals);
    }
}

// A stream that cannot be read is a failure; what came before it stays.
TEST(ProbeFileReader, AReadFailureEndsWithOne) {
    std::vector<ProbeFunctionEntry> macros;
    std::vector<ProbeFunctionEntry> goals;
    std::FILE* writeOnly = std::fopen("/dev/null", "w");
    EXPECT_EQ(ReadProbeFunctions(writeOnly, macros, goals), 1);
    std::fclose(writeOnly);
    EXPECT_TRUE(macros.empty());
}

struct HeaderCase {
    const char* header;
    std::string expected;  // name|args|text
};

TEST(ProbeFileReader, HeaderLines) {
    const HeaderCase cases[] = {
        {"Risetime(1) = x2-x1", "Risetime|<1>|Risetime(1) = x2-x1"},
        {"Sum2(a, b) = a+b", "Sum2|<a>,<b>|Sum2(a, b) = a+b"},
        {"Peak = max(x)", "Peak|<= max(x>|Peak = max(x)"},
        {"Mix(\ta ,  b,c)", "Mix|<a >,<b>,<c>|Mix(\ta ,  b,c)"},
        {"Eq= f(x)", "Eq|-|Eq= f(x)"},
        {"Tab\tname(x)", "Tab\tname|<x>|Tab\tname(x)"},
        {"Blank   ", "Blank|-|Blank   "},
        {"NoArgs(", "NoArgs|-|NoArgs("},
        {"Two(a)(b)", "Two|<a>|Two(a)(b)"},
    };
    for (const HeaderCase& c : cases) {
        EXPECT_EQ(describe(ParseProbeHeader(c.header)), c.expected) << c.header;
    }
}

TEST(ProbeCatalogue, TheFixedTableInItsOrder) {
    std::string names;
    for (const AnalogFunction& f : BuiltinAnalogFunctions()) {
        names += f.name + std::to_string(f.argumentCount) + " ";
    }
    EXPECT_EQ(names,
              "ABS1 SGN1 M1 P1 R1 IMG1 DB1 G1 EXP1 LOG1 LOG101 PWR2 SQRT1 SIN1 COS1 TAN1 ATAN1 "
              "ARCTAN1 D1 S1 AVG1 RMS1 MAX1 MIN1 AVGX2 ENVMAX2 ENVMIN2 ");
    std::string operators;
    for (const AnalogFunction& f : AnalogOperators()) {
        EXPECT_EQ(f.argumentCount, 0);
        operators += f.name + " ";
    }
    EXPECT_EQ(operators, "+ - * / () @ ");
}

TEST(ProbeCatalogue, InsertionAndDisplayTexts) {
    struct Case {
        const char* name;
        std::size_t arguments;
        bool builtin;
        const char* expected;
    };
    const Case cases[] = {
        {"ABS", 1, true, "ABS( )"},
        {"PWR", 2, true, "PWR( , )"},
        {"ENVMAX", 2, true, "ENVMAX( , )"},
        {"Rise", 1, false, "Rise()"},
        {"Mix", 3, false, "Mix(,,)"},
        {"Peak", 0, false, "Peak"},
        {"", 2, false, ""},
        {"+", 0, true, "+"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(InsertionText(c.name, c.arguments, c.builtin), c.expected) << c.name;
    }
    EXPECT_EQ(GoalDisplayText("Risetime(1) = x2-x1"), "Risetime(1) ");
    EXPECT_EQ(GoalDisplayText("NoEquals(1)"), "NoEquals(1)");
    EXPECT_EQ(GoalDisplayText("=x"), "");
}

// Load reads the configured file first and the design's file after it.
class ProbeLoadTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_savedDrives = kvwin32::driveTable();
        kvwin32::setDriveTable("C:=/;D:=" + m_dir.host());
        m_dir.mkdir("home");
        SetEnvironmentVariableA("HOME", "D:\\home");
        SetEnvironmentVariableA("VENTRAINIPATH", "D:\\Ventra.ini");
        m_dir.write("shared.prb", "[MACROS]\nShared(x) = x\n[GOAL FUNCTIONS]\nG1(1) = x1\n");
        m_dir.write("design.prb", "[GOAL FUNCTIONS]\nG2(1) = x2\n[MACROS]\nOwn(a,b) = a\n");
    }
    void TearDown() override {
        SetEnvironmentVariableA("VENTRAINIPATH", nullptr);
        SetEnvironmentVariableA("HOME", nullptr);
        kvwin32::setDriveTable(m_savedDrives);
    }
    void configure(const std::string& value) {
        m_dir.write("Ventra.ini", "[PROBE]\nPRBFILE=" + value + "\n");
    }
    static std::vector<std::string> names(const std::vector<ProbeFunctionEntry>* entries) {
        std::vector<std::string> out;
        for (const ProbeFunctionEntry& e : *entries) {
            out.push_back(e.name);
        }
        return out;
    }
    kvtest::TempDir m_dir;
    std::string m_savedDrives;
};

TEST_F(ProbeLoadTest, TheConfiguredFileComesFirst) {
    configure("D:\\shared.prb");
    ProbeFunctions functions;
    EXPECT_EQ(functions.Load("D:\\design.prb"), 0);
    EXPECT_EQ(names(functions.GetMacros()), (std::vector<std::string>{"Shared", "Own"}));
    EXPECT_EQ(names(functions.GetGoalFunctions()), (std::vector<std::string>{"G1", "G2"}));
    // The configured file is read once per object.
    EXPECT_EQ(functions.Load("D:\\design.prb"), 0);
    EXPECT_EQ(names(functions.GetMacros()), (std::vector<std::string>{"Shared", "Own", "Own"}));
}

// A configured name that opens nothing, or none at all: the design's file is not read either.
void expectNothingRead() {
    ProbeFunctions functions;
    EXPECT_EQ(functions.Load("D:\\design.prb"), 1);
    EXPECT_TRUE(functions.GetMacros()->empty());
    EXPECT_TRUE(functions.GetGoalFunctions()->empty());
}

TEST_F(ProbeLoadTest, WithoutAConfiguredFileNothingIsRead) {
    configure("");
    expectNothingRead();
}

TEST_F(ProbeLoadTest, WithAMissingConfiguredFileNothingIsRead) {
    configure("D:\\missing.prb");
    expectNothingRead();
}

TEST_F(ProbeLoadTest, AMissingDesignFileKeepsTheConfiguredEntries) {
    configure("D:\\shared.prb");
    ProbeFunctions functions;
    EXPECT_EQ(functions.Load("D:\\nothing.prb"), 1);
    EXPECT_EQ(names(functions.GetMacros()), (std::vector<std::string>{"Shared"}));
    ProbeFunctions nullPath;
    EXPECT_EQ(nullPath.Load(nullptr), 0);  // the configured file's result
    EXPECT_EQ(nullPath.Load(nullptr), 1);
    EXPECT_EQ(names(nullPath.GetGoalFunctions()), (std::vector<std::string>{"G1"}));
}

}  // namespace
