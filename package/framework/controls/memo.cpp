// The memo. Sections: [text] [layout] [editing] [keys] [mouse] [painting] [tables]
// (the line store and its layout cache: memo_lines.cpp)
#include "package/framework/controls/memo.h"

#include <algorithm>

#include "package/framework/base/utf8.h"
#include "package/framework/controls/controls_internal.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/menus.h"
#include "package/framework/graphics/drawedge.h"
#include "package/framework/graphics/fonts.h"

namespace jox {

constexpr Integer kMemoWidth = 185, kMemoHeight = 89;

// [text] ---------------------------------------------------------------------------------------------------
void TCustomMemo::Init() {
  SetControlStyle((ControlStyle() & ~csClickEvents) | csOpaque);
  SetScrollBars(ssNone);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
  SetCursor(crIBeam);
  SetBounds(0, 0, kMemoWidth, kMemoHeight);
  // Only the caret's strip repaints at a blink.
  FBlink = std::make_unique<TCaretBlink>([this] { InvalidateRect(CaretRect()); });
}

// Lines changed from outside: the caret stays in range, the undo steps no longer fit the text.
void TCustomMemo::LinesReplaced() {
  FEngine.StoreReplaced();
  UpdateScrollRanges();
  Invalidate();
  Change();
}

String TCustomMemo::Text() const { return FEngine.Text(); }

void TCustomMemo::SetText(const String& v) {
  if (v == Text()) return;
  FEngine.SetModified(false);
  Lines()->SetText(v);
  // A text ending in a line break keeps its empty last line.
  if (!v.empty() && (v.back() == u'\n' || v.back() == u'\r')) Lines()->Add(String());
}

TPoint TCustomMemo::CaretPos() const { return Point(FEngine.Caret().Col, FEngine.Caret().Line); }

void TCustomMemo::Change() {
  if (FOnChange) FOnChange(this);
}

// [layout] -------------------------------------------------------------------------------------------------
Integer TCustomMemo::LineHeight() {
  if (FLineHeight == 0) {
    TCanvas* c = TControl::Canvas();
    c->Font()->Assign(Font());
    FLineHeight = std::max(c->TextHeight(u"Wg"), 1);
  }
  return FLineHeight;
}

Integer TCustomMemo::VisibleRows() { return std::max((ClientHeight() - 2) / LineHeight(), 1); }

Integer TCustomMemo::XOf(TTextPos P) {
  if (FText.empty()) return 0;
  const TRowSpan r = RowSpan(RowOf(P));
  const String& l = FText[size_t(P.Line)];
  return fonts::TextWidth(SizedFont(), std::u16string_view(l).substr(size_t(r.Start), size_t(P.Col - r.Start)));
}

TTextPos TCustomMemo::PosInRow(Integer Row, Integer X) {
  if (FText.empty()) return {};
  const TRowSpan r = RowSpan(Row);
  const std::u16string_view l = std::u16string_view(FText[size_t(r.Line)]).substr(size_t(r.Start), size_t(r.End - r.Start));
  // The boundary nearest to X, from one measuring pass; a wrapped row's trailing blank is no place of its own.
  static thread_local std::vector<Integer> x;
  Advances(l, x);
  Integer len = Integer(l.size());
  if (r.Wrapped && len > 0) --len;
  Integer best = 0;
  for (Integer i = 1; i <= len; ++i) {
    if (x[size_t(i)] == x[size_t(i - 1)] && i < len) continue;  // inside a surrogate pair
    const Integer prev = x[size_t(Utf16Prev(l, size_t(i)))];
    if (X >= (prev + x[size_t(i)]) / 2) best = i;
  }
  return {r.Line, r.Start + best};
}

TTextPos TCustomMemo::PosAt(Integer X, Integer Y) {
  const Integer row = ScrollPos(sbVertical) + (Y - 1) / LineHeight() - (Y < 1 ? 1 : 0);
  return PosInRow(std::clamp(row, 0, RowCount() - 1), X - kMemoMargin + ScrollX());
}

void TCustomMemo::ScrollToCaret() {
  const TTextPos caret = FEngine.Caret();
  const Integer r = RowOf(caret);
  const Integer top = ScrollPos(sbVertical), vis = VisibleRows();
  if (r < top) SetScrollPos(sbVertical, r);
  else if (r >= top + vis) SetScrollPos(sbVertical, r - vis + 1);
  if (!FWordWrap) {
    const Integer x = XOf(caret), avail = ClientWidth() - 2 * kMemoMargin;
    if (x < ScrollX()) SetScrollPos(sbHorizontal, x);
    else if (x >= ScrollX() + avail) SetScrollPos(sbHorizontal, x - avail + 1);
  }
}

void TCustomMemo::ScrollPosChanged(TScrollBarKind Kind, Integer OldPos) {
  TCustomScrollControl::ScrollPosChanged(Kind, OldPos);
}

void TCustomMemo::SetWordWrap(bool v) {
  if (v == FWordWrap) return;
  FWordWrap = v;
  SetScrollPos(sbHorizontal, 0);
  Relayout();
  Invalidate();
}

void TCustomMemo::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  const Integer w = Width();
  TCustomScrollControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (!FLines) return;
  // Only a new width wraps again; a new height changes the page.
  if (Width() != w || FLayout.size() != FText.size()) Relayout();
  else UpdateScrollRanges();
}

