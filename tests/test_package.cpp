#include <gtest/gtest.h>

#include <array>

#include "colsel/colsel.h"
#include "gradfl/gradfl.h"
#include "meter/meter.h"
#include "package/framework/controls/forms.h"
#include "package/package.h"
#include "sevenseg/sevenseg.h"
#include "support/support.h"

using namespace jox;

namespace {
// A unit table the way units keep theirs.
int gBuilds = 0;
const std::array<String, 3>& DemoTable() {
  static TUnitTable<std::array<String, 3>> table(juOnOffBut, [] {
    ++gBuilds;
    return std::array<String, 3>{u"OOBBULB", u"OOBSWITCH", u"OOBLED"};
  });
  return table.Get();
}
}  // namespace

TEST(Package, InfoTableListsTheUnitsInOrderWithRoutines) {
  const TPackageInfoTable& t = GetPackageInfoTable();
  EXPECT_EQ(t.Name, u"joxwidgets_rt_120XS");
  ASSERT_EQ(t.Units.size(), 17u);
  EXPECT_EQ(t.Units.front().Name, u"numio");
  EXPECT_EQ(t.Units[1].Name, u"replist");
  EXPECT_EQ(t.Units.back().Name, u"marksel");
  for (size_t i = 0; i < t.Units.size(); ++i) {
    EXPECT_EQ(t.Units[i].Unit, TJoxUnit(i));
    EXPECT_NE(t.Units[i].Startup, nullptr);
    EXPECT_NE(t.Units[i].Shutdown, nullptr);
  }
  EXPECT_EQ(t.Requires, (std::vector<String>{u"jox_framework", u"joxcore", u"joxnumerics"}));
}

TEST(Package, CountersAcrossLoadUnloadLoadUnload) {
  gBuilds = 0;
  InitializePackage();
  for (Integer u = 0; u < JoxUnitCount; ++u) EXPECT_EQ(UnitRefCount(TJoxUnit(u)), -1);
  const String* first = &DemoTable()[0];
  InitializePackage();  // a second load nests
  EXPECT_EQ(UnitRefCount(juOnOffBut), -2);
  FinalizePackage();
  // Not the last unload: the table stays where it was.
  EXPECT_EQ(UnitRefCount(juOnOffBut), -1);
  EXPECT_EQ(&DemoTable()[0], first);
  EXPECT_EQ(gBuilds, 1);
  FinalizePackage();
  EXPECT_EQ(UnitRefCount(juOnOffBut), 0);
  EXPECT_FALSE(UnitStarted(juOnOffBut));

  // Reloaded, the table is there again with its contents.
  InitializePackage();
  EXPECT_EQ(DemoTable()[2], u"OOBLED");
  EXPECT_EQ(gBuilds, 2);
  FinalizePackage();
  // An extra unload does not push the counter past 0 (the next load/unload would never release).
  FinalizePackage();
  EXPECT_EQ(UnitRefCount(juOnOffBut), 0);
  { TPackageLoad load; EXPECT_TRUE(UnitStarted(juMarkSel)); }
  EXPECT_EQ(UnitRefCount(juMarkSel), 0);
}

TEST(Package, FinalizersRunInRegistrationOrderOnlyAtTheLastShutdown) {
  std::vector<int> order;
  Integer a = RegisterUnitFinalizer(juRepList, [&] { order.push_back(1); });
  Integer b = RegisterUnitFinalizer(juRepList, [&] { order.push_back(2); });
  UnitStartup(juRepList);
  UnitStartup(juRepList);
  UnitShutdown(juRepList);
  EXPECT_TRUE(order.empty());
  UnitShutdown(juRepList);
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
  UnregisterUnitFinalizer(a);
  UnitStartup(juRepList);
  UnitShutdown(juRepList);
  EXPECT_EQ(order, (std::vector<int>{1, 2, 2}));
  UnregisterUnitFinalizer(b);
}

namespace {
bool Lists(const TClassInfo& c, const char16_t* name) { return c.FindProp(name) != nullptr; }
}  // namespace

