// Reading dialog templates: the DLGTEMPLATE of the first Windows versions and the DLGTEMPLATEEX
// that resource compilers write today. Both are a fixed header followed by variable-length
// fields in UTF-16: menu, class and title (each empty, an ordinal after 0xFFFF, or a string),
// an optional font, then the items, each starting on a DWORD boundary of the template.
// Templates come from resource files a user may have edited, so every read is bounded.
#include <cstring>

#include "internal/dialog.h"
#include "kvwin32/resource_data.h"
#include "kvwin32/resources.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"

namespace kvwin32::internal {
namespace {

// The predefined control classes a template names by ordinal.
struct PredefinedClass {
    WORD atom;
    const char* name;
};
constexpr PredefinedClass kPredefinedClasses[] = {
    {0x0080, "Button"},  {0x0081, "Edit"},      {0x0082, "Static"},
    {0x0083, "ListBox"}, {0x0084, "ScrollBar"}, {0x0085, "ComboBox"},
};

// A bounded little-endian reader over the template's bytes; once a read runs past the end,
// every later read yields zero and failed() stays true.
class TemplateCursor {
  public:
    TemplateCursor(const BYTE* data, std::size_t size) : m_data(data), m_size(size) {}

    bool failed() const { return m_failed; }
    std::size_t position() const { return m_pos; }

    BYTE byte() {
        if (m_failed || m_pos >= m_size) {
            m_failed = true;
            return 0;
        }
        return m_data[m_pos++];
    }
    WORD word() {
        WORD lo = byte();
        return static_cast<WORD>(lo | (byte() << 8));
    }
    DWORD dword() {
        DWORD lo = word();
        return lo | (static_cast<DWORD>(word()) << 16);
    }
    short coordinate() { return static_cast<short>(word()); }

    // A zero-terminated UTF-16 string in the ANSI code page.
    std::string text() {
        std::string out;
        for (WORD unit = word(); unit != 0 && !m_failed; unit = word()) {
            out.push_back(kvres::toCp1252(static_cast<char16_t>(unit)));
        }
        return out;
    }

    // A name-or-ordinal field; ordinals come back through `ordinal`.
    std::string nameOrOrdinal(WORD* ordinal = nullptr) {
        if (m_pos + 1 < m_size && m_data[m_pos] == 0xFF && m_data[m_pos + 1] == 0xFF) {
            m_pos += 2;
            WORD value = word();
            if (ordinal) {
                *ordinal = value;
            }
            return "#" + std::to_string(value);
        }
        return text();
    }

    void alignTo(std::size_t boundary) {
        while (m_pos % boundary != 0 && !m_failed) {
            byte();
        }
    }

    std::vector<BYTE> bytes(std::size_t count) {
        if (m_failed || count > m_size - m_pos) {
            m_failed = true;
            return {};
        }
        std::vector<BYTE> out(m_data + m_pos, m_data + m_pos + count);
        m_pos += count;
        return out;
    }

  private:
    const BYTE* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
    bool m_failed = false;
};

std::string classNameOf(TemplateCursor& in) {
    WORD ordinal = 0;
    std::string name = in.nameOrOrdinal(&ordinal);
    if (ordinal != 0) {
        for (const PredefinedClass& c : kPredefinedClasses) {
            if (c.atom == ordinal) {
                return c.name;
            }
        }
    }
    return name;
}

// Creation data: a WORD with its size, then the data; the control gets both. The extended
// template counts the bytes after the WORD, the old one counts the WORD too.
std::vector<BYTE> creationDataOf(TemplateCursor& in, bool extended) {
    WORD size = in.word();
    if (size == 0) {
        return {};
    }
    std::vector<BYTE> data(sizeof(WORD));
    std::memcpy(data.data(), &size, sizeof size);
    std::size_t bodySize = extended ? size : (size > sizeof(WORD) ? size - sizeof(WORD) : 0);
    std::vector<BYTE> body = in.bytes(bodySize);
    data.insert(data.end(), body.begin(), body.end());
    return data;
}

DialogItemTemplate readItem(TemplateCursor& in, bool extended) {
    DialogItemTemplate item;
    in.alignTo(4);
    if (extended) {
        item.helpId = in.dword();
        item.exStyle = in.dword();
        item.style = in.dword();
    } else {
        item.style = in.dword();
        item.exStyle = in.dword();
    }
    item.x = in.coordinate();
    item.y = in.coordinate();
    item.cx = in.coordinate();
    item.cy = in.coordinate();
    item.id = extended ? in.dword() : in.word();
    item.className = classNameOf(in);
    WORD titleOrdinal = 0;
    item.title = in.nameOrOrdinal(&titleOrdinal);
    if (titleOrdinal != 0) {
        item.title.clear();
    }
    item.creationData = creationDataOf(in, extended);
    return item;
}

}  // namespace

std::optional<DialogTemplate> readDialogTemplate(const void* data, std::size_t size) {
    if (data == nullptr) {
        return std::nullopt;
    }
    TemplateCursor in(static_cast<const BYTE*>(data), size);
    DialogTemplate d;
    WORD first = in.word();
    WORD second = in.word();
    const bool extended = first == 1 && second == 0xFFFF;
    if (extended) {
        d.helpId = in.dword();
        d.exStyle = in.dword();
        d.style = in.dword();
    } else {
        d.style = static_cast<DWORD>(first) | (static_cast<DWORD>(second) << 16);
        d.exStyle = in.dword();
    }
    WORD count = in.word();
    d.x = in.coordinate();
    d.y = in.coordinate();
    d.cx = in.coordinate();
    d.cy = in.coordinate();
    d.menu = in.nameOrOrdinal();
    d.className = classNameOf(in);
    d.title = in.text();
    if (d.style & DS_SETFONT) {
        d.hasFont = true;
        d.pointSize = in.word();
        if (extended) {
            d.weight = in.word();
            d.italic = in.byte() != 0;
            in.byte();  // character set
        }
        d.face = in.text();
    }
    // Each item takes at least 24 bytes: a count larger than the rest can hold is a lie.
    if (in.failed() || count > (size - in.position()) / 24 + 1) {
        return std::nullopt;
    }
    d.items.reserve(count);
    for (WORD i = 0; i < count && !in.failed(); ++i) {
        d.items.push_back(readItem(in, extended));
    }
    if (in.failed()) {
        return std::nullopt;
    }
    return d;
}

std::optional<DialogTemplate> loadDialogTemplate(HINSTANCE instance, LPCSTR name) {
    HRSRC found = FindResourceA(instance, name, RT_DIALOG);
    if (found == nullptr) {
        return std::nullopt;
    }
    const void* data = LockResource(LoadResource(instance, found));
    auto read = readDialogTemplate(data, SizeofResource(instance, found));
    if (!read) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    }
    return read;
}

}  // namespace kvwin32::internal
