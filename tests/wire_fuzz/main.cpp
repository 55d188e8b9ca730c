// A hostile game server for the real table client: it starts the client,
// logs it in, and sends a fixed-seed stream of random and mutated frames,
// truncated frames, bursts, restores and dropped links with a re-login.
// Fails on any sanitizer report, crash or hang of the client.
//
// With a practice server it first lets the client play a while against the
// server's bots, both watched for sanitizer reports.
//
//   wire_fuzz <table-client> [seed] [frames] [practice-server seconds]
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "platform/qt/lobby_ipc.h"
#include "platform/platform.h"
#include "support/frames.h"
#include "support/play_frames.h"
#include "support/table_frames.h"

namespace {

namespace wl = vask::window_link;
using vask::Frame;

constexpr const char* kLobby = "FuzzLobby";
constexpr const char* kTable = "FuzzTable";
constexpr int kConnectMs = 30000;  // a sanitized client starts slowly
constexpr int kProbeMs = 10000;

[[noreturn]] void Fail(const std::string& why) {
  std::fprintf(stderr, "wire_fuzz: FAIL: %s\n", why.c_str());
  std::exit(1);
}

void Pump(int ms) {
  QElapsedTimer t;
  t.start();
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QThread::msleep(1);
  } while (t.elapsed() < ms);
}

class Fuzz {
 public:
  Fuzz(QString client, std::uint32_t seed, int frames) : client_(std::move(client)), rng_(seed), frames_(frames) {
    // The client's lock and the lobby link's endpoints live in a folder of
    // this run's own.
    qputenv("TMPDIR", tmp_.path().toLocal8Bit());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TMPDIR", tmp_.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("VASK_UNATTENDED", "1");
    // Qt's own allocations outlive a terminated client: leaks are not ours.
    env.insert("ASAN_OPTIONS", "detect_leaks=0");
    env.insert("UBSAN_OPTIONS", "print_stacktrace=1");
    process_.setProcessEnvironment(env);
    if (!server_.listen(QHostAddress::LocalHost, 0)) Fail("cannot listen");
    if (!lobby_.Listen(kLobby)) Fail("cannot take the lobby's title");
    QObject::connect(&lobby_, &wl::Endpoint::Received, [this](const wl::Packet& p) {
      if (p.kind == wl::Kind::Post) ++lobbyPosts_;
    });
  }

