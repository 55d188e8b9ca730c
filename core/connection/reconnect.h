#pragma once
// Reconnection and the return to the unconnected state.
namespace vask {

struct Client;

// Back to the unconnected state, waiting for the lobby's connect order.
void ResetClient(Client& c);

}  // namespace vask
