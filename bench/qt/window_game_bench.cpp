// A whole game with the real window: one table client on the Qt platform,
// its window drawn offscreen, played by a bot against the practice server
// and three headless bots, everything at the protocol's own pace (one frame
// a tick each way). Reports the seconds a hand takes and the window's
// paints per hand.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <atomic>
#include <memory>
#include <thread>

#include "bots/bot_player.h"
#include "bots/table_bot.h"
#include "core/client.h"
#include "core/connection/startup.h"
#include "platform/qt/lobby_ipc.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/table_window.h"
#include "server/net/host.h"

namespace vask {
namespace {

// The practice server and three bots, each in a thread of its own.
struct PracticeTable {
  PracticeTable() {
    server::HostOptions options;
    options.net.port = 0;
    options.table.seed = 5;
    host = std::make_unique<server::Host>(options);
    started = host->Start(nullptr);
    if (!started) return;
    port = host->Port();
    serverThread = std::thread([this] { host->Run(stop); });
    botThread = std::thread([this] {
      std::vector<std::unique_ptr<bots::TableBot>> players;
      HeadlessLoop loop;
      for (int i = 0; i < 3; ++i) {
        bots::BotOptions o;
        o.account = "bot" + std::to_string(i + 1);
        o.port = port;
        o.thinkMs = 0;
        o.seed = static_cast<std::uint32_t>(i + 1);
        players.push_back(std::make_unique<bots::TableBot>(o));
        loop.Add(&players.back()->Platform());
        players.back()->Start();
      }
      while (!stop.load()) {
        loop.RunOnce(5);
        for (auto& p : players) p->Act();
      }
    });
  }
  ~PracticeTable() {
    stop = true;
    if (botThread.joinable()) botThread.join();
    if (serverThread.joinable()) serverThread.join();
  }
  std::atomic<bool> stop{false};
  std::unique_ptr<server::Host> host;
  std::uint16_t port = 0;
  bool started = false;
  std::thread serverThread, botThread;
};

void BM_WindowClientHand(benchmark::State& state) {
  PracticeTable table;
  if (!table.started) return state.SkipWithError("the practice server did not start");
  window_link::Endpoint lobby;  // the client plays only while its lobby is there
  if (!lobby.Listen("Vask山庄")) return state.SkipWithError("no lobby endpoint");
  QtPlatform platform;
  Client client(platform);
  platform.AttachView(&client.view);
  bots::BotPlayer player(client, bots::Strength::Steady, 0);
  QTimer acting;
  QObject::connect(&acting, &QTimer::timeout, [&] { player.Act(); });
  acting.start(5);
  if (!StartUp(client, bots::PracticeCommandLine("window", "practice", "127.0.0.1", table.port)))
    return state.SkipWithError("the client did not start");

  // HandNo counts the hands dealt; the one in play has not ended.
  auto handsEnded = [&] { return client.table.HandNo - (client.table.bInGame ? 1 : 0); };
  auto playUntil = [&](int hands, int seconds) {
    QElapsedTimer t;
    t.start();
    while (handsEnded() < hands && t.elapsed() < seconds * 1000 && !client.conn.bQuitting)
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return handsEnded() >= hands;
  };
  if (!playUntil(1, 120)) return state.SkipWithError("no first hand");
  int hands = handsEnded();
  const std::uint64_t paintsBefore = platform.Window()->Paints();
  for (auto _ : state)
    if (!playUntil(++hands, 120)) return state.SkipWithError("a hand did not end");
  state.counters["paints_per_hand"] =
      static_cast<double>(platform.Window()->Paints() - paintsBefore) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_WindowClientHand)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(2);

}  // namespace
}  // namespace vask
