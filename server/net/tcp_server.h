#pragma once
// A single-threaded TCP server: one poll() loop over the listening socket and
// every connection, all non-blocking. Connections speak 272-byte frames.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "server/net/frame_buffer.h"
#include "server/table/link.h"

namespace vask::server {

class TcpServer {
 public:
  class Events {
   public:
    virtual ~Events() = default;
    virtual void OnConnect(LinkId link) = 0;
    virtual void OnFrame(LinkId link, const Frame& f) = 0;
    virtual void OnDisconnect(LinkId link) = 0;
  };

  struct Options {
    std::string address = "127.0.0.1";
    std::uint16_t port = 0;  // 0: any free port
    std::size_t maxLinks = 64;
    // A connection that reads so slowly that this much waits for it is dropped.
    std::size_t maxQueuedBytes = 1 << 20;
  };

  explicit TcpServer(Options options);
  ~TcpServer();
  TcpServer(const TcpServer&) = delete;
  TcpServer& operator=(const TcpServer&) = delete;

  bool Listen(std::string* error);
  std::uint16_t Port() const { return port_; }

  // Waits at most `timeoutMs` for something to happen, then handles it.
  void Poll(int timeoutMs, Events& events);
  // Writes what the sockets take now.
  void Flush(Events& events);
  void Send(LinkId link, const Frame& f);
  // Closes the link once what was sent to it is written.
  void Close(LinkId link);
  std::size_t Links() const { return conns_.size(); }

 private:
  struct Conn {
    int fd = -1;
    FrameBuffer in;
    std::vector<std::uint8_t> out;
    bool closing = false;
  };

  void Accept(Events& events);
  void Read(LinkId link, Events& events);
  void Write(LinkId link, Events& events);
  void Drop(LinkId link, Events& events);

  Options options_;
  int listener_ = -1;
  std::uint16_t port_ = 0;
  LinkId next_ = 1;
  std::map<LinkId, Conn> conns_;
};

}  // namespace vask::server
