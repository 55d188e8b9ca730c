#include "core/view/widgets.h"

#include <string>

#include "core/client.h"
#include "core/handlers.h"
#include "core/view/adverts.h"

namespace vask {

namespace {

float S(const Client& c, float constant) { return constant * c.view.LayoutScale; }

void Changed(Client& c) {
  ++c.view.revision;
  c.platform.ViewChanged();
}

}  // namespace

void ShowPortrait(Client& c, int view) {
  view &= 3;
  int k = PortraitIndex(c.players.PlayerInfo[view].Face);
  PutPicture(c, c.pics.PortraitPics[static_cast<std::size_t>(k)], c.view.Tou[view]);
  RecordScoreSeat(c, view, c.players.PlayerInfo[view].Nick, k);
  Changed(c);
}

void ShowWealth(Client& c, std::int32_t value) {
  Control& lb = c.view.lbwealth;
  const bool small = c.view.LayoutScale < 1.0f;
  const bool wide = value >= 100;
  lb.text = std::to_string(value);
  lb.fontSize = wide ? 13 : 18;
  if (!small) {
    lb.x = S(c, wide ? 58 : 62);
    lb.y = S(c, wide ? 284 : 282);
  } else {
    lb.x = S(c, wide ? 72 : 74);
    lb.y = S(c, wide ? 336 : 332);
  }
  c.view.Imgwealth.visible = lb.visible = true;
  Changed(c);
}

void SetSysmsgLine(Client& c, int line, const std::string& text) {
  ListControl& list = c.view.Sysmsg[static_cast<std::size_t>(line & 1)];
  list.items.clear();
  if (!text.empty()) list.items.push_back(text);
  Changed(c);
}

void SetSysmsgLines(Client& c, const std::string& first, const std::string& second) {
  SetSysmsgLine(c, 0, first);
  SetSysmsgLine(c, 1, second);
}

void PlaceShuffleWidgets(Client& c) {
  ViewModel& v = c.view;
  v.ImgShuffle.x = S(c, 136);
  v.ImgShuffle.y = S(c, 520);
  v.ImgShuffle.w = S(c, 185);
  v.ImgShuffle.h = S(c, 35);
  v.LblShuffle.x = v.ImgShuffle.x;
  v.LblShuffle.y = v.ImgShuffle.y + S(c, 6);
  v.LblShuffle.w = S(c, 185);
  v.LblShuffle.h = S(c, 25);
  v.WebBrowser2.x = v.ImgShuffle.x;
  v.WebBrowser2.y = v.ImgShuffle.y + v.ImgShuffle.h;
  v.WebBrowser2.w = v.ImgShuffle.w;
  v.WebBrowser2.h = 2 * v.ImgShuffle.h;
  c.widgets.ShufflePending = true;
  Changed(c);
}

void StartSeatShuffle(Client& c) {
  ViewModel& v = c.view;
  WidgetState& w = c.widgets;
  v.ImgShuffle.visible = v.LblShuffle.visible = true;
  BringToFront(v, v.ImgShuffle);
  BringToFront(v, v.LblShuffle);
  SetTimerInterval(c, TimerId::Shuffle, 300);
  EnableTimer(c, TimerId::Shuffle, true);
  BringToFront(v, v.WebBrowser2);
  v.WebBrowser2.visible = true;
  NavigateWebPane(c, kShufflePane, w.ShufflePage);
  w.ShufflePos = 0;
  v.LblShuffle.text = w.ShuffleTexts[0];
  w.ShuffleShown = true;
  w.ShufflePending = false;
  Changed(c);
}

void StartShuffleIfPending(Client& c) {
  if (!c.widgets.ShufflePending || !c.widgets.ShuffleTable) return;
  for (SeatRec& seat : c.table.Detail) seat.Mask = 0;
  StartSeatShuffle(c);
}

void HideShuffleNotice(Client& c) {
  c.view.LblShuffle.visible = c.view.ImgShuffle.visible = c.view.WebBrowser2.visible = false;
  c.widgets.ShufflePending = c.widgets.ShuffleShown = false;
  Changed(c);
}

void StopSeatShuffle(Client& c) {
  EnableTimer(c, TimerId::Shuffle, false);
  HideShuffleNotice(c);
}

void TimerShuffle_Timer(Client& c) {
  WidgetState& w = c.widgets;
  w.ShufflePos = static_cast<std::int16_t>(w.ShufflePos & 3);
  c.view.LblShuffle.text = w.ShuffleTexts[static_cast<std::size_t>(w.ShufflePos)];
  w.ShufflePos = static_cast<std::int16_t>((w.ShufflePos + 1) % 4);
  Changed(c);
}

}  // namespace vask
