// CCheckPointDlg: the "Save Check Points" option of the Analysis page. For now a placeholder on its
// template that only keeps the option's `enabled` (see PendingSlotDlg.h); its own dialog replaces
// it.
#pragma once

#include "PendingSlotDlg.h"
#include "kvTessel/CheckPoint.h"

class CCheckPointDlg : public CPendingSlotDlg<CheckpointSettings> {
  public:
    using CPendingSlotDlg::CPendingSlotDlg;
};
