// practice-server: a game server for the table client, for playing and
// testing on one machine.
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>
#include <string>

#include "server/net/host.h"

namespace {

std::atomic<bool> g_stop{false};

void OnSignal(int) { g_stop = true; }

const char* kUsage =
    "usage: practice-server [options]\n"
    "  --port N           TCP port (default 7300; 0 picks a free one)\n"
    "  --listen ADDR      IPv4 address to listen on (default 127.0.0.1)\n"
    "  --seed N           seed of the walls and dice (default: random, printed)\n"
    "  --log FILE         append one line per hand to FILE\n"
    "  --bots N           fill N seats with the server's own bots (default 0)\n"
    "  --bot-delay MS     how long a bot waits before it acts (default 600)\n"
    "  --ready-pause MS   a bot's shortest pause before it is ready for a hand;\n"
    "                     each pause is MS to 2*MS, shorter once the people are\n"
    "                     ready (default 6000; 0 at once)\n"
    "  --ready-wait MS    declare a connected player ready the server waited\n"
    "                     for this long (default 45000)\n"
    "  --turn-seconds N   the countdown of a turn (default 15)\n"
    "  --stake N          room stake in gold (default 10)\n"
    "  --no-pull          skip the pull and sit questions before the deal\n"
    "  --props            allow the prop plug-in: bank, props, treasure chests\n";

bool ReadNumber(const char* text, long lo, long hi, long* out) {
  char* end = nullptr;
  long v = std::strtol(text, &end, 10);
  if (!text[0] || *end || v < lo || v > hi) return false;
  *out = v;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  using vask::server::HostOptions;
  HostOptions options;
  options.net.port = 7300;
  options.table.seed = std::random_device{}();
  options.botReadyPause = 6000;
  std::string logPath;

  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : ""; };
    long n = 0;
    bool ok = true;
    if (arg == "--port") {
      ok = ReadNumber(value(), 0, 65535, &n);
      options.net.port = static_cast<std::uint16_t>(n);
    } else if (arg == "--listen") {
      options.net.address = value();
    } else if (arg == "--seed") {
      ok = ReadNumber(value(), 0, 0xFFFFFFFFL, &n);
      options.table.seed = static_cast<std::uint32_t>(n);
    } else if (arg == "--log") {
      logPath = value();
      ok = !logPath.empty();
    } else if (arg == "--bots") {
      ok = ReadNumber(value(), 0, 4, &n);
      options.bots = static_cast<int>(n);
    } else if (arg == "--bot-delay") {
      ok = ReadNumber(value(), 0, 60000, &n);
      options.botDelay = n;
    } else if (arg == "--ready-pause") {
      ok = ReadNumber(value(), 0, 60000, &n);
      options.botReadyPause = n;
    } else if (arg == "--ready-wait") {
      ok = ReadNumber(value(), 1000, 600000, &n);
      options.table.readyWait = n;
    } else if (arg == "--turn-seconds") {
      ok = ReadNumber(value(), 3, 30, &n);
      options.table.hand.turnSeconds = static_cast<int>(n);
    } else if (arg == "--stake") {
      ok = ReadNumber(value(), 1, 1000000, &n);
      options.table.roomStake = static_cast<int>(n);
    } else if (arg == "--no-pull") {
      options.table.hand.pullDealer = false;
    } else if (arg == "--props") {
      options.table.propsAllowed = true;
    } else if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return 0;
    } else {
      ok = false;
    }
    if (!ok) {
      std::cerr << "practice-server: bad option " << arg << "\n" << kUsage;
      return 2;
    }
  }

  std::ofstream logFile;
  if (!logPath.empty()) {
    logFile.open(logPath, std::ios::app);
    if (!logFile) {
      std::cerr << "practice-server: cannot write " << logPath << "\n";
      return 1;
    }
    logFile << "# practice-server seed=" << options.table.seed << "\n";
    options.log = &logFile;
  }

  vask::server::Host host(options);
  std::string error;
  if (!host.Start(&error)) {
    std::cerr << "practice-server: " << error << "\n";
    return 1;
  }
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  std::cout << "practice-server listening on " << options.net.address << ":" << host.Port() << " seed "
            << options.table.seed << std::endl;
  host.Run(g_stop);
  return 0;
}
