// Preprocessor for resource scripts.
#include "Preprocessor.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <memory>
#include "kvwin32/ascii.h"

namespace kvrc {

namespace {

constexpr int kMaxIncludeDepth = 32;
constexpr int kMaxExpansionDepth = 64;
// A bound on the tokens of a script, so that macros cannot multiply without end.
constexpr std::size_t kMaxTokens = 4u << 20;

// Headers and MFC resource files whose content the compiler knows already.
constexpr std::string_view kBuiltinIncludes[] = {
    "windows.h",   "winres.h",    "winresrc.h", "afxres.h",   "afxres.rc",   "afxprint.rc",
    "afxolecl.rc", "afxolesv.rc", "afxdb.rc",   "afxctl.rc",  "winuser.h",   "winuser.rh",
    "winnt.h",     "winnt.rh",    "winver.h",   "commctrl.h", "commctrl.rh", "dlgs.h",
    "prsht.h",     "richedit.h",  "winbase.h",  "windef.h",   "ntdef.h",     "verrsrc.h"};

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool isBuiltinInclude(std::string_view name) {
    auto slash = name.find_last_of("/\\");
    std::string base = lower(slash == std::string_view::npos ? name : name.substr(slash + 1));
    return std::find(std::begin(kBuiltinIncludes), std::end(kBuiltinIncludes), base) !=
           std::end(kBuiltinIncludes);
}

bool directivesOnlyFile(std::string_view name) {
    std::string l = lower(name);
    return l.ends_with(".h") || l.ends_with(".c") || l.ends_with(".hpp") || l.ends_with(".hh");
}

std::string_view trim(std::string_view s) {
    return kvwin32::ascii::trim(s, kvwin32::ascii::kWhiteSpace);
}

// C arithmetic over the tokens of an #if line (macros expanded, defined() resolved, unknown
// identifiers already 0).
class ConditionEvaluator {
  public:
    ConditionEvaluator(const std::vector<Token>& tokens, const Location& where)
        : m_tokens(tokens), m_where(where) {}

    std::int64_t run() {
        std::int64_t v = conditional();
        if (m_pos != m_tokens.size())
            fail("unexpected '" + m_tokens[m_pos].text + "' in #if");
        return v;
    }

