#include "core/connection/ready_clock.h"

#include <string>

#include "core/client.h"
#include "core/handlers.h"
#include "core/view/reset.h"
#include "core/view/widgets.h"

namespace vask {

namespace {
constexpr int kReadyValue = 1;
constexpr int kRedFrom = 5;  // the last seconds show red
}  // namespace

void SendReady(Client& c) {
  MsgInfo ready;
  ready.cmd = static_cast<std::int16_t>(Cmd::TableState);
  ready.seat = c.table.OwnMask();
  ready.value[3] = kReadyValue;
  SendMsg(c, ready);
}

void StartReadyClock(Client& c, int seconds) {
  c.conn.bReadyClock = true;
  c.conn.ReadyTick = 0;
  c.table.Countdown = static_cast<std::int16_t>(seconds);
  ViewModel& v = c.view;
  v.Number.text = std::to_string(c.table.Countdown);
  v.Number.foreColor = kGreen;
  v.Time_Img.visible = v.Number.visible = true;
  BringToFront(v, v.Time_Img);
  BringToFront(v, v.Number);
  c.platform.ViewChanged();
}

void ReadyClockDuty(Client& c) {
  TableState& t = c.table;
  ViewModel& v = c.view;
  if (t.Countdown >= 1) {
    --t.Countdown;
    v.Number.text = std::to_string(t.Countdown);
    v.Number.foreColor = t.Countdown <= kRedFrom ? kRed : kGreen;
    // A table reset meanwhile (the seating of a table that has just
    // filled) hides the clock; the countdown still runs, so it shows.
    v.Time_Img.visible = v.Number.visible = true;
    ++v.revision;
    c.platform.ViewChanged();
    return;
  }
  v.Time_Img.visible = v.Number.visible = false;
  // The player is ready now: the button must not declare it a second time.
  PutPicture(c, c.pics.ButtonPics[6], v.AnNiu[2]);
  c.widgets.ButtonState[2] = true;
  if (!c.life.bTableCleared) {
    ClearTable(c);
    ResetTable(c);
    ResetSeats(c);
    c.life.bTableCleared = true;
  }
  SendReady(c);
  StartShuffleIfPending(c);
  c.conn.bReadyClock = false;
  ++v.revision;
  c.platform.ViewChanged();
}

}  // namespace vask
