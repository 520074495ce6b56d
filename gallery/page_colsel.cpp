// The colour selector: one per palette, editable entries with their pencil marks, a renamed colour, a
// narrow colour bar, a disabled one, and the standard palette dropped down.
#include "colsel/colsel.h"
#include "gallery/gallery.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/labels.h"

namespace {

using namespace jox;

constexpr Integer kGap = 12, kWidth = 170, kRow = 48;

TColSel* Selector(TForm* form, Integer col, Integer row, const char16_t* caption) {
  const Integer x = kGap + col * (kWidth + 2 * kGap), y = kGap + row * kRow;
  auto* l = new TLabel(form);
  l->SetParent(form);
  l->SetLeft(x);
  l->SetTop(y);
  l->SetCaption(caption);
  auto* c = new TColSel(form);
  c->SetParent(form);
  c->SetBounds(x, y + 16, kWidth, 22);
  l->SetFocusControl(c);  // the label names the selector
  return c;
}

void BuildColSelPage(TForm* form) {
  form->SetColor(clBtnFace);

  TColSel* vga = Selector(form, 0, 0, u"Basic VGA palette:");
  vga->LoadBasicVGAPalette();
  vga->SetSelColor(clTeal);

  // Editable entries carry a pencil mark: black on light colours, white on dark ones.
  TColSel* ext = Selector(form, 0, 1, u"Extended, editable:");
  ext->LoadExtendedPalette();
  ext->SetAllColorEditFlags();
  ext->SetSelColor(clSkyBlue);
  TColSel* dark = Selector(form, 0, 2, u"Editable, dark colour:");
  dark->LoadExtendedPalette();
  dark->SetAllColorEditFlags();
  dark->SetSelColor(clNavy);

  // The application names its colours.
  TColSel* sys = Selector(form, 0, 3, u"System palette:");
  sys->SetOnColorNameChange([](TObject*, String& name) {
    if (name.size() > 2 && name.substr(0, 2) == u"cl") name = name.substr(2);
  });
  sys->LoadWindowsSystemPalette();
  sys->SetSelColor(clInfoBk);

  TColSel* narrow = Selector(form, 0, 4, u"Narrow colour bar:");
  narrow->SetColorBarWidth(12);
  narrow->LoadBasicVGAPalette();
  narrow->SetSelColor(clRed);

  TColSel* off = Selector(form, 0, 5, u"Disabled:");
  off->LoadBasicVGAPalette();
  off->SetSelColor(clGreen);
  off->SetEnabled(false);

  TColSel* std = Selector(form, 1, 0, u"Standard palette (47):");
  std->SetDropDownCount(12);
  std->LoadStandardPalette();
  std->SetColorEditAllowed(3, true);
  std->SetSelColor(clOlive);

  form->SetClientWidth(2 * kWidth + 4 * kGap);
  form->SetClientHeight(6 * kRow + kGap + 4);

  // The picture shows the list open (the window starts with it closed).
  Application->ProcessMessages();
  std->SetDroppedDown(true);
}

}  // namespace

JOX_GALLERY_PAGE("colsel", BuildColSelPage);
