// The colour dialog. Sections: [colours] [swatches] [spectrum] [dialog] [tables]
#include "package/framework/controls/dialogs.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "package/framework/controls/buttons.h"
#include "package/framework/graphics/drawedge.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/labels.h"
#include "package/framework/controls/stdctrls.h"

namespace jox {

// [colours] ------------------------------------------------------------------------------------------------
const TColor kBasicColors[48] = {
    RGB(255, 128, 128), RGB(255, 255, 128), RGB(128, 255, 128), RGB(0, 255, 128),   RGB(128, 255, 255),
    RGB(0, 128, 255),   RGB(255, 128, 192), RGB(255, 128, 255), RGB(255, 0, 0),     RGB(255, 255, 0),
    RGB(128, 255, 0),   RGB(0, 255, 64),    RGB(0, 255, 255),   RGB(0, 128, 192),   RGB(128, 128, 192),
    RGB(255, 0, 255),   RGB(128, 64, 64),   RGB(255, 128, 64),  RGB(0, 255, 0),     RGB(0, 128, 128),
    RGB(0, 64, 128),    RGB(128, 128, 255), RGB(128, 0, 64),    RGB(255, 0, 128),   RGB(128, 0, 0),
    RGB(255, 128, 0),   RGB(0, 128, 0),     RGB(0, 128, 64),    RGB(0, 0, 255),     RGB(0, 0, 160),
    RGB(128, 0, 128),   RGB(128, 0, 255),   RGB(64, 0, 0),      RGB(128, 64, 0),    RGB(0, 64, 0),
    RGB(0, 64, 64),     RGB(0, 0, 128),     RGB(0, 0, 64),      RGB(64, 0, 64),     RGB(64, 0, 128),
    RGB(0, 0, 0),       RGB(128, 128, 0),   RGB(128, 128, 64),  RGB(128, 128, 128), RGB(64, 128, 128),
    RGB(192, 192, 192), RGB(64, 0, 64),     RGB(255, 255, 255)};

THSV RGBToHSV(TColor Color) {
  const TColor c = ColorToRGB(Color);
  const Integer r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
  const Integer mx = std::max({r, g, b}), mn = std::min({r, g, b}), d = mx - mn;
  THSV out;
  out.V = mx;
  out.S = mx == 0 ? 0 : (d * 255 + mx / 2) / mx;
  if (d == 0) return out;
  double h;
  if (mx == r) h = 60.0 * double(g - b) / d;
  else if (mx == g) h = 120.0 + 60.0 * double(b - r) / d;
  else h = 240.0 + 60.0 * double(r - g) / d;
  if (h < 0) h += 360;
  out.H = Integer(std::lround(h)) % 360;
  return out;
}

TColor HSVToRGB(const THSV& In) {
  const double h = double(((In.H % 360) + 360) % 360) / 60.0, s = std::clamp(In.S, 0, 255) / 255.0,
               v = std::clamp(In.V, 0, 255);
  const int i = int(h) % 6;
  const double f = h - std::floor(h), p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
  double r = v, g = t, b = p;
  switch (i) {
    case 0: r = v; g = t; b = p; break;
    case 1: r = q; g = v; b = p; break;
    case 2: r = p; g = v; b = t; break;
    case 3: r = p; g = q; b = v; break;
    case 4: r = t; g = p; b = v; break;
    case 5: r = v; g = p; b = q; break;
  }
  return RGB(Byte(std::lround(r)), Byte(std::lround(g)), Byte(std::lround(b)));
}

namespace {

// The colour being edited and everything that shows it.
struct TEditState {
  TColor Color = clBlack;
  THSV HSV;
  std::vector<std::function<void()>> Views;
  bool Updating = false;
  void Set(TColor c, const THSV* hsv = nullptr) {
    Color = ColorToRGB(c);
    HSV = hsv ? *hsv : RGBToHSV(Color);
    if (Updating) return;
    Updating = true;
    for (auto& v : Views) v();
    Updating = false;
  }
};

// [swatches] -----------------------------------------------------------------------------------------------
class TSwatches : public TCustomControl {
 public:
  static constexpr Integer kCellW = 24, kCellH = 22;
  TSwatches(TComponent* AOwner, Integer Cols, Integer Rows) : TCustomControl(AOwner), FCols(Cols) {
    Colors.assign(size_t(Cols * Rows), clWhite);
    SetTabStop(true);
    SetControlStyle(ControlStyle() | csOpaque);
    SetBounds(0, 0, Cols * kCellW, Rows * kCellH);
  }
  std::vector<TColor> Colors;
  Integer Selected = -1;
  // The cells share the control's size, which the dialog's scale sets.
  Integer CellW() const { return std::max(Width() / FCols, 1); }
  Integer CellH() const { return std::max(Height() / std::max(Integer(Colors.size()) / FCols, 1), 1); }
  std::function<void(Integer)> OnPick;

