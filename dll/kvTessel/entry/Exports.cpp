// The exported entry points: each switches to the library's module state for its whole
// duration and ignores a null sheet handle.
#include "kvTessel/Exports.h"

#include <algorithm>
#include <cstring>
#include <string>

#include <afxdisp.h>
#include <afxwin.h>

#include "InstallEnvironment.h"
#include "SheetLimits.h"
#include "SimPropertySheet.h"
#include "TesselDllApp.h"

namespace {

void fixApplicationHelpPath() {
    if (CWinApp* app = AfxGetApp()) {
        FixHelpFilePath(app);
    }
}

CSimPropertySheet* createModeless(SimProfile* profile, HWND hostWnd, LPARAM cookie, int maxRuns,
                                  int profileScopeSwitch) {
    auto* sheet = new CSimPropertySheet(profile, nullptr, profileScopeSwitch == 0 ? 1 : 0);
    sheet->ChooseStartPage();
    sheet->m_hostWnd = hostWnd;
    sheet->m_hostCookie = cookie;
    kvTessel::setMaxMonteCarloRuns(maxRuns);
    return sheet;
}

}  // namespace

int DllShowSettingsDialog(SimProfile* profile) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    fixApplicationHelpPath();
    CSimPropertySheet sheet(profile, nullptr, 0);
    sheet.ChooseStartPage();
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    return static_cast<int>(sheet.DoModal());
}

CSimPropertySheet* DllCreateModelessDialog(SimProfile* profile, HWND hostWnd, LPARAM cookie) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return createModeless(profile, hostWnd, cookie, kvTessel::kDefaultMaxMonteCarloRuns, 0);
}

CSimPropertySheet* DllCreateModelessDialogRunLimited(SimProfile* profile, HWND hostWnd,
                                                     LPARAM cookie, int maxMonteCarloRuns,
                                                     int profileScopeSwitch) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return createModeless(profile, hostWnd, cookie, maxMonteCarloRuns, profileScopeSwitch);
}

void DllShowModelessDialog(CSimPropertySheet* sheet, int mode) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (sheet == nullptr) {
        return;
    }
    fixApplicationHelpPath();
    sheet->ShowModeless(mode);
}

void DllDeleteModelessDialog(CSimPropertySheet* sheet) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (sheet == nullptr) {
        return;
    }
    if (sheet->GetSafeHwnd() != nullptr) {
        sheet->DestroyWindow();
    }
    delete sheet;
}

int DllIsDialogDisplayed(CSimPropertySheet* sheet) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return sheet != nullptr && sheet->GetSafeHwnd() != nullptr ? 1 : 0;
}

WORD DllGetActivePage(CSimPropertySheet* sheet) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (sheet == nullptr) {
        return SETTINGS_NO_PAGE;
    }
    return static_cast<WORD>(sheet->GetActiveIndex());
}

void DllSetActivePage(CSimPropertySheet* sheet, std::int16_t index) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (sheet == nullptr) {
        return;
    }
    sheet->SetActivePage(index);
}

int DllPreTranslateMessage(MSG* msg) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (msg == nullptr) {
        return 0;
    }
    return theApp.PreTranslateMessage(msg) ? 1 : 0;
}

void DllUpdateGeneralPage(CSimPropertySheet* sheet, const GeneralSettings* record,
                          GeneralField field) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (sheet == nullptr || record == nullptr) {
        return;
    }
    sheet->UpdateGeneralPage(record, field);
}

int getModuleVersionInfo(char* buffer) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (buffer == nullptr) {
        return 1;
    }
    std::string text;
    GetVersionText(text);
    const std::size_t n = std::min(text.size(), SETTINGS_VERSION_BUFFER_SIZE - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return 1;
}

HRESULT DllCanUnloadNow() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return AfxDllCanUnloadNow();
}

HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* result) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return AfxDllGetClassObject(clsid, iid, result);
}

HRESULT DllRegisterServer() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    BeginPerUserRegistration();
    COleObjectFactory::UpdateRegistryAll();
    EndPerUserRegistration();
    return S_OK;
}
