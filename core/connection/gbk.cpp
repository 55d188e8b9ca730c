#include "core/connection/gbk.h"

#include <iconv.h>

#include <array>
#include <memory>

namespace vask {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Both directions of GBK's double-byte plane, built once from iconv. The
// tables are immutable after construction, so sharing them is safe.
struct GbkTables {
  std::vector<char16_t> toUnicode = std::vector<char16_t>(65536, 0);  // by lead*256+trail
  std::vector<std::uint16_t> toGbk = std::vector<std::uint16_t>(65536, 0);  // by BMP code point

  GbkTables() {
    iconv_t cd = iconv_open("UTF-16LE", "GBK");
    if (cd == reinterpret_cast<iconv_t>(-1)) return;
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
      for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
        char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        char out[4] = {};
        char* inPtr = in;
        char* outPtr = out;
        std::size_t inLeft = 2, outLeft = 4;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) continue;
        if (outLeft != 2) continue;  // not a single BMP character
        char16_t u = static_cast<char16_t>(static_cast<unsigned char>(out[0]) |
                                           (static_cast<unsigned char>(out[1]) << 8));
        if (u < 0x80) continue;
        std::uint16_t code = static_cast<std::uint16_t>(lead << 8 | trail);
        toUnicode[code] = u;
        if (toGbk[u] == 0) toGbk[u] = code;
      }
    }
    iconv_close(cd);
  }
};

const GbkTables& Tables() {
  static const GbkTables tables;
  return tables;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t p) {
  if (p < 0x80) {
    out.push_back(static_cast<char>(p));
  } else if (p < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (p >> 6)));
    out.push_back(static_cast<char>(0x80 | (p & 0x3F)));
  } else if (p < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (p >> 12)));
    out.push_back(static_cast<char>(0x80 | ((p >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (p & 0x3F)));
  } else if (p < 0x110000) {
    out.push_back(static_cast<char>(0xF0 | (p >> 18)));
    out.push_back(static_cast<char>(0x80 | ((p >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((p >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (p & 0x3F)));
  } else {
    AppendUtf8(out, kReplacement);
  }
}

std::u32string Utf8ToCodePoints(std::string_view s) {
  std::u32string out;
  out.reserve(s.size());
  std::size_t i = 0;
  while (i < s.size()) {
    auto b = static_cast<unsigned char>(s[i]);
    int extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
    char32_t p = extra <= 0 ? b : b & (0x3F >> extra);
    bool ok = extra >= 0 && i + extra < s.size();
    for (int k = 1; ok && k <= extra; ++k) {
      auto c = static_cast<unsigned char>(s[i + k]);
      ok = (c & 0xC0) == 0x80;
      p = (p << 6) | (c & 0x3F);
    }
    if (!ok) {
      out.push_back(kReplacement);  // skip one bad byte and resynchronise
      ++i;
      continue;
    }
    out.push_back(p);
    i += extra + 1;
  }
  return out;
}

std::string CodePointsToUtf8(std::u32string_view points) {
  std::string out;
  out.reserve(points.size());
  for (char32_t p : points) AppendUtf8(out, p);
  return out;
}

void AppendGbk(std::string& out, char32_t p) {
  if (p < 0x80) {
    out.push_back(static_cast<char>(p));
    return;
  }
  std::uint16_t code = p < 0x10000 ? Tables().toGbk[p] : 0;
  if (code == 0) {
    out.push_back('?');
    return;
  }
  out.push_back(static_cast<char>(code >> 8));
  out.push_back(static_cast<char>(code & 0xFF));
}

std::string Utf8ToGbk(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (char32_t p : Utf8ToCodePoints(utf8)) AppendGbk(out, p);
  return out;
}

std::string GbkToUtf8(std::span<const std::uint8_t> gbk) {
  std::string out;
  out.reserve(gbk.size() * 3 / 2);
  const auto& table = Tables().toUnicode;
  for (std::size_t i = 0; i < gbk.size(); ++i) {
    std::uint8_t b = gbk[i];
    if (b == 0) break;
    if (b < 0x80) {
      out.push_back(static_cast<char>(b));
      continue;
    }
    if (i + 1 >= gbk.size()) break;  // a lead byte with nothing after it
    std::uint8_t trail = gbk[++i];
    char16_t u = table[static_cast<std::uint16_t>(b << 8 | trail)];
    AppendUtf8(out, u != 0 ? char32_t{u} : kReplacement);
    if (trail == 0) break;
  }
  return out;
}

std::string GbkToUtf8(std::string_view gbk) {
  return GbkToUtf8(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(gbk.data()),
                                                 gbk.size()));
}

int DisplayWidth(std::string_view utf8) {
  int width = 0;
  for (char32_t p : Utf8ToCodePoints(utf8)) width += p < 0x80 ? 1 : 2;
  return width;
}

std::string FirstChars(std::string_view utf8, std::size_t n) {
  auto points = Utf8ToCodePoints(utf8);
  if (points.size() > n) points.resize(n);
  return CodePointsToUtf8(points);
}

std::string Latin1ToUtf8(std::span<const std::uint8_t> bytes) {
  std::string out;
  for (std::uint8_t b : bytes) AppendUtf8(out, b);
  return out;
}

}  // namespace vask
