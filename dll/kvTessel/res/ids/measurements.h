// Resource ids of the Measurements page and its grids.
// Ids: controls 2000-2199, strings 800-899.
#pragma once

// ---- Measurements page (159), in tab order -------------------------------------------------
#define IDC_MEASUREMENT_GRID 2000
#define IDC_DISPLAY_AFTER_RUN 2001
#define IDC_VARIABLE_FILTER 2002
#define IDC_VARIABLE_LIST 2003
#define IDC_SHOW_VOLTAGES 2004
#define IDC_SHOW_CURRENTS 2005
#define IDC_SHOW_POWER 2006
#define IDC_FUNCTION_CATEGORY 2007
#define IDC_FUNCTION_LIST 2008
#define IDC_VARIABLES_GROUP 2009
#define IDC_FUNCTIONS_GROUP 2010
#define IDC_MEASUREMENTS_GROUP 2011
#define IDC_VARIABLE_COUNT 2012
#define IDC_FILTER_STATE 2013

// Strings: the function categories in the combo's order, then the labels' texts
#define IDS_FUNCTIONS_ANALOG 800
#define IDS_FUNCTIONS_MACROS 801
#define IDS_FUNCTIONS_GOAL 802
#define IDS_VARIABLE_COUNT 803
#define IDS_FULL_LIST 804
#define IDS_PARTIAL_LIST 805
