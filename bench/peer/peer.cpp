// Large data side by side: our controls and, when built with Qt 5 (JOX_HAVE_QT), the same cases on Qt
// Widgets in the same run, at 10^3 .. 10^6 elements. Prints one table: the time of each case at each
// size, the time per element (so a step that grows faster than linearly shows) and the ratio to Qt.
//
//   bench_peer [--max N] [--only TEXT] [--no-peer]
//     sizes up to N (default 1000000); only the cases whose name contains TEXT; ours alone
//
// Cases: a report list / QTableView over a sort and filter proxy with N x 5 cells (header-click sort,
// filter, painting a page, fitting the columns); a memo / QPlainTextEdit of N lines (one keystroke in the
// middle); a tree / QTreeView expanding N children; a combo box / QComboBox dropping down N items; the
// grid's pick list with N choices (QComboBox again, the peer's cell editor for choices); and a 1 MB text
// loaded into the memo / QPlainTextEdit. Each time is the best of a few runs.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "package/framework/controls/combobox.h"
#include "package/framework/controls/grids.h"
#include "package/framework/controls/input.h"
#include "package/framework/controls/memo.h"
#include "package/framework/controls/treeview.h"
#include "package/framework/framework.h"
#include "replist/replist.h"

#ifdef JOX_HAVE_QT
#include <QAbstractTableModel>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QTreeView>
#endif

namespace {

using Clock = std::chrono::steady_clock;

// Best of Runs: each run sets up (untimed), then times Body.
double Best(int Runs, const std::function<std::function<void()>()>& Setup) {
  double best = 1e9;
  for (int i = 0; i < Runs; ++i) {
    std::function<void()> body = Setup();
    const auto t0 = Clock::now();
    body();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - t0).count());
  }
  return best;
}

int RunsFor(long n) { return n >= 1000000 ? 1 : n >= 100000 ? 2 : 5; }

// Best of runs on an object made afresh (untimed) for each run, for operations that change it.
template <class T>
double OnFresh(long n, const std::function<std::unique_ptr<T>()>& Make, const std::function<void(T&)>& Op) {
  std::unique_ptr<T> obj;
  return Best(RunsFor(n), [&] {
    obj = Make();
    return std::function<void()>([&] { Op(*obj); });
  });
}

const char* const kNames[] = {"Anna", "Bruno", "Clara", "David", "Elena", "Felix", "Greta", "Hugo"};

// Cell text of column c (1-based) in row r: names with numbers, plain numbers, cities.
std::string CellText(long r, int c) {
  const uint32_t h = uint32_t(r) * 2654435761u;
  switch (c % 3) {
    case 1: return std::string(kNames[(h >> (c % 8)) % 8]) + " " + std::to_string(h % 9973);
    case 2: return std::to_string(h % 100000);
    default: return c % 2 ? "Vienna" : "Graz";
  }
}

