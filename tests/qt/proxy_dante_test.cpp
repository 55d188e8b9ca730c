// The client's SOCKS5 handshake against a real Dante server on loopback,
// with user name and password authentication, through to the scripted game
// server; and the refusals a user meets, each with its message.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include "core/client.h"
#include "core/connection/startup.h"
#include "platform/qt/lobby_ipc.h"
#include "platform/qt/qt_platform.h"
#include "pump_until.h"
#include "lobby_ear.h"
#include "support/scripted_server.h"
#include "support/table_frames.h"

namespace vask {
namespace {

using test::PumpUntil;

std::uint16_t FreePort() {
  int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof a;
  std::uint16_t port = 0;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) == 0)
    port = ntohs(a.sin_port);
  ::close(fd);
  return port;
}

bool Run(const QString& program, const QStringList& args, const QByteArray& input = {}) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForStarted(5000)) return false;
  if (!input.isEmpty()) p.write(input);
  p.closeWriteChannel();
  return p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// A throwaway system user for Dante's username method (it checks the
// system's password database), created for the suite and removed after it.
class ProxyUser {
 public:
  ProxyUser() : name_("vaskpx" + QString::number(::getpid())) {
    if (::geteuid() != 0) {
      why_ = "needs root to create the proxy's throwaway user";
      return;
    }
    if (!Run("useradd", {"-M", "-N", "-s", "/usr/sbin/nologin", name_})) {
      why_ = "useradd failed";
      return;
    }
    created_ = true;
    if (!Run("chpasswd", {}, (name_ + ":" + kPassword + "\n").toUtf8())) why_ = "chpasswd failed";
  }
  ~ProxyUser() {
    if (created_) Run("userdel", {name_});
  }
  std::string Name() const { return name_.toStdString(); }
  const std::string& Why() const { return why_; }
  static constexpr const char* kPassword = "Pw-7391x";

 private:
  QString name_;
  bool created_ = false;
  std::string why_;
};

// danted on a free loopback port, configured in a temporary folder: the
// username method, connections to `allowedPort` passed, all else blocked.
class Dante {
 public:
  explicit Dante(std::uint16_t allowedPort) : port_(FreePort()) {
    const QString danted = QStandardPaths::findExecutable("danted", {"/usr/sbin", "/usr/local/sbin"});
    if (danted.isEmpty()) {
      why_ = "danted is not installed (dante-server)";
      return;
    }
    const QString conf = dir_.filePath("danted.conf");
    QFile f(conf);
    if (!f.open(QIODevice::WriteOnly)) {
      why_ = "cannot write the configuration";
      return;
    }
    f.write(QString("logoutput: stderr\n"
                    "internal: 127.0.0.1 port = %1\n"
                    "external: 127.0.0.1\n"
                    "clientmethod: none\n"
                    "socksmethod: username\n"
                    "user.privileged: root\n"
                    "user.unprivileged: nobody\n"
                    "client pass { from: 127.0.0.0/8 to: 0.0.0.0/0 }\n"
                    "socks pass { from: 127.0.0.0/8 to: 127.0.0.1/32 port = %2 command: connect }\n"
                    "socks block { from: 0.0.0.0/0 to: 0.0.0.0/0 }\n")
                .arg(port_)
                .arg(allowedPort)
                .toUtf8());
    f.close();
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.start(danted, {"-f", conf, "-p", dir_.filePath("danted.pid"), "-N", "1"});
    if (!process_.waitForStarted(5000)) {
      why_ = "danted did not start";
      return;
    }
    // Up once it accepts connections.
    const bool up = PumpUntil(
        [&] {
          int fd = ::socket(AF_INET, SOCK_STREAM, 0);
          sockaddr_in a{};
          a.sin_family = AF_INET;
          a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
          a.sin_port = htons(port_);
          const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
          ::close(fd);
          return ok || process_.state() == QProcess::NotRunning;
        },
        5000);
    if (!up || process_.state() == QProcess::NotRunning)
      why_ = "danted did not listen: " + process_.readAll().toStdString();
  }
  ~Dante() {
    if (process_.state() != QProcess::NotRunning) {
      process_.terminate();
      if (!process_.waitForFinished(3000)) process_.kill();
      process_.waitForFinished(3000);
    }
  }
  std::uint16_t Port() const { return port_; }
  const std::string& Why() const { return why_; }

 private:
  QTemporaryDir dir_;
  std::uint16_t port_;
  QProcess process_;
  std::string why_;
};

// Closes the client's modal message boxes, noting their texts.
class BoxCloser {
 public:
  BoxCloser() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        texts.push_back(box->text().toStdString());
        box->done(0);
      }
    });
    timer_.start(50);
  }
  std::vector<std::string> texts;

 private:
  QTimer timer_;
};

