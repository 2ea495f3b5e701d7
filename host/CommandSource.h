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

}  // namespace kvhost
