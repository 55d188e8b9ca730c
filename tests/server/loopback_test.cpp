// The practice server over real loopback sockets: four raw frame clients log
// in and play a hand to its end; broken clients do not disturb them.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <sstream>

#include "server/bots/bot_player.h"
#include "server/bots/client_frames.h"
#include "server/net/frame_buffer.h"
#include "server/net/host.h"

namespace vask::server {
namespace {

// A client with a plain blocking-free socket and a bot's brain.
class RawClient {
 public:
  RawClient(std::uint16_t port, const std::string& account) : brain_(account, "key") {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    connected_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
  }
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
  int fd_ = -1;
  bool connected_ = false;
  bool closed_ = false;
  FrameBuffer in_;
  BotPlayer brain_;
  std::vector<Frame> frames_;
};

class Loopback : public ::testing::Test {
 protected:
  void SetUp() override {
    HostOptions o;
    o.net.port = 0;
    o.botDelay = 0;
    o.table.seed = 99;
    o.log = &log;
    host = std::make_unique<Host>(o);
    std::string error;
    ASSERT_TRUE(host->Start(&error)) << error;
  }
  // Runs server and clients until `done` or a bound on the rounds.
  template <typename Done>
  bool RunUntil(Done done, bool play = true) {
    auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(20);
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

}  // namespace
}  // namespace vask::server
