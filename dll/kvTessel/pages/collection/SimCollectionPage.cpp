// CSimCollectionPage: the page on its template, with the sheet's Help button.
#include "SimCollectionPage.h"

#include "resource.h"

CSimCollectionPage::CSimCollectionPage(SimProfile* profile)
    : CPropertyPage(IDD_COLLECTION_PAGE), m_pProfile(profile) {
    m_psp.dwFlags |= PSP_HASHELP;
}
