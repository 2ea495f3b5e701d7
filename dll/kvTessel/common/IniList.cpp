// Reading and writing ";"-separated path lists of configuration files, with variable
// references and paths relative to the configuration file.
#include "IniList.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

#include "InstallEnvironment.h"
#include "kvwin32/ascii.h"
#include "kvwin32/crt.h"

namespace {

constexpr char kSeparator = ';';
constexpr char kQuote = '"';
constexpr std::string_view kPlainNotation = "_false";
// The buffer the writer reads the current value into, as the reader of the original did.
constexpr DWORD kCurrentValueSize = 1024;

// The non-empty pieces of a text split at ";".
std::vector<std::string_view> splitPieces(std::string_view text) {
    std::vector<std::string_view> pieces;
    std::size_t begin = 0;
    while (begin <= text.size()) {
        std::size_t end = text.find(kSeparator, begin);
        if (end == std::string_view::npos)
            end = text.size();
        if (end > begin)
            pieces.push_back(text.substr(begin, end - begin));
        begin = end + 1;
    }
    return pieces;
}

// A piece without the quote characters around it (every leading and trailing one).
std::string_view stripQuotes(std::string_view piece) {
    while (!piece.empty() && piece.front() == kQuote)
        piece.remove_prefix(1);
    while (!piece.empty() && piece.back() == kQuote)
        piece.remove_suffix(1);
    return piece;
}

using kvwin32::ascii::equalNoCase;

// The value a list refers to by name: TDSROOT is the installation root even where the
// variable itself is not set; any other name comes from the environment. Empty means none.
std::string referenceValue(const std::string& name) {
    if (name == "TDSROOT")
        return GetInstallRoot();
    const char* value = kvcrt::getenv(name.c_str());
    return value ? std::string(value) : std::string();
}

// Expands pieces one by one; the configuration file is located once, on the first relative
// item, since locating it may create the per-user copy.
class Expander {
  public:
    void add(std::string_view rawPiece, std::vector<IniListItem>& items) {
        std::string_view piece = stripQuotes(rawPiece);
        if (!piece.empty() && piece.front() == '$')
            addReference(piece, items);
        else if (piece.starts_with(".\\") || piece.starts_with("..\\"))
            addRelative(piece, items);
        else
            items.push_back(
                {std::string(piece), IniItemNotation::Plain, std::string(kPlainNotation)});
    }

  private:
    void addReference(std::string_view piece, std::vector<IniListItem>& items) {
        std::string_view reference = piece.substr(1);
        std::size_t slash = reference.find('\\');
        std::string name(reference.substr(0, slash));
        std::string_view rest =
            slash == std::string_view::npos ? std::string_view() : reference.substr(slash);
        const std::string value = referenceValue(name);
        // A variable may itself hold a list: each of its parts gets the rest appended.
        for (std::string_view part : splitPieces(value)) {
            items.push_back({std::string(stripQuotes(part)) + std::string(rest),
                             IniItemNotation::Reference, std::string(reference)});
        }
    }

    void addRelative(std::string_view piece, std::vector<IniListItem>& items) {
        std::string_view rest = piece;
        int levelsUp = 0;
        for (;;) {
            if (rest.starts_with(".\\")) {
                rest.remove_prefix(2);
            } else if (rest.starts_with("..\\")) {
                rest.remove_prefix(3);
                ++levelsUp;
            } else {
                break;
            }
        }
        std::optional<std::string> base = baseFolder();
        // Without a configuration file there is nothing to be relative to: the item stays as
        // written, which keeps it meaningful to the current directory at least.
        if (!base) {
            items.push_back({std::string(piece), IniItemNotation::Relative, std::string(piece)});
            return;
        }
        std::string folder = *base;
        for (int i = 0; i < levelsUp; ++i) {
            std::size_t slash = folder.find_last_of("\\/");
            // The first component (a drive, or the top folder) is never climbed out of.
            if (slash == std::string::npos || slash == 0)
                break;
            folder.erase(slash);
        }
        items.push_back(
            {folder + "\\" + std::string(rest), IniItemNotation::Relative, std::string(piece)});
    }

