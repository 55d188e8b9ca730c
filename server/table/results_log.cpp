#include "server/table/results_log.h"

#include <cstdio>
#include <numeric>
#include <sstream>

namespace vask::server {

namespace {
std::string Hex(TileCode t) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "0x%02x", t & 0xFF);
  return buf;
}

template <typename T>
std::string Joined(const T& items) {
  std::ostringstream s;
  bool first = true;
  for (const auto& i : items) {
    if (!first) s << ',';
    s << i;
    first = false;
  }
  return s.str();
}
}  // namespace

std::string FormatHandLine(const HandLogEntry& e, const HandOutcome& o) {
  std::ostringstream s;
  s << "hand=" << e.handNo << " dealer=" << o.dealer << " indicator=" << Hex(o.indicator) << " wildcards=";
  bool first = true;
  for (TileCode t : o.hun) {
    if (t == NoTile) continue;
    s << (first ? "" : ",") << Hex(t);
    first = false;
  }
  s << " winner=" << o.winner << " payer=" << o.payer << " tile=" << Hex(o.winTile) << " flags=";
  for (std::uint8_t b : o.categories.flags) {
    char buf[4];
    std::snprintf(buf, sizeof buf, "%02X", b);
    s << buf;
  }
  s << " multiplier=" << o.categories.multiplier << " pulls=" << Joined(o.pulls.pulls)
    << " sat=" << (o.pulls.dealerSat ? 1 : 0) << " kongs=";
  first = true;
  for (const KongEntry& k : o.kongs) {
    s << (first ? "" : ",") << k.owner << ':' << k.op << ':' << Hex(k.tile);
    first = false;
  }
  if (o.kongs.empty()) s << '-';
  s << " stake=" << e.roomStake << " seats=" << Joined(e.accounts) << " results=" << Joined(e.results)
    << " totals=" << Joined(e.totals) << " sum=" << std::accumulate(e.results.begin(), e.results.end(), std::int64_t{0});
  return s.str();
}

void ResultsLog::Write(const HandLogEntry& e, const HandOutcome& o) {
  out_ << FormatHandLine(e, o) << '\n';
  out_.flush();
}

}  // namespace vask::server
