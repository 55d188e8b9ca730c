#pragma once
// The history and sound windows laid out at start-up. The input handlers of
// the chat, phrase and sound controls are declared in core/handlers.h.

namespace vask {

struct Client;

void SetUpSocialWindows(Client& c);

}  // namespace vask
