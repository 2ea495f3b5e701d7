// The ".reg" reader: the text format the Windows registry editor exports and imports,
// "Windows Registry Editor Version 5.00" (regedit's UTF-16LE export) or "REGEDIT4" (8-bit).
// Text is turned into the ANSI code page (Windows-1252) the A functions speak; a malformed
// line is skipped and reported with its number, the rest of the file still applies.
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "internal/hostpath.h"
#include "internal/registry.h"
#include "kvwin32/ascii.h"
#include "kvwin32/file_write.h"
#include "kvwin32/registry_file.h"
#include "kvwin32/winerror.h"
#include "kvwin32/winreg.h"

namespace kvwin32::internal {
namespace {

// ---- Windows-1252 --------------------------------------------------------------------------

// Unicode of the bytes 0x80..0x9F; the five holes map to themselves, as Windows round-trips
// them.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

// The Windows-1252 byte of a code point, '?' for those the code page lacks.
char ansiFromCodePoint(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<char>(cp);
    for (unsigned i = 0; i < 32; ++i) {
        if (kCp1252High[i] == cp)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

// UTF-16LE code units to ANSI, one byte per character; a surrogate pair (never in
// Windows-1252) or a lone surrogate becomes one '?'. An odd trailing byte is dropped.
std::string ansiFromUtf16(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t unit = static_cast<unsigned char>(bytes[i]) |
                        (static_cast<char32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < bytes.size()) {
            char32_t next = static_cast<unsigned char>(bytes[i + 2]) |
                            (static_cast<char32_t>(static_cast<unsigned char>(bytes[i + 3])) << 8);
            if (next >= 0xDC00 && next <= 0xDFFF)
                i += 2;
        }
        out += (unit >= 0xD800 && unit <= 0xDFFF) ? '?' : ansiFromCodePoint(unit);
    }
    return out;
}

// UTF-8 to ANSI; a malformed sequence becomes '?' byte by byte.
std::string ansiFromUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length = lead < 0x80         ? 1
                             : (lead >> 5) == 6  ? 2
                             : (lead >> 4) == 14 ? 3
                             : (lead >> 3) == 30 ? 4
                                                 : 0;
        char32_t cp = length == 1   ? lead
                      : length == 2 ? lead & 0x1F
                      : length == 3 ? lead & 0x0F
                                    : lead & 0x07;
        bool valid = length != 0 && i + length <= bytes.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            auto cont = static_cast<unsigned char>(bytes[i + k]);
            if ((cont & 0xC0) != 0x80)
                valid = false;
            cp = (cp << 6) | (cont & 0x3F);
        }
        if (!valid) {
            out += '?';
            ++i;
            continue;
        }
        out += ansiFromCodePoint(cp);
        i += length;
    }
    return out;
}

// The file's text in the ANSI code page: regedit writes UTF-16LE with a byte-order mark;
// a UTF-8 byte-order mark (editors on Linux) is honoured too; anything else is taken as ANSI.
std::string fileText(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE"))
        return ansiFromUtf16(bytes.substr(2));
    if (bytes.starts_with("\xEF\xBB\xBF"))
        return ansiFromUtf8(bytes.substr(3));
    return std::string(bytes);
}

// ---- Lines -----------------------------------------------------------------------------------

std::string_view trimLeft(std::string_view s) {
    return ascii::trimLeft(s);
}

// A line's end may keep the carriage return of a CRLF file.
std::string_view trimRight(std::string_view s) {
    return ascii::trimRight(s, " \t\r");
}

// Nothing but blanks or a ';' comment.
bool isEmptyRest(std::string_view s) {
    s = trimLeft(trimRight(s));
    return s.empty() || s.front() == ';';
}

using ascii::hexDigit;

// A number of 1 to 8 hex digits filling the whole text.
std::optional<DWORD> parseHex32(std::string_view s) {
    if (s.empty() || s.size() > 8)
        return std::nullopt;
    DWORD value = 0;
    for (char c : s) {
        int d = hexDigit(c);
        if (d < 0)
            return std::nullopt;
        value = (value << 4) | static_cast<DWORD>(d);
    }
    return value;
}

