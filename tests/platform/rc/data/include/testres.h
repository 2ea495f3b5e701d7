//{{NO_DEPENDENCIES}}
// Ids of the resource-compiler test script.
#define IDD_SAMPLE 100
#define IDB_CHECK 110
#define IDI_APP 120
#define IDC_HAND 130
#define IDC_NAME 1000
#define IDC_MODE 1001
#define IDS_GREETING 7
#define IDS_QUOTED 8
#define IDS_ACCENTED 23
#define IDS_LONG 40

#ifdef APSTUDIO_INVOKED
#ifndef APSTUDIO_READONLY_SYMBOLS
#define _APS_NEXT_RESOURCE_VALUE 140
#endif
#endif

// Code the resource compiler must ignore in a header.
int testResourceHelper(const char* text);
