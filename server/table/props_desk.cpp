#include "server/table/props_desk.h"


namespace vask::server {

namespace {

constexpr std::int64_t kChestMin = 50;
constexpr std::int64_t kChestMax = 300;
// Deposits and withdrawals keep to amounts a table can hold.
constexpr std::int64_t kMaxMove = 1'000'000'000;
constexpr int kMaxCount = 99;

std::int64_t AmountOf(const Frame& f) {
  return static_cast<std::int64_t>(props::GetLE(f, props::kAmountAt, 8));
}

bool ValidProp(int p) { return p >= 0 && p < props::kPropKinds; }

}  // namespace

Frame PropsDesk::BankState(const std::string& account, std::int64_t gold, int answer) {
  const PropAccount& a = accounts_[account];
  Frame f = props::MakeFrame(props::kCmdNews, 0, props::kBankState, answer);
  props::PutLE(f, props::kBankAt, static_cast<std::uint64_t>(a.bank), 8);
  props::PutLE(f, props::kGoldAt, static_cast<std::uint64_t>(gold), 8);
  for (int p = 0; p < props::kPropKinds; ++p)
    f[props::kCountsAt + static_cast<std::size_t>(p)] = static_cast<std::uint8_t>(a.counts[static_cast<std::size_t>(p)]);
  f[frame_offset::kServerTag] = kServerTag[0];
  f[frame_offset::kServerTag + 1] = kServerTag[1];
  return f;
}

PropReply PropsDesk::OnRequest(const std::string& account, std::uint8_t mask, std::int64_t gold, bool handInPlay,
                               const Frame& request) {
  PropAccount& a = accounts_[account];
  PropReply reply;
  const int what = props::ValueOf(request, 0);
  const int prop = props::ValueOf(request, 1);
  int answer = props::kDone;
  switch (what) {
    case props::kAskBank:
      break;
    case props::kDeposit:
    case props::kWithdraw: {
      const std::int64_t amount = AmountOf(request);
      if (handInPlay) {
        answer = props::kNotNow;
      } else if (amount <= 0 || amount > kMaxMove) {
        answer = what == props::kDeposit ? props::kNoGold : props::kNoSavings;
      } else if (what == props::kDeposit) {
        if (amount > gold) {
          answer = props::kNoGold;
        } else {
          a.bank += amount;
          reply.goldChange = -amount;
        }
      } else if (amount > a.bank) {
        answer = props::kNoSavings;
      } else {
        a.bank -= amount;
        reply.goldChange = amount;
      }
      break;
    }
    case props::kBuy:
      if (!ValidProp(prop) || a.counts[static_cast<std::size_t>(prop)] >= kMaxCount) {
        answer = props::kNoProp;
      } else if (a.bank < props::kPropPrice[static_cast<std::size_t>(prop)]) {
        answer = props::kNoSavings;
      } else {
        a.bank -= props::kPropPrice[static_cast<std::size_t>(prop)];
        ++a.counts[static_cast<std::size_t>(prop)];
      }
      break;
    case props::kUse: {
      if (!ValidProp(prop) || a.counts[static_cast<std::size_t>(prop)] < 1) {
        answer = props::kNoProp;
        break;
      }
      const auto p = static_cast<std::size_t>(prop);
      // The key and the double card count for the hand's end; the horn
      // only tells the table.
      if (static_cast<props::Prop>(prop) != props::Prop::Horn) {
        if (a.inUse[p]) {
          answer = props::kAlreadyUsed;
          break;
        }
        a.inUse[p] = true;
      }
      --a.counts[p];
      Frame news = props::MakeFrame(props::kCmdNews, mask, props::kPropUsed, prop);
      news[frame_offset::kServerTag] = kServerTag[0];
      news[frame_offset::kServerTag + 1] = kServerTag[1];
      reply.toAll.push_back(news);
      break;
    }
    default:
      answer = props::kNoProp;
      break;
  }
  reply.toSeat.push_back(BankState(account, gold + reply.goldChange, answer));
  return reply;
}

std::array<ChestShare, 4> PropsDesk::Chests(const std::array<std::string, 4>& accounts, int winner, std::mt19937& rng) {
  std::array<ChestShare, 4> shares{};
  std::uniform_int_distribution<std::int64_t> gold(kChestMin, kChestMax);
  for (std::size_t s = 0; s < 4; ++s) {
    if (accounts[s].empty()) continue;
    PropAccount& a = accounts_[accounts[s]];
    ChestShare& share = shares[s];
    if (static_cast<int>(s) == winner) share.why |= props::kWhyWon;
    if (a.inUse[static_cast<std::size_t>(props::Prop::Key)]) share.why |= props::kWhyKey;
    share.chest = share.why != 0;
    if (share.chest) {
      share.amount = gold(rng);
      if (a.inUse[static_cast<std::size_t>(props::Prop::Double)]) {
        share.amount *= 2;
        share.why |= props::kWhyDoubled;
      }
    }
    a.inUse = {};
  }
  return shares;
}

Frame PropsDesk::ScoresFrame(const std::array<ChestShare, 4>& shares) {
  Frame f = props::MakeFrame(props::kCmdScores, 0);
  for (std::size_t s = 0; s < 4; ++s) {
    const std::size_t at = props::kScoreAt + props::kScoreStride * s;
    props::PutLE(f, at + props::kScoreAmount, static_cast<std::uint64_t>(static_cast<std::uint32_t>(shares[s].amount)), 4);
    f[at + props::kScoreChest] = shares[s].chest ? 1 : 0;
    f[at + props::kScoreWhy] = shares[s].why;
  }
  f[frame_offset::kServerTag] = kServerTag[0];
  f[frame_offset::kServerTag + 1] = kServerTag[1];
  return f;
}

}  // namespace vask::server
