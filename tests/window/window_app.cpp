// The application the window suite drives with xdotool: a main form at the screen's top-left corner
// whose parts change on a timer, on a click and from a worker thread, a button that throws, a button
// that opens a second form, and a focused edit with a blinking caret. It writes what happens to stdout,
// one line per event, for the script to check:
//   ready | closequery <form> | close <form> | shown <what> | enter name | text <utf8> | popup memo |
//   shortcut save | answer <button> | cjk <x y w h> | topleft <col row> | end
// Boxes (screen = client coordinates, no window manager): see kBoxes in run_window_suite.sh.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "package/backends/sdl/backend_sdl.h"
#include "package/framework/framework.h"
#include "sevenseg/sevenseg.h"

using namespace jox;

namespace {

void Log(const char* what, const char* detail = "") {
  std::printf("%s%s%s\n", what, *detail ? " " : "", detail);
  std::fflush(stdout);
}

TSevenSeg* Segment(TForm* form, Integer x, Integer y, TColor color) {
  auto* s = new TSevenSeg(form);
  s->SetParent(form);
  s->SetBounds(x, y, 100, 40);
  s->SetText(u"88");
  s->SetColorBakG(color);
  return s;
}

TButton* Button(TForm* form, Integer x, Integer y, const char16_t* caption, std::function<void()> onClick) {
  auto* b = new TButton(form);
  b->SetParent(form);
  b->SetBounds(x, y, 100, 28);
  b->SetCaption(caption);
  b->SetOnClick([onClick](TObject*) { onClick(); });
  return b;
}

void Closing(TCustomForm* form, const char* name) {
  form->SetOnCloseQuery([name](TObject*, bool& can) {
    Log("closequery", name);
    can = true;
  });
  form->SetOnClose([name](TObject*, TCloseAction&) { Log("close", name); });
}

}  // namespace

int main() {
  if (!sdl::Init()) {
    std::fprintf(stderr, "no display: %s\n", sdl::Error().c_str());
    return 77;
  }
  sdl::Install();
  TForm form(nullptr);
  form.SetCaption(u"jox window test");
  form.SetBounds(0, 0, 480, 240);
  Closing(&form, "main");

  // (10,10) red, turned blue by a one-shot timer after 500 ms.
  TSevenSeg* onTimer = Segment(&form, 10, 10, clRed);
  auto* timer = new TTimer(&form);
  timer->SetInterval(500);
  timer->SetOnTimer([&](TObject*) {
    timer->SetEnabled(false);
    onTimer->SetColorBakG(clBlue);
    Log("shown", "timer");
  });

  // (120,10) yellow, toggled lime/yellow by a click of "Change".
  TSevenSeg* onClick = Segment(&form, 120, 10, clYellow);
  Button(&form, 120, 60, u"Change", [&] {
    onClick->SetColorBakG(onClick->ColorBackGnd() == clLime ? clYellow : clLime);
  });

  // (230,10) gray, made fuchsia by a worker thread's queued call.
  TSevenSeg* onWorker = Segment(&form, 230, 10, clGray);
  std::thread worker;
  Button(&form, 230, 60, u"Work", [&] {
    if (worker.joinable()) worker.join();
    worker = std::thread([&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      Application->Queue([&] { onWorker->SetColorBakG(clFuchsia); });
    });
  });

  Button(&form, 10, 60, u"Throw", [] { throw EInvalidOperation(u"Thrown from OnClick"); });

  TForm* second = nullptr;
  Button(&form, 340, 60, u"Second", [&] {
    if (!second) {
      second = new TForm(nullptr);
      second->SetCaption(u"jox second form");
      second->SetBounds(0, 300, 200, 100);
      Closing(second, "second");
      second->SetOnClose([&](TObject*, TCloseAction& a) {
        Log("close", "second");
        a = caFree;
        second = nullptr;
      });
    }
    second->Show();
  });

  auto* edit = new TEdit(&form);
  edit->SetParent(&form);
  edit->SetBounds(10, 110, 200, 24);

  // Keyboard access: a memo at (220,110) with a popup menu, then in tab order an edit at (340,130)
  // named by the label "&Name"; a form menu item runs on Ctrl+S. Logs: enter name | text <utf8> |
  // popup memo | shortcut save.
  auto* memo = new TMemo(&form);
  memo->SetParent(&form);
  memo->SetBounds(220, 110, 110, 60);
  memo->SetTabStop(true);
  auto* name = new TEdit(&form);
  name->SetParent(&form);
  name->SetBounds(340, 130, 130, 24);
  name->SetOnEnter([](TObject*) { Log("enter", "name"); });
  name->SetOnChange([name](TObject*) { Log("text", ToUtf8(name->Text()).c_str()); });
  auto* label = new TLabel(&form);
  label->SetParent(&form);
  label->SetBounds(340, 112, 60, 16);
  label->SetCaption(u"&Name");
  label->SetFocusControl(name);
  auto* menu = new TPopupMenu(&form);
  auto* save = new TMenuItem(menu);
  save->SetCaption(u"&Save");
  save->SetShortCut(ShortCut('S', ssCtrl));
  save->SetOnClick([](TObject*) { Log("shortcut", "save"); });
  menu->Items()->Add(save);
  menu->SetOnPopup([](TObject*) { Log("popup", "memo"); });
  memo->SetPopupMenu(menu);

  // Dialogs, text and the wheel: "Ask" at (10,180) opens a message answered from the keyboard (logs
  // answer yes|no|cancel); a label of CJK text at (120,180) (logs cjk X Y W H, its screen box); a grid
  // at (220,176) with more columns than fit (logs topleft COL ROW when it scrolls).
  Button(&form, 10, 180, u"Ask", [] {
    const TModalResult r = MessageDlg(u"Save the changes?", mtConfirmation, mbYesNoCancel);
    Log("answer", r == mrYes ? "yes" : r == mrNo ? "no" : r == mrCancel ? "cancel" : "other");
  });
  auto* cjk = new TLabel(&form);
  cjk->SetParent(&form);
  cjk->Font()->SetHeight(-24);
  cjk->SetCaption(u"\u65E5\u672C\u8A9E");
  cjk->SetBounds(120, 180, cjk->Width(), cjk->Height());
  auto* grid = new TDrawGrid(&form);
  grid->SetParent(&form);
  grid->SetBounds(220, 176, 250, 60);
  grid->SetColCount(30);
  grid->SetOnTopLeftChanged([grid](TObject*) {
    Log("topleft", (std::to_string(grid->LeftCol()) + " " + std::to_string(grid->TopRow())).c_str());
  });

  // Where the label is once the form is shown (and scaled, under JOX_SCALE).
  form.SetOnShow([cjk](TObject*) {
    const TPoint o = cjk->ClientToScreen(Point(0, 0));
    Log("cjk", (std::to_string(o.X) + " " + std::to_string(o.Y) + " " + std::to_string(cjk->Width()) + " " +
                std::to_string(cjk->Height())).c_str());
  });

  Log("ready");
  const int rc = sdl::Run(&form);
  if (worker.joinable()) worker.join();
  Log("end");
  sdl::Shutdown();
  return rc;
}