  void Select(Integer i, bool Notify) {
    if (i < 0 || i >= Integer(Colors.size())) return;
    Selected = i;
    Invalidate();
    if (Notify && OnPick) OnPick(i);
  }
  void Paint() override {
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(Rect(0, 0, Width(), Height()));
    const Integer cw = CellW(), ch = CellH(), pad = ScaledMetric(this, 3);
    for (Integer i = 0; i < Integer(Colors.size()); ++i) {
      const Integer x = (i % FCols) * cw, y = (i / FCols) * ch;
      TRect r = Rect(x + pad, y + pad, x + cw - pad, y + ch - pad);
      if (i == Selected) {
        c->Brush()->SetColor(clWindowFrame);
        c->FrameRect(Rect(x + 1, y + 1, x + cw - 1, y + ch - 1));
        if (Focused()) {
          c->Brush()->SetColor(clBtnFace);
          c->DrawFocusRect(Rect(x, y, x + cw, y + ch));
        }
      }
      DrawEdge(c, r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
      c->Brush()->SetColor(Colors[size_t(i)]);
      c->FillRect(r);
    }
  }

 protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && X >= 0 && Y >= 0 && X < Width() && Y < Height())
      Select((Y / CellH()) * FCols + X / CellW(), true);
  }
  void KeyDown(Word& Key, TShiftState Shift) override {
    TCustomControl::KeyDown(Key, Shift);
    const Integer n = Integer(Colors.size());
    Integer i = Selected < 0 ? 0 : Selected;
    switch (Key) {
      case VK_LEFT: i = i - 1; break;
      case VK_RIGHT: i = i + 1; break;
      case VK_UP: i = i - FCols; break;
      case VK_DOWN: i = i + FCols; break;
      default: return;
    }
    if (i >= 0 && i < n) Select(i, true);
    Key = 0;
  }
  void DoEnter() override { TCustomControl::DoEnter(); Invalidate(); }
  void DoExit() override { TCustomControl::DoExit(); Invalidate(); }
  void DefaultHandler(TMessage& Message) override {
    if (Message.Msg == WM_GETDLGCODE) {
      Message.Result = DLGC_WANTARROWS;
      return;
    }
    TCustomControl::DefaultHandler(Message);
  }

