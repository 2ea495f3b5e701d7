// Where a piece of a resource script comes from, and the error that stops a compilation.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>

namespace kvrc {

// A line of a script or of a file it includes; the file name is shared by all its tokens.
struct Location {
    std::shared_ptr<const std::string> file;
    int line = 0;

    std::string fileName() const { return file ? *file : std::string("<input>"); }
};

// A compilation error; what() is the full "file(line): error: reason" line.
class RcError : public std::runtime_error {
  public:
    RcError(const Location& where, const std::string& reason)
        : std::runtime_error(where.fileName() + "(" + std::to_string(where.line) +
                             "): error: " + reason),
          m_where(where),
          m_reason(reason) {}

    const Location& where() const { return m_where; }
    const std::string& reason() const { return m_reason; }

  private:
    Location m_where;
    std::string m_reason;
};

}  // namespace kvrc
