// The script runner: the desktop it drives modal loops with, the host and user commands, and
// the expect commands.
#include "ScriptRunner.h"

#include <ostream>
#include <sstream>

#include <commctrl.h>

#include "Ansi.h"
#include "FileWrite.h"
#include "Help.h"
#include "LiveScreen.h"
#include "HostFileConfig.h"
#include "PagePrinter.h"
#include "ProfilePath.h"
#include "kvwin32/msgbox_style.h"
#include "kvwin32/person_dialogs.h"
#include "kvwin32/pixels.h"
#include "kvwin32/render.h"

namespace kvhost {

namespace {

kvwin32::KeyModifiers modifiersOf(const KeyStroke& key) {
    kvwin32::KeyModifiers m = kvwin32::KeyModifiers::none;
    if (key.shift) {
        m = m | kvwin32::KeyModifiers::shift;
    }
    if (key.ctrl) {
        m = m | kvwin32::KeyModifiers::ctrl;
    }
    if (key.alt) {
        m = m | kvwin32::KeyModifiers::alt;
    }
    return m;
}

// A text of the library (in its code page) quoted for a message or the transcript: UTF-8,
// control characters escaped.
std::string quote(std::string_view text) {
    return ansiToDisplay(kvwin32::transcriptQuote(text));
}

// Why the Robot failed, in UTF-8 (its messages hold control texts in the library's code page).
std::string robotError(const kvwin32::RobotResult& result) {
    return ansiToUtf8(result.error);
}

std::string joined(const std::vector<std::string>& items) {
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            out += '|';
        }
        out += items[i];
    }
    return out;
}

bool isListClass(const std::string& cls) {
    return cls == "ListBox" || cls == "SysListView32" || cls == "ComboBox" || cls == "ComboLBox";
}

// Does a top-level window look like a property sheet (it holds a tab control)?
bool isPropertySheet(HWND hwnd) {
    return FindWindowExA(hwnd, nullptr, "SysTabControl32", nullptr) != nullptr;
}

}  // namespace

// The desktop of a script run: answers are queued by the answer and choose commands, and
// the input a modal loop asks for is the next command.
class ScriptRunner::RunnerDesktop final : public kvwin32::ScriptedDesktop {
  public:
    explicit RunnerDesktop(ScriptRunner& runner) : m_runner(runner) {}
    bool nextInput() override {
        if (!m_runner.m_personTurn && m_runner.step()) {
            // Wake the asking loop: a command usually sends rather than posts.
            PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
            return true;
        }
        // The commands have ended: a person at a live screen goes on.
        if (m_runner.m_live == nullptr) {
            return false;
        }
        m_runner.m_personTurn = true;
        return m_runner.m_live->nextInput();
    }

  protected:
    // While the person has the input, boxes and dialogs are real ones the person answers.
    kvwin32::MessageBoxAnswer answerMessageBox(const kvwin32::MessageBoxRequest& request) override {
        if (!personAnswers()) {
            return ScriptedDesktop::answerMessageBox(request);
        }
        return kvwin32::MessageBoxAnswer{kvwin32::runMessageBoxDialog(request), true, ""};
    }
    kvwin32::PathAnswer answerFileDialog(const kvwin32::FileDialogRequest& request) override {
        return personAnswers() ? kvwin32::runFileDialog(request)
                               : ScriptedDesktop::answerFileDialog(request);
    }
    kvwin32::PathAnswer answerFolderDialog(const kvwin32::FolderDialogRequest& request) override {
        return personAnswers() ? kvwin32::runFolderDialog(request)
                               : ScriptedDesktop::answerFolderDialog(request);
    }

  private:
    bool personAnswers() const { return m_runner.m_live != nullptr && m_runner.m_personTurn; }
    ScriptRunner& m_runner;
};

