// The host interface: the notification message and its codes, the page, field, analysis and
// show-mode codes hosts pass, and the export prototypes. Each export is redeclared here with
// C linkage and the signature hosts look it up by; a C++-linkage declaration or a changed
// signature in the header makes this file fail to compile.
#include <cstdint>

#include <gtest/gtest.h>

#include "kvTessel/Exports.h"

extern "C" {
int DllShowSettingsDialog(SimProfile* profile);
CSimPropertySheet* DllCreateModelessDialog(SimProfile* profile, HWND hostWnd, LPARAM cookie);
CSimPropertySheet* DllCreateModelessDialogRunLimited(SimProfile* profile, HWND hostWnd,
                                                     LPARAM cookie, int maxMonteCarloRuns,
                                                     int profileScopeSwitch);
void DllShowModelessDialog(CSimPropertySheet* sheet, int mode);
void DllDeleteModelessDialog(CSimPropertySheet* sheet);
int DllIsDialogDisplayed(CSimPropertySheet* sheet);
std::uint16_t DllGetActivePage(CSimPropertySheet* sheet);
void DllSetActivePage(CSimPropertySheet* sheet, std::int16_t index);
int DllPreTranslateMessage(MSG* msg);
void DllUpdateGeneralPage(CSimPropertySheet* sheet, const GeneralSettings* record,
                          GeneralField field);
int getModuleVersionInfo(char* buffer);
HRESULT DllCanUnloadNow();
HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* result);
HRESULT DllRegisterServer();
}

// WM_USER + 7, posted with OK 1, Cancel 2, Apply 4 in wParam and the cookie in lParam.
static_assert(WM_SIMSETTINGS_NOTIFY == 0x0407);
static_assert(SETTINGS_NOTIFY_OK == 1 && SETTINGS_NOTIFY_CANCEL == 2 && SETTINGS_NOTIFY_APPLY == 4);
static_assert(sizeof(LPARAM) == 8, "the host's cookie is a 64-bit value");
static_assert(SETTINGS_NO_PAGE == 65535);
static_assert(SETTINGS_SHOW_HIDE == 0 && SETTINGS_SHOW_NORMAL == 1 && SETTINGS_SHOW_TOPMOST == 2);

// Page indices follow the order the sheet adds its pages.
static_assert(static_cast<int>(SettingsPage::general) == 0);
static_assert(static_cast<int>(SettingsPage::analysis) == 1);
static_assert(static_cast<int>(SettingsPage::configurationFiles) == 2);
static_assert(static_cast<int>(SettingsPage::options) == 3);
static_assert(static_cast<int>(SettingsPage::dataCollection) == 4);
static_assert(static_cast<int>(SettingsPage::probeWindow) == 5);

// DllUpdateGeneralPage's field indices.
static_assert(static_cast<unsigned>(GeneralField::profileName) == 0);
static_assert(static_cast<unsigned>(GeneralField::designFile) == 1);
static_assert(static_cast<unsigned>(GeneralField::projectName) == 2);
static_assert(static_cast<unsigned>(GeneralField::schematicName) == 3);
static_assert(static_cast<unsigned>(GeneralField::waveformFile) == 4);
static_assert(static_cast<unsigned>(GeneralField::outputFile) == 5);
static_assert(static_cast<unsigned>(GeneralField::notes) == 6);

// The profile's analysis and design-source codes, and the editor kinds of EditFile.
static_assert(static_cast<int>(AnalysisType::transient) == 0);
static_assert(static_cast<int>(AnalysisType::dcSweep) == 1);
static_assert(static_cast<int>(AnalysisType::acSweep) == 2);
static_assert(static_cast<int>(AnalysisType::biasPoint) == 3);
static_assert(static_cast<int>(DesignSource::drafter) == 0);
static_assert(static_cast<int>(DesignSource::diagram) == 1);
static_assert(static_cast<int>(EditFileKind::library) == 0);
static_assert(static_cast<int>(EditFileKind::stimulus) == 1);
static_assert(static_cast<int>(EditFileKind::include) == 2);
