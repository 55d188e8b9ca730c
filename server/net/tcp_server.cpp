#include "server/net/tcp_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vask::server {

namespace {
bool MakeNonBlocking(int fd) {
  int flags = fcntl(fd, F_GETFL, 0);
  return flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}
}  // namespace

TcpServer::TcpServer(Options options) : options_(std::move(options)) {}

TcpServer::~TcpServer() {
  for (auto& [link, c] : conns_) ::close(c.fd);
  if (listener_ >= 0) ::close(listener_);
}

bool TcpServer::Listen(std::string* error) {
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(options_.port);
  if (inet_pton(AF_INET, options_.address.c_str(), &addr.sin_addr) != 1) {
    *error = "not an IPv4 address: " + options_.address;
    return false;
  }
  listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
  int yes = 1;
  setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      ::listen(listener_, 16) != 0 || !MakeNonBlocking(listener_)) {
    *error = std::string("cannot listen on ") + options_.address + ":" + std::to_string(options_.port) + ": " +
             std::strerror(errno);
    return false;
  }
  socklen_t len = sizeof addr;
  getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len);
  port_ = ntohs(addr.sin_port);
  return true;
}

void TcpServer::Poll(int timeoutMs, Events& events) {
  std::vector<pollfd> fds;
  std::vector<LinkId> links;
  fds.push_back({listener_, POLLIN, 0});
  for (const auto& [link, c] : conns_) {
    short want = c.closing ? 0 : POLLIN;
    if (!c.out.empty()) want |= POLLOUT;
    fds.push_back({c.fd, want, 0});
    links.push_back(link);
  }
  if (::poll(fds.data(), fds.size(), timeoutMs) <= 0) return;
  if (fds[0].revents & POLLIN) Accept(events);
  for (std::size_t i = 0; i < links.size(); ++i) {
    short got = fds[i + 1].revents;
    if (got == 0 || !conns_.count(links[i])) continue;
    if (got & (POLLIN | POLLHUP | POLLERR)) Read(links[i], events);
    if (conns_.count(links[i]) && (got & POLLOUT)) Write(links[i], events);
  }
  Flush(events);
}

void TcpServer::Flush(Events& events) {
  std::vector<LinkId> links;
  for (const auto& [link, c] : conns_) links.push_back(link);
  for (LinkId link : links)
    if (conns_.count(link)) Write(link, events);
}

void TcpServer::Accept(Events& events) {
  for (;;) {
    int fd = ::accept(listener_, nullptr, nullptr);
    if (fd < 0) return;
    if (conns_.size() >= options_.maxLinks || !MakeNonBlocking(fd)) {
      ::close(fd);
      continue;
    }
    int yes = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
    LinkId link = next_++;
    conns_[link].fd = fd;
    events.OnConnect(link);
  }
}

void TcpServer::Read(LinkId link, Events& events) {
  std::uint8_t buf[4096];
  for (;;) {
    auto it = conns_.find(link);
    if (it == conns_.end()) return;
    ssize_t n = ::recv(it->second.fd, buf, sizeof buf, 0);
    if (n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) return Drop(link, events);
    if (n < 0) return;
    if (it->second.closing) continue;  // a leaving link has nothing more to say
    it->second.in.Append(buf, static_cast<std::size_t>(n));
    // The table may send to, close or drop links while it handles a frame.
    while (conns_.count(link) && !conns_[link].closing) {
      std::optional<Frame> f = conns_[link].in.Next();
      if (!f) break;
      events.OnFrame(link, *f);
    }
    // Less than asked for: the socket is empty for now (poll tells of more).
    if (static_cast<std::size_t>(n) < sizeof buf) return;
  }
}

void TcpServer::Write(LinkId link, Events& events) {
  Conn& c = conns_[link];
  while (!c.out.empty()) {
    ssize_t n = ::send(c.fd, c.out.data(), c.out.size(), MSG_NOSIGNAL);
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) break;
    if (n <= 0) return Drop(link, events);
    c.out.erase(c.out.begin(), c.out.begin() + n);
  }
  if (c.out.empty() && c.closing) {
    ::close(c.fd);
    conns_.erase(link);
  }
}

void TcpServer::Send(LinkId link, const Frame& f) {
  auto it = conns_.find(link);
  if (it == conns_.end() || it->second.closing) return;
  std::vector<std::uint8_t>& out = it->second.out;
  if (out.size() + f.size() > options_.maxQueuedBytes) {
    // Dropped on the next write: the table hears of it as a lost connection.
    ::shutdown(it->second.fd, SHUT_RDWR);
    return;
  }
  out.insert(out.end(), f.begin(), f.end());
}

void TcpServer::Close(LinkId link) {
  auto it = conns_.find(link);
  if (it != conns_.end()) it->second.closing = true;
}

void TcpServer::Drop(LinkId link, Events& events) {
  auto it = conns_.find(link);
  if (it == conns_.end()) return;
  bool told = it->second.closing;
  ::close(it->second.fd);
  conns_.erase(it);
  if (!told) events.OnDisconnect(link);
}

}  // namespace vask::server
