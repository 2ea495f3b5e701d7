// Where the script runner's commands come from: a script's lines, read in advance, or a person
// typing at a prompt.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Script.h"

namespace kvhost {

class CommandSource {
  public:
    virtual ~CommandSource() = default;
    // The next line (a command or an error); nullopt when the input has ended. Blank and
    // comment lines are skipped.
    virtual std::optional<ScriptLine> next() = 0;
};

// The lines of a script, in order.
class ScriptSource final : public CommandSource {
  public:
    explicit ScriptSource(std::string_view text);
    std::optional<ScriptLine> next() override;

  private:
    std::vector<ScriptLine> m_lines;
    std::size_t m_next = 0;
};

// Lines typed at a prompt. The prompt goes to `out` before each line is read.
class ConsoleSource final : public CommandSource {
  public:
    ConsoleSource(std::istream& in, std::ostream& out);
    std::optional<ScriptLine> next() override;

  private:
    std::istream& m_in;
    std::ostream& m_out;
    int m_lineNumber = 0;
};

// Lines a person types at a terminal, with line editing, a history kept between sessions
// (~/.kvhost_history) and completion of command names and control references (the texts of
// the controls the active dialog shows), through libedit.
class LineEditorSource final : public CommandSource {
  public:
    LineEditorSource();
    ~LineEditorSource() override;
    LineEditorSource(const LineEditorSource&) = delete;
    LineEditorSource& operator=(const LineEditorSource&) = delete;
    std::optional<ScriptLine> next() override;

  private:
    std::string m_historyFile;
    int m_lineNumber = 0;
};

// What completes a word of a console line: the command names when it is the first word, else
// the references (quoted when they hold a blank) that begin with it, and for a command's own
// arguments what the command takes (help: command names).
std::vector<std::string> completionsFor(std::string_view lineBefore, std::string_view word,
                                        const std::vector<std::string>& references);

// The references a person may type for the controls of the active dialog: the topmost modal
// dialog, else the sheet (its active page and its own buttons and tabs); each control's own
// text without "&" prefixes.
std::vector<std::string> activeControlReferences();

}  // namespace kvhost
