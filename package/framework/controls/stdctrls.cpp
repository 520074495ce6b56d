// Sections: [edit: text and selection] [edit: keys and mouse]
//           [edit: geometry] [edit: painting] [caret blink] [edit: class tables]
#include "package/framework/controls/stdctrls.h"

#include <algorithm>

#include "package/framework/controls/controls_internal.h"
#include "package/framework/controls/forms.h"
#include "package/framework/graphics/drawedge.h"

namespace jox {

namespace {
constexpr Integer kDefaultEditWidth = 121, kDefaultEditHeight = 21;
constexpr Cardinal kCaretBlinkMs = 530;  // the platform's default blink time
constexpr uintptr_t kBlinkTimerId = 1;
// Texts up to this length are measured prefix by prefix (exact with kerning); longer ones by
// summing character widths, so that measuring stays linear.
constexpr size_t kExactMeasureLimit = 256;
}  // namespace

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  SetControlStyle(ControlStyle() | csOpaque);
  SetParentColor(false);  // an edit keeps its window colour on any parent
  SetTabStop(true);
  SetBounds(0, 0, kDefaultEditWidth, kDefaultEditHeight);
  FBlink = std::make_unique<TCaretBlink>([this] { InvalidateRect(CaretRect()); });
}

TCustomEdit::~TCustomEdit() = default;

// [edit: text and selection] ---------------------------------------------------------------------------------
void TCustomEdit::SetText(const String& Value) {
  if (Value == Text()) return;
  TControl::SetText(Value);
  FEngine.LoadLine(Value);
  ScrollToCaret();
  Invalidate();
  // The form reader sets the text before the rest of the settings it depends on.
  if (!(ComponentState() & csLoading)) Change();
}

void TCustomEdit::Change() {
  if (FOnChange) FOnChange(this);
}

void TCustomEdit::TextEdited() {
  TControl::SetText(FEngine.LineText(0));
  SelectionMoved();
  Change();
  // Change may have put another text in place.
  ScrollToCaret();
}

void TCustomEdit::SelectionMoved() {
  ScrollToCaret();
  if (FBlink) FBlink->Reset();
  Invalidate();
}

void TCustomEdit::SetHideSelection(bool Value) {
  if (FHideSelection == Value) return;
  FHideSelection = Value;
  Invalidate();
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value) {
  if (Value != bsNone) Value = bsSingle;
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  AdjustHeight();
  Invalidate();
}

void TCustomEdit::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  AdjustHeight();
}

// [edit: keys and mouse] -------------------------------------------------------------------------------------
void TCustomEdit::DefaultHandler(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
    return;
  }
  if (!FEngine.Message(Message)) TWinControl::DefaultHandler(Message);
}

void TCustomEdit::KeyDown(Word& Key, TShiftState Shift) {
  TWinControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  // One line: Up and Down step as Left and Right, Home and End go to the text's ends.
  switch (Key) {
    case VK_UP: FEngine.KeyDown(VK_LEFT, Shift); return;
    case VK_DOWN: FEngine.KeyDown(VK_RIGHT, Shift); return;
    case VK_HOME: FEngine.MoveTo({}, Shift & ssShift); return;
    case VK_END: FEngine.MoveTo(FEngine.EndPos(), Shift & ssShift); return;
  }
  FEngine.KeyDown(Key, Shift);
}

void TCustomEdit::KeyPress(char16_t& Key) {
  TWinControl::KeyPress(Key);
  if (Key != 0) FEngine.KeyPress(Key);
}

void TCustomEdit::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TWinControl::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft) FEngine.MouseDown({0, IndexAt(X)}, Shift, X, Y);
}

void TCustomEdit::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TWinControl::MouseMove(Shift, X, Y);
  FEngine.MouseMove({0, IndexAt(X)}, Shift);
}

void TCustomEdit::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (Button == mbLeft) FEngine.MouseUp();
  TWinControl::MouseUp(Button, Shift, X, Y);
}

void TCustomEdit::DoEnter() {
  TWinControl::DoEnter();
  // A click places the caret itself; only keyboard focus selects the whole text.
  if (FAutoSelect && !(ControlState() & csLButtonDown)) SelectAll();
  FBlink->Start();
}

void TCustomEdit::DoExit() {
  FBlink->Stop();
  FEngine.Exit();
  Invalidate();
  TWinControl::DoExit();
}

