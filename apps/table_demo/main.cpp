// Deals a scripted hand into the table window: the fake platform plays the
// server's frames, the real window draws the result.
//
//   table-demo [--small] [--rounds N] [--chat] [--offer BITS] [--shot file.png]
//
// --small lays the table out for an 800 × 600 screen; --chat adds chat
// lines, a phrase bubble and the phrase and sound windows; --offer gives the
// own seat a turn with those claim offers (5: chow or pass); --shot renders
// the window offscreen into a PNG and exits.
#include <QApplication>
#include <QImage>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/client.h"
#include "core/connection/gbk.h"
#include "core/social/social_input.h"
#include "core/view/layout.h"
#include "platform/fake/fake_platform.h"
#include "platform/fake/scripted_hand.h"
#include "platform/qt/table_window.h"

namespace {

// What the player records would show.
void DressSeats(vask::Client& c) {
  const char* nicks[4] = {"我自己", "西门吹雪", "花满楼", "陆小凤"};
  const int portraits[4] = {2, 14, 5, 11};
  const int gold[4] = {12800, 5630, 20410, 880};
  const char* levels[4] = {"雀圣", "雀士", "雀豪", "新手"};
  for (int v = 0; v < 4; ++v) {
    vask::PutPicture(c, c.pics.PortraitPics[portraits[v]], c.view.Tou[v]);
    c.view.Nid[v].text = std::string("[玩家] ") + nicks[v];
    c.view.Cash[v].text = std::to_string(gold[v]) + "金币";
    c.view.Level[v].text = levels[v];
  }
  c.view.Sysmsg[0].items = {"连接服务器成功！"};
  c.view.Sysmsg[1].items = {"欢迎进入Vask游戏中心"};
  c.view.Caption = "Vask 麻将 - 第1桌";
}

// A few lines of table talk, the last a built-in phrase with its bubble.
void Talk(vask::FakePlatform& platform, vask::Client& c) {
  vask::SetUpSocialWindows(c);
  const char* nicks[4] = {"我自己", "西门吹雪", "花满楼", "陆小凤"};
  for (int v = 0; v < 4; ++v) c.players.PlayerInfo[v].Nick = nicks[v];
  struct Line {
    std::uint8_t seat;
    std::string text;
    int phrase;
  } lines[] = {{8, "西门吹雪说道： 今天手气不错，大家加油", 0},
               {1, "我自己说道： 这把我要胡个大的，看好了，这一句足够长，会折到第二行去", 0},
               {2, "陆小凤说道： 快点!", 5}};
  for (const Line& l : lines) {
    vask::Frame f{};
    f[vask::frame_offset::kCmd] = 19;
    f[vask::frame_offset::kSeat] = l.seat;
    if (l.phrase) {
      f[vask::frame_offset::kValues + 1] = 2;
      f[vask::frame_offset::kValues + 5] = 'a';
      f[vask::frame_offset::kValues + 7] = static_cast<std::uint8_t>(l.phrase);
    }
    const std::string gbk = vask::Utf8ToGbk(l.text);
    std::copy(gbk.begin(), gbk.end(), f.begin() + vask::frame_offset::kPayload);
    vask::PlayFrames(platform, c, {f});
  }
  platform.Advance(vask::kFadeTickMs * 60);  // the bubble has faded in
  vask::ToggleTalkWindow(c);
  vask::PhraseButton_Click(c, vask::kPhraseBuiltIn);
  c.view.Talk.visible = true;
  c.view.Talk.x = 10;
  vask::ToggleSoundSettings(c);
  vask::VosSet_Command2_Click(c, 1);
}

// The own seat's turn with the claim buttons the offer bits light.
void Offer(vask::FakePlatform& platform, vask::Client& c, int bits) {
  vask::Frame f{};
  f[vask::frame_offset::kCmd] = 6;
  f[vask::frame_offset::kSeat] = c.table.OwnMask();
  f[vask::frame_offset::kValues] = static_cast<std::uint8_t>(bits >> 8);
  f[vask::frame_offset::kValues + 1] = static_cast<std::uint8_t>(bits);
  f[100] = 15;  // seconds on the clock
  vask::PlayFrames(platform, c, {f});
}

}  // namespace

int main(int argc, char** argv) {
  bool small = false;
  int rounds = 6;
  std::string shot;
  bool chat = false;
  int offer = 0;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--small")) small = true;
    else if (!std::strcmp(argv[i], "--rounds") && i + 1 < argc) rounds = std::atoi(argv[++i]);
    else if (!std::strcmp(argv[i], "--chat")) chat = true;
    else if (!std::strcmp(argv[i], "--offer") && i + 1 < argc) offer = std::atoi(argv[++i]);
    else if (!std::strcmp(argv[i], "--shot") && i + 1 < argc) shot = argv[++i];
  }
  QApplication app(argc, argv);
  vask::FakePlatform platform;
  platform.screen = small ? vask::ScreenSize{800, 600} : vask::ScreenSize{1280, 1024};
  vask::Client client(platform);
  platform.Connect();
  client.conn.bProxyDone = true;
  client.conn.bTableLive = true;
  vask::EnableTimer(client, vask::TimerId::Bong, true);
  vask::InitPictureTables(client.pics, vask::ChooseLayoutScale(platform.screen));
  vask::InitLayout(client);
  DressSeats(client);
  vask::PlayScriptedHand(platform, client, rounds);
  if (chat) Talk(platform, client);
  if (offer) Offer(platform, client, offer);

  vask::TableWindow window;
  window.SetView(&client.view);
  window.setWindowTitle(QString::fromStdString(client.view.Caption));
  if (!shot.empty()) {
    QImage image = vask::RenderTable(client.view, window.Art());
    if (!image.save(QString::fromStdString(shot))) {
      std::fprintf(stderr, "table-demo: cannot write %s\n", shot.c_str());
      return 1;
    }
    return 0;
  }
  window.show();
  return app.exec();
}
