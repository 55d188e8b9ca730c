#include "core/client.h"
#include "core/connection/player_records.h"
#include "core/game/seats.h"
#include "core/handlers.h"
#include "core/view/widgets.h"

namespace vask {

// The name itself is already in SeatName (the decoder appends it).
void OnSeatName(Client& c, MsgInfo&) {
  c.widgets.ShuffleTable = false;
  if (!c.table.Spectator) EnableTimer(c, TimerId::KeepAlive, false);
  for (Control& ok : c.view.OK) ok.visible = false;
  c.widgets.PullAsk = 0;
  ForgetSatDealer(c);
  ++c.view.revision;
  c.platform.ViewChanged();

  PlayerRecords& pr = c.players;
  // Names after a complete set seat the table anew (a player took a freed
  // seat): they are counted from the first, or the own seat is never found.
  if (pr.NamesReceived == kTableComplete) pr.NamesReceived = 0;
  pr.NamesCounting = true;
  if (++pr.NamesReceived != 4) return;
  pr.NamesReceived = 0;
  PutPicture(c, c.pics.ButtonPics[6], c.view.AnNiu[2]);
  c.widgets.ButtonState[2] = true;

  // The own seat is the highest one carrying the own account.
  const std::string& own = c.table.Detail[0].username;
  if (own.empty()) return;
  int k = -1;
  for (int seat = 3; seat >= 0 && k < 0; --seat)
    if (c.conn.SeatName[seat] == own) k = seat;
  if (k < 0) return;
  for (int v = 0; v < 4; ++v) {
    int seat = (k + 4 - v) % 4;
    c.table.Detail[v].Mask = SeatMask(seat);
    c.table.Detail[v].username = c.conn.SeatName[seat];
  }
  if (PluginActive(c))
    for (int v = 1; v < 4; ++v) PropCall(c, [v](PropPlugin& p) { p.ClearUser(v); });
}

}  // namespace vask
