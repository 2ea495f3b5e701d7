// Ids of the window-system tests' dialogs, controls and strings (res/tests.rc). Any test of
// this folder may use them; the dialog manager's tests own the script.
#pragma once

// ---- Dialogs ----------------------------------------------------------------------------------
#define IDD_ALL_CONTROLS 100  // one control of every standard kind, OK/Cancel/Help
#define IDD_RADIO_GROUPS 101  // two radio groups and check boxes between push buttons
#define IDD_HOST 102          // a dialog that holds a DS_CONTROL child dialog in its middle
#define IDD_CHILD 103         // the DS_CONTROL child dialog (three edits, a group of radios)
#define IDD_PAGE_ONE 104      // property page "First"
#define IDD_PAGE_TWO 105      // property page "Second"
#define IDD_PAGE_THREE 106    // property page "Third", larger than the others
#define IDD_NO_DEFAULT 107    // push buttons only, none of them the default
#define IDD_NO_FONT 108       // no FONT statement: no WM_SETFONT, the system font
#define IDD_COMMON 109        // the common controls: tab, list view, up-down

// ---- Controls ---------------------------------------------------------------------------------
#define IDC_NAME_LABEL 1000
#define IDC_NAME 1001
#define IDC_ENABLED 1002
#define IDC_MODE_GROUP 1003
#define IDC_FAST 1004
#define IDC_SLOW 1005
#define IDC_PRECISE 1006
#define IDC_KIND 1007
#define IDC_KIND_EDIT 1008
#define IDC_LIST 1009
#define IDC_NOTES 1010
#define IDC_HELP_BUTTON 1011
#define IDC_COLOR_RED 1020
#define IDC_COLOR_GREEN 1021
#define IDC_COLOR_BLUE 1022
#define IDC_SIZE_SMALL 1023
#define IDC_SIZE_LARGE 1024
#define IDC_BOLD 1025
#define IDC_ITALIC 1026
#define IDC_BEFORE 1030
#define IDC_CHILD_PLACE 1031
#define IDC_AFTER 1032
#define IDC_CHILD_FIRST 1040
#define IDC_CHILD_SECOND 1041
#define IDC_CHILD_RADIO_A 1042
#define IDC_CHILD_RADIO_B 1043
#define IDC_CHILD_LAST 1044
#define IDC_PAGE_EDIT 1050
#define IDC_PAGE_CHECK 1051
#define IDC_FIRST_BUTTON 1060
#define IDC_SECOND_BUTTON 1061
#define IDC_TABS 1070
#define IDC_LISTVIEW 1071
#define IDC_SPIN 1072
#define IDC_SPIN_BUDDY 1073
