// Script and console command sources.
#include "CommandSource.h"

#include <istream>
#include <ostream>

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

}  // namespace kvhost
