// joxwidgets-gallery: every page painted headless into PNG files (default), or shown in a window.
//   joxwidgets-gallery [--out DIR] [--page NAME] [--list]
//   joxwidgets-gallery --window [--page NAME] [--frames N] [--click X,Y]... [--screenshot FILE]
//   joxwidgets-gallery --help
// In the window: the page tabs along the top; a click on a tab, Ctrl+Tab / Ctrl+Shift+Tab or
// Ctrl+PageDown / Ctrl+PageUp switch pages.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "gallery/gallery.h"
#include "package/framework/framework.h"
#include "package/framework/controls/accessible.h"
#include "package/framework/controls/popups.h"
#ifdef JOX_HAVE_SDL
#include "package/backends/sdl/backend_sdl.h"
#endif

using namespace jox;

namespace {

struct Args {
  std::string out = "gallery-out";
  std::string page;
  bool window = false, list = false, help = false;
  int frames = 0;
  std::vector<TPoint> clicks;
  std::string screenshot;
};

bool Parse(int argc, char** argv, Args& a) {
  for (int i = 1; i < argc; ++i) {
    std::string s = argv[i];
    auto next = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
    const char* v = nullptr;
    if (s == "--help" || s == "-h") a.help = true;
    else if (s == "--window") a.window = true;
    else if (s == "--list") a.list = true;
    else if (s == "--out" && (v = next())) a.out = v;
    else if (s == "--page" && (v = next())) a.page = v;
    else if (s == "--frames" && (v = next())) a.frames = std::atoi(v);
    else if (s == "--screenshot" && (v = next())) a.screenshot = v;
    else if (s == "--click" && (v = next())) {
      int x = 0, y = 0;
      if (std::sscanf(v, "%d,%d", &x, &y) != 2) return false;
      a.clicks.push_back({x, y});
    } else {
      return false;
    }
  }
  return true;
}

std::vector<gallery::Page> Selected(const Args& a) {
  std::vector<gallery::Page> pages = gallery::SortedPages();
  if (!a.page.empty())
    pages.erase(std::remove_if(pages.begin(), pages.end(), [&](const gallery::Page& p) { return p.name != a.page; }),
                pages.end());
  return pages;
}

int WriteImages(const Args& a) {
  std::filesystem::create_directories(a.out);
  std::vector<std::unique_ptr<TForm>> forms;
  std::vector<std::pair<std::string, TBitmap*>> pictures;
  for (const gallery::Page& p : Selected(a)) {
    forms.push_back(gallery::PicturePage(p));
    TBitmap* s = forms.back()->Surface();
    const std::string file = a.out + "/" + p.name + ".png";
    s->SaveToFile(FromUtf8(file));
    std::printf("%s (%dx%d)\n", file.c_str(), s->Width(), s->Height());
    pictures.push_back({p.name, s});
  }
  if (pictures.empty()) {
    std::fprintf(stderr, "no page%s%s\n", a.page.empty() ? "" : " named ", a.page.c_str());
    return 1;
  }
  auto all = gallery::TilePages(pictures);
  const std::string file = a.out + "/gallery.png";
  all->SaveToFile(FromUtf8(file));
  std::printf("%s (%dx%d)\n", file.c_str(), all->Width(), all->Height());
  return 0;
}

// [window] ---------------------------------------------------------------------------------------------------
constexpr Integer kTabH = 24;
// Height a window manager's title bar may take above a window as large as the work area.
constexpr Integer kTitleRoom = 32;

// The page list: one tab per page along the top of the window, in as many rows as the width needs.
class TPageTabs : public TCustomControl {
 public:
  TPageTabs(TComponent* owner, std::vector<std::string> names) : TCustomControl(owner), FNames(std::move(names)) {
    SetHeight(RowHeight());
    Font()->SetName(u"Tahoma");
    Font()->SetSize(8);
  }
  std::function<void(int)> OnSelect;
  int Current = 0;
  static constexpr Integer kPad = 20, kMinPad = 8, kGap = 2, kInset = 4;
  // A row of tabs at the window's scale.
  Integer RowHeight() const { return ScaledMetric(this, kTabH); }

  // The tabs' places for a width: one row with margins narrowed to fit (never a tab cut off), or
  // several rows. Texts are measured bold, as the current tab is drawn, so tabs do not move when
  // another is chosen. Returns the number of rows.
  Integer Layout(Integer Width) {
    TCanvas* c = Canvas();
    c->Font()->Assign(Font());
    c->Font()->SetStyle(TFontStyles(fsBold));
    const Integer inset = ScaledMetric(this, kInset), gap = ScaledMetric(this, kGap), rowH = RowHeight();
    const Integer padMin = ScaledMetric(this, kMinPad), padMax = ScaledMetric(this, kPad);
    std::vector<Integer> text;
    Integer all = 2 * inset;
    for (const std::string& n : FNames) {
      text.push_back(c->TextWidth(FromUtf8(n)));
      all += text.back() + gap;
    }
    c->Font()->SetStyle(TFontStyles());
    const Integer n = std::max<Integer>(Integer(FNames.size()), 1);
    const bool oneRow = all + n * padMin <= Width;
    const Integer pad = oneRow ? std::clamp((Width - all) / n, padMin, padMax) : padMax;
    FRects.clear();
    Integer x = inset, row = 0;
    for (Integer w : text) {
      w += pad;
      if (!oneRow && x > inset && x + w > Width - inset) {
        x = inset;
        ++row;
      }
      FRects.push_back(Rect(x, row * rowH, x + w, (row + 1) * rowH));
      x += w + gap;
    }
    return row + 1;
  }

