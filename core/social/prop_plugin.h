#pragma once
// The prop plug-in's interface: every operation the client calls, by name.
// By-reference arguments may be changed by the plug-in. A plug-in is a
// shared library exporting `vask_create_prop_plugin` (see kPropFactorySymbol).
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/connection/protocol.h"

namespace vask {

// The chest layout that GetBaoInfo fills.
struct ChestLayout {
  std::vector<std::int32_t> ChestPos;     // x of chest k at k, y at k + 15
  std::vector<std::int32_t> ChestCentre;  // (x, y)
  std::vector<std::int32_t> SeatTargets;  // x of view v at v, y at v + 4
  std::vector<std::int32_t> MsgPos;       // (x, y)
  std::vector<std::int16_t> ChestTimes;   // (0) tick ms, (1) number of ticks
  // Pictures as the bytes of an image file (PNG, GIF, ...).
  std::string ClosedPic;                  // a closed chest
  std::vector<std::int32_t> ChestSize;    // (w, h)
  std::string OpenPic;                    // an opened chest
  std::vector<std::int32_t> OpenSize;     // (w, h)
};

// The by-reference arguments of GetSendBuff, kept by the host between calls.
struct PluginRequest {
  std::string PluginPic;
  std::string PluginText;
  // A frame to send: the host sends it only when it is 272 bytes long.
  std::vector<std::uint8_t> PluginFrame;
  std::int16_t PluginKind = -1;
  std::vector<std::int32_t> PluginRect;
  std::vector<std::int32_t> PluginStyle;
};

class PropPlugin {
 public:
  virtual ~PropPlugin() = default;

  virtual bool Initdll(std::string& account, std::string& key, const std::string& mode,
                       std::intptr_t mainWindow, const std::string& game, PropPlugin& self,
                       std::int16_t& layout, std::int16_t& propParam) = 0;
  virtual bool GetBaoInfo(ChestLayout& layout) = 0;
  virtual void InitExit(std::int16_t& atProgramEnd) = 0;
  virtual void Rec_MSG(Frame& msg) = 0;
  virtual int CheckSendBuff() = 0;
  virtual void GetSendBuff(PluginRequest& request) = 0;
  virtual int GetScoreInfo(std::array<std::string, 4>& scoreTexts,
                           std::array<double, 4>& amounts,
                           std::vector<std::string>& chestInfo) = 0;
  virtual void InitShowEnd() = 0;
  virtual void InitShowNext(bool atHandStart) = 0;
  virtual void ShowGif(int what, bool starting) = 0;
  virtual void SetKeyDown(int keyCode) = 0;
  virtual void setbankstate(int state) = 0;
  virtual void UpdataMyProp(bool value) = 0;
  virtual void FixBuffPos() = 0;
  virtual bool SetUserinfo(const std::string& face, const std::string& title, int sex,
                           bool credit, int view, int seatMask, const std::string& account,
                           const std::string& nick) = 0;
  virtual void ClearUser(int view) = 0;
  virtual void rec_state(int what, bool flag, int extra) = 0;
  virtual void Ainit(const std::string& configName) = 0;
};

// A plug-in that accepts nothing: Initdll refuses, so the host turns props
// off for the visit. Used where no library is installed.
class NullPropPlugin : public PropPlugin {
 public:
  bool Initdll(std::string&, std::string&, const std::string&, std::intptr_t,
               const std::string&, PropPlugin&, std::int16_t&, std::int16_t&) override {
    return false;
  }
  bool GetBaoInfo(ChestLayout&) override { return false; }
  void InitExit(std::int16_t&) override {}
  void Rec_MSG(Frame&) override {}
  int CheckSendBuff() override { return 0; }
  void GetSendBuff(PluginRequest&) override {}
  int GetScoreInfo(std::array<std::string, 4>&, std::array<double, 4>&,
                   std::vector<std::string>&) override {
    return 1;
  }
  void InitShowEnd() override {}
  void InitShowNext(bool) override {}
  void ShowGif(int, bool) override {}
  void SetKeyDown(int) override {}
  void setbankstate(int) override {}
  void UpdataMyProp(bool) override {}
  void FixBuffPos() override {}
  bool SetUserinfo(const std::string&, const std::string&, int, bool, int, int,
                   const std::string&, const std::string&) override {
    return false;
  }
  void ClearUser(int) override {}
  void rec_state(int, bool, int) override {}
  void Ainit(const std::string&) override {}
};

// The factory a plug-in library exports (extern "C").
inline constexpr const char* kPropFactorySymbol = "vask_create_prop_plugin";
using PropPluginFactory = PropPlugin* (*)();

}  // namespace vask
