#pragma once
// Declaring the player ready: by the start button or when the ready clock
// (the countdown to the next game) runs out.
namespace vask {

struct Client;

// Command 16 with value(3) = 1 from the own seat.
void SendReady(Client& c);
// Starts the countdown to the next game with `seconds` on the clock,
// shown green in Number beside Time_Img.
void StartReadyClock(Client& c, int seconds);

}  // namespace vask