// The control bases publish nothing; each table lists exactly what its class publishes, its own lines
// winning over the framework's.
TEST(Package, ClassTablesPublishTheirOwnLists) {
  EXPECT_EQ(TControl::ClassInfo().AllProps().size(), TComponent::ClassInfo().AllProps().size());
  EXPECT_EQ(TWinControl::ClassInfo().AllProps().size(), TComponent::ClassInfo().AllProps().size());

  const TClassInfo& meter = TMeter::ClassInfo();
  for (const char16_t* n : {u"Left", u"Width", u"DragMode", u"OnStartDrag", u"Font", u"Name", u"Tag"})
    EXPECT_TRUE(Lists(meter, n)) << ToUtf8(n);
  for (const char16_t* n : {u"TabStop", u"Anchors", u"PopupMenu", u"OnKeyDown"})
    EXPECT_FALSE(Lists(meter, n)) << ToUtf8(n);
  EXPECT_FALSE(Lists(TGradFill::ClassInfo(), u"Font"));
  EXPECT_TRUE(Lists(TSevenSeg::ClassInfo(), u"OnResize"));

  TColSel sel(nullptr);
  const TPropInfo* tabStop = TColSel::ClassInfo().FindProp(u"TabStop");
  ASSERT_NE(tabStop, nullptr);
  EXPECT_TRUE(tabStop->IsDefault(sel));  // the selector's own default, true
  EXPECT_TRUE(Lists(TColSel::ClassInfo(), u"DropDownCount"));

  EXPECT_THROW(TClassBuilder<TControl>(nullptr).Publish(ControlProperties(), {"NoSuchProperty"}), std::logic_error);
}

TEST(Package, SharedTexts) {
  EXPECT_EQ(NoTimerText(u"T1"), u"Component \"T1\": no timer available");
  EXPECT_EQ(NotEnoughMemoryText(u"RL"), u"Component \"RL\": not enough memory on heap");
  EXPECT_EQ(InitFailedText(u"D"), u"Component \"D\": failed to initialize (out of memory)");
  EXPECT_EQ(TableEditorInitFailedText(u"E"), u"Component \"E\": failed to initialize table editor (out of memory)");
  EXPECT_EQ(IntegerOverflowText(u"N"), u"Component \"N\": integer overflow");
}

TEST(Package, ColorSchemeLineColors) {
  TColor gray = 1, white = 1, black = 1;
  SchemeLineColors(csClassic, true, seAllElements, gray, white, &black);
  EXPECT_EQ(gray, clGray);
  EXPECT_EQ(white, clWhite);
  EXPECT_EQ(black, 1u);
  SchemeLineColors(csSystem, true, seAllElements, gray, white, &black);
  EXPECT_EQ(gray, clBtnShadow);
  EXPECT_EQ(white, clBtnHighlight);
  StyleServices()->SetEnabled(true);
  StyleServices()->SetStyleColor(scBorder, 0x123456);
  SchemeLineColors(csSystem, false, seAllElements, gray, white, &black);  // component without styles
  EXPECT_EQ(gray, clBtnShadow);
  SchemeLineColors(csSystem, true, TStyleElements(seFont), gray, white, &black);
  EXPECT_EQ(gray, clBtnShadow);
  SchemeLineColors(csSystem, true, seAllElements, gray, white, &black);
  EXPECT_EQ(gray, 0x123456u);
  EXPECT_EQ(white, 0x123456u);
  EXPECT_EQ(black, 0x123456u);
  StyleServices()->SetEnabled(false);
}

// [timer window] -----------------------------------------------------------------
namespace {
// A ticking component as the units write them.
class TTicker : public TComponent {
 public:
  explicit TTicker(TComponent* AOwner) : TComponent(AOwner) {
    FTimerWnd = std::make_unique<TTimerWindow>(this, [this] { DoTimer(); }, TTimerWindow::ErrorClass<EJOXProgBar>());
  }
  Cardinal Interval() const { return FInterval; }
  void SetInterval(Cardinal v) {
    FInterval = v;
    FTimerWnd->IntervalChanged(FInterval, FEnabled);
  }
  void SetEnabled(bool v) {
    FEnabled = v;
    FTimerWnd->UpdateTimer(FInterval, FEnabled);
  }
  TTimerWindow& Window() { return *FTimerWnd; }
  int Ticks = 0;
  bool Throw = false;

