// Resource ids of the Vavir Window page.
// Ids: controls 1120-1139.
#pragma once

#define IDC_DISPLAY_ON_OPEN 1120
#define IDC_DISPLAY_ON_RUN 1121
#define IDC_DURING_SIMULATION 1122
#define IDC_AFTER_SIMULATION 1123
#define IDC_SHOW_GROUP 1124
#define IDC_SHOW_ALL_MARKERS 1125
#define IDC_SHOW_LAST_PLOT 1126
#define IDC_SHOW_NOTHING 1127
