// DLGTEMPLATEEX writer.
#include "DialogTemplate.h"

#include <cctype>

#include "kvwin32/styles.h"

namespace kvrc {

namespace {

class ByteWriter {
  public:
    void word(std::uint16_t v) {
        m_bytes.push_back(static_cast<std::uint8_t>(v & 0xFF));
        m_bytes.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    void dword(std::uint32_t v) {
        word(static_cast<std::uint16_t>(v & 0xFFFF));
        word(static_cast<std::uint16_t>(v >> 16));
    }
    void byte(std::uint8_t v) { m_bytes.push_back(v); }
    void text(const std::u16string& s) {
        for (char16_t c : s)
            word(c);
        word(0);
    }
    void nameOrOrdinal(const NameOrOrdinal& n) {
        switch (n.kind) {
            case NameOrOrdinal::Kind::None:
                word(0);
                break;
            case NameOrOrdinal::Kind::Ordinal:
                word(0xFFFF);
                word(n.ordinal);
                break;
            case NameOrOrdinal::Kind::Text:
                text(n.text);
                break;
        }
    }
    // Items start on a DWORD boundary of the template.
    void alignDword() {
        while (m_bytes.size() % 4)
            m_bytes.push_back(0);
    }
    std::vector<std::uint8_t> take() { return std::move(m_bytes); }

  private:
    std::vector<std::uint8_t> m_bytes;
};

}  // namespace

std::vector<std::uint8_t> writeDialogTemplate(const Dialog& d) {
    ByteWriter w;
    w.word(1);       // dlgVer
    w.word(0xFFFF);  // signature: the extended template
    w.dword(d.helpId);
    w.dword(d.exStyle);
    w.dword(d.style);
    w.word(static_cast<std::uint16_t>(d.controls.size()));
    for (std::int16_t v : {d.x, d.y, d.cx, d.cy})
        w.word(static_cast<std::uint16_t>(v));
    w.nameOrOrdinal(d.menu);
    w.nameOrOrdinal(d.windowClass);
    w.text(d.title);
    if (d.style & DS_SETFONT) {
        DialogFont font = d.font.value_or(DialogFont{});
        w.word(font.pointSize);
        w.word(font.weight);
        w.byte(font.italic);
        w.byte(font.charset);
        w.text(font.face);
    }
    for (const DialogControl& c : d.controls) {
        w.alignDword();
        w.dword(c.helpId);
        w.dword(c.exStyle);
        w.dword(c.style);
        for (std::int16_t v : {c.x, c.y, c.cx, c.cy})
            w.word(static_cast<std::uint16_t>(v));
        w.dword(c.id);
        w.nameOrOrdinal(c.windowClass);
        w.nameOrOrdinal(c.title);
        w.word(0);  // no creation data
    }
    return w.take();
}

std::uint16_t classAtomOf(const std::u16string& className) {
    static const struct {
        std::u16string_view name;
        std::uint16_t atom;
    } kClasses[] = {{u"BUTTON", ClassAtom::Button},       {u"EDIT", ClassAtom::Edit},
                    {u"STATIC", ClassAtom::Static},       {u"LISTBOX", ClassAtom::ListBox},
                    {u"SCROLLBAR", ClassAtom::ScrollBar}, {u"COMBOBOX", ClassAtom::ComboBox}};
    for (const auto& c : kClasses) {
        if (c.name.size() != className.size())
            continue;
        bool same = true;
        for (std::size_t i = 0; i < className.size() && same; ++i) {
            char16_t ch = className[i];
            if (ch >= u'a' && ch <= u'z')
                ch = static_cast<char16_t>(ch - u'a' + u'A');
            same = ch == c.name[i];
        }
        if (same)
            return c.atom;
    }
    return 0;
}

}  // namespace kvrc