  private:
    [[noreturn]] void fail(const std::string& why) const { throw RcError(m_where, why); }
    bool accept(std::string_view p) {
        if (m_pos < m_tokens.size() && m_tokens[m_pos].isPunct(p)) {
            ++m_pos;
            return true;
        }
        return false;
    }
    // Nesting (parentheses, unary operators, ?:) is bounded so that no script can exhaust the
    // stack.
    template <typename F>
    std::int64_t nested(F body) {
        if (++m_depth > 256)
            fail("#if expression nested too deeply");
        std::int64_t v = body();
        --m_depth;
        return v;
    }
    std::int64_t conditional() {
        return nested([this] { return conditionalBody(); });
    }
    std::int64_t unary() {
        return nested([this] { return unaryBody(); });
    }
    std::int64_t conditionalBody() {
        std::int64_t c = binary(0);
        if (!accept("?"))
            return c;
        std::int64_t a = conditional();
        if (!accept(":"))
            fail("expected ':' in #if");
        std::int64_t b = conditional();
        return c ? a : b;
    }
    // Precedence climbing over C's binary operators, loosest first.
    std::int64_t binary(int level) {
        static const std::vector<std::vector<std::string_view>> kLevels = {{"||"},
                                                                           {"&&"},
                                                                           {"|"},
                                                                           {"^"},
                                                                           {"&"},
                                                                           {"==", "!="},
                                                                           {"<", ">", "<=", ">="},
                                                                           {"<<", ">>"},
                                                                           {"+", "-"},
                                                                           {"*", "/", "%"}};
        if (level == static_cast<int>(kLevels.size()))
            return unary();
        std::int64_t left = binary(level + 1);
        while (m_pos < m_tokens.size()) {
            const Token& t = m_tokens[m_pos];
            auto& ops = kLevels[static_cast<std::size_t>(level)];
            if (t.kind != TokenKind::Punct ||
                std::find(ops.begin(), ops.end(), t.text) == ops.end())
                break;
            std::string op = t.text;
            ++m_pos;
            std::int64_t right = binary(level + 1);
            left = apply(op, left, right);
        }
        return left;
    }
    std::int64_t apply(const std::string& op, std::int64_t l, std::int64_t r) const {
        auto ul = static_cast<std::uint64_t>(l);
        auto ur = static_cast<std::uint64_t>(r);
        if (op == "||")
            return (l || r) ? 1 : 0;
        if (op == "&&")
            return (l && r) ? 1 : 0;
        if (op == "|")
            return static_cast<std::int64_t>(ul | ur);
        if (op == "^")
            return static_cast<std::int64_t>(ul ^ ur);
        if (op == "&")
            return static_cast<std::int64_t>(ul & ur);
        if (op == "==")
            return l == r;
        if (op == "!=")
            return l != r;
        if (op == "<")
            return l < r;
        if (op == ">")
            return l > r;
        if (op == "<=")
            return l <= r;
        if (op == ">=")
            return l >= r;
        if (op == "<<")
            return static_cast<std::int64_t>(ul << (ur & 63));
        if (op == ">>")
            return static_cast<std::int64_t>(ul >> (ur & 63));
        if (op == "+")
            return static_cast<std::int64_t>(ul + ur);
        if (op == "-")
            return static_cast<std::int64_t>(ul - ur);
        if (op == "*")
            return static_cast<std::int64_t>(ul * ur);
        if (r == 0)
            fail("division by zero in #if");
        if (l == INT64_MIN && r == -1)
            return op == "/" ? l : 0;
        return op == "/" ? l / r : l % r;
    }
    std::int64_t unaryBody() {
        if (accept("!"))
            return !unary();
        if (accept("-"))
            return static_cast<std::int64_t>(0 - static_cast<std::uint64_t>(unary()));
        if (accept("+"))
            return unary();
        if (accept("~"))
            return static_cast<std::int64_t>(~static_cast<std::uint64_t>(unary()));
        if (accept("(")) {
            std::int64_t v = conditional();
            if (!accept(")"))
                fail("expected ')' in #if");
            return v;
        }
        if (m_pos < m_tokens.size() && m_tokens[m_pos].kind == TokenKind::Number)
            return m_tokens[m_pos++].value;
        fail("malformed #if expression");
    }

    const std::vector<Token>& m_tokens;
    Location m_where;
    std::size_t m_pos = 0;
    int m_depth = 0;
};

}  // namespace

struct Preprocessor::FileState {
    Location where;
    std::string folder;
    int depth = 0;
    std::vector<Conditional> conditionals;

