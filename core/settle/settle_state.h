#pragma once
// Everything the end of a hand keeps: the settlement store, the totals and
// the records of the visit.
#include "core/settle/records.h"
#include "core/settle/score_windows.h"
#include "core/settle/settlement.h"
#include "core/settle/totals.h"

namespace vask {

struct SettleState {
  SettlementStore store;
  TotalsState totals;
  RecordsState records;
  WindowDrag drag;
};

}  // namespace vask
