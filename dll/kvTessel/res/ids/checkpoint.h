// Resource ids of the checkpoint and restart dialogs and the editable list box.
// Ids: dialog templates as the product numbers them, controls 2200-2399, strings 950-999.
#pragma once
