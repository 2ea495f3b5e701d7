// A dialog as a resource script describes it, and its DLGTEMPLATEEX image: the extended
// template header, then each control's DLGITEMTEMPLATEEX on a DWORD boundary, strings in
// UTF-16, names and classes as "sz_Or_Ord" fields.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kvrc {

// A name-or-ordinal field: absent, an ordinal (0xFFFF then the ordinal) or a string.
struct NameOrOrdinal {
    enum class Kind { None, Ordinal, Text };
    Kind kind = Kind::None;
    std::uint16_t ordinal = 0;
    std::u16string text;

    static NameOrOrdinal fromOrdinal(std::uint16_t n) { return {Kind::Ordinal, n, {}}; }
    static NameOrOrdinal fromText(std::u16string t) { return {Kind::Text, 0, std::move(t)}; }
};

// Atoms of the predefined window classes, which templates carry instead of the class names.
namespace ClassAtom {
inline constexpr std::uint16_t Button = 0x0080;
inline constexpr std::uint16_t Edit = 0x0081;
inline constexpr std::uint16_t Static = 0x0082;
inline constexpr std::uint16_t ListBox = 0x0083;
inline constexpr std::uint16_t ScrollBar = 0x0084;
inline constexpr std::uint16_t ComboBox = 0x0085;
}  // namespace ClassAtom

struct DialogControl {
    std::uint32_t helpId = 0;
    std::uint32_t exStyle = 0;
    std::uint32_t style = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    std::uint32_t id = 0;
    NameOrOrdinal windowClass;
    NameOrOrdinal title;
};

struct DialogFont {
    std::uint16_t pointSize = 8;
    std::uint16_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t charset = 1;  // DEFAULT_CHARSET
    std::u16string face;
};

struct Dialog {
    std::uint32_t helpId = 0;
    std::uint32_t exStyle = 0;
    std::uint32_t style = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    NameOrOrdinal menu;
    NameOrOrdinal windowClass;
    std::u16string title;
    std::optional<DialogFont> font;  // written when the style has DS_SETFONT
    std::vector<DialogControl> controls;
};

// The DLGTEMPLATEEX bytes of a dialog (at most 65535 controls).
std::vector<std::uint8_t> writeDialogTemplate(const Dialog& dialog);

// The atom of a predefined class name ("Button", "edit" ...), or 0 for any other class.
std::uint16_t classAtomOf(const std::u16string& className);

}  // namespace kvrc
