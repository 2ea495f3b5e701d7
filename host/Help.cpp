#include "Help.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

#include "Script.h"

namespace kvhost {
namespace {

// What each command does, in a line.
constexpr std::array<std::pair<std::string_view, std::string_view>, 38> kSummaries = {{
    {"open", "opens the sheet: modal (the next lines run inside it) or modeless"},
    {"create", "creates the modeless sheet without showing it"},
    {"show", "shows or hides the modeless sheet (DllShowModelessDialog with MODE)"},
    {"delete", "deletes the modeless sheet"},
    {"set-active", "makes page N the active page"},
    {"update-general", "updates field N of the General page with TEXT"},
    {"set-profile", "changes a member of the host's profile (KEY as in expect-profile)"},
    {"tab", "clicks the sheet's tab with that caption"},
    {"click", "clicks a control, or a part of it (a list item, a button of a button bar)"},
    {"dblclick", "double-clicks a control or one of its items"},
    {"type", "replaces the text of an edit or editable combo box as typing does"},
    {"select", "chooses an item (text or #N) of a combo box, list box or list view"},
    {"check", "sets the check box of a check-list item on or off"},
    {"key", "presses a key in a control (Enter, Escape, Tab, Space, F2, Alt+Up ...)"},
    {"click-cell", "clicks a cell of a grid (row and column from 1)"},
    {"keys", "types TEXT key by key where the focus is in a control, replacing nothing"},
    {"answer", "queues the answer (OK, Cancel, Yes, No) for the next message box"},
    {"choose-file", "queues the answer for the next file dialog"},
    {"choose-folder", "queues the answer for the next folder dialog"},
    {"pump", "dispatches what was posted to the host window"},
    {"expect", "checks a property of a control (text, enabled, checked, items, ...)"},
    {"expect-box", "checks the text of the last message box"},
    {"expect-no-box", "checks that no message box was shown"},
    {"expect-box-style", "checks the icon, buttons and caption of the last message box"},
    {"expect-edit-file", "checks that the host was asked to edit that file"},
    {"expect-help", "checks the last help request"},
    {"expect-modal", "checks the caption of the topmost modal dialog (none: no dialog)"},
    {"expect-notify", "checks that the host window was notified with CODE"},
    {"expect-no-notify", "checks that the host window was not notified"},
    {"expect-profile", "checks a member of the profile (general.designFile, ...)"},
    {"expect-title", "checks the sheet's title"},
    {"expect-active", "checks the active page's index"},
    {"expect-displayed", "checks whether the sheet is displayed"},
    {"expect-cell", "checks the text of a grid cell (the editor's while it is edited)"},
    {"expect-current-cell", "checks a grid's current cell (0 0: none)"},
    {"print", "shows a control, the active dialog (page) or the profile as JSON"},
    {"snapshot", "paints the active window into a PNG file"},
    {"help", "lists the commands, or shows one"},
}};

std::string_view summaryOf(std::string_view name) {
    for (const auto& [command, summary] : kSummaries) {
        if (command == name) {
            return summary;
        }
    }
    return {};
}

char lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

}  // namespace

std::size_t editDistance(std::string_view a, std::string_view b) {
    // Optimal string alignment distance over three rows.
    std::vector<std::size_t> before(b.size() + 1), previous(b.size() + 1), current(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        previous[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        current[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t cost = lower(a[i - 1]) == lower(b[j - 1]) ? 0 : 1;
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + cost});
            if (i > 1 && j > 1 && lower(a[i - 1]) == lower(b[j - 2]) &&
                lower(a[i - 2]) == lower(b[j - 1])) {
                current[j] = std::min(current[j], before[j - 2] + 1);
            }
        }
        before.swap(previous);
        previous.swap(current);
    }
    return previous[b.size()];
}

std::string didYouMean(std::string_view word, const std::vector<std::string>& candidates) {
    // A word that is a name already (quoted, say) is not misspelled.
    if (word.empty() || std::any_of(candidates.begin(), candidates.end(),
                                    [&](const std::string& c) { return c == word; })) {
        return std::string();
    }
    const std::string* best = nullptr;
    std::size_t bestDistance = 0;
    const std::string* onlyPrefixed = nullptr;
    int prefixed = 0;
    for (const std::string& candidate : candidates) {
        const std::size_t d = editDistance(word, candidate);
        if (best == nullptr || d < bestDistance) {
            best = &candidate;
            bestDistance = d;
        }
        if (candidate.size() > word.size() &&
            editDistance(word, std::string_view(candidate).substr(0, word.size())) == 0) {
            onlyPrefixed = &candidate;
            ++prefixed;
        }
    }
    // A word of three or more letters that begins exactly one name means that one.
    if (prefixed == 1 && word.size() >= 3) {
        return " (did you mean '" + *onlyPrefixed + "'?)";
    }
    if (best != nullptr && bestDistance <= std::max<std::size_t>(1, word.size() / 3)) {
        return " (did you mean '" + *best + "'?)";
    }
    return std::string();
}

bool helpText(std::string_view command, std::string& text) {
    const auto usages = commandUsages();
    if (command.empty()) {
        std::size_t width = 0;
        for (const auto& [name, usage] : usages) {
            width = std::max(width, name.size());
        }
        text =
            "Commands (help COMMAND shows one; REF names a control by its text or label, #ID, "
            "or focus):\n";
        for (const auto& [name, usage] : usages) {
            text += "  " + std::string(name) + std::string(width + 2 - name.size(), ' ') +
                    std::string(summaryOf(name)) + "\n";
        }
        return true;
    }
    std::vector<std::string> names;
    for (const auto& [name, usage] : usages) {
        if (editDistance(name, command) == 0) {
            text = "usage: " + std::string(usage) + "\n  " + std::string(summaryOf(name)) + "\n";
            return true;
        }
        names.emplace_back(name);
    }
    text = "unknown command '" + std::string(command) + "'" + didYouMean(command, names);
    return false;
}

}  // namespace kvhost