 private:
  Integer FCols;
};

// [spectrum] -----------------------------------------------------------------------------------------------
// Hue across, saturation up, at full value; a cross marks the colour.
class TSpectrum : public TCustomControl {
 public:
  TSpectrum(TComponent* AOwner, TEditState* State) : TCustomControl(AOwner), FState(State) {
    SetControlStyle(ControlStyle() | csOpaque);
    SetBounds(0, 0, 182, 152);
  }
  void Paint() override {
    TCanvas* c = Canvas();
    TRect r = Rect(0, 0, Width(), Height());
    DrawEdge(c, r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    const Integer w = r.Width(), h = r.Height();
    if (FMap.Width() != w || FMap.Height() != h) {
      FMap.SetSize(w, h);
      for (Integer y = 0; y < h; ++y) {
        uint32_t* row = FMap.ScanLine(y);
        for (Integer x = 0; x < w; ++x) {
          const TColor col = HSVToRGB({x * 359 / std::max(w - 1, 1), 255 - y * 255 / std::max(h - 1, 1), 255});
          row[x] = (uint32_t(GetRValue(col)) << 16) | (uint32_t(GetGValue(col)) << 8) | GetBValue(col);
        }
      }
    }
    c->Draw(r.Left, r.Top, &FMap);
    const Integer cx = r.Left + FState->HSV.H * (w - 1) / 359, cy = r.Top + (255 - FState->HSV.S) * (h - 1) / 255;
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBlack);
    // Four arms round a gap, 5 long and 3 thick at 96 dpi.
    const Integer a = ScaledMetric(this, 1), b = ScaledMetric(this, 2), e = ScaledMetric(this, 7);
    c->FillRect(Rect(cx - e, cy - a, cx - b, cy + a + 1));
    c->FillRect(Rect(cx + b + 1, cy - a, cx + e + 1, cy + a + 1));
    c->FillRect(Rect(cx - a, cy - e, cx + a + 1, cy - b));
    c->FillRect(Rect(cx - a, cy + b + 1, cx + a + 1, cy + e + 1));
  }

 protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft) Pick(X, Y);
  }
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override {
    TCustomControl::MouseMove(Shift, X, Y);
    if (Shift & ssLeft) Pick(X, Y);
  }

 private:
  void Pick(Integer X, Integer Y) {
    const Integer w = Width() - 4, h = Height() - 4;
    THSV hsv = FState->HSV;
    hsv.H = std::clamp(X - 2, 0, w - 1) * 359 / std::max(w - 1, 1);
    hsv.S = 255 - std::clamp(Y - 2, 0, h - 1) * 255 / std::max(h - 1, 1);
    if (hsv.V == 0) hsv.V = 128;  // a black colour would hide the choice
    FState->Set(HSVToRGB(hsv), &hsv);
  }
  TEditState* FState;
  TBitmap FMap;
};

// The value from white-most to black for the hue and saturation chosen, with a marker beside it.
class TValueBar : public TCustomControl {
 public:
  TValueBar(TComponent* AOwner, TEditState* State) : TCustomControl(AOwner), FState(State) {
    SetControlStyle(ControlStyle() | csOpaque);
    SetBounds(0, 0, 28, 152);
  }
  void Paint() override {
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(Rect(0, 0, Width(), Height()));
    TRect r = Rect(0, 0, ScaledMetric(this, 16), Height());
    DrawEdge(c, r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    for (Integer y = r.Top; y < r.Bottom; ++y) {
      THSV hsv = FState->HSV;
      hsv.V = 255 - (y - r.Top) * 255 / std::max(r.Height() - 1, 1);
      c->Brush()->SetColor(HSVToRGB(hsv));
      c->FillRect(Rect(r.Left, y, r.Right, y + 1));
    }
    const Integer my = r.Top + (255 - FState->HSV.V) * (r.Height() - 1) / 255;
    const Integer arrow = ScaledMetric(this, 5);
    DrawArrow(c, Rect(r.Right + ScaledMetric(this, 2), my - arrow, Width(), my + arrow + 1), adLeft, arrow, clBlack);
  }

 protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft) Pick(Y);
  }
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override {
    TCustomControl::MouseMove(Shift, X, Y);
    if (Shift & ssLeft) Pick(Y);
  }

 private:
  void Pick(Integer Y) {
    THSV hsv = FState->HSV;
    hsv.V = 255 - std::clamp(Y - 2, 0, Height() - 5) * 255 / std::max(Height() - 5, 1);
    FState->Set(HSVToRGB(hsv), &hsv);
  }
  TEditState* FState;
};

// The colour itself.
class TPreview : public TGraphicControl {
 public:
  TPreview(TComponent* AOwner, TEditState* State) : TGraphicControl(AOwner), FState(State) {
    SetControlStyle(ControlStyle() | csOpaque);
  }
  void Paint() override {
    TCanvas* c = Canvas();
    TRect r = Rect(0, 0, Width(), Height());
    DrawEdge(c, r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FState->Color);
    c->FillRect(r);
  }

