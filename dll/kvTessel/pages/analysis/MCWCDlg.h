// CMCWCDlg: the "Monte Carlo/Worst Case" option of the Analysis page. For now a placeholder on its
// template that only keeps the option's `enabled` (see PendingSlotDlg.h); its own dialog replaces
// it.
#pragma once

#include "PendingSlotDlg.h"
#include "kvTessel/MonteCarloSettings.h"

class CMCWCDlg : public CPendingSlotDlg<MonteCarloSettings> {
  public:
    using CPendingSlotDlg::CPendingSlotDlg;
};
