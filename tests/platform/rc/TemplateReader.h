// Test helper: reads a DLGTEMPLATEEX image back into fields, independently of the writer, so
// that tests check the bytes Windows would read.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace rctest {

// A name-or-ordinal field as read: "" (absent), "#123" (ordinal) or the text in UTF-8-less
// ASCII (non-ASCII units as \uXXXX).
struct ReadItem {
    std::uint32_t helpId, exStyle, style;
    std::int16_t x, y, cx, cy;
    std::uint32_t id;
    std::string windowClass, title;
    std::uint16_t extra;
};

struct ReadDialog {
    std::uint16_t version, signature;
    std::uint32_t helpId, exStyle, style;
    std::uint16_t count;
    std::int16_t x, y, cx, cy;
    std::string menu, windowClass, title;
    bool hasFont = false;
    std::uint16_t pointSize = 0, weight = 0;
    std::uint8_t italic = 0, charset = 0;
    std::string face;
    std::vector<ReadItem> items;
    std::size_t itemOffsets[64] = {};  // where each item began, to check alignment
};

class TemplateReader {
  public:
    explicit TemplateReader(const std::vector<std::uint8_t>& bytes) : m_bytes(bytes) {}

    ReadDialog read() {
        ReadDialog d;
        d.version = word();
        d.signature = word();
        d.helpId = dword();
        d.exStyle = dword();
        d.style = dword();
        d.count = word();
        d.x = static_cast<std::int16_t>(word());
        d.y = static_cast<std::int16_t>(word());
        d.cx = static_cast<std::int16_t>(word());
        d.cy = static_cast<std::int16_t>(word());
        d.menu = nameOrOrdinal();
        d.windowClass = nameOrOrdinal();
        d.title = text();
        if (d.style & 0x40) {  // DS_SETFONT
            d.hasFont = true;
            d.pointSize = word();
            d.weight = word();
            d.italic = byte();
            d.charset = byte();
            d.face = text();
        }
        for (unsigned i = 0; i < d.count; ++i) {
            while (m_pos % 4)
                ++m_pos;
            if (i < 64)
                d.itemOffsets[i] = m_pos;
            ReadItem it;
            it.helpId = dword();
            it.exStyle = dword();
            it.style = dword();
            it.x = static_cast<std::int16_t>(word());
            it.y = static_cast<std::int16_t>(word());
            it.cx = static_cast<std::int16_t>(word());
            it.cy = static_cast<std::int16_t>(word());
            it.id = dword();
            it.windowClass = nameOrOrdinal();
            it.title = nameOrOrdinal();
            it.extra = word();
            m_pos += it.extra;
            d.items.push_back(it);
        }
        return d;
    }

    bool overran() const { return m_overrun; }
    std::size_t position() const { return m_pos; }

  private:
    std::uint8_t byte() {
        if (m_pos >= m_bytes.size()) {
            m_overrun = true;
            return 0;
        }
        return m_bytes[m_pos++];
    }
    std::uint16_t word() {
        std::uint16_t lo = byte();
        return static_cast<std::uint16_t>(lo | (byte() << 8));
    }
    std::uint32_t dword() {
        std::uint32_t lo = word();
        return lo | (static_cast<std::uint32_t>(word()) << 16);
    }
    std::string text() {
        std::string out;
        for (std::uint16_t c; (c = word()) != 0 && !m_overrun;) {
            if (c < 0x80) {
                out.push_back(static_cast<char>(c));
            } else {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04X", c);
                out += buf;
            }
        }
        return out;
    }
    std::string nameOrOrdinal() {
        if (m_pos + 1 < m_bytes.size() && m_bytes[m_pos] == 0xFF && m_bytes[m_pos + 1] == 0xFF) {
            m_pos += 2;
            return "#" + std::to_string(word());
        }
        return text();
    }

    const std::vector<std::uint8_t>& m_bytes;
    std::size_t m_pos = 0;
    bool m_overrun = false;
};

}  // namespace rctest
