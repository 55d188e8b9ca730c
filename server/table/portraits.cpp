#include "server/table/portraits.h"

#include <algorithm>

namespace vask::server {

namespace {

constexpr int kPortraits = 20;

bool Contains(const std::vector<std::string>& faces, const std::string& face) {
  return std::find(faces.begin(), faces.end(), face) != faces.end();
}

}  // namespace

Portrait PortraitOf(int k) {
  k = ((k % kPortraits) + kPortraits) % kPortraits;
  const bool male = k < 10;
  return {std::string(male ? "m" : "w") + std::to_string(k % 10 + 1), male};
}

const Portrait& PortraitBook::For(const std::string& account, const std::vector<std::string>& inUse) {
  if (auto it = given_.find(account); it != given_.end()) return it->second;
  std::vector<std::string> taken;
  for (const auto& [name, p] : given_) taken.push_back(p.face);
  // Men and women in turn (m1, w1, m2, w2, ...), so a table is mixed.
  auto nth = [](int n) { return PortraitOf((n % 2) * 10 + (n / 2) % 10); };
  auto pick = [&](bool freshOnly) -> int {
    for (int i = 0; i < kPortraits; ++i) {
      const int n = (next_ + i) % kPortraits;
      const Portrait p = nth(n);
      if (Contains(inUse, p.face) || (freshOnly && Contains(taken, p.face))) continue;
      return n;
    }
    return -1;
  };
  int n = pick(true);
  if (n < 0) n = pick(false);
  if (n < 0) n = next_;  // more players than portraits at one table cannot happen
  next_ = (n + 1) % kPortraits;
  return given_.emplace(account, nth(n)).first->second;
}

}  // namespace vask::server
