#pragma once
// The frames our prop plug-in and the practice server exchange. Requests
// go out as command 45 (value(0) names the request), the bank's answers and
// the table's prop news come back as command 44, the scores of a hand as
// command 46. Numbers in payloads are little-endian.
#include <array>
#include <cstdint>

#include "core/connection/protocol.h"

namespace vask::props {

inline constexpr std::uint8_t kCmdNews = 44;     // server: bank state, a prop used
inline constexpr std::uint8_t kCmdRequest = 45;  // client: a request
inline constexpr std::uint8_t kCmdScores = 46;   // server: the hand's prop scores

// value(0) of a request.
inline constexpr int kAskBank = 1;
inline constexpr int kDeposit = 2;   // payload: amount, 8 bytes
inline constexpr int kWithdraw = 3;  // payload: amount, 8 bytes
inline constexpr int kBuy = 4;       // value(1): the prop
inline constexpr int kUse = 5;       // value(1): the prop

// value(0) of a news frame.
inline constexpr int kBankState = 1;  // value(1): answer; payload: bank, gold, counts
inline constexpr int kPropUsed = 2;   // seat byte: who; value(1): the prop

// value(1) of a bank state: how the request went.
inline constexpr int kDone = 0;
inline constexpr int kNoGold = 1;      // not enough gold on the table
inline constexpr int kNoSavings = 2;   // not enough in the bank
inline constexpr int kNoProp = 3;      // no such prop, or none left
inline constexpr int kNotNow = 4;      // not while a hand is played
inline constexpr int kAlreadyUsed = 5; // one prop of a kind per hand

// The props, by number (value(1)).
enum class Prop : std::uint8_t { Key = 0, Double = 1, Horn = 2 };
inline constexpr int kPropKinds = 3;
// What a prop costs from the bank.
inline constexpr std::array<std::int64_t, kPropKinds> kPropPrice{500, 300, 100};

// Payload offsets.
inline constexpr std::size_t kAmountAt = 16;  // requests 2 and 3
inline constexpr std::size_t kBankAt = 16;    // bank state: 8 bytes
inline constexpr std::size_t kGoldAt = 24;    // 8 bytes
inline constexpr std::size_t kCountsAt = 32;  // one byte per prop
// Scores: per absolute seat, 12 bytes from 16 + 12 × seat.
inline constexpr std::size_t kScoreAt = 16;
inline constexpr std::size_t kScoreStride = 12;
inline constexpr std::size_t kScoreAmount = 0;  // 4 bytes, signed
inline constexpr std::size_t kScoreChest = 4;   // 1: the seat opens a chest
inline constexpr std::size_t kScoreWhy = 5;     // bits: 1 won, 2 key, 4 doubled

inline constexpr std::uint8_t kWhyWon = 1;
inline constexpr std::uint8_t kWhyKey = 2;
inline constexpr std::uint8_t kWhyDoubled = 4;

inline void PutLE(Frame& f, std::size_t at, std::uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) f[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

inline std::uint64_t GetLE(const Frame& f, std::size_t at, int bytes) {
  std::uint64_t v = 0;
  for (int i = bytes; i-- > 0;) v = v << 8 | f[at + static_cast<std::size_t>(i)];
  return v;
}

// A frame's header: command, seat mask, four big-endian 16-bit values.
inline Frame MakeFrame(std::uint8_t cmd, std::uint8_t seat, int v0 = 0, int v1 = 0) {
  Frame f{};
  f[frame_offset::kCmd] = cmd;
  f[frame_offset::kSeat] = seat;
  f[frame_offset::kValues] = static_cast<std::uint8_t>((v0 >> 8) & 0xFF);
  f[frame_offset::kValues + 1] = static_cast<std::uint8_t>(v0 & 0xFF);
  f[frame_offset::kValues + 2] = static_cast<std::uint8_t>((v1 >> 8) & 0xFF);
  f[frame_offset::kValues + 3] = static_cast<std::uint8_t>(v1 & 0xFF);
  return f;
}

inline int ValueOf(const Frame& f, int i) {
  const std::size_t at = frame_offset::kValues + 2 * static_cast<std::size_t>(i);
  return static_cast<std::int16_t>(f[at] << 8 | f[at + 1]);
}

}  // namespace vask::props
