// The tree view: node structure, expansion with lazy loading, selection moves, keys, mouse, sorting,
// label editing and the looks.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "package/framework/framework.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

class TreeViewTest : public jox::test::FrameworkTest {};

struct Fixture {
  TForm form{nullptr};
  TTreeView* tv;
  Fixture() {
    form.SetBounds(0, 0, 400, 400);
    tv = new TTreeView(&form);
    tv->SetParent(&form);
    tv->SetBounds(10, 10, 200, 200);
  }
  // Centre of a node's label and of its button, in the tree's client coordinates.
  TPoint LabelAt(TTreeNode* n) {
    const TRect r = n->DisplayRect(true);
    return Point(r.Left + 4, (r.Top + r.Bottom) / 2);
  }
  TPoint ButtonAt(TTreeNode* n) {
    const TRect r = n->DisplayRect(true);
    return Point(r.Left - 1 - tv->Indent() + tv->Indent() / 2, (r.Top + r.Bottom) / 2);
  }
};

std::vector<std::string> Texts(TTreeNode* parent) {
  std::vector<std::string> v;
  for (Integer i = 0; i < parent->Count(); ++i) v.push_back(ToUtf8(parent->Item(i)->Text()));
  return v;
}

TEST_F(TreeViewTest, NodesKeepOrderIndicesAndTreeOrder) {
  Fixture f;
  TTreeNodes* items = f.tv->Items();
  TTreeNode* a = items->Add(nullptr, u"a");
  TTreeNode* c = items->Add(a, u"c");
  TTreeNode* b = items->Insert(c, u"b");
  TTreeNode* a1 = items->AddChild(a, u"a1");
  TTreeNode* a0 = items->AddChildFirst(a, u"a0");
  EXPECT_EQ(items->Count(), 5);
  EXPECT_EQ(b->Index(), 1);
  EXPECT_EQ(c->Index(), 2);
  EXPECT_EQ(Texts(a), (std::vector<std::string>{"a0", "a1"}));
  EXPECT_EQ(a0->Level(), 1);
  EXPECT_EQ(a->GetNext(), a0);
  EXPECT_EQ(a1->GetNext(), b);
  EXPECT_EQ(b->GetPrev(), a1);
  EXPECT_EQ(items->Item(3), b);
  EXPECT_EQ(b->AbsoluteIndex(), 3);
  // Collapsed: the children have no row.
  EXPECT_EQ(f.tv->RowCount(), 3);
  EXPECT_EQ(a->GetNextVisible(), b);
  a->Expand(false);
  EXPECT_EQ(f.tv->RowCount(), 5);
  EXPECT_EQ(f.tv->RowOf(b), 3);
  // Moving a node carries its children.
  a->MoveTo(c, naAddChild);
  EXPECT_EQ(a->Parent(), c);
  EXPECT_EQ(items->Count(), 5);
  EXPECT_EQ(b->Index(), 0);
  EXPECT_EQ(c->Index(), 1);
}

TEST_F(TreeViewTest, DeletingTheSelectionSelectsANeighbourAndClearIsQuiet) {
  Fixture f;
  TTreeNodes* items = f.tv->Items();
  TTreeNode* p = items->Add(nullptr, u"p");
  TTreeNode* x = items->AddChild(p, u"x");
  TTreeNode* y = items->AddChild(p, u"y");
  TTreeNode* z = items->AddChild(p, u"z");
  std::vector<TTreeNode*> changes;
  int deletions = 0;
  f.tv->SetOnChange([&](TObject*, TTreeNode* n) { changes.push_back(n); });
  f.tv->SetOnDeletion([&](TObject*, TTreeNode*) { ++deletions; });
  f.tv->SetSelected(y);
  EXPECT_TRUE(p->Expanded());  // selecting makes the node visible
  y->Delete();
  EXPECT_EQ(f.tv->Selected(), z);  // the next sibling
  z->Delete();
  EXPECT_EQ(f.tv->Selected(), x);  // else the previous one
  x->Delete();
  EXPECT_EQ(f.tv->Selected(), p);  // else the parent
  EXPECT_FALSE(p->Expanded());
  EXPECT_EQ(changes, (std::vector<TTreeNode*>{y, z, x, p}));
  EXPECT_EQ(deletions, 3);
  // Deleting a subtree that holds the selection; a node deleted with delete unlinks itself.
  TTreeNode* q = items->Add(nullptr, u"q");
  TTreeNode* deep = items->AddChild(items->AddChild(p, u"k"), u"deep");
  f.tv->SetSelected(deep);
  p->Delete();
  EXPECT_EQ(f.tv->Selected(), q);
  delete q;
  EXPECT_EQ(items->Count(), 0);
  EXPECT_EQ(f.tv->Selected(), nullptr);
  items->Add(nullptr, u"r");
  f.tv->SetSelected(items->GetFirstNode());
  changes.clear();
  items->Clear();
  EXPECT_TRUE(changes.empty());
  EXPECT_EQ(f.tv->Selected(), nullptr);
  EXPECT_EQ(f.tv->RowCount(), 0);
}

