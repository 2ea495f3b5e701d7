// The desktop: the seam through which everything that needs a person passes. A message box,
// a file or folder dialog, a help request, the wait cursor and the stream of user input that
// every message loop pulls from when its queue is empty all go to the current Desktop, and
// every desktop writes what happened into its Transcript.
//
// Desktops: NoneDesktop (the default: boxes take their default button, dialogs are
// cancelled, there is no input, so modal loops end at once as cancelled) and ScriptedDesktop
// (answers and input actions queued beforehand). A console desktop derives from Desktop the
// same way: its nextInput reads a line and runs it.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kvwin32/input.h"
#include "kvwin32/msgbox_style.h"
#include "kvwin32/windef.h"

namespace kvwin32 {

// A message box as MessageBoxA asks for it (style already validated, caption defaulted).
struct MessageBoxRequest {
    HWND owner = nullptr;  // owner window (may be null)
    std::string caption;   // title bar text
    std::string text;      // the message
    UINT style = 0;        // MB_* bits
};

// How a desktop answered a message box.
struct MessageBoxAnswer {
    int id = 0;             // IDOK, IDCANCEL, IDYES ...: the button that closed the box
    bool answered = false;  // false when the default button was taken for want of an answer
    std::string remark;     // why a queued answer was not used (empty when it was)
};

// Open or save: the two common file dialogs.
enum class FileDialogKind { open, save };

// One entry of a file dialog's filter: "Text Files (*.txt)" with "*.txt".
struct FileFilter {
    std::string description;  // text shown in the file-type list
    std::string pattern;      // patterns, separated by ';'
};

// A file dialog as GetOpenFileNameA/GetSaveFileNameA ask for it.
struct FileDialogRequest {
    HWND owner = nullptr;                        // owner window
    FileDialogKind kind = FileDialogKind::open;  // open or save
    std::string title;                           // caption (empty: the system's "Open"/"Save As")
    std::vector<FileFilter> filters;             // the file types offered
    int filterIndex = 0;                         // 1-based index of the type shown first (0: first)
    std::string defaultExtension;                // appended to an answer without extension
    std::string initialFolder;                   // folder the dialog opens in
    std::string initialName;                     // file name the dialog starts with
    DWORD flags = 0;                             // OFN_* bits
};

// A folder browser as SHBrowseForFolderA asks for it, after its callback set it up.
struct FolderDialogRequest {
    HWND owner = nullptr;    // owner window
    std::string title;       // the text above the tree (lpszTitle)
    std::string selection;   // the folder selected at start (BFFM_SETSELECTIONA)
    std::string statusText;  // the status line (BFFM_SETSTATUSTEXTA)
    UINT flags = 0;          // BIF_* bits
};

// The answer to a file or folder dialog: the path typed or chosen, or nullopt for Cancel.
using PathAnswer = std::optional<std::string>;

// What a transcript records, in the order it happened.
enum class TranscriptKind {
    messageBox,    // a message box and its answer
    fileDialog,    // an open or save file dialog and its answer
    folderDialog,  // a folder browser and its answer
    help,          // a help request
    cursor,        // the wait cursor shown or removed
    hostMessage,   // a message the host's window received
    note,          // anything else worth a line (transcriptNote)
};

// One record of a transcript: its kind, its line and the data the line was made from.
struct TranscriptEntry {
    TranscriptKind kind = TranscriptKind::note;
    std::string line;  // the line as printed

    // messageBox
    BoxIcon icon = BoxIcon::none;
    BoxButtons buttons = BoxButtons::ok;
    std::string caption;  // box caption, dialog title
    std::string text;     // box text; help topic; note text
    int answerId = 0;     // the box's answer
    bool answered = false;

    // fileDialog, folderDialog (title in caption)
    FileDialogKind fileKind = FileDialogKind::open;
    std::string filter;         // filters joined as "desc|pattern|desc|pattern"
    std::string initialFolder;  // initial folder, or the folder browser's selection
    std::string initialName;    // initial name, or the folder browser's status text
    PathAnswer answer;          // the path answered, or nullopt for Cancel

    // help
    std::string book;  // help book; topic in text

    // hostMessage
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// The record of everything that passed through a desktop. Each line is also handed to the
// echo callback as it is made (kvhost prints them). Texts in lines are quoted (transcriptQuote):
//   box ICON BUTTONS "caption" "text" -> ANSWER [(unanswered)] [(queued X does not fit Y)]
//   file-dialog open|save "title" filter "desc|pat|..." folder "dir" name "file" -> "typed"|cancel
//   folder-dialog "title" selection "dir" status "text" -> "dir"|cancel
//   help "book" "topic" [(refused)]
//   wait-cursor on|off
// notes and host messages are the lines their callers give; a dialog that refuses a typed
// answer notes "file-dialog refused: ..." or "folder-dialog refused: ...".
class Transcript {
  public:
    using Echo = std::function<void(std::string_view line)>;

    // Sets the callback told of every line as it is added (may be empty); returns the previous.
    Echo setEcho(Echo echo);
    // Adds an entry; its line goes to the echo.
    void add(TranscriptEntry entry);
    // Adds a note line (TranscriptKind::note).
    void note(std::string_view line);
    // Records a message the host's window received, with a line describing it (the host knows
    // what its private messages mean).
    void hostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, std::string_view line);

