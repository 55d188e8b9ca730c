#include "server/bots/bot_player.h"

#include <algorithm>

#include "core/connection/frame.h"
#include "server/bots/client_frames.h"
#include "server/rules/claims.h"
#include "server/rules/wildcards.h"
#include "server/table/wire.h"

namespace vask::server {

BotPlayer::BotPlayer(std::string account, std::string key) : account_(std::move(account)), key_(std::move(key)) {}

Frame BotPlayer::LoginFrame() const { return client_frames::Login(account_, key_); }

Frame BotPlayer::ReloginFrame() const { return client_frames::Relogin(account_, key_, reloginId_); }

std::vector<Frame> BotPlayer::OnFrame(const Frame& f) {
  MsgInfo m = DecodeHeader(f);
  bool mine = mask_ != 0 && m.seat == mask_;
  auto tile = [](int v) { return static_cast<TileCode>(v & 0xFF); };
  switch (static_cast<Cmd>(m.cmd)) {
    case Cmd::SeatName: {
      std::string name;
      for (std::size_t i = frame_offset::kPayload; i < frame_offset::kNameEnd && f[i] != 0; ++i)
        name.push_back(static_cast<char>(f[i]));
      if (name == account_) mask_ = m.seat;
      return {};
    }
    case Cmd::TableState:
      if (m.value[3] == kTableWaiting) return Ready();
      if (m.value[3] == kGameStart) {
        reloginId_ = 0;
        for (std::size_t i = 0; i < 4; ++i) reloginId_ |= static_cast<std::uint32_t>(f[layout::kReloginId + i]) << (8 * i);
      }
      return {};
    case Cmd::GameParams:
      hand_.clear();
      pungs_.clear();
      return {};
    case Cmd::Restore:
      if (mine) Restore(f);
      return {};
    case Cmd::HandStart:
      readySent_ = false;
      hand_.clear();
      pungs_.clear();
      settlements_ = 0;
      return {};
    case Cmd::Wildcards:
      hun_ = WildcardsOf(tile(m.value[3]));
      return {};
    case Cmd::Deal:
      for (int i = 0; i < m.value[1] && i < 12; ++i)
        hand_.push_back(static_cast<TileCode>(f[layout::kDealTiles + 2 * static_cast<std::size_t>(i)]));
      return {};
    case Cmd::Draw:
      if (mine) hand_.push_back(tile(m.value[3]));
      return {};
    case Cmd::Discard:
      if (!mine) lastDiscard_ = tile(m.value[3]);
      return {};
    case Cmd::Claim:
      if (mine) ApplyOwnResult(m.value[0], tile(m.value[1]), tile(m.value[2]), tile(m.value[3]));
      return {};
    case Cmd::Turn:
      if (mine) return Decide(m.value[0]);
      return {};
    case Cmd::PullSit:
      if (!mine) return {};
      if (m.value[1] == kAskPull) return {client_frames::PullAnswer(mask_, kPullReply, false)};
      if (m.value[1] == kAskSit) return {client_frames::PullAnswer(mask_, kSitReply, false)};
      return {};
    case Cmd::SettleItem:
      if (++settlements_ < 4) return {};
      settlements_ = 0;
      ++handsSettled_;
      return Ready();
    default:
      return {};
  }
}

void BotPlayer::Restore(const Frame& f) {
  hand_.clear();
  pungs_.clear();
  Tiles shown;
  for (std::size_t p = 0; p < layout::kRestorePairCount; ++p) {
    std::uint8_t kind = f[layout::kRestorePairs + 2 * p] & 0xF0;
    TileCode t = f[layout::kRestorePairs + 2 * p + 1];
    if (kind == layout::kRestoreShown) shown.push_back(t);
    if (kind == layout::kRestoreConcealed) hand_.push_back(t);
  }
  // Melds come three by three, a kong with its fourth tile after them.
  for (std::size_t i = 0; i + 2 < shown.size();) {
    bool same = shown[i] == shown[i + 1] && shown[i] == shown[i + 2];
    bool kong = same && i + 3 < shown.size() && shown[i + 3] == shown[i];
    if (same && !kong) pungs_.push_back(shown[i]);
    i += kong ? 4 : 3;
  }
}

std::vector<Frame> BotPlayer::Ready() {
  if (readySent_) return {};
  readySent_ = true;
  return {client_frames::Ready(mask_)};
}

void BotPlayer::ApplyOwnResult(int op, TileCode t1, TileCode t2, TileCode t3) {
  switch (op) {
    case kOpChi: {
      Tiles used{t1, t2, t3};
      RemoveOne(used, lastDiscard_);
      for (TileCode t : used) RemoveOne(hand_, t);
      break;
    }
    case kOpPeng:
      RemoveCopies(hand_, t1, 2);
      pungs_.push_back(t1);
      break;
    case kOpMingGang:
      RemoveCopies(hand_, t2, 3);
      break;
    case kOpAnGang:
      RemoveCopies(hand_, t2, 4);
      break;
    case kOpBuGang:
      RemoveOne(hand_, t3);
      RemoveOne(pungs_, t3);
      break;
    default:
      break;
  }
}

std::vector<Frame> BotPlayer::Decide(int offers) {
  offers &= 0xFF;
  if (offers & kOpHu) return {client_frames::Claim(mask_, kOpHu)};
  bool ownTurn = hand_.size() % 3 == 2;
  if (ownTurn) {
    if (offers & kOpAnGang)
      for (TileCode t : hand_)
        if (CanConcealedKong(hand_, t)) return {client_frames::Claim(mask_, kOpAnGang, t, t, t)};
    if (offers & kOpBuGang)
      for (TileCode t : pungs_)
        if (CountOf(hand_, t) > 0) return {client_frames::Claim(mask_, kOpBuGang, NoTile, NoTile, t)};
    return DiscardOne();
  }
  TileCode d = lastDiscard_;
  if (offers & kOpMingGang) return {client_frames::Claim(mask_, kOpMingGang, d, d, d)};
  if ((offers & kOpPeng) && !IsHun(hun_, d)) return {client_frames::Claim(mask_, kOpPeng, d, d, d)};
  if ((offers & kOpChi) && !IsHun(hun_, d)) {
    int k = KindOf(d);
    for (int low = -2; low <= 0; ++low) {
      std::vector<TileCode> two;
      for (int o = low; o < low + 3; ++o) {
        if (o == 0) continue;
        int r = RankOfKind(k) + o;
        TileCode t = r >= 1 && r <= 9 ? TileOfKind(k + o) : NoTile;
        // Only single tiles: breaking a pair costs more than the chow gains.
        if (t != NoTile && CountOf(hand_, t) == 1 && !IsHun(hun_, t)) two.push_back(t);
      }
      if (two.size() == 2) return {client_frames::Claim(mask_, kOpChi, two[0], two[1], d)};
    }
  }
  return {client_frames::Claim(mask_, kOpPass)};
}

std::vector<Frame> BotPlayer::DiscardOne() {
  if (hand_.empty()) return {};
  TileCode t = ChooseDiscard();
  bool fromHand = t != hand_.back();
  RemoveOne(hand_, t);
  return {client_frames::Discard(mask_, t, fromHand)};
}

int BotPlayer::KeepValue(TileCode t) const {
  int k = KindOf(t);
  int value = 4 * (CountOf(hand_, t) - 1);
  if (IsNumberKind(k)) {
    for (int o : {-2, -1, 1, 2}) {
      int r = RankOfKind(k) + o;
      if (r >= 1 && r <= 9 && CountOf(hand_, TileOfKind(k + o)) > 0) value += (o == 1 || o == -1) ? 2 : 1;
    }
    if (RankOfKind(k) != 1 && RankOfKind(k) != 9) ++value;  // middle tiles join more runs
  }
  return value;
}

TileCode BotPlayer::ChooseDiscard() const {
  TileCode best = hand_.back();
  int bestValue = 1 << 30;
  for (TileCode t : hand_) {
    int v = IsHun(hun_, t) ? (1 << 20) : KeepValue(t);
    if (v < bestValue) {
      bestValue = v;
      best = t;
    }
  }
  return best;
}

}  // namespace vask::server