// --- ours ----------------------------------------------------------------------------------------------------
namespace ours {
using namespace jox;

std::unique_ptr<TReportListView> MakeView(long Rows) {
  auto v = std::make_unique<TReportListView>(nullptr);
  v->SetBounds(0, 0, 800, 600);
  v->HandleNeeded();
  v->SetSuppressPaint(true);
  v->SetNrCols(5);
  v->SetNrRows(Integer(Rows));
  // The number columns are integer columns, so they sort as numbers, as the peer's do.
  for (int c = 1; c <= 5; ++c)
    if (c % 3 == 2) v->SetColumnFormat(c, u"[i]");
  TStringArray* s = v->Data()->Strings;
  const TNotifyEvent quiet = s->OnChange();
  s->SetOnChange(nullptr);
  for (long r = 1; r <= Rows; ++r)
    for (int c = 1; c <= 5; ++c) s->SetString(c, Integer(r), FromUtf8(CellText(r, c)));
  s->SetOnChange(quiet);
  v->SetSuppressPaint(false);
  return v;
}

double Sort(long n) {
  return OnFresh<TReportListView>(n, [n] { return MakeView(n); }, [](TReportListView& v) {
    const TRect h = v.CellRect(0, 0);
    input::Click(&v, (h.Left + h.Right) / 2, (h.Top + h.Bottom) / 2);
    input::Reset();
  });
}

double Filter(long n) {
  return OnFresh<TReportListView>(n, [n] { return MakeView(n); },
                                  [](TReportListView& v) { v.FilterAndSort(u"anna", {}, true, fmSimple, -1, true); });
}

double Paint(long n) {
  std::unique_ptr<TReportListView> v = MakeView(n);
  v->SetTopRow(Integer(n / 2));
  return Best(5, [&] { return std::function<void()>([&] { v->Paint(); }); });
}

double Fit(long n) {
  std::unique_ptr<TReportListView> v = MakeView(n);
  return Best(RunsFor(n), [&] { return std::function<void()>([&] { v->FitAllColWidths(5, true, 4, 400, 2); }); });
}

String Lines(long n) {
  String text;
  for (long i = 0; i < n; ++i) text += u"a line of text number " + IntToStr(Integer(i)) + u" with a few words\r\n";
  return text;
}

// A memo of 580 x 380 with both bars on a form of its own.
TMemo* MemoOn(TForm& form) {
  form.SetBounds(0, 0, 600, 400);
  auto* m = new TMemo(&form);
  m->SetParent(&form);
  m->SetBounds(0, 0, 580, 380);
  m->SetScrollBars(ssBoth);
  return m;
}

double Keystroke(long n) {
  TForm form(nullptr);
  TMemo* m = MemoOn(form);
  m->SetText(Lines(n));
  m->SetFocus();
  m->SetSelStart(m->SelStart() + Integer(Lines(n / 2).size()));
  constexpr int keys = 50;
  return Best(3, [&] {
    return std::function<void()>([&] {
      for (int i = 0; i < keys; ++i) input::TypeText(m, u"x");
    });
  }) / keys;
}

double Load(const String& text) {
  TForm form(nullptr);
  TMemo* m = MemoOn(form);
  return Best(3, [&] {
    m->Clear();
    return std::function<void()>([&] { m->SetText(text); });
  });
}

double Expand(long n) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 400, 600);
  auto* tv = new TTreeView(&form);
  tv->SetParent(&form);
  tv->SetBounds(0, 0, 380, 580);
  TTreeNode* root = tv->Items()->Add(nullptr, u"root");
  tv->Items()->BeginUpdate();
  for (long i = 0; i < n; ++i) tv->Items()->AddChild(root, u"node " + IntToStr(Integer(i)));
  tv->Items()->EndUpdate();
  tv->Repaint();
  return Best(RunsFor(n), [&] {
    root->Collapse(false);
    tv->Repaint();
    return std::function<void()>([&] {
      root->Expand(false);
      tv->Repaint();
    });
  });
}

double DropDown(long n) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 400, 300);
  auto* cb = new TComboBox(&form);
  cb->SetParent(&form);
  cb->SetStyle(csDropDownList);
  cb->Items()->BeginUpdate();
  for (long i = 0; i < n; ++i) cb->Items()->Add(u"item " + IntToStr(Integer(i)));
  cb->Items()->EndUpdate();
  cb->SetFocus();
  return Best(RunsFor(n), [&] {
    return std::function<void()>([&] {
      cb->SetDroppedDown(true);
      input::KeyPress(cb, VK_END);
      Application->ProcessMessages();
      cb->SetDroppedDown(false);
    });
  });
}

// The grid's pick list dropped from a cell with N choices: the grid asks for the choices, the list opens,
// End goes to the last, Enter takes it.
double PickList(long n) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 400, 300);
  auto* grid = new TDrawGrid(&form);
  grid->SetParent(&form);
  grid->SetBounds(0, 0, 400, 300);
  grid->SetOptions(grid->Options() | goEditing);
  TStringList choices;
  choices.BeginUpdate();
  for (long i = 0; i < n; ++i) choices.Add(u"item " + IntToStr(Integer(i)));
  choices.EndUpdate();
  grid->SetOnGetEditStyle([](TObject*, Integer, Integer, TEditStyle& s) { s = esPickList; });
  grid->SetOnGetPickListItems([&](TObject*, Integer, Integer, TStrings* items) { items->Assign(&choices); });
  grid->SetFocus();
  grid->ShowEditor();
  TInplaceEdit* editor = grid->InplaceEditor();
  return Best(RunsFor(n), [&] {
    return std::function<void()>([&] {
      input::KeyPress(editor, VK_DOWN, ssAlt);
      input::KeyPress(editor, VK_END);
      Application->ProcessMessages();
      input::KeyPress(editor, VK_RETURN);
    });
  });
}
}  // namespace ours