ScriptRunner::ScriptRunner(const SheetExports& exports, ProfileDocument& doc, std::ostream& out,
                           std::ostream& err, bool showPage)
    : m_exports(exports), m_doc(doc), m_out(out), m_err(err), m_showPage(showPage) {
    auto desktop = std::make_unique<RunnerDesktop>(*this);
    m_desktop = desktop.get();
    // Transcript lines hold the library's texts in its code page; the terminal gets UTF-8.
    m_desktop->transcript().setEcho([this](std::string_view line) {
        m_out << ansiToDisplay(line) << '\n';
        m_out.flush();
    });
    m_previousDesktop = kvwin32::setDesktop(std::move(desktop));
    // Keys the script presses reach the library's windows as a host's loop passes them: the
    // library pre-translates first.
    m_previousKeyFilter = kvwin32::setKeyFilter([this](MSG& msg) {
        return m_exports.preTranslateMessage != nullptr && m_exports.preTranslateMessage(&msg) != 0;
    });
    if (HostFileConfig* files = m_doc.fileConfig()) {
        files->setListener([this](const EditFileCall& call) {
            // The line is built in UTF-8; the transcript keeps the library's code page, into
            // which the path (a library text) converts back exactly.
            const std::string line = editFileTranscriptLine(call);
            const Result<std::string> ansi = utf8ToAnsi(line);
            m_desktop->transcript().note(ansi ? ansi.value() : line);
        });
    }
}

ScriptRunner::~ScriptRunner() {
    // The library's checkpoint registry points at entries of the profile: it is emptied and
    // ended before the document that owns them goes, and entries the library made for the
    // profile's records become the document's to free.
    m_doc.adoptLibraryEntries();
    if (m_exports.checkpointEntries != nullptr) {
        m_exports.checkpointEntries->clear();
    }
    if (m_exports.endCheckpointRegistry != nullptr) {
        m_exports.endCheckpointRegistry();
    }
    if (HostFileConfig* files = m_doc.fileConfig()) {
        files->setListener({});
    }
    kvwin32::setKeyFilter(std::move(m_previousKeyFilter));
    m_desktop->transcript().setEcho({});
    kvwin32::setDesktop(std::move(m_previousDesktop));
}

int ScriptRunner::run(CommandSource& source) {
    m_source = &source;
    while (step()) {
        pumpHost();
    }
    if (m_live != nullptr) {
        // The person goes on: on the modeless sheet the commands left, else on the modal
        // sheet opened for them; the session ends when no window is left to show.
        m_personTurn = true;
        if (m_sheet == nullptr) {
            Command open;
            open.verb = Verb::open;
            openModal(open);
        } else {
            while (m_live->nextInput()) {
                pumpHost();
            }
        }
    }
    if (m_sheet != nullptr) {
        m_exports.deleteModeless(m_sheet);
        m_sheet = nullptr;
        pumpHost();
    }
    m_source = nullptr;
    return m_failures == 0 ? 0 : 1;
}

bool ScriptRunner::step() {
    if (m_source == nullptr) {
        return false;
    }
    std::optional<ScriptLine> line = m_source->next();
    if (!line) {
        return false;
    }
    if (line->error) {
        ++m_failures;
        m_err << escapeControls(line->error->message()) << '\n';
        m_err.flush();
        return true;
    }
    execute(*line->command);
    if (m_showPage) {
        m_out << describePage();
        m_out.flush();
    }
    return true;
}

void ScriptRunner::fail(const Command& c, const std::string& reason) {
    ++m_failures;
    m_err << "error " << c.line << ": " << escapeControls(reason) << '\n';
    m_err.flush();
}