class DanteProxy : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { user_ = new ProxyUser(); }
  static void TearDownTestSuite() {
    delete user_;
    user_ = nullptr;
  }
  void SetUp() override {
    if (!user_->Why().empty()) GTEST_SKIP() << user_->Why();
    ASSERT_TRUE(server.Listening());
    dante = std::make_unique<Dante>(server.Port());
    if (!dante->Why().empty()) GTEST_SKIP() << dante->Why();
    platform.AttachView(&client.view);
    ASSERT_TRUE(lobby.Listen(kLobby));
  }
  ~DanteProxy() override { qputenv("TMPDIR", savedTmp_); }
  // Without props (field 14 0): the plug-in beside the tests would trade
  // frames of its own with the scripted server.
  std::string CommandLine(std::uint16_t serverPort, const std::string& password) const {
    return "player$key-1234$127.0.0.1$" + std::to_string(serverPort) + "$本地练习$5$127.0.0.1$" +
           std::to_string(dante->Port()) + "$" + user_->Name() + "$" + password + "$1$" + kLobby + "$代理牌桌$0$0$";
  }

  static constexpr const char* kLobby = "代理测试大厅";
  static ProxyUser* user_;
  // Sockets, locks and the lobby's endpoint live in a folder of their own.
  QTemporaryDir tmp_;
  QByteArray savedTmp_ = [this] {
    QByteArray saved = qgetenv("TMPDIR");
    qputenv("TMPDIR", tmp_.path().toLocal8Bit());
    return saved;
  }();
  window_link::Endpoint lobby;
  test::ScriptedServer server;
  std::unique_ptr<Dante> dante;
  QtPlatform platform;
  Client client{platform};
  BoxCloser boxes;
};

ProxyUser* DanteProxy::user_ = nullptr;

TEST_F(DanteProxy, TheGameGoesThroughTheProxyLikeADirectOne) {
  test::ScriptedTable table;
  server.stepTimeoutMs = 10000;
  server.Expect("the login frame", [](const Frame& f) { return f[3] == 18 && f[14] == 1; })
      .Send(test::LoginAndSeating(table))
      .ExpectCmd(16, "the ready message")
      .Send(test::TableStateFrame(2, 1))
      .Expect("the leave frame", [&](const Frame& f) { return f[3] == 16 && f[6] == table.ownMask && f[15] == 0; });
  server.Start();
  ASSERT_TRUE(StartUp(client, CommandLine(server.Port(), ProxyUser::kPassword)));
  ASSERT_TRUE(PumpUntil([&] { return client.players.NamesReceived == 5; }, 15000))
      << (server.Failures().empty() ? "" : server.Failures()[0]);
  EXPECT_TRUE(client.conn.bProxyDone);
  EXPECT_EQ(client.table.Detail[0].Mask, table.ownMask);
  // Ready, the game start, then leaving: all through the proxy.
  MsgInfo ready;
  ready.cmd = 16;
  ready.value[3] = 1;
  ASSERT_TRUE(SendMsg(client, ready));
  ASSERT_TRUE(PumpUntil([&] { return server.Received().size() >= 2; }, 5000));
  client.OnWindowMessage(lobby_msg::kLeft, 0, 0);
  ASSERT_TRUE(server.WaitDone(10000));
  EXPECT_TRUE(server.Passed()) << (server.Failures().empty() ? "" : server.Failures()[0]);
  EXPECT_TRUE(boxes.texts.empty());
}

struct Refusal {
  const char* name;
  bool wrongPassword;
  bool blockedTarget;
  const char* text;
};

class DanteRefusal : public DanteProxy, public ::testing::WithParamInterface<Refusal> {};

TEST_P(DanteRefusal, TellsTheUserAndLeavesTheClientUnconnected) {
  const Refusal& k = GetParam();
  // A blocked target is any port but the scripted server's.
  const std::uint16_t target = k.blockedTarget ? static_cast<std::uint16_t>(server.Port() ^ 1) : server.Port();
  ASSERT_TRUE(StartUp(client, CommandLine(target, k.wrongPassword ? "wrong" : ProxyUser::kPassword)));
  ASSERT_TRUE(PumpUntil([&] { return !boxes.texts.empty(); }, 10000));
  EXPECT_EQ(boxes.texts, std::vector<std::string>{k.text});
  EXPECT_FALSE(client.conn.bProxyDone);
  EXPECT_FALSE(client.proxy.bProxyRun);
  EXPECT_FALSE(client.login.bLoggingIn);
  EXPECT_NE(platform.SocketState(), kSocketConnected);
  EXPECT_FALSE(client.conn.bQuitting);
}

INSTANTIATE_TEST_SUITE_P(Dante, DanteRefusal,
                         ::testing::Values(Refusal{"WrongPassword", true, false, "代理服务器用户验证失败！"},
                                           Refusal{"BlockedTarget", false, true, "通过代理连接主站失败！"}),
                         [](const ::testing::TestParamInfo<Refusal>& i) { return std::string(i.param.name); });

// Its instance lock lives in a folder of its own, so a client running on
// the machine does not keep it from starting.
using UnreachableProxy = qt_test::PrivateTemp;

TEST_F(UnreachableProxy, TellsTheUserAndLeavesTheClientUnconnected) {
  QtPlatform platform;
  Client client(platform);
  BoxCloser boxes;
  const std::uint16_t nobody = FreePort();
  ASSERT_TRUE(StartUp(client, "player$k$127.0.0.1$7300$l$5$127.0.0.1$" + std::to_string(nobody) +
                                  "$u$p$1$没有大厅$代理牌桌$1$0$"));
  ASSERT_TRUE(PumpUntil([&] { return !boxes.texts.empty(); }, 10000));
  EXPECT_EQ(boxes.texts, std::vector<std::string>{"请求代理失败！"});
  EXPECT_FALSE(client.proxy.bProxyRun);
  EXPECT_FALSE(client.conn.bQuitting);
}

}  // namespace
}  // namespace vask
