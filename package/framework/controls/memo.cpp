// The memo. Sections: [text] [layout] [editing] [keys] [mouse] [painting] [tables]
#include "package/framework/controls/memo.h"

#include "package/framework/base/utf8.h"

#include <algorithm>

#include "package/framework/controls/clipbrd.h"
#include "package/framework/controls/controls_internal.h"
#include "package/framework/graphics/drawedge.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/menus.h"

namespace jox {

constexpr Integer kMemoWidth = 185, kMemoHeight = 89, kMemoMargin = 2;
constexpr size_t kMemoUndoLevels = 100;

// [text] ---------------------------------------------------------------------------------------------------
TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomScrollControl(AOwner), FLines(std::make_unique<TStringList>()) {
  SetControlStyle((ControlStyle() & ~csClickEvents) | csOpaque);
  SetScrollBars(ssNone);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
  SetCursor(crIBeam);
  FLines->SetOnChange([this](TObject*) { LinesChanged(); });
  SetBounds(0, 0, kMemoWidth, kMemoHeight);
  // Only the caret's strip repaints at a blink.
  FBlink = std::make_unique<TCaretBlink>([this] { InvalidateRect(CaretRect()); });
  SetMessageHandler(CM_COMPOSITION, [this](TMessage& m) {
    const String& text = *reinterpret_cast<const String*>(m.LParam);
    if (text == FComposition) return;
    FComposition = text;
    Invalidate();
  });
}

TCustomMemo::~TCustomMemo() { FLines->SetOnChange(nullptr); }


TStrings* TCustomMemo::Lines() const { return FLines.get(); }
void TCustomMemo::SetLines(TStrings* v) { FLines->Assign(v); }

void TCustomMemo::LinesChanged() {
  if (FSyncing) return;
  String flat;
  for (Integer i = 0; i < FLines->Count(); ++i) {
    if (i) flat += u'\n';
    flat += FLines->Get(i);
  }
  FFlat = flat;
  FCaret = std::min<Integer>(FCaret, Integer(FFlat.size()));
  FAnchor = FCaret;
  FUndo.clear();
  FTypedEnd = -1;
  Layout();
  Invalidate();
  Change();
}

String TCustomMemo::Text() const {
  String s;
  for (char16_t c : FFlat) {
    if (c == u'\n') s += u"\r\n";
    else s += c;
  }
  return s;
}

void TCustomMemo::SetText(const String& v) {
  if (v == Text()) return;
  FLines->SetText(v);
  // A text ending in a line break keeps its empty last line.
  if (!v.empty() && (v.back() == u'\n' || v.back() == u'\r')) FLines->Add(String());
}

Integer TCustomMemo::ToFlat(Integer Pos) const {
  // Text positions count CR LF as two characters.
  Integer t = 0;
  for (Integer i = 0; i < Integer(FFlat.size()); ++i) {
    if (t >= Pos) return i;
    t += FFlat[size_t(i)] == u'\n' ? 2 : 1;
  }
  return Integer(FFlat.size());
}

Integer TCustomMemo::FromFlat(Integer Pos) const {
  Integer t = 0;
  for (Integer i = 0; i < Pos && i < Integer(FFlat.size()); ++i) t += FFlat[size_t(i)] == u'\n' ? 2 : 1;
  return t;
}

Integer TCustomMemo::SelStart() const { return FromFlat(std::min(FCaret, FAnchor)); }
Integer TCustomMemo::SelLength() const {
  return FromFlat(std::max(FCaret, FAnchor)) - FromFlat(std::min(FCaret, FAnchor));
}

void TCustomMemo::SetSelStart(Integer v) {
  FCaret = FAnchor = ToFlat(std::max(v, 0));
  ScrollToCaret();
  Invalidate();
}

void TCustomMemo::SetSelLength(Integer v) {
  const Integer start = FromFlat(std::min(FCaret, FAnchor));
  FAnchor = ToFlat(start);
  FCaret = ToFlat(start + std::max(v, 0));
  Invalidate();
}

String TCustomMemo::SelText() const {
  const Integer a = std::min(FCaret, FAnchor), b = std::max(FCaret, FAnchor);
  String s;
  for (Integer i = a; i < b; ++i) {
    if (FFlat[size_t(i)] == u'\n') s += u"\r\n";
    else s += FFlat[size_t(i)];
  }
  return s;
}

void TCustomMemo::SetSelText(const String& v) { Replace(v, false); }

void TCustomMemo::SelectAll() {
  FAnchor = 0;
  FCaret = Integer(FFlat.size());
  Invalidate();
}

TPoint TCustomMemo::CaretPos() const {
  Integer line = 0, col = 0;
  for (Integer i = 0; i < FCaret; ++i) {
    if (FFlat[size_t(i)] == u'\n') {
      ++line;
      col = 0;
    } else {
      ++col;
    }
  }
  return Point(col, line);
}

void TCustomMemo::Change() {
  if (FOnChange) FOnChange(this);
}

// [layout] -------------------------------------------------------------------------------------------------
Integer TCustomMemo::LineHeight() {
  TCanvas* c = TControl::Canvas();
  c->Font()->Assign(Font());
  return std::max(c->TextHeight(u"Wg"), 1);
}

Integer TCustomMemo::VisibleRows() { return std::max((ClientHeight() - 2) / LineHeight(), 1); }

void TCustomMemo::Layout() {
  FRows.clear();
  TCanvas* c = TControl::Canvas();
  c->Font()->Assign(Font());
  const Integer avail = ClientWidth() - 2 * kMemoMargin;
  Integer start = 0;
  const Integer n = Integer(FFlat.size());
  while (true) {
    Integer end = start;
    while (end < n && FFlat[size_t(end)] != u'\n') ++end;
    // Wrap [start, end) at blanks to the width.
    Integer s = start;
    while (FWordWrap && avail > 0 && end - s > 0 && c->TextWidth(FFlat.substr(size_t(s), size_t(end - s))) > avail) {
      Integer cut = s, lastBlank = -1;
      while (cut < end && c->TextWidth(FFlat.substr(size_t(s), size_t(cut - s + 1))) <= avail) {
        if (FFlat[size_t(cut)] == u' ') lastBlank = cut;
        ++cut;
      }
      Integer next = lastBlank >= s ? lastBlank + 1 : std::max(cut, s + 1);
      FRows.push_back({s, next - s});
      s = next;
    }
    FRows.push_back({s, end - s});
    if (end >= n) break;
    start = end + 1;
  }
  const Integer rows = Integer(FRows.size());
  SetScrollInfo(sbVertical, 0, rows - 1, VisibleRows(), ScrollPos(sbVertical));
}

Integer TCustomMemo::RowOf(Integer Pos) const {
  for (Integer r = Integer(FRows.size()) - 1; r >= 0; --r)
    if (FRows[size_t(r)].Start <= Pos) return r;
  return 0;
}

Integer TCustomMemo::XOf(Integer Pos) {
  const TRow& row = FRows[size_t(RowOf(Pos))];
  TCanvas* c = TControl::Canvas();
  c->Font()->Assign(Font());
  return c->TextWidth(FFlat.substr(size_t(row.Start), size_t(Pos - row.Start)));
}

Integer TCustomMemo::PosAt(Integer X, Integer Y) {
  const Integer r = std::clamp(ScrollPos(sbVertical) + (Y - 1) / LineHeight(), 0,
                               Integer(FRows.size()) - 1);
  const TRow& row = FRows[size_t(r)];
  TCanvas* c = TControl::Canvas();
  c->Font()->Assign(Font());
  const Integer x = X - kMemoMargin + FScrollX;
  Integer best = row.Start;
  // The boundary nearest to x; a wrapped row's trailing blank is not a place of its own.
  Integer len = row.Length;
  const bool wrapped = r + 1 < Integer(FRows.size()) && FRows[size_t(r) + 1].Start == row.Start + row.Length;
  if (wrapped && len > 0) --len;
  for (Integer i = 0; i <= len; ++i) {
    const Integer w = c->TextWidth(FFlat.substr(size_t(row.Start), size_t(i)));
    const Integer prev = i ? c->TextWidth(FFlat.substr(size_t(row.Start), size_t(i - 1))) : 0;
    if (i == 0 || x >= (prev + w) / 2) best = row.Start + i;
  }
  return best;
}

void TCustomMemo::ScrollToCaret() {
  if (FRows.empty()) return;
  const Integer r = RowOf(FCaret);
  const Integer top = ScrollPos(sbVertical), vis = VisibleRows();
  if (r < top) SetScrollPos(sbVertical, r);
  else if (r >= top + vis) SetScrollPos(sbVertical, r - vis + 1);
  if (!FWordWrap) {
    const Integer x = XOf(FCaret), avail = ClientWidth() - 2 * kMemoMargin;
    if (x < FScrollX) FScrollX = x;
    else if (x > FScrollX + avail) FScrollX = x - avail;
  }
}

void TCustomMemo::ScrollPosChanged(TScrollBarKind Kind, Integer OldPos) {
  TCustomScrollControl::ScrollPosChanged(Kind, OldPos);
}

void TCustomMemo::SetWordWrap(bool v) {
  if (v == FWordWrap) return;
  FWordWrap = v;
  FScrollX = 0;
  Layout();
  Invalidate();
}

void TCustomMemo::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  TCustomScrollControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (FLines) Layout();
}

