#include <cstdio>
#include <cstdlib>
#include "server/net/host.h"

#include <algorithm>

namespace vask::server {

namespace {
constexpr int kIdleWaitMs = 1000;
}  // namespace

Host::Host(HostOptions options)
    : options_(std::move(options)),
      results_(options_.log ? std::make_unique<ResultsLog>(*options_.log) : nullptr),
      net_(options_.net),
      bots_(options_.botDelay, options_.botReadyPause, options_.table.seed),
      table_(options_.table, *this, results_.get()) {}

Host::~Host() = default;

Millis Host::Now() const {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - epoch_).count();
}

bool Host::Start(std::string* error) {
  if (!net_.Listen(error)) return false;
  for (int i = 1; i <= std::clamp(options_.bots, 0, 4); ++i) bots_.Add("bot" + std::to_string(i), table_, Now());
  return true;
}

void Host::RunOnce(int maxWaitMs) {
  Millis now = Now();
  int wait = maxWaitMs;
  for (std::optional<Millis> due : {table_.NextDeadline(), bots_.NextDue()})
    if (due) wait = static_cast<int>(std::clamp<Millis>(*due - now, 0, wait));
  net_.Poll(wait, *this);
  now = Now();
  table_.Tick(now);
  bots_.Pump(table_, now);
  net_.Flush(*this);
}

void Host::Run(const std::atomic<bool>& stop) {
  while (!stop.load()) RunOnce(kIdleWaitMs);
}

void Host::OnConnect(LinkId link) { table_.Connect(link, Now()); }
void Host::OnFrame(LinkId link, const Frame& f) {
  if (std::getenv("VASK_TRACE")) std::fprintf(stderr, "link %u cmd %d seat %d v %d %d %d %d\n", link, f[3], f[6], f[8], f[10], f[12], f[14]);
  table_.Receive(link, f, Now());
}
void Host::OnDisconnect(LinkId link) { table_.Disconnect(link, Now()); }

void Host::Send(LinkId link, const Frame& f) {
  if (bots_.Owns(link)) {
    bots_.Deliver(link, f);
  } else {
    net_.Send(link, f);
  }
}

void Host::Close(LinkId link) {
  if (bots_.Owns(link)) {
    bots_.Drop(link);
  } else {
    net_.Close(link);
  }
}

}  // namespace vask::server
