// CMeasurementPage: the page on its template, with the sheet's Help button.
#include "MeasurementPage.h"

#include "resource.h"

CMeasurementPage::CMeasurementPage(SimProfile* profile)
    : CSettingsPage(IDD_MEASUREMENT_PAGE, profile, true) {}