void ScriptRunner::pumpHost() {
    MSG msg;
    // A bounded drain: a window that keeps posting to itself cannot hold the host forever.
    for (int i = 0; i < 100000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        if (msg.message == WM_QUIT) {
            break;
        }
        if (m_sheet != nullptr && m_exports.preTranslateMessage(&msg) != 0) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void ScriptRunner::execute(const Command& c) {
    switch (c.verb) {
        case Verb::open:
            if (c.modal) {
                openModal(c);
            } else {
                openModeless(c, true);
            }
            return;
        case Verb::create:
            openModeless(c, false);
            return;
        case Verb::show:
            if (m_sheet == nullptr) {
                return fail(c, "no modeless sheet: use create modeless or open modeless first");
            }
            m_exports.showModeless(m_sheet, static_cast<int>(*c.number));
            return;
        case Verb::deleteSheet:
            if (m_sheet == nullptr) {
                return fail(c, "no modeless sheet to delete");
            }
            m_exports.deleteModeless(m_sheet);
            m_sheet = nullptr;
            return;
        case Verb::setActive:
            if (m_sheet == nullptr) {
                return fail(c, "no modeless sheet: set-active needs a sheet handle");
            }
            m_exports.setActivePage(m_sheet, static_cast<std::int16_t>(*c.number));
            return;
        case Verb::updateGeneral:
            return updateGeneral(c);
        case Verb::setProfile:
            if (Status s = ProfilePath::set(m_doc, c.text(0), c.text(1)); !s) {
                fail(c, s.error());
            }
            return;
        case Verb::tab:
            return clickTab(c);
        case Verb::click:
        case Verb::dblclick:
        case Verb::type:
        case Verb::select:
        case Verb::check:
        case Verb::key:
        case Verb::clickCell:
        case Verb::keys:
            return userAction(c);
        case Verb::answer: {
            const std::optional<int> id = kvwin32::answerFromName(c.text(0));
            if (!id) {
                return fail(c, "unknown answer '" + c.text(0) + "'");
            }
            m_desktop->queueBoxAnswer(*id);
            return;
        }
        case Verb::chooseFile:
            m_desktop->queueFileAnswer(c.cancel ? kvwin32::PathAnswer() : c.libraryText(0));
            return;
        case Verb::chooseFolder:
            m_desktop->queueFolderAnswer(c.cancel ? kvwin32::PathAnswer() : c.libraryText(0));
            return;
        case Verb::pump:
            m_robot.pump();
            pumpHost();
            return;
        case Verb::expect:
            return expectControl(c);
        case Verb::expectBox:
        case Verb::expectNoBox:
        case Verb::expectBoxStyle:
        case Verb::expectEditFile:
        case Verb::expectHelp:
        case Verb::expectNotify:
        case Verb::expectNoNotify:
            return expectTranscript(c);
        case Verb::expectModal:
        case Verb::expectProfile:
        case Verb::expectTitle:
        case Verb::expectActive:
        case Verb::expectDisplayed:
            return expectSheet(c);
        case Verb::expectCell:
        case Verb::expectCurrentCell:
            return expectCell(c);
        case Verb::print:
            return print(c);
        case Verb::snapshot:
            return snapshot(c);
        case Verb::help: {
            std::string text;
            if (!helpText(c.text(0), text)) {
                return fail(c, text);
            }
            m_out << text;
            return;
        }
    }
}

void ScriptRunner::openModal(const Command& c) {
    if (m_modalDepth > 0) {
        return fail(c, "a modal sheet is already open");
    }
    ++m_modalDepth;
    const int result = m_exports.showSettingsDialog(&m_doc.profile());
    --m_modalDepth;
    m_out << "modal result " << result << '\n';
}

void ScriptRunner::openModeless(const Command& c, bool show) {
    if (m_sheet != nullptr) {
        return fail(c, "a modeless sheet already exists: delete it first");
    }
    const LPARAM cookie = static_cast<LPARAM>(c.modeless.cookie.value_or(0));
    if (c.modeless.runs || c.modeless.scope) {
        const int runs = c.modeless.runs.value_or(10000);
        // The library allows profile-scope files when its last argument is 0.
        const int scopeSwitch = c.modeless.scope.value_or(true) ? 0 : 1;
        m_sheet = m_exports.createModelessRunLimited(&m_doc.profile(), m_host.hwnd(), cookie, runs,
                                                     scopeSwitch);
    } else {
        m_sheet = m_exports.createModeless(&m_doc.profile(), m_host.hwnd(), cookie);
    }
    if (m_sheet == nullptr) {
        return fail(c, "the library created no sheet");
    }
    if (show) {
        m_exports.showModeless(m_sheet, SETTINGS_SHOW_NORMAL);
    }
}

void ScriptRunner::updateGeneral(const Command& c) {
    if (m_sheet == nullptr) {
        return fail(c, "no modeless sheet: update-general needs a sheet handle");
    }
    GeneralSettings record;
    const std::string& text = c.libraryText(1);
    switch (*c.number) {
        case 0:
            record.profileName = text;
            break;
        case 1:
            record.designFile = text;
            break;
        case 2:
            record.projectName = text;
            break;
        case 3:
            record.schematicName = text;
            break;
        case 4:
            record.waveformFile = text;
            break;
        case 5:
            record.outputFile = text;
            break;
        case 6:
            record.notes = text;
            break;
        default:
            break;
    }
    m_exports.updateGeneralPage(m_sheet, &record, static_cast<GeneralField>(*c.number));
}

kvwin32::RobotResult ScriptRunner::findControl(const Command& c) const {
    return m_robot.find(*c.ref);
}

void ScriptRunner::userAction(const Command& c) {
    const kvwin32::RobotResult found = findControl(c);
    if (!found) {
        return fail(c, robotError(found));
    }
    kvwin32::RobotResult done;
    switch (c.verb) {
        case Verb::click:
            if (!c.item) {
                done = m_robot.click(found.hwnd);
            } else if (isListClass(kvwin32::Robot::className(found.hwnd))) {
                done = m_robot.clickItem(found.hwnd, *c.item);
            } else {
                done = m_robot.clickPart(found.hwnd, *c.item);
            }
            break;
        case Verb::dblclick:
            done = c.item ? m_robot.clickItem(found.hwnd, *c.item, true)
                          : m_robot.doubleClick(found.hwnd);
            break;
        case Verb::type:
            done = m_robot.type(found.hwnd, c.libraryText(1));
            break;
        case Verb::select:
            done = m_robot.select(found.hwnd, *c.item);
            break;
        case Verb::check:
            done = m_robot.check(found.hwnd, *c.item, c.on);
            break;
        case Verb::key:
            done = m_robot.key(found.hwnd, c.keyStroke->vk, modifiersOf(*c.keyStroke));
            break;
        case Verb::clickCell:
            done = m_robot.clickCell(found.hwnd, static_cast<int>(*c.row),
                                     static_cast<int>(*c.column));
            break;
        case Verb::keys:
            done = m_robot.typeKeys(found.hwnd, c.libraryText(1));
            break;
        default:
            break;
    }
    if (!done) {
        fail(c, robotError(done));
    }
}

HWND ScriptRunner::sheetWindow() const {
    struct Search {
        HWND visible = nullptr;
        HWND any = nullptr;
    } search;
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            if (GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId() ||
                !isPropertySheet(hwnd)) {
                return TRUE;
            }
            if (s->any == nullptr) {
                s->any = hwnd;
            }
            if (s->visible == nullptr && IsWindowVisible(hwnd)) {
                s->visible = hwnd;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.visible != nullptr ? search.visible : search.any;
}

void ScriptRunner::clickTab(const Command& c) {
    const HWND sheet = sheetWindow();
    if (sheet == nullptr) {
        return fail(c, "no sheet window is open");
    }
    const HWND tab = FindWindowExA(sheet, nullptr, "SysTabControl32", nullptr);
    const kvwin32::RobotResult done =
        m_robot.clickTab(tab, kvwin32::ItemQuery::named(c.libraryText(0)));
    if (!done) {
        fail(c, robotError(done));
    }
}

void ScriptRunner::expectControl(const Command& c) {
    const kvwin32::RobotResult found = findControl(c);
    const std::string what = "expect " + c.text(0) + " " + c.text(1);
    if (c.property == ExpectProperty::absent) {
        switch (found.failure) {
            case kvwin32::RobotFailure::noMatch:
            case kvwin32::RobotFailure::offsetOutOfRange:
                // Nothing stands where the REF points.
                return;
            case kvwin32::RobotFailure::none:
                return fail(
                    c, what + ": a control matches (" + describeControl(found.hwnd, m_robot) + ")");
            case kvwin32::RobotFailure::ambiguous:
            case kvwin32::RobotFailure::refused:
                // A REF that names several controls is an error, whatever is expected of it.
                return fail(c, what + ": " + robotError(found));
        }
        return;
    }
    if (!found) {
        return fail(c, what + ": " + robotError(found));
    }
    const HWND hwnd = found.hwnd;
    const std::string value = c.args.size() > 2 ? c.libraryText(2) : std::string();
    auto check = [&](bool held, const std::string& actual) {
        if (!held) {
            fail(c, what + (value.empty() ? "" : " " + quote(value)) + ": found " + actual);
        }
    };
    using kvwin32::Robot;
    switch (c.property) {
        case ExpectProperty::text: {
            const std::string text = Robot::text(hwnd);
            return check(text == value, quote(text));
        }
        case ExpectProperty::enabled:
            return check(Robot::enabled(hwnd), "disabled");
        case ExpectProperty::disabled:
            return check(!Robot::enabled(hwnd), "enabled");
        case ExpectProperty::visible:
            return check(Robot::visible(hwnd), "hidden");
        case ExpectProperty::hidden:
            return check(!Robot::visible(hwnd), "visible");
        case ExpectProperty::checked:
        case ExpectProperty::unchecked: {
            const bool want = c.property == ExpectProperty::checked;
            if (c.item) {
                const std::optional<bool> state = Robot::itemChecked(hwnd, *c.item);
                if (!state) {
                    return fail(c, what + ": the control has no check-list item " +
                                       ansiToDisplay(c.item->describe()));
                }
                return check(*state == want, *state ? "checked" : "unchecked");
            }
            const bool state = Robot::checked(hwnd);
            return check(state == want, state ? "checked" : "unchecked");
        }
        case ExpectProperty::focused:
            return check(Robot::focused(hwnd), "not focused");
        case ExpectProperty::selected: {
            const std::string selected = Robot::selectedText(hwnd);
            return check(selected == value, quote(selected));
        }
        case ExpectProperty::items: {
            const std::string items = joined(Robot::items(hwnd));
            return check(items == value, quote(items));
        }
        case ExpectProperty::count: {
            const int count = Robot::count(hwnd);
            return check(c.number && count == *c.number, std::to_string(count));
        }
        case ExpectProperty::label: {
            const std::string label = m_robot.labelOf(hwnd);
            return check(label == value, quote(label));
        }
        case ExpectProperty::absent:
            return;
    }
}

void ScriptRunner::expectCell(const Command& c) {
    const kvwin32::RobotResult found = findControl(c);
    const std::string where = c.text(0) + " " + c.text(1) + " " + c.text(2);
    const std::string what =
        (c.verb == Verb::expectCell ? "expect-cell " : "expect-current-cell ") + where;
    if (!found) {
        return fail(c, what + ": " + robotError(found));
    }
    const auto row = static_cast<int>(*c.row);
    const auto col = static_cast<int>(*c.column);
    const std::optional<kvwin32::GridCellQuery> cell =
        kvwin32::Robot::gridCell(found.hwnd, row, col);
    if (!cell) {
        return fail(c, what + ": " + describeControl(found.hwnd, m_robot) + " is no grid");
    }
    if (c.verb == Verb::expectCurrentCell) {
        if (cell->currentRow != row || cell->currentCol != col) {
            fail(c, what + ": found " + std::to_string(cell->currentRow) + " " +
                        std::to_string(cell->currentCol));
        }
        return;
    }
    if (!cell->exists) {
        return fail(c, what + ": the grid has " + std::to_string(cell->rows) + " rows and " +
                           std::to_string(cell->cols) + " columns");
    }
    const std::string value = c.libraryText(3);
    if (cell->text != value) {
        fail(c, what + " " + quote(value) + ": found " + quote(cell->text));
    }
}

void ScriptRunner::expectTranscript(const Command& c) {
    const kvwin32::Transcript& transcript = m_desktop->transcript();
    switch (c.verb) {
        case Verb::expectBox:
        case Verb::expectNoBox:
        case Verb::expectBoxStyle: {
            const auto boxes = transcript.entriesOf(kvwin32::TranscriptKind::messageBox);
            if (c.verb == Verb::expectBoxStyle) {
                if (boxes.empty()) {
                    return fail(c, "no message box was shown");
                }
                const kvwin32::TranscriptEntry& box = *boxes.back();
                const std::string icon(kvwin32::boxIconName(box.icon));
                const std::string buttons(kvwin32::boxButtonsName(box.buttons));
                const bool captionOk = c.args.size() < 3 || box.caption == c.libraryText(2);
                if (icon != c.text(0) || buttons != c.text(1) || !captionOk) {
                    fail(c, "the last message box is " + icon + " " + buttons + " " +
                                quote(box.caption));
                }
                return;
            }
            const std::size_t seen = m_boxMark;
            m_boxMark = boxes.size();
            if (c.verb == Verb::expectNoBox) {
                if (boxes.size() > seen) {
                    fail(c, "a message box was shown: " + quote(boxes.back()->text));
                }
                return;
            }
            if (boxes.size() <= seen) {
                return fail(c, "no message box was shown since the last expect-box");
            }
            if (boxes.back()->text != c.libraryText(0)) {
                fail(c, "the last message box says " + quote(boxes.back()->text));
            }
            return;
        }
        case Verb::expectHelp: {
            const auto helps = transcript.entriesOf(kvwin32::TranscriptKind::help);
            const std::size_t seen = m_helpMark;
            m_helpMark = helps.size();
            if (helps.size() <= seen) {
                return fail(c, "no help was requested since the last expect-help");
            }
            const kvwin32::TranscriptEntry& help = *helps.back();
            if (help.book != c.libraryText(0) || help.text != c.libraryText(1)) {
                fail(c, "the last help request is " + quote(help.book) + " " + quote(help.text));
            }
            return;
        }
        case Verb::expectEditFile: {
            const HostFileConfig* files = m_doc.fileConfig();
            const std::size_t count = files != nullptr ? files->calls().size() : 0;
            const std::size_t seen = m_editMark;
            m_editMark = count;
            if (count <= seen) {
                return fail(c, "EditFile was not called since the last expect-edit-file");
            }
            const EditFileCall& call = files->calls().back();
            if (editFileKindName(call.kind) != c.text(0) || call.path != c.libraryText(1)) {
                fail(c, "the last EditFile call is " + editFileTranscriptLine(call));
            }
            return;
        }
        case Verb::expectNotify:
        case Verb::expectNoNotify: {
            const auto& received = m_host.notifications();
            const std::size_t seen = m_notifyMark;
            m_notifyMark = received.size();
            if (c.verb == Verb::expectNoNotify) {
                if (received.size() > seen) {
                    fail(c, "the host received " + notificationLine(received.back()));
                }
                return;
            }
            for (std::size_t i = seen; i < received.size(); ++i) {
                const Notification& n = received[i];
                if (static_cast<long long>(n.code) == *c.number &&
                    (!c.cookie || static_cast<long long>(n.cookie) == *c.cookie)) {
                    return;
                }
            }
            fail(c, received.size() > seen
                        ? "the host received " + notificationLine(received.back()) + " instead"
                        : "the host received no notification since the last expect-notify");
            return;
        }
        default:
            return;
    }
}

void ScriptRunner::expectSheet(const Command& c) {
    switch (c.verb) {
        case Verb::expectModal: {
            const HWND modal = kvwin32::topmostModalDialog();
            const std::string caption = modal != nullptr ? kvwin32::Robot::text(modal) : "none";
            if (caption != c.libraryText(0)) {
                fail(c, "the topmost modal dialog is " + quote(caption));
            }
            return;
        }
        case Verb::expectProfile: {
            const Result<bool> same = ProfilePath::equals(m_doc, c.text(0), c.text(1));
            if (!same) {
                return fail(c, same.error());
            }
            if (!same.value()) {
                const Result<nlohmann::json> actual = ProfilePath::get(m_doc, c.text(0));
                fail(c, "profile " + c.text(0) + " is " +
                            (actual ? actual.value().dump() : actual.error()));
            }
            return;
        }
        case Verb::expectTitle: {
            const HWND sheet = sheetWindow();
            const std::string title = sheet != nullptr ? kvwin32::Robot::text(sheet) : "";
            if (sheet == nullptr) {
                return fail(c, "no sheet window is open");
            }
            if (title != c.libraryText(0)) {
                fail(c, "the sheet's title is " + quote(title));
            }
            return;
        }
        case Verb::expectActive: {
            long long active = -1;
            if (m_sheet != nullptr) {
                active = m_exports.getActivePage(m_sheet);
            } else if (const HWND sheet = sheetWindow()) {
                const HWND tab = FindWindowExA(sheet, nullptr, "SysTabControl32", nullptr);
                active = SendMessageA(tab, TCM_GETCURSEL, 0, 0);
            } else {
                return fail(c, "no sheet: expect-active needs a sheet");
            }
            if (active != *c.number) {
                fail(c, "the active page is " + std::to_string(active));
            }
            return;
        }
        case Verb::expectDisplayed: {
            const long long displayed =
                m_sheet != nullptr ? m_exports.isDialogDisplayed(m_sheet) : (sheetWindow() ? 1 : 0);
            if (displayed != *c.number) {
                fail(c, "DllIsDialogDisplayed answers " + std::to_string(displayed));
            }
            return;
        }
        default:
            return;
    }
}

std::string ScriptRunner::describePage() const {
    return describeWindows(m_robot);
}

void ScriptRunner::print(const Command& c) {
    switch (c.printTarget) {
        case PrintTarget::profile:
            m_out << jsonForTerminal(m_doc.dump()) << '\n';
            return;
        case PrintTarget::page:
            m_out << describePage();
            return;
        case PrintTarget::control: {
            const kvwin32::RobotResult found = findControl(c);
            if (!found) {
                return fail(c, robotError(found));
            }
            m_out << describeControl(found.hwnd, m_robot) << '\n';
            return;
        }
    }
}

void ScriptRunner::snapshot(const Command& c) {
    HWND target = kvwin32::topmostModalDialog();
    if (target == nullptr) {
        target = sheetWindow();
    }
    if (target == nullptr) {
        return fail(c, "no dialog is open to take a snapshot of");
    }
    const std::string png = kvwin32::encodePng(kvwin32::renderWindow(target));
    const Status written = writeFileAtomically(c.text(0), png);
    if (!written) {
        fail(c, "snapshot: " + written.error());
    }
}

}  // namespace kvhost