// --- Qt ------------------------------------------------------------------------------------------------------
#ifdef JOX_HAVE_QT
namespace qt {

class Table : public QAbstractTableModel {
 public:
  explicit Table(long Rows) : FRows(Rows), FCells(size_t(Rows) * 5) {
    for (long r = 0; r < Rows; ++r)
      for (int c = 0; c < 5; ++c) FCells[size_t(r) * 5 + c] = QString::fromStdString(CellText(r + 1, c + 1));
  }
  int rowCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : int(FRows); }
  int columnCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : 5; }
  QVariant data(const QModelIndex& i, int role) const override {
    if (role != Qt::DisplayRole) return {};
    const QString& s = FCells[size_t(i.row()) * 5 + i.column()];
    // The number columns sort as numbers, as ours do.
    if (i.column() % 3 == 1) return s.toLongLong();
    return s;
  }

 private:
  long FRows;
  std::vector<QString> FCells;
};

struct View {
  std::unique_ptr<Table> model;
  std::unique_ptr<QSortFilterProxyModel> proxy;
  std::unique_ptr<QTableView> view;
  explicit View(long n) : model(std::make_unique<Table>(n)), proxy(std::make_unique<QSortFilterProxyModel>()),
                          view(std::make_unique<QTableView>()) {
    proxy->setSourceModel(model.get());
    proxy->setFilterCaseSensitivity(Qt::CaseInsensitive);
    proxy->setFilterKeyColumn(-1);
    view->setModel(proxy.get());
    view->resize(800, 600);
    view->setSortingEnabled(true);
    view->sortByColumn(-1, Qt::AscendingOrder);  // unsorted
    view->show();
    QApplication::processEvents();
  }
};

double Sort(long n) {
  return OnFresh<View>(n, [n] { return std::make_unique<View>(n); }, [](View& v) {
    v.view->sortByColumn(0, Qt::DescendingOrder);  // what a header click does
    QApplication::processEvents();
  });
}

double Filter(long n) {
  return OnFresh<View>(n, [n] { return std::make_unique<View>(n); }, [](View& v) {
    v.proxy->setFilterFixedString("anna");
    QApplication::processEvents();
  });
}

double Paint(long n) {
  View v(n);
  v.view->scrollTo(v.proxy->index(int(n / 2), 0), QAbstractItemView::PositionAtTop);
  return Best(5, [&] { return std::function<void()>([&] { v.view->viewport()->grab(); }); });
}

double Fit(long n) {
  View v(n);
  return Best(RunsFor(n), [&] { return std::function<void()>([&] { v.view->resizeColumnsToContents(); }); });
}

QString Lines(long n) {
  QString text;
  for (long i = 0; i < n; ++i) text += "a line of text number " + QString::number(i) + " with a few words\n";
  return text;
}

double Keystroke(long n) {
  QPlainTextEdit e;
  e.resize(580, 380);
  e.setPlainText(Lines(n));
  e.show();
  QApplication::processEvents();
  QTextCursor c = e.textCursor();
  c.setPosition(Lines(n / 2).size());
  e.setTextCursor(c);
  constexpr int keys = 50;
  return Best(3, [&] {
    return std::function<void()>([&] {
      for (int i = 0; i < keys; ++i) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
        QApplication::sendEvent(&e, &press);
      }
    });
  }) / keys;
}

double Load(const QString& text) {
  QPlainTextEdit e;
  e.resize(580, 380);
  e.show();
  QApplication::processEvents();
  return Best(3, [&] {
    e.clear();
    return std::function<void()>([&] { e.setPlainText(text); });
  });
}

