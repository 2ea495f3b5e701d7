// The desktop seam: the current desktop (process-wide, as Windows has one interactive
// desktop), the recording half of every request, and the none and scripted desktops.
#include "kvwin32/desktop.h"

#include <mutex>
#include <utility>

#include "kvwin32/input.h"
#include "kvwin32/styles.h"
#include "kvwin32/winuser.h"

namespace kvwin32 {

namespace {

// The desktop every thread's requests go to. One for the process, like the interactive
// desktop of a Windows session; replaced only by setDesktop.
struct CurrentDesktop {
    std::mutex mutex;
    std::unique_ptr<Desktop> desktop = std::make_unique<NoneDesktop>();
};

CurrentDesktop& currentDesktop() {
    static CurrentDesktop current;
    return current;
}

std::string answerText(const PathAnswer& answer) {
    return answer ? transcriptQuote(*answer) : std::string("cancel");
}

std::string filterText(const std::vector<FileFilter>& filters) {
    std::string out;
    for (const FileFilter& filter : filters) {
        if (!out.empty()) {
            out += '|';
        }
        out += filter.description;
        out += '|';
        out += filter.pattern;
    }
    return out;
}

}  // namespace

std::string transcriptQuote(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                out += c;
        }
    }
    out += '"';
    return out;
}

// ---- Desktop: record what each request asked and how it was answered ----------------------

int Desktop::messageBox(const MessageBoxRequest& request) {
    MessageBoxAnswer answer = answerMessageBox(request);
    TranscriptEntry entry;
    entry.kind = TranscriptKind::messageBox;
    entry.icon = boxIconOf(request.style);
    entry.buttons = boxButtonsOf(request.style);
    entry.caption = request.caption;
    entry.text = request.text;
    entry.answerId = answer.id;
    entry.answered = answer.answered;
    entry.line = "box " + std::string(boxIconName(entry.icon)) + " " +
                 std::string(boxButtonsName(entry.buttons)) + " " +
                 transcriptQuote(request.caption) + " " + transcriptQuote(request.text) + " -> " +
                 std::string(answerName(answer.id));
    if (!answer.answered) {
        entry.line += " (unanswered)";
    }
    if (!answer.remark.empty()) {
        entry.line += " (" + answer.remark + ")";
    }
    transcript().add(std::move(entry));
    return answer.id;
}

PathAnswer Desktop::fileDialog(const FileDialogRequest& request) {
    PathAnswer answer = answerFileDialog(request);
    TranscriptEntry entry;
    entry.kind = TranscriptKind::fileDialog;
    entry.fileKind = request.kind;
    entry.caption = request.title;
    entry.filter = filterText(request.filters);
    entry.initialFolder = request.initialFolder;
    entry.initialName = request.initialName;
    entry.answer = answer;
    entry.line = std::string("file-dialog ") +
                 (request.kind == FileDialogKind::open ? "open " : "save ") +
                 transcriptQuote(request.title) + " filter " + transcriptQuote(entry.filter) +
                 " folder " + transcriptQuote(request.initialFolder) + " name " +
                 transcriptQuote(request.initialName) + " -> " + answerText(answer);
    transcript().add(std::move(entry));
    return answer;
}

PathAnswer Desktop::folderDialog(const FolderDialogRequest& request) {
    PathAnswer answer = answerFolderDialog(request);
    TranscriptEntry entry;
    entry.kind = TranscriptKind::folderDialog;
    entry.caption = request.title;
    entry.initialFolder = request.selection;
    entry.initialName = request.statusText;
    entry.answer = answer;
    entry.line = "folder-dialog " + transcriptQuote(request.title) + " selection " +
                 transcriptQuote(request.selection) + " status " +
                 transcriptQuote(request.statusText) + " -> " + answerText(answer);
    transcript().add(std::move(entry));
    return answer;
}

bool Desktop::help(std::string_view book, std::string_view topic) {
    bool shown = showHelp(book, topic);
    TranscriptEntry entry;
    entry.kind = TranscriptKind::help;
    entry.book = std::string(book);
    entry.text = std::string(topic);
    entry.line = "help " + transcriptQuote(book) + " " + transcriptQuote(topic);
    if (!shown) {
        entry.line += " (refused)";
    }
    transcript().add(std::move(entry));
    return shown;
}

