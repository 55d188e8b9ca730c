#pragma once
// The 272-byte frame and the message record it decodes into.
#include <array>
#include <cstdint>
#include <string>

#include "core/connection/protocol.h"

namespace vask {

struct Client;

// The decoded message record (MsgInfo). `seat` is the frame's seat mask;
// handlers may overwrite it with a view position.
struct MsgInfo {
  std::int16_t cmd = 0;
  std::uint8_t ext5 = 0;
  std::uint8_t seat = 0;
  std::uint8_t ext7 = 0;
  std::array<std::int16_t, 4> value{};
};

// Decodes the header and the four values of a received frame by the
// per-command rule: 17 signed 16-bit, 14 unsigned 15-bit, others low byte.
MsgInfo DecodeHeader(const Frame& frame);
std::int16_t DecodeValue(int cmd, std::uint8_t high, std::uint8_t low);

// Encodes a record into a frame (no payload, no server tag).
Frame EncodeHeader(const MsgInfo& record);

// Packs chat text (UTF-8) as GBK from byte 16: at most 100 characters, so at
// most 200 bytes. Returns the number of bytes written.
std::size_t PackChatText(Frame& frame, const std::string& text);
// Reads the chat text of a command-19 frame (bytes 16..215).
std::string UnpackChatText(const Frame& frame);
// The big-endian marker in bytes 236..239 of a command-19 frame.
std::uint32_t PropMarker(const Frame& frame);
bool IsPropChatFrame(const Frame& frame);

// Takes one frame out of the receive ring into Msg and Rinfo. Needs at
// least 272 unread bytes.
void GetMsg(Client& c);
// Queues a record as a frame. Returns false, queueing nothing, when the send
// ring has no room for a whole frame (frames not yet sent are never
// overwritten) or when a chat record has no text.
bool SendMsg(Client& c, const MsgInfo& record);
// Queues a frame made by the prop plug-in, stamped with the server tag.
bool SendRawMsg(Client& c, const Frame& frame);

}  // namespace vask
