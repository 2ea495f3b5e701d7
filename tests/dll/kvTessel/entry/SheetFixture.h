// A fixture for scenario tests of the settings sheet: a profile whose files live in a
// temporary folder seen as drive D:, a scripted desktop that answers boxes and runs queued
// user actions inside modal loops, a host window that records the notifications it is posted,
// and a Robot to act and look as a user does. Everything is put back when the test ends.
#pragma once

#include <cctype>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "TempDir.h"
#include "kvTessel/Exports.h"
#include "kvTessel/SimProfile.h"
#include "kvwin32/desktop.h"
#include "kvwin32/drives.h"
#include "kvwin32/robot.h"

namespace kvtest {

class SheetFixture : public ::testing::Test {
  protected:
    SheetFixture() {
        m_savedDrives = kvwin32::driveTable();
        kvwin32::setDriveTable("C:=/;D:=" + m_dir.host());
        m_dir.write("proj/amp.cir", "* amplifier\n.end\n");
        m_dir.mkdir("proj/profiles/p1");
        auto desktop = std::make_unique<kvwin32::ScriptedDesktop>();
        m_desktop = desktop.get();
        m_desktopScope = std::make_unique<kvwin32::DesktopScope>(std::move(desktop));
        // Keys reach the library's windows as a host's loop passes them.
        m_savedKeyFilter =
            kvwin32::setKeyFilter([](MSG& msg) { return DllPreTranslateMessage(&msg) != 0; });
        registerHostClass();
        m_host = CreateWindowExA(0, "kvSheetTestHost", "host", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                 nullptr, nullptr, nullptr, nullptr);
        SetWindowLongPtrA(m_host, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&m_notifications));

        m_general.inputEditable = 1;
        m_general.circuitMode = 1;
        m_general.profileName = "p1";
        m_general.designFile = "D:\\proj\\amp.cir";
        m_general.outputFile = "D:\\proj\\profiles\\p1\\amp.out";
        m_general.waveformFile = "D:\\proj\\profiles\\p1\\amp.dat";
        m_general.notes = "first run";
        m_profile.general = &m_general;
        m_profile.profileDir = "D:\\proj\\profiles\\p1";
    }

    ~SheetFixture() override {
        if (m_sheet != nullptr) {
            DllDeleteModelessDialog(m_sheet);
        }
        if (m_host != nullptr) {
            DestroyWindow(m_host);
        }
        pump();
        kvwin32::setKeyFilter(std::move(m_savedKeyFilter));
        m_desktopScope.reset();
        kvwin32::setDriveTable(m_savedDrives);
    }

    // Creates the modeless sheet on the profile (cookie 42) and shows it.
    void openModeless(int mode = SETTINGS_SHOW_NORMAL) {
        m_sheet = DllCreateModelessDialog(&m_profile, m_host, 42);
        ASSERT_NE(m_sheet, nullptr);
        DllShowModelessDialog(m_sheet, mode);
        pump();
    }

