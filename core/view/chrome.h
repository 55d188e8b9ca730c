#pragma once
// The main window's own title band: the window has no frame of the window
// system's, so it carries its close and minimise buttons and a strip that
// drags it. Their faces and hovers, and what a click does.
namespace vask {

struct Client;
struct ControlInput;

// Places the band over the top edge of the window: above the table surface
// where the window leaves room for it, else over the surface's empty top
// strip (the portraits and labels begin below it).
void LayoutChrome(Client& c);

// Both buttons back on their normal face when a hover is marked (the
// pointer is on the band's strip, the window or the table).
void ResetChromeHover(Client& c);

void MainForm_ImgClose_MouseMove(Client& c, const ControlInput& in);
void MainForm_ImgClose_MouseDown(Client& c, const ControlInput& in);
void MainForm_ImgClose_MouseUp(Client& c, const ControlInput& in);
void MainForm_ImgClose_Click(Client& c, const ControlInput& in);
void MainForm_ImgMin_MouseMove(Client& c, const ControlInput& in);
void MainForm_ImgMin_MouseDown(Client& c, const ControlInput& in);
void MainForm_ImgMin_MouseUp(Client& c, const ControlInput& in);
void MainForm_ImgMin_Click(Client& c, const ControlInput& in);
void MainForm_LbMove_MouseMove(Client& c, const ControlInput& in);
void MainForm_LbMove_MouseDown(Client& c, const ControlInput& in);
// The window itself (its background around the table surface).
void MainForm_Form_MouseMove(Client& c, const ControlInput& in);

}  // namespace vask
