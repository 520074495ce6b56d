// Sections: [edit: text and selection] [edit: clipboard and undo] [edit: keys and mouse]
//           [edit: geometry] [edit: painting] [caret blink] [edit: class tables]
#include "package/framework/controls/stdctrls.h"

#include "package/framework/base/utf8.h"

#include "package/framework/controls/controls_internal.h"

#include <algorithm>

#include "package/framework/controls/clipbrd.h"
#include "package/framework/controls/forms.h"
#include "package/framework/graphics/drawedge.h"
#include "package/framework/controls/textwords.h"

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
  SetMessageHandler(WM_GETDLGCODE, [](TMessage& m) { m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; });
  SetMessageHandler(WM_CUT, [this](TMessage&) { CutToClipboard(); });
  SetMessageHandler(WM_COPY, [this](TMessage&) { CopyToClipboard(); });
  SetMessageHandler(WM_PASTE, [this](TMessage&) { PasteFromClipboard(); });
  SetMessageHandler(WM_CLEAR, [this](TMessage&) {
    if (!FReadOnly) UserReplace(String());
  });
  SetMessageHandler(WM_UNDO, [this](TMessage&) { Undo(); });
  SetMessageHandler(CM_COMPOSITION, [this](TMessage& m) {
    const String& text = *reinterpret_cast<const String*>(m.LParam);
    if (text == FComposition) return;
    FComposition = text;
    Invalidate();
  });
  FBlink = std::make_unique<TCaretBlink>([this] { InvalidateRect(CaretRect()); });
}

TCustomEdit::~TCustomEdit() = default;

// [edit: text and selection] ---------------------------------------------------------------------------------
void TCustomEdit::SetText(const String& Value) {
  if (Value == Text()) return;
  TControl::SetText(Value);
  FCaret = std::min(FCaret, Integer(Value.size()));
  FAnchor = FCaret;
  FModified = false;
  FHasUndo = false;
  ScrollToCaret();
  Invalidate();
  // The form reader sets the text before the rest of the settings it depends on.
  if (!(ComponentState() & csLoading)) Change();
}

void TCustomEdit::Change() {
  if (FOnChange) FOnChange(this);
}

Integer TCustomEdit::SelStart() const { return std::min(FAnchor, FCaret); }

void TCustomEdit::SetSelStart(Integer Value) {
  FCaret = FAnchor = std::clamp(Value, 0, Integer(Text().size()));
  ScrollToCaret();
  Invalidate();
}

Integer TCustomEdit::SelLength() const { return std::abs(FCaret - FAnchor); }

void TCustomEdit::SetSelLength(Integer Value) {
  const Integer start = SelStart();
  FAnchor = start;
  FCaret = Integer(std::clamp<Int64>(Int64(start) + Value, 0, Int64(Text().size())));
  ScrollToCaret();
  Invalidate();
}

String TCustomEdit::SelText() const { return Text().substr(size_t(SelStart()), size_t(SelLength())); }

void TCustomEdit::SetSelText(const String& Value) { UserReplace(Value); }

void TCustomEdit::SelectAll() {
  FAnchor = 0;
  FCaret = Integer(Text().size());
  ScrollToCaret();
  Invalidate();
}

void TCustomEdit::ClearSelection() {
  if (SelLength() > 0) UserReplace(String());
}

void TCustomEdit::SetMaxLength(Integer Value) { FMaxLength = std::max(Value, 0); }

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

void TCustomEdit::UserReplace(const String& S) {
  const String text = Text();
  const Integer s0 = SelStart(), s1 = s0 + SelLength();
  String ins = S;
  if (FMaxLength > 0) {
    const Integer room = std::max(0, FMaxLength - (Integer(text.size()) - (s1 - s0)));
    if (Integer(ins.size()) > room) ins.resize(size_t(room));
  }
  if (ins.empty() && s0 == s1) return;
  FUndoText = text;
  FUndoCaret = FCaret;
  FHasUndo = true;
  CommitEdit(text.substr(0, size_t(s0)) + ins + text.substr(size_t(s1)), s0 + Integer(ins.size()));
}

