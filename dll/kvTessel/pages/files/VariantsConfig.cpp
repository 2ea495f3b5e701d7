// CVariantsConfig: the page on its template, with the sheet's Help button.
#include "VariantsConfig.h"

#include "resource.h"

CVariantsConfig::CVariantsConfig(SimProfile* profile)
    : CSettingsPage(IDD_FILES_PAGE, profile, true) {}
