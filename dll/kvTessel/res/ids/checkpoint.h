// Resource ids of the checkpoint and restart dialogs and the editable list box.
// Ids: dialog templates as the product numbers them, controls 2200-2399, strings 950-999.
#pragma once

// ---- Editable list box: the tips of the button bar's four buttons ---------------------------
#define IDS_LISTBOXEX_NEW 950
#define IDS_LISTBOXEX_DELETE 951
#define IDS_LISTBOXEX_MOVE_UP 952
#define IDS_LISTBOXEX_MOVE_DOWN 953

// ---- Save Check Points (166) -----------------------------------------------------------------
#define IDC_CKPT_BAR 2200
#define IDC_CKPT_FOLDERS 2201
#define IDC_CKPT_SIM_INTERVAL 2202
#define IDC_CKPT_REAL_INTERVAL 2203
#define IDC_CKPT_TIME_POINTS 2204
#define IDC_CKPT_SIMULATOR_POINTS 2205
#define IDC_CKPT_USER_POINTS 2206

// ---- Restart Simulation (164) ----------------------------------------------------------------
#define IDC_RESTART_BAR 2220
#define IDC_RESTART_FOLDERS 2221
#define IDC_RESTART_SIM_TIME 2222
#define IDC_RESTART_REAL_TIME 2223
#define IDC_RESTART_TIME 2224
#define IDC_RESTART_SAVE_DAT 2225

// ---- Texts -----------------------------------------------------------------------------------
#define IDS_FOLDER_PICKER_TITLE 954
