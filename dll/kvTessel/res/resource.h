// Resource ids of the settings library: dialog templates, controls, icon and string table.
// The numbers are the product's own; hosts and localized resource libraries rely on them.
#pragma once

// ---- Dialog templates (property pages) -----------------------------------------------------
#define IDD_ANALYSIS_PAGE 104
#define IDD_COLLECTION_PAGE 105
#define IDD_PROBE_WINDOW_PAGE 136
#define IDD_GENERAL_PAGE 137
#define IDD_OPTIONS_PAGE 144
#define IDD_MEASUREMENT_PAGE 159
#define IDD_FILES_PAGE 160

// ---- Icon ------------------------------------------------------------------------------------
#define IDI_SETTINGS_SHEET 174

// ---- General page controls (template 137) ------------------------------------------------------
#define IDC_PROFILE_NAME 1000
#define IDC_PROJECT_LABEL 1001
#define IDC_PROJECT_NAME 1002
#define IDC_DESIGN_LABEL 1003
#define IDC_DESIGN_FILE 1004
#define IDC_BROWSE_DESIGN 1005
#define IDC_SCHEMATIC_LABEL 1006
#define IDC_SCHEMATIC_NAME 1007
#define IDC_OUTPUT_FILE 1008
#define IDC_WAVEFORM_FILE 1009
#define IDC_NOTES 1010

// ---- Data Collection page controls (template 105) ------------------------------------------
#define IDC_SAVE_CSDF 1100
#define IDC_COLLECT_VOLTAGES 1101
#define IDC_COLLECT_CURRENTS 1102
#define IDC_COLLECT_POWER 1103
#define IDC_COLLECT_DIGITAL 1104
#define IDC_COLLECT_NOISE 1105
#define IDC_DATA_WIDTH_32 1106
#define IDC_DATA_WIDTH_64 1107

// ---- Vavir Window page controls (template 136) ---------------------------------------------
#define IDC_DISPLAY_ON_OPEN 1120
#define IDC_DISPLAY_ON_RUN 1121
#define IDC_DURING_SIMULATION 1122
#define IDC_AFTER_SIMULATION 1123
#define IDC_SHOW_GROUP 1124
#define IDC_SHOW_ALL_MARKERS 1125
#define IDC_SHOW_LAST_PLOT 1126
#define IDC_SHOW_NOTHING 1127

// ---- String table: validation messages ----------------------------------------------------------
#define IDS_ENTER_DESIGN_FILE 302
#define IDS_ENTER_FULL_DESIGN_PATH 305
#define IDS_DESIGN_FILE_MISSING 306
#define IDS_ENTER_SOURCE_NAME 307
#define IDS_ENTER_GLOBAL_PARAM 308
#define IDS_ENTER_MODEL_NAME 309
#define IDS_ENTER_MODEL_PARAM 310
#define IDS_ENTER_SWEEP_LIST 311
#define IDS_ENTER_SWEEP_START 312
#define IDS_ENTER_SWEEP_END 313
#define IDS_ENTER_SWEEP_INCREMENT 314
#define IDS_ENTER_SWEEP_POINTS 315
#define IDS_SELECT_MODEL_TYPE 316
#define IDS_ENTER_FINAL_TIME 317
#define IDS_ENTER_AC_START 319
#define IDS_ENTER_AC_END 320
#define IDS_ENTER_AC_POINTS 321
#define IDS_ENTER_NOISE_OUTPUT 322
#define IDS_ENTER_NOISE_SOURCE 323
#define IDS_ENTER_SENS_OUTPUT 324
#define IDS_ENTER_TF_INPUT 325
#define IDS_ENTER_TF_OUTPUT 326
#define IDS_ENTER_TEMPERATURES 327
#define IDS_ENTER_MC_OUTPUT 333
#define IDS_ENTER_MC_RUNS 334
#define IDS_MC_RUNS_RANGE 336

// ---- String table: captions, labels and filters ------------------------------------------------
#define IDS_SHEET_CAPTION 350
#define IDS_CIRCUIT_FILE_LABEL 351
#define IDS_SCHEMATIC_FILE_LABEL 352
#define IDS_CIRCUIT_FILE_FILTER 353
#define IDS_HELP_INIT_FAILED 354
#define IDS_HELP_CAPTION 355
#define IDS_SCOPE_ALL 356
#define IDS_SCOPE_ALL_BUT_SUBCIRCUITS 357
#define IDS_SCOPE_AT_MARKERS 358
#define IDS_SCOPE_NONE 359
