#pragma once
// The socket's events and the 50 ms heart beat TimerBong.
namespace vask {

struct Client;

inline constexpr int kBongIntervalMs = 50;

// Appends what the socket holds to the receive ring (or, during the proxy
// handshake, to the proxy buffer), as far as it has room; the rest waits in
// the socket for the next tick. Handles nothing else.
void Winsock1_DataArrival(Client& c);
// Closes the socket; the loss is noticed by the connection watch.
void Winsock1_Close(Client& c);
// One tick: take what waited in the socket, send at most one frame, decode and dispatch at most one, run
// the counted duties, then pump the prop plug-in.
void TimerBong_Timer(Client& c);

// Closes every duty gate and sets every tick counter to 0.
void ClearGates(Client& c);
// Resets rings, positions, gates and counters (start-up, connection reset).
void ResetLink(Client& c);

}  // namespace vask
