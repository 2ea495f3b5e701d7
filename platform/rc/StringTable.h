// The string table of a script: strings collected from every STRINGTABLE statement, written
// as Windows stores them, in blocks of sixteen counted UTF-16 strings. String n lives in block
// n / 16 + 1 at slot n % 16; slots without a string have length 0.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "Script.h"

namespace kvrc {

class StringTable {
  public:
    // Adds string `id` in a language; a second string with the same id and language is an
    // error (RcError at `where`), as is a string longer than a block slot can count.
    void add(std::uint16_t id, std::uint16_t language, std::u16string text, const Location& where);

    // One RT_STRING resource per block that holds a string, by language then block number.
    std::vector<Resource> blocks() const;

  private:
    struct Entry {
        std::u16string text;
        Location where;
    };
    std::map<std::pair<std::uint16_t, std::uint16_t>, Entry> m_strings;  // (language, id)
};

}  // namespace kvrc