TEST_F(TreeViewTest, ExpandingAsksFirstAndMayLoadOrRefuse) {
  Fixture f;
  TTreeNodes* items = f.tv->Items();
  TTreeNode* lazy = items->Add(nullptr, u"lazy");
  lazy->SetHasChildren(true);
  TTreeNode* empty = items->Add(nullptr, u"empty");
  empty->SetHasChildren(true);
  TTreeNode* locked = items->Add(nullptr, u"locked");
  items->AddChild(locked, u"hidden");
  int loads = 0;
  std::vector<std::string> events;
  f.tv->SetOnExpanding([&](TObject*, TTreeNode* n, bool& allow) {
    events.push_back("expanding " + ToUtf8(n->Text()));
    if (n == locked) allow = false;
    if (n == lazy && n->Count() == 0) {
      ++loads;
      for (int i = 0; i < 3; ++i) f.tv->Items()->AddChild(n, u"child");
    }
  });
  f.tv->SetOnExpanded([&](TObject*, TTreeNode* n) { events.push_back("expanded " + ToUtf8(n->Text())); });
  f.tv->SetOnCollapsing([&](TObject*, TTreeNode* n, bool&) { events.push_back("collapsing " + ToUtf8(n->Text())); });
  f.tv->SetOnCollapsed([&](TObject*, TTreeNode* n) { events.push_back("collapsed " + ToUtf8(n->Text())); });
  lazy->Expand(false);
  lazy->Collapse(false);
  lazy->Expand(false);
  EXPECT_EQ(loads, 1);
  EXPECT_EQ(lazy->Count(), 3);
  locked->Expand(false);
  EXPECT_FALSE(locked->Expanded());
  // A node that turns out empty loses its button and does not count as expanded.
  empty->Expand(false);
  EXPECT_FALSE(empty->Expanded());
  EXPECT_FALSE(empty->HasChildren());
  EXPECT_EQ(events, (std::vector<std::string>{"expanding lazy", "expanded lazy", "collapsing lazy", "collapsed lazy",
                                              "expanding lazy", "expanded lazy", "expanding locked",
                                              "expanding empty"}));
  // Collapsing hides the selected child: the selection moves to the collapsed node.
  f.tv->SetSelected(lazy->Item(2));
  lazy->Collapse(false);
  EXPECT_EQ(f.tv->Selected(), lazy);
}

TEST_F(TreeViewTest, ChangingCanRefuseASelection) {
  Fixture f;
  TTreeNode* a = f.tv->Items()->Add(nullptr, u"a");
  TTreeNode* b = f.tv->Items()->Add(nullptr, u"b");
  f.tv->SetSelected(a);
  int changes = 0;
  f.tv->SetOnChanging([&](TObject*, TTreeNode* n, bool& allow) { allow = n != b; });
  f.tv->SetOnChange([&](TObject*, TTreeNode*) { ++changes; });
  f.tv->SetSelected(b);
  jox::input::KeyPress(f.tv, VK_DOWN);
  EXPECT_EQ(f.tv->Selected(), a);
  EXPECT_EQ(changes, 0);
  EXPECT_FALSE(b->Selected());
}

TEST_F(TreeViewTest, KeysWalkExpandAndCollapse) {
  Fixture f;
  TTreeNodes* items = f.tv->Items();
  TTreeNode* a = items->Add(nullptr, u"Apple");
  TTreeNode* a1 = items->AddChild(a, u"Apricot");
  TTreeNode* a1x = items->AddChild(a1, u"Almond");
  TTreeNode* b = items->Add(nullptr, u"Banana");
  TTreeNode* c = items->Add(nullptr, u"Cherry");
  jox::input::KeyPress(f.tv, VK_DOWN);  // nothing selected: the first row
  EXPECT_EQ(f.tv->Selected(), a);
  jox::input::KeyPress(f.tv, VK_RIGHT);  // expands
  EXPECT_TRUE(a->Expanded());
  jox::input::KeyPress(f.tv, VK_RIGHT);  // goes in
  EXPECT_EQ(f.tv->Selected(), a1);
  jox::input::KeyPress(f.tv, VK_LEFT);  // a1 is closed: goes out
  EXPECT_EQ(f.tv->Selected(), a);
  jox::input::KeyPress(f.tv, VK_LEFT);  // collapses
  EXPECT_FALSE(a->Expanded());
  jox::input::KeyPress(f.tv, VK_END);
  EXPECT_EQ(f.tv->Selected(), c);
  jox::input::KeyPress(f.tv, VK_UP);
  EXPECT_EQ(f.tv->Selected(), b);
  jox::input::KeyPress(f.tv, VK_HOME);
  EXPECT_EQ(f.tv->Selected(), a);
  jox::input::KeyPress(f.tv, VK_MULTIPLY);  // everything below
  EXPECT_TRUE(a1->Expanded());
  EXPECT_EQ(f.tv->RowOf(a1x), 2);
  jox::input::KeyPress(f.tv, VK_SUBTRACT);
  EXPECT_FALSE(a->Expanded());
  jox::input::KeyPress(f.tv, VK_ADD);
  EXPECT_TRUE(a->Expanded());
  // Type to find: a letter again goes to the next match, a longer text stays on a match.
  jox::input::TypeText(f.tv, u"c");
  EXPECT_EQ(f.tv->Selected(), c);
  Application->AdvanceClock(1500);
  jox::input::TypeText(f.tv, u"a");
  EXPECT_EQ(f.tv->Selected(), a);  // wraps around
  jox::input::TypeText(f.tv, u"a");
  EXPECT_EQ(f.tv->Selected(), a1);
  Application->AdvanceClock(1500);
  jox::input::TypeText(f.tv, u"alm");
  EXPECT_EQ(f.tv->Selected(), a1x);
  Application->AdvanceClock(1500);
  jox::input::TypeText(f.tv, u"ban");
  EXPECT_EQ(f.tv->Selected(), b);
  // A whole name matches as well as a prefix: "fi" stays on Fix, "fig" goes on to Fig.
  TTreeNode* fix = items->Add(nullptr, u"Fix");
  TTreeNode* fig = items->Add(nullptr, u"Fig");
  Application->AdvanceClock(1500);
  jox::input::TypeText(f.tv, u"fi");
  EXPECT_EQ(f.tv->Selected(), fix);
  jox::input::TypeText(f.tv, u"g");
  EXPECT_EQ(f.tv->Selected(), fig);
}

