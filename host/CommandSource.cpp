// Script and console command sources.
#include "CommandSource.h"

#include <editline/readline.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <istream>
#include <ostream>

#include <windows.h>

#include "kvwin32/robot.h"

namespace kvhost {

ScriptSource::ScriptSource(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++number;
        ScriptLine parsed = parseScriptLine(line, number);
        if (parsed.command || parsed.error) {
            m_lines.push_back(std::move(parsed));
        }
    }
}

std::optional<ScriptLine> ScriptSource::next() {
    if (m_next >= m_lines.size()) {
        return std::nullopt;
    }
    return m_lines[m_next++];
}

ConsoleSource::ConsoleSource(std::istream& in, std::ostream& out) : m_in(in), m_out(out) {}

std::optional<ScriptLine> ConsoleSource::next() {
    std::string line;
    for (;;) {
        m_out << "kvhost> " << std::flush;
        if (!std::getline(m_in, line)) {
            m_out << '\n';
            return std::nullopt;
        }
        ScriptLine parsed = parseScriptLine(line, ++m_lineNumber);
        if (parsed.command || parsed.error) {
            return parsed;
        }
    }
}

namespace {

std::string withoutPrefixes(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            ++i;
        }
        if (i < text.size()) {
            out.push_back(text[i]);
        }
    }
    return out;
}

// The visible top-level window that holds a tab control (the sheet), or null.
HWND sheetOnScreen() {
    for (HWND w = GetTopWindow(nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
        if (IsWindowVisible(w) && FindWindowExA(w, nullptr, "SysTabControl32", nullptr)) {
            return w;
        }
    }
    return nullptr;
}

void collectTexts(HWND parent, std::vector<std::string>& out, int depth) {
    if (depth > 8) {
        return;
    }
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) {
            continue;
        }
        char text[256] = {};
        GetWindowTextA(child, text, sizeof text);
        const std::string name = withoutPrefixes(text);
        if (!name.empty() && name.find('\n') == std::string::npos &&
            std::find(out.begin(), out.end(), name) == out.end()) {
            out.push_back(name);
        }
        collectTexts(child, out, depth + 1);
    }
}

// The line editor's completion: the words that complete the one under the cursor.
char** completeWord(const char* text, int start, int /*end*/) {
    rl_attempted_completion_over = 1;  // never file names
    const std::string before(rl_line_buffer, static_cast<std::size_t>(std::max(start, 0)));
    static std::vector<std::string> matches;
    matches = completionsFor(before, text, activeControlReferences());
    if (matches.empty()) {
        return nullptr;
    }
    auto generator = [](const char* /*word*/, int state) -> char* {
        return static_cast<std::size_t>(state) < matches.size()
                   ? strdup(matches[static_cast<std::size_t>(state)].c_str())
                   : nullptr;
    };
    return rl_completion_matches(text, generator);
}

}  // namespace

std::vector<std::string> activeControlReferences() {
    std::vector<std::string> out;
    HWND dialog = kvwin32::topmostModalDialog();
    if (dialog == nullptr) {
        dialog = sheetOnScreen();
    }
    if (dialog != nullptr) {
        collectTexts(dialog, out, 0);
    }
    return out;
}

std::vector<std::string> completionsFor(std::string_view lineBefore, std::string_view word,
                                        const std::vector<std::string>& references) {
    std::vector<std::string> out;
    const bool firstWord = lineBefore.find_first_not_of(" \t") == std::string_view::npos;
    const bool afterHelp = lineBefore.substr(0, lineBefore.find_first_of(" \t")) == "help";
    auto begins = [](std::string_view whole, std::string_view part) {
        return whole.size() >= part.size() && whole.substr(0, part.size()) == part;
    };
    if (firstWord || afterHelp) {
        for (const auto& [name, usage] : commandUsages()) {
            if (begins(name, word)) {
                out.emplace_back(name);
            }
        }
        return out;
    }
    // A reference may be begun with its opening quote.
    std::string_view bare = word;
    if (!bare.empty() && bare.front() == '"') {
        bare.remove_prefix(1);
    }
    for (const std::string& ref : references) {
        if (begins(ref, bare)) {
            out.push_back(ref.find(' ') != std::string::npos || word.starts_with("\"")
                              ? "\"" + ref + "\""
                              : ref);
        }
    }
    return out;
}

LineEditorSource::LineEditorSource() {
    rl_readline_name = "kvhost";
    rl_attempted_completion_function = completeWord;
    // Quotes and blanks end the word completed, so "Run to time:" completes whole.
    rl_basic_word_break_characters = const_cast<char*>(" \t");
    using_history();
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        m_historyFile = std::string(home) + "/.kvhost_history";
        read_history(m_historyFile.c_str());
    }
}

LineEditorSource::~LineEditorSource() {
    if (!m_historyFile.empty()) {
        write_history(m_historyFile.c_str());
        history_truncate_file(m_historyFile.c_str(), 1000);
    }
}

std::optional<ScriptLine> LineEditorSource::next() {
    for (;;) {
        char* typed = readline("kvhost> ");
        if (typed == nullptr) {
            return std::nullopt;
        }
        const std::string line = typed;
        std::free(typed);
        if (line.find_first_not_of(" \t") != std::string::npos) {
            add_history(line.c_str());
        }
        ScriptLine parsed = parseScriptLine(line, ++m_lineNumber);
        if (parsed.command || parsed.error) {
            return parsed;
        }
    }
}

}  // namespace kvhost
