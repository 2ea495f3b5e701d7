// Resource ids of the Configuration Files page.
// Ids: controls 1200-1299, strings 700-799, bitmaps 700-719.
#pragma once

// Controls, in tab order
#define IDC_FILE_CATEGORIES 1200
#define IDC_FILE_DETAILS 1201
#define IDC_FILE_NAME_LABEL 1202
#define IDC_FILE_NAME 1203
#define IDC_FILE_BROWSE 1204
#define IDC_CONFIGURED_LABEL 1205
#define IDC_FILE_REMOVE 1206
#define IDC_FILE_UP 1207
#define IDC_FILE_DOWN 1208
#define IDC_FILE_LIST 1209
#define IDC_LIBRARY_PATH_LABEL 1210
#define IDC_LIBRARY_PATH 1211
#define IDC_LIBRARY_BROWSE 1212
#define IDC_ADD_GLOBAL 1213
#define IDC_ADD_DESIGN 1214
#define IDC_ADD_PROFILE 1215
#define IDC_FILE_EDIT 1216
#define IDC_FILE_CHANGE 1217
#define IDC_FILE_HELP_TEXT 1218
#define IDC_UPDATE_INDEX 1219

// Strings: the categories (in the list's order), the help text of include files, the file
// dialog filters (in the categories' order), the page's messages and captions
#define IDS_CATEGORY_STIMULUS 700
#define IDS_CATEGORY_LIBRARY 701
#define IDS_CATEGORY_INCLUDE 702
#define IDS_INCLUDE_HELP 703
#define IDS_FILTER_STIMULUS 704
#define IDS_FILTER_LIBRARY 705
#define IDS_FILTER_INCLUDE 706
#define IDS_FILE_DOES_NOT_EXIST 707
#define IDS_FILE_ALREADY_CONFIGURED 708
#define IDS_FILE_COPY_FAILED 709
#define IDS_LIBRARY_PATH_TITLE 710
#define IDS_VARIANTS_COLUMN 711

// Bitmaps: each button's normal, pressed, focused and disabled pictures; the scope images
// (global, profile, design, 16 pixels each)
#define IDB_FILE_REMOVE_U 700
#define IDB_FILE_REMOVE_D 701
#define IDB_FILE_REMOVE_F 702
#define IDB_FILE_REMOVE_X 703
#define IDB_FILE_UP_U 704
#define IDB_FILE_UP_D 705
#define IDB_FILE_UP_F 706
#define IDB_FILE_UP_X 707
#define IDB_FILE_DOWN_U 708
#define IDB_FILE_DOWN_D 709
#define IDB_FILE_DOWN_F 710
#define IDB_FILE_DOWN_X 711
#define IDB_FILE_SCOPES 712