    // Dispatches what was posted, the modeless sheet translating first, as a host's loop does.
    // The Windows path of the help file the library opens: "ventra.chm" beside the library.
    // The build puts none there, and no test may write one (scripts that need it run a copy
    // of the library that has one).
    static std::string helpFileBesideLibrary() {
        HMODULE library = nullptr;
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                           reinterpret_cast<LPCSTR>(&DllShowSettingsDialog), &library);
        char path[MAX_PATH] = {};
        GetModuleFileNameA(library, path, MAX_PATH);
        const std::string module = path;
        return module.substr(0, module.find_last_of('\\') + 1) + "ventra.chm";
    }
    // Deletes the sheet as the host does, so that a test can open another one.
    void deleteSheet() {
        DllDeleteModelessDialog(m_sheet);
        m_sheet = nullptr;
        pump();
    }
    // Does what a host does with the checkpoint entries when it is done with a profile whose
    // records it keeps in a derived fixture (call it from that fixture's destructor, while the
    // records live, or between two sheets on the same profile): deletes the sheet, frees the
    // entries the library put into the checkpoint and restart records (all but `ownEntries`)
    // and empties those records' lists, empties the registry and ends its singleton.
    void releaseCheckpointEntries(const std::vector<const CCheckPointReader*>& ownEntries = {}) {
        if (m_sheet != nullptr) {
            deleteSheet();
        }
        std::set<CCheckPointReader*> library;
        for (const auto* record : {m_profile.checkpoint ? &m_profile.checkpoint->entries : nullptr,
                                   m_profile.restart ? &m_profile.restart->entries : nullptr}) {
            for (CCheckPointReader* entry : record ? *record : std::vector<CCheckPointReader*>{}) {
                if (std::find(ownEntries.begin(), ownEntries.end(), entry) == ownEntries.end()) {
                    library.insert(entry);
                }
            }
        }
        for (CCheckPointReader* entry : library) {
            delete entry;
        }
        for (auto* record : {m_profile.checkpoint ? &m_profile.checkpoint->entries : nullptr,
                             m_profile.restart ? &m_profile.restart->entries : nullptr}) {
            if (record != nullptr) {
                std::erase_if(*record, [&library](CCheckPointReader* entry) {
                    return library.count(entry) != 0;
                });
            }
        }
        ISyncCkptReStart::chkptSimEntry.clear();
        ISyncCkptReStart::killOb();
    }

    void pump() {
        MSG msg;
        for (int i = 0; i < 10000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
            if (m_sheet != nullptr && DllPreTranslateMessage(&msg) != 0) {
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

    // The control a user would name so, in the active dialog; fails the test when none.
    // A REF as scripts write it: `"text"+N` or `text-N` names the control N places after or
    // before the one the text names.
    static kvwin32::ControlQuery query(std::string ref) {
        int offset = 0;
        if (const auto at = ref.find_last_of("+-");
            at != std::string::npos && at > 0 && at + 1 < ref.size() &&
            std::isdigit(static_cast<unsigned char>(ref[at + 1]))) {
            offset = std::stoi(ref.substr(at + 1)) * (ref[at] == '-' ? -1 : 1);
            ref.resize(at);
        }
        if (ref.size() >= 2 && ref.front() == '"' && ref.back() == '"') {
            ref = ref.substr(1, ref.size() - 2);
        }
        kvwin32::ControlQuery q = kvwin32::ControlQuery::byText(ref);
        q.offset = offset;
        return q;
    }
    HWND control(const std::string& ref) {
        const kvwin32::RobotResult found = m_robot.find(query(ref));
        EXPECT_TRUE(found.ok()) << ref << ": " << found.error;
        return found.hwnd;
    }
    // Acts and pumps; fails the test when the Robot refuses.
    void click(const std::string& ref) {
        const kvwin32::RobotResult done = m_robot.click(query(ref));
        EXPECT_TRUE(done.ok()) << ref << ": " << done.error;
        pump();
    }
    void type(const std::string& ref, const std::string& text) {
        const kvwin32::RobotResult done = m_robot.type(query(ref), text);
        EXPECT_TRUE(done.ok()) << ref << ": " << done.error;
        pump();
    }
    // Chooses an item of a list as a user does with the mouse.
    void select(const std::string& ref, const std::string& item) {
        const kvwin32::RobotResult done =
            m_robot.select(query(ref), kvwin32::ItemQuery::named(item));
        EXPECT_TRUE(done.ok()) << ref << " " << item << ": " << done.error;
        pump();
    }
    bool enabled(const std::string& ref) { return kvwin32::Robot::enabled(control(ref)); }
    bool checked(const std::string& ref) { return kvwin32::Robot::checked(control(ref)); }
    std::string selected(const std::string& ref) {
        return kvwin32::Robot::selectedText(control(ref));
    }
    void clickTab(const std::string& caption) {
        const HWND tab = FindWindowExA(sheetWindow(), nullptr, "SysTabControl32", nullptr);
        const kvwin32::RobotResult done = m_robot.clickTab(tab, kvwin32::ItemQuery::named(caption));
        EXPECT_TRUE(done.ok()) << caption << ": " << done.error;
        pump();
    }
    std::string text(const std::string& ref) { return kvwin32::Robot::text(control(ref)); }

    // The sheet's window: the visible top-level window of this thread with a tab control.
    HWND sheetWindow() const {
        for (HWND w = GetTopWindow(nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
            if (GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId() &&
                FindWindowExA(w, nullptr, "SysTabControl32", nullptr) != nullptr) {
                return w;
            }
        }
        return nullptr;
    }
    std::string title() const {
        const HWND sheet = sheetWindow();
        return sheet != nullptr ? kvwin32::Robot::text(sheet) : std::string("<no sheet>");
    }

    // The message boxes shown so far, oldest first.
    std::vector<std::string> boxes() const {
        std::vector<std::string> texts;
        for (const auto* e :
             m_desktop->transcript().entriesOf(kvwin32::TranscriptKind::messageBox)) {
            texts.push_back(e->text);
        }
        return texts;
    }

    // The notification codes the host received, oldest first.
    std::vector<WPARAM> codes() const {
        std::vector<WPARAM> out;
        for (const auto& n : m_notifications) {
            out.push_back(n.first);
        }
        return out;
    }

    static constexpr UINT kNotifyMessage = WM_USER + 7;

    TempDir m_dir;
    kvwin32::ScriptedDesktop* m_desktop = nullptr;
    GeneralSettings m_general;
    SimProfile m_profile;
    CSimPropertySheet* m_sheet = nullptr;
    HWND m_host = nullptr;
    kvwin32::Robot m_robot;
    std::vector<std::pair<WPARAM, LPARAM>> m_notifications;

  private:
    // The host window records every notification it receives, whichever loop dispatches it.
    static LRESULT hostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == kNotifyMessage) {
            auto* list = reinterpret_cast<std::vector<std::pair<WPARAM, LPARAM>>*>(
                GetWindowLongPtrA(hwnd, GWLP_USERDATA));
            if (list != nullptr) {
                list->push_back({wParam, lParam});
            }
            return 0;
        }
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }

    static void registerHostClass() {
        static const ATOM atom = [] {
            WNDCLASSA wc{};
            wc.lpfnWndProc = hostProc;
            wc.lpszClassName = "kvSheetTestHost";
            return RegisterClassA(&wc);
        }();
        (void)atom;
    }

    std::string m_savedDrives;
    kvwin32::KeyFilter m_savedKeyFilter;
    std::unique_ptr<kvwin32::DesktopScope> m_desktopScope;
};

}  // namespace kvtest