  void Paint() override {
    Layout(Width());
    TCanvas* c = Canvas();
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(Rect(0, 0, Width(), Height()));
    c->Pen()->SetColor(clBtnShadow);
    c->MoveTo(0, Height() - 1);
    c->LineTo(Width(), Height() - 1);
    for (size_t i = 0; i < FRects.size(); ++i) {
      const String text = FromUtf8(FNames[i]);
      const bool cur = int(i) == Current;
      c->Font()->SetStyle(cur ? TFontStyles(fsBold) : TFontStyles());
      const TRect cell = FRects[i];
      TRect r = Rect(cell.Left, cell.Top + ScaledMetric(this, cur ? 2 : 4), cell.Right, cell.Bottom - (cur ? 0 : 1));
      c->Brush()->SetColor(cur ? clWindow : clBtnFace);
      c->Pen()->SetColor(clBtnShadow);
      c->Rectangle(r.Left, r.Top, r.Right, r.Bottom + (cur ? 1 : 0));
      c->Pen()->SetColor(clBtnHighlight);
      c->MoveTo(r.Left + 1, r.Bottom - 1);
      c->LineTo(r.Left + 1, r.Top + 1);
      c->LineTo(r.Right - 1, r.Top + 1);
      c->Brush()->SetStyle(bsClear);
      c->TextOut(r.Left + (r.Width() - c->TextWidth(text)) / 2, r.Top + (r.Height() - c->TextHeight(text)) / 2,
                 text);
    }
  }

 protected:
  // A page tab list for assistive technology: each tab an item, "select" shows its page.
  class TTabsAccessible : public TControlAccessible {
   public:
    using TControlAccessible::TControlAccessible;
    TAccRole Role() const override { return arPageTabList; }
    Integer ItemCount() const override { return Integer(Tabs()->FNames.size()); }
    bool DescribeItem(TAccKey Key, TItemInfo& Info) const override {
      if (Key < 0 || Key >= ItemCount()) return false;
      Info.Role = arPageTab;
      Info.Name = FromUtf8(Tabs()->FNames[size_t(Key)]);
      Info.States = asSelectable | asVisible | (Key == Tabs()->Current ? TAccStates(asSelected) : 0);
      if (size_t(Key) < Tabs()->FRects.size()) Info.Bounds = Tabs()->FRects[size_t(Key)];
      Info.Actions = {kActSelect};
      return true;
    }
    bool DoItemAction(TAccKey Key, Integer Action) override {
      if (Action != 0 || Key < 0 || Key >= ItemCount() || !Tabs()->OnSelect) return false;
      Tabs()->OnSelect(int(Key));
      return true;
    }
    TPageTabs* Tabs() const { return static_cast<TPageTabs*>(Control()); }
  };
  TAccessible* CreateAccessible() override { return new TTabsAccessible(this); }

  void MouseDown(TMouseButton b, TShiftState s, Integer X, Integer Y) override {
    TCustomControl::MouseDown(b, s, X, Y);
    for (size_t i = 0; i < FRects.size(); ++i)
      if (FRects[i].Contains({X, Y}) && OnSelect) OnSelect(int(i));
  }

 private:
  std::vector<std::string> FNames;
  std::vector<TRect> FRects;
};

// The page shown, scrolled when the window is smaller than the page (a large scale on a small screen).
class TPageView : public TCustomScrollControl {
 public:
  explicit TPageView(TComponent* owner) : TCustomScrollControl(owner) {
    SetControlStyle(ControlStyle() | csOpaque);
    SetColor(clBtnFace);
  }
  void ShowPage(TForm* page) {
    FPage = page;
    SetScrollInfo(sbHorizontal, 0, 0, 0, 0);
    SetScrollInfo(sbVertical, 0, 0, 0, 0);
    Layout();
  }
  // Ranges for the page and the room left; a bar that appears narrows the other side, so twice.
  void Layout() {
    if (!FPage) return;
    for (int pass = 0; pass < 2; ++pass) {
      SetScrollInfo(sbHorizontal, 0, FPage->Width() - 1, ClientWidth(), ScrollPos(sbHorizontal));
      SetScrollInfo(sbVertical, 0, FPage->Height() - 1, ClientHeight(), ScrollPos(sbVertical));
    }
    const Integer line = ScaledMetric(this, 20);
    SetLineSize(sbHorizontal, line);
    SetLineSize(sbVertical, line);
    Place();
  }