// ---- Keys ----------------------------------------------------------------------------------

// The root names the registry editor accepts; it knows no abbreviations like HKLM.
struct RootName {
    std::string_view name;
    HKEY key;
};

const RootName* findRoot(std::string_view name) {
    static const RootName kRoots[] = {
        {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},     {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
        {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},   {"HKEY_USERS", HKEY_USERS},
        {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
    };
    for (const RootName& root : kRoots) {
        if (ascii::equalNoCase(root.name, name))
            return &root;
    }
    return nullptr;
}

// ---- The parser ------------------------------------------------------------------------------

class RegFileParser {
  public:
    explicit RegFileParser(std::string_view bytes) : m_text(fileText(bytes)) { splitLines(); }

    ParsedRegFile parse() {
        if (m_lines.empty() || !readHeader(trimLeft(trimRight(m_lines[0])))) {
            report(1,
                   "not a registry file: the first line must be \"Windows Registry Editor "
                   "Version 5.00\" or \"REGEDIT4\"");
            return std::move(m_result);
        }
        m_result.recognised = true;
        for (m_next = 1; m_next < m_lines.size();) {
            std::size_t number = m_next + 1;
            std::string_view line = trimLeft(trimRight(m_lines[m_next++]));
            if (line.empty() || line.front() == ';')
                continue;
            if (line.front() == '[') {
                readKeyLine(number, line);
            } else if (line.front() == '"' || line.front() == '@') {
                readValueLine(number, line);
            } else {
                report(number, "not a key, a value or a comment");
            }
        }
        return std::move(m_result);
    }

  private:
    enum class KeyState { None, Bad, Good };

    void splitLines() {
        std::string_view text = m_text;
        while (!text.empty()) {
            std::size_t end = text.find('\n');
            m_lines.push_back(text.substr(0, end));
            if (end == std::string_view::npos)
                break;
            text.remove_prefix(end + 1);
        }
    }

    bool readHeader(std::string_view line) {
        if (line == "Windows Registry Editor Version 5.00") {
            m_unicodeHex = true;
            return true;
        }
        return line == "REGEDIT4";
    }

    void report(std::size_t line, std::string message) {
        m_result.diagnostics.push_back({line, std::move(message)});
    }

    // "[HKEY_...\path]" creates the key, "[-HKEY_...\path]" deletes it with everything below.
    // What follows the closing bracket is ignored, as the registry editor does.
    void readKeyLine(std::size_t number, std::string_view line) {
        m_keyState = KeyState::Bad;
        std::size_t close = line.rfind(']');
        if (close == std::string_view::npos) {
            report(number, "key line without a closing ']'");
            return;
        }
        std::string_view name = line.substr(1, close - 1);
        bool remove = name.starts_with('-');
        if (remove)
            name.remove_prefix(1);
        std::size_t slash = name.find('\\');
        const RootName* root = findRoot(name.substr(0, slash));
        if (!root) {
            report(number, "unknown root key \"" + std::string(name.substr(0, slash)) + "\"");
            return;
        }
        std::string_view path = slash == std::string_view::npos ? "" : name.substr(slash + 1);
        while (!path.empty() && path.back() == '\\')
            path.remove_suffix(1);
        if (path.starts_with('\\') || path.find("\\\\") != std::string_view::npos) {
            report(number, "empty key name in \"" + std::string(name) + "\"");
            return;
        }
        if (static_cast<std::size_t>(std::count(path.begin(), path.end(), '\\')) >=
            static_cast<std::size_t>(kMaxKeyDepth)) {
            report(number, "key deeper than " + std::to_string(kMaxKeyDepth) + " levels");
            return;
        }
        RegOp op;
        op.kind = remove ? RegOpKind::DeleteKey : RegOpKind::CreateKey;
        op.root = root->key;
        op.path = std::string(path);
        op.line = number;
        m_result.ops.push_back(op);
        if (remove)
            return;  // values after a deleted key have nowhere to go
        m_keyState = KeyState::Good;
        m_root = root->key;
        m_path = op.path;
    }

    // A quoted string from line[0] == '"'; \\ and \" are the escapes, any other backslash
    // stays as written. Returns the text and leaves line after the closing quote.
    static std::optional<std::string> readQuoted(std::string_view& line) {
        std::string out;
        std::size_t i = 1;
        while (i < line.size()) {
            char c = line[i];
            if (c == '"') {
                line.remove_prefix(i + 1);
                return out;
            }
            if (c == '\\' && i + 1 < line.size() && (line[i + 1] == '\\' || line[i + 1] == '"')) {
                out += line[i + 1];
                i += 2;
                continue;
            }
            out += c;
            ++i;
        }
        return std::nullopt;
    }

    void readValueLine(std::size_t number, std::string_view line) {
        RegOp op;
        op.line = number;
        if (line.front() == '@') {
            line.remove_prefix(1);
        } else {
            auto name = readQuoted(line);
            if (!name) {
                report(number, "value name without a closing quote");
                return;
            }
            op.valueName = std::move(*name);
        }
        line = trimLeft(line);
        if (!line.starts_with('=')) {
            report(number, "value without '='");
            return;
        }
        line = trimLeft(line.substr(1));
        std::optional<std::string> problem = readData(line, op);
        if (m_keyState == KeyState::Bad)
            return;  // the key line was reported already
        if (m_keyState == KeyState::None) {
            report(number, "value before any key");
            return;
        }
        if (problem) {
            report(number, *problem);
            return;
        }
        op.root = m_root;
        op.path = m_path;
        m_result.ops.push_back(std::move(op));
    }

    // Fills op from the text after '='; the reason when the data is malformed.
    std::optional<std::string> readData(std::string_view data, RegOp& op) {
        if (data.starts_with('-')) {
            if (!isEmptyRest(data.substr(1)))
                return "unexpected text after '-'";
            op.kind = RegOpKind::DeleteValue;
            return std::nullopt;
        }
        op.kind = RegOpKind::SetValue;
        if (data.starts_with('"')) {
            auto text = readQuoted(data);
            if (!text)
                return "string without a closing quote";
            if (!isEmptyRest(data))
                return "unexpected text after the string";
            op.type = REG_SZ;
            op.data.assign(text->begin(), text->end());
            op.data.push_back(0);
            return std::nullopt;
        }
        std::size_t colon = data.find(':');
        if (colon == std::string_view::npos)
            return "unknown value type";
        std::string_view type = data.substr(0, colon);
        std::string_view rest = data.substr(colon + 1);
        if (ascii::equalNoCase(type, "dword")) {
            std::string_view digits = trimRight(rest.substr(0, rest.find(';')));
            auto value = parseHex32(digits);
            if (!value)
                return "dword needs 1 to 8 hex digits";
            op.type = REG_DWORD;
            for (int shift = 0; shift < 32; shift += 8)
                op.data.push_back(static_cast<BYTE>(*value >> shift));
            return std::nullopt;
        }
        if (ascii::equalNoCase(type, "hex")) {
            op.type = REG_BINARY;
        } else if (type.size() > 5 && ascii::equalNoCase(type.substr(0, 4), "hex(") &&
                   type.back() == ')') {
            auto number = parseHex32(type.substr(4, type.size() - 5));
            if (!number)
                return "hex(N) needs a hex type number";
            op.type = *number;
        } else {
            return "unknown value type \"" + std::string(type) + "\"";
        }
        std::string list = readContinued(rest);
        if (!parseHexList(list, op.data))
            return "malformed hex bytes";
        // In a version 5 file every string type is written as UTF-16LE bytes; the A functions
        // return them in the ANSI code page.
        bool stringType = op.type == REG_SZ || op.type == REG_EXPAND_SZ || op.type == REG_MULTI_SZ;
        if (m_unicodeHex && stringType) {
            std::string ansi = ansiFromUtf16(
                std::string_view(reinterpret_cast<const char*>(op.data.data()), op.data.size()));
            op.data.assign(ansi.begin(), ansi.end());
        }
        return std::nullopt;
    }

    // The hex list of a value with its "\" continuations joined; comments (after ';') are
    // dropped, and whole comment lines between continuation lines are skipped.
    std::string readContinued(std::string_view first) {
        std::string list;
        std::string_view piece = first;
        while (true) {
            piece = trimRight(piece.substr(0, piece.find(';')));
            if (!piece.ends_with('\\')) {
                list += piece;
                return list;
            }
            piece.remove_suffix(1);
            list += piece;
            std::string_view next;
            do {
                if (m_next >= m_lines.size())
                    return list;
                next = trimLeft(trimRight(m_lines[m_next++]));
            } while (next.starts_with(';'));
            piece = next;
        }
    }

    // "01,ab, 2f," into bytes: one or two hex digits per item, blanks around items, a trailing
    // comma allowed. An empty list is zero bytes.
    static bool parseHexList(std::string_view list, std::vector<BYTE>& out) {
        list = trimLeft(trimRight(list));
        if (list.empty())
            return true;
        if (list.back() == ',')
            list.remove_suffix(1);
        while (true) {
            std::size_t comma = list.find(',');
            std::string_view item = trimLeft(trimRight(list.substr(0, comma)));
            if (item.empty() || item.size() > 2)
                return false;
            auto value = parseHex32(item);
            if (!value)
                return false;
            out.push_back(static_cast<BYTE>(*value));
            if (comma == std::string_view::npos)
                return true;
            list.remove_prefix(comma + 1);
        }
    }

    std::string m_text;                     // the whole file in the ANSI code page
    std::vector<std::string_view> m_lines;  // views into m_text, without '\n'
    std::size_t m_next = 0;                 // index of the next line to read
    bool m_unicodeHex = false;              // version 5: hex(1), hex(2), hex(7) are UTF-16LE
    KeyState m_keyState = KeyState::None;
    HKEY m_root = nullptr;  // the key values go to
    std::string m_path;
    ParsedRegFile m_result;
};

RegFileLoad applyParsed(ParsedRegFile parsed) {
    RegFileLoad load;
    if (!parsed.recognised) {
        load.error = ERROR_BADDB;
    } else {
        applyRegOps(parsed.ops, parsed.diagnostics);
        load.error = ERROR_SUCCESS;
    }
    load.diagnostics = std::move(parsed.diagnostics);
    return load;
}

}  // namespace

ParsedRegFile parseRegFile(std::string_view bytes) {
    return RegFileParser(bytes).parse();
}

std::optional<ParsedRegFile> readRegFile(const std::string& hostPath, DWORD& error,
                                         std::string& reason) {
    // A folder, a device (whose reading might never end) or a file beyond the limit is no
    // registry file; Windows says "access denied" when a folder is opened as a file.
    std::string bytes;
    const int err = readRegularFile(hostPath, bytes);
    if (err != 0) {
        reason = fileErrorText(err);
        error = err == kFileTooLarge                       ? ERROR_NOT_ENOUGH_MEMORY
                : err == kNotARegularFile || err == EISDIR ? ERROR_ACCESS_DENIED
                                                           : errorFromErrno(err);
        return std::nullopt;
    }
    error = ERROR_SUCCESS;
    return parseRegFile(bytes);
}

}  // namespace kvwin32::internal

namespace kvwin32 {

RegFileLoad loadRegistryFile(const std::string& hostPath) {
    DWORD error = ERROR_SUCCESS;
    std::string reason;
    auto parsed = internal::readRegFile(hostPath, error, reason);
    if (!parsed) {
        RegFileLoad load;
        load.error = error;
        load.reason = std::move(reason);
        return load;
    }
    return internal::applyParsed(std::move(*parsed));
}

RegFileLoad loadRegistryText(std::string_view bytes) {
    return internal::applyParsed(internal::parseRegFile(bytes));
}

}  // namespace kvwin32
