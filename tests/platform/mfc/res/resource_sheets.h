// Ids of the property-sheet and rich-control tests' dialogs, controls and strings (2000 and
// above; the framework core's tests use the ids below).
#pragma once

#define IDD_SHEET_PAGE_A 2000
#define IDD_SHEET_PAGE_B 2001
#define IDD_SHEET_PAGE_C 2002
#define IDD_RICH_CONTROLS 2010

#define IDC_PAGE_EDIT 2100
#define IDC_PAGE_CHECK 2101
#define IDC_CHECKLIST 2110
#define IDC_DRAGLIST 2111
#define IDC_BITMAPBTN 2112
#define IDC_LISTCTRL 2113
#define IDC_SPIN 2114
#define IDC_SPINEDIT 2115
#define IDC_NOBITMAPBTN 2116

#define IDS_SHEET_CAPTION 2200
#define IDS_PAGE_B_TITLE 2201
#define IDS_TIP_TEXT 2202
