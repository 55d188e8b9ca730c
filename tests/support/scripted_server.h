#pragma once
// A game server for tests: listens on a loopback port it picks itself,
// accepts one client, plays a script of frames to it and checks what the
// client sends. It runs on a background thread; every wait is bounded and
// the thread ends by itself.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/connection/protocol.h"

namespace vask::test {

class ScriptedServer {
 public:
  using Match = std::function<bool(const Frame&)>;

  // Binds 127.0.0.1 on a free port; Listening() tells whether it worked.
  ScriptedServer();
  ~ScriptedServer();
  ScriptedServer(const ScriptedServer&) = delete;
  ScriptedServer& operator=(const ScriptedServer&) = delete;

  std::uint16_t Port() const { return port_; }
  bool Listening() const { return listenFd_ >= 0; }

  // The script, built before Start(). Every step waits at most
  // `stepTimeoutMs` (accepting the client included).
  ScriptedServer& Send(const Frame& frame);
  // Several frames in one write, as a burst.
  ScriptedServer& Send(const std::vector<Frame>& frames);
  // The next frame the client sends must match; keep-alive frames are
  // skipped. A frame that does not match fails the script.
  ScriptedServer& Expect(const std::string& what, Match match);
  ScriptedServer& ExpectCmd(int cmd, const std::string& what = {});
  // The client closes the connection (after any frames it still sends).
  ScriptedServer& ExpectClose();
  ScriptedServer& Pause(int ms);
  // The server closes the connection.
  ScriptedServer& Close();
  // The first n bytes of a frame, as a link cut in the middle of a write.
  ScriptedServer& SendPart(const Frame& frame, std::size_t n);
  // Waits for the client's next connection (a reconnection) and plays the
  // rest of the script on it.
  ScriptedServer& AcceptAgain();

  void Start();
  // The script has ended, passed or failed.
  bool Done() const;
  // Blocks (bounded) until Done(); for tests whose client runs elsewhere.
  bool WaitDone(int timeoutMs);
  bool Passed() const;
  std::vector<std::string> Failures() const;
  // Every whole frame the client sent, keep-alives included, in order; the
  // server keeps recording after the script until the client goes.
  std::vector<Frame> Received() const;
  // Ends the thread now.
  void Stop();

  int stepTimeoutMs = 5000;
  // The longest the thread lives, script or not.
  int lifetimeMs = 60000;

 private:
  struct Step {
    enum Kind { SendBytes, ExpectFrame, ExpectClosed, Wait, CloseConn, Reaccept } kind;
    std::vector<std::uint8_t> bytes;
    std::string what;
    Match match;
    int ms = 0;
  };

  void Run();
  bool AcceptClient();
  // Reads what is there within ms; false when the client closed.
  bool ReadSome(int ms);
  bool NextFrame(Frame& out, int ms);  // false on time-out or close
  bool WriteAll(const std::vector<std::uint8_t>& bytes);
  void Fail(const std::string& why);
  bool Stopping() const;

  int listenFd_ = -1;
  int connFd_ = -1;
  std::uint16_t port_ = 0;
  std::vector<Step> steps_;
  std::vector<std::uint8_t> inbuf_;
  std::size_t consumed_ = 0;  // frames of `received_` already given to the script
  bool peerClosed_ = false;

  mutable std::mutex mu_;
  std::condition_variable doneCv_;
  std::vector<Frame> received_;
  std::vector<std::string> failures_;
  bool done_ = false;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace vask::test