 protected:
  void Resize() override {
    TCustomScrollControl::Resize();
    Layout();
  }
  void ScrollPosChanged(TScrollBarKind Kind, Integer OldPos) override {
    TCustomScrollControl::ScrollPosChanged(Kind, OldPos);
    Place();
  }

 private:
  void Place() {
    if (FPage) FPage->SetBounds(-ScrollPos(sbHorizontal), -ScrollPos(sbVertical), FPage->Width(), FPage->Height());
  }
  TForm* FPage = nullptr;
};

int RunWindow(const Args& a) {
#ifdef JOX_HAVE_SDL
  std::vector<gallery::Page> pages = Selected(a);
  if (pages.empty()) {
    std::fprintf(stderr, "no pages\n");
    return 1;
  }
  // The desktop's scale and work area, before the pages are laid out for them (Run reports a failure).
  sdl::Init();
  TForm host(nullptr);
  host.SetCaption(u"joxwidgets gallery");
  host.SetKeyPreview(true);
  std::vector<std::string> names;
  std::vector<TForm*> forms;
  Integer w = 480, h = 200;
  for (const gallery::Page& p : pages) {
    auto* f = new TForm(&host);
    f->SetCaption(FromUtf8(p.name));
    p.build(f);
    w = std::max(w, f->Width());
    h = std::max(h, f->Height());
    names.push_back(p.name);
    forms.push_back(f);
  }
  // The window starts with every page's popups closed.
  popups::CancelAll();
  auto* tabs = new TPageTabs(&host, names);
  tabs->SetParent(&host);
  tabs->SetAlign(alTop);
  auto* view = new TPageView(&host);
  view->SetParent(&host);
  // Every tab shows: in one row if the pages are wide enough, else in more.
  tabs->SetHeight(tabs->RowHeight() * tabs->Layout(w));
  host.SetClientWidth(w);
  host.SetClientHeight(h + tabs->Height());
  view->SetBounds(0, tabs->Height(), w, h);
  view->SetAlign(alClient);
  for (TForm* f : forms) {
    f->SetParent(view);
    f->SetLeft(0);
    f->SetTop(0);
  }
  // At the screen's scale, then no larger than the work area (a title bar's room left above it): a
  // page that does not fit scrolls.
  host.ApplyScale();
  const TRect area = Screen->WorkAreaOf(nullptr);
  const Integer roomW = area.Width(), roomH = area.Height() - ScaledMetric(&host, kTitleRoom);
  if (host.Width() > roomW || host.Height() > roomH) {
    host.SetBounds(area.Left, area.Top, std::min(host.Width(), roomW), std::min(host.Height(), roomH));
    tabs->SetHeight(tabs->RowHeight() * tabs->Layout(host.ClientWidth()));
  }
  auto select = [&](int i) {
    const int n = int(forms.size());
    i = ((i % n) + n) % n;
    for (int k = 0; k < n; ++k) forms[size_t(k)]->SetVisible(k == i);
    view->ShowPage(forms[size_t(i)]);
    tabs->Current = i;
    tabs->Invalidate();
    host.SetCaption(FromUtf8("joxwidgets gallery - " + names[size_t(i)]));
  };
  tabs->OnSelect = select;
  host.SetOnKeyDown([&](TObject*, Word& key, TShiftState shift) {
    if (!(shift & ssCtrl)) return;
    if (key == VK_TAB) select(tabs->Current + ((shift & ssShift) ? -1 : 1));
    else if (key == VK_NEXT) select(tabs->Current + 1);
    else if (key == VK_PRIOR) select(tabs->Current - 1);
    else return;
    key = 0;
  });
  select(0);
  host.Show();
  sdl::TRunOptions opt;
  opt.MaxFrames = a.frames;
  opt.Clicks = a.clicks;
  opt.Screenshot = a.screenshot;
  const int rc = sdl::Run(&host, opt);
  sdl::Shutdown();
  return rc;
#else
  (void)a;
  std::fprintf(stderr, "built without SDL2: no window\n");
  return 1;
#endif
}

}  // namespace

int main(int argc, char** argv) {
  Args a;
  const bool parsed = Parse(argc, argv, a);
  if (!parsed || a.help) {
    // Asked for, the usage is the answer (stdout, success); after a wrong argument it is the error.
    std::fprintf(parsed ? stdout : stderr,
                 "usage: joxwidgets-gallery [--out DIR] [--page NAME] [--list]\n"
                 "       joxwidgets-gallery --window [--page NAME] [--frames N] [--click X,Y]... "
                 "[--screenshot FILE]\n");
    return parsed ? 0 : 2;
  }
  try {
    if (a.list) {
      for (const gallery::Page& p : gallery::SortedPages()) std::printf("%s\n", p.name.c_str());
      return 0;
    }
    gallery::SetFilesDir(std::filesystem::path(a.out) / "files");
    return a.window ? RunWindow(a) : WriteImages(a);
  } catch (std::exception& e) {
    std::fprintf(stderr, "gallery: %s\n", e.what());
    return 1;
  }
}
