// Our prop plug-in: a bank, three props, its own window, the players'
// plates, the chests of a hand's end. The client loads this library from
// "plugin/tools/" and creates the plug-in through the exported factory.
#include <QApplication>
#include <QPointer>
#include <memory>

#include "core/social/prop_plugin.h"
#include "core/view/portrait_index.h"
#include "plugin/bank_window.h"
#include "plugin/chest_art.h"
#include "plugin/chest_glow.h"
#include "plugin/prop_model.h"
#include "plugin/seat_plates.h"

namespace vask::props {

namespace {

constexpr std::string_view kMode = "DLL";
constexpr std::string_view kGame = "newvask";
constexpr double kSmallScale = 0.78125;

// Key codes the client passes on.
constexpr int kF2 = 113, kF3 = 114, kF4 = 115, kF5 = 116;

// The chest show's layout on the table surface at scale 1, inside the
// walls: three rows of five, the own row nearest the player, the message
// above them; an opened chest flies to its owner's plate.
constexpr int kChestW = 60, kChestH = 48, kOpenW = 84, kOpenH = 70;
constexpr int kRowLeft = 332, kRowStep = 76;
constexpr std::array<int, 3> kRowTop{415, 355, 295};
// The chest opens below the message, clear of it with four lines of it.
constexpr int kCentreX = 512, kCentreY = 420;
// x of views 0..3, then y: the own plate at the bottom left, the others'
// bands along the top.
constexpr std::array<int, 8> kSeatTargets{110, 100, 440, 780, 560, 96, 96, 96};
constexpr int kMessageX = 512, kMessageY = 240;
constexpr std::int16_t kAnimTickMs = 60, kAnimTicks = 40;

class VaskProps final : public PropPlugin {
 public:
  ~VaskProps() override { CloseWindows(); }

  bool Initdll(std::string& account, std::string&, const std::string& mode, std::intptr_t mainWindow,
               const std::string& game, PropPlugin&, std::int16_t& layout, std::int16_t&) override {
    if (mode != kMode || game != kGame) return false;
    account_ = account;
    model_.layout = layout == 2 ? 2 : 1;
    // Loaded again after a close: the windows are made anew.
    CloseWindows();
    // Windows only where the client runs a widget application.
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
      auto* table = reinterpret_cast<QWidget*>(mainWindow);
      bank_ = new BankWindow(model_, table);
      plates_ = std::make_unique<SeatPlates>(model_, table);
      const double s = model_.layout == 2 ? kSmallScale : 1.0;
      auto S = [s](int v) { return static_cast<int>(v * s); };
      glow_ = new ChestGlow(table, S(kCentreX), S(kCentreY), S(kOpenW), S(kOpenH), model_.layout);
    }
    model_.changed = [this] { Refresh(); };
    Refresh();
    return true;
  }

  bool GetBaoInfo(ChestLayout& l) override {
    const double s = model_.layout == 2 ? kSmallScale : 1.0;
    auto S = [s](int v) { return static_cast<std::int32_t>(v * s); };
    l.ChestPos.assign(30, 0);
    for (int k = 0; k < 15; ++k) {
      l.ChestPos[static_cast<std::size_t>(k)] = S(kRowLeft + kRowStep * (k % 5));
      l.ChestPos[static_cast<std::size_t>(k + 15)] = S(kRowTop[static_cast<std::size_t>(k / 5)]);
    }
    l.ChestCentre = {S(kCentreX), S(kCentreY)};
    l.SeatTargets.clear();
    for (int v : kSeatTargets) l.SeatTargets.push_back(S(v));
    l.MsgPos = {S(kMessageX), S(kMessageY)};
    l.ChestTimes = {kAnimTickMs, kAnimTicks};
    l.ChestSize = {S(kChestW), S(kChestH)};
    l.OpenSize = {S(kOpenW), S(kOpenH)};
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
      l.ClosedPic = ChestPicture(false, S(kChestW), S(kChestH));
      l.OpenPic = ChestPicture(true, S(kOpenW), S(kOpenH));
    }
    return true;
  }

  // Closed by the client: its portraits come back, our windows go.
  void InitExit(std::int16_t&) override { CloseWindows(); }

  void Rec_MSG(Frame& msg) override { model_.OnFrame(msg); }

  int CheckSendBuff() override { return static_cast<int>(model_.requests.size()); }

  void GetSendBuff(PluginRequest& r) override {
    if (model_.requests.empty()) return;
    PluginRequest next = std::move(model_.requests.front());
    model_.requests.pop_front();
    next.PluginPic = r.PluginPic;  // ours to keep; we keep nothing in it
    r = std::move(next);
  }

  int GetScoreInfo(std::array<std::string, 4>& texts, std::array<double, 4>& amounts,
                   std::vector<std::string>& chestInfo) override {
    HandScores s;
    if (!model_.TakeScores(s)) return 0;
    texts = s.texts;
    amounts = s.amounts;
    chestInfo = s.chestInfo;
    return 1;
  }

  // The end-of-hand show needs the table: the bank steps aside.
  void InitShowEnd() override {
    if (bank_) bank_->hide();
  }

  void InitShowNext(bool atHandStart) override {
    if (glow_) glow_->Stop();
    if (atHandStart) model_.HandStarts();
    else model_.AskBank();  // the hand moved gold: ask what is left
  }

  // A chest starts to open (the client counts its gold up) or has opened.
  void ShowGif(int what, bool starting) override {
    if (what != 1 || !glow_) return;
    if (starting) glow_->Start();
    else glow_->Stop();
  }

  void SetKeyDown(int key) override {
    switch (key) {
      case kF2: return setbankstate(0);
      case kF3: return model_.Use(static_cast<int>(Prop::Key));
      case kF4: return model_.Use(static_cast<int>(Prop::Double));
      case kF5: return model_.Use(static_cast<int>(Prop::Horn));
      default: return;
    }
  }

  void setbankstate(int state) override {
    if (!bank_) return;
    if (state == 0) bank_->Toggle();
    else bank_->hide();
  }

  void UpdataMyProp(bool) override { model_.AskBank(); }

  void FixBuffPos() override {
    if (bank_) bank_->Place();
    if (plates_) plates_->Place();
    if (glow_) glow_->Place();
  }

  bool SetUserinfo(const std::string& face, const std::string&, int sex, bool, int view, int seatMask,
                   const std::string& account, const std::string& nick) override {
    if (view < 0 || view > 3) return true;
    model_.SetSeat(view, seatMask, account, nick, sex != 0, PortraitIndex(face));
    return true;
  }

  void ClearUser(int view) override {
    if (view >= 1 && view <= 3) model_.ClearSeat(view);
  }

  void rec_state(int what, bool flag, int extra) override {
    if (extra != 2 && what == 3) model_.linkUp = flag;
  }

  void Ainit(const std::string&) override {}

 private:
  void Refresh() {
    if (bank_) bank_->Refresh();
    if (plates_) plates_->Refresh();
  }
  // Our windows are children of the client's table window: gone with it,
  // or deleted here while it stands.
  void CloseWindows() {
    model_.changed = nullptr;
    delete bank_.data();
    delete glow_.data();
    plates_.reset();
  }

  std::string account_;
  PropModel model_;
  QPointer<BankWindow> bank_;
  QPointer<ChestGlow> glow_;
  std::unique_ptr<SeatPlates> plates_;
};

}  // namespace

}  // namespace vask::props

extern "C" __attribute__((visibility("default"))) vask::PropPlugin* vask_create_prop_plugin() {
  return new vask::props::VaskProps();
}
