#pragma once
// The portraits the practice server gives its players: each account gets a
// face of its own when it first sits down and keeps it for as long as the
// server runs, so a player who leaves and comes back looks the same.
#include <map>
#include <string>
#include <vector>

namespace vask::server {

// The client draws "m1".."m10" from the male set and "w1".."w10" from the
// female one; the record's sex follows the set.
struct Portrait {
  std::string face;
  bool male = true;
};

// Portrait k of the twenty: 0..9 male, 10..19 female.
Portrait PortraitOf(int k);

class PortraitBook {
 public:
  // The account's portrait. A new account gets one that nobody at the table
  // wears (`inUse`, faces) and, while the twenty last, nobody else got.
  const Portrait& For(const std::string& account, const std::vector<std::string>& inUse);

 private:
  std::map<std::string, Portrait> given_;
  int next_ = 0;  // the next portrait to try: m1, w1, m2, w2, ...
};

}  // namespace vask::server