    // Every entry so far, oldest first.
    const std::vector<TranscriptEntry>& entries() const { return m_entries; }
    // Every line so far, oldest first.
    std::vector<std::string> lines() const;
    // The entries of a kind, oldest first.
    std::vector<const TranscriptEntry*> entriesOf(TranscriptKind kind) const;
    // The last entry of a kind, or null.
    const TranscriptEntry* last(TranscriptKind kind) const;
    // Forgets every entry (the echo stays).
    void clear() { m_entries.clear(); }

  private:
    std::vector<TranscriptEntry> m_entries;
    Echo m_echo;
};

// Everything that needs a person. The public calls record into the transcript and ask the
// protected answer functions, which each desktop supplies.
class Desktop {
  public:
    virtual ~Desktop() = default;

    // Answers a message box and records it; returns the id of the button that closed it.
    int messageBox(const MessageBoxRequest& request);
    // Answers a file dialog and records it; nullopt for Cancel. The answer is as a person
    // typed it (maybe relative, maybe without extension): GetOpenFileNameA interprets it.
    PathAnswer fileDialog(const FileDialogRequest& request);
    // Answers a folder browser and records it; nullopt for Cancel.
    PathAnswer folderDialog(const FolderDialogRequest& request);
    // Shows a help topic and records it; false when this desktop shows no help.
    bool help(std::string_view book, std::string_view topic);
    // Records the wait cursor being shown (true) or removed (false).
    void waitCursor(bool shown);
    // Runs the next piece of user input: posts it into the calling thread's queue and returns
    // true, or returns false when the input has ended (the thread's input source).
    virtual bool nextInput() = 0;

    // The record of this desktop.
    Transcript& transcript() { return m_transcript; }

  protected:
    // The button that answers a box (the default one when no answer is at hand).
    virtual MessageBoxAnswer answerMessageBox(const MessageBoxRequest& request) = 0;
    // The path typed into a file dialog, or nullopt for Cancel.
    virtual PathAnswer answerFileDialog(const FileDialogRequest& request) = 0;
    // The folder chosen in a folder browser, or nullopt for Cancel.
    virtual PathAnswer answerFolderDialog(const FolderDialogRequest& request) = 0;
    // Whether help could be shown.
    virtual bool showHelp(std::string_view book, std::string_view topic);

  private:
    Transcript m_transcript;
};

// The desktop of a program that has none of its own: boxes take their default button
// (recorded as unanswered), dialogs are cancelled, help is recorded, and there is no input.
class NoneDesktop : public Desktop {
  public:
    bool nextInput() override { return false; }

  protected:
    MessageBoxAnswer answerMessageBox(const MessageBoxRequest& request) override;
    PathAnswer answerFileDialog(const FileDialogRequest& request) override;
    PathAnswer answerFolderDialog(const FolderDialogRequest& request) override;
};

// A desktop driven by answers and input actions queued beforehand (tests, kvhost scripts).
class ScriptedDesktop : public Desktop {
  public:
    // One step of user input, run when a message loop asks for input.
    using Action = std::function<void()>;

    // Queues the answer (IDOK, IDCANCEL, IDYES, IDNO ...) for the next message box.
    void queueBoxAnswer(int id);
    // Queues the answer for the next file dialog: a path as typed, or nullopt for Cancel.
    void queueFileAnswer(PathAnswer answer);
    // Queues the answer for the next folder browser: a folder, or nullopt for Cancel.
    void queueFolderAnswer(PathAnswer answer);
    // Queues a step of user input.
    void queueAction(Action action);
    // Answers and actions still waiting.
    size_t pendingBoxAnswers() const { return m_boxAnswers.size(); }
    size_t pendingFileAnswers() const { return m_fileAnswers.size(); }
    size_t pendingFolderAnswers() const { return m_folderAnswers.size(); }
    size_t pendingActions() const { return m_actions.size(); }

    // Runs the next queued action, then posts WM_NULL to the thread so that the asking loop
    // wakes and looks again (an action usually sends rather than posts); false when none is
    // left.
    bool nextInput() override;

  protected:
    MessageBoxAnswer answerMessageBox(const MessageBoxRequest& request) override;
    PathAnswer answerFileDialog(const FileDialogRequest& request) override;
    PathAnswer answerFolderDialog(const FolderDialogRequest& request) override;

  private:
    std::deque<int> m_boxAnswers;
    std::deque<PathAnswer> m_fileAnswers;
    std::deque<PathAnswer> m_folderAnswers;
    std::deque<Action> m_actions;
};

// Makes `next` the current desktop (null: a fresh NoneDesktop) and installs its input as the
// calling thread's input source; returns the previous desktop.
std::unique_ptr<Desktop> setDesktop(std::unique_ptr<Desktop> next);

// The current desktop (a NoneDesktop until setDesktop is called).
Desktop& desktop();

// Appends a line to the transcript of the current desktop.
void transcriptNote(std::string_view line);

// `text` in double quotes with `"`, `\`, newline and tab escaped as scripts write them, for
// transcript lines.
std::string transcriptQuote(std::string_view text);

// Makes a desktop current for a scope and puts the previous one, and the calling thread's
// previous input source, back at its end (tests, a host's run).
class DesktopScope {
  public:
    explicit DesktopScope(std::unique_ptr<Desktop> next)
        : m_previousSource(setInputSource({})), m_previous(setDesktop(std::move(next))) {}
    ~DesktopScope() {
        setDesktop(std::move(m_previous));
        setInputSource(std::move(m_previousSource));
    }
    DesktopScope(const DesktopScope&) = delete;
    DesktopScope& operator=(const DesktopScope&) = delete;

  private:
    InputSource m_previousSource;
    std::unique_ptr<Desktop> m_previous;
};

}  // namespace kvwin32

#pragma GCC visibility pop
