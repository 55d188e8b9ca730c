#pragma once
// Waiting inside a handler while the window keeps handling its events.
namespace vask {

struct Client;

// Waits ms milliseconds by polling the platform's clock, pumping events
// between polls. Returns early when the client is quitting.
void Delay(Client& c, int ms);

}  // namespace vask
