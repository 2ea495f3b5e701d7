// Resource ids of the Analysis page and its option dialogs.
// Ids: dialog templates as the product numbers them, controls 1500-1999, strings 500-599 (the
// analysis-type names keep the product's own string ids 104, 105, 109 and 114).
#pragma once

// ---- Dialog templates ----------------------------------------------------------------------
#define IDD_TRANSIENT_DLG 129
#define IDD_DC_SWEEP_DLG 130
#define IDD_AC_SWEEP_DLG 131
#define IDD_TRAN_OPTIONS 138
#define IDD_BIAS_POINT_DLG 140
#define IDD_MCWC_DLG 143
#define IDD_TRAN_SAVE_BIAS_DLG 146
#define IDD_DC_SAVE_BIAS_DLG 151
#define IDD_LOAD_BIAS_DLG 152
#define IDD_TEMPERATURE_DLG 153
#define IDD_RESTART_DLG 164
#define IDD_CHECKPOINT_DLG 166

// ---- Analysis page (104) -----------------------------------------------------------------------
#define IDC_ANALYSIS_TYPE 1500
#define IDC_OPTION_LIST 1501
#define IDC_PLACEMENT_MARKER 1502

// ---- Transient (129) and its output options (138) --------------------------------------------
#define IDC_RUN_TO_TIME 1510
#define IDC_START_SAVING 1511
#define IDC_MAX_STEP 1512
#define IDC_SKIP_BIAS_POINT 1513
#define IDC_OUTPUT_FILE_OPTIONS 1514
#define IDC_RESUME_MODE 1515
#define IDC_FOURIER_ENABLED 1520
#define IDC_CENTER_FREQ_LABEL 1521
#define IDC_CENTER_FREQ 1522
#define IDC_CENTER_FREQ_UNIT 1523
#define IDC_HARMONICS_LABEL 1524
#define IDC_HARMONICS 1525
#define IDC_FOURIER_VARS_LABEL 1526
#define IDC_FOURIER_VARS 1527
#define IDC_TRAN_DETAILED_BIAS 1528
#define IDC_PRINT_STEP 1529

// ---- Transient save bias (146)
// -------------------------------------------------------------------
#define IDC_TSB_FILE 1540
#define IDC_TSB_BROWSE 1541
#define IDC_TSB_ONCE 1542
#define IDC_TSB_ONCE_TIME 1543
#define IDC_TSB_ONCE_UNIT 1544
#define IDC_TSB_REPEAT 1545
#define IDC_TSB_REPEAT_TIME 1546
#define IDC_TSB_REPEAT_UNIT 1547
#define IDC_TSB_PARAMETRIC 1548
#define IDC_TSB_MC_RUN 1549
#define IDC_TSB_TEMPERATURE 1550
#define IDC_TSB_NO_SUBCIRCUITS 1551

// ---- Sweep (130) -----------------------------------------------------------------------------
#define IDC_SWEEP_VOLTAGE 1560
#define IDC_SWEEP_CURRENT 1561
#define IDC_SWEEP_GLOBAL 1562
#define IDC_SWEEP_MODEL 1563
#define IDC_SWEEP_TEMPERATURE 1564
#define IDC_SOURCE_NAME_LABEL 1565
#define IDC_SOURCE_NAME 1566
#define IDC_MODEL_TYPE_LABEL 1567
#define IDC_MODEL_TYPE 1568
#define IDC_MODEL_NAME_LABEL 1569
#define IDC_MODEL_NAME 1570
#define IDC_PARAM_NAME_LABEL 1571
#define IDC_PARAM_NAME 1572
#define IDC_SWEEP_LINEAR 1573
#define IDC_SWEEP_LOG 1574
#define IDC_SWEEP_LIST 1575
#define IDC_SWEEP_OCTAVE_DECADE 1576
#define IDC_SWEEP_VALUES 1577
#define IDC_START_VALUE_LABEL 1578
#define IDC_START_VALUE 1579
#define IDC_END_VALUE_LABEL 1580
#define IDC_END_VALUE 1581
#define IDC_INCREMENT_LABEL 1582
#define IDC_INCREMENT 1583