void TCustomMemo::FontChanged() {
  TCustomScrollControl::FontChanged();
  FSizedFont = nullptr;
  if (FLines) Relayout();
}

// [editing] ------------------------------------------------------------------------------------------------
// The store changed by the user: the view follows, then OnChange.
void TCustomMemo::TextEdited() {
  FGoalX = -1;
  FBlink->Reset();
  UpdateScrollRanges();
  ScrollToCaret();
  Invalidate();
  Change();
}

void TCustomMemo::SelectionMoved() {
  FGoalX = -1;
  if (FBlink) FBlink->Reset();
  ScrollToCaret();
  Invalidate();
}

// [keys] ---------------------------------------------------------------------------------------------------
void TCustomMemo::KeyDown(Word& Key, TShiftState Shift) {
  TCustomScrollControl::KeyDown(Key, Shift);
  const bool ext = Shift & ssShift, ctrl = Shift & ssCtrl;
  const TTextPos caret = FEngine.Caret();
  const Integer row = RowOf(caret);
  auto vertical = [&](Integer rows) {
    if (FGoalX < 0) FGoalX = XOf(caret);
    const Integer goal = FGoalX;
    FEngine.MoveTo(PosInRow(std::clamp(row + rows, 0, RowCount() - 1), goal), ext);
    FGoalX = goal;
  };
  switch (Key) {
    case VK_UP: vertical(-1); break;
    case VK_DOWN: vertical(1); break;
    case VK_PRIOR: vertical(-VisibleRows()); break;
    case VK_NEXT: vertical(VisibleRows()); break;
    case VK_HOME: {
      const TRowSpan r = RowSpan(row);
      FEngine.MoveTo(ctrl ? TTextPos{} : TTextPos{r.Line, r.Start}, ext);
      break;
    }
    case VK_END: {
      TTextPos p = FEngine.EndPos();
      if (!ctrl) {
        const TRowSpan r = RowSpan(row);
        // A wrapped row ends before its trailing blank.
        p = {r.Line, r.Wrapped && r.End > r.Start ? r.End - 1 : r.End};
      }
      FEngine.MoveTo(p, ext);
      break;
    }
    default:
      if (!FEngine.KeyDown(Key, Shift)) return;
  }
  Key = 0;
}

void TCustomMemo::KeyPress(char16_t& Key) {
  TCustomScrollControl::KeyPress(Key);
  if (Key == 13) {
    if (FWantReturns) FEngine.TypeChar(u'\n');
  } else if (Key == 9) {
    if (FWantTabs) FEngine.TypeChar(u'\t');
  } else if (Key != 0) {
    FEngine.KeyPress(Key);
  }
}

void TCustomMemo::DefaultHandler(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | (FWantReturns ? DLGC_WANTRETURN : 0) |
                     (FWantTabs ? DLGC_WANTTAB : 0);
    return;
  }
  if (!FEngine.Message(Message)) TCustomScrollControl::DefaultHandler(Message);
}

// [mouse] --------------------------------------------------------------------------------------------------
void TCustomMemo::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomScrollControl::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft) FEngine.MouseDown(PosAt(X, Y), Shift, X, Y);
}

void TCustomMemo::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TCustomScrollControl::MouseMove(Shift, X, Y);
  if (Shift & ssLeft) FEngine.MouseMove(PosAt(X, Y), Shift);
}

void TCustomMemo::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomScrollControl::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft) FEngine.MouseUp();
}

void TCustomMemo::DoEnter() {
  TCustomScrollControl::DoEnter();
  FBlink->Start();
  Invalidate();
}

void TCustomMemo::DoExit() {
  FEngine.Exit();
  FBlink->Stop();
  TCustomScrollControl::DoExit();
  Invalidate();
}

void TCustomMemo::SetBorderStyle(TBorderStyle v) {
  if (v == FBorderStyle) return;
  FBorderStyle = v;
  Invalidate();
  Relayout();
}