    bool active() const { return conditionals.empty() || conditionals.back().active; }
};

Preprocessor::Preprocessor(SourceFiles& files) : m_files(files) {
    // What Windows' resource compiler defines for every script.
    for (const char* name : {"RC_INVOKED", "_WIN32"}) {
        Token one;
        one.kind = TokenKind::Number;
        one.text = "1";
        one.value = 1;
        m_macros[name].body.push_back(one);
    }
}

std::vector<Token> Preprocessor::runFile(const std::string& hostPath) {
    Location where{std::make_shared<const std::string>(hostPath), 0};
    std::string text = m_files.read(hostPath, where);
    return runText(text, hostPath, folderOf(hostPath));
}

std::vector<Token> Preprocessor::runText(std::string_view text, const std::string& name,
                                         const std::string& folder) {
    m_tokens.clear();
    processText(text, name, folder, directivesOnlyFile(name), 0);
    Token end;
    end.kind = TokenKind::End;
    end.where = m_tokens.empty() ? Location{std::make_shared<const std::string>(name), 1}
                                 : m_tokens.back().where;
    m_tokens.push_back(end);
    return std::move(m_tokens);
}

void Preprocessor::processText(std::string_view text, const std::string& name,
                               const std::string& folder, bool directivesOnly, int depth) {
    FileState state;
    state.where.file = std::make_shared<const std::string>(name);
    state.folder = folder;
    state.depth = depth;
    bool inBlock = false;
    std::size_t pos = 0;
    int lineNumber = 0;
    auto nextLine = [&](std::string_view& line) {
        if (pos >= text.size())
            return false;
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        pos = end + 1;
        ++lineNumber;
        return true;
    };
    std::string_view raw;
    while (nextLine(raw)) {
        state.where.line = lineNumber;
        bool wasInBlock = inBlock;
        std::string line = stripComments(raw, inBlock);
        std::string_view body = trim(line);
        if (!wasInBlock && body.starts_with('#')) {
            // A directive may continue over lines ending with a backslash.
            std::string joined(body);
            while (!joined.empty() && joined.back() == '\\') {
                joined.pop_back();
                std::string_view more;
                if (!nextLine(more))
                    break;
                joined += stripComments(more, inBlock);
            }
            directive(std::string_view(joined).substr(1), state);
            continue;
        }
        if (directivesOnly || !state.active() || body.empty())
            continue;
        for (Token& t : lexLine(body, state.where, m_codePage)) {
            if (t.kind == TokenKind::Identifier) {
                std::set<std::string> activeMacros;
                std::vector<Token> expanded;
                expand(t, expanded, activeMacros, 0);
                for (Token& e : expanded)
                    emit(std::move(e));
            } else {
                emit(std::move(t));
            }
        }
    }
    if (!state.conditionals.empty())
        throw RcError(state.conditionals.back().where, "unterminated #if");
}

void Preprocessor::emit(Token token) {
    if (m_tokens.size() >= kMaxTokens)
        throw RcError(token.where, "script too large");
    m_tokens.push_back(std::move(token));
}

void Preprocessor::expand(const Token& token, std::vector<Token>& out,
                          std::set<std::string>& active, int depth) {
    auto it = m_macros.find(token.text);
    if (token.kind != TokenKind::Identifier || it == m_macros.end() || !it->second.expandable ||
        active.count(token.text)) {
        out.push_back(token);
        return;
    }
    if (depth > kMaxExpansionDepth)
        throw RcError(token.where, "macro nesting too deep");
    active.insert(token.text);
    for (const Token& b : it->second.body) {
        Token copy = b;
        copy.where = token.where;  // errors point at the use, not at the #define
        expand(copy, out, active, depth + 1);
        if (out.size() > kMaxTokens)
            throw RcError(token.where, "script too large");
    }
    active.erase(token.text);
}

void Preprocessor::directive(std::string_view line, FileState& state) {
    line = trim(line);
    std::size_t nameEnd = 0;
    while (nameEnd < line.size() && std::isalpha(static_cast<unsigned char>(line[nameEnd])))
        ++nameEnd;
    std::string name(line.substr(0, nameEnd));
    std::string_view rest = trim(line.substr(nameEnd));
    const Location& where = state.where;
    auto& conds = state.conditionals;

    auto identifierOf = [&](std::string_view s) {
        s = trim(s);
        std::size_t n = 0;
        while (n < s.size() && (std::isalnum(static_cast<unsigned char>(s[n])) || s[n] == '_'))
            ++n;
        if (n == 0)
            throw RcError(where, "#" + name + " needs a name");
        return std::string(s.substr(0, n));
    };

    if (name == "if" || name == "ifdef" || name == "ifndef") {
        bool parent = state.active();
        bool value = false;
        if (parent) {
            if (name == "if")
                value = evaluateCondition(rest, where);
            else
                value = isDefined(identifierOf(rest)) == (name == "ifdef");
        }
        conds.push_back({parent, parent && value, parent && value, false, where});
        return;
    }
    if (name == "elif" || name == "else" || name == "endif") {
        if (conds.empty())
            throw RcError(where, "#" + name + " without #if");
        Conditional& c = conds.back();
        if (name == "endif") {
            conds.pop_back();
            return;
        }
        if (c.sawElse)
            throw RcError(where, "#" + name + " after #else");
        if (name == "else") {
            c.sawElse = true;
            c.active = c.parentActive && !c.anyTaken;
        } else {
            c.active = c.parentActive && !c.anyTaken && evaluateCondition(rest, where);
        }
        c.anyTaken = c.anyTaken || c.active;
        return;
    }
    if (!state.active())
        return;

    if (name == "include") {
        include(rest, state);
    } else if (name == "define") {
        define(rest, where);
    } else if (name == "undef") {
        m_macros.erase(identifierOf(rest));
    } else if (name == "pragma") {
        std::string text(rest);
        text.erase(
            std::remove_if(text.begin(), text.end(),
                           [](char c) { return std::isspace(static_cast<unsigned char>(c)); }),
            text.end());
        if (!text.starts_with("code_page("))
            return;  // other pragmas mean nothing here
        std::string page = lower(text.substr(10, text.size() > 11 ? text.size() - 11 : 0));
        if (page == "1252" || page == "default")
            m_codePage = CodePage::Windows1252;
        else if (page == "65001")
            m_codePage = CodePage::Utf8;
        else
            throw RcError(where, "unsupported code page '" + page + "'");
    } else if (name == "error") {
        throw RcError(where, "#error " + std::string(rest));
    } else if (name == "line" || name.empty()) {
        // "#line" and a lone "#" are accepted and ignored.
    } else {
        throw RcError(where, "unknown preprocessor directive '#" + name + "'");
    }
}

void Preprocessor::include(std::string_view argument, FileState& state) {
    const Location& where = state.where;
    if (argument.size() < 2)
        throw RcError(where, "#include needs a file name");
    char open = argument.front();
    char close = open == '<' ? '>' : open == '"' ? '"' : '\0';
    std::size_t end = close ? argument.find(close, 1) : std::string_view::npos;
    if (end == std::string_view::npos)
        throw RcError(where, "malformed #include");
    std::string fileName(argument.substr(1, end - 1));
    // Scripts write "res\\x.h" as well as "res\x.h".
    for (std::size_t p; (p = fileName.find("\\\\")) != std::string::npos;)
        fileName.erase(p, 1);
    if (isBuiltinInclude(fileName))
        return;
    if (state.depth + 1 > kMaxIncludeDepth)
        throw RcError(where, "#include nested too deeply");
    auto found = m_files.find(fileName, state.folder, open == '"');
    if (!found)
        throw RcError(where, "cannot open include file '" + fileName + "'");
    std::string text = m_files.read(*found, where);
    processText(text, *found, folderOf(*found), directivesOnlyFile(*found), state.depth + 1);
}

void Preprocessor::define(std::string_view rest, const Location& where) {
    std::size_t n = 0;
    while (n < rest.size() && (std::isalnum(static_cast<unsigned char>(rest[n])) || rest[n] == '_'))
        ++n;
    if (n == 0 || std::isdigit(static_cast<unsigned char>(rest[0])))
        throw RcError(where, "#define needs a name");
    std::string name(rest.substr(0, n));
    Macro macro;
    if (n < rest.size() && rest[n] == '(') {
        macro.expandable = false;
    } else {
        try {
            macro.body = lexLine(rest.substr(n), where, m_codePage);
        } catch (const RcError&) {
            // Headers define things a script never uses; only a use of this one is an error.
            macro.expandable = false;
        }
    }
    m_macros[name] = std::move(macro);
}

bool Preprocessor::evaluateCondition(std::string_view expression, const Location& where) {
    std::vector<Token> raw = lexLine(expression, where, m_codePage);
    std::vector<Token> resolved;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i].is(TokenKind::Identifier, "defined")) {
            bool paren = i + 1 < raw.size() && raw[i + 1].isPunct("(");
            std::size_t at = i + (paren ? 2 : 1);
            if (at >= raw.size() || raw[at].kind != TokenKind::Identifier ||
                (paren && (at + 1 >= raw.size() || !raw[at + 1].isPunct(")"))))
                throw RcError(where, "malformed defined() in #if");
            Token value;
            value.kind = TokenKind::Number;
            value.value = isDefined(raw[at].text) ? 1 : 0;
            value.where = where;
            resolved.push_back(value);
            i = at + (paren ? 1 : 0);
            continue;
        }
        std::set<std::string> active;
        std::vector<Token> expanded;
        expand(raw[i], expanded, active, 0);
        for (Token& t : expanded) {
            if (t.kind == TokenKind::Identifier) {
                // As in C, a name that is no macro counts as 0.
                t.kind = TokenKind::Number;
                t.value = 0;
            } else if (t.kind == TokenKind::String) {
                throw RcError(where, "string in #if");
            }
            resolved.push_back(std::move(t));
        }
    }
    if (resolved.empty())
        throw RcError(where, "#if needs an expression");
    return ConditionEvaluator(resolved, where).run() != 0;
}

}  // namespace kvrc