void TCustomMemo::FontChanged() {
  TCustomScrollControl::FontChanged();
  Layout();
}

// [editing] ------------------------------------------------------------------------------------------------
void TCustomMemo::Replace(const String& S, bool ByUser) {
  String ins;
  for (size_t i = 0; i < S.size(); ++i) {
    if (S[i] == u'\r') {
      ins += u'\n';
      if (i + 1 < S.size() && S[i + 1] == u'\n') ++i;
    } else {
      ins += S[i];
    }
  }
  const Integer a = std::min(FCaret, FAnchor), b = std::max(FCaret, FAnchor);
  if (FMaxLength > 0 && ByUser) {
    // Counted as Text counts: a line break is two characters.
    auto textLength = [](const String& s, size_t from, size_t to) {
      Integer n = 0;
      for (size_t i = from; i < to; ++i) n += s[i] == u'\n' ? 2 : 1;
      return n;
    };
    Integer room = FMaxLength - (textLength(FFlat, 0, FFlat.size()) - textLength(FFlat, size_t(a), size_t(b)));
    size_t keep = 0;
    while (keep < ins.size() && room >= (ins[keep] == u'\n' ? 2 : 1)) room -= ins[keep++] == u'\n' ? 2 : 1;
    ins.resize(keep);
  }
  if (ins.empty() && a == b) return;
  if (ByUser) {
    // A typed character right after the previous one joins its step; a line break starts a new one.
    const bool typed = ins.size() == 1 && a == b && ins[0] != u'\n';
    if (!(typed && a == FTypedEnd && !FUndo.empty())) {
      if (FUndo.size() == kMemoUndoLevels) FUndo.erase(FUndo.begin());
      FUndo.push_back({FFlat, FCaret, FAnchor});
    }
    FTypedEnd = typed ? a + 1 : -1;
  }
  FFlat = FFlat.substr(0, size_t(a)) + ins + FFlat.substr(size_t(b));
  FCaret = FAnchor = a + Integer(ins.size());
  TextReplaced();
}

