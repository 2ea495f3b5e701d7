// The preprocessor of resource scripts: #include, #define/#undef (object-like macros),
// #ifdef/#ifndef/#if/#elif/#else/#endif with defined() and C arithmetic, #pragma code_page and
// #error, turning a script and what it includes into one stream of tokens for the parser.
//
// As Windows' resource compiler does, files named *.h, *.c and *.hpp contribute only their
// preprocessor lines (so resource.h may hold C declarations), and the system headers that
// scripts include for their constants (<windows.h>, <winres.h>, "afxres.h", "afxres.rc" ...)
// are satisfied by the compiler's built-in symbols instead of being read.
#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "Lexer.h"
#include "SourceFiles.h"

namespace kvrc {

class Preprocessor {
  public:
    explicit Preprocessor(SourceFiles& files);

    // The tokens of a script file (host path), ending with an End token.
    std::vector<Token> runFile(const std::string& hostPath);
    // The tokens of a script given as text; `name` is its file name in messages, and quoted
    // includes are looked up in `folder`.
    std::vector<Token> runText(std::string_view text, const std::string& name,
                               const std::string& folder);

    bool isDefined(const std::string& name) const { return m_macros.count(name) != 0; }

  private:
    struct Macro {
        std::vector<Token> body;
        bool expandable = true;  // false for function-like macros, which scripts cannot use
    };
    struct Conditional {
        bool parentActive;
        bool active;
        bool anyTaken;
        bool sawElse;
        Location where;
    };
    struct FileState;

    void processText(std::string_view text, const std::string& name, const std::string& folder,
                     bool directivesOnly, int depth);
    void directive(std::string_view line, FileState& state);
    void include(std::string_view argument, FileState& state);
    void define(std::string_view rest, const Location& where);
    bool evaluateCondition(std::string_view expression, const Location& where);
    void expand(const Token& token, std::vector<Token>& out, std::set<std::string>& active,
                int depth);
    void emit(Token token);

    SourceFiles& m_files;
    std::map<std::string, Macro> m_macros;
    std::vector<Token> m_tokens;
    CodePage m_codePage = CodePage::Windows1252;
};

}  // namespace kvrc
