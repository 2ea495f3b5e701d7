// CSimCollectionPage: the page on its template, with the sheet's Help button.
#include "SimCollectionPage.h"

#include "resource.h"

CSimCollectionPage::CSimCollectionPage(SimProfile* profile)
    : CSettingsPage(IDD_COLLECTION_PAGE, profile, true) {}
