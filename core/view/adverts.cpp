#include "core/view/adverts.h"

#include "core/client.h"
#include "core/view/buttons.h"
#include "core/view/layout.h"

namespace vask {

namespace {

Control& PaneControl(Client& c, int pane) { return pane == kAdvertPane ? c.view.WebBrowser1 : c.view.WebBrowser2; }

}  // namespace

void NavigateWebPane(Client& c, int pane, const std::string& url) {
  if (pane != kAdvertPane && pane != kShufflePane) return;
  if (!IsWebAddress(url)) return WebPaneLoaded(c, pane, false);
  c.platform.WebNavigate(pane, url);
}

void WebPaneLoaded(Client& c, int pane, bool ok) {
  if (pane != kAdvertPane && pane != kShufflePane) return;
  ViewModel& v = c.view;
  Control& browser = PaneControl(c, pane);
  if (!ok) {
    browser.visible = false;
    if (pane == kAdvertPane) c.widgets.AdFailed = true;
  } else if (pane == kAdvertPane && !c.widgets.AdFailed) {
    browser.x = v.Bird.x + Scaled(v, 2);
    browser.y = v.Bird.y + Scaled(v, 2);
    BringToFront(v, browser);
    browser.visible = true;
  }
  ++v.revision;
  c.platform.ViewChanged();
}

}  // namespace vask
