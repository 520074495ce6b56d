// The application the screens part of the window suite drives: a form placed at the screen point given
// on the command line, holding what opens windows of its own: a combo box's list, a memo's popup menu,
// a message, a button's hint and a month calendar's holiday hint. Where the monitors are comes from
// JOX_MONITORS. It writes one line per event:
//   survived BadWindow | ready | at X Y (the form's place) | monitor N (the monitor holding the form) |
//   popup menu | answer | hint <Application->Hint> | end
// Layout (client coordinates) of the 460 x 110 form: combo (10,10) 150x24, memo (10,40) 150x60, Ask
// (170,10) and Hint (170,50) buttons of 120x28, calendar (300,0) 160x110 showing 25 December 2026.
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "package/backends/sdl/backend_sdl.h"
#include "package/framework/framework.h"
#include "minical/minical.h"

using namespace jox;

namespace {

void Log(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

TButton* Button(TForm* form, Integer x, Integer y, const char16_t* caption) {
  auto* b = new TButton(form);
  b->SetParent(form);
  b->SetBounds(x, y, 120, 28);
  b->SetCaption(caption);
  return b;
}

// Sends a message to a window that does not exist, as SDL's wake-up can when a dialog closes as it
// is sent, and waits for the server's answer: BadWindow, which must not end the application. Through
// the libX11 SDL has loaded, on a connection of its own (an error handler serves every connection).
bool SurvivesBadWindow() {
  void* x11 = dlopen("libX11.so.6", RTLD_LAZY | RTLD_LOCAL);
  if (!x11) return false;
  auto open = reinterpret_cast<void* (*)(const char*)>(dlsym(x11, "XOpenDisplay"));
  auto send = reinterpret_cast<int (*)(void*, unsigned long, int, long, void*)>(dlsym(x11, "XSendEvent"));
  auto sync = reinterpret_cast<int (*)(void*, int)>(dlsym(x11, "XSync"));
  auto close = reinterpret_cast<int (*)(void*)>(dlsym(x11, "XCloseDisplay"));
  void* display = open && send && sync && close ? open(nullptr) : nullptr;
  if (!display) return false;
  // An XEvent as an XClientMessageEvent on LP64: type, serial, send_event, display, window,
  // message_type, format, data.
  alignas(long) unsigned char event[24 * sizeof(long)] = {};
  const int type = 33, format = 8;  // ClientMessage
  std::memcpy(event, &type, sizeof type);
  std::memcpy(event + 6 * sizeof(long), &format, sizeof format);
  send(display, 0x1FFFFFFEul, 0, 0, event);
  sync(display, 0);
  close(display);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: screens_app X Y\n");
    return 2;
  }
  if (!sdl::Init()) {
    std::fprintf(stderr, "no display: %s\n", sdl::Error().c_str());
    return 77;
  }
  sdl::Install();
  if (SurvivesBadWindow()) Log("survived BadWindow");
  TForm form(nullptr);
  form.SetCaption(u"jox screens test");
  form.SetPosition(poDesigned);
  form.SetBounds(std::atoi(argv[1]), std::atoi(argv[2]), 460, 110);
  form.SetOnClose([](TObject*, TCloseAction&) { Log("end"); });

  auto* combo = new TComboBox(&form);
  combo->SetParent(&form);
  combo->SetBounds(10, 10, 150, 24);
  for (int i = 1; i <= 20; ++i) combo->Items()->Add(u"Item number " + FromUtf8(std::to_string(i)));

  auto* memo = new TMemo(&form);
  memo->SetParent(&form);
  memo->SetBounds(10, 40, 150, 60);
  auto* menu = new TPopupMenu(&form);
  for (const char16_t* caption : {u"Cut the selection", u"Copy the selection", u"Paste from the clipboard"}) {
    auto* item = new TMenuItem(menu);
    item->SetCaption(caption);
    menu->Items()->Add(item);
  }
  menu->SetOnPopup([](TObject*) { Log("popup menu"); });
  memo->SetPopupMenu(menu);

  Button(&form, 170, 10, u"Ask")->SetOnClick([](TObject*) {
    MessageDlg(u"A message that opens on the monitor of the form it belongs to.", mtInformation, TMsgDlgButtons(mbOK));
    Log("answer");
  });
  auto* hinted = Button(&form, 170, 50, u"Hint");
  hinted->SetHint(u"A hint long enough to reach past the edge of the monitor");
  hinted->SetShowHint(true);
  Application->SetOnHint([](TObject*) {
    if (!Application->Hint().empty()) Log("hint " + ToUtf8(Application->Hint()));
  });
  auto* calendar = new TMiniCal(&form);
  calendar->SetParent(&form);
  calendar->SetBounds(300, 0, 160, 110);
  calendar->SetDate(EncodeDate(2026, 12, 25));
  // Its default leaves ShowHint off (ParentShowHint); the setter turns it on, as in a designed form.
  calendar->SetShowHolidayHint(true);

  form.SetOnShow([&form](TObject*) {
    Log("at " + std::to_string(form.Left()) + " " + std::to_string(form.Top()));
    Log("monitor " + std::to_string(Screen->MonitorFromRect(form.BoundsRect())));
  });
  Log("ready");
  const int rc = sdl::Run(&form);
  sdl::Shutdown();
  return rc;
}