TEST_F(TreeViewTest, PagesAndTheWheelMoveByRows) {
  Fixture f;
  TTreeNode* root = f.tv->Items()->Add(nullptr, u"root");
  for (int i = 0; i < 100; ++i) f.tv->Items()->AddChild(root, u"item " + IntToStr(i));
  root->Expand(false);
  f.tv->SetSelected(root);
  const Integer page = f.tv->VisibleCount();
  ASSERT_GT(page, 3);
  EXPECT_TRUE(f.tv->ScrollBarVisible(sbVertical));
  EXPECT_EQ(f.tv->ScrollInfo(sbVertical).Max, 100);
  jox::input::KeyPress(f.tv, VK_NEXT);
  EXPECT_EQ(f.tv->RowOf(f.tv->Selected()), page - 1);
  jox::input::KeyPress(f.tv, VK_END);
  EXPECT_EQ(f.tv->TopItem(), f.tv->NodeOfRow(101 - page));  // the last row at the bottom
  jox::input::KeyPress(f.tv, VK_HOME);
  EXPECT_EQ(f.tv->ScrollPos(sbVertical), 0);
  jox::input::MouseWheel(f.tv, 50, 50, -WHEEL_DELTA);
  EXPECT_EQ(f.tv->ScrollPos(sbVertical), kWheelScrollLines);
  EXPECT_EQ(f.tv->Selected(), root);  // the wheel scrolls, it does not select
}

TEST_F(TreeViewTest, MouseSelectsOnLabelsAndTogglesOnButtons) {
  Fixture f;
  TTreeNode* a = f.tv->Items()->Add(nullptr, u"alpha");
  TTreeNode* a1 = f.tv->Items()->AddChild(a, u"one");
  TTreeNode* b = f.tv->Items()->Add(nullptr, u"beta");
  TPoint p = f.ButtonAt(a);
  jox::input::Click(f.tv, p.X, p.Y);
  EXPECT_TRUE(a->Expanded());
  EXPECT_EQ(f.tv->Selected(), nullptr);  // the button does not select
  p = f.LabelAt(a1);
  jox::input::Click(f.tv, p.X, p.Y);
  EXPECT_EQ(f.tv->Selected(), a1);
  EXPECT_TRUE(f.tv->Focused());
  // Right of the label selects only with RowSelect.
  const TRect row = b->DisplayRect(false);
  jox::input::Click(f.tv, row.Right - 5, row.Top + 2);
  EXPECT_EQ(f.tv->Selected(), a1);
  f.tv->SetRowSelect(true);
  Application->AdvanceClock(1000);
  jox::input::Click(f.tv, row.Right - 5, row.Top + 2);
  EXPECT_EQ(f.tv->Selected(), b);
  // A double click on a label toggles its node, and is reported.
  int dbl = 0;
  f.tv->SetOnDblClick([&](TObject*) { ++dbl; });
  p = f.LabelAt(a);
  Application->AdvanceClock(1000);
  jox::input::DoubleClick(f.tv, p.X, p.Y);
  EXPECT_FALSE(a->Expanded());
  EXPECT_EQ(dbl, 1);
  EXPECT_EQ(f.tv->Selected(), a);
  EXPECT_FALSE(f.tv->IsEditing());
}

