// Dialog statements compiled to DLGTEMPLATEEX: each control statement's class, defaults and
// style arithmetic, and the dialog header's style, font, menu and class.
#include <gtest/gtest.h>

#include "RcTestSupport.h"
#include "Script.h"
#include "TemplateReader.h"

namespace {

using rctest::ReadDialog;
using rctest::TemplateReader;

ReadDialog compileDialog(const kvtest::TempDir& dir, const std::string& script) {
    kvrc::Script s = rctest::compile(dir, script);
    const kvrc::Resource* r = rctest::findResource(s, kvrc::ResourceType::Dialog, 1);
    if (!r)
        throw std::runtime_error("no dialog 1");
    TemplateReader reader(r->data);
    ReadDialog d = reader.read();
    EXPECT_FALSE(reader.overran()) << script;
    EXPECT_EQ(reader.position(), r->data.size()) << script;
    return d;
}

struct ControlRow {
    const char* statement;
    const char* windowClass;  // "#128" for an atom
    std::uint32_t style;
    std::uint32_t exStyle;
    std::uint32_t id;
    const char* title;
    std::int16_t x, y, cx, cy;
    std::uint32_t helpId;
};

// Styles: 0x50000000 is WS_CHILD | WS_VISIBLE, 0x00010000 WS_TABSTOP, 0x00020000 WS_GROUP,
// 0x00800000 WS_BORDER.
const ControlRow kControls[] = {
    {"LTEXT \"Name:\", 10, 1, 2, 30, 8", "#130", 0x50020000, 0, 10, "Name:", 1, 2, 30, 8, 0},
    {"RTEXT \"R\", 11, 1, 2, 3, 4", "#130", 0x50020002, 0, 11, "R", 1, 2, 3, 4, 0},
    {"CTEXT \"C\", 12, 1, 2, 3, 4", "#130", 0x50020001, 0, 12, "C", 1, 2, 3, 4, 0},
    {"EDITTEXT 13, 1, 2, 3, 4", "#129", 0x50810000, 0, 13, "", 1, 2, 3, 4, 0},
    {"EDITTEXT 14, 1, 2, 3, 4, ES_AUTOHSCROLL | NOT WS_BORDER", "#129", 0x50010080, 0, 14, "", 1, 2,
     3, 4, 0},
    {"PUSHBUTTON \"P\", 15, 1, 2, 3, 4", "#128", 0x50010000, 0, 15, "P", 1, 2, 3, 4, 0},
    {"DEFPUSHBUTTON \"D\", IDOK, 1, 2, 3, 4", "#128", 0x50010001, 0, 1, "D", 1, 2, 3, 4, 0},
    {"GROUPBOX \"G\", 16, 1, 2, 3, 4", "#128", 0x50000007, 0, 16, "G", 1, 2, 3, 4, 0},
    {"COMBOBOX 17, 1, 2, 3, 4, CBS_DROPDOWNLIST | WS_VSCROLL", "#133", 0x50210003, 0, 17, "", 1, 2,
     3, 4, 0},
    {"COMBOBOX 17, 1, 2, 3, 4, CBS_DROPDOWN | CBS_SORT", "#133", 0x50010102, 0, 17, "", 1, 2, 3, 4,
     0},
    {"COMBOBOX 17, 1, 2, 3, 4", "#133", 0x50010001, 0, 17, "", 1, 2, 3, 4, 0},
    {"COMBOBOX 17, 1, 2, 3, 4, WS_VSCROLL", "#133", 0x50210001, 0, 17, "", 1, 2, 3, 4, 0},
    {"LISTBOX 18, 1, 2, 3, 4", "#131", 0x50800001, 0, 18, "", 1, 2, 3, 4, 0},
    {"CHECKBOX \"c\", 19, 1, 2, 3, 4", "#128", 0x50010002, 0, 19, "c", 1, 2, 3, 4, 0},
    {"AUTOCHECKBOX \"a\", 20, 1, 2, 3, 4", "#128", 0x50010003, 0, 20, "a", 1, 2, 3, 4, 0},
    {"RADIOBUTTON \"r\", 21, 1, 2, 3, 4", "#128", 0x50010004, 0, 21, "r", 1, 2, 3, 4, 0},
    {"AUTORADIOBUTTON \"ar\", 22, 1, 2, 3, 4, WS_GROUP", "#128", 0x50030009, 0, 22, "ar", 1, 2, 3,
     4, 0},
    {"ICON 5, 23, 1, 2", "#130", 0x50000003, 0, 23, "#5", 1, 2, 0, 0, 0},
    {"ICON \"APP\", 23, 1, 2, 20, 21", "#130", 0x50000003, 0, 23, "APP", 1, 2, 20, 21, 0},
    {"SCROLLBAR 24, 1, 2, 3, 4, SBS_VERT", "#132", 0x50000001, 0, 24, "", 1, 2, 3, 4, 0},
    {"CONTROL \"x\", 25, \"Button\", BS_AUTOCHECKBOX | WS_TABSTOP, 1, 2, 3, 4", "#128", 0x50010003,
     0, 25, "x", 1, 2, 3, 4, 0},
    {"CONTROL \"\", 26, \"SysListView32\", LVS_REPORT | WS_BORDER, 1, 2, 3, 4, WS_EX_CLIENTEDGE",
     "SysListView32", 0x50800001, 0x200, 26, "", 1, 2, 3, 4, 0},
    {"CONTROL \"\", 27, \"msctls_updown32\", UDS_SETBUDDYINT | UDS_ALIGNRIGHT | NOT WS_VISIBLE, "
     "1, 2, 3, 4",
     "msctls_updown32", 0x40000006, 0, 27, "", 1, 2, 3, 4, 0},
    {"CONTROL \"s\", 28, STATIC, SS_BLACKFRAME, 1, 2, 3, 4", "#130", 0x50000007, 0, 28, "s", 1, 2,
     3, 4, 0},
    {"CONTROL \"e\", 28, \"edit\", ES_LEFT, 1, 2, 3, 4, 0, 9", "#129", 0x50000000, 0, 28, "e", 1, 2,
     3, 4, 9},
    {"LTEXT \"t\", IDC_STATIC, -1, -2, 3, 4", "#130", 0x50020000, 0, 0xFFFFFFFF, "t", -1, -2, 3, 4,
     0},
    {"PUSHBUTTON \"p\", 29, 1, 2, 3, 4, WS_DISABLED, WS_EX_STATICEDGE, 77", "#128", 0x58010000,
     0x20000, 29, "p", 1, 2, 3, 4, 77},
    {"EDITTEXT 30, 1 + 1, (2 * 3), 10 - 2, 0x10, ES_NUMBER", "#129", 0x50812000, 0, 30, "", 2, 6, 8,
     16, 0},
    {"LTEXT \"caf\\xe9\\t\", 31, 1, 2, 3, 4", "#130", 0x50020000, 0, 31, "caf\\u00E9\t", 1, 2, 3, 4,
     0},
    {"PUSHBUTTON \"t\", 32, 1, 2, 3, 4, NOT WS_TABSTOP | WS_TABSTOP", "#128", 0x50010000, 0, 32,
     "t", 1, 2, 3, 4, 0},
    {"PUSHBUTTON \"t\", 33, 1, 2, 3, 4, WS_TABSTOP | NOT WS_TABSTOP", "#128", 0x50000000, 0, 33,
     "t", 1, 2, 3, 4, 0},
    {"AUTOCHECKBOX \"a\", 34, 1, 2, 3, 4, BS_LEFTTEXT | NOT WS_VISIBLE | WS_DISABLED", "#128",
     0x48010023, 0, 34, "a", 1, 2, 3, 4, 0},
};

TEST(DialogControls, StatementsGiveClassStyleAndFields) {
    kvtest::TempDir dir;
    for (const ControlRow& row : kControls) {
        SCOPED_TRACE(row.statement);
        ReadDialog d = compileDialog(
            dir, std::string("1 DIALOGEX 0, 0, 100, 50\nBEGIN\n  ") + row.statement + "\nEND\n");
        ASSERT_EQ(d.count, 1);
        ASSERT_EQ(d.items.size(), 1u);
        const rctest::ReadItem& it = d.items[0];
        EXPECT_EQ(it.windowClass, row.windowClass);
        EXPECT_EQ(it.style, row.style) << std::hex << "got 0x" << it.style;
        EXPECT_EQ(it.exStyle, row.exStyle);
        EXPECT_EQ(it.id, row.id);
        EXPECT_EQ(it.title, row.title);
        EXPECT_EQ(it.x, row.x);
        EXPECT_EQ(it.y, row.y);
        EXPECT_EQ(it.cx, row.cx);
        EXPECT_EQ(it.cy, row.cy);
        EXPECT_EQ(it.helpId, row.helpId);
        EXPECT_EQ(it.extra, 0);
    }
}

struct HeaderRow {
    const char* header;  // between "1 DIALOGEX" and BEGIN
    std::uint32_t style;
    std::uint32_t exStyle;
    std::uint32_t helpId;
    const char* title;
    const char* menu;
    const char* windowClass;
    const char* face;  // "" when the template carries no font
    std::uint16_t pointSize, weight;
    std::uint8_t italic, charset;
};

// 0x80880000 is rc's default WS_POPUP | WS_BORDER | WS_SYSMENU; 0x00C00000 WS_CAPTION.
const HeaderRow kHeaders[] = {
    {"0, 0, 10, 10", 0x80880000, 0, 0, "", "", "", "", 0, 0, 0, 0},
    {"0, 0, 10, 10\nCAPTION \"Title\"", 0x80C80000, 0, 0, "Title", "", "", "", 0, 0, 0, 0},
    {"0, 0, 10, 10\nSTYLE WS_CHILD", 0x40000000, 0, 0, "", "", "", "", 0, 0, 0, 0},
    {"0, 0, 10, 10\nSTYLE WS_CHILD | WS_DISABLED\nCAPTION \"T\"", 0x48C00000, 0, 0, "T", "", "", "",
     0, 0, 0, 0},
    {"0, 0, 10, 10\nSTYLE WS_CHILD\nFONT 9, \"Tahoma\"", 0x40000040, 0, 0, "", "", "", "Tahoma", 9,
     0, 0, 1},
    {"0, 0, 10, 10\nFONT 8, \"MS Shell Dlg\", 700, 1, 0", 0x80880040, 0, 0, "", "", "",
     "MS Shell Dlg", 8, 700, 1, 0},
    {"0, 0, 10, 10\nSTYLE DS_SETFONT | WS_POPUP", 0x80000040, 0, 0, "", "", "", "MS Shell Dlg", 8,
     0, 0, 1},
    {"0, 0, 10, 10\nEXSTYLE WS_EX_CONTEXTHELP | WS_EX_TOOLWINDOW", 0x80880000, 0x480, 0, "", "", "",
     "", 0, 0, 0, 0},
    {"0, 0, 10, 10, 55", 0x80880000, 0, 55, "", "", "", "", 0, 0, 0, 0},
    {"0, 0, 10, 10\nCLASS \"MyClass\"\nMENU IDR_MENU", 0x80880000, 0, 0, "", "#200", "MyClass", "",
     0, 0, 0, 0},
    {"0, 0, 10, 10\nMENU MainMenu", 0x80880000, 0, 0, "", "MAINMENU", "", "", 0, 0, 0, 0},
    {"DISCARDABLE 0, 0, 10, 10\nSTYLE NOT WS_VISIBLE | WS_POPUP", 0x80000000, 0, 0, "", "", "", "",
     0, 0, 0, 0},
};

TEST(DialogHeader, StyleFontMenuAndClass) {
    kvtest::TempDir dir;
    for (const HeaderRow& row : kHeaders) {
        SCOPED_TRACE(row.header);
        ReadDialog d = compileDialog(
            dir, std::string("#define IDR_MENU 200\n1 DIALOGEX ") + row.header + "\nBEGIN\nEND\n");
        EXPECT_EQ(d.version, 1);
        EXPECT_EQ(d.signature, 0xFFFF);
        EXPECT_EQ(d.style, row.style) << std::hex << "got 0x" << d.style;
        EXPECT_EQ(d.exStyle, row.exStyle);
        EXPECT_EQ(d.helpId, row.helpId);
        EXPECT_EQ(d.title, row.title);
        EXPECT_EQ(d.menu, row.menu);
        EXPECT_EQ(d.windowClass, row.windowClass);
        EXPECT_EQ(d.hasFont, row.face[0] != '\0');
        EXPECT_EQ(d.face, row.face);
        EXPECT_EQ(d.pointSize, row.pointSize);
        EXPECT_EQ(d.weight, row.weight);
        EXPECT_EQ(d.italic, row.italic);
        EXPECT_EQ(d.charset, row.charset);
        EXPECT_EQ(d.count, 0);
    }
}

TEST(DialogTemplate, ItemsStartOnDwordBoundaries) {
    kvtest::TempDir dir;
    // Odd-length texts and classes push each following item off a DWORD boundary unless padded.
    ReadDialog d = compileDialog(dir,
                                 "1 DIALOGEX 1, 2, 30, 40\n"
                                 "CAPTION \"Odd\"\nFONT 8, \"Abc\"\n"
                                 "BEGIN\n"
                                 "  LTEXT \"a\", 1, 0, 0, 1, 1\n"
                                 "  CONTROL \"ab\", 2, \"Cls\", 0, 0, 0, 1, 1\n"
                                 "  EDITTEXT 3, 0, 0, 1, 1\n"
                                 "  PUSHBUTTON \"abc\", 4, 0, 0, 1, 1\n"
                                 "END\n");
    ASSERT_EQ(d.items.size(), 4u);
    for (std::size_t i = 0; i < d.items.size(); ++i) {
        EXPECT_EQ(d.itemOffsets[i] % 4, 0u) << "item " << i;
        EXPECT_EQ(d.items[i].id, i + 1);
    }
    EXPECT_EQ(d.x, 1);
    EXPECT_EQ(d.cy, 40);
    EXPECT_EQ(d.items[1].windowClass, "Cls");
}

TEST(DialogTemplate, LanguageAndNamesOfDialogs) {
    kvtest::TempDir dir;
    kvrc::Script s = rctest::compile(dir,
                                     "LANGUAGE LANG_GERMAN, SUBLANG_GERMAN\n"
                                     "Named DIALOGEX 0, 0, 1, 1 BEGIN END\n"
                                     "2 DIALOG 0, 0, 1, 1 LANGUAGE LANG_JAPANESE, 1 { }\n");
    ASSERT_EQ(s.resources.size(), 2u);
    EXPECT_TRUE(s.resources[0].name.isName);
    EXPECT_EQ(s.resources[0].name.name, "NAMED");
    EXPECT_EQ(s.resources[0].language, 0x0407);
    EXPECT_EQ(s.resources[1].name.ordinal, 2);
    EXPECT_EQ(s.resources[1].language, 0x0411);
}

}  // namespace