// The caret's strip in client coordinates; empty when its row is scrolled out of view.
TRect TCustomMemo::CaretRect() {
  const TTextPos caret = FEngine.Caret();
  const Integer cr = RowOf(caret) - ScrollPos(sbVertical);
  if (cr < 0 || cr >= VisibleRows() + 1) return TRect();
  const Integer lh = LineHeight();
  const Integer x = kMemoMargin - ScrollX() + XOf(caret), y = 1 + cr * lh;
  return Rect(x, y, x + 1, y + lh);
}

TPoint TCustomMemo::PopupPoint() const {
  // CaretRect reads the row layout, which it may build first; nothing a caller sees changes.
  const TRect r = const_cast<TCustomMemo*>(this)->CaretRect();
  return r.IsEmpty() ? TCustomScrollControl::PopupPoint() : Point(r.Left, r.Bottom);
}

// [painting] -----------------------------------------------------------------------------------------------
void TCustomMemo::Paint() {
  TCanvas* c = TControl::Canvas();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(Enabled() ? Color() : clBtnFace);
  c->FillRect(ClientRect());
  c->Font()->Assign(Font());
  const Integer lh = LineHeight();
  const TRect area = Rect(kMemoMargin - 1, 1, ClientWidth(), ClientHeight());
  c->SetClipRect(area);
  const TTextPos a = FEngine.SelFirst(), b = FEngine.SelLast();
  const bool focused = Focused();
  const Integer x0 = kMemoMargin - ScrollX();
  const TColor text = Enabled() ? Font()->Color() : clGrayText;
  const Integer rows = FText.empty() ? 0 : RowCount();
  for (Integer ri = ScrollPos(sbVertical), y = 1; ri < rows && y < area.Bottom; ++ri, y += lh) {
    const TRowSpan row = RowSpan(ri);
    const String s = FText[size_t(row.Line)].substr(size_t(row.Start), size_t(row.End - row.Start));
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetColor(text);
    c->TextOut(x0, y, s);
    // The selected part again, on the highlight.
    const TTextPos rs{row.Line, row.Start}, re{row.Line, row.End};
    const TTextPos sa = std::max(a, rs), sb = std::min(b, re);
    if (focused && sb > sa) {
      const Integer xa = x0 + c->TextWidth(s.substr(0, size_t(sa.Col - row.Start)));
      const String part = s.substr(size_t(sa.Col - row.Start), size_t(sb.Col - sa.Col));
      c->Brush()->SetStyle(bsSolid);
      c->Brush()->SetColor(clHighlight);
      c->Font()->SetColor(clHighlightText);
      c->TextOut(xa, y, part);
    }
  }
  const String& composing = FEngine.Composition();
  if (const TRect at = CaretRect(); focused && !composing.empty() && !at.IsEmpty()) {
    // An input method's text being composed lies over the caret, underlined, until it is committed.
    const Integer cw = c->TextWidth(composing);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(Rect(at.Left, at.Top, at.Left + cw, at.Bottom));
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetColor(Font()->Color());
    c->TextOut(at.Left, at.Top, composing);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Font()->Color());
    c->FillRect(Rect(at.Left, at.Bottom - 1, at.Left + cw, at.Bottom));
  } else if (focused && !FEngine.HasSelection() && FBlink->On()) {
    const TRect caret = CaretRect();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(text);
    c->FillRect(caret);
  }
  c->ResetClipRect();
}

// [tables] -------------------------------------------------------------------------------------------------
const TClassInfo& TCustomMemo::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TCustomMemo>(&TCustomScrollControl::ClassInfo());
  return info;
}

const TClassInfo& TMemo::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TMemo>(&TCustomMemo::ClassInfo())
      .Prop("Lines", &TMemo::Lines, &TMemo::SetLines)
      .Prop("ScrollBars", &TMemo::ScrollBars, &TMemo::SetScrollBars, ssNone)
      .Prop("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap, true)
      .Prop("WantReturns", &TMemo::WantReturns, &TMemo::SetWantReturns, true)
      .Prop("WantTabs", &TMemo::WantTabs, &TMemo::SetWantTabs, false)
      .Prop("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly, false)
      .Prop("MaxLength", &TMemo::MaxLength, &TMemo::SetMaxLength, Integer(0))
      .Prop("BorderStyle", &TMemo::BorderStyle, &TMemo::SetBorderStyle, bsSingle)
      .Prop("TabStop", &TMemo::TabStop, &TMemo::SetTabStop, true)
      .Publish(ControlProperties(), pgBounds)
      .Publish(ControlProperties(), pgFont)
      .Publish(ControlProperties(), pgHint)
      .Publish(ControlProperties(), pgWinControl)
      .Publish(ControlProperties(), pgMouseEvents)
      .Publish(ControlProperties(), pgKeyEvents)
      .Event("OnChange");
  return info;
}

}  // namespace jox
