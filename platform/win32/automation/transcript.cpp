// The transcript every desktop keeps: what passed through it, as entries with their lines,
// each line handed to the echo callback as it is made.
#include <utility>

#include "kvwin32/desktop.h"

namespace kvwin32 {

Transcript::Echo Transcript::setEcho(Echo echo) {
    Echo previous = std::move(m_echo);
    m_echo = std::move(echo);
    return previous;
}

void Transcript::add(TranscriptEntry entry) {
    m_entries.push_back(std::move(entry));
    if (m_echo) {
        // The echo may add to the transcript itself: hand it a copy, not a reference into
        // the vector it may grow.
        std::string line = m_entries.back().line;
        m_echo(line);
    }
}

void Transcript::note(std::string_view line) {
    TranscriptEntry entry;
    entry.kind = TranscriptKind::note;
    entry.line = std::string(line);
    entry.text = std::string(line);
    add(std::move(entry));
}

void Transcript::hostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                             std::string_view line) {
    TranscriptEntry entry;
    entry.kind = TranscriptKind::hostMessage;
    entry.line = std::string(line);
    entry.hwnd = hwnd;
    entry.message = message;
    entry.wParam = wParam;
    entry.lParam = lParam;
    add(std::move(entry));
}

std::vector<std::string> Transcript::lines() const {
    std::vector<std::string> out;
    out.reserve(m_entries.size());
    for (const TranscriptEntry& entry : m_entries) {
        out.push_back(entry.line);
    }
    return out;
}

std::vector<const TranscriptEntry*> Transcript::entriesOf(TranscriptKind kind) const {
    std::vector<const TranscriptEntry*> out;
    for (const TranscriptEntry& entry : m_entries) {
        if (entry.kind == kind) {
            out.push_back(&entry);
        }
    }
    return out;
}

const TranscriptEntry* Transcript::last(TranscriptKind kind) const {
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
        if (it->kind == kind) {
            return &*it;
        }
    }
    return nullptr;
}

}  // namespace kvwin32
