// The standard controls: labels, speed buttons (flat, grouped, down), push buttons, combo boxes in each
// style, a memo, a date-time picker, a popup menu and the colour dialog. In the picture the drop-down
// list, the calendar and the menu with its submenu are open.
#include <memory>

#include "gallery/gallery.h"
#include "package/framework/controls/buttons.h"
#include "package/framework/controls/combobox.h"
#include "package/framework/controls/comctrls.h"
#include "package/framework/controls/dialogs.h"
#include "package/framework/framework.h"
#include "package/framework/controls/labels.h"
#include "package/framework/controls/memo.h"
#include "package/framework/controls/menus.h"

namespace {

using namespace jox;

const char16_t* const kColours[] = {u"Black", u"Maroon", u"Green", u"Olive", u"Navy", u"Purple", u"Teal",
                                    u"Gray", u"Silver", u"Red", u"Lime", u"Yellow", u"Blue", u"Fuchsia"};
const TColor kColourValues[] = {clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal,
                                clGray, clSilver, clRed, clLime, clYellow, clBlue, clFuchsia};

// A small arrow picture for a speed button, drawn rather than loaded.
void DrawGlyph(TBitmap* b, TColor c) {
  b->SetSize(16, 16);
  TCanvas* g = b->Canvas();
  g->Brush()->SetColor(clFuchsia);  // the bottom-left pixel: transparent
  g->FillRect(Rect(0, 0, 16, 16));
  g->Brush()->SetColor(c);
  for (Integer i = 0; i < 6; ++i) g->FillRect(Rect(5 + i, 3 + i, 6 + i, 13 - i));
}

TLabel* AddLabel(TForm* f, Integer x, Integer y, const char16_t* text) {
  auto* l = new TLabel(f);
  l->SetParent(f);
  l->SetLeft(x);
  l->SetTop(y);
  l->SetCaption(text);
  return l;
}

TComboBox* AddCombo(TForm* f, Integer x, Integer y, TComboBoxStyle style) {
  auto* c = new TComboBox(f);
  c->SetParent(f);
  c->SetBounds(x, y, 150, 21);
  c->SetStyle(style);
  for (const char16_t* s : kColours) c->Items()->Add(s);
  return c;
}

void BuildControlsPage(TForm* form) {
  form->SetClientWidth(800);
  form->SetClientHeight(480);
  form->SetColor(clBtnFace);

  // Labels.
  AddLabel(form, 12, 10, u"Labels")->Font()->SetStyle(TFontStyles(fsBold));
  AddLabel(form, 12, 30, u"Left justified, &accelerator");
  auto* right = AddLabel(form, 12, 48, u"Right justified");
  right->SetAutoSize(false);
  right->SetWidth(160);
  right->SetAlignment(taRightJustify);
  auto* wrap = AddLabel(form, 12, 66, u"A word-wrapped label runs on over several lines within its width.");
  wrap->SetAutoSize(false);
  wrap->SetWordWrap(true);
  wrap->SetBounds(12, 66, 160, 40);
  wrap->SetColor(clWindow);
  auto* off = AddLabel(form, 12, 110, u"Disabled: engraved");
  off->SetEnabled(false);

  // Speed buttons: plain, with glyph, flat, a group of three with one down.
  AddLabel(form, 12, 140, u"Speed buttons")->Font()->SetStyle(TFontStyles(fsBold));
  auto* plain = new TSpeedButton(form);
  plain->SetParent(form);
  plain->SetBounds(12, 160, 75, 25);
  plain->SetCaption(u"Plain");
  auto* glyph = new TSpeedButton(form);
  glyph->SetParent(form);
  glyph->SetBounds(92, 160, 80, 25);
  glyph->SetCaption(u"Next");
  TBitmap g;
  DrawGlyph(&g, clNavy);
  glyph->SetGlyph(&g);
  glyph->SetLayout(blGlyphRight);
  for (int i = 0; i < 3; ++i) {
    auto* b = new TSpeedButton(form);
    b->SetParent(form);
    b->SetBounds(12 + i * 25, 192, 24, 24);
    b->SetGroupIndex(1);
    b->SetCaption(i == 0 ? u"L" : i == 1 ? u"C" : u"R");
    b->SetDown(i == 1);
  }
  for (int i = 0; i < 2; ++i) {
    auto* b = new TSpeedButton(form);
    b->SetParent(form);
    b->SetBounds(100 + i * 25, 192, 24, 24);
    b->SetFlat(true);
    b->SetGlyph(&g);
    b->SetHint(i == 0 ? u"Flat glyph button" : u"Second flat glyph button");
    b->SetEnabled(i == 0);
  }

  // Push buttons.
  AddLabel(form, 12, 226, u"Buttons")->Font()->SetStyle(TFontStyles(fsBold));
  auto* ok = new TButton(form);
  ok->SetParent(form);
  ok->SetBounds(12, 246, 75, 25);
  ok->SetCaption(u"OK");
  ok->SetDefault(true);
  auto* colour = new TButton(form);
  colour->SetParent(form);
  colour->SetBounds(92, 246, 80, 25);
  colour->SetCaption(u"&Color...");
  auto* swatch = new TLabel(form);
  swatch->SetParent(form);
  swatch->SetAutoSize(false);
  swatch->SetBounds(180, 250, 18, 18);
  swatch->SetColor(clTeal);
  auto* dialog = new TColorDialog(form);
  colour->SetOnClick([dialog, swatch](TObject*) {
    dialog->SetColor(swatch->Color());
    if (dialog->Execute()) swatch->SetColor(dialog->Color());
  });
  auto* disabled = new TButton(form);
  disabled->SetParent(form);
  disabled->SetBounds(12, 278, 75, 25);
  disabled->SetCaption(u"Disabled");
  disabled->SetEnabled(false);

  // Memo.
  auto* memo = new TMemo(form);
  memo->SetParent(form);
  memo->SetBounds(12, 312, 190, 100);
  memo->SetScrollBars(ssVertical);
  memo->SetText(u"A memo wraps its lines at the blanks and scrolls to the caret.\r\nTyping, Enter, the "
                u"arrows and the clipboard work as usual.\r\nThird line.\r\nFourth line.\r\nFifth line.");

  // Combo boxes in each style.
  AddLabel(form, 232, 10, u"Combo boxes")->Font()->SetStyle(TFontStyles(fsBold));
  TLabel* c1Label = AddLabel(form, 232, 33, u"Drop-down:");
  auto* c1 = AddCombo(form, 330, 30, csDropDown);
  c1Label->SetFocusControl(c1);
  c1->SetText(u"Fuchsia");
  TLabel* c2Label = AddLabel(form, 232, 63, u"Drop-down list:");
  auto* c2 = AddCombo(form, 330, 60, csDropDownList);
  c2Label->SetFocusControl(c2);
  c2->SetItemIndex(4);
  TLabel* c3Label = AddLabel(form, 232, 93, u"Owner-drawn:");
  auto* c3 = AddCombo(form, 330, 90, csOwnerDrawFixed);
  c3Label->SetFocusControl(c3);
  c3->SetItemHeight(16);
  c3->SetItemIndex(9);
  c3->SetOnDrawItem([c3](TWinControl*, Integer i, TRect r, TOwnerDrawState s) {
    TCanvas* c = c3->Canvas();
    c->FillRect(r);
    if (i < 0) return;
    c->Brush()->SetColor(kColourValues[i]);
    c->Pen()->SetColor(clBlack);
    c->Rectangle(r.Left + 2, r.Top + 2, r.Left + 26, r.Bottom - 2);
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetColor(s & odSelected ? clHighlightText : clWindowText);
    c->TextOut(r.Left + 32, r.Top + (r.Height() - c->TextHeight(u"Wg")) / 2, c3->Items()->Get(i));
  });
  TLabel* c4Label = AddLabel(form, 232, 123, u"Disabled:");
  auto* c4 = AddCombo(form, 330, 120, csDropDownList);
  c4Label->SetFocusControl(c4);
  c4->SetItemIndex(0);
  c4->SetEnabled(false);
  TLabel* c5Label = AddLabel(form, 540, 226, u"Simple combo box");
  c5Label->Font()->SetStyle(TFontStyles(fsBold));
  auto* c5 = AddCombo(form, 540, 246, csSimple);
  c5Label->SetFocusControl(c5);
  c5->SetBounds(540, 246, 150, 120);
  c5->SetItemIndex(2);

  // Date and time.
  AddLabel(form, 232, 226, u"Date and time")->Font()->SetStyle(TFontStyles(fsBold));
  auto* date = new TDateTimePicker(form);
  date->SetParent(form);
  date->SetBounds(232, 246, 150, 21);
  date->SetFormat(u"ddd, dd MMM yyyy");
  date->SetDateTime(EncodeDateTime(2026, 12, 8, 14, 35, 0, 0));
  auto* time = new TDateTimePicker(form);
  time->SetParent(form);
  time->SetBounds(392, 246, 90, 21);
  time->SetKind(dtkTime);
  time->SetDateTime(date->DateTime());

  // A popup menu on the memo and the labels' area.
  auto* menu = new TPopupMenu(form);
  auto item = [&](TMenuItem* parent, const char16_t* caption) {
    auto* i = new TMenuItem(form);
    i->SetCaption(caption);
    parent->Add(i);
    return i;
  };
  auto* cut = item(menu->Items(), u"Cu&t");
  cut->SetShortCut(ShortCut('X', ssCtrl));
  TBitmap cutGlyph;
  DrawGlyph(&cutGlyph, clMaroon);
  cut->SetBitmap(&cutGlyph);
  item(menu->Items(), u"&Copy")->SetShortCut(ShortCut('C', ssCtrl));
  item(menu->Items(), u"&Paste")->SetEnabled(false);
  item(menu->Items(), u"-");
  auto* view = item(menu->Items(), u"&View");
  auto* big = item(view, u"&Large");
  big->SetRadioItem(true);
  auto* small = item(view, u"&Small");
  small->SetRadioItem(true);
  small->SetChecked(true);
  item(view, u"-");
  item(view, u"&Grid")->SetChecked(true);
  item(menu->Items(), u"&Default action")->SetDefault(true);
  memo->SetPopupMenu(menu);
  form->SetPopupMenu(menu);

  // The picture shows the list, the calendar and the menu open (the window starts with them closed).
  Application->ProcessMessages();
  c2->SetDroppedDown(true);
  date->SetDroppedDown(true);
  const TPoint at = form->ClientToScreen(Point(540, 40));
  menu->Popup(at.X, at.Y);
  if (TControl* top = menu->Level(0)) {
    jox::input::KeyPress(top, VK_END);
    jox::input::KeyPress(top, VK_UP);
    jox::input::KeyPress(top, VK_RIGHT);
  }
  (void)c1;
}

// The colour dialog as it opens.
class TPicture : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  TBitmap Shot;
  void Paint() override { Canvas()->Draw(0, 0, &Shot); }
};

void BuildColorDialogPage(TForm* form) {
  auto* pic = new TPicture(form);
  pic->SetParent(form);
  TColorDialog dlg(nullptr);
  dlg.SetColor(RGB(0, 128, 192));
  dlg.CustomColors()->Add(u"ColorA=4080FF");
  dlg.CustomColors()->Add(u"ColorB=80FF80");
  const auto previous = TCustomForm::ModalHook();
  TCustomForm::SetModalHook([pic](TCustomForm* f) {
    Application->ProcessMessages();
    f->Update();
    pic->Shot.Assign(f->Surface());
    f->SetModalResult(mrCancel);
  });
  try {
    dlg.Execute();
  } catch (...) {
    TCustomForm::SetModalHook(previous);
    throw;
  }
  TCustomForm::SetModalHook(previous);
  form->SetClientWidth(pic->Shot.Width());
  form->SetClientHeight(pic->Shot.Height());
  pic->SetBounds(0, 0, pic->Shot.Width(), pic->Shot.Height());
}

}  // namespace

JOX_GALLERY_PAGE("controls", BuildControlsPage);
JOX_GALLERY_PAGE("colordialog", BuildColorDialogPage);