void TCustomEdit::FontChanged() {
  FOffsetsValid = false;
  AdjustHeight();
  TWinControl::FontChanged();
}

// [edit: geometry] -------------------------------------------------------------------------------------------
Integer TCustomEdit::FrameWidth() const {
  if (FBorderStyle == bsNone) return 0;
  return Ctl3D() ? 2 : 1;
}

TRect TCustomEdit::TextArea() const {
  // The platform's edit leaves a margin inside its frame: text never touches the border.
  const Integer f = FrameWidth() + 1, m = f + 2;
  return Rect(m, f, std::max(m, Width() - m), std::max(f, Height() - f));
}

const std::vector<Integer>& TCustomEdit::Offsets() {
  const String& t = Text();
  if (FOffsetsValid && FOffsetsText == t) return FOffsets;
  TCanvas* c = Canvas();
  FOffsets.assign(t.size() + 1, 0);
  if (t.size() <= kExactMeasureLimit) {
    for (size_t i = 1; i <= t.size(); ++i) FOffsets[i] = c->TextWidth(t.substr(0, i));
  } else {
    for (size_t i = 0; i < t.size(); ++i) FOffsets[i + 1] = FOffsets[i] + c->TextWidth(t.substr(i, 1));
  }
  FOffsetsText = t;
  FOffsetsValid = true;
  return FOffsets;
}

Integer TCustomEdit::OffsetOf(Integer I) {
  const auto& o = Offsets();
  return o[size_t(std::clamp<Integer>(I, 0, Integer(o.size()) - 1))];
}

Integer TCustomEdit::IndexAt(Integer X) {
  const auto& o = Offsets();
  const Integer x = X - TextArea().Left + FScrollX;
  // The boundary nearest to x: the first whose following midpoint lies beyond it.
  Integer lo = 0, hi = Integer(o.size()) - 1;
  while (lo < hi) {
    const Integer mid = (lo + hi) / 2;
    if (x < (o[size_t(mid)] + o[size_t(mid + 1)] + 1) / 2) hi = mid;
    else lo = mid + 1;
  }
  return lo;
}

void TCustomEdit::ScrollToCaret() {
  const Integer w = std::max(1, TextArea().Width());
  const Integer total = OffsetOf(Integer(Text().size()));
  const Integer cx = OffsetOf(CaretIndex());
  if (cx < FScrollX) FScrollX = std::max(0, cx - w / 4);
  else if (cx >= FScrollX + w) FScrollX = cx - w + 1;
  FScrollX = std::clamp(FScrollX, 0, std::max(0, total - w + 1));
}

void TCustomEdit::AdjustHeight() {
  if (!FAutoSize || FAdjusting) return;
  FAdjusting = true;
  const Integer h = Canvas()->TextHeight(u"Wg") + 2 * FrameWidth() + 4;
  TWinControl::SetBounds(Left(), Top(), Width(), h);
  FAdjusting = false;
}

void TCustomEdit::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  AdjustHeight();
  ScrollToCaret();
}

// [edit: painting] -------------------------------------------------------------------------------------------
TRect TCustomEdit::CaretRect() {
  const TRect area = TextArea();
  if (area.IsEmpty() || !FEngine.Composition().empty()) return area;
  TCanvas* c = Canvas();
  c->Font()->Assign(Font());
  const Integer th = c->TextHeight(u"Wg");
  const auto& o = Offsets();
  const Integer x = area.Left - FScrollX + o[size_t(std::clamp<Integer>(CaretIndex(), 0, Integer(o.size()) - 1))];
  const Integer y = area.Top + (area.Height() - th) / 2;
  return Rect(x, y, x + 1, y + th);
}