void TCustomMemo::Undo() {
  if (FUndo.empty() || FReadOnly) return;
  TUndoStep step = std::move(FUndo.back());
  FUndo.pop_back();
  FTypedEnd = -1;
  FFlat = std::move(step.Flat);
  FCaret = std::min<Integer>(step.Caret, Integer(FFlat.size()));
  FAnchor = std::min<Integer>(step.Anchor, Integer(FFlat.size()));
  TextReplaced();
}

// FFlat changed by the user: the lines follow, then the view, then OnChange.
void TCustomMemo::TextReplaced() {
  FGoalX = -1;
  FBlink->Reset();
  FSyncing = true;
  try {
    String text;
    FLines->BeginUpdate();
    FLines->Clear();
    Integer s = 0;
    for (Integer i = 0; i <= Integer(FFlat.size()); ++i)
      if (i == Integer(FFlat.size()) || FFlat[size_t(i)] == u'\n') {
        FLines->Add(FFlat.substr(size_t(s), size_t(i - s)));
        s = i + 1;
      }
    FLines->EndUpdate();
  } catch (...) {
    FSyncing = false;
    throw;
  }
  FSyncing = false;
  Layout();
  ScrollToCaret();
  Invalidate();
  Change();
}

void TCustomMemo::MoveCaret(Integer Pos, bool Extend) {
  FTypedEnd = -1;
  FBlink->Reset();
  FCaret = Integer(Utf16Boundary(FFlat, size_t(std::clamp(Pos, 0, Integer(FFlat.size())))));
  if (!Extend) FAnchor = FCaret;
  ScrollToCaret();
  Invalidate();
}

void TCustomMemo::CopyToClipboard() {
  if (FCaret != FAnchor) Clipboard()->SetAsText(SelText());
}