    // The folder of the configuration file, without its file name; nullopt when there is no
    // configuration file or its path has no folder.
    const std::optional<std::string>& baseFolder() {
        if (!m_baseKnown) {
            m_baseKnown = true;
            std::string ini = GetIniFilePath();
            std::size_t slash = ini.find_last_of("\\/");
            if (slash != std::string::npos && slash > 0)
                m_base = ini.substr(0, slash);
        }
        return m_base;
    }

    bool m_baseKnown = false;
    std::optional<std::string> m_base;
};

// Copies text into a caller's buffer of size bytes (at least 1), cut to fit.
void copyBounded(std::string_view text, LPSTR buffer, DWORD size) {
    std::size_t n = std::min<std::size_t>(text.size(), size - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

void appendItem(std::string& list, std::string_view item, bool quote) {
    if (!list.empty())
        list += kSeparator;
    if (quote)
        list += kQuote;
    list += item;
    if (quote)
        list += kQuote;
}

}  // namespace

std::vector<IniListItem> ExpandIniList(std::string_view value) {
    std::vector<IniListItem> items;
    Expander expander;
    for (std::string_view piece : splitPieces(value))
        expander.add(piece, items);
    return items;
}

int ReadIniList(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size,
                LPCSTR fileName, bool quote) {
    if (!buffer || size == 0)
        return 0;
    // A null section or key would make the reader list names instead of reading a value;
    // lists are always asked for by name, so that is treated as a missing value.
    DWORD read = 0;
    if (section && key)
        read = GetPrivateProfileStringA(section, key, "", buffer, size, fileName);
    if (read == 0) {
        copyBounded(defaultValue ? defaultValue : "", buffer, size);
        return 0;
    }

    const std::string asRead(buffer, read);
    std::vector<IniListItem> items = ExpandIniList(asRead);
    // The joined list must fit the caller's buffer: items that do not fit whole are left out
    // (a path cut short would name something else), and when not even the first fits the
    // buffer keeps the value as read.
    std::string list;
    const std::string* previous = nullptr;
    for (const IniListItem& item : items) {
        if (item.text.empty() || (previous && *previous == item.text))
            continue;
        previous = &item.text;
        std::string longer = list;
        appendItem(longer, item.text, quote);
        if (longer.size() >= size)
            break;
        list = std::move(longer);
    }
    if (!list.empty())
        copyBounded(list, buffer, size);
    return 1;
}

int WriteIniList(LPCSTR section, LPCSTR key, LPCSTR newValue, LPCSTR fileName, bool quote) {
    std::array<char, kCurrentValueSize> current{};
    if (section && key)
        GetPrivateProfileStringA(section, key, "", current.data(), kCurrentValueSize, fileName);
    std::vector<IniListItem> table = ExpandIniList(current.data());

    std::vector<std::string_view> newItems;
    for (std::string_view piece : splitPieces(newValue ? newValue : ""))
        newItems.push_back(stripQuotes(piece));

    // Entries the new value repeats move to the matched table; the notations of the rest
    // must not come back through another item that happens to share them.
    std::vector<IniListItem> matched;
    for (std::string_view item : newItems) {
        auto it = std::find_if(table.begin(), table.end(), [&](const IniListItem& entry) {
            return equalNoCase(entry.text, item);
        });
        if (it != table.end()) {
            matched.push_back(std::move(*it));
            table.erase(it);
        }
    }
    std::vector<std::string> doNotRepeat;
    for (const IniListItem& entry : table)
        doNotRepeat.push_back(entry.notation);

    std::string list;
    for (std::string_view item : newItems) {
        auto it = std::find_if(matched.begin(), matched.end(), [&](const IniListItem& entry) {
            return equalNoCase(entry.text, item);
        });
        if (it == matched.end()) {
            appendItem(list, item, quote);
            continue;
        }
        if (it->kind == IniItemNotation::Plain) {
            appendItem(list, it->text, quote);
            continue;
        }
        // One reference may stand for several items: it is written once, for the first.
        if (std::find(doNotRepeat.begin(), doNotRepeat.end(), it->notation) != doNotRepeat.end())
            continue;
        doNotRepeat.push_back(it->notation);
        appendItem(list, it->kind == IniItemNotation::Reference ? "$" + it->notation : it->notation,
                   quote);
    }
    WritePrivateProfileStringA(section, key, list.c_str(), fileName);
    return 1;
}
