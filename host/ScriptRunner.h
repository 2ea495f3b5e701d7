// Runs script commands against the settings library, as a host and a person at its keyboard
// would: the host's commands call the library's exports, the user's commands act through the
// Robot, answers for message boxes and file dialogs are queued on a scripted desktop, and the
// expect commands compare what a user sees and what the profile holds. Inside a modal run
// (the modal sheet, a modal sub-dialog) the next commands are the user input the modal loop
// asks for; when the commands end inside one, the dialog is cancelled.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>

#include "CommandSource.h"
#include "HostWindow.h"
#include "ProfileJson.h"
#include "Script.h"
#include "SheetLibrary.h"
#include "kvwin32/desktop.h"
#include "kvwin32/robot.h"

namespace kvhost {

class LiveScreen;

class ScriptRunner {
  public:
    // A runner on the library's exports and the profile document; transcript lines and
    // command output go to `out`, errors (`error LINE: reason`) to `err`. `showPage` prints
    // the active dialog after each command (the interactive console).
    ScriptRunner(const SheetExports& exports, ProfileDocument& doc, std::ostream& out,
                 std::ostream& err, bool showPage = false);
    ~ScriptRunner();
    ScriptRunner(const ScriptRunner&) = delete;
    ScriptRunner& operator=(const ScriptRunner&) = delete;

    // Runs every command of the source; deletes a modeless sheet the commands left. Answers
    // 0 when every command ran and every expect held, 1 otherwise.
    int run(CommandSource& source);

    // Number of failed commands and expects so far.
    int failures() const { return m_failures; }

    // Hands the input to a person at a live screen once the commands have ended (kvhost
    // --window): from then on message boxes and file and folder dialogs are real dialogs the
    // person answers, and when no sheet is open the modal sheet opens for the person.
    void setLiveScreen(LiveScreen* screen) { m_live = screen; }

  private:
    class RunnerDesktop;

    // Runs the next line of the source; false when the source has ended.
    bool step();
    void execute(const Command& c);
    // Reports a failed command or expect.
    void fail(const Command& c, const std::string& reason);
    // Dispatches what was posted to the host's windows, as the host's loop does between two
    // commands (the modeless sheet translates first).
    void pumpHost();

    // Host commands.
    void openModal(const Command& c);
    void openModeless(const Command& c, bool show);
    void updateGeneral(const Command& c);
    // User commands on a control.
    void userAction(const Command& c);
    void clickTab(const Command& c);
    // Expect commands.
    void expectControl(const Command& c);
    // expect-cell and expect-current-cell: a grid's cell text or current cell.
    void expectCell(const Command& c);
    void expectTranscript(const Command& c);
    void expectSheet(const Command& c);
    void print(const Command& c);
    void snapshot(const Command& c);

    // The control a command's REF names, or an error.
    kvwin32::RobotResult findControl(const Command& c) const;
    // The window of the sheet (modal or modeless) when it has one.
    HWND sheetWindow() const;
    // The active dialog as printed by `print page` and the console.
    std::string describePage() const;

    const SheetExports& m_exports;
    ProfileDocument& m_doc;
    std::ostream& m_out;
    std::ostream& m_err;
    bool m_showPage;

    RunnerDesktop* m_desktop = nullptr;  // owned by the desktop seam while the runner lives
    std::unique_ptr<kvwin32::Desktop> m_previousDesktop;
    kvwin32::KeyFilter m_previousKeyFilter;
    HostWindow m_host;
    kvwin32::Robot m_robot;
    CommandSource* m_source = nullptr;
    CSimPropertySheet* m_sheet = nullptr;  // the modeless sheet, when one was created
    int m_modalDepth = 0;
    int m_failures = 0;
    LiveScreen* m_live = nullptr;  // the person's screen, when there is one
    bool m_personTurn = false;     // the commands have ended and the person goes on

    // Marks of what the last expect of each kind has seen.
    std::size_t m_boxMark = 0;
    std::size_t m_helpMark = 0;
    std::size_t m_notifyMark = 0;
    std::size_t m_editMark = 0;
};

}  // namespace kvhost
