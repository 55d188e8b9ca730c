#pragma once
// The practice server in one loop: the TCP server, the table and the bots.
#include <atomic>
#include <chrono>
#include <memory>
#include <ostream>

#include "server/bots/bot_pool.h"
#include "server/net/tcp_server.h"
#include "server/table/table.h"

namespace vask::server {

struct HostOptions {
  TcpServer::Options net;
  TableOptions table;
  int bots = 0;           // seats the server fills with its own bots at start
  Millis botDelay = 600;  // how long a bot thinks, so a person can follow
  Millis botReadyPause = 0;  // the shortest pause of a bot before it is ready
  std::ostream* log = nullptr;
};

class Host : private TcpServer::Events, private Outbox {
 public:
  explicit Host(HostOptions options);
  ~Host() override;

  bool Start(std::string* error);
  // One round: waits at most `maxWaitMs` for the network or the next timer.
  void RunOnce(int maxWaitMs);
  void Run(const std::atomic<bool>& stop);

  std::uint16_t Port() const { return net_.Port(); }
  const Table& GetTable() const { return table_; }

 private:
  Millis Now() const;

  // TcpServer::Events
  void OnConnect(LinkId link) override;
  void OnFrame(LinkId link, const Frame& f) override;
  void OnDisconnect(LinkId link) override;
  // Outbox
  void Send(LinkId link, const Frame& f) override;
  void Close(LinkId link) override;

  HostOptions options_;
  std::unique_ptr<ResultsLog> results_;
  TcpServer net_;
  BotPool bots_;
  Table table_;
  std::chrono::steady_clock::time_point epoch_ = std::chrono::steady_clock::now();
};

}  // namespace vask::server
