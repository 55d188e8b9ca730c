#pragma once
// Test prop plug-ins: one that records the frames it is given, and a
// scriptable one that logs every call in order and answers, refuses or
// throws as its script says.
#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/client.h"
#include "core/social/prop_plugin.h"

namespace vask::test {

class RecordingPlugin : public NullPropPlugin {
 public:
  explicit RecordingPlugin(std::vector<Frame>* received) : received_(received) {}
  void Rec_MSG(Frame& msg) override { received_->push_back(msg); }

 private:
  std::vector<Frame>* received_;
};

// Makes the client's plug-in active with a recorder.
inline void ActivateRecordingPlugin(Client& c, std::vector<Frame>* received) {
  c.prop.PropObj = std::make_unique<RecordingPlugin>(received);
  c.prop.Prop_GameDllState = 1;
}

// A chest layout the show can use: three rows of five 40 × 30 chests.
inline ChestLayout TestChestLayout() {
  ChestLayout l;
  l.ChestPos.assign(30, 0);
  for (int k = 0; k < 15; ++k) {
    l.ChestPos[static_cast<std::size_t>(k)] = 300 + 50 * (k % 5);
    l.ChestPos[static_cast<std::size_t>(k + 15)] = 400 - 80 * (k / 5);
  }
  l.ChestCentre = {500, 300};
  l.SeatTargets = {500, 20, 500, 1000, 700, 300, 20, 300};
  l.MsgPos = {500, 450};
  l.ChestTimes = {100, 10};
  l.ClosedPic = "closed";
  l.ChestSize = {40, 30};
  l.OpenPic = "open";
  l.OpenSize = {60, 50};
  return l;
}

// What a ScriptedPlugin answers, and what it was asked. The test keeps it;
// the plug-in object (owned by the client) points at it.
struct PluginScript {
  // Answers.
  bool initdll = true;
  bool baoInfo = true;
  ChestLayout layout = TestChestLayout();
  bool setUserinfo = true;
  std::deque<PluginRequest> requests;  // handed out by GetSendBuff
  int checkSendBuff = -1;              // -1: the number of requests left
  int scoreAnswer = 1;
  std::array<std::string, 4> scoreTexts{};
  std::array<double, 4> amounts{};
  std::vector<std::string> chestInfo = std::vector<std::string>(8);
  // The operation that throws (its name, e.g. "GetSendBuff"); empty: none.
  std::string throwIn;

  // Every call, in order: the operation's name and its arguments.
  std::vector<std::string> calls;
  std::vector<Frame> received;  // Rec_MSG
  bool destroyed = false;

  // The calls whose text starts with `prefix`.
  std::vector<std::string> CallsOf(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const std::string& c : calls)
      if (c.rfind(prefix, 0) == 0) out.push_back(c);
    return out;
  }
  // Only the operations' names, in order.
  std::vector<std::string> Names() const {
    std::vector<std::string> out;
    for (const std::string& c : calls) out.push_back(c.substr(0, c.find('(')));
    return out;
  }
};

class ScriptedPlugin : public PropPlugin {
 public:
  explicit ScriptedPlugin(PluginScript* script) : s_(script) {}
  ~ScriptedPlugin() override { s_->destroyed = true; }

  bool Initdll(std::string& account, std::string& key, const std::string& mode, std::intptr_t,
               const std::string& game, PropPlugin& self, std::int16_t& layout, std::int16_t& param) override {
    Log("Initdll(" + account + "," + key + "," + mode + "," + game + "," + (&self == this ? "self" : "other") + "," +
        std::to_string(layout) + "," + std::to_string(param) + ")");
    return s_->initdll;
  }
  bool GetBaoInfo(ChestLayout& layout) override {
    Log("GetBaoInfo()");
    layout = s_->layout;
    return s_->baoInfo;
  }
  void InitExit(std::int16_t& flag) override { Log("InitExit(" + std::to_string(flag) + ")"); }
  void Rec_MSG(Frame& msg) override {
    Log("Rec_MSG(" + std::to_string(msg[3]) + ")");
    s_->received.push_back(msg);
  }
  int CheckSendBuff() override {
    Log("CheckSendBuff()");
    return s_->checkSendBuff >= 0 ? s_->checkSendBuff : static_cast<int>(s_->requests.size());
  }
  void GetSendBuff(PluginRequest& r) override {
    Log("GetSendBuff(" + std::to_string(r.PluginKind) + ")");
    if (s_->requests.empty()) return;
    PluginRequest next = s_->requests.front();
    s_->requests.pop_front();
    next.PluginPic = r.PluginPic;
    r = next;
  }
  int GetScoreInfo(std::array<std::string, 4>& texts, std::array<double, 4>& amounts,
                   std::vector<std::string>& chestInfo) override {
    Log("GetScoreInfo()");
    texts = s_->scoreTexts;
    amounts = s_->amounts;
    chestInfo = s_->chestInfo;
    return s_->scoreAnswer;
  }
  void InitShowEnd() override { Log("InitShowEnd()"); }
  void InitShowNext(bool atHandStart) override { Log(std::string("InitShowNext(") + (atHandStart ? "true" : "false") + ")"); }
  void ShowGif(int what, bool starting) override {
    Log("ShowGif(" + std::to_string(what) + "," + (starting ? "true" : "false") + ")");
  }
  void SetKeyDown(int key) override { Log("SetKeyDown(" + std::to_string(key) + ")"); }
  void setbankstate(int state) override { Log("setbankstate(" + std::to_string(state) + ")"); }
  void UpdataMyProp(bool v) override { Log(std::string("UpdataMyProp(") + (v ? "true" : "false") + ")"); }
  void FixBuffPos() override { Log("FixBuffPos()"); }
  bool SetUserinfo(const std::string&, const std::string&, int, bool, int view, int mask, const std::string& account,
                   const std::string& nick) override {
    Log("SetUserinfo(" + std::to_string(view) + "," + std::to_string(mask) + "," + account + "," + nick + ")");
    return s_->setUserinfo;
  }
  void ClearUser(int view) override { Log("ClearUser(" + std::to_string(view) + ")"); }
  void rec_state(int what, bool flag, int extra) override {
    Log("rec_state(" + std::to_string(what) + "," + (flag ? "true" : "false") + "," + std::to_string(extra) + ")");
  }
  void Ainit(const std::string& name) override { Log("Ainit(" + name + ")"); }

 private:
  void Log(const std::string& call) {
    s_->calls.push_back(call);
    if (!s_->throwIn.empty() && call.rfind(s_->throwIn + "(", 0) == 0) throw std::runtime_error(s_->throwIn);
  }
  PluginScript* s_;
};

}  // namespace vask::test