 private:
  void DoTimer() {
    ++Ticks;
    if (Throw) throw EJOXError(u"tick failed");
  }
  std::unique_ptr<TTimerWindow> FTimerWnd;
  Cardinal FInterval = 0;
  bool FEnabled = true;
};

class TimerWindow : public test::FrameworkTest {
 protected:
  void TearDown() override {
    Application->UseVirtualClock(false);
    FrameworkTest::TearDown();
  }
};
}  // namespace

TEST_F(TimerWindow, TicksWithIdentifierOneAndStopsWithTheComponent) {
  HWND wnd;
  {
    TTicker t(nullptr);
    wnd = t.Window().Handle();
    EXPECT_TRUE(IsWindow(wnd));
    t.SetInterval(100);
    EXPECT_TRUE(Application->TimerActive(wnd, 1));
    EXPECT_EQ(Application->TimerInterval(wnd, 1), 100u);
    Application->Advance(350);
    EXPECT_EQ(t.Ticks, 3);
    t.SetInterval(200);  // restarts from now
    Application->Advance(199);
    EXPECT_EQ(t.Ticks, 3);
    Application->Advance(1);
    EXPECT_EQ(t.Ticks, 4);
    t.SetEnabled(false);
    EXPECT_FALSE(t.Window().Running());
    Application->Advance(1000);
    EXPECT_EQ(t.Ticks, 4);
    t.SetEnabled(true);
    t.SetInterval(0);  // no interval, no timer
    EXPECT_FALSE(Application->TimerActive(wnd, 1));
    t.SetInterval(50);
  }
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_FALSE(Application->TimerActive(wnd, 1));
}

TEST_F(TimerWindow, ExceptionInTickReachesHandleExceptionAndTimerKeepsRunning) {
  TTicker t(nullptr);
  t.SetName(u"T1");
  std::vector<String> seen;
  TObject* sender = nullptr;
  Application->SetOnException([&](TObject* s, Exception& e) {
    sender = s;
    seen.push_back(e.Message());
  });
  t.Throw = true;
  t.SetInterval(100);
  Application->Advance(300);
  EXPECT_EQ(t.Ticks, 3);
  EXPECT_EQ(seen, (std::vector<String>(3, u"tick failed")));
  EXPECT_EQ(sender, &t);
  EXPECT_TRUE(Application->TimerActive(t.Window().Handle(), 1));
}

TEST_F(TimerWindow, FullTimerTableRaisesTheUnitsError) {
  TTicker t(nullptr);
  t.SetName(u"T1");
  Application->SetTimerCapacity(Application->TimerCount());
  try {
    t.SetInterval(100);
    FAIL();
  } catch (const EJOXProgBar& e) {
    EXPECT_EQ(e.Message(), u"Component \"T1\": no timer available");
  }
  EXPECT_FALSE(t.Window().Running());
}

TEST_F(TimerWindow, DesignTimeIntervalChangeStartsNoTimer) {
  TComponent form(nullptr);
  auto* t = new TTicker(&form);
  form.SetDesigning(true);
  t->SetInterval(100);
  EXPECT_EQ(t->Interval(), 100u);
  EXPECT_FALSE(Application->TimerActive(t->Window().Handle(), 1));
  Application->Advance(500);
  EXPECT_EQ(t->Ticks, 0);
}

TEST_F(TimerWindow, OtherMessagesGoToTheDefaultHandler) {
  TTicker t(nullptr);
  HWND asked = 0;
  Application->SetDefWindowProcHook([&](HWND w, Cardinal msg, intptr_t, intptr_t) -> intptr_t {
    asked = w;
    return msg == WM_USER ? 77 : 0;
  });
  EXPECT_EQ(SendMessage(t.Window().Handle(), WM_USER, 0, 0), 77);
  EXPECT_EQ(asked, t.Window().Handle());
  TMessage m{WM_USER, 0, 0, 0};
  t.Window().WndProc(m);
  EXPECT_EQ(m.Result, 77);
  Application->SetDefWindowProcHook(nullptr);
  EXPECT_EQ(t.Ticks, 0);
}
