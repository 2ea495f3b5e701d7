// The library's application object: prepares the process when the library is loaded (the
// installation, crash reports, resources in the user's language, the grid library, the common
// controls, class-factory registration) and points the framework's help file at the product's.
#pragma once

#include <afxwin.h>

class CTesselDllApp : public CWinApp {
  public:
    CTesselDllApp();

    // The start-up steps, in the order the product has always run them; always succeeds.
    BOOL InitInstance() override;
};

// Replaces the application's help file path, when it has one, with "ventra.chm" in the same
// folder, normalised; idempotent.
void FixHelpFilePath(CWinApp* app);

// The library's one application object.
extern CTesselDllApp theApp;
