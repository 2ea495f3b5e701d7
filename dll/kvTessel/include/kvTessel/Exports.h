// The settings library's entry points for hosts: open the "Simulation Settings" sheet modally
// on a profile, or create it once as a modeless window that the host shows, hides, drives and
// deletes; the notification the modeless sheet posts to the host's window; the version export;
// and the in-process-server exports of the framework.
//
// Every entry point has C linkage and default visibility, and runs on the host's user-interface
// thread. Functions that take a sheet handle ignore a null one.
#pragma once

#include <cstddef>
#include <cstdint>

#include <windows.h>
#include "kvwin32/winuser.h"

#include "kvTessel/ApiVisibility.h"
#include "kvTessel/ComTypes.h"
#include "kvTessel/GeneralSettings.h"
#include "kvTessel/SimProfile.h"

// The settings sheet. Hosts see only its address, returned by the modeless creation functions,
// and treat it as an opaque handle.
class CSimPropertySheet;

// ---- Notification to the host's window ----------------------------------------------------

// Posted (never sent) to the host window given at modeless creation when the user closes or
// applies the sheet. wParam is one of the SETTINGS_NOTIFY_ codes; lParam is the host's cookie.
inline constexpr UINT WM_SIMSETTINGS_NOTIFY = WM_USER + 7;

inline constexpr WPARAM SETTINGS_NOTIFY_OK = 1;  // OK: every page applied and the window is gone
inline constexpr WPARAM SETTINGS_NOTIFY_CANCEL =
    // Cancel, after the framework's cancel processing.
    2;
inline constexpr WPARAM SETTINGS_NOTIFY_APPLY = 4;  // Apply, whatever the pages answered

// ---- Arguments and results --------------------------------------------------------------------

// Modes of DllShowModelessDialog. Any value other than these shows the sheet like
// SETTINGS_SHOW_NORMAL.
inline constexpr int SETTINGS_SHOW_HIDE = 0;     // close modal sub-dialogs and destroy the window
inline constexpr int SETTINGS_SHOW_NORMAL = 1;   // create or show the window and bring it forward
inline constexpr int SETTINGS_SHOW_TOPMOST = 2;  // as SETTINGS_SHOW_NORMAL, then make it topmost

// DllGetActivePage's answer for a null sheet handle.
inline constexpr WORD SETTINGS_NO_PAGE = 0xFFFF;

// Which General page field DllUpdateGeneralPage refreshes. Values of 7 and above copy no field.
enum class GeneralField : unsigned int {
    profileName = 0,    // "Simulation Profile:"
    designFile = 1,     // "Schematic filename (.DSN):" or "Circuit filename (.CIR):"
    projectName = 2,    // "Project Name (.OPJ)"
    schematicName = 3,  // "Schematic name:"
    waveformFile = 4,   // "Waveform data filename:"
    outputFile = 5,     // "Output filename:"
    notes = 6,          // "Notes:"
};

// Size of a buffer that always holds getModuleVersionInfo's text with its terminating zero:
// the export has no size argument, so the library never writes more than this.
inline constexpr std::size_t SETTINGS_VERSION_BUFFER_SIZE = 256;

// ---- Entry points -----------------------------------------------------------------------------

// Runs the sheet modally on `profile` and returns the framework's modal result when it closes.
// Pages whose OnApply succeeded at OK have written their sub-records.
KVTESSEL_API int DllShowSettingsDialog(SimProfile* profile);

// Builds a modeless sheet on `profile` without creating its window; notifications go to
// `hostWnd` with `cookie` as lParam. Sets the Monte Carlo run limit to 10000 and allows
// profile-scope configuration files.
KVTESSEL_API CSimPropertySheet* DllCreateModelessDialog(SimProfile* profile, HWND hostWnd,
                                                        LPARAM cookie);

// As DllCreateModelessDialog, with the Monte Carlo run limit `maxMonteCarloRuns`; profile-scope
// configuration files are allowed only when `profileScopeSwitch` is 0.
KVTESSEL_API CSimPropertySheet* DllCreateModelessDialogRunLimited(SimProfile* profile, HWND hostWnd,
                                                                  LPARAM cookie,
                                                                  int maxMonteCarloRuns,
                                                                  int profileScopeSwitch);

// Hides (SETTINGS_SHOW_HIDE), shows, or shows topmost the modeless sheet; the window is created
// on the first show and re-created from the same page objects after a hide.
KVTESSEL_API void DllShowModelessDialog(CSimPropertySheet* sheet, int mode);

// Destroys the sheet's window if it has one, then the sheet.
KVTESSEL_API void DllDeleteModelessDialog(CSimPropertySheet* sheet);

// 1 when `sheet` is not null and currently has a window (visible or not), else 0.
KVTESSEL_API int DllIsDialogDisplayed(CSimPropertySheet* sheet);

// Index of the active page (SettingsPage), cut to 16 bits; SETTINGS_NO_PAGE for a null handle.
KVTESSEL_API WORD DllGetActivePage(CSimPropertySheet* sheet);

// Makes page `index` active; before the window exists this selects the page it opens on.
KVTESSEL_API void DllSetActivePage(CSimPropertySheet* sheet, std::int16_t index);

// Lets a modeless sheet translate a message of the host's loop (dialog keyboard navigation);
// nonzero when the message was consumed and must not be dispatched. Hosts call it for every
// message while a modeless sheet exists.
KVTESSEL_API int DllPreTranslateMessage(MSG* msg);

// Refreshes one General page field from `record`, keeping edits in the other fields; for
// GeneralField::profileName also retitles the sheet. A null record does nothing.
KVTESSEL_API void DllUpdateGeneralPage(CSimPropertySheet* sheet, const GeneralSettings* record,
                                       GeneralField field);

// Copies the library's version text with its terminating zero into `buffer`, which must hold
// SETTINGS_VERSION_BUFFER_SIZE bytes; returns 1.
KVTESSEL_API int getModuleVersionInfo(char* buffer);

// The framework's answer to whether the library may be unloaded.
KVTESSEL_API HRESULT DllCanUnloadNow();

// The framework's class-factory lookup for `clsid` and interface `iid`.
KVTESSEL_API HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* result);

// Registers the library's class factories (per-user registration redirection); returns S_OK.
KVTESSEL_API HRESULT DllRegisterServer();