 private:
  TEditState* FState;
};

Integer ParseNumber(const String& s, Integer fallback) {
  Integer v = 0;
  bool any = false;
  for (char16_t ch : s) {
    if (ch == u' ') continue;
    if (ch < u'0' || ch > u'9') return fallback;
    v = std::min(v * 10 + (ch - u'0'), 100000);
    any = true;
  }
  return any ? v : fallback;
}

String HexColor(TColor c) {
  static const char16_t* digits = u"0123456789ABCDEF";
  const TColor rgb = ColorToRGB(c);
  const Byte parts[3] = {GetBValue(rgb), GetGValue(rgb), GetRValue(rgb)};
  String s;
  for (Byte p : parts) {
    s += digits[p >> 4];
    s += digits[p & 15];
  }
  return s;
}

TColor ParseHexColor(const String& s, TColor fallback) {
  if (s.empty() || s.size() > 6) return fallback;
  uint32_t v = 0;
  for (char16_t ch : s) {
    Integer d = ch >= u'0' && ch <= u'9' ? ch - u'0' : ch >= u'A' && ch <= u'F' ? ch - u'A' + 10
                                        : ch >= u'a' && ch <= u'f' ? ch - u'a' + 10 : -1;
    if (d < 0) return fallback;
    v = v * 16 + uint32_t(d);
  }
  // Stored as BBGGRR, as a colour value reads in hexadecimal.
  return TColor(v);
}

}  // namespace

// [dialog] -------------------------------------------------------------------------------------------------
TColorDialog::TColorDialog(TComponent* AOwner) : TComponent(AOwner), FCustomColors(std::make_unique<TStringList>()) {}

TColorDialog::~TColorDialog() = default;

void TColorDialog::SetCustomColors(TStrings* v) { FCustomColors->Assign(v); }

