// table-bots: computer players for the empty seats of a practice table,
// each an ordinary table client connected to the server over TCP.
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "bots/table_bot.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;
void OnSignal(int) { g_stop = 1; }

const char* kUsage =
    "usage: table-bots [options]\n"
    "  --host ADDR        the game server (default 127.0.0.1)\n"
    "  --port N           its port (default 7300)\n"
    "  --count N          how many bots (default 3)\n"
    "  --strength S       novice, steady or sharp (default steady)\n"
    "  --think MS         how long a bot waits before it acts (default 600)\n"
    "  --ready-pause MS   a bot's shortest pause before it is ready for a hand;\n"
    "                     each pause is MS to 2*MS, shorter once the people are\n"
    "                     ready (default 6000; 0 at once)\n"
    "  --name PREFIX      accounts PREFIX1, PREFIX2, ... (default bot)\n";

bool ReadNumber(const char* text, long lo, long hi, long* out) {
  char* end = nullptr;
  const long v = std::strtol(text, &end, 10);
  if (!text[0] || *end || v < lo || v > hi) return false;
  *out = v;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  vask::bots::BotOptions base;
  base.readyPauseMs = 6000;
  int count = 3;
  std::string prefix = "bot";
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : ""; };
    long n = 0;
    bool ok = true;
    if (arg == "--host") base.host = value();
    else if (arg == "--port") ok = ReadNumber(value(), 1, 65535, &n), base.port = static_cast<std::uint16_t>(n);
    else if (arg == "--count") ok = ReadNumber(value(), 1, 4, &n), count = static_cast<int>(n);
    else if (arg == "--strength") ok = vask::bots::ParseStrength(value(), &base.strength);
    else if (arg == "--think") ok = ReadNumber(value(), 0, 60000, &n), base.thinkMs = static_cast<int>(n);
    else if (arg == "--ready-pause") ok = ReadNumber(value(), 0, 60000, &n), base.readyPauseMs = static_cast<int>(n);
    else if (arg == "--name") prefix = value(), ok = !prefix.empty();
    else if (arg == "--help" || arg == "-h") return std::cout << kUsage, 0;
    else ok = false;
    if (!ok) {
      std::cerr << "table-bots: bad argument " << arg << "\n" << kUsage;
      return 2;
    }
  }
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);

  // One thread a bot: a client waits inside its own animations, and must
  // not hold up the others while it does.
  std::atomic<bool> stop{false};
  std::vector<std::thread> threads;
  std::atomic<int> failed{0};
  for (int i = 0; i < count; ++i) base.fellowBots.push_back(prefix + std::to_string(i + 1));
  for (int i = 0; i < count; ++i) {
    vask::bots::BotOptions o = base;
    o.account = prefix + std::to_string(i + 1);
    o.seed = static_cast<std::uint32_t>(i + 1);
    threads.emplace_back([o, &stop, &failed] {
      vask::bots::TableBot bot(o);
      vask::HeadlessLoop loop;
      loop.Add(&bot.Platform());
      if (!bot.Start()) {
        std::cerr << "table-bots: " << o.account << " could not start: " << bot.Platform().lastMessage << "\n";
        ++failed;
        return;
      }
      while (!stop && !bot.Platform().quit) {
        loop.RunOnce(20);
        bot.Act();
      }
    });
  }
  while (!g_stop && failed == 0) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  stop = true;
  for (std::thread& t : threads) t.join();
  return failed ? 1 : 0;
}
