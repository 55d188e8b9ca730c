#include "core/connection/poll_loop.h"

#include "core/client.h"
#include "core/connection/dispatcher.h"
#include "core/connection/proxy.h"
#include "core/connection/reconnect.h"
#include "core/handlers.h"

namespace vask {
namespace {

using Gate = bool (*)(const Client&);
using Run = void (*)(Client&);

// A counted duty: runs when its counter has reached the threshold and its
// gate is open; the counter restarts at the threshold whether or not it ran.
struct Duty {
  int ConnectionState::*counter;
  int threshold;
  Gate gate;
  Run run;
};

void SendDuty(Client& c);
void RecvDuty(Client& c);

constexpr Duty kDuties[] = {
    {&ConnectionState::SendTick, 1, [](const Client& c) { return c.conn.bSendPending; }, SendDuty},
    {&ConnectionState::RecvTick, 2, [](const Client& c) { return c.conn.bRecvPending; }, RecvDuty},
    {&ConnectionState::LoginTick, 4, [](const Client& c) { return c.conn.bLoginSend; }, LoginDuty},
    // Every tick until the first link is answered: its bounded wait.
    {nullptr, 0, [](const Client& c) { return c.login.bFirstLink; }, FirstLinkDuty},
    {&ConnectionState::BlinkTick, 8, [](const Client& c) { return c.conn.bBlink; }, BlinkDuty},
    {&ConnectionState::ClockTick, 20, [](const Client& c) { return c.conn.bClock && c.conn.bTableLive; },
     TurnClockDuty},
    {&ConnectionState::ReadyTick, 20,
     [](const Client& c) { return c.conn.bReadyClock && c.conn.bTableLive; }, ReadyClockDuty},
    // Every tick while the table is live: marker and pull/sit countdowns.
    {nullptr, 0, [](const Client& c) { return c.conn.bTableLive; }, LiveTableDuty},
    {&ConnectionState::WatchTick, 2, [](const Client& c) { return c.conn.bWatchLink; }, WatchDuty},
    {&ConnectionState::HideTick, 40, [](const Client& c) { return c.conn.bWordShown; }, HideWordDuty},
};

bool IsHeldPropFrame(const Frame& f, int code) {
  if (f[frame_offset::kCmd] != static_cast<int>(Cmd::PropB)) return false;
  auto value0 = static_cast<std::int16_t>(f[frame_offset::kValues] << 8 | f[frame_offset::kValues + 1]);
  return value0 / 8 == code;
}

void SendDuty(Client& c) {
  ConnectionState& s = c.conn;
  if (s.SendBuf.Unread() < kFrameSize) {
    s.bSendPending = false;
  } else if (c.platform.SocketState() != kSocketConnected) {
    s.bSendPending = false;  // the frames wait for the next SendMsg
  } else {
    Frame f;
    s.SendBuf.Take(f);
    // Prop frames of the hand's end wait for the next hand start.
    if (s.bHoldFrame1 && IsHeldPropFrame(f, 129)) {
      s.HeldFrame[0] = f;
      s.bHoldFrame1 = false;
    } else if (!c.table.bInGame && s.bHoldFrame2 && IsHeldPropFrame(f, 386)) {
      s.HeldFrame[1] = f;
      s.bHoldFrame2 = false;
    } else {
      c.platform.SocketSend(f);
    }
  }
  s.SendTick = 0;
}

void RecvDuty(Client& c) {
  ConnectionState& s = c.conn;
  if (c.table.bInGame && ++s.IdleCount >= kIdleLimit) {
    s.IdleCount = 0;
    ConnectionLost(c);
  }
  if (s.RecvBuf.Unread() >= kFrameSize) {
    std::size_t before = s.RecvBuf.ReadPos();
    Frame head;
    s.RecvBuf.Peek(head);
    if (!FrameBelongsToLink(c, DecodeHeader(head).cmd)) {
      // A new link speaks only after the server has accepted the re-login.
      s.RecvBuf.SetReadPos(before + kFrameSize);
    } else {
      GetMsg(c);
      if (s.bHoldCmd21 && s.Rinfo.cmd == static_cast<int>(Cmd::PlayerLeaves)) {
        // Leave it at the head of the ring; everything behind it waits.
        s.RecvBuf.SetReadPos(before);
        if (s.Rinfo.seat != c.table.OwnMask() && !TimerEnabled(c, TimerId::KeepAlive))
          EnableTimer(c, TimerId::KeepAlive, true);
      } else {
        FrameTaken(c);
        if (c.table.bInGame) s.IdleCount = 0;
        ProcessMsg(c, s.Rinfo);
      }
    }
  }
  s.RecvTick = s.RecvBuf.Unread() >= kFrameSize ? 1 : 0;
}

// Takes from the socket what the buffer in use has room for: the receive
// ring, or the proxy buffer during the handshake. What does not fit stays
// in the socket (TCP holds the server back) until a tick has made room, so
// a burst is neither dropped nor fatal. Returns the number of bytes taken.
std::size_t TakeFromSocket(Client& c) {
  ConnectionState& s = c.conn;
  ByteRing& into = s.bProxyDone ? s.RecvBuf : s.ProxyBuf;
  const std::size_t room = into.Free();
  const std::vector<std::uint8_t> bytes = room > 0 ? c.platform.SocketRead(room) : std::vector<std::uint8_t>{};
  into.PutAll(bytes);
  // A read that filled the room may have left more behind.
  s.bSocketBacklog = bytes.size() == room;
  return bytes.size();
}

// The bytes just taken are handled as their buffer's are.
void BytesTaken(Client& c) {
  if (c.conn.bProxyDone) c.conn.bRecvPending = true;
  else ProxyReceive(c);
}

}  // namespace

void Winsock1_DataArrival(Client& c) {
  ConnectionState& s = c.conn;
  if (s.bQuitting) return;
  // While bytes wait in the socket the ring holds a backlog: the stream has
  // not paused, but decoding goes on one frame a tick.
  const bool backlog = s.bSocketBacklog;
  if (TakeFromSocket(c) == 0) return;
  if (s.bProxyDone && !backlog) s.RecvTick = 0;
  BytesTaken(c);
}

void Winsock1_Close(Client& c) { c.platform.SocketClose(); }

void TimerBong_Timer(Client& c) {
  ConnectionState& s = c.conn;
  if (s.bQuitting) return;
  EnableTimer(c, TimerId::Bong, false);
  // What waited in the socket fills the room the last tick made.
  if (s.bSocketBacklog && TakeFromSocket(c) > 0) BytesTaken(c);
  if (s.bQuitting) return;
  const std::uint32_t stops = s.BongStops;
  for (const Duty& d : kDuties)
    if (d.counter) ++(s.*d.counter);
  for (const Duty& d : kDuties) {
    if (s.bQuitting) return;
    bool due = !d.counter || s.*d.counter >= d.threshold;
    if (due && d.gate(c)) d.run(c);
    if (d.counter && s.*d.counter >= d.threshold) s.*d.counter = 0;
  }
  if (s.bQuitting) return;
  // A handler that left the table stopped the heart beat for good.
  if (s.BongStops == stops) EnableTimer(c, TimerId::Bong, true);
  if (PropPumpDue(c)) PropTimerStep(c);
}

void ClearGates(Client& c) {
  ConnectionState& s = c.conn;
  for (const Duty& d : kDuties)
    if (d.counter) s.*d.counter = 0;
  s.bSendPending = s.bRecvPending = s.bLoginSend = false;
  s.bBlink = s.bClock = s.bReadyClock = s.bWatchLink = s.bWordShown = false;
  s.IdleCount = 0;
}

void ResetLink(Client& c) {
  ConnectionState& s = c.conn;
  s.RecvBuf.Clear();
  s.SendBuf.Clear();
  s.ProxyBuf.Clear();
  s.bSocketBacklog = false;
  ClearGates(c);
  s.bHoldCmd21 = false;
}

}  // namespace vask
