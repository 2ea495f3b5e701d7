// CVariantsConfig: the page on its template, with the sheet's Help button.
#include "VariantsConfig.h"

#include "resource.h"

CVariantsConfig::CVariantsConfig(SimProfile* profile)
    : CPropertyPage(IDD_FILES_PAGE), m_pProfile(profile) {
    m_psp.dwFlags |= PSP_HASHELP;
}
