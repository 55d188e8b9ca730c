#include "plugin/prop_model.h"

#include "plugin/plugin_texts.h"

namespace vask::props {

namespace {

// A timed label in the middle of the table: three seconds, yellow, centred.
constexpr std::array<std::int32_t, 4> kLabelRect{420, 40, 302, 300};
constexpr std::array<std::int32_t, 5> kLabelStyle{100, 30, 14, 0x00FFFF, 2};

int SeatIndexOf(int mask) {
  int i = 0;
  while (mask >= 2) mask /= 2, ++i;
  return i & 3;
}

std::string PropName(int prop) {
  return prop >= 0 && prop < kPropKinds ? text::kPropNames[static_cast<std::size_t>(prop)] : "";
}

const char* AnswerText(int answer) {
  switch (answer) {
    case kDone: return text::kDone;
    case kNoGold: return text::kNoGold;
    case kNoSavings: return text::kNoSavings;
    case kNotNow: return text::kNotNow;
    case kAlreadyUsed: return text::kAlreadyUsed;
    default: return text::kNoProp;
  }
}

std::string AmountText(std::int64_t v) { return std::to_string(v); }

}  // namespace

void PropModel::SetSeat(int view, int mask, const std::string& account, const std::string& nick, bool male,
                        int portrait) {
  SeatInfo& s = seats[static_cast<std::size_t>(view & 3)];
  const bool firstOwn = view == 0 && !s.present;
  s.present = true;
  s.mask = mask;
  s.account = account;
  s.nick = nick;
  s.male = male;
  s.portrait = portrait;
  if (firstOwn) AskBank();
  Changed();
}

void PropModel::ClearSeat(int view) {
  seats[static_cast<std::size_t>(view & 3)] = SeatInfo{};
  Changed();
}

int PropModel::ViewOfMask(int mask) const {
  for (int v = 0; v < 4; ++v)
    if (seats[static_cast<std::size_t>(v)].present && seats[static_cast<std::size_t>(v)].mask == mask) return v;
  return ((SeatIndexOf(OwnMask(*this)) - SeatIndexOf(mask)) % 4 + 4) % 4;
}

void PropModel::Send(const Frame& f) {
  PluginRequest r;
  r.PluginKind = 2;
  r.PluginFrame.assign(f.begin(), f.end());
  requests.push_back(std::move(r));
}

void PropModel::Notice(const std::string& t) {
  PluginRequest r;
  r.PluginKind = 0;
  r.PluginText = t;
  requests.push_back(std::move(r));
}

void PropModel::Label(const std::string& t) {
  PluginRequest r;
  r.PluginKind = 1;
  r.PluginText = t;
  // The client's table is smaller on a small screen.
  const double s = layout == 2 ? 0.78125 : 1.0;
  for (std::int32_t v : kLabelRect) r.PluginRect.push_back(static_cast<std::int32_t>(v * s));
  r.PluginStyle.assign(kLabelStyle.begin(), kLabelStyle.end());
  requests.push_back(std::move(r));
}

void PropModel::AskBank() { Send(MakeFrame(kCmdRequest, static_cast<std::uint8_t>(OwnMask(*this)), kAskBank)); }

void PropModel::Deposit(std::int64_t amount) {
  Frame f = MakeFrame(kCmdRequest, static_cast<std::uint8_t>(OwnMask(*this)), kDeposit);
  PutLE(f, kAmountAt, static_cast<std::uint64_t>(amount), 8);
  Send(f);
}

void PropModel::Withdraw(std::int64_t amount) {
  Frame f = MakeFrame(kCmdRequest, static_cast<std::uint8_t>(OwnMask(*this)), kWithdraw);
  PutLE(f, kAmountAt, static_cast<std::uint64_t>(amount), 8);
  Send(f);
}

void PropModel::Buy(int prop) { Send(MakeFrame(kCmdRequest, static_cast<std::uint8_t>(OwnMask(*this)), kBuy, prop)); }

void PropModel::Use(int prop) { Send(MakeFrame(kCmdRequest, static_cast<std::uint8_t>(OwnMask(*this)), kUse, prop)); }

void PropModel::HandStarts() {
  for (SeatInfo& s : seats) s.using_ = {};
  scoresReady_ = false;
  Changed();
}

void PropModel::OnFrame(const Frame& f) {
  switch (f[frame_offset::kCmd]) {
    case kCmdNews:
      if (ValueOf(f, 0) == kBankState) return OnBankState(f);
      if (ValueOf(f, 0) == kPropUsed) return OnPropUsed(f);
      return;
    case kCmdScores:
      return OnScores(f);
    default:
      return;
  }
}

void PropModel::OnBankState(const Frame& f) {
  bankKnown = true;
  bank = static_cast<std::int64_t>(GetLE(f, kBankAt, 8));
  gold = static_cast<std::int64_t>(GetLE(f, kGoldAt, 8));
  for (int p = 0; p < kPropKinds; ++p) counts[static_cast<std::size_t>(p)] = f[kCountsAt + static_cast<std::size_t>(p)];
  status = AnswerText(ValueOf(f, 1));
  Changed();
}

void PropModel::OnPropUsed(const Frame& f) {
  const int prop = ValueOf(f, 1);
  if (prop < 0 || prop >= kPropKinds) return;
  const int view = ViewOfMask(f[frame_offset::kSeat] & 0x0F);
  SeatInfo& s = seats[static_cast<std::size_t>(view)];
  s.using_[static_cast<std::size_t>(prop)] = true;
  const std::string who = s.nick.empty() ? std::string("?") : s.nick;
  const std::string line = static_cast<Prop>(prop) == Prop::Horn ? who + text::kHorn : who + text::kUsed + PropName(prop);
  Label(line);
  Notice(line);
  Changed();
}

void PropModel::OnScores(const Frame& f) {
  HandScores s;
  for (int seat = 0; seat < 4; ++seat) {
    const std::size_t at = kScoreAt + kScoreStride * static_cast<std::size_t>(seat);
    const auto amount = static_cast<std::int32_t>(GetLE(f, at + kScoreAmount, 4));
    const bool chest = f[at + kScoreChest] != 0;
    const std::uint8_t why = f[at + kScoreWhy];
    const int view = ViewOfMask(1 << seat);
    const auto v = static_cast<std::size_t>(view);
    if (!chest || amount <= 0) continue;
    s.amounts[v] = amount;
    s.texts[v] = std::string(text::kChestReward) + AmountText(amount) + text::kGold + text::kScoreColour;
    const std::string& nick = seats[v].nick;
    s.chestInfo[2 * v] = (nick.empty() ? std::string("?") : nick) + text::kNameEnd;
    std::string lines = (why & kWhyWon) ? text::kWonChest : text::kKeyChest;
    if (why & kWhyDoubled) lines += std::string("|") + text::kDoubled;
    s.chestInfo[2 * v + 1] = lines;
  }
  scores_ = std::move(s);
  scoresReady_ = true;
}

bool PropModel::TakeScores(HandScores& out) {
  if (!scoresReady_) return false;
  out = scores_;
  scoresReady_ = false;
  return true;
}

}  // namespace vask::props