TEST_F(TreeViewTest, MultiSelectWithCtrlAndShift) {
  Fixture f;
  std::vector<TTreeNode*> n;
  for (int i = 0; i < 5; ++i) n.push_back(f.tv->Items()->Add(nullptr, u"n" + IntToStr(i)));
  f.tv->SetMultiSelect(true);
  auto click = [&](TTreeNode* node, TShiftState s) {
    const TPoint p = f.LabelAt(node);
    Application->AdvanceClock(1000);
    jox::input::Click(f.tv, p.X, p.Y, mbLeft, s);
  };
  click(n[1], {});
  click(n[3], ssCtrl);
  EXPECT_EQ(f.tv->SelectionCount(), 2);
  click(n[1], ssCtrl);  // toggles off
  EXPECT_EQ(f.tv->SelectionCount(), 1);
  EXPECT_TRUE(n[3]->Selected());
  click(n[3], {});
  click(n[0], ssShift);  // rows 3 down to 0
  EXPECT_EQ(f.tv->SelectionCount(), 4);
  EXPECT_EQ(f.tv->Selected(), n[0]);
  jox::input::KeyPress(f.tv, VK_DOWN, ssShift);
  EXPECT_EQ(f.tv->SelectionCount(), 3);  // still from n3: rows 1..3
  EXPECT_EQ(f.tv->Selected(), n[1]);
  click(n[2], ssCtrl);
  EXPECT_EQ(f.tv->SelectionCount(), 2);
  click(n[4], {});
  EXPECT_EQ(f.tv->SelectionCount(), 1);
  f.tv->SetMultiSelect(false);
  EXPECT_EQ(f.tv->SelectionCount(), 1);
  EXPECT_EQ(f.tv->Selected(), n[4]);
}

TEST_F(TreeViewTest, SortingIsCaseInsensitiveStableAndCustomisable) {
  Fixture f;
  TTreeNode* p = f.tv->Items()->Add(nullptr, u"p");
  for (const char16_t* s : {u"gamma", u"Beta", u"alpha", u"beta", u"Alpha"}) f.tv->Items()->AddChild(p, s);
  p->AlphaSort();
  EXPECT_EQ(Texts(p), (std::vector<std::string>{"alpha", "Alpha", "Beta", "beta", "gamma"}));
  EXPECT_EQ(p->Item(4)->Index(), 4);
  p->CustomSort([](TTreeNode* a, TTreeNode* b, Integer) { return CompareStr(b->Text(), a->Text()); }, 0);
  EXPECT_EQ(Texts(p), (std::vector<std::string>{"gamma", "beta", "alpha", "Beta", "Alpha"}));
  f.tv->SetOnCompare([](TObject*, TTreeNode* a, TTreeNode* b, Integer, Integer& r) {
    r = Integer(a->Text().size()) - Integer(b->Text().size());
  });
  f.tv->AlphaSort();
  EXPECT_EQ(ToUtf8(p->Item(0)->Text()), "beta");
}

TEST_F(TreeViewTest, LabelEditingCommitsCancelsAndHonoursReadOnly) {
  Fixture f;
  TTreeNode* a = f.tv->Items()->Add(nullptr, u"old");
  f.tv->SetSelected(a);
  f.tv->SetFocus();
  // Keys go to the form, which hands them to the focused control: the editor while editing.
  String edited;
  f.tv->SetOnEdited([&](TObject*, TTreeNode*, String& s) { edited = s; s += u"!"; });
  jox::input::KeyPress(&f.form, VK_F2);
  ASSERT_TRUE(f.tv->IsEditing());
  jox::input::TypeText(&f.form, u"new");
  jox::input::KeyPress(&f.form, VK_RETURN);
  EXPECT_FALSE(f.tv->IsEditing());
  EXPECT_EQ(edited, u"new");
  EXPECT_EQ(a->Text(), u"new!");
  EXPECT_TRUE(f.tv->Focused());
  jox::input::KeyPress(&f.form, VK_F2);
  jox::input::TypeText(&f.form, u"zzz");
  jox::input::KeyPress(&f.form, VK_ESCAPE);
  EXPECT_EQ(a->Text(), u"new!");
  // A second slow click on the selected label edits too.
  const TPoint p = f.LabelAt(a);
  Application->AdvanceClock(1000);
  EXPECT_TRUE(f.tv->Focused());
  jox::input::Click(f.tv, p.X, p.Y);
  EXPECT_TRUE(f.tv->IsEditing());
  a->EndEdit(true);
  f.tv->SetReadOnly(true);
  jox::input::KeyPress(&f.form, VK_F2);
  EXPECT_FALSE(f.tv->IsEditing());
  EXPECT_FALSE(a->EditText());
}