bool TColorDialog::Execute() {
  TEditState state;
  TForm form(nullptr);
  form.SetBorderStyle(bsDialog);
  form.SetPosition(poScreenCenter);
  form.SetCaption(u"Color");
  form.SetClientWidth(444);
  form.SetClientHeight(276);
  auto label = [&](const char16_t* text, Integer x, Integer y, TWinControl* focus = nullptr) {
    auto* l = new TLabel(&form);
    l->SetParent(&form);
    l->SetLeft(x);
    l->SetTop(y);
    l->SetCaption(text);
    l->SetFocusControl(focus);
    return l;
  };
  auto* basic = new TSwatches(&form, 8, 6);
  basic->SetParent(&form);
  basic->SetLeft(8);
  basic->SetTop(24);
  std::copy(std::begin(kBasicColors), std::end(kBasicColors), basic->Colors.begin());
  label(u"&Basic colors:", 8, 6, basic);
  auto* custom = new TSwatches(&form, 8, 2);
  custom->SetParent(&form);
  custom->SetLeft(8);
  custom->SetTop(182);
  for (Integer i = 0; i < 16; ++i)
    custom->Colors[size_t(i)] =
        ParseHexColor(FCustomColors->Values(String(u"Color") + char16_t(u'A' + i)), clWhite);
  custom->Selected = 0;
  label(u"&Custom colors:", 8, 164, custom);

  auto* spectrum = new TSpectrum(&form, &state);
  spectrum->SetParent(&form);
  spectrum->SetBounds(212, 8, 182, 152);
  auto* bar = new TValueBar(&form, &state);
  bar->SetParent(&form);
  bar->SetBounds(402, 8, 28, 152);
  auto* preview = new TPreview(&form, &state);
  preview->SetParent(&form);
  preview->SetBounds(212, 168, 62, 44);
  label(u"Color|Solid", 212, 214);

  // Hue, Sat, Val and Red, Green, Blue.
  struct Field {
    const char16_t* caption;
    Integer x, y, max;
    TEdit* edit = nullptr;
  };
  Field fields[6] = {{u"Hu&e:", 282, 168, 359}, {u"&Sat:", 282, 192, 255}, {u"&Val:", 282, 216, 255},
                     {u"&Red:", 360, 168, 255}, {u"&Green:", 360, 192, 255}, {u"Bl&ue:", 360, 216, 255}};
  for (Integer i = 0; i < 6; ++i) {
    Field& f = fields[i];
    f.edit = new TEdit(&form);
    f.edit->SetParent(&form);
    f.edit->SetBounds(f.x + 36, f.y, 36, 21);
    f.edit->SetMaxLength(3);
    label(f.caption, f.x, f.y + 3, f.edit);
    f.edit->SetOnChange([&state, &fields, i](TObject*) {
      if (state.Updating) return;
      const Integer v = std::clamp(ParseNumber(fields[i].edit->Text(), -1), -1, fields[i].max);
      if (v < 0) return;
      if (i < 3) {
        THSV hsv = state.HSV;
        (i == 0 ? hsv.H : i == 1 ? hsv.S : hsv.V) = v;
        state.Set(HSVToRGB(hsv), &hsv);
      } else {
        const TColor c = state.Color;
        Byte r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
        (i == 3 ? r : i == 4 ? g : b) = Byte(v);
        state.Set(RGB(r, g, b));
      }
    });
  }

  auto* ok = new TButton(&form);
  ok->SetParent(&form);
  ok->SetBounds(8, 240, 90, 25);
  ok->SetCaption(u"OK");
  ok->SetDefault(true);
  ok->SetModalResult(mrOk);
  auto* cancel = new TButton(&form);
  cancel->SetParent(&form);
  cancel->SetBounds(106, 240, 90, 25);
  cancel->SetCaption(u"Cancel");
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  auto* add = new TButton(&form);
  add->SetParent(&form);
  add->SetBounds(212, 240, 218, 25);
  add->SetCaption(u"&Add to Custom Colors");

  state.Views.push_back([&] {
    spectrum->Invalidate();
    bar->Invalidate();
    preview->Invalidate();
    const TColor c = state.Color;
    const Integer values[6] = {state.HSV.H, state.HSV.S, state.HSV.V, GetRValue(c), GetGValue(c), GetBValue(c)};
    for (Integer i = 0; i < 6; ++i) {
      const String t = FromUtf8(std::to_string(values[i]));
      if (fields[i].edit->Text() != t && !fields[i].edit->Focused()) fields[i].edit->SetText(t);
    }
  });
  basic->OnPick = [&](Integer i) { state.Set(basic->Colors[size_t(i)]); };
  custom->OnPick = [&](Integer i) { state.Set(custom->Colors[size_t(i)]); };
  add->SetOnClick([&](TObject*) {
    const Integer slot = std::max(custom->Selected, 0);
    custom->Colors[size_t(slot)] = state.Color;
    custom->Select((slot + 1) % 16, false);
  });

  state.Set(FColor);
  for (Integer i = 0; i < 48; ++i)
    if (kBasicColors[i] == state.Color) basic->Selected = i;
  form.SetActiveControl(basic);

  FForm = &form;
  TModalResult result;
  try {
    result = form.ShowModal();
  } catch (...) {
    FForm = nullptr;
    throw;
  }
  FForm = nullptr;
  if (result != mrOk) return false;
  FColor = state.Color;
  FCustomColors->Clear();
  for (Integer i = 0; i < 16; ++i)
    FCustomColors->Add(String(u"Color") + char16_t(u'A' + i) + u"=" + HexColor(custom->Colors[size_t(i)]));
  return true;
}

// [tables] -------------------------------------------------------------------------------------------------
const TClassInfo& TColorDialog::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TColorDialog>(&TComponent::ClassInfo())
      .Prop("Color", &TColorDialog::Color, &TColorDialog::SetColor, clBlack)
      .Prop("CustomColors", &TColorDialog::CustomColors, &TColorDialog::SetCustomColors);
  return info;
}

}  // namespace jox