void Desktop::waitCursor(bool shown) {
    TranscriptEntry entry;
    entry.kind = TranscriptKind::cursor;
    entry.answered = shown;
    entry.line = shown ? "wait-cursor on" : "wait-cursor off";
    transcript().add(std::move(entry));
}

bool Desktop::showHelp(std::string_view, std::string_view) {
    // A desktop without a help viewer still accepts the request: the transcript is the viewer.
    return true;
}

// ---- NoneDesktop ------------------------------------------------------------------------------

MessageBoxAnswer NoneDesktop::answerMessageBox(const MessageBoxRequest& request) {
    return MessageBoxAnswer{defaultBoxButton(request.style), false, {}};
}

PathAnswer NoneDesktop::answerFileDialog(const FileDialogRequest&) {
    return std::nullopt;
}

PathAnswer NoneDesktop::answerFolderDialog(const FolderDialogRequest&) {
    return std::nullopt;
}

// ---- ScriptedDesktop --------------------------------------------------------------------------

void ScriptedDesktop::queueBoxAnswer(int id) {
    m_boxAnswers.push_back(id);
}

void ScriptedDesktop::queueFileAnswer(PathAnswer answer) {
    m_fileAnswers.push_back(std::move(answer));
}

void ScriptedDesktop::queueFolderAnswer(PathAnswer answer) {
    m_folderAnswers.push_back(std::move(answer));
}

void ScriptedDesktop::queueAction(Action action) {
    m_actions.push_back(std::move(action));
}

bool ScriptedDesktop::nextInput() {
    if (m_actions.empty()) {
        return false;
    }
    // Taken off the queue before it runs: the action may open a modal loop that asks for the
    // next input itself.
    Action action = std::move(m_actions.front());
    m_actions.pop_front();
    if (action) {
        action();
    }
    // The loop that asked wakes only for a message; an action that sent everything (a click)
    // posted none, so a WM_NULL thread message makes the loop look at its state again.
    PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
    return true;
}

MessageBoxAnswer ScriptedDesktop::answerMessageBox(const MessageBoxRequest& request) {
    int fallback = defaultBoxButton(request.style);
    if (m_boxAnswers.empty()) {
        return MessageBoxAnswer{fallback, false, {}};
    }
    int queued = m_boxAnswers.front();
    m_boxAnswers.pop_front();
    for (int id : boxButtonIds(request.style)) {
        if (id == queued) {
            return MessageBoxAnswer{queued, true, {}};
        }
    }
    return MessageBoxAnswer{fallback, false,
                            "queued " + std::string(answerName(queued)) + " does not fit " +
                                std::string(boxButtonsName(boxButtonsOf(request.style)))};
}

PathAnswer ScriptedDesktop::answerFileDialog(const FileDialogRequest&) {
    if (m_fileAnswers.empty()) {
        return std::nullopt;
    }
    PathAnswer answer = std::move(m_fileAnswers.front());
    m_fileAnswers.pop_front();
    return answer;
}

PathAnswer ScriptedDesktop::answerFolderDialog(const FolderDialogRequest&) {
    if (m_folderAnswers.empty()) {
        return std::nullopt;
    }
    PathAnswer answer = std::move(m_folderAnswers.front());
    m_folderAnswers.pop_front();
    return answer;
}

// ---- The current desktop ------------------------------------------------------------------------

std::unique_ptr<Desktop> setDesktop(std::unique_ptr<Desktop> next) {
    if (!next) {
        next = std::make_unique<NoneDesktop>();
    }
    std::unique_ptr<Desktop> previous;
    {
        CurrentDesktop& current = currentDesktop();
        std::lock_guard lock(current.mutex);
        previous = std::exchange(current.desktop, std::move(next));
    }
    setInputSource([] { return desktop().nextInput(); });
    return previous;
}

Desktop& desktop() {
    CurrentDesktop& current = currentDesktop();
    std::lock_guard lock(current.mutex);
    return *current.desktop;
}

void transcriptNote(std::string_view line) {
    desktop().transcript().note(line);
}

}  // namespace kvwin32
