#pragma once
// A computer player that fills a seat. It knows only what the frames a
// client receives tell it, and answers with the frames a client sends, so the
// table cannot tell it from a person.
//
// Strategy: win whenever offered; declare kongs; pung a pair, chow only with
// tiles that are not pairs; discard the tile that helps least (no copies, no
// neighbours), never a wildcard while there is anything else.
#include <cstdint>
#include <string>
#include <vector>

#include "core/connection/protocol.h"
#include "server/rules/tile_set.h"

namespace vask::server {

class BotPlayer {
 public:
  BotPlayer(std::string account, std::string key);

  Frame LoginFrame() const;
  // The re-login after a lost connection, with the id of the last game start.
  Frame ReloginFrame() const;
  // Reads one server frame; returns the bot's answers, in order.
  std::vector<Frame> OnFrame(const Frame& f);

  const std::string& Account() const { return account_; }
  std::uint8_t Mask() const { return mask_; }
  const Tiles& Hand() const { return hand_; }
  int HandsSettled() const { return handsSettled_; }

 private:
  std::vector<Frame> Ready();
  std::vector<Frame> Decide(int offers);
  std::vector<Frame> DiscardOne();
  TileCode ChooseDiscard() const;
  int KeepValue(TileCode t) const;
  void ApplyOwnResult(int op, TileCode t1, TileCode t2, TileCode t3);
  void Restore(const Frame& f);

  std::string account_;
  std::string key_;
  std::uint8_t mask_ = 0;
  HunList hun_{};
  Tiles hand_;
  Tiles pungs_;
  TileCode lastDiscard_ = NoTile;
  int settlements_ = 0;
  bool readySent_ = false;  // once per wait between hands
  std::uint32_t reloginId_ = 0;
  int handsSettled_ = 0;
};

}  // namespace vask::server