TEST_F(TreeViewTest, ClassicAndExplorerLooks) {
  Fixture f;
  TTreeNode* a = f.tv->Items()->Add(nullptr, u"alpha");
  f.tv->Items()->AddChild(a, u"one");
  TTreeNode* b = f.tv->Items()->Add(nullptr, u"beta");
  f.tv->SetSelected(b);
  f.tv->SetFocus();
  f.tv->Repaint();
  TCanvas* c = f.tv->Canvas();
  const TPoint bt = f.ButtonAt(a);
  // The classic box: grey frame, window inside, a black plus.
  EXPECT_TRUE(jox::test::PixelNear(c, bt.X - 4, bt.Y, clGray, 0));
  EXPECT_TRUE(jox::test::PixelNear(c, bt.X - 3, bt.Y - 3, clWhite, 0));
  EXPECT_TRUE(jox::test::PixelNear(c, bt.X, bt.Y - 2, clBlack, 0));
  EXPECT_TRUE(jox::test::PixelNear(c, bt.X + 2, bt.Y, clBlack, 0));
  // Dotted line from the button down to beta's joint.
  const TPoint bb = f.ButtonAt(b);
  Integer dots = 0;
  for (Integer y = bt.Y + 6; y < bb.Y; ++y) dots += c->Pixels(bt.X, y) == ColorToRGB(clGray);
  EXPECT_GE(dots, (bb.Y - bt.Y - 6) / 2 - 1);
  // The focused selection on the highlight.
  const TRect lb = b->DisplayRect(true);
  EXPECT_TRUE(jox::test::PixelNear(c, lb.Right - 2, lb.Top + 2, ColorToRGB(clHighlight), 0));
  // Explorer: no lines, no box; the whole row in light blue.
  f.tv->SetExplorerStyle(true);
  f.tv->Repaint();
  for (Integer y = bt.Y + 6; y < bb.Y - 4; ++y) EXPECT_NE(c->Pixels(bt.X, y), ColorToRGB(clGray));
  EXPECT_FALSE(jox::test::PixelNear(c, bt.X - 4, bt.Y, clGray, 0));
  const TRect row = b->DisplayRect(false);
  EXPECT_TRUE(jox::test::PixelNear(c, row.Right - 3, row.Top + 3, RGB(204, 232, 255), 0));
  // Hot tracking lights the row under the pointer and lets it go when the pointer moves on.
  f.tv->SetHotTrack(true);
  const TPoint la = f.LabelAt(a);
  jox::input::MouseMove(f.tv, la.X, la.Y);
  f.tv->Update();
  const TRect arow = a->DisplayRect(false);
  EXPECT_TRUE(jox::test::PixelNear(c, arow.Right - 3, arow.Top + 3, RGB(229, 243, 255), 0));
  jox::input::MouseMove(f.tv, la.X, row.Bottom + 30);
  f.tv->Update();
  EXPECT_TRUE(jox::test::PixelNear(c, arow.Right - 3, arow.Top + 3, clWhite, 0));
  f.tv->SetHotTrack(false);
  f.tv->Repaint();
  // The same picture double buffered.
  TBitmap direct;
  direct.SetSize(200, 200);
  direct.Canvas()->CopyRect(Rect(0, 0, 200, 200), c, Rect(0, 0, 200, 200));
  f.tv->SetDoubleBuffered(true);
  f.tv->Repaint();
  TBitmap buffered;
  buffered.SetSize(200, 200);
  buffered.Canvas()->CopyRect(Rect(0, 0, 200, 200), c, Rect(0, 0, 200, 200));
  EXPECT_TRUE(jox::test::BitmapsMatch(&buffered, &direct, 0));
}

TEST_F(TreeViewTest, TheHorizontalBarFollowsTheWidestShownRow) {
  Fixture f;
  TTreeNode* a = f.tv->Items()->Add(nullptr, u"short");
  TTreeNode* wide = f.tv->Items()->AddChild(a, u"a rather long folder name that does not fit in the tree");
  EXPECT_FALSE(f.tv->ScrollBarVisible(sbHorizontal));  // the long one is not shown yet
  a->Expand(false);
  EXPECT_EQ(f.tv->RowCount(), 2);
  ASSERT_TRUE(f.tv->ScrollBarVisible(sbHorizontal));
  jox::input::KeyPress(f.tv, VK_RIGHT, ssCtrl);
  EXPECT_EQ(f.tv->ScrollPos(sbHorizontal), f.tv->LineSize(sbHorizontal));
  // Shortening the text takes the bar away again.
  wide->SetText(u"short too");
  EXPECT_EQ(f.tv->RowCount(), 2);
  EXPECT_FALSE(f.tv->ScrollBarVisible(sbHorizontal));
  EXPECT_EQ(f.tv->ScrollPos(sbHorizontal), 0);
}

TEST_F(TreeViewTest, TenThousandChildrenStayCheap) {
  Fixture f;
  TTreeNode* root = f.tv->Items()->Add(nullptr, u"root");
  f.tv->Items()->BeginUpdate();
  for (int i = 0; i < 10000; ++i) f.tv->Items()->AddChild(root, u"folder " + IntToStr(i));
  f.tv->Items()->EndUpdate();
  const auto t0 = std::chrono::steady_clock::now();
  root->Expand(false);
  f.tv->Repaint();
  for (int i = 0; i < 200; ++i) {
    f.tv->SetScrollPos(sbVertical, i * 50);
    f.tv->Repaint();
  }
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count();
  EXPECT_EQ(f.tv->RowCount(), 10001);
  EXPECT_EQ(f.tv->TopItem(), root->Item(199 * 50 - 1));
  // Generous for sanitizer builds; a walk of all rows per paint would take far longer.
  EXPECT_LT(ms, 3000);
}

TEST_F(TreeViewTest, ClassTableDefaults) {
  TTreeView tv(nullptr);
  EXPECT_TRUE(jox::test::DefaultsMatchTable(tv));
  EXPECT_EQ(tv.Width(), 121);
  EXPECT_EQ(tv.Height(), 97);
}

}  // namespace

