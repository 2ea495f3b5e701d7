// CRestartSimDlg: the "Restart Simulation" option of the Analysis page. For now a placeholder on
// its template that only keeps the option's `enabled` (see PendingSlotDlg.h); its own dialog
// replaces it.
#pragma once

#include "PendingSlotDlg.h"
#include "kvTessel/RestartSettings.h"

class CRestartSimDlg : public CPendingSlotDlg<RestartSettings> {
  public:
    using CPendingSlotDlg::CPendingSlotDlg;
};
