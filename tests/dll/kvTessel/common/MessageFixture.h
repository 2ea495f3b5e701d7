// A fixture for the message and help tests: the shipped catalogs found beside the message
// library (no installation), a fresh message library and catalog manager, no help library
// initialised, a scripted desktop that answers and records message boxes, and an application
// object named "Tessel Tests". Everything is put back as it was when the test ends.
#pragma once

#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "afxwin.h"
#include "dv/dvHelp.h"
#include "kvErrorManager.h"
#include "kvwin32/desktop.h"
#include "kvwin32/resources.h"
#include "sb/SBMessageManager.h"
#include <windows.h>

namespace kvtest {

// Sets (or, with null, removes) a variable of the library's environment for a scope.
class EnvVariable {
  public:
    EnvVariable(std::string name, const char* value) : m_name(std::move(name)) {
        char buffer[4096];
        const DWORD n = GetEnvironmentVariableA(m_name.c_str(), buffer, sizeof buffer);
        if (n > 0 && n < sizeof buffer)
            m_old = std::string(buffer, n);
        SetEnvironmentVariableA(m_name.c_str(), value);
    }
    ~EnvVariable() { SetEnvironmentVariableA(m_name.c_str(), m_old ? m_old->c_str() : nullptr); }
    EnvVariable(const EnvVariable&) = delete;
    EnvVariable& operator=(const EnvVariable&) = delete;

  private:
    std::string m_name;
    std::optional<std::string> m_old;
};

class MessageFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        resetLibraries();
        auto scripted = std::make_unique<kvwin32::ScriptedDesktop>();
        desk = scripted.get();
        scope.emplace(std::move(scripted));
        app = std::make_unique<CWinApp>("Tessel Tests");
        // The library's string table is compiled into the test program: its resources are
        // the main program's.
        ASSERT_TRUE(KvRegisterResourceDirectory(nullptr, &kvResourceDirectory));
    }

    void TearDown() override {
        app.reset();
        KvRegisterResourceDirectory(nullptr, nullptr);
        scope.reset();
        resetLibraries();
    }

    static void resetLibraries() {
        SBMessageManager::getInstance().reset();
        kvErrorManager::instance().forgetAttemptedModules();
        kvErrorManager::instance().setSessionLogSink({});
        dvExit();
    }

    // Points the application's help file at a Windows path (null: no help file).
    void setHelpFile(const char* path) {
        std::free(const_cast<char*>(app->m_pszHelpFilePath));
        app->m_pszHelpFilePath = path ? strdup(path) : nullptr;
    }

    // The message boxes shown so far.
    std::vector<const kvwin32::TranscriptEntry*> boxes() const {
        return desk->transcript().entriesOf(kvwin32::TranscriptKind::messageBox);
    }

    // The message library knows nothing of the machine's installation.
    EnvVariable noInstallation{"TDSROOT", nullptr};
    EnvVariable noLog{"KORVA_LOG_SMI_MESSAGES", nullptr};
    EnvVariable noDump{"KORVA_DUMP_MSGBOX_MESSAGES_IN_SESSION_LOG", nullptr};
    kvwin32::ScriptedDesktop* desk = nullptr;
    std::optional<kvwin32::DesktopScope> scope;
    std::unique_ptr<CWinApp> app;
};

}  // namespace kvtest
