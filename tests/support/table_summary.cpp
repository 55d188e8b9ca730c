#include "support/table_summary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <sstream>

#include "core/client.h"
#include "core/view/rivers.h"

namespace vask::test {

namespace {

std::string Rect(const Control& c) {
  std::ostringstream o;
  o << std::lround(c.x) << "," << std::lround(c.y) << " " << std::lround(c.w) << "x" << std::lround(c.h);
  return o.str();
}

}  // namespace

std::vector<std::string> TableSummary(const Client& c) {
  std::vector<std::string> out;
  const TableState& t = c.table;
  const ViewModel& v = c.view;
  std::set<int> inSlots;
  for (int view = 0; view < 4; ++view) {
    const SeatRec& s = t.Detail[view];
    std::ostringstream head;
    head << "view " << view << " start " << s.HandStart << " count " << s.HandCount << " meldtop " << s.MeldTop;
    out.push_back(head.str());
    for (int i = (view == 0 ? kOwnMeldTopReset : kOtherMeldTopReset) - 2; i < s.MeldTop - 2; ++i) {
      const TileSlot& slot = s.Slots[i];
      inSlots.insert(slot.Img);
      std::ostringstream o;
      o << "view " << view << " meld slot " << i << " tile " << std::hex << slot.Tile << std::dec
        << (slot.Mark == SlotChi ? " run " : " set ") << Rect(v.MJ_Image[slot.Img]);
      if (view == 0) o << " picture " << v.MJ_Image[slot.Img].picture;
      out.push_back(o.str());
    }
    for (int i = s.HandStart; i < s.HandStart + s.HandCount; ++i) {
      const TileSlot& slot = s.Slots[i];
      const Control& img = v.MJ_Image[slot.Img];
      inSlots.insert(slot.Img);
      std::ostringstream o;
      o << "view " << view << " hand";
      if (view == 0) o << " slot " << i << " tile " << std::hex << slot.Tile << std::dec << " " << Rect(img);
      o << " picture " << img.picture << (img.visible ? "" : " hidden");
      out.push_back(o.str());
    }
  }
  // Rivers and kong tops: every other image out of the wall, by place.
  std::vector<std::string> loose;
  for (int p = 0; p < kTilesInSet; ++p) {
    const Control& img = v.MJ_Image[p];
    const bool blinking = p == v.rivers.BlinkImg;  // the latest discard blinks a while
    if (!t.WallTaken[p] || inSlots.count(p) || !(img.visible || blinking)) continue;
    loose.push_back("out of the wall at " + Rect(img));
  }
  std::sort(loose.begin(), loose.end());
  out.insert(out.end(), loose.begin(), loose.end());
  for (int p = 0; p < kTilesInSet; ++p) {
    if (t.WallTaken[p]) continue;
    const Control& img = v.MJ_Image[p];
    std::ostringstream o;
    o << "wall " << p << " " << Rect(img) << " picture " << img.picture << (img.visible ? "" : " hidden");
    out.push_back(o.str());
  }
  std::ostringstream w;
  w << "front " << t.WallFront << " back " << t.WallBack << " indicator " << t.IndicatorPos << " kongs "
    << t.KongDraws << " shift " << t.KongShiftPos << " in game " << t.bInGame << " discard due " << t.MustDiscard;
  out.push_back(w.str());
  return out;
}

std::vector<std::string> WatchSummary(const Client& c, bool faces) {
  std::vector<std::string> out;
  const TableState& t = c.table;
  const ViewModel& v = c.view;
  auto place = [](float x, float y) {
    std::ostringstream o;
    // Halves to even, as positions kept in 16-bit fields are rounded.
    o << std::nearbyint(x) << "," << std::nearbyint(y);
    return o.str();
  };
  std::map<int, int> faceOf;
  for (int f = 0; f < static_cast<int>(c.pics.TileFacePics.size()); ++f) faceOf.emplace(c.pics.TileFacePics[f], f);
  auto face = [&](const Control& img) {
    auto it = faceOf.find(img.picture);
    return it == faceOf.end() ? std::string("none") : std::to_string(it->second);
  };
  std::set<int> inSlots;
  for (int view = 0; view < 4; ++view) {
    const SeatRec& s = t.Detail[view];
    std::ostringstream head;
    head << "view " << view << " start " << s.HandStart << " count " << s.HandCount << " meldtop " << s.MeldTop;
    out.push_back(head.str());
    for (int i = (view == 0 ? kOwnMeldTopReset : kOtherMeldTopReset) - 2; i < s.MeldTop - 2 && i < kSlotsPerSeat; ++i) {
      const TileSlot& slot = s.Slots[i];
      inSlots.insert(slot.Img);
      std::ostringstream o;
      o << "view " << view << " meld slot " << i << " tile " << std::hex << slot.Tile << std::dec
        << (slot.Mark == SlotChi ? " run " : " set ");
      if (slot.Img >= 0 && slot.Img < kTilesInSet) o << place(v.MJ_Image[slot.Img].x, v.MJ_Image[slot.Img].y);
      out.push_back(o.str());
    }
    for (int i = s.HandStart; i < s.HandStart + s.HandCount && i < kSlotsPerSeat; ++i) {
      const TileSlot& slot = s.Slots[i];
      inSlots.insert(slot.Img);
      std::ostringstream o;
      o << "view " << view << " hand slot " << i;
      if (slot.Img >= 0 && slot.Img < kTilesInSet) {
        const Control& img = v.MJ_Image[slot.Img];
        o << " at " << place(img.x, img.y) << (img.visible ? "" : " hidden");
      }
      out.push_back(o.str());
    }
  }
  // A player's last discard waits at the centre until the next delivery; a
  // watcher lays it at once where the delivery will.
  int waiting = -1;
  if (!t.Spectator && t.LastDiscardImg >= 0 && t.LastDiscardImg < kTilesInSet && !t.DiscardClaimed &&
      !v.rivers.DiscardSettled) {
    const Control& img = v.MJ_Image[t.LastDiscardImg];
    // Centred, with the river size or the own hand's it left with.
    if (std::abs(img.x + img.w / 2 - SurfaceWidth(c) / 2) < 8 && std::abs(img.y + img.h / 2 - SurfaceHeight(c) / 2) < 16)
      waiting = t.LastDiscardImg;
  }
  std::vector<std::string> loose;
  for (int p = 0; p < kTilesInSet; ++p) {
    const Control& img = v.MJ_Image[p];
    const bool blinking = p == v.rivers.BlinkImg;
    if (!t.WallTaken[p] || inSlots.count(p) || !(img.visible || blinking)) continue;
    std::string at = place(img.x, img.y);
    if (p == waiting) {
      const SeatRec& s = t.Detail[t.LastDiscardView & 3];
      at = place(s.DiscardX, s.DiscardY);
    }
    loose.push_back("out of the wall at " + at + (faces ? " face " + face(img) : ""));
  }
  std::sort(loose.begin(), loose.end());
  out.insert(out.end(), loose.begin(), loose.end());
  for (int p = 0; p < kTilesInSet; ++p) {
    if (t.WallTaken[p]) continue;
    const Control& img = v.MJ_Image[p];
    out.push_back("wall " + std::to_string(p) + " " + Rect(img) + " picture " + std::to_string(img.picture) +
                  (img.visible ? "" : " hidden"));
  }
  std::ostringstream w;
  // The indicator's place shows in the wall lines; a player keeps the last
  // hand's until the wildcards come.
  w << "front " << t.WallFront << " back " << t.WallBack << " kongs " << t.KongDraws << " in game " << t.bInGame;
  out.push_back(w.str());
  return out;
}

void ExpectSameTable(const std::vector<std::string>& restored, const std::vector<std::string>& uncut) {
  std::multiset<std::string> a(restored.begin(), restored.end()), b(uncut.begin(), uncut.end());
  std::string diff;
  for (const std::string& line : a)
    if (b.count(line) < a.count(line)) diff += "  restored only: " + line + "\n";
  for (const std::string& line : b)
    if (a.count(line) < b.count(line)) diff += "  uncut only:    " + line + "\n";
  EXPECT_TRUE(diff.empty()) << diff;
  EXPECT_EQ(restored, uncut);
}

}  // namespace vask::test
