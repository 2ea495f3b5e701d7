// CSimCheckListBox: the Analysis page's option list. A check-list box whose every item carries
// a check box the user toggles, and whose item data is the child dialog of that option.
#pragma once

#include <afxchecklistbox.h>

class CSimCheckListBox : public CCheckListBox {};
