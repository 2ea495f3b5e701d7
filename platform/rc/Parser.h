// The statements of a resource script, from the preprocessor's tokens to resources.
//
// Compiled: LANGUAGE; DIALOGEX (and DIALOG, written as an extended template too) with STYLE,
// EXSTYLE, CAPTION, FONT, CLASS, MENU, LANGUAGE and the controls CONTROL, LTEXT, RTEXT,
// CTEXT, EDITTEXT, PUSHBUTTON, DEFPUSHBUTTON, GROUPBOX, COMBOBOX, LISTBOX, CHECKBOX,
// AUTOCHECKBOX, RADIOBUTTON, AUTORADIOBUTTON, ICON, SCROLLBAR; STRINGTABLE; BITMAP, ICON and
// CURSOR from files. Parsed and skipped: TEXTINCLUDE, DESIGNINFO (GUIDELINES),
// AFX_DIALOG_LAYOUT, VERSIONINFO, MENU, MENUEX, ACCELERATORS, TOOLBAR and DLGINIT blocks.
// Anything else is an error, as are undefined symbols and duplicate resources.
#pragma once

#include <string>
#include <vector>

#include "DialogTemplate.h"
#include "Lexer.h"
#include "Script.h"
#include "SourceFiles.h"
#include "StringTable.h"

namespace kvrc {

class Parser {
  public:
    Parser(std::vector<Token> tokens, SourceFiles& files);

    // The resources of the script in statement order, string-table blocks last. Throws RcError.
    std::vector<Resource> parse();

  private:
    const Token& peek(std::size_t ahead = 0) const;
    const Token& next();
    bool acceptPunct(std::string_view p);
    bool acceptKeyword(std::string_view word);
    void expectPunct(std::string_view p, std::string_view what);
    [[noreturn]] void fail(const Token& at, const std::string& reason) const;

    std::uint32_t expression();
    std::uint32_t orExpression();
    std::uint32_t andExpression();
    std::uint32_t addExpression();
    std::uint32_t mulExpression();
    std::uint32_t unary();
    std::uint32_t styleExpression(std::uint32_t initial);
    std::int16_t coordinate();
    std::uint16_t ordinal(std::string_view what);
    std::u16string string(std::string_view what);

    std::uint16_t language();
    ResourceId resourceName();
    void skipMemoryOptions();
    void skipBlock(const Token& statement);
    void dialog(const ResourceId& name, const Location& where);
    void control(Dialog& dialog, const Token& keyword);
    void stringTable(const Token& keyword);
    void fileResource(const ResourceId& name, const Token& keyword);
    void add(Resource resource);

    std::vector<Token> m_tokens;
    std::size_t m_pos = 0;
    int m_depth = 0;  // of nested expressions
    SourceFiles& m_files;
    std::uint16_t m_language = kDefaultLanguage;
    std::uint16_t m_nextImageId = 1;
    std::vector<Resource> m_resources;
    StringTable m_strings;
};

}  // namespace kvrc