  // The client in a real game: the practice server with three bots of its
  // own, the client's turns played by its time-out player.
  void Game(const QString& serverPath, int seconds) {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    QProcess server;
    const QString serverErr = QDir(tmp_.path()).filePath("server.err");
    server.setProcessEnvironment(process_.processEnvironment());
    server.setStandardErrorFile(serverErr);
    server.setStandardOutputFile(QProcess::nullDevice());
    const QString results = QDir(tmp_.path()).filePath("results.log");
    server.start(serverPath, {"--port", QString::number(port), "--bots", "3", "--bot-delay", "100", "--turn-seconds",
                              "3", "--no-pull", "--seed", "7", "--log", results});
    if (!server.waitForStarted(10000)) Fail("the practice server does not start");
    Pump(2000);
    ++sessions_;
    stderrPath_ = QDir(tmp_.path()).filePath("client-game.err");
    process_.setStandardErrorFile(stderrPath_);
    process_.setStandardOutputFile(QProcess::nullDevice());
    const std::string line = "player$key-1234$127.0.0.1$" + std::to_string(port) + "$本地$0$$0$$$1$" + kLobby + "$" +
                             kTable + "$0$0$";
    process_.start(client_, {QString::fromStdString(line)});
    if (!process_.waitForStarted(10000)) Fail("the client does not start");
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < seconds * 1000 && process_.state() == QProcess::Running &&
           server.state() == QProcess::Running)
      Pump(100);
    if (server.state() != QProcess::Running) Fail("the practice server ended during the game");
    if (!Alive()) Fail("the client ended during the game");
    process_.terminate();
    server.terminate();
    process_.waitForFinished(10000);
    server.waitForFinished(10000);
    CheckReports();
    QFile err(serverErr);
    if (err.open(QIODevice::ReadOnly)) {
      const QByteArray text = err.readAll();
      if (text.contains("Sanitizer") || text.contains("runtime error"))
        Fail("sanitizer report from the practice server:\n" + text.toStdString());
    }
    QFile log(results);
    const int hands = log.open(QIODevice::ReadOnly) ? static_cast<int>(log.readAll().count('\n')) : 0;
    std::printf("wire_fuzz: %d s of play against the practice server (%d hands), both clean\n", seconds, hands);
  }

  int Run() {
    while (sent_ < frames_) Session();
    std::printf("wire_fuzz: %d frames in %d sessions, %d drops, client clean\n", sent_, sessions_, drops_);
    return 0;
  }

 private:
  int Pick(int n) { return static_cast<int>(rng_() % static_cast<std::uint32_t>(n)); }

  void StartClient() {
    ++sessions_;
    stderrPath_ = QDir(tmp_.path()).filePath(QString("client-%1.err").arg(sessions_));
    process_.setStandardErrorFile(stderrPath_);
    process_.setStandardOutputFile(QProcess::nullDevice());
    const std::string line = "player$key-1234$127.0.0.1$" + std::to_string(server_.serverPort()) +
                             "$本地$0$$0$$$1$" + kLobby + "$" + kTable + "$0$0$";
    process_.start(client_, {QString::fromStdString(line)});
    if (!process_.waitForStarted(10000)) Fail("the client does not start");
  }

  void CheckReports() {
    QFile err(stderrPath_);
    if (!err.open(QIODevice::ReadOnly)) return;
    const QByteArray text = err.readAll();
    for (const char* mark : {"AddressSanitizer", "runtime error", "UndefinedBehaviorSanitizer"})
      if (text.contains(mark)) Fail("sanitizer report from the client:\n" + text.toStdString());
  }

  // Sanitizer reports, crashes and exits other than a quit fail the run.
  void CheckClient() {
    CheckReports();
    if (process_.state() != QProcess::NotRunning) return;
    if (process_.exitStatus() == QProcess::CrashExit) Fail("the client crashed");
    if (process_.exitCode() != 0) Fail("the client ended with " + std::to_string(process_.exitCode()));
  }

  // The client still answers the lobby: its event loop runs. False when it
  // has quit.
  bool Alive() {
    const int before = lobbyPosts_;
    QElapsedTimer t;
    t.start();
    bool asked = false;
    while (lobbyPosts_ == before && t.elapsed() < kProbeMs && process_.state() == QProcess::Running) {
      if (!asked) asked = wl::Send(kTable, {wl::Kind::Post, vask::lobby_msg::kInHand, 0, 0, lobby_.Name()});
      Pump(20);
    }
    if (process_.state() != QProcess::Running) return false;
    if (lobbyPosts_ == before) Fail("the client hangs: no answer to the lobby");
    return true;
  }

  QTcpSocket* Accept(int ms) {
    QElapsedTimer t;
    t.start();
    while (!server_.hasPendingConnections() && t.elapsed() < ms && process_.state() == QProcess::Running) Pump(10);
    return server_.hasPendingConnections() ? server_.nextPendingConnection() : nullptr;
  }

  // The next whole frame from the client, or an empty optional.
  std::optional<Frame> ReadFrame(QTcpSocket* s, int ms) {
    QElapsedTimer t;
    t.start();
    while (s->bytesAvailable() < static_cast<qint64>(vask::kFrameSize) && t.elapsed() < ms &&
           s->state() == QAbstractSocket::ConnectedState)
      Pump(10);
    if (s->bytesAvailable() < static_cast<qint64>(vask::kFrameSize)) return std::nullopt;
    Frame f;
    s->read(reinterpret_cast<char*>(f.data()), static_cast<qint64>(f.size()));
    return f;
  }

  // Frames of the client until one with this command (keep-alives and
  // requests come between).
  bool AwaitCommand(QTcpSocket* s, int cmd, int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
      auto f = ReadFrame(s, ms - static_cast<int>(t.elapsed()));
      if (!f) return false;
      if ((*f)[vask::frame_offset::kCmd] == cmd) return true;
    }
    return false;
  }

  void Write(QTcpSocket* s, const std::vector<std::uint8_t>& bytes) {
    s->write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    s->flush();
  }
  void Write(QTcpSocket* s, const Frame& f) { Write(s, std::vector<std::uint8_t>(f.begin(), f.end())); }

  Frame RandomFrame() {
    static constexpr int kKnown[] = {1, 2, 3, 4, 5, 6, 7, 9, 14, 15, 16, 17, 19, 20, 21,
                                     22, 23, 26, 29, 40, 41, 44, 45, 46, 91, 92};
    Frame f = vask::test::ServerFrame(kKnown[Pick(static_cast<int>(std::size(kKnown)))],
                                      static_cast<std::uint8_t>(Pick(3) == 0 ? Pick(256) : 1 << Pick(4)),
                                      {Pick(256), Pick(256), Pick(256), Pick(256)});
    const int payload = Pick(4) == 0 ? 256 : Pick(24);
    for (int i = 0; i < payload; ++i) f[16 + static_cast<std::size_t>(Pick(256))] = static_cast<std::uint8_t>(Pick(256));
    return f;
  }

  // A frame of a real hand or restore with a few bytes changed.
  Frame MutatedFrame() {
    std::vector<Frame> real = vask::test::DealOwnTiles(vask::test::kSampleHand);
    vask::test::RestoreSeat seat;
    for (int i = 0; i < 3 * Pick(5); ++i) seat.shown.push_back(static_cast<vask::TileCode>(0x41 + Pick(3)));
    for (int i = 0; i < Pick(15); ++i) seat.concealed.push_back(static_cast<vask::TileCode>(0x81 + Pick(9)));
    real.push_back(vask::test::RestoreFrame(static_cast<std::uint8_t>(1 << Pick(4)), seat, Pick(136), 100 + Pick(36)));
    real.push_back(vask::test::ClaimFrame(static_cast<std::uint8_t>(1 << Pick(4)), 1 << (2 + Pick(6)),
                                          {0x41, 0x41, 0x41}));
    Frame f = real[static_cast<std::size_t>(Pick(static_cast<int>(real.size())))];
    for (int k = Pick(4); k > 0; --k) f[static_cast<std::size_t>(Pick(static_cast<int>(f.size())))] ^= 1 << Pick(8);
    return f;
  }

  // A table reset, a hand start and four restores in one go.
  std::vector<std::uint8_t> Restore() {
    std::vector<Frame> frames = {vask::test::ServerFrame(41, 1, {7, 7, 1, 0x46}),
                                 vask::test::HandStartFrame(1, {1 + Pick(6), 1 + Pick(6), 1 + Pick(6), 1 + Pick(6)}),
                                 vask::test::WildcardsFrame(3, 3, {0x23, 0x45, 0x46})};
    const int copies = 4 + Pick(4);  // repeated ones too
    for (int i = 0; i < copies; ++i) frames.push_back(MutatedFrame());
    std::vector<std::uint8_t> out;
    for (const Frame& f : frames) out.insert(out.end(), f.begin(), f.end());
    return out;
  }

  // One client from its start: login, the stream, then it is sent away.
  void Session() {
    StartClient();
    QTcpSocket* link = Accept(kConnectMs);
    if (!link) Fail("the client never connected");
    if (!AwaitCommand(link, 18, kConnectMs)) Fail("no login frame");
    for (const Frame& f : vask::test::LoginAndSeating({"fuzz"})) Write(link, f);
    int budget = std::min(frames_ - sent_, 150 + Pick(300));
    while (budget > 0 && process_.state() == QProcess::Running) {
      const int kind = Pick(100);
      std::vector<std::uint8_t> bytes;
      int count = 1;
      if (kind < 55) {
        const Frame f = RandomFrame();
        bytes.assign(f.begin(), f.end());
      } else if (kind < 80) {
        const Frame f = MutatedFrame();
        bytes.assign(f.begin(), f.end());
      } else if (kind < 88) {
        count = 20 + Pick(180);  // a burst, larger than the ring at times
        for (int i = 0; i < count; ++i) {
          const Frame f = Pick(2) ? RandomFrame() : MutatedFrame();
          bytes.insert(bytes.end(), f.begin(), f.end());
        }
      } else if (kind < 92) {
        // A frame cut short, its rest a while later from another frame.
        const Frame head = RandomFrame(), tail = MutatedFrame();
        const auto cut = static_cast<std::ptrdiff_t>(1 + Pick(271));
        Write(link, std::vector<std::uint8_t>(head.begin(), head.begin() + cut));
        Pump(100 + Pick(200));
        bytes.assign(tail.begin() + cut, tail.end());
      } else if (kind < 97) {
        bytes = Restore();
        count = static_cast<int>(bytes.size() / vask::kFrameSize);
      } else {
        link = Drop(link);
        if (!link) break;
        continue;
      }
      Write(link, bytes);
      sent_ += count;
      budget -= count;
      // The client takes one frame a tick (50 ms): the stream runs a little
      // ahead, a burst far ahead.
      Pump(count > 1 ? 30 * count : 15 + Pick(40));
      CheckClient();
    }
    if (process_.state() == QProcess::Running && Alive()) {
      // Sent away by the lobby, then ended by us.
      wl::Send(kTable, {wl::Kind::Post, vask::lobby_msg::kLeft, 0, 0, lobby_.Name()});
      Pump(500);
      CheckClient();
      process_.terminate();
      if (!process_.waitForFinished(10000)) process_.kill();
      process_.waitForFinished(5000);
      CheckReports();
    } else {
      process_.waitForFinished(5000);
      CheckClient();
    }
    if (link) link->deleteLater();
  }

  // The server drops the link; a client allowed to reconnect comes back
  // with a re-login, which is accepted.
  QTcpSocket* Drop(QTcpSocket* link) {
    ++drops_;
    link->abort();
    link->deleteLater();
    QTcpSocket* again = Accept(15000);
    if (!again) return nullptr;  // not allowed to reconnect: the session ends
    if (!AwaitCommand(again, 28, 10000)) return again;
    Write(again, vask::test::ServerFrame(29, 0, {0, 0, 0, 1}));
    return again;
  }

  QString client_;
  std::mt19937 rng_;
  int frames_;
  int sent_ = 0, sessions_ = 0, drops_ = 0;
  int lobbyPosts_ = 0;
  QTemporaryDir tmp_;
  QString stderrPath_;
  QTcpServer server_;
  wl::Endpoint lobby_;
  QProcess process_;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: wire_fuzz <table-client> [seed] [frames]\n");
    return 2;
  }
  const auto seed = static_cast<std::uint32_t>(argc > 2 ? std::stoul(argv[2]) : 1);
  const int frames = argc > 3 ? std::stoi(argv[3]) : 1200;
  Fuzz fuzz(QString::fromLocal8Bit(argv[1]), seed, frames);
  if (argc > 5) fuzz.Game(QString::fromLocal8Bit(argv[4]), std::stoi(argv[5]));
  return fuzz.Run();
}
