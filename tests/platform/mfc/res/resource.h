// Ids of the framework tests' dialogs, controls and strings.
#pragma once

#define IDD_FIELDS 100
#define IDD_MISSING 199

#define IDC_TEXT 1001
#define IDC_NUMBER 1002
#define IDC_REAL 1003
#define IDC_CHECK 1004
#define IDC_RADIO1 1005
#define IDC_RADIO2 1006
#define IDC_RADIO3 1007
#define IDC_LIST 1008
#define IDC_EDITCOMBO 1009
#define IDC_LISTBOX 1010
#define IDC_OWNERDRAW 1011
#define IDC_UNSIGNED 1012

#define IDS_GREETING 200
#define IDS_FORMAT 201
