#include "support/table_summary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <sstream>

#include "core/client.h"

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
