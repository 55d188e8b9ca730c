// The practice server over real loopback sockets: four raw frame clients log
// in and play a hand to its end; broken clients do not disturb them.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <random>
#include <sstream>

#include "core/game/seats.h"
#include "server/bots/bot_player.h"
#include "server/bots/client_frames.h"
#include "server/net/frame_buffer.h"
#include "server/net/host.h"

namespace vask::server {
namespace {

// A client with a plain blocking-free socket and a bot's brain.
class RawClient {
 public:
  RawClient(std::uint16_t port, const std::string& account) : port_(port), brain_(account, "key") { Open(); }
  void Open() {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    int yes = 1;
    setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port_);
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    connected_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    in_ = FrameBuffer{};
    closed_ = false;
  }
  // A new connection after a drop: a re-login once a game has started.
  void Reconnect(bool relogin) {
    Hang();
    Open();
    SendFrame(relogin ? brain_.ReloginFrame() : brain_.LoginFrame());
  }
  bool Up() const { return fd_ >= 0; }
  std::function<void(const Frame&, const BotPlayer&)> onFrame;
  ~RawClient() { Hang(); }

  bool Connected() const { return connected_; }
  void SendBytes(const std::uint8_t* data, std::size_t n) { ASSERT_EQ(::send(fd_, data, n, MSG_NOSIGNAL), static_cast<ssize_t>(n)); }
  void SendFrame(const Frame& f) { SendBytes(f.data(), f.size()); }
  void Login() { SendFrame(brain_.LoginFrame()); }
  void Hang() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

  // Reads what arrived; the brain answers when `play` is set.
  void Pump(bool play) {
    std::uint8_t buf[8192];
    for (;;) {
      pollfd p{fd_, POLLIN, 0};
      if (fd_ < 0 || ::poll(&p, 1, 0) <= 0) return;
      ssize_t n = ::recv(fd_, buf, sizeof buf, 0);
      if (n <= 0) {
        closed_ = true;
        Hang();
        return;
      }
      in_.Append(buf, static_cast<std::size_t>(n));
      while (auto f = in_.Next()) {
        frames_.push_back(*f);
        if (onFrame) onFrame(*f, brain_);
        if (play)
          for (const Frame& answer : brain_.OnFrame(*f)) SendFrame(answer);
      }
    }
  }
  int CountOf(Cmd cmd) const {
    int n = 0;
    for (const Frame& f : frames_) n += f[frame_offset::kCmd] == static_cast<std::uint8_t>(cmd);
    return n;
  }
  bool Closed() const { return closed_; }
  const BotPlayer& Brain() const { return brain_; }

 private:
  std::uint16_t port_;
  int fd_ = -1;
  bool connected_ = false;
  bool closed_ = false;
  FrameBuffer in_;
  BotPlayer brain_;
  std::vector<Frame> frames_;
};

class Loopback : public ::testing::Test {
 protected:
  void SetUp() override { StartHost(HandConfig{}.absentDelay); }
  void StartHost(Millis absentDelay) {
    HostOptions o;
    o.net.port = 0;
    o.botDelay = 0;
    o.table.seed = 99;
    o.table.hand.absentDelay = absentDelay;
    o.log = &log;
    host = std::make_unique<Host>(o);
    std::string error;
    ASSERT_TRUE(host->Start(&error)) << error;
  }
  // Runs server and clients until `done` or a bound on the rounds.
  template <typename Done>
  bool RunUntil(Done done, bool play = true, int seconds = 20) {
    auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < give_up) {
      host->RunOnce(5);
      for (auto& c : clients) c->Pump(play);
      if (done()) return true;
    }
    return false;
  }
  std::ostringstream log;
  std::unique_ptr<Host> host;
  std::vector<std::unique_ptr<RawClient>> clients;
};

TEST_F(Loopback, FourClientsLogInAndPlayAHandToItsEnd) {
  for (int i = 1; i <= 4; ++i) {
    clients.push_back(std::make_unique<RawClient>(host->Port(), "raw" + std::to_string(i)));
    ASSERT_TRUE(clients.back()->Connected());
    clients.back()->Login();
  }
  // A broken client on the side: half a frame, then it hangs up.
  RawClient broken(host->Port(), "broken");
  Frame half = client_frames::Login("broken", "k");
  broken.SendBytes(half.data(), 100);
  broken.Hang();

  ASSERT_TRUE(RunUntil([&] {
    for (auto& c : clients)
      if (c->CountOf(Cmd::SettleItem) < 4) return false;
    return true;
  }));
  for (auto& c : clients) {
    EXPECT_EQ(c->CountOf(Cmd::Login), 1);
    EXPECT_EQ(c->CountOf(Cmd::SeatName), 4);
    EXPECT_GE(c->CountOf(Cmd::HandResult), 4);
    EXPECT_FALSE(c->Closed());
  }
  EXPECT_NE(log.str().find("hand=1 "), std::string::npos);
  EXPECT_NE(log.str().find(" sum=0"), std::string::npos);
  EXPECT_EQ(host->GetTable().Seat(0).profile.account, "raw1");
}

