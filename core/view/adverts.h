#pragma once
// The two advert panes: WebBrowser1 over the mascot with the page of the
// login answer, WebBrowser2 under the seat-shuffle notice. Their addresses
// come from the server: only http and https pages are ever fetched.
#include <string>

namespace vask {

struct Client;

inline constexpr int kAdvertPane = 1;   // WebBrowser1
inline constexpr int kShufflePane = 2;  // WebBrowser2

// Opens the page in the pane; an address that is not http or https is not
// fetched and counts as a failed page.
void NavigateWebPane(Client& c, int pane, const std::string& url);
// The pane's page has loaded (ok) or failed: the advert shows over the
// mascot once loaded, unless it failed before; a failed pane hides.
void WebPaneLoaded(Client& c, int pane, bool ok);

}  // namespace vask
