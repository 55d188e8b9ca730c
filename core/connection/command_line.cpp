#include "core/connection/command_line.h"

#include <array>
#include <charconv>
#include <limits>
#include <optional>

namespace vask {

namespace {

constexpr int kFields = 15;
constexpr std::size_t kWatchedIdAfter = 5;  // the watched player's number follows the fifth "$"

bool IsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; }

// A whole field that is a decimal number within [lo, hi].
std::optional<std::int64_t> WholeNumber(std::string_view s, std::int64_t lo, std::int64_t hi) {
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  if (s.empty()) return std::nullopt;
  std::int64_t v = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size() || v < lo || v > hi) return std::nullopt;
  return v;
}

// The number a text starts with, as the lobby's watcher line writes it:
// leading digits (with an optional sign), anything after them ignored, 0 when
// there are none; far too large numbers stop at the 64-bit limits.
std::int64_t LeadingNumber(std::string_view s) {
  s = TrimBlanks(s);
  bool negative = false;
  if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  std::int64_t v = 0;
  for (char ch : s) {
    if (ch < '0' || ch > '9') break;
    int d = ch - '0';
    if (v > (std::numeric_limits<std::int64_t>::max() - d) / 10) {
      v = std::numeric_limits<std::int64_t>::max();
      break;
    }
    v = v * 10 + d;
  }
  return negative ? -v : v;
}

// The login frame carries one byte per character, and only characters that
// are one byte in the client's code page (ASCII) survive that.
bool SingleByteOnly(std::string_view s) {
  for (char ch : s)
    if (static_cast<unsigned char>(ch) >= 0x80) return false;
  return true;
}

void Refuse(CommandLine& cl, const char* text) {
  if (cl.problem.empty()) cl.problem = text;
}

}  // namespace

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

CommandLine ParseCommandLine(std::string_view line) {
  namespace text = command_line_text;
  line = TrimBlanks(line);
  CommandLine cl;
  cl.Spectator = line.empty() || line.back() != '$';

  std::array<std::string_view, kFields> f{};
  std::size_t at = 0;
  while (cl.FieldCount < kFields) {
    std::size_t dollar = line.find('$', at);
    if (dollar == std::string_view::npos) break;
    f[cl.FieldCount++] = TrimBlanks(line.substr(at, dollar - at));
    at = dollar + 1;
  }
  auto present = [&](int number) { return number <= cl.FieldCount; };
  auto field = [&](int number) { return std::string(f[number - 1]); };

  cl.Account = field(1);
  if (!SingleByteOnly(cl.Account)) Refuse(cl, text::kAccountBadChar);
  else if (cl.Account.size() > kAccountMaxBytes) Refuse(cl, text::kAccountTooLong);
  cl.LoginKey = field(2);
  if (!SingleByteOnly(cl.LoginKey)) Refuse(cl, text::kKeyBadChar);
  else if (cl.LoginKey.size() > kLoginKeyMaxBytes) Refuse(cl, text::kKeyTooLong);

  cl.ServerHost = field(3);
  if (present(4)) {
    if (auto port = WholeNumber(f[3], 0, 65535)) cl.ServerPort = static_cast<std::uint16_t>(*port);
    else Refuse(cl, text::kBadServerPort);
  }
  cl.Location = field(5);
  if (present(6)) {
    // Anything but a plain number is no known proxy type: no connection.
    auto type = WholeNumber(f[5], std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    cl.ProxyType = type ? static_cast<int>(*type) : -1;
  }
  cl.ProxyHost = field(7);
  if (present(8)) {
    if (auto port = WholeNumber(f[7], 0, 65535)) cl.ProxyPort = static_cast<std::uint16_t>(*port);
    else Refuse(cl, text::kBadProxyPort);
  }
  cl.ProxyUser = field(9);
  cl.ProxyPass = field(10);
  cl.bOwnCaption = field(11) == "1";
  cl.LobbyTitle = field(12);
  cl.WindowCaption = field(13);
  if (present(14)) {
    if (auto v = WholeNumber(f[13], -32768, 32767)) cl.Prop_swicth = static_cast<std::int16_t>(*v);
    else Refuse(cl, text::kBadPropSwitch);
  }
  if (present(15)) {
    if (auto v = WholeNumber(f[14], -32768, 32767)) cl.PropParam = static_cast<std::int16_t>(*v);
    else Refuse(cl, text::kBadPropParam);
  }

  if (cl.Spectator) {
    std::size_t pos = 0;
    for (std::size_t n = 0; n < kWatchedIdAfter && pos != std::string_view::npos; ++n) {
      pos = line.find('$', pos);
      if (pos != std::string_view::npos) ++pos;
    }
    if (pos != std::string_view::npos) cl.PlayerId = LeadingNumber(line.substr(pos));
  }
  return cl;
}

}  // namespace vask