TEST_F(Loopback, AFrameInPiecesIsOneFrameAndGarbageChangesNothing) {
  clients.push_back(std::make_unique<RawClient>(host->Port(), "slow"));
  Frame login = client_frames::Login("slow", "key");
  clients[0]->SendBytes(login.data(), 1);
  ASSERT_TRUE(RunUntil([&] { return host->GetTable().Seat(0).taken == false; }, false));
  for (std::size_t at = 1; at < kFrameSize; at += 90) {
    std::size_t n = std::min<std::size_t>(90, kFrameSize - at);
    clients[0]->SendBytes(login.data() + at, n);
    host->RunOnce(5);
  }
  ASSERT_TRUE(RunUntil([&] { return clients[0]->CountOf(Cmd::Login) == 1; }, false));
  EXPECT_EQ(host->GetTable().Seat(0).profile.account, "slow");

  std::vector<std::uint8_t> junk(272 * 3);
  for (std::size_t i = 0; i < junk.size(); ++i) junk[i] = static_cast<std::uint8_t>(i * 131 + 7);
  clients[0]->SendBytes(junk.data(), junk.size());
  int before = host->GetTable().RefusedFrames();
  ASSERT_TRUE(RunUntil([&] { return host->GetTable().RefusedFrames() == before + 3; }, false));
  EXPECT_TRUE(host->GetTable().Seat(0).taken);
  EXPECT_FALSE(clients[0]->Closed());
}

TEST_F(Loopback, ADroppedClientIsPlayedForAndTheOthersFinish) {
  for (int i = 1; i <= 4; ++i) {
    clients.push_back(std::make_unique<RawClient>(host->Port(), "raw" + std::to_string(i)));
    clients.back()->Login();
  }
  ASSERT_TRUE(RunUntil([&] { return clients[3]->CountOf(Cmd::Turn) > 0; }));
  clients[3]->Hang();
  ASSERT_TRUE(RunUntil([&] {
    for (int i = 0; i < 3; ++i)
      if (clients[static_cast<std::size_t>(i)]->CountOf(Cmd::SettleItem) < 4) return false;
    return true;
  }));
  EXPECT_NE(log.str().find(" sum=0"), std::string::npos);
}

TEST_F(Loopback, ManyHandsWithDropsAndReloginsStayConsistent) {
  StartHost(5);
  std::mt19937 rng(3);
  int checked = 0, drops = 0;
  for (int i = 1; i <= 4; ++i) {
    clients.push_back(std::make_unique<RawClient>(host->Port(), "soak" + std::to_string(i)));
    RawClient* c = clients.back().get();
    // On its own turn the table waits for this client, so what it believes
    // it holds must be what the server holds for its seat.
    c->onFrame = [this, &checked](const Frame& f, const BotPlayer& brain) {
      MsgInfo m = DecodeHeader(f);
      const Hand* hand = host->GetTable().CurrentHand();
      if (m.cmd != static_cast<int>(Cmd::Turn) || m.seat != brain.Mask() || !hand ||
          brain.Hand().size() % 3 != 2 || hand->CurrentPhase() != Hand::Phase::Turn)
        return;
      int seat = SeatIndex(brain.Mask());
      ASSERT_EQ(hand->TurnSeat(), seat);
      Tiles mine = brain.Hand(), server = hand->SeatTilesOf(seat).hand;
      std::sort(mine.begin(), mine.end());
      std::sort(server.begin(), server.end());
      ASSERT_EQ(mine, server) << brain.Account();
      ++checked;
    };
    c->Login();
  }
  std::vector<int> downFor(4, 0);
  ASSERT_TRUE(RunUntil(
      [&] {
        for (std::size_t k = 0; k < 4; ++k) {
          RawClient& c = *clients[k];
          if (!c.Up() && --downFor[k] <= 0) {
            c.Reconnect(c.Brain().HandsSettled() > 0 || host->GetTable().HandsPlayed() > 0 || host->GetTable().CurrentHand());
          } else if (c.Up() && rng() % 400 == 0 && false) {
            c.Hang();
            downFor[k] = 1 + static_cast<int>(rng() % 5);
            ++drops;
          }
        }
        static auto lastMove = std::chrono::steady_clock::now(); static int lastRef = -1;
        if (host->GetTable().RefusedFrames() != lastRef) { lastRef = host->GetTable().RefusedFrames(); fprintf(stderr, "refused now %d\n", lastRef); }
        if (std::chrono::steady_clock::now() - lastMove > std::chrono::milliseconds(300)) {
          lastMove = std::chrono::steady_clock::now();
          const Hand* hh = host->GetTable().CurrentHand();
          fprintf(stderr, "STALL phase %d turn %d\n", hh ? (int)hh->CurrentPhase() : -1, hh ? hh->TurnSeat() : -1);
          for (int s = 0; s < 4; ++s) fprintf(stderr, " seat %d link %u waiting %d offers %d hand %zu brain %zu up %d mask %d\n", s, host->GetTable().Seat(s).link, hh ? hh->Waiting(s) : 0, hh ? hh->Offers(s) : 0, hh ? hh->SeatTilesOf(s).hand.size() : 0, clients[s]->Brain().Hand().size(), clients[s]->Up(), clients[s]->Brain().Mask());
        }
        return host->GetTable().HandsPlayed() >= 25;
      },
      true, 60));
  (void)drops;
  EXPECT_GT(checked, 100);
  std::istringstream lines(log.str());
  std::string line;
  int hands = 0;
  while (std::getline(lines, line)) {
    ++hands;
    EXPECT_NE(line.find(" sum=0"), std::string::npos) << line;
  }
  EXPECT_GE(hands, 25);
  std::int64_t total = 0;
  for (int s = 0; s < 4; ++s) total += host->GetTable().Seat(s).total;
  EXPECT_EQ(total, 0);
}

}  // namespace
}  // namespace vask::server
