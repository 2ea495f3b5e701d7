// The catalogue of functions a measurement expression may use: the fixed table of analog
// operators and functions, and the macros and goal functions the waveform viewer keeps in its
// function files (".prb"), read from the sections "[MACROS]" and "[GOAL FUNCTIONS]".
#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// One operator or built-in function: its name and how many arguments it takes.
struct AnalogFunction {
    std::string name;
    std::int32_t argumentCount = 0;
};

// One entry of a function file section: the name and arguments of its header line, and that
// line from its first non-blank character.
struct ProbeFunctionEntry {
    std::string name;
    std::vector<std::string> arguments;
    std::string text;
};

// The operators, each without arguments: + - * / () @.
std::span<const AnalogFunction> AnalogOperators();
// The built-in functions in the order users know them (ABS ... ENVMIN), built once when the
// library is loaded.
std::span<const AnalogFunction> BuiltinAnalogFunctions();

// The text a name is inserted as: with at least one argument, the name followed by the empty
// argument places, "( , )" for a built-in function ("ABS( )", "PWR( , )") and "(,)" for a
// macro or goal function ("Rise()", "Mix(,,)"); otherwise the name as it stands.
std::string InsertionText(std::string_view name, std::size_t argumentCount, bool builtin);
// What the list shows for a goal function: its text cut at its first "=" (blanks before the
// "=" stay).
std::string GoalDisplayText(std::string_view text);

// The longest line piece the reader examines at once: a longer line is read as several lines.
inline constexpr std::size_t kProbeLinePiece = 1022;

// Reads one section (marker such as "[MACROS]") of a function file open for reading, searching
// from the start of the file, and appends its entries. Takes what it can from any bytes: 0 when
// the section was read or is absent, 1 when the file could not be rewound or read (the entries
// read before the failure stay appended).
int ReadProbeSection(std::FILE* file, std::string_view marker,
                     std::vector<ProbeFunctionEntry>& entries);
// Reads the macros, then the goal functions, of a function file open for reading; the first
// failure ends the reading with its code (1), otherwise 0.
int ReadProbeFunctions(std::FILE* file, std::vector<ProbeFunctionEntry>& macros,
                       std::vector<ProbeFunctionEntry>& goalFunctions);
// The entry one header line gives (the line from its first non-blank character).
ProbeFunctionEntry ParseProbeHeader(std::string_view header);

// Loads function files and hands out what they hold.
class IProbeFunctions {
  public:
    virtual ~IProbeFunctions() = default;
    // Appends the entries of the function file at `path`; the first call reads the configured
    // function file first. 0 done, 1 failed.
    virtual int Load(const char* path) = 0;
    // The macros read so far (owned by the object).
    virtual std::vector<ProbeFunctionEntry>* GetMacros() = 0;
    // The goal functions read so far (owned by the object).
    virtual std::vector<ProbeFunctionEntry>* GetGoalFunctions() = 0;
};

class ProbeFunctions : public IProbeFunctions {
  public:
    // The first call reads the file that "PRBFILE" of section "PROBE" of the simulator's
    // configuration file names; when that fails (no such value or file), or `path` is null,
    // the call ends with that result. A null path, a file that cannot be opened or read
    // gives 1.
    int Load(const char* path) override;
    std::vector<ProbeFunctionEntry>* GetMacros() override { return &m_macros; }
    std::vector<ProbeFunctionEntry>* GetGoalFunctions() override { return &m_goalFunctions; }

  private:
    std::vector<ProbeFunctionEntry> m_goalFunctions;
    std::vector<ProbeFunctionEntry> m_macros;
    bool m_configuredRead = false;  // the configured file was tried
};
