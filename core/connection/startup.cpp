#include "core/connection/startup.h"

#include "core/client.h"
#include "core/connection/command_line.h"
#include "core/connection/gbk.h"
#include "core/connection/lobby_link.h"
#include "core/connection/login.h"
#include "core/connection/poll_loop.h"
#include "core/connection/proxy.h"
#include "core/handlers.h"
#include "core/social/social_input.h"
#include "core/view/layout.h"
#include "core/view/widgets.h"

namespace vask {

namespace {

// The location label is 2 points smaller for texts over 10 characters.
constexpr float kLocationFont = 10;
constexpr std::size_t kLocationLongChars = 10;

bool Refuse(Client& c, const std::string& text) {
  c.platform.MessageBox(startup_text::kTitle, text);
  QuitClient(c);
  return false;
}

// The window takes the whole screen up to 1040 × 796, from the top left.
void SizeToScreen(Client& c) {
  const ScreenSize window = MainWindowSize(c.platform.Screen());
  c.platform.PlaceMainWindow(0, 0, window.width, window.height);
}

void TakeCommandLine(Client& c, const CommandLine& cl) {
  c.table.Spectator = cl.Spectator;
  c.table.Detail[0].username = cl.Account;
  c.launch.PropAccount = cl.Account;
  c.launch.PropKey = cl.LoginKey;
  c.launch.ServerHost = cl.ServerHost;
  c.launch.ServerPort = cl.ServerPort;
  c.view.Location.text = cl.Location;
  c.view.Location.fontSize =
      Utf8ToCodePoints(cl.Location).size() > kLocationLongChars ? kLocationFont - 2 : kLocationFont;
  c.launch.ProxyType = cl.ProxyType;
  c.launch.ProxyHost = cl.ProxyHost;
  c.launch.ProxyPort = cl.ProxyPort;
  c.launch.ProxyUser = cl.ProxyUser;
  c.launch.ProxyPass = cl.ProxyPass;
  c.launch.bOwnCaption = cl.bOwnCaption;
  c.conn.LobbyTitle = cl.LobbyTitle;
  c.launch.WindowCaption = cl.WindowCaption;
  c.prop.Prop_swicth = cl.Prop_swicth;
  c.prop.PropParam = cl.PropParam;
  if (cl.Spectator) c.players.PlayerInfo[0].PlayerId = cl.PlayerId;
}

}  // namespace

bool StartUp(Client& c, std::string_view commandLine) {
  if (!c.platform.AcquireSingleInstance(kInstanceLock)) return Refuse(c, startup_text::kAlreadyRunning);
  ResetRings(c);
  c.view.WebBrowser1.visible = false;

  SizeToScreen(c);
  ClearGates(c);
  SoundStartUp(c);
  c.view.LayoutScale = ChooseLayoutScale(c.platform.Screen());
  InitPictureTables(c.pics, c.view.LayoutScale);
  InitLayout(c);
  SetUpSocialWindows(c);
  StopSeatShuffle(c);

  std::string_view line = TrimBlanks(commandLine);
  if (line.empty()) return Refuse(c, startup_text::kNoCommandLine);
  CommandLine cl = ParseCommandLine(line);
  // A field the login frame or the socket cannot take: nothing is started.
  if (!cl.problem.empty()) return Refuse(c, cl.problem);
  TakeCommandLine(c, cl);

  SetSysmsgLine(c, 0, startup_text::kConnecting);

  EnableTimer(c, TimerId::Bong, false);
  c.conn.bProxyDone = true;
  c.login.LoginFrame = BuildLoginFrame(cl.Account, cl.LoginKey);
  cl.LoginKey.assign(cl.LoginKey.size(), '\0');

  if (c.launch.ProxyType == kProxyNone) {
    c.platform.SocketConnect(c.launch.ServerHost, c.launch.ServerPort);
    EnableTimer(c, TimerId::Bong, true);
    OpenLoginGate(c);
  } else if (c.launch.ProxyType == kProxySocks5) {
    c.conn.bLoginSend = false;
    StartProxy(c);
  }
  BeginFirstLink(c);

  c.platform.ShowMainWindow(true);
  if (c.launch.bOwnCaption) {
    c.view.Caption = c.launch.WindowCaption;
  } else {
    c.view.Caption = kDefaultCaption;
    c.conn.LobbyTitle = kDefaultLobbyTitle;
  }
  c.platform.SetMainTitle(c.view.Caption);
  c.table.Detail[0].Mask = 0;
  c.launch.bWndProcInstalled = true;
  ++c.view.revision;
  c.platform.ViewChanged();
  return true;
}

}  // namespace vask