void TCustomEdit::Paint() {
  TCanvas* c = Canvas();
  const Integer w = Width(), h = Height();
  if (w <= 0 || h <= 0) return;
  TBrush* b = c->Brush();
  auto strip = [&](TColor color, Integer l, Integer t, Integer r, Integer bt) {
    b->SetColor(color);
    c->FillRect(Rect(l, t, r, bt));
  };

  const Integer f = FrameWidth();
  if (f == 2) {
    TRect frame = Rect(0, 0, w, h);
    DrawEdge(c, frame, EDGE_SUNKEN, BF_RECT);
  } else if (f == 1) {
    b->SetColor(clWindowFrame);
    c->FrameRect(Rect(0, 0, w, h));
  }
  strip(Enabled() ? Color() : clBtnFace, f, f, w - f, h - f);

  const TRect area = TextArea();
  if (area.IsEmpty()) return;
  const String& text = Text();
  const auto& o = Offsets();
  c->SetClipRect(area);
  c->Font()->Assign(Font());
  const Integer th = c->TextHeight(u"Wg");
  const Integer x0 = area.Left - FScrollX;
  const Integer y = area.Top + (area.Height() - th) / 2;
  const Integer s0 = SelStart(), s1 = s0 + SelLength();
  const bool focused = Focused();
  const bool showSel = s1 > s0 && (focused || !FHideSelection);
  const TColor textColor = Enabled() ? Font()->Color() : clGrayText;

  b->SetStyle(bsClear);
  c->Font()->SetColor(textColor);
  if (!showSel) {
    c->TextOut(x0, y, text);
  } else {
    c->TextOut(x0, y, text.substr(0, size_t(s0)));
    c->TextOut(x0 + o[size_t(s1)], y, text.substr(size_t(s1)));
    strip(clHighlight, x0 + o[size_t(s0)], y, x0 + o[size_t(s1)], y + th);
    b->SetStyle(bsClear);
    c->Font()->SetColor(clHighlightText);
    c->TextOut(x0 + o[size_t(s0)], y, text.substr(size_t(s0), size_t(s1 - s0)));
  }
  const Integer caretX = x0 + o[size_t(std::clamp<Integer>(CaretIndex(), 0, Integer(text.size())))];
  if (const String& composing = FEngine.Composition(); focused && !composing.empty()) {
    // The text being composed lies over the caret, underlined, until the input method commits it.
    const Integer cw = c->TextWidth(composing);
    strip(Color(), caretX, y, caretX + cw, y + th);
    b->SetStyle(bsClear);
    c->Font()->SetColor(Font()->Color());
    c->TextOut(caretX, y, composing);
    strip(Font()->Color(), caretX, y + th - 1, caretX + cw, y + th);
  } else if (focused && FBlink->On()) {
    strip(textColor, caretX, y, caretX + 1, y + th);
  }
  c->ResetClipRect();
  c->Font()->SetColor(Font()->Color());
  b->SetStyle(bsSolid);
}

TPoint TCustomEdit::PopupPoint() const {
  // Offsets caches the text's layout; reading it changes nothing a caller sees.
  const auto& o = const_cast<TCustomEdit*>(this)->Offsets();
  const TRect area = TextArea();
  const Integer caret = std::clamp<Integer>(CaretIndex(), 0, Integer(o.size()) - 1);
  return Point(area.Left - FScrollX + (o.empty() ? 0 : o[size_t(caret)]), area.Bottom);
}

// [caret blink] ------------------------------------------------------------------------------------------------
TCaretBlink::~TCaretBlink() {
  if (FWnd) DeallocateHWnd(FWnd);
}

void TCaretBlink::Start() {
  if (!FWnd) FWnd = AllocateHWnd([this](TMessage& m) { WndProc(m); });
  SetTimer(FWnd, kBlinkTimerId, kCaretBlinkMs);
  FRunning = FOn = true;
  if (FToggled) FToggled();
}

void TCaretBlink::Stop() {
  if (FWnd) KillTimer(FWnd, kBlinkTimerId);
  const bool was = FOn;
  FRunning = FOn = false;
  if (was && FToggled) FToggled();
}

void TCaretBlink::Reset() {
  if (!FRunning) return;
  SetTimer(FWnd, kBlinkTimerId, kCaretBlinkMs);
  if (!FOn) {
    FOn = true;
    if (FToggled) FToggled();
  }
}

void TCaretBlink::WndProc(TMessage& Message) {
  if (Message.Msg == WM_TIMER && Message.WParam == intptr_t(kBlinkTimerId)) {
    FOn = !FOn;
    if (FToggled) FToggled();
  } else {
    Message.Result = DefWindowProcW(FWnd, Message.Msg, Message.WParam, Message.LParam);
  }
}

// [edit: class tables] ---------------------------------------------------------------------------------------
const TClassInfo& TCustomEdit::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TCustomEdit>(&TWinControl::ClassInfo());
  return info;
}

const TClassInfo& TEdit::ClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TEdit> b(&TCustomEdit::ClassInfo());
    AddEditProperties(b).Prop("MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength, Integer(0));
    return b.Build();
  }();
  return info;
}

}  // namespace jox