// ---- AC sweep and noise (131)
// --------------------------------------------------------------------
#define IDC_AC_LINEAR 1600
#define IDC_AC_LOG 1601
#define IDC_AC_OCTAVE_DECADE 1602
#define IDC_AC_START_FREQ 1603
#define IDC_AC_END_FREQ 1604
#define IDC_AC_POINTS_LABEL 1605
#define IDC_AC_POINTS 1606
#define IDC_NOISE_ENABLED 1607
#define IDC_NOISE_OUTPUT_LABEL 1608
#define IDC_NOISE_OUTPUT 1609
#define IDC_NOISE_SOURCE_LABEL 1610
#define IDC_NOISE_SOURCE 1611
#define IDC_NOISE_INTERVAL_LABEL 1612
#define IDC_NOISE_INTERVAL 1613
#define IDC_AC_DETAILED_BIAS 1614

// ---- Bias point (140) -----------------------------------------------------------------------
#define IDC_BP_DETAILED_BIAS 1620
#define IDC_SENS_ENABLED 1621
#define IDC_SENS_VARS_LABEL 1622
#define IDC_SENS_VARS 1623
#define IDC_TF_ENABLED 1624
#define IDC_TF_INPUT_LABEL 1625
#define IDC_TF_INPUT 1626
#define IDC_TF_OUTPUT_LABEL 1627
#define IDC_TF_OUTPUT 1628

// ---- Temperature (153) ------------------------------------------------------------------------
#define IDC_TEMP_SINGLE 1640
#define IDC_TEMP_SINGLE_TEXT 1641
#define IDC_TEMP_LIST 1642
#define IDC_TEMP_LIST_TEXT 1643

// ---- DC save bias (151) -------------------------------------------------------------------------
#define IDC_DSB_FILE 1650
#define IDC_DSB_BROWSE 1651
#define IDC_DSB_PRIMARY 1652
#define IDC_DSB_SECONDARY 1653
#define IDC_DSB_PARAMETRIC 1654
#define IDC_DSB_MC_RUN 1655
#define IDC_DSB_TEMPERATURE 1656
#define IDC_DSB_NO_SUBCIRCUITS 1657
#define IDC_DSB_PRIMARY_LABEL 1658
#define IDC_DSB_SECONDARY_LABEL 1659
#define IDC_DSB_PARAMETRIC_LABEL 1660
#define IDC_DSB_MC_RUN_LABEL 1661

// ---- Load bias (152) --------------------------------------------------------------------------
#define IDC_LOAD_BIAS_FILE 1670
#define IDC_LOAD_BIAS_BROWSE 1671

// ---- Strings: the analysis types (the product's own ids, also the combo items' data) ----------
#define IDS_TYPE_AC_SWEEP 104
#define IDS_TYPE_DC_SWEEP 105
#define IDS_TYPE_BIAS_POINT 109
#define IDS_TYPE_TRANSIENT 114

// ---- Strings: the option list's items -----------------------------------------------------------
#define IDS_OPT_GENERAL_SETTINGS 500
#define IDS_OPT_MONTE_CARLO 501
#define IDS_OPT_PARAMETRIC_SWEEP 502
#define IDS_OPT_TEMPERATURE 503
#define IDS_OPT_SAVE_BIAS 504
#define IDS_OPT_LOAD_BIAS 505
#define IDS_OPT_SAVE_CHECKPOINTS 506
#define IDS_OPT_RESTART 507
#define IDS_OPT_PRIMARY_SWEEP 508
#define IDS_OPT_SECONDARY_SWEEP 509

// ---- Strings: labels the dialogs rewrite
// -----------------------------------------------------------
#define IDS_INCREMENT_LABEL 520
#define IDS_POINTS_DECADE_LABEL 521
#define IDS_POINTS_OCTAVE_LABEL 522
#define IDS_AC_TOTAL_POINTS_LABEL 523
#define IDS_AC_POINTS_OCTAVE_LABEL 524
#define IDS_AC_POINTS_DECADE_LABEL 525

// ---- Strings: combo items the dialogs fill in
// -------------------------------------------------------
#define IDS_OCTAVE 526
#define IDS_DECADE 527
// The model types of the sweep dialog, one a line.
#define IDS_MODEL_TYPES 528

// The framework's Help command, sent by the Help button of "Transient Output File Options".
// The same definition as afxres.h's, for the resource compiler, which reads no afxres.h.
#define ID_HELP 0xE146