TEST_F(TreeViewTest, DraggingANodeSelectsItFollowsTheDropTargetAndDropsOnIt) {
  Fixture f;
  TTreeNode* a = f.tv->Items()->Add(nullptr, u"alpha");
  TTreeNode* b = f.tv->Items()->Add(nullptr, u"beta");
  TTreeNode* c = f.tv->Items()->Add(nullptr, u"gamma");
  f.tv->SetDragMode(dmAutomatic);
  std::vector<TTreeNode*> over;
  f.tv->SetOnDragOver([&](TObject*, TObject* Source, Integer, Integer, TDragState, bool& Accept) {
    Accept = Source == f.tv;
    over.push_back(f.tv->DropTarget());
  });
  TTreeNode* droppedOn = nullptr;
  f.tv->SetOnDragDrop([&](TObject*, TObject*, Integer, Integer) {
    droppedOn = f.tv->DropTarget();
    f.tv->Selected()->MoveTo(droppedOn, naAddChild);
  });
  const TPoint from = f.LabelAt(a), mid = f.LabelAt(b), to = f.LabelAt(c);
  jox::input::MouseDown(f.tv, from.X, from.Y);
  EXPECT_EQ(f.tv->Selected(), a);  // the press selects what it drags
  jox::input::MouseMove(f.tv, mid.X, mid.Y);
  jox::input::MouseMove(f.tv, mid.X + 1, mid.Y);
  EXPECT_EQ(f.tv->DropTarget(), b);
  jox::input::MouseMove(f.tv, to.X, to.Y);
  EXPECT_EQ(f.tv->DropTarget(), c);
  jox::input::MouseUp(f.tv, to.X, to.Y);
  EXPECT_EQ(droppedOn, c);
  EXPECT_EQ(a->Parent(), c);
  EXPECT_EQ(f.tv->DropTarget(), nullptr);
  // A press that never moves is a click that selects, as without dragging.
  Application->AdvanceClock(1000);
  const TPoint pb = f.LabelAt(b);
  jox::input::Click(f.tv, pb.X, pb.Y);
  EXPECT_EQ(f.tv->Selected(), b);
  // The table publishes dragging.
  for (const char* name : {"DragMode", "DragCursor", "OnDragOver", "OnDragDrop", "OnStartDrag", "OnEndDrag"})
    EXPECT_NE(TTreeView::ClassInfo().FindProp(FromUtf8(name)), nullptr) << name;
}

TEST_F(TreeViewTest, BevelsAndBorderWidthNarrowTheClientArea) {
  Fixture f;
  f.tv->Items()->Add(nullptr, u"alpha");
  EXPECT_EQ(f.tv->ClientWidth(), 196);
  f.tv->SetBevelKind(bkTile);
  f.tv->SetBevelWidth(2);
  f.tv->SetBorderWidth(3);
  f.tv->SetBevelWidth(0);  // at least 1
  EXPECT_EQ(f.tv->BevelWidth(), 1);
  f.tv->SetBevelWidth(2);
  f.tv->SetBorderWidth(-1);
  EXPECT_EQ(f.tv->BorderWidth(), 0);
  f.tv->SetBorderWidth(3);
  // Two bevels of 2, the sunken frame of 2, 3 of border on each side.
  EXPECT_EQ(f.tv->ClientWidth(), 200 - 2 * 9);
  EXPECT_EQ(f.tv->ClientHeight(), 200 - 2 * 9);
  f.form.Repaint();
  TCanvas* c = f.form.Canvas();
  const Integer y = 10 + 100;
  const std::vector<TColor> edge{clBtnShadow, clBtnShadow, clBtnHighlight, clBtnHighlight, clBtnShadow, cl3DDkShadow,
                                 clWindow, clWindow, clWindow};
  for (Integer k = 0; k < 9; ++k) EXPECT_TRUE(jox::test::PixelNear(c, 10 + k, y, ColorToRGB(edge[size_t(k)]), 0)) << k;
  // Without a kind the bevels take no room.
  f.tv->SetBevelKind(bkNone);
  EXPECT_EQ(f.tv->ClientWidth(), 200 - 2 * 5);
}