void TCustomEdit::CommitEdit(const String& NewText, Integer Caret) {
  if (NewText == Text()) {
    MoveCaret(Caret, false);
    return;
  }
  TControl::SetText(NewText);
  FAnchor = FCaret = std::clamp(Caret, 0, Integer(NewText.size()));
  FModified = true;
  ScrollToCaret();
  Invalidate();
  Change();
  // Change may have put another text in place.
  ScrollToCaret();
}

void TCustomEdit::MoveCaret(Integer Pos, bool Extend) {
  FCaret = Integer(Utf16Boundary(Text(), size_t(std::clamp(Pos, 0, Integer(Text().size())))));
  if (!Extend) FAnchor = FCaret;
  ScrollToCaret();
  FBlink->Reset();
  Invalidate();
}

Integer TCustomEdit::NextChar(Integer Pos) const { return Integer(Utf16Next(Text(), size_t(std::max(Pos, 0)))); }
Integer TCustomEdit::PrevChar(Integer Pos) const { return Integer(Utf16Prev(Text(), size_t(std::max(Pos, 0)))); }

Integer TCustomEdit::WordLeft(Integer Pos) const {
  const String& t = Text();
  Integer p = std::clamp(Pos, 0, Integer(t.size()));
  while (p > 0 && IsWordSeparator(t[size_t(p - 1)])) --p;
  while (p > 0 && !IsWordSeparator(t[size_t(p - 1)])) --p;
  return p;
}

Integer TCustomEdit::WordRight(Integer Pos) const {
  const String& t = Text();
  const Integer len = Integer(t.size());
  Integer p = std::clamp(Pos, 0, len);
  while (p < len && !IsWordSeparator(t[size_t(p)])) ++p;
  while (p < len && IsWordSeparator(t[size_t(p)])) ++p;
  return p;
}

// [edit: clipboard and undo] ---------------------------------------------------------------------------------
void TCustomEdit::CopyToClipboard() {
  if (SelLength() > 0) Clipboard()->SetAsText(SelText());
}

void TCustomEdit::CutToClipboard() {
  if (FReadOnly || SelLength() == 0) return;
  CopyToClipboard();
  UserReplace(String());
}

void TCustomEdit::PasteFromClipboard() {
  if (FReadOnly || !Clipboard()->HasFormat(CF_TEXT)) return;
  String s = Clipboard()->AsText();
  s.resize(std::min(s.size(), s.find_first_of(u"\r\n")));
  UserReplace(s);
}

void TCustomEdit::Undo() {
  if (!FHasUndo || FReadOnly) return;
  const String current = Text();
  const Integer caret = FCaret;
  const String back = FUndoText;
  const Integer backCaret = FUndoCaret;
  FUndoText = current;
  FUndoCaret = caret;
  CommitEdit(back, backCaret);
}

