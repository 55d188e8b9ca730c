#pragma once
// How the table reaches the players: each player is a link, an ordinary
// connection (a TCP socket, or an in-process bot speaking the same frames).
#include <cstdint>

#include "core/connection/protocol.h"

namespace vask::server {

using LinkId = std::uint32_t;

class Outbox {
 public:
  virtual ~Outbox() = default;
  virtual void Send(LinkId link, const Frame& f) = 0;
  // Ends the link once what was sent to it is out.
  virtual void Close(LinkId link) = 0;
};

}  // namespace vask::server
