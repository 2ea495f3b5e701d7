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

// ---- String table: captions and texts every page shares ----------------------------------------
#define IDS_SHEET_CAPTION 350
#define IDS_HELP_INIT_FAILED 354
#define IDS_HELP_CAPTION 355

// ---- Each page's own ids (control and string ranges are named in each file) -------------------
#include "ids/general.h"
#include "ids/analysis.h"
#include "ids/montecarlo.h"
#include "ids/checkpoint.h"
#include "ids/files.h"
#include "ids/options.h"
#include "ids/collection.h"
#include "ids/vavir.h"
#include "ids/measurements.h"
