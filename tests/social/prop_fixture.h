#pragma once
// A seated client whose prop plug-in is a scripted one, loaded at the
// seating as the lobby and the server allow it, and the frames of a hand's
// end with the plug-in's score message.
#include <string>
#include <vector>

#include "../settle/settle_fixture.h"
#include "core/social/plugin_host.h"
#include "support/frames.h"
#include "support/recording_plugin.h"

namespace vask::test {

inline const std::string kPropPath = std::string("/client") + kPropLibrary;

// Built before the seated client, so that the plug-in can point at it.
struct ScriptOwner {
  PluginScript script;
};

class PropTest : protected ScriptOwner, public SettleTest {
 public:
  // `adjust` changes the script or the platform before the seating.
  using Adjust = std::function<void(PluginScript&, FakePlatform&, Client&)>;

 protected:
  explicit PropTest(const Adjust& adjust = {})
      : SettleTest([this, adjust](SettleTest&) {
          platform.files[kPropPath] = "";
          platform.pluginFactory = [this](const std::string&) { return std::make_unique<ScriptedPlugin>(&script); };
          client.prop.Prop_swicth = 1;
          client.prop.PropParam = 7;
          client.launch.PropKey = "key";
          if (adjust) adjust(script, platform, client);
        }) {}

  // The hand's end: the four results, the plug-in's score message (when
  // asked for) and the four settlement messages; then n ticks.
  void EndHandWithScores(const std::array<HandResultSpec, 4>& results, const std::array<SettleSpec, 4>& settles,
                         bool scoreMessage = true) {
    std::vector<Frame> frames;
    for (int v = 0; v < 4; ++v) frames.push_back(HandResultFrame(MaskOf(v), results[v]));
    if (scoreMessage) frames.push_back(ServerFrame(static_cast<int>(Cmd::PropScore)));
    for (int v = 0; v < 4; ++v) frames.push_back(SettleFrame(MaskOf(v), settles[v]));
    Play(frames);
  }
  static HandResultSpec Total(std::int64_t seatTotal) {
    HandResultSpec r;
    r.seatTotal = seatTotal;
    return r;
  }
  // A hand the own seat won by 20 stakes, with totals.
  void EndWonHand(bool scoreMessage = true) {
    EndHandWithScores({Total(400), Total(-100), Total(-200), Total(-100)},
                      {Settle(20, 400), Settle(-5, -100), Settle(-10, -200), Settle(-5, -100)}, scoreMessage);
  }
  // A hand with every total 0.
  void EndDrawnHand(bool scoreMessage = true) {
    EndHandWithScores({}, {Settle(0, 0), Settle(0, 0), Settle(0, 0), Settle(0, 0)}, scoreMessage);
  }
  // Totals panels shown so far (each adds a line to the record window).
  std::size_t Panels() { return HeroNum(client).items.size(); }
  int Count(const std::string& call) const { return static_cast<int>(script.CallsOf(call).size()); }
  // The calls from the nth on, without the pump's asking every tick.
  std::vector<std::string> CallsFrom(std::size_t n) const {
    std::vector<std::string> out;
    for (std::size_t i = n; i < script.calls.size(); ++i)
      if (script.calls[i] != "CheckSendBuff()") out.push_back(script.calls[i]);
    return out;
  }
};

}  // namespace vask::test
