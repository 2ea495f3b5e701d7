// Module state: AFX_MANAGE_STATE switches the current application and resources for a scope
// and restores them however the scope is left; each module keeps its own resource handle; a
// library's application object starts with its own state current.
#include <gtest/gtest.h>

#include "MfcFixture.h"
#include "resource.h"

namespace {

// A library-style application object, started when the program is loaded.
class LoadedApp : public CWinApp {
  public:
    LoadedApp() : CWinApp("Loaded") {}
    BOOL InitInstance() override {
        stateDuringInit = AfxGetModuleState();
        appDuringInit = AfxGetApp();
        ++initCount;
        return TRUE;
    }
    AFX_MODULE_STATE* stateDuringInit = nullptr;
    CWinApp* appDuringInit = nullptr;
    int initCount = 0;
};

AFX_LIBRARY_APPLICATION(LoadedApp, loadedApp);

HINSTANCE fakeModule(int n) {
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(n));
}

class ModuleStateTest : public kvtest::MfcFixture {};

TEST_F(ModuleStateTest, LibraryApplicationStartsInItsOwnState) {
    EXPECT_EQ(loadedApp.initCount, 1);
    EXPECT_EQ(loadedApp.stateDuringInit, AfxGetStaticModuleState());
    EXPECT_EQ(loadedApp.appDuringInit, &loadedApp);
    EXPECT_EQ(AfxGetStaticModuleState()->m_pCurrentWinApp, &loadedApp);
    EXPECT_TRUE(AfxGetStaticModuleState()->m_bDLL);
    // The loader's state was given back: the program's application is the fixture's.
    EXPECT_EQ(AfxGetModuleState(), AfxGetAppModuleState());
    EXPECT_EQ(AfxGetApp(), app.get());
    {
        AFX_MANAGE_STATE(AfxGetStaticModuleState());
        EXPECT_EQ(AfxGetApp(), &loadedApp);
        EXPECT_STREQ(AfxGetAppName(), "Loaded");
    }
    EXPECT_STREQ(AfxGetAppName(), "Tessel Tests");
}

TEST_F(ModuleStateTest, ManageStateRestoresOnScopeExit) {
    AFX_MODULE_STATE first;
    AFX_MODULE_STATE second;
    first.m_hCurrentResourceHandle = fakeModule(0x1000);
    second.m_hCurrentResourceHandle = fakeModule(0x2000);
    AFX_MODULE_STATE* const before = AfxGetModuleState();
    {
        AFX_MANAGE_STATE(&first);
        EXPECT_EQ(AfxGetResourceHandle(), fakeModule(0x1000));
        EXPECT_EQ(AfxGetApp(), nullptr);
        {
            AFX_MANAGE_STATE(&second);
            EXPECT_EQ(AfxGetResourceHandle(), fakeModule(0x2000));
            AfxSetResourceHandle(fakeModule(0x3000));
        }
        EXPECT_EQ(AfxGetResourceHandle(), fakeModule(0x1000));
        [&] {
            AFX_MANAGE_STATE(&second);
            return;  // an early return restores too
        }();
        EXPECT_EQ(AfxGetModuleState(), &first);
    }
    EXPECT_EQ(second.m_hCurrentResourceHandle, fakeModule(0x3000));
    EXPECT_EQ(AfxGetModuleState(), before);
    EXPECT_EQ(AfxGetResourceHandle(), nullptr);  // the program's own resources
}

TEST_F(ModuleStateTest, StringsComeFromTheCurrentResourceModule) {
    CString text;
    EXPECT_TRUE(text.LoadString(IDS_GREETING));
    EXPECT_STREQ(text, "Hello from the tests");
    text.Format(IDS_FORMAT, 3, "list");
    EXPECT_STREQ(text, "3 items in list");
    {
        AFX_MODULE_STATE other;
        other.m_hCurrentResourceHandle = fakeModule(0x4000);  // a module with no strings
        AFX_MANAGE_STATE(&other);
        CString missing("kept");
        EXPECT_FALSE(missing.LoadString(IDS_GREETING));
        EXPECT_STREQ(missing, "kept");
        // The framework's own prompts are there whatever the resource module.
        EXPECT_TRUE(AfxLoadString(AFX_IDP_PARSE_INT, missing));
        EXPECT_STREQ(missing, "Please enter an integer.");
    }
}

TEST_F(ModuleStateTest, ApplicationObjectRegistersWithTheCurrentState) {
    AFX_MODULE_STATE state;
    {
        AFX_MANAGE_STATE(&state);
        {
            CWinApp second("Second");
            EXPECT_EQ(AfxGetApp(), &second);
            EXPECT_EQ(state.m_pCurrentWinApp, &second);
        }
        EXPECT_EQ(AfxGetApp(), nullptr);  // it left when it went away
    }
    EXPECT_EQ(AfxGetApp(), app.get());
}

TEST_F(ModuleStateTest, MessageBoxesUseTheApplicationName) {
    desk->queueBoxAnswer(IDYES);
    EXPECT_EQ(AfxMessageBox("Proceed?", MB_YESNO), IDYES);
    desk->queueBoxAnswer(IDOK);
    EXPECT_EQ(AfxMessageBox("Done.", MB_OK | MB_ICONINFORMATION), IDOK);
    const auto shown = boxes();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0]->caption, "Tessel Tests");
    EXPECT_EQ(shown[0]->icon, kvwin32::BoxIcon::question);  // added for a yes/no box
    EXPECT_EQ(shown[1]->icon, kvwin32::BoxIcon::information);
}

TEST_F(ModuleStateTest, WaitCursorNests) {
    {
        CWaitCursor outer;
        EXPECT_EQ(app->m_nWaitCursorCount, 1);
        {
            CWaitCursor inner;
            EXPECT_EQ(app->m_nWaitCursorCount, 2);
        }
        EXPECT_EQ(app->m_nWaitCursorCount, 1);
    }
    EXPECT_EQ(app->m_nWaitCursorCount, 0);
    app->DoWaitCursor(-1);  // an unmatched end does not go below zero
    EXPECT_EQ(app->m_nWaitCursorCount, 0);
}

}  // namespace
