// Resource ids of the Monte Carlo and worst-case dialogs.
// Ids: dialog templates as the product numbers them, controls 2400-2599, strings 900-949.
// (The child dialog's template number, IDD_MCWC_DLG 143, is in ids/analysis.h with the
// Analysis page's other slots.)
#pragma once

// ---- Dialog templates --------------------------------------------------------------------------
#define IDD_MCWC_OPTIONS 145
#define IDD_MC_DISTRIBUTIONS 157
#define IDD_MC_LOAD_SAVE 162

// ---- Monte Carlo/Worst Case child (143) --------------------------------------------------------
#define IDC_MC_MODE_MC 2400
#define IDC_MC_MODE_WC 2401
#define IDC_MC_OUTPUT_VAR 2402
#define IDC_MC_GROUP 2403
#define IDC_MC_RUNS_LABEL 2404
#define IDC_MC_RUNS 2405
#define IDC_MC_DIST_LABEL 2406
#define IDC_MC_DISTRIBUTION 2407
#define IDC_MC_GAUSS_DIGIT 2408
#define IDC_MC_GAUSS_SPIN 2409
#define IDC_MC_DISTRIBUTIONS 2410
#define IDC_MC_SEED_LABEL 2411
#define IDC_MC_SEED 2412
#define IDC_MC_SEED_RANGE 2413
#define IDC_MC_SAVE_LABEL 2414
#define IDC_MC_SAVE_DATA 2415
#define IDC_MC_RUNS_LIST 2416
#define IDC_MC_RUNS_UNIT 2417
#define IDC_WC_GROUP 2418
#define IDC_WC_VARY_LABEL 2419
#define IDC_WC_VARY 2420
#define IDC_WC_TOLERANCES 2421
#define IDC_WC_TYPES_LABEL 2422
#define IDC_WC_TYPES 2423
#define IDC_WC_SAVE_RUNS 2424
#define IDC_MC_MORE_SETTINGS 2425
#define IDC_MC_LOAD_SAVE 2426
#define IDC_MC_LEGACY 2427

// ---- Output file options (145) -----------------------------------------------------------------
#define IDC_MCO_FIND 2440
#define IDC_MCO_THRESHOLD_LABEL 2441
#define IDC_MCO_THRESHOLD 2442
#define IDC_MCO_RANGE_FROM 2443
#define IDC_MCO_RANGE_TO 2444
#define IDC_MCO_DIRECTION_GROUP 2445
#define IDC_MCO_HI 2446
#define IDC_MCO_LOW 2447
#define IDC_MCO_LIST_PARAMS 2448

// ---- Distributions (157) -----------------------------------------------------------------------
#define IDC_MCD_LIST 2460
#define IDC_MCD_DELETE 2461
#define IDC_MCD_NAME 2462
#define IDC_MCD_SAVE 2463
#define IDC_MCD_CURVE 2464

// ---- Load/Save parameter file (162) ------------------------------------------------------------
#define IDC_MCL_LOAD 2480
#define IDC_MCL_LOAD_FILE 2481
#define IDC_MCL_LOAD_BROWSE 2482
#define IDC_MCL_SAVE 2483
#define IDC_MCL_SAVE_FILE 2484
#define IDC_MCL_SAVE_BROWSE 2485

// ---- Texts -------------------------------------------------------------------------------------
#define IDS_MC_BUILTIN_DISTRIBUTIONS 900
#define IDS_MC_SAVE_DATA_ITEMS 901
#define IDS_MC_VARY_ITEMS 902
#define IDS_MC_COLLATING_ITEMS 903
#define IDS_MC_ANY_RANGE 904
#define IDS_MC_PARAM_FILTER 905
#define IDS_MC_PARAM_EXTENSION 906