double Expand(long n) {
  QStandardItemModel model;
  auto* root = new QStandardItem("root");
  QList<QStandardItem*> children;
  for (long i = 0; i < n; ++i) children << new QStandardItem("node " + QString::number(i));
  root->appendRows(children);
  model.appendRow(root);
  QTreeView view;
  view.setUniformRowHeights(true);
  view.setModel(&model);
  view.resize(380, 580);
  view.show();
  QApplication::processEvents();
  const QModelIndex ri = model.index(0, 0);
  return Best(RunsFor(n), [&] {
    view.collapse(ri);
    view.viewport()->repaint();
    return std::function<void()>([&] {
      view.expand(ri);
      view.viewport()->repaint();
    });
  });
}

double DropDown(long n) {
  QComboBox cb;
  QStringList items;
  for (long i = 0; i < n; ++i) items << "item " + QString::number(i);
  cb.addItems(items);
  cb.show();
  QApplication::processEvents();
  return Best(RunsFor(n), [&] {
    return std::function<void()>([&] {
      cb.showPopup();
      cb.setCurrentIndex(int(n - 1));
      QApplication::processEvents();
      cb.hidePopup();
    });
  });
}
}  // namespace qt
#endif

struct Case {
  const char* name;
  long maxN;
  std::function<double(long)> ours, peer;
  long peerMax = 1000000;  // the peer's largest size where a larger one would take minutes
};

void Row(const char* name, long n, double ours, double peer) {
  std::printf("%-26s %9ld %12.3f %12.4f", name, n, ours * 1e3, ours * 1e9 / double(n));
  if (peer > 0) std::printf(" %12.3f %12.4f %8.2f\n", peer * 1e3, peer * 1e9 / double(n), ours / peer);
  else std::printf(" %12s %12s %8s\n", "-", "-", "-");
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  long maxN = 1000000;
  std::string only;
  bool noPeer = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--max") == 0 && i + 1 < argc) maxN = std::atol(argv[i + 1]);
    if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc) only = argv[i + 1];
    if (std::strcmp(argv[i], "--no-peer") == 0) noPeer = true;
  }
#ifdef JOX_HAVE_QT
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  // Our default control font: 8 pt at 96 dpi.
  QFont font("Liberation Sans");
  font.setPixelSize(11);
  QApplication::setFont(font);
#define PEER(f) [](long n) { return qt::f(n); }
#else
#define PEER(f) nullptr
#endif
  const std::vector<Case> cases = {
      {"report list sort (x5)", 1000000, ours::Sort, PEER(Sort)},
      {"report list filter (x5)", 1000000, ours::Filter, PEER(Filter), 100000},
      {"report list paint page", 1000000, ours::Paint, PEER(Paint)},
      {"report list fit columns", 1000000, ours::Fit, PEER(Fit)},
      {"memo keystroke", 100000, ours::Keystroke, PEER(Keystroke)},
      {"tree expand children", 1000000, ours::Expand, PEER(Expand)},
      {"combo drop down", 100000, ours::DropDown, PEER(DropDown)},
      // The peer's pick list in a table is a combo box as the cell's editor: the same QComboBox case.
      {"grid pick list drop down", 100000, ours::PickList, PEER(DropDown)},
  };
  std::printf("%-26s %9s %12s %12s %12s %12s %8s\n", "case", "N", "ours ms", "ours ns/N", "Qt ms", "Qt ns/N",
              "ours/Qt");
  for (const Case& c : cases) {
    if (!only.empty() && std::string(c.name).find(only) == std::string::npos) continue;
    for (long n = 1000; n <= std::min(maxN, c.maxN); n *= 10)
      Row(c.name, n, c.ours(n), c.peer && !noPeer && n <= c.peerMax ? c.peer(n) : 0);
  }
  if (!only.empty() && std::string("memo load").find(only) == std::string::npos) return 0;
  // 1 MB of text: about 25,000 lines of 40 characters.
  const long lines = 1000000 / 41;
  double peer = 0;
#ifdef JOX_HAVE_QT
  if (!noPeer) peer = qt::Load(qt::Lines(lines));
#endif
  Row("memo load 1 MB (lines)", lines, ours::Load(ours::Lines(lines)), peer);
  return 0;
}
