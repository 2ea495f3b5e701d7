// Resource ids of the Data Collection page.
// Ids: controls 1100-1119, strings 356-359.
#pragma once

#define IDC_SAVE_CSDF 1100
#define IDC_COLLECT_VOLTAGES 1101
#define IDC_COLLECT_CURRENTS 1102
#define IDC_COLLECT_POWER 1103
#define IDC_COLLECT_DIGITAL 1104
#define IDC_COLLECT_NOISE 1105
#define IDC_DATA_WIDTH_32 1106
#define IDC_DATA_WIDTH_64 1107

// Strings: the four scopes, in the order of a nibble's bits
#define IDS_SCOPE_ALL 356
#define IDS_SCOPE_ALL_BUT_SUBCIRCUITS 357
#define IDS_SCOPE_AT_MARKERS 358
#define IDS_SCOPE_NONE 359
