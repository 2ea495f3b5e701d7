// Resource ids of the checkpoint and restart dialogs and the editable list box.
// Ids: dialog templates as the product numbers them, controls 2200-2399, strings 950-999.
#pragma once

// ---- Editable list box: the tips of the button bar's four buttons ---------------------------
#define IDS_LISTBOXEX_NEW 950
#define IDS_LISTBOXEX_DELETE 951
#define IDS_LISTBOXEX_MOVE_UP 952
#define IDS_LISTBOXEX_MOVE_DOWN 953
