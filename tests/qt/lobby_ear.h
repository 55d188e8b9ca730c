#pragma once
// Helpers of the tests through the Qt platform: a private folder for
// sockets and locks, and a lobby's endpoint that records what reaches it.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <string>
#include <vector>

#include "platform/qt/lobby_ipc.h"

namespace vask::qt_test {

// Sockets, locks and endpoints of a test live in a folder of their own.
class PrivateTemp : public ::testing::Test {
 protected:
  PrivateTemp() : saved_(qgetenv("TMPDIR")) { qputenv("TMPDIR", dir_.path().toLocal8Bit()); }
  ~PrivateTemp() override { qputenv("TMPDIR", saved_); }

  QTemporaryDir dir_;
  QByteArray saved_;
};

// A lobby's endpoint that records what reaches it.
struct LobbyEar {
  explicit LobbyEar(const std::string& title) {
    listening = endpoint.Listen(title);
    QObject::connect(&endpoint, &window_link::Endpoint::Received,
                     [this](const window_link::Packet& p) { got.push_back(p); });
  }
  std::vector<std::uint32_t> Posts() const {
    std::vector<std::uint32_t> out;
    for (const window_link::Packet& p : got)
      if (p.kind == window_link::Kind::Post) out.push_back(p.msg);
    return out;
  }
  bool Got(window_link::Kind kind) const {
    return std::any_of(got.begin(), got.end(), [kind](const window_link::Packet& p) { return p.kind == kind; });
  }
  window_link::Endpoint endpoint;
  bool listening = false;
  std::vector<window_link::Packet> got;
};

}  // namespace vask::qt_test
