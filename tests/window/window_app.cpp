// The application the window suite drives with xdotool: a main form at the screen's top-left corner
// whose parts change on a timer, on a click and from a worker thread, a button that throws, a button
// that opens a second form, and a focused edit with a blinking caret. It writes what happens to stdout,
// one line per event, for the script to check:
//   ready | closequery <form> | close <form> | shown <what> | enter name | text <utf8> | popup memo |
//   shortcut save | answer <button> | cjk <x y w h> | topleft <col row> | lists <combo x y w h> <cell x y w h>
//   <row heights: combo pick> | combo <utf8> | cell <utf8> | end
// Boxes (screen = client coordinates, no window manager): see kBoxes in run_window_suite.sh.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "package/backends/sdl/backend_sdl.h"
#include "package/framework/controls/dropdownlist.h"
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

  // Drop-down lists: "Lists" at (360,15) opens a form with a combo box and a grid whose cells pick from a
  // list, each of 100,000 items (logs lists <where they are>, then combo <text> | cell <text> on a choice).
  TForm* lists = nullptr;
  TStringList choices;
  String cellText;  // the one cell the grid edits
  for (int i = 0; i < 100000; ++i) choices.Add(u"item " + IntToStr(i));
  Button(&form, 360, 15, u"Lists", [&] {
    if (!lists) {
      lists = new TForm(&form);
      lists->SetCaption(u"jox lists");
      lists->SetBounds(500, 0, 320, 300);
      auto* combo = new TComboBox(lists);
      combo->SetParent(lists);
      combo->SetBounds(10, 10, 150, 21);
      combo->SetStyle(csDropDownList);
      combo->Items()->Assign(&choices);
      combo->SetOnChange([combo](TObject*) { Log("combo", ToUtf8(combo->Text()).c_str()); });
      auto* grid = new TDrawGrid(lists);
      grid->SetParent(lists);
      grid->SetBounds(10, 50, 300, 240);
      grid->SetColWidths(1, 150);
      grid->SetOptions(grid->Options() | goEditing);
      grid->SetOnGetEditStyle([](TObject*, Integer, Integer, TEditStyle& s) { s = esPickList; });
      grid->SetOnGetPickListItems([&choices](TObject*, Integer, Integer, TStrings* items) { items->Assign(&choices); });
      grid->SetOnGetEditText([&cellText](TObject*, Integer, Integer, String& v) { v = cellText; });
      grid->SetOnSetEditText([&cellText](TObject*, Integer, Integer, const String& v) {
        cellText = v;
        Log("cell", ToUtf8(v).c_str());
      });
      lists->SetActiveControl(combo);
      lists->SetOnShow([combo, grid](TObject*) {
        const TPoint c = combo->ClientToScreen(Point(0, 0));
        const TRect r = grid->CellRect(1, 1);
        const TPoint g = grid->ClientToScreen(Point(r.Left, r.Top));
        std::string where;
        for (Integer v : {c.X, c.Y, combo->Width(), combo->Height(), g.X, g.Y, r.Width(), r.Height(),
                          combo->ItemHeight(), FontTextHeight(grid->Font()) + 2})
          where += (where.empty() ? "" : " ") + std::to_string(v);
        Log("lists", where.c_str());
      });
    }
    lists->Show();
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
