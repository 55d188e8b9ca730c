#pragma once
// The practice server on a free loopback port in a thread of its own, and
// a headless loop run until something holds.
#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "platform/headless/headless_platform.h"
#include "server/net/host.h"

namespace vask::test {

class ServerThread {
 public:
  explicit ServerThread(server::HostOptions options) {
    options.net.port = 0;
    host_ = std::make_unique<server::Host>(options);
    std::string error;
    started_ = host_->Start(&error);
    if (started_) thread_ = std::thread([this] { host_->Run(stop_); });
  }
  // With its own bots in the other seats.
  explicit ServerThread(int bots) : ServerThread(BotOptions(bots)) {}
  ~ServerThread() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  bool Started() const { return started_; }
  std::uint16_t Port() const { return host_->Port(); }

  static server::HostOptions BotOptions(int bots) {
    server::HostOptions options;
    options.bots = bots;
    options.botDelay = 200;
    options.table.seed = 7;
    return options;
  }

 private:
  std::unique_ptr<server::Host> host_;
  std::atomic<bool> stop_{false};
  bool started_ = false;
  std::thread thread_;
};

// Runs the loop until done() holds; false when `seconds` pass first.
template <class Pred>
bool RunUntil(HeadlessLoop& loop, Pred done, int seconds = 10) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    loop.RunOnce(20);
  }
  return true;
}

}  // namespace vask::test