TEST_F(TreeViewTest, NodePicturesFromAnImageList) {
  Fixture f;
  TTreeNode* a = f.tv->Items()->Add(nullptr, u"alpha");
  TTreeNode* b = f.tv->Items()->Add(nullptr, u"beta");
  const TRect plain = a->DisplayRect(true);
  // Two pictures of 16 x 16 in one strip: red with a transparent corner, and blue.
  auto* images = new TImageList(&f.form);
  TBitmap strip;
  strip.SetSize(32, 16);
  strip.Canvas()->Brush()->SetColor(clRed);
  strip.Canvas()->FillRect(Rect(0, 0, 16, 16));
  strip.Canvas()->Brush()->SetColor(clBlue);
  strip.Canvas()->FillRect(Rect(16, 0, 32, 16));
  strip.Canvas()->SetPixels(0, 0, clFuchsia);
  EXPECT_EQ(images->AddMasked(&strip, clFuchsia), 0);
  EXPECT_EQ(images->Count(), 2);
  a->SetImageIndex(0);
  a->SetSelectedIndex(1);
  b->SetImageIndex(1);
  f.tv->SetImages(images);
  // The labels move right to make room; the picture sits left of the label.
  const TRect r = a->DisplayRect(true);
  EXPECT_EQ(r.Left, plain.Left + 18);
  f.tv->Repaint();
  TCanvas* c = f.tv->Canvas();
  const Integer ih = r.Height(), top = r.Top + (ih - 16) / 2;
  EXPECT_TRUE(jox::test::PixelNear(c, r.Left - 17 + 8, top + 8, clRed, 0));
  EXPECT_TRUE(jox::test::PixelNear(c, r.Left - 17, top, ColorToRGB(clWindow), 0));  // the transparent corner
  EXPECT_TRUE(jox::test::PixelNear(c, r.Left - 17 + 8, b->DisplayRect(true).Top + (ih - 16) / 2 + 8, clBlue, 0));
  // A press on the picture selects the node, which then shows its selected picture.
  EXPECT_TRUE(f.tv->GetHitTestInfoAt(r.Left - 8, top + 8) & htOnIcon);
  jox::input::Click(f.tv, r.Left - 8, top + 8);
  EXPECT_EQ(f.tv->Selected(), a);
  f.tv->Repaint();
  EXPECT_TRUE(jox::test::PixelNear(c, r.Left - 17 + 8, top + 8, clBlue, 0));
  // The view lets go of a list that is destroyed.
  delete images;
  EXPECT_EQ(f.tv->Images(), nullptr);
  EXPECT_EQ(a->DisplayRect(true).Left, plain.Left);
}

TEST_F(TreeViewTest, NodesGoIntoFormTextAndComeBack) {
  Fixture f;
  f.tv->SetName(u"Tree");
  TTreeNode* a = f.tv->Items()->Add(nullptr, u"alpha");
  TTreeNode* a1 = f.tv->Items()->AddChild(a, u"one | with bars");
  a1->SetImageIndex(2);
  a1->SetSelectedIndex(3);
  f.tv->Items()->AddChild(a1, u"deep");
  f.tv->Items()->Add(nullptr, u"beta");
  const String text = WriteComponentText(&f.form);
  EXPECT_NE(text.find(u"Items.NodeLines.Strings"), String::npos);

  Fixture g;
  g.tv->SetName(u"Tree");
  g.tv->Items()->Add(nullptr, u"replaced");
  ReadComponentText(text, &g.form);
  TTreeNodes* items = g.tv->Items();
  ASSERT_EQ(items->Count(), 4);
  EXPECT_EQ(Texts(items->GetFirstNode()), (std::vector<std::string>{"one | with bars"}));
  TTreeNode* one = items->GetFirstNode()->Item(0);
  EXPECT_EQ(one->ImageIndex(), 2);
  EXPECT_EQ(one->SelectedIndex(), 3);
  EXPECT_EQ(Texts(one), (std::vector<std::string>{"deep"}));
  EXPECT_EQ(items->Root(1)->Text(), u"beta");
  // Assign copies the nodes.
  Fixture h;
  h.tv->Items()->Assign(g.tv->Items());
  EXPECT_EQ(h.tv->Items()->Count(), 4);
}

