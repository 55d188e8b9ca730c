#pragma once
// The state of the link to the game server: the two rings, the message
// record being handled, the poll tick's gates and counters.
#include <array>
#include <cstdint>
#include <string>

#include "core/connection/frame.h"
#include "core/connection/protocol.h"
#include "core/connection/rings.h"

namespace vask {

struct ConnectionState {
  ByteRing RecvBuf{kRingSize};
  ByteRing SendBuf{kRingSize};
  ByteRing ProxyBuf{kProxyBufSize};
  bool bProxyDone = false;
  // Bytes the buffer in use had no room for may wait in the socket.
  bool bSocketBacklog = false;

  // The record and the bytes of the frame being handled.
  MsgInfo Rinfo;
  Frame Msg{};
  std::array<std::string, 4> SeatName;  // by absolute seat index
  std::array<std::uint8_t, 2> ServerTag{};
  std::string ChatText;  // the next command-19 frame's text

  // Duty gates and their tick counters.
  int SendTick = 0, RecvTick = 0, LoginTick = 0, BlinkTick = 0;
  int ClockTick = 0, ReadyTick = 0, WatchTick = 0, HideTick = 0;
  bool bSendPending = false;
  bool bRecvPending = false;
  bool bLoginSend = false;
  bool bBlink = false;
  bool bClock = false;
  bool bReadyClock = false;
  bool bWatchLink = false;
  bool bWordShown = false;
  bool bTableLive = false;

  std::uint32_t IdleCount = 0;
  bool bHoldCmd21 = false;
  std::array<Frame, 2> HeldFrame{};  // HeldFrame(1), HeldFrame(2)
  bool bHoldFrame1 = false;
  bool bHoldFrame2 = false;

  // The lobby window's title, from the command line.
  std::string LobbyTitle;
  // Set once the client has decided to end (ring overflow and the like):
  // nothing more is read from the network.
  bool bQuitting = false;

  // Requests to stop TimerBong: one made by a handler during a tick keeps
  // the heart beat stopped after the tick.
  std::uint32_t BongStops = 0;

  // Frames SendMsg refused because the send ring had no room.
  std::uint32_t SendRefused = 0;
};

inline constexpr std::uint32_t kIdleLimit = 5000;

}  // namespace vask