void TCustomMemo::CutToClipboard() {
  if (FReadOnly || FCaret == FAnchor) return;
  CopyToClipboard();
  Replace(String(), true);
}

void TCustomMemo::PasteFromClipboard() {
  if (FReadOnly) return;
  Replace(Clipboard()->AsText(), true);
}

// [keys] ---------------------------------------------------------------------------------------------------
void TCustomMemo::KeyDown(Word& Key, TShiftState Shift) {
  TCustomScrollControl::KeyDown(Key, Shift);
  const bool ext = Shift & ssShift, ctrl = Shift & ssCtrl;
  const Integer n = Integer(FFlat.size());
  auto isWord = [&](Integer i) { return i >= 0 && i < n && FFlat[size_t(i)] != u' ' && FFlat[size_t(i)] != u'\n'; };
  const Integer row = FRows.empty() ? 0 : RowOf(FCaret);
  auto vertical = [&](Integer rows) {
    if (FGoalX < 0) FGoalX = XOf(FCaret);
    const Integer goal = FGoalX;
    const Integer r = std::clamp(row + rows, 0, Integer(FRows.size()) - 1);
    const Integer top = ScrollPos(sbVertical);
    const Integer y = 1 + (r - top) * LineHeight();
    Integer p = PosAt(goal + kMemoMargin - FScrollX, y);
    if (r < top || r >= top + VisibleRows()) {
      // Outside the page: measure on the row itself.
      SetScrollPos(sbVertical, std::clamp(r, 0, MaxScrollPos(sbVertical)));
      p = PosAt(goal + kMemoMargin - FScrollX, 1 + (r - ScrollPos(sbVertical)) * LineHeight());
    }
    MoveCaret(p, ext);
    FGoalX = goal;
  };
  switch (Key) {
    case VK_LEFT: {
      Integer p = Integer(Utf16Prev(FFlat, size_t(FCaret)));
      if (ctrl) {
        while (p > 0 && !isWord(p)) --p;
        while (p > 0 && isWord(p - 1)) --p;
      }
      if (!ext && FCaret != FAnchor && !ctrl) p = std::min(FCaret, FAnchor);
      MoveCaret(p, ext);
      FGoalX = -1;
      break;
    }
    case VK_RIGHT: {
      Integer p = Integer(Utf16Next(FFlat, size_t(FCaret)));
      if (ctrl) {
        p = FCaret;
        while (p < n && isWord(p)) ++p;
        while (p < n && !isWord(p)) ++p;
      }
      if (!ext && FCaret != FAnchor && !ctrl) p = std::max(FCaret, FAnchor);
      MoveCaret(p, ext);
      FGoalX = -1;
      break;
    }
    case VK_UP: vertical(-1); break;
    case VK_DOWN: vertical(1); break;
    case VK_PRIOR: vertical(-VisibleRows()); break;
    case VK_NEXT: vertical(VisibleRows()); break;
    case VK_HOME: MoveCaret(ctrl ? 0 : FRows[size_t(row)].Start, ext); FGoalX = -1; break;
    case VK_END: {
      Integer p = n;
      if (!ctrl) {
        const TRow& r = FRows[size_t(row)];
        p = r.Start + r.Length;
        // A wrapped row ends before its trailing blank.
        if (row + 1 < Integer(FRows.size()) && FRows[size_t(row) + 1].Start == p && p > r.Start) --p;
      }
      MoveCaret(p, ext);
      FGoalX = -1;
      break;
    }
    case VK_DELETE:
      if (FReadOnly) break;
      if (ext) {
        CutToClipboard();
        break;
      }
      if (FCaret == FAnchor) FAnchor = Integer(Utf16Next(FFlat, size_t(FCaret)));
      Replace(String(), true);
      break;
    case VK_INSERT:
      if (ctrl) CopyToClipboard();
      else if (ext) PasteFromClipboard();
      break;
    default:
      if (ctrl && Key == 'A') SelectAll();
      else if (ctrl && Key == 'C') CopyToClipboard();
      else if (ctrl && Key == 'X') CutToClipboard();
      else if (ctrl && Key == 'V') PasteFromClipboard();
      else if (ctrl && Key == 'Z') Undo();
      else return;
  }
  Key = 0;
}

