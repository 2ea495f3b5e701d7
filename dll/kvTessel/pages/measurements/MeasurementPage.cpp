// CMeasurementPage: the page on its template, with the sheet's Help button.
#include "MeasurementPage.h"

#include "resource.h"

CMeasurementPage::CMeasurementPage(SimProfile* profile)
    : CPropertyPage(IDD_MEASUREMENT_PAGE), m_pProfile(profile) {
    m_psp.dwFlags |= PSP_HASHELP;
}
