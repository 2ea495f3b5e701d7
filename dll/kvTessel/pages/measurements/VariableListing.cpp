// The variable list's filter and listing, kept apart from the page's window.
#include "VariableListing.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "Wildcard.h"

namespace {

bool isTrimmed(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && isTrimmed(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isTrimmed(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

char KindLetter(VariableKind kind) {
    switch (kind) {
        case VariableKind::voltage:
            return 'V';
        case VariableKind::current:
            return 'I';
        case VariableKind::power:
            break;
    }
    return 'W';
}

std::vector<OutputVariable>& VariablesOf(MeasurementSettings& settings, VariableKind kind) {
    switch (kind) {
        case VariableKind::voltage:
            return settings.voltageVars;
        case VariableKind::current:
            return settings.currentVars;
        case VariableKind::power:
            break;
    }
    return settings.powerVars;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) ==
               std::toupper(static_cast<unsigned char>(y));
    });
}

FilterChoice ChooseFilter(std::string_view editText, std::string_view lastFilter,
                          bool listIsEmpty) {
    std::string filter(trim(editText));
    if (filter.empty()) {
        filter = "*";
    }
    const std::string last = lastFilter.empty() ? std::string("*") : std::string(lastFilter);
    if (EqualNoCase(filter, last) && !listIsEmpty) {
        return {filter, false};
    }
    if (filter.find_first_of("*?") == std::string::npos) {
        return {last, false};
    }
    return {filter, true};
}

void MarkListed(MeasurementSettings& settings, std::string_view filter) {
    const bool everything = filter == "*";
    const WildcardPattern pattern(everything ? std::string_view() : filter);
    for (const VariableKind kind : kVariableKinds) {
        for (OutputVariable& variable : VariablesOf(settings, kind)) {
            variable.listed = everything || pattern.matches(variable.name) ? 1 : 0;
        }
    }
}

int AddListedNames(HWND list, const std::vector<OutputVariable>& variables) {
    // The names go in in the list box's order (the case-insensitive word sort a sorted list box
    // keeps), so that each one lands right after the one before and the list box finds its
    // place at once. They are put in that order by their sort keys, all in one buffer, which
    // compare as plain bytes. A name is what the list box takes of it: up to a zero byte.
    struct Keyed {
        std::size_t key;     // offset of the sort key in `keys`
        std::size_t length;  // its length
        const char* name;
    };
    std::vector<Keyed> listed;
    std::size_t room = 0;
    for (const OutputVariable& variable : variables) {
        if (variable.listed) {
            room += 2 * variable.name.size() + 2;
        }
    }
    std::vector<char> keys(room);
    std::size_t used = 0;
    for (const OutputVariable& variable : variables) {
        if (!variable.listed) {
            continue;
        }
        const std::string_view name(variable.name.c_str());
        // Up to the terminator: an empty name has a key too (a count of 0 is refused).
        const int length =
            LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, name.data(), -1,
                         keys.data() + used, static_cast<int>(keys.size() - used));
        listed.push_back({used, static_cast<std::size_t>(length), name.data()});
        used += static_cast<std::size_t>(length);
    }
    const char* base = keys.data();
    std::sort(listed.begin(), listed.end(), [base](const Keyed& a, const Keyed& b) {
        const int order = std::memcmp(base + a.key, base + b.key, std::min(a.length, b.length));
        return order != 0 ? order < 0 : a.length < b.length;
    });
    SendMessageA(list, LB_INITSTORAGE, listed.size(), static_cast<LPARAM>(used));
    int added = 0;
    for (const Keyed& entry : listed) {
        if (SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.name)) >= 0) {
            ++added;
        }
    }
    return added;
}
