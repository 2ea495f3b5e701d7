// String-table blocks.
#include "StringTable.h"

namespace kvrc {

void StringTable::add(std::uint16_t id, std::uint16_t language, std::u16string text,
                      const Location& where) {
    if (text.size() > 0xFFFF)
        throw RcError(where, "string " + std::to_string(id) + " too long");
    auto [it, inserted] = m_strings.try_emplace({language, id}, Entry{std::move(text), where});
    if (!inserted)
        throw RcError(where, "duplicate string id " + std::to_string(id) + " (first defined at " +
                                 it->second.where.fileName() + "(" +
                                 std::to_string(it->second.where.line) + "))");
}

std::vector<Resource> StringTable::blocks() const {
    std::vector<Resource> out;
    auto it = m_strings.begin();
    while (it != m_strings.end()) {
        const std::uint16_t language = it->first.first;
        const unsigned block = it->first.second / 16u;
        const std::u16string* slots[16] = {};
        Location where = it->second.where;
        for (; it != m_strings.end() && it->first.first == language &&
               it->first.second / 16u == block;
             ++it)
            slots[it->first.second % 16] = &it->second.text;
        Resource r;
        r.type = ResourceId::fromOrdinal(ResourceType::String);
        r.name = ResourceId::fromOrdinal(static_cast<std::uint16_t>(block + 1));
        r.language = language;
        r.where = where;
        for (const std::u16string* s : slots) {
            const std::size_t length = s ? s->size() : 0;
            r.data.push_back(static_cast<std::uint8_t>(length & 0xFF));
            r.data.push_back(static_cast<std::uint8_t>(length >> 8));
            if (!s)
                continue;
            for (char16_t c : *s) {
                r.data.push_back(static_cast<std::uint8_t>(c & 0xFF));
                r.data.push_back(static_cast<std::uint8_t>(c >> 8));
            }
        }
        out.push_back(std::move(r));
    }
    return out;
}

}  // namespace kvrc
