// The numeric table editor: a water survey of 30 sampling sites by 12 measurements, with row and
// column names, the attribute column and row, marks of both kinds, an empty and a not-a-number cell
// and a nominal column of site types; a second page shows the same table with the data menu open.
#include <cmath>

#include "gallery/gallery.h"
#include "ntabed/ntabed.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/input.h"

namespace {

using namespace jox;

constexpr Integer kCols = 12, kRows = 30;

const char16_t* const kSites[] = {u"Danube Krems", u"Danube Tulln", u"Danube Vienna", u"Enns Steyr", u"Inn Kufstein",
                                  u"Inn Passau", u"Mur Graz", u"Mur Leoben", u"Drau Villach", u"Salzach Hallein",
                                  u"Traun Wels", u"Ybbs Waidhofen"};
const char16_t* const kHeads[kCols] = {u"pH", u"Temp \u00B0C", u"Cond \u00B5S/cm", u"O2 mg/l", u"NO3 mg/l",
                                       u"PO4 mg/l", u"Turb NTU", u"Cl mg/l", u"Ca mg/l", u"Mg mg/l",
                                       u"Pb \u00B5g/l", u"Type"};
// Typical value and spread of each measurement.
constexpr double kMean[kCols] = {7.6, 11.5, 420, 9.4, 6.2, 0.08, 4.5, 18, 62, 14, 1.2, 0};
constexpr double kSpread[kCols] = {0.5, 4, 160, 1.6, 3.5, 0.06, 3.5, 9, 18, 5, 0.9, 0};
constexpr int8_t kPrec[kCols] = {2, 1, 0, 2, 2, 3, 1, 1, 1, 1, -1, 0};

// Deterministic noise in -1 .. 1.
double Noise(Integer c, Integer r) {
  const uint32_t h = uint32_t(c * 73856093) ^ uint32_t(r * 19349663) ^ 0x5bd1e995u;
  return double((h * 2654435761u) >> 8) / double(1u << 24) * 2 - 1;
}

TNTabEd* BuildSurvey(TForm* form) {
  auto* t = new TNTabEd(form);
  t->SetParent(form);
  t->SetBounds(10, 10, 940, 560);
  t->SetSuppressPaint(true);
  t->Redimension(kCols, kRows);
  t->SetAttribColVisible(true);
  t->SetDefaultRowHeight(19);
  TDataTable* d = t->Data;
  for (Integer c = 1; c <= kCols; ++c) {
    t->SetColName(c, kHeads[c - 1]);
    t->SetPrecision(c, kPrec[c - 1]);
    t->SetColAttrib(c, Byte(c <= 6 ? 1 : 2));
  }
  d->SetMScaleType(kCols, mstNominal);
  const char16_t* types[] = {u"river", u"lake", u"well", u"spring"};
  for (Integer i = 0; i < 4; ++i) d->SetNominalID(kCols, i, types[i]);
  for (Integer r = 1; r <= kRows; ++r) {
    t->SetRowName(r, String(kSites[(r - 1) % 12]) + (r > 12 ? u" " + IntToStr((r - 1) / 12 + 1) : String()));
    t->SetRowAttrib(r, Byte(1 + (r - 1) % 3));
    for (Integer c = 1; c < kCols; ++c) {
      double v = kMean[c - 1] + kSpread[c - 1] * Noise(c, r);
      if (c == 11) v = std::fabs(v) * 1e-3 + 1e-5;  // lead in g/l: exponential form
      d->SetElem(c, r, v);
    }
    d->SetElem(kCols, r, (r * 7) % 5 == 4 ? 200 : (r * 7) % 4);
  }
  t->SetComment(u"Spring survey, 12 measurements per site");
  // Outliers marked A, suspect readings marked B, one cell both.
  for (auto [c, r] : {std::pair{7, 3}, {3, 9}, {5, 14}, {7, 15}}) t->SetElemMarkedA(c, r, true);
  for (auto [c, r] : {std::pair{1, 5}, {4, 11}, {9, 9}}) t->SetElemMarkedB(c, r, true);
  t->SetElemMarkedA(2, 7, true);
  t->SetElemMarkedB(2, 7, true);
  t->SetIsEmpty(6, 4, true);
  d->SetCellState(8, 6, ntsNotANumber);
  t->SetColWidths(0, 112);
  t->SetColWidths(-1, 42);
  for (Integer c = 1; c <= kCols; ++c) t->SetColWidths(c, c == kCols ? 84 : c == 11 || c == 3 ? 70 : 58);
  t->SetSelection({4, 4, 6, 6});
  t->SetSuppressPaint(false);
  return t;
}

void BuildNTabEdPage(TForm* form) {
  form->SetClientWidth(960);
  form->SetClientHeight(580);
  form->SetColor(clBtnFace);
  BuildSurvey(form);
}

void BuildNTabEdMenuPage(TForm* form) {
  BuildNTabEdPage(form);
  auto* t = static_cast<TNTabEd*>(form->Controls(0));
  Application->ProcessMessages();
  // The data menu as a right click on a selected cell opens it.
  t->SetFocus();
  const TRect rc = t->CellRect(5, 5);
  input::Click(t, rc.Left + 20, rc.Top + 8, mbRight);
  // With the marking submenu open, as the pointer would leave it.
  if (TControl* top = t->PopupD()->Level(0)) {
    input::KeyPress(top, VK_DOWN);
    input::KeyPress(top, VK_RIGHT);
  }
}

}  // namespace

JOX_GALLERY_PAGE("ntabed", BuildNTabEdPage);
JOX_GALLERY_PAGE("ntabed_menu", BuildNTabEdMenuPage);
