#pragma once
// A whole hand played into a client step by step: the deal, pungs and a
// chow, kongs of every kind (the own seat's and others'), and the own
// seat's win. The own player acts through the claim buttons and tile
// clicks; the server's frames answer. Alongside, a model of the server's
// side gives, at chosen points, the frames a server sends a client that
// logs in again into the running hand (the table restore).
#include <functional>
#include <string>
#include <vector>

#include "core/connection/protocol.h"
#include "core/game/tiles.h"

namespace vask {
struct Client;
class FakePlatform;
}  // namespace vask

namespace vask::test {

struct HandStep {
  std::string what;
  std::function<void(FakePlatform&, Client&)> run;
  // The frames that restore the table as it stands after this step (empty
  // where no restore is taken: a discard still waits at the table centre).
  std::vector<Frame> restore;
};

// The steps of the hand.
std::vector<HandStep> FullHandSteps();

// The requests the own player sends during the whole hand, in order.
struct Request;
std::vector<Request> FullHandRequests();

}  // namespace vask::test
