#include "core/view/view_model.h"

#include <algorithm>
#include <utility>

namespace vask {

namespace {

// Visits every control of the main window in declaration order; V is
// ViewModel or const ViewModel.
template <class V, class F>
void Visit(V& v, F&& f) {
  auto one = [&](const char* name, auto& c) { f(name, -1, c); };
  auto all = [&](const char* name, auto& arr) {
    for (std::size_t i = 0; i < arr.size(); ++i) f(name, static_cast<int>(i), arr[i]);
  };
  all("MJ_Image", v.MJ_Image);
  all("SZ_Image", v.SZ_Image);
  all("Tou", v.Tou);
  all("Nid", v.Nid);
  all("Cash", v.Cash);
  all("Level", v.Level);
  all("OK", v.OK);
  all("AnNiu", v.AnNiu);
  all("Operation", v.Operation);
  all("Speak", v.Speak);
  all("operZ", v.operZ);
  all("Chi", v.Chi);
  all("Gang", v.Gang);
  one("Vask", v.Vask);
  one("VaskP_Image", v.VaskP_Image);
  all("Vask_Image", v.Vask_Image);
  one("imgZeph", v.imgZeph);
  all("Sysmsg", v.Sysmsg);
  one("ChatList1", v.ChatList1);
  all("imgsezi", v.imgsezi);
  all("lbfont", v.lbfont);
  one("Words", v.Words);
  one("Bank", v.Bank);
  one("Location", v.Location);
  one("imgword1", v.imgword1);
  one("imgword2", v.imgword2);
  one("imgLocation", v.imgLocation);
  one("ZhiNan", v.ZhiNan);
  one("Host", v.Host);
  one("Zhuang", v.Zhuang);
  one("Time_Img", v.Time_Img);
  one("Number", v.Number);
  one("Lbchat", v.Lbchat);
  one("Chat", v.Chat);
  one("Bird", v.Bird);
  one("WebBrowser1", v.WebBrowser1);
  one("WebBrowser2", v.WebBrowser2);
  one("imgBeishu", v.imgBeishu);
  one("lblDifen", v.lblDifen);
  one("Imgwealth", v.Imgwealth);
  one("lbwealth", v.lbwealth);
  one("ImgShuffle", v.ImgShuffle);
  one("LblShuffle", v.LblShuffle);
  one("LbProp", v.LbProp);
  all("ImgProp", v.ImgProp);
  all("Sai_Image", v.Sai_Image);
}

}  // namespace

ViewModel::ViewModel() {
  // Design-time kinds; everything else is a picture.
  for (auto* arr : {&Nid, &Cash, &Level}) {
    for (Control& c : *arr) c.kind = ControlKind::Label;
  }
  for (Control* c : {&Number, &Zhuang, &Location, &lblDifen, &lbwealth, &LblShuffle, &LbProp, &Lbchat})
    c->kind = ControlKind::Label;
  for (Control& c : lbfont) c.kind = ControlKind::Label;
  Chat.kind = ControlKind::TextBox;
  WebBrowser1.kind = ControlKind::Browser;
  WebBrowser2.kind = ControlKind::Browser;
  // Creation order is the first stacking order.
  ForEachControl(*this, [this](const char*, int, Control& c) { c.z = ++zFront; });
}

void BringToFront(ViewModel& v, Control& c) {
  c.z = ++v.zFront;
  ++v.revision;
}

void SendToBack(ViewModel& v, Control& c) {
  c.z = --v.zBack;
  ++v.revision;
}

void ForEachControl(const ViewModel& v, const std::function<void(const char*, int, const Control&)>& f) {
  Visit(v, f);
}

void ForEachControl(ViewModel& v, const std::function<void(const char*, int, Control&)>& f) { Visit(v, f); }

std::vector<ControlRef> StackingOrder(const ViewModel& v) {
  std::vector<ControlRef> out;
  out.reserve(256);
  Visit(v, [&](const char* name, int index, const Control& c) {
    if (c.visible) out.push_back({name, index, &c});
  });
  std::stable_sort(out.begin(), out.end(),
                   [](const ControlRef& a, const ControlRef& b) { return a.control->z < b.control->z; });
  return out;
}

void ForEachWindow(const ViewModel& v, const std::function<void(const char*, const FormWindow&)>& f) {
  // Declaration order, changed by BringToFront on a window.
  std::array<std::pair<const char*, const FormWindow*>, 9> windows = {{{"Talk", &v.Talk},
                                                                      {"huifu", &v.huifu},
                                                                      {"Score", &v.Score},
                                                                      {"Hero", &v.Hero},
                                                                      {"Information", &v.Information},
                                                                      {"frmExit", &v.frmExit},
                                                                      {"frmOtherExit", &v.frmOtherExit},
                                                                      {"frmReconnect", &v.frmReconnect},
                                                                      {"VosSet", &v.VosSet}}};
  std::stable_sort(windows.begin(), windows.end(), [](const auto& a, const auto& b) { return a.second->z < b.second->z; });
  for (const auto& [name, w] : windows) f(name, *w);
  // The speech bubbles stay above every other window.
  for (const FormWindow& bubble : v.SpeakBox) f("frmSpeakBox", bubble);
}

int VisibleRows(const ListControl& list) {
  return list.lineHeight > 0 ? std::max(1, static_cast<int>(list.h / list.lineHeight)) : 1;
}

int ListRowAt(const ListControl& list, float y) {
  if (list.lineHeight <= 0 || y < list.y || y >= list.y + list.h) return -1;
  const int row = list.topRow + static_cast<int>((y - list.y) / list.lineHeight);
  return row >= 0 && row < static_cast<int>(list.items.size()) ? row : -1;
}

ListControl& Part(FormWindow& w, std::string_view name, int index) {
  for (ListControl& p : w.parts)
    if (p.index == index && p.name == name) return p;
  ListControl& p = w.parts.emplace_back();
  p.name = std::string(name);
  p.index = index;
  return p;
}

const ListControl* FindPart(const FormWindow& w, std::string_view name, int index) {
  for (const ListControl& p : w.parts)
    if (p.index == index && p.name == name) return &p;
  return nullptr;
}

const Control* FindControl(const ViewModel& v, const std::string& name, int index) {
  const Control* found = nullptr;
  Visit(v, [&](const char* n, int i, const Control& c) {
    if (!found && i == index && name == n) found = &c;
  });
  return found;
}

}  // namespace vask