// [edit: keys and mouse] -------------------------------------------------------------------------------------
void TCustomEdit::KeyDown(Word& Key, TShiftState Shift) {
  TWinControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  const bool shift = Shift & ssShift, ctrl = Shift & ssCtrl;
  const Integer len = Integer(Text().size());
  switch (Key) {
    case VK_LEFT:
    case VK_UP:
      if (!shift && SelLength() > 0) MoveCaret(SelStart(), false);
      else MoveCaret(ctrl ? WordLeft(FCaret) : PrevChar(FCaret), shift);
      break;
    case VK_RIGHT:
    case VK_DOWN:
      if (!shift && SelLength() > 0) MoveCaret(SelStart() + SelLength(), false);
      else MoveCaret(ctrl ? WordRight(FCaret) : NextChar(FCaret), shift);
      break;
    case VK_HOME: MoveCaret(0, shift); break;
    case VK_END: MoveCaret(len, shift); break;
    case VK_DELETE:
      if (shift) {
        CutToClipboard();
      } else if (!FReadOnly) {
        if (SelLength() == 0) {
          if (FCaret >= len) break;
          FAnchor = FCaret;
          FCaret = ctrl ? WordRight(FCaret) : NextChar(FCaret);
        }
        UserReplace(String());
      }
      break;
    case VK_INSERT:
      if (ctrl && !shift) CopyToClipboard();
      else if (shift && !ctrl) PasteFromClipboard();
      break;
    default:
      if (ctrl && !shift && !(Shift & ssAlt)) {
        switch (Key) {
          case 'A': SelectAll(); break;
          case 'C': CopyToClipboard(); break;
          case 'X': CutToClipboard(); break;
          case 'V': PasteFromClipboard(); break;
          case 'Z': Undo(); break;
          default: return;
        }
        break;
      }
      return;
  }
  FBlink->Reset();
}

void TCustomEdit::KeyPress(char16_t& Key) {
  TWinControl::KeyPress(Key);
  if (Key == 0 || FReadOnly) return;
  if (Key == 8 || Key == 127) {  // Backspace; Ctrl+Backspace takes the word
    if (SelLength() == 0) {
      if (FCaret == 0) return;
      FAnchor = FCaret;
      FCaret = Key == 127 ? WordLeft(FCaret) : PrevChar(FCaret);
    }
    UserReplace(String());
  } else if (Key >= 32) {
    UserReplace(String(1, Key));
  }
  FBlink->Reset();
}

void TCustomEdit::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TWinControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  // The second press of a double click keeps the word DblClick selected.
  if (!(Shift & ssDouble)) MoveCaret(IndexAt(X), Shift & ssShift);
  FSelecting = true;
}

void TCustomEdit::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TWinControl::MouseMove(Shift, X, Y);
  if (FSelecting && (Shift & ssLeft)) MoveCaret(IndexAt(X), true);
}

void TCustomEdit::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (Button == mbLeft) FSelecting = false;
  TWinControl::MouseUp(Button, Shift, X, Y);
}

void TCustomEdit::DblClick() {
  TWinControl::DblClick();
  const String& t = Text();
  const Integer len = Integer(t.size());
  const size_t at = size_t(std::clamp(FCaret, 0, len));
  FAnchor = Integer(WordStartAt(t, at));
  MoveCaret(Integer(WordEndAt(t, at)), true);
}

void TCustomEdit::DoEnter() {
  TWinControl::DoEnter();
  // A click places the caret itself; only keyboard focus selects the whole text.
  if (FAutoSelect && !(ControlState() & csLButtonDown)) SelectAll();
  FBlink->Start();
}

void TCustomEdit::DoExit() {
  FBlink->Stop();
  FComposition.clear();
  FSelecting = false;
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
  const Integer cx = OffsetOf(FCaret);
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
  if (area.IsEmpty() || !FComposition.empty()) return area;
  TCanvas* c = Canvas();
  c->Font()->Assign(Font());
  const Integer th = c->TextHeight(u"Wg");
  const auto& o = Offsets();
  const Integer x = area.Left - FScrollX + o[size_t(std::clamp<Integer>(FCaret, 0, Integer(o.size()) - 1))];
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
  const Integer caretX = x0 + o[size_t(std::clamp<Integer>(FCaret, 0, Integer(text.size())))];
  if (focused && !FComposition.empty()) {
    // The text being composed lies over the caret, underlined, until the input method commits it.
    const Integer cw = c->TextWidth(FComposition);
    strip(Color(), caretX, y, caretX + cw, y + th);
    b->SetStyle(bsClear);
    c->Font()->SetColor(Font()->Color());
    c->TextOut(caretX, y, FComposition);
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
  const Integer caret = std::clamp<Integer>(FCaret, 0, Integer(o.size()) - 1);
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