namespace {

// The rows of a tree as the index has them, and as a walk of the expanded nodes finds them.
std::vector<std::string> Rows(TTreeView* tv) {
  std::vector<std::string> v;
  for (Integer r = 0; r < tv->RowCount(); ++r) v.push_back(ToUtf8(tv->NodeOfRow(r)->Text()));
  return v;
}

TEST_F(TreeViewTest, ExpandAndCollapseKeepTheRowsInTreeOrder) {
  Fixture f;
  TTreeNodes* items = f.tv->Items();
  TTreeNode* a = items->Add(nullptr, u"a");
  TTreeNode* a1 = items->AddChild(a, u"a1");
  items->AddChild(a1, u"a1x");
  items->AddChild(a1, u"a1y");
  items->AddChild(a, u"a2");
  TTreeNode* b = items->Add(nullptr, u"b");
  items->AddChild(b, u"b1");
  EXPECT_EQ(Rows(f.tv), (std::vector<std::string>{"a", "b"}));
  a1->Expand(false);  // not shown yet: nothing appears
  EXPECT_EQ(f.tv->RowCount(), 2);
  a->Expand(false);  // brings its expanded child's rows too
  EXPECT_EQ(Rows(f.tv), (std::vector<std::string>{"a", "a1", "a1x", "a1y", "a2", "b"}));
  b->Expand(false);
  a1->Collapse(false);
  EXPECT_EQ(Rows(f.tv), (std::vector<std::string>{"a", "a1", "a2", "b", "b1"}));
  EXPECT_EQ(f.tv->NodeOfRow(4)->Text(), u"b1");
  EXPECT_EQ(f.tv->GetNodeAt(20, 4 * f.tv->ItemHeight() + 2)->Text(), u"b1");
  a->Collapse(false);
  EXPECT_EQ(Rows(f.tv), (std::vector<std::string>{"a", "b", "b1"}));
  // The widest row left with its parent's collapse: the bar goes with it.
  items->AddChild(b, u"a label long enough to need the horizontal bar of this tree");
  EXPECT_EQ(f.tv->RowCount(), 4);
  EXPECT_TRUE(f.tv->ScrollBarVisible(sbHorizontal));
  b->Collapse(false);
  EXPECT_EQ(f.tv->RowCount(), 2);
  EXPECT_FALSE(f.tv->ScrollBarVisible(sbHorizontal));
}

// Expanding or collapsing a node costs its own rows: toggling a small folder twenty times beside
// 100,000 shown rows takes less than twenty rebuilds of the row index would (a rebuild per toggle
// takes twice that).
TEST_F(TreeViewTest, ExpandAndCollapseCostTheRowsThatChange) {
  Fixture f;
  TTreeNodes* items = f.tv->Items();
  TTreeNode* big = items->Add(nullptr, u"big");
  TTreeNode* small = items->Add(nullptr, u"small");
  items->BeginUpdate();
  for (int i = 0; i < 100000; ++i) items->AddChild(big, u"node " + IntToStr(i));
  for (int i = 0; i < 10; ++i) items->AddChild(small, u"leaf " + IntToStr(i));
  items->EndUpdate();
  f.tv->Repaint();
  auto seconds = [](const std::function<void()>& fn) {
    const auto t0 = std::chrono::steady_clock::now();
    fn();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  };
  const double showBig = seconds([&] {
    big->Expand(false);
    f.tv->Repaint();
  });
  EXPECT_EQ(f.tv->RowCount(), 100002);
  // A changed label rebuilds the whole index: what each toggle would cost without the splice.
  const double rebuild = seconds([&] {
    big->Item(5)->SetText(u"node five");
    EXPECT_EQ(f.tv->RowCount(), 100002);
  });
  const double toggles = seconds([&] {
    for (int i = 0; i < 20; ++i) {
      small->Expand(false);
      f.tv->Repaint();
      small->Collapse(false);
      f.tv->Repaint();
    }
  });
  EXPECT_EQ(f.tv->RowCount(), 100002);
  EXPECT_LT(toggles, 20 * rebuild) << toggles << " s for the toggles, " << rebuild << " s for a rebuild, "
                                   << showBig << " s to show the rows";
}

}  // namespace

// Expanding a node of many children measures only the rows on screen: each label here has a character
// of its own that the font lacks, so measuring it costs a font search, which the engine counts. The
// other rows are measured as they come into view, and the horizontal range reaches the widest row once
// the user scrolls to it.
TEST_F(TreeViewTest, ExpandMeasuresTheRowsOnScreenAndTheRangeGrowsAsRowsComeIntoView) {
  Fixture f;
  TTreeNodes* items = f.tv->Items();
  TTreeNode* root = items->Add(nullptr, u"root");
  constexpr int kChildren = 3000;
  items->BeginUpdate();
  for (int i = 0; i < kChildren; ++i) {
    const String label = i == 1500 ? String(u"a label in the middle, wider than the tree") : String(u"n");
    items->AddChild(root, label + String(1, char16_t(0x5100 + i)));
  }
  TTreeNode* last = items->AddChild(root, u"the last child has the longest label of them all, by far");
  items->EndUpdate();
  f.tv->Repaint();
  const size_t searches = fonts::FallbackLookupCount();
  root->Expand(false);
  f.tv->Repaint();
  EXPECT_LE(fonts::FallbackLookupCount() - searches, size_t(f.tv->VisibleCount() + 2));
  EXPECT_FALSE(f.tv->ScrollBarVisible(sbHorizontal));  // nothing wide seen yet

  // Dragging the vertical thumb to the middle row paints it: the range reaches the end of its label.
  TTreeNode* middle = root->Item(1500);
  f.tv->SetScrollPos(sbVertical, f.tv->RowOf(middle) - 2);
  f.tv->Repaint();
  ASSERT_TRUE(f.tv->ScrollBarVisible(sbHorizontal));
  f.tv->SetScrollPos(sbHorizontal, f.tv->MaxScrollPos(sbHorizontal));
  f.tv->Repaint();
  EXPECT_GE(f.tv->ClientWidth(), middle->DisplayRect(true).Right);
  EXPECT_LE(f.tv->ClientWidth() - 4, middle->DisplayRect(true).Right);
  const Integer middleRange = f.tv->ScrollInfo(sbHorizontal).Max;

  // End selects the last row and brings it into view: the range grows to the wider label.
  f.tv->SetSelected(root);
  jox::input::KeyPress(f.tv, VK_END);
  ASSERT_EQ(f.tv->Selected(), last);
  f.tv->Repaint();
  EXPECT_GT(f.tv->ScrollInfo(sbHorizontal).Max, middleRange);
  f.tv->SetScrollPos(sbHorizontal, f.tv->MaxScrollPos(sbHorizontal));
  EXPECT_GE(f.tv->ClientWidth(), last->DisplayRect(true).Right);
  EXPECT_LE(f.tv->ClientWidth() - 4, last->DisplayRect(true).Right);

  // Collapsing takes the measured rows away, and the bar with them.
  root->Collapse(false);
  EXPECT_FALSE(f.tv->ScrollBarVisible(sbHorizontal));
}
