// The settlement of a hand the prop plug-in held back: the plug-in's
// scores booked with it, and the panel of a hand whose totals are all 0.
#include <cmath>

#include "core/client.h"
#include "core/connection/ready_clock.h"
#include "core/settle/records.h"
#include "core/settle/score_windows.h"
#include "core/settle/settle_texts.h"
#include "core/settle/settlement.h"
#include "core/settle/totals.h"
#include "core/social/chests.h"
#include "core/social/plugin_host.h"
#include "core/social/prop_texts.h"
#include "core/view/widgets.h"

namespace vask {

namespace st = settle_text;

namespace {
constexpr std::size_t kNumWidth = 12, kGradeWidth = 9;
}  // namespace

void ClearPropScores(Client& c) {
  c.settle.totals.PropScoreText = {};
  c.settle.totals.PropAmount = {};
}

void SetPropScores(Client& c, const std::array<std::string, 4>& texts, const std::array<double, 4>& amounts) {
  c.settle.totals.PropScoreText = texts;
  c.settle.totals.PropAmount = amounts;
}

const std::array<double, 4>& PropAmounts(const Client& c) { return c.settle.totals.PropAmount; }

void ShowPropSettlement(Client& c) {
  if (c.prop.PropDrawn) {
    ShowPropDrawnTotals(c);
  } else {
    BuildSettlementText(c);
    ShowTotalsPanel(c);
  }
  if (PluginActive(c)) PropCall(c, [](PropPlugin& p) { p.InitShowNext(false); });
}

void ShowPropDrawnTotals(Client& c) {
  TableState& table = c.table;
  TotalsState& t = c.settle.totals;
  table.bInGame = false;
  const std::int16_t handNo = c.settle.store.hand.HandNo;
  HeroNum(c).items.push_back(PadLeft(std::to_string(handNo), kNumWidth));
  // The columns of the hand before would otherwise still stand above.
  for (int j = 0; j < 8; ++j) ScoreState(c, j).items.clear();
  for (int i = 0; i < 4; ++i) {
    ScoreState(c, i).items.push_back(prop_text::kDrawnHand);
    c.settle.store.HandResult[i] = 0;
    AppendPropLines(c, i);
    const PlayerRecord& p = c.players.PlayerInfo[i];
    const std::string result = FormatAmount(c.settle.store.HandResult[i]);
    c.view.Cash[i].text = std::to_string(p.Gold) + st::kGold;
    ScoreState(c, i + 4).items.push_back(st::kFinal + result + st::kGold);
    HeroGrade(c, i).items.push_back(PadLeft(result, kGradeWidth) + st::kGold);
    HeroSum(c, i).text = FormatAmount(t.RunningTotal[i]) + st::kGold;
  }
  if (!table.bBossHidden) ShowScoreWindow(c);
  ScrollRecordsToEnd(c);
  WriteResultsFile(c, handNo);
  PropAfterShow(c);
  SetSysmsgLines(c, st::kPressContinue, st::kStartsIn15);
  c.widgets.ButtonState[2] = false;
  c.life.bTableCleared = false;
  c.conn.bClock = false;
  if (!table.Spectator) StartReadyClock(c, kNextHandSeconds);
  c.conn.bHoldCmd21 = false;
  ++c.view.revision;
  c.platform.ViewChanged();
}

}  // namespace vask
