// Resource script statements.
#include "Parser.h"

#include <algorithm>

#include "BuiltinSymbols.h"
#include "ImageFile.h"
#include "kvwin32/styles.h"

namespace kvrc {

namespace {

// How a control statement lays out its arguments.
enum class Shape {
    Text,    // text, id, x, y, cx, cy [, style [, exstyle [, helpId]]]
    NoText,  // id, x, y, cx, cy [, style [, exstyle [, helpId]]]
    Icon,    // text, id, x, y [, cx, cy [, style [, exstyle [, helpId]]]]
    Generic  // text, id, class, style, x, y, cx, cy [, exstyle [, helpId]]
};

// Each control statement: its class and the styles rc gives it before the script's own.
// Every control also gets WS_CHILD | WS_VISIBLE.
struct ControlStatement {
    std::string_view keyword;
    Shape shape;
    std::uint16_t classAtom;
    std::uint32_t defaultStyle;
};

constexpr ControlStatement kControlStatements[] = {
    {"CONTROL", Shape::Generic, 0, 0},
    {"LTEXT", Shape::Text, ClassAtom::Static, SS_LEFT | WS_GROUP},
    {"RTEXT", Shape::Text, ClassAtom::Static, SS_RIGHT | WS_GROUP},
    {"CTEXT", Shape::Text, ClassAtom::Static, SS_CENTER | WS_GROUP},
    {"EDITTEXT", Shape::NoText, ClassAtom::Edit, ES_LEFT | WS_BORDER | WS_TABSTOP},
    {"PUSHBUTTON", Shape::Text, ClassAtom::Button, BS_PUSHBUTTON | WS_TABSTOP},
    {"DEFPUSHBUTTON", Shape::Text, ClassAtom::Button, BS_DEFPUSHBUTTON | WS_TABSTOP},
    {"GROUPBOX", Shape::Text, ClassAtom::Button, BS_GROUPBOX},
    {"COMBOBOX", Shape::NoText, ClassAtom::ComboBox, CBS_SIMPLE | WS_TABSTOP},
    {"LISTBOX", Shape::NoText, ClassAtom::ListBox, LBS_NOTIFY | WS_BORDER},
    {"CHECKBOX", Shape::Text, ClassAtom::Button, BS_CHECKBOX | WS_TABSTOP},
    {"AUTOCHECKBOX", Shape::Text, ClassAtom::Button, BS_AUTOCHECKBOX | WS_TABSTOP},
    {"RADIOBUTTON", Shape::Text, ClassAtom::Button, BS_RADIOBUTTON | WS_TABSTOP},
    {"AUTORADIOBUTTON", Shape::Text, ClassAtom::Button, BS_AUTORADIOBUTTON | WS_TABSTOP},
    {"ICON", Shape::Icon, ClassAtom::Static, SS_ICON},
    {"SCROLLBAR", Shape::NoText, ClassAtom::ScrollBar, SBS_HORZ},
};

constexpr int kMaxExpressionDepth = 256;

constexpr std::uint32_t kControlBaseStyle = WS_CHILD | WS_VISIBLE;
// A dialog without a STYLE statement.
constexpr std::uint32_t kDialogDefaultStyle = WS_POPUP | WS_BORDER | WS_SYSMENU;

constexpr std::string_view kMemoryOptions[] = {"DISCARDABLE", "MOVEABLE", "FIXED",
                                               "PURE",        "IMPURE",   "PRELOAD",
                                               "LOADONCALL",  "SHARED",   "NONSHARED"};

constexpr std::string_view kSkippedBlocks[] = {"TEXTINCLUDE",  "DESIGNINFO", "AFX_DIALOG_LAYOUT",
                                               "VERSIONINFO",  "MENU",       "MENUEX",
                                               "ACCELERATORS", "TOOLBAR",    "DLGINIT"};

std::string narrow(const std::u16string& s) {
    std::string out;
    for (char16_t c : s)
        out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return out;
}

}  // namespace

Parser::Parser(std::vector<Token> tokens, SourceFiles& files)
    : m_tokens(std::move(tokens)), m_files(files) {
    if (m_tokens.empty() || m_tokens.back().kind != TokenKind::End) {
        Token end;
        end.kind = TokenKind::End;
        if (!m_tokens.empty())
            end.where = m_tokens.back().where;
        m_tokens.push_back(end);
    }
}

const Token& Parser::peek(std::size_t ahead) const {
    return m_tokens[std::min(m_pos + ahead, m_tokens.size() - 1)];
}

const Token& Parser::next() {
    const Token& t = peek();
    if (m_pos < m_tokens.size() - 1)
        ++m_pos;
    return t;
}

bool Parser::acceptPunct(std::string_view p) {
    if (!peek().isPunct(p))
        return false;
    next();
    return true;
}

bool Parser::acceptKeyword(std::string_view word) {
    if (!peek().isKeyword(word))
        return false;
    next();
    return true;
}

void Parser::fail(const Token& at, const std::string& reason) const {
    throw RcError(at.where, reason);
}

void Parser::expectPunct(std::string_view p, std::string_view what) {
    if (acceptPunct(p))
        return;
    const Token& t = peek();
    if (t.kind == TokenKind::End)
        fail(t, "unexpected end of file, expected '" + std::string(p) + "' " + std::string(what));
    fail(t, "expected '" + std::string(p) + "' " + std::string(what) + ", found '" + t.text + "'");
}

// ---- Expressions: 32-bit arithmetic as rc computes it ----------------------------------------

std::uint32_t Parser::expression() {
    return orExpression();
}

std::uint32_t Parser::orExpression() {
    std::uint32_t v = andExpression();
    while (acceptPunct("|"))
        v |= andExpression();
    return v;
}

std::uint32_t Parser::andExpression() {
    std::uint32_t v = addExpression();
    while (acceptPunct("&"))
        v &= addExpression();
    return v;
}

std::uint32_t Parser::addExpression() {
    std::uint32_t v = mulExpression();
    while (true) {
        if (acceptPunct("+"))
            v += mulExpression();
        else if (acceptPunct("-"))
            v -= mulExpression();
        else
            return v;
    }
}

std::uint32_t Parser::mulExpression() {
    std::uint32_t v = unary();
    while (true) {
        const Token& op = peek();
        if (!acceptPunct("*") && !acceptPunct("/"))
            return v;
        std::uint32_t r = unary();
        if (op.text == "*") {
            v *= r;
        } else {
            if (r == 0)
                fail(op, "division by zero");
            v /= r;
        }
    }
}

std::uint32_t Parser::unary() {
    // Nesting is bounded so that no script can exhaust the stack.
    struct DepthGuard {
        int& depth;
        explicit DepthGuard(int& d) : depth(++d) {}
        ~DepthGuard() { --depth; }
    } guard(m_depth);
    if (m_depth > kMaxExpressionDepth)
        fail(peek(), "expression nested too deeply");
    const Token& t = next();
    if (t.isPunct("-"))
        return 0u - unary();
    if (t.isPunct("+"))
        return unary();
    if (t.isPunct("~"))
        return ~unary();
    if (t.isPunct("(")) {
        std::uint32_t v = orExpression();
        expectPunct(")", "to close the expression");
        return v;
    }
    if (t.kind == TokenKind::Number)
        return t.value;
    if (t.kind == TokenKind::Identifier) {
        if (auto v = builtinSymbol(t.text))
            return *v;
        fail(t, "undefined symbol '" + t.text + "'");
    }
    if (t.kind == TokenKind::End)
        fail(t, "unexpected end of file, expected a number");
    fail(t, "expected a number, found '" + t.text + "'");
}

// Styles start from the statement's defaults; each "NOT x" term clears bits, every other term
// sets them, from left to right (so "NOT WS_TABSTOP | WS_TABSTOP" keeps the tab stop).
std::uint32_t Parser::styleExpression(std::uint32_t initial) {
    std::uint32_t v = initial;
    do {
        if (acceptKeyword("NOT"))
            v &= ~andExpression();
        else
            v |= andExpression();
    } while (acceptPunct("|"));
    return v;
}

std::int16_t Parser::coordinate() {
    const Token& at = peek();
    auto v = static_cast<std::int32_t>(expression());
    if (v < -32768 || v > 32767)
        fail(at, "coordinate out of range");
    return static_cast<std::int16_t>(v);
}

std::uint16_t Parser::ordinal(std::string_view what) {
    const Token& at = peek();
    std::uint32_t v = expression();
    if (v > 0xFFFF)
        fail(at, std::string(what) + " out of range: " + std::to_string(v));
    return static_cast<std::uint16_t>(v);
}

std::u16string Parser::string(std::string_view what) {
    const Token& t = next();
    if (t.kind != TokenKind::String) {
        if (t.kind == TokenKind::End)
            fail(t, "unexpected end of file, expected " + std::string(what));
        fail(t, "expected " + std::string(what) + ", found '" + t.text + "'");
    }
    std::u16string s = t.wide;
    // Adjacent strings are one string.
    while (peek().kind == TokenKind::String)
        s += next().wide;
    return s;
}

// ---- Statements -------------------------------------------------------------------------------

std::uint16_t Parser::language() {
    std::uint32_t primary = expression();
    expectPunct(",", "between language and sublanguage");
    std::uint32_t sub = expression();
    return static_cast<std::uint16_t>(((sub & 0x3F) << 10) | (primary & 0x3FF));
}

// A resource name: a string, a name nobody defined (rc keeps such names as strings), or an
// ordinal expression.
ResourceId Parser::resourceName() {
    const Token& t = peek();
    if (t.kind == TokenKind::String) {
        next();
        return ResourceId::fromName(narrow(t.wide));
    }
    if (t.kind == TokenKind::Identifier && !builtinSymbol(t.text) &&
        peek(1).kind == TokenKind::Identifier) {
        next();
        return ResourceId::fromName(t.text);
    }
    if (t.kind == TokenKind::Identifier && !builtinSymbol(t.text))
        fail(t, "unknown statement '" + t.text + "'");
    return ResourceId::fromOrdinal(ordinal("resource id"));
}

void Parser::skipMemoryOptions() {
    while (peek().kind == TokenKind::Identifier &&
           std::any_of(std::begin(kMemoryOptions), std::end(kMemoryOptions),
                       [&](std::string_view o) { return peek().isKeyword(o); }))
        next();
}

std::vector<Resource> Parser::parse() {
    while (peek().kind != TokenKind::End) {
        const Token& t = peek();
        if (acceptKeyword("LANGUAGE")) {
            m_language = language();
            continue;
        }
        if (t.isKeyword("STRINGTABLE")) {
            stringTable(next());
            continue;
        }
        const Location where = t.where;
        ResourceId name = resourceName();
        const Token& type = next();
        if (type.kind != TokenKind::Identifier) {
            if (type.kind == TokenKind::End)
                fail(type, "unexpected end of file after resource " + name.describe());
            fail(type, "unknown statement '" + type.text + "'");
        }
        if (type.isKeyword("DIALOGEX") || type.isKeyword("DIALOG")) {
            dialog(name, where);
        } else if (type.isKeyword("BITMAP") || type.isKeyword("ICON") || type.isKeyword("CURSOR")) {
            fileResource(name, type);
        } else if (std::any_of(std::begin(kSkippedBlocks), std::end(kSkippedBlocks),
                               [&](std::string_view k) { return type.isKeyword(k); })) {
            skipBlock(type);
        } else {
            fail(type, "unknown statement '" + type.text + "'");
        }
    }
    for (Resource& block : m_strings.blocks())
        add(std::move(block));
    return std::move(m_resources);
}

void Parser::add(Resource resource) {
    for (const Resource& r : m_resources)
        if (r.type == resource.type && r.name == resource.name && r.language == resource.language)
            throw RcError(resource.where, "duplicate resource: type " + resource.type.describe() +
                                              ", name " + resource.name.describe());
    m_resources.push_back(std::move(resource));
}

void Parser::skipBlock(const Token& statement) {
    while (!peek().isKeyword("BEGIN") && !peek().isPunct("{")) {
        if (peek().kind == TokenKind::End)
            fail(statement, "unterminated block: " + statement.text + " has no BEGIN");
        next();
    }
    const Token& open = next();
    int depth = 1;
    while (depth > 0) {
        const Token& t = next();
        if (t.kind == TokenKind::End)
            fail(open, "unterminated block: BEGIN without END");
        if (t.isKeyword("BEGIN") || t.isPunct("{"))
            ++depth;
        if (t.isKeyword("END") || t.isPunct("}"))
            --depth;
    }
}

void Parser::fileResource(const ResourceId& name, const Token& keyword) {
    skipMemoryOptions();
    const Token& fileToken = next();
    if (fileToken.kind != TokenKind::String)
        fail(fileToken, "expected a file name string");
    // Scripts write "res\\x.bmp"; rc reads the doubled backslash as one.
    std::string fileName = fileToken.text;
    for (std::size_t p; (p = fileName.find("\\\\")) != std::string::npos;)
        fileName.erase(p, 1);
    auto found = m_files.find(fileName, folderOf(fileToken.where.fileName()), true);
    if (!found)
        fail(fileToken, "cannot find file '" + fileName + "'");
    std::string bytes = m_files.read(*found, fileToken.where);
    if (keyword.isKeyword("BITMAP")) {
        Resource r;
        r.type = ResourceId::fromOrdinal(ResourceType::Bitmap);
        r.name = name;
        r.language = m_language;
        r.where = keyword.where;
        r.data = bitmapResource(bytes, fileName, fileToken.where);
        add(std::move(r));
        return;
    }
    for (Resource& r : iconResources(bytes, keyword.isKeyword("CURSOR"), name, m_language,
                                     m_nextImageId, fileName, fileToken.where))
        add(std::move(r));
}

void Parser::stringTable(const Token& keyword) {
    skipMemoryOptions();
    std::uint16_t lang = m_language;
    while (!peek().isKeyword("BEGIN") && !peek().isPunct("{")) {
        const Token& t = next();
        if (t.isKeyword("LANGUAGE"))
            lang = language();
        else if (t.isKeyword("CHARACTERISTICS") || t.isKeyword("VERSION"))
            expression();
        else if (t.kind == TokenKind::End)
            fail(keyword, "unterminated block: STRINGTABLE has no BEGIN");
        else
            fail(t, "unknown statement '" + t.text + "' in STRINGTABLE");
    }
    const Token& open = next();
    while (!peek().isKeyword("END") && !peek().isPunct("}")) {
        if (peek().kind == TokenKind::End)
            fail(open, "unterminated block: BEGIN without END");
        const Token& at = peek();
        std::uint16_t id = ordinal("string id");
        acceptPunct(",");
        m_strings.add(id, lang, string("a string"), at.where);
    }
    next();
}

void Parser::dialog(const ResourceId& name, const Location& where) {
    skipMemoryOptions();
    Dialog d;
    d.x = coordinate();
    expectPunct(",", "after the dialog's x");
    d.y = coordinate();
    expectPunct(",", "after the dialog's y");
    d.cx = coordinate();
    expectPunct(",", "after the dialog's width");
    d.cy = coordinate();
    if (acceptPunct(","))
        d.helpId = expression();

    std::uint16_t lang = m_language;
    bool gotStyle = false;
    bool gotCaption = false;
    std::uint32_t style = 0;
    while (!peek().isKeyword("BEGIN") && !peek().isPunct("{")) {
        const Token& t = next();
        if (t.isKeyword("STYLE")) {
            style = styleExpression(0);
            gotStyle = true;
        } else if (t.isKeyword("EXSTYLE")) {
            d.exStyle = styleExpression(0);
        } else if (t.isKeyword("CAPTION")) {
            d.title = string("a caption string");
            gotCaption = true;
        } else if (t.isKeyword("FONT")) {
            DialogFont font;
            font.pointSize = ordinal("font size");
            expectPunct(",", "after the font size");
            font.face = string("a font name");
            if (acceptPunct(",")) {
                font.weight = ordinal("font weight");
                if (acceptPunct(",")) {
                    font.italic = static_cast<std::uint8_t>(expression() != 0);
                    if (acceptPunct(","))
                        font.charset = static_cast<std::uint8_t>(expression());
                }
            }
            d.font = std::move(font);
        } else if (t.isKeyword("CLASS")) {
            if (peek().kind == TokenKind::String)
                d.windowClass = NameOrOrdinal::fromText(string("a class name"));
            else
                d.windowClass = NameOrOrdinal::fromOrdinal(ordinal("class"));
        } else if (t.isKeyword("MENU")) {
            ResourceId menu = resourceName();
            d.menu =
                menu.isName
                    ? NameOrOrdinal::fromText(std::u16string(menu.name.begin(), menu.name.end()))
                    : NameOrOrdinal::fromOrdinal(menu.ordinal);
        } else if (t.isKeyword("LANGUAGE")) {
            lang = language();
        } else if (t.isKeyword("CHARACTERISTICS") || t.isKeyword("VERSION")) {
            expression();
        } else if (t.kind == TokenKind::End) {
            fail(t, "unterminated block: dialog " + name.describe() + " has no BEGIN");
        } else {
            fail(t, "unknown statement '" + t.text + "' in dialog " + name.describe());
        }
    }
    // rc's dialog style: popup, border and system menu unless STYLE says otherwise; a caption
    // brings its title bar, and a FONT statement the flag that tells Windows a font follows.
    d.style = gotStyle ? style : kDialogDefaultStyle;
    if (gotCaption)
        d.style |= WS_CAPTION;
    if (d.font)
        d.style |= DS_SETFONT;
    if ((d.style & DS_SETFONT) && !d.font)
        d.font = DialogFont{8, 0, 0, 1, u"MS Shell Dlg"};

    const Token& open = next();
    while (!peek().isKeyword("END") && !peek().isPunct("}")) {
        const Token& t = next();
        if (t.kind == TokenKind::End)
            fail(open, "unterminated block: BEGIN without END");
        control(d, t);
    }
    next();
    if (d.controls.size() > 0xFFFF)
        throw RcError(where, "too many controls");

    Resource r;
    r.type = ResourceId::fromOrdinal(ResourceType::Dialog);
    r.name = name;
    r.language = lang;
    r.where = where;
    r.data = writeDialogTemplate(d);
    add(std::move(r));
}

void Parser::control(Dialog& dialog, const Token& keyword) {
    const ControlStatement* statement = nullptr;
    for (const ControlStatement& s : kControlStatements)
        if (keyword.isKeyword(s.keyword))
            statement = &s;
    if (!statement) {
        if (keyword.kind == TokenKind::Identifier)
            fail(keyword, "unknown statement '" + keyword.text + "' in dialog");
        fail(keyword, "expected a control statement, found '" + keyword.text + "'");
    }
    DialogControl c;
    c.windowClass = NameOrOrdinal::fromOrdinal(statement->classAtom);
    std::uint32_t style = kControlBaseStyle | statement->defaultStyle;

    if (statement->shape != Shape::NoText) {
        // The text is a string, or the ordinal of a resource (an icon's, a bitmap's).
        if (peek().kind == TokenKind::String)
            c.title = NameOrOrdinal::fromText(string("a control text"));
        else
            c.title = NameOrOrdinal::fromOrdinal(ordinal("control text ordinal"));
        expectPunct(",", "after the control text");
    }
    c.id = expression();
    if (statement->shape == Shape::Generic) {
        expectPunct(",", "after the control id");
        const Token& cls = peek();
        if (cls.kind == TokenKind::String) {
            std::u16string name = string("a class name");
            std::uint16_t atom = classAtomOf(name);
            c.windowClass =
                atom ? NameOrOrdinal::fromOrdinal(atom) : NameOrOrdinal::fromText(std::move(name));
        } else if (cls.kind == TokenKind::Identifier && !builtinSymbol(cls.text)) {
            std::uint16_t atom = classAtomOf(std::u16string(cls.text.begin(), cls.text.end()));
            if (!atom)
                fail(cls, "undefined symbol '" + cls.text + "'");
            next();
            c.windowClass = NameOrOrdinal::fromOrdinal(atom);
        } else {
            c.windowClass = NameOrOrdinal::fromOrdinal(ordinal("class"));
        }
        expectPunct(",", "after the control class");
        style = styleExpression(kControlBaseStyle);
    }
    expectPunct(",", "before the control's x");
    c.x = coordinate();
    expectPunct(",", "after the control's x");
    c.y = coordinate();
    bool sized = true;
    if (statement->shape == Shape::Icon)
        sized = acceptPunct(",");
    else
        expectPunct(",", "after the control's y");
    if (sized) {
        c.cx = coordinate();
        expectPunct(",", "after the control's width");
        c.cy = coordinate();
        if (statement->shape != Shape::Generic && acceptPunct(",")) {
            if (statement->classAtom == ClassAtom::ComboBox) {
                // The combo box kind (simple, drop-down, drop-down list) is the low two bits: a
                // script that names one gets it, not its OR with the default CBS_SIMPLE.
                style = styleExpression(style & ~std::uint32_t{CBS_DROPDOWNLIST});
                if ((style & CBS_DROPDOWNLIST) == 0)
                    style |= CBS_SIMPLE;
            } else {
                style = styleExpression(style);
            }
        }
        if (acceptPunct(",")) {
            c.exStyle = styleExpression(0);
            if (acceptPunct(","))
                c.helpId = expression();
        }
    }
    c.style = style;
    // A control may carry creation data in a block of its own; nothing here uses it.
    if (peek().isKeyword("BEGIN") || peek().isPunct("{"))
        skipBlock(keyword);
    dialog.controls.push_back(std::move(c));
}

}  // namespace kvrc
