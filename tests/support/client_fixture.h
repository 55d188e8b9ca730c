#pragma once
// A client over the fake platform, with the heart beat running and the
// socket connected to a scripted server.
#include <gtest/gtest.h>

#include "core/client.h"
#include "platform/fake/fake_platform.h"
#include "support/frames.h"

namespace vask::test {

class ClientTest : public ::testing::Test {
 protected:
  ClientTest() : client(platform) {
    platform.Connect();
    client.conn.bProxyDone = true;
    client.table.Detail[0].Mask = 1;
    EnableTimer(client, TimerId::Bong, true);
  }

  // The server sends these frames in one burst.
  void Receive(std::initializer_list<Frame> frames) {
    std::vector<std::uint8_t> bytes;
    for (const Frame& f : frames) bytes.insert(bytes.end(), f.begin(), f.end());
    platform.ServerSends(bytes);
  }

  // The window point at the middle of a control of the table.
  std::pair<float, float> CentreOf(const Control& ctl) const {
    return {client.view.Pic1.x + ctl.x + ctl.w / 2, client.view.Pic1.y + ctl.y + ctl.h / 2};
  }
  void ClickOn(const Control& ctl, int button = mouse_button::kLeft) {
    auto [x, y] = CentreOf(ctl);
    platform.Click(x, y, button);
  }
  // A part of a floating window (a dialog's button).
  void ClickOn(const FormWindow& window, int part) {
    const ListControl& p = window.parts.at(static_cast<std::size_t>(part));
    platform.Click(client.view.Pic1.x + window.x + p.x + p.w / 2, client.view.Pic1.y + window.y + p.y + p.h / 2);
  }
  void PointAt(const Control& ctl) {
    auto [x, y] = CentreOf(ctl);
    platform.MoveMouse(x, y);
  }

  FakePlatform platform;
  Client client;
};

}  // namespace vask::test