void TCustomMemo::KeyPress(char16_t& Key) {
  TCustomScrollControl::KeyPress(Key);
  if (Key == 0 || FReadOnly) return;
  if (Key == 8) {
    if (FCaret == FAnchor) FAnchor = Integer(Utf16Prev(FFlat, size_t(FCaret)));
    Replace(String(), true);
  } else if (Key == 13) {
    if (FWantReturns) Replace(u"\n", true);
  } else if (Key == 9) {
    if (FWantTabs) Replace(u"\t", true);
  } else if (Key >= 32) {
    Replace(String(1, Key), true);
  }
}

void TCustomMemo::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | (FWantReturns ? DLGC_WANTRETURN : 0) |
                       (FWantTabs ? DLGC_WANTTAB : 0);
      return;
    case WM_CUT: CutToClipboard(); return;
    case WM_COPY: CopyToClipboard(); return;
    case WM_PASTE: PasteFromClipboard(); return;
    case WM_CLEAR: if (!FReadOnly) Replace(String(), true); return;
    case WM_UNDO: Undo(); return;
  }
  TCustomScrollControl::DefaultHandler(Message);
}

// [mouse] --------------------------------------------------------------------------------------------------
void TCustomMemo::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomScrollControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  MoveCaret(PosAt(X, Y), Shift & ssShift);
  FGoalX = -1;
  FSelecting = true;
}

void TCustomMemo::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TCustomScrollControl::MouseMove(Shift, X, Y);
  if (FSelecting) MoveCaret(PosAt(X, Y), true);
}

void TCustomMemo::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomScrollControl::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft) FSelecting = false;
}

void TCustomMemo::DoEnter() {
  TCustomScrollControl::DoEnter();
  FBlink->Start();
  Invalidate();
}

void TCustomMemo::DoExit() {
  FSelecting = false;
  FComposition.clear();
  FBlink->Stop();
  TCustomScrollControl::DoExit();
  Invalidate();
}

void TCustomMemo::SetBorderStyle(TBorderStyle v) {
  if (v == FBorderStyle) return;
  FBorderStyle = v;
  Invalidate();
  Layout();
}

// The caret's strip in client coordinates; empty when its row is scrolled out of view.
TRect TCustomMemo::CaretRect() {
  if (FRows.empty()) return TRect();
  const Integer cr = RowOf(FCaret) - ScrollPos(sbVertical);
  if (cr < 0 || cr >= VisibleRows() + 1) return TRect();
  const Integer lh = LineHeight();
  const Integer x = kMemoMargin - FScrollX + XOf(FCaret), y = 1 + cr * lh;
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
  const TRect area = Rect(kMemoMargin - 1, 1, ClientWidth(),
                          ClientHeight());
  c->SetClipRect(area);
  const Integer a = std::min(FCaret, FAnchor), b = std::max(FCaret, FAnchor);
  const bool focused = Focused();
  const Integer x0 = kMemoMargin - FScrollX;
  const TColor text = Enabled() ? Font()->Color() : clGrayText;
  for (Integer ri = ScrollPos(sbVertical), y = 1; ri < Integer(FRows.size()) && y < area.Bottom;
       ++ri, y += lh) {
    const TRow& row = FRows[size_t(ri)];
    const String s = FFlat.substr(size_t(row.Start), size_t(row.Length));
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetColor(text);
    c->TextOut(x0, y, s);
    // The selected part again, on the highlight.
    const Integer sa = std::max(a, row.Start), sb = std::min(b, row.Start + row.Length);
    if (focused && sb > sa) {
      const Integer xa = x0 + c->TextWidth(s.substr(0, size_t(sa - row.Start)));
      const String part = FFlat.substr(size_t(sa), size_t(sb - sa));
      c->Brush()->SetStyle(bsSolid);
      c->Brush()->SetColor(clHighlight);
      c->Font()->SetColor(clHighlightText);
      c->TextOut(xa, y, part);
    }
  }
  if (const TRect at = CaretRect(); focused && !FComposition.empty() && !at.IsEmpty()) {
    // An input method's text being composed lies over the caret, underlined, until it is committed.
    const Integer cw = c->TextWidth(FComposition);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(Rect(at.Left, at.Top, at.Left + cw, at.Bottom));
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetColor(Font()->Color());
    c->TextOut(at.Left, at.Top, FComposition);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Font()->Color());
    c->FillRect(Rect(at.Left, at.Bottom - 1, at.Left + cw, at.Bottom));
  } else if (focused && FCaret == FAnchor && FBlink->On()) {
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
