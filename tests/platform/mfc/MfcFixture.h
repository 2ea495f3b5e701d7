// A fixture for framework tests: the test program's dialogs and strings registered as the main
// program's resources, a scripted desktop that answers message boxes and runs queued input, and
// an application object named "Tessel Tests"; teardown leaves the thread and the process as
// they were (windows destroyed, desktop and resources restored).
#pragma once

#include <memory>
#include <optional>

#include <gtest/gtest.h>

#include "WindowFixture.h"
#include "afxwin.h"
#include "kvwin32/desktop.h"
#include "kvwin32/resources.h"

namespace kvtest {

class MfcFixture : public WindowFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(KvRegisterResourceDirectory(nullptr, &kvResourceDirectory));
        auto scripted = std::make_unique<kvwin32::ScriptedDesktop>();
        desk = scripted.get();
        scope.emplace(std::move(scripted));
        app = std::make_unique<CWinApp>("Tessel Tests");
    }

    void TearDown() override {
        WindowFixture::TearDown();
        app.reset();
        scope.reset();
        KvRegisterResourceDirectory(nullptr, nullptr);
    }

    // The message boxes shown so far.
    std::vector<const kvwin32::TranscriptEntry*> boxes() const {
        return desk->transcript().entriesOf(kvwin32::TranscriptKind::messageBox);
    }

    kvwin32::ScriptedDesktop* desk = nullptr;
    std::optional<kvwin32::DesktopScope> scope;
    std::unique_ptr<CWinApp> app;
};

}  // namespace kvtest
