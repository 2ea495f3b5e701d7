// Windows-1252 <-> UTF-8. The code page equals Latin-1 except for 0x80-0x9F, where Windows
// places typographic characters; the table below is the code page's own definition of that
// range.
#include "Ansi.h"

#include <array>
#include <cstdio>

namespace kvhost {
namespace {

// Code points of bytes 0x80-0x9F. Entries equal to the byte are the five undefined bytes,
// which Windows passes through as C1 controls.
constexpr std::array<char32_t, 32> kHighRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        // Every code point of the code page lies in the Basic Multilingual Plane.
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string hexCodePoint(char32_t cp) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(cp));
    return buf;
}

// Decodes one UTF-8 sequence at `pos`, advancing it; nothing for a malformed, overlong,
// surrogate or out-of-range sequence.
std::optional<char32_t> decodeUtf8(std::string_view s, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(s[pos]);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    std::size_t length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        cp = lead & 0x1F;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        cp = lead & 0x0F;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        cp = lead & 0x07;
        minimum = 0x10000;
    } else {
        return std::nullopt;
    }
    if (s.size() - pos < length) {
        return std::nullopt;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto c = static_cast<unsigned char>(s[pos + i]);
        if ((c & 0xC0) != 0x80) {
            return std::nullopt;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return std::nullopt;
    }
    pos += length;
    return cp;
}

}  // namespace

char32_t ansiToCodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        return kHighRange[byte - 0x80];
    }
    return byte;
}

std::optional<unsigned char> codePointToAnsi(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        return static_cast<unsigned char>(cp);
    }
    for (std::size_t i = 0; i < kHighRange.size(); ++i) {
        if (kHighRange[i] == cp) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return std::nullopt;
}

std::string ansiToUtf8(std::string_view ansi) {
    std::string out;
    out.reserve(ansi.size());
    for (const char c : ansi) {
        appendUtf8(out, ansiToCodePoint(static_cast<unsigned char>(c)));
    }
    return out;
}

Result<std::string> utf8ToAnsi(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::size_t at = pos;
        const auto cp = decodeUtf8(utf8, pos);
        if (!cp) {
            return Error{"is not valid UTF-8 (byte " + std::to_string(at) + ")"};
        }
        const auto byte = codePointToAnsi(*cp);
        if (!byte) {
            return Error{"holds " + hexCodePoint(*cp) +
                         ", a character that Windows-1252 cannot represent"};
        }
        out += static_cast<char>(*byte);
    }
    return out;
}

std::string escapeControls(std::string_view utf8) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(utf8.size());
    auto escapeByte = [&](unsigned value) {
        out += "\\x";
        out += kHex[(value >> 4) & 0xF];
        out += kHex[value & 0xF];
    };
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::size_t at = pos;
        const auto cp = decodeUtf8(utf8, pos);
        if (!cp) {
            escapeByte(static_cast<unsigned char>(utf8[at]));
            pos = at + 1;
            continue;
        }
        if (*cp == '\n') {
            out += "\\n";
        } else if (*cp == '\t') {
            out += "\\t";
        } else if (*cp == '\r') {
            out += "\\r";
        } else if (*cp < 0x20 || (*cp >= 0x7F && *cp <= 0x9F)) {
            escapeByte(static_cast<unsigned>(*cp));
        } else {
            out.append(utf8, at, pos - at);
        }
    }
    return out;
}

std::string ansiToDisplay(std::string_view ansi) {
    return escapeControls(ansiToUtf8(ansi));
}

std::string jsonForTerminal(std::string_view json) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(json.size());
    for (std::size_t i = 0; i < json.size(); ++i) {
        const auto c = static_cast<unsigned char>(json[i]);
        const auto next = i + 1 < json.size() ? static_cast<unsigned char>(json[i + 1]) : 0;
        if (c == 0xC2 && next >= 0x80 && next <= 0x9F) {
            out += "\\u00";
            out += kHex[next >> 4];
            out += kHex[next & 0xF];
            ++i;
            continue;
        }
        out += static_cast<char>(c);
    }
    return out;
}

}  // namespace kvhost
