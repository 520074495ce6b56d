// The memo. Sections: [text] [positions] [layout] [editing] [keys] [mouse] [painting] [tables]
// (the line store and its layout cache: memo_lines.cpp)
#include "package/framework/controls/memo.h"

#include <algorithm>

#include "package/framework/base/utf8.h"
#include "package/framework/controls/clipbrd.h"
#include "package/framework/controls/controls_internal.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/menus.h"
#include "package/framework/controls/textwords.h"
#include "package/framework/graphics/drawedge.h"
#include "package/framework/graphics/fonts.h"

namespace jox {

constexpr Integer kMemoWidth = 185, kMemoHeight = 89;
constexpr size_t kMemoUndoLevels = 100;

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
  SetMessageHandler(CM_COMPOSITION, [this](TMessage& m) {
    const String& text = *reinterpret_cast<const String*>(m.LParam);
    if (text == FComposition) return;
    FComposition = text;
    Invalidate();
  });
}

// Lines changed from outside: the caret stays in range, the undo steps no longer fit the text.
void TCustomMemo::LinesReplaced() {
  FCaret = FAnchor = Clamp(FCaret);
  FUndo.clear();
  FTypedEnd = {-1, -1};
  UpdateScrollRanges();
  Invalidate();
  Change();
}

String TCustomMemo::Text() const {
  size_t size = 0;
  for (const String& l : FText) size += l.size() + 2;
  String s;
  s.reserve(size);
  for (size_t i = 0; i < FText.size(); ++i) {
    if (i) s += u"\r\n";
    s += FText[i];
  }
  return s;
}

void TCustomMemo::SetText(const String& v) {
  if (v == Text()) return;
  Lines()->SetText(v);
  // A text ending in a line break keeps its empty last line.
  if (!v.empty() && (v.back() == u'\n' || v.back() == u'\r')) Lines()->Add(String());
}

Integer TCustomMemo::SelStart() const { return ToOffset(std::min(FCaret, FAnchor)); }
Integer TCustomMemo::SelLength() const {
  return ToOffset(std::max(FCaret, FAnchor)) - ToOffset(std::min(FCaret, FAnchor));
}

void TCustomMemo::SetSelStart(Integer v) {
  FCaret = FAnchor = FromOffset(std::max(v, 0));
  ScrollToCaret();
  Invalidate();
}

void TCustomMemo::SetSelLength(Integer v) {
  const Integer start = SelStart();
  FAnchor = FromOffset(start);
  FCaret = FromOffset(start + std::max(v, 0));
  Invalidate();
}

String TCustomMemo::SelText() const { return TextBetween(std::min(FCaret, FAnchor), std::max(FCaret, FAnchor)); }

void TCustomMemo::SetSelText(const String& v) { Replace(v, false); }

void TCustomMemo::SelectAll() {
  FAnchor = {};
  FCaret = EndPos();
  Invalidate();
}

TPoint TCustomMemo::CaretPos() const { return Point(FCaret.Col, FCaret.Line); }

void TCustomMemo::Change() {
  if (FOnChange) FOnChange(this);
}

// [positions] ----------------------------------------------------------------------------------------------
TCustomMemo::TTextPos TCustomMemo::EndPos() const {
  return FText.empty() ? TTextPos{} : TTextPos{LineCount() - 1, Integer(FText.back().size())};
}

TCustomMemo::TTextPos TCustomMemo::Clamp(TTextPos P) const {
  if (FText.empty()) return {};
  P.Line = std::clamp(P.Line, 0, LineCount() - 1);
  const String& l = FText[size_t(P.Line)];
  P.Col = Integer(Utf16Boundary(l, size_t(std::clamp(P.Col, 0, Integer(l.size())))));
  return P;
}

TCustomMemo::TTextPos TCustomMemo::NextPos(TTextPos P) const {
  const String& l = LineText(P.Line);
  if (P.Col < Integer(l.size())) return {P.Line, Integer(Utf16Next(l, size_t(P.Col)))};
  return P.Line + 1 < LineCount() ? TTextPos{P.Line + 1, 0} : P;
}

TCustomMemo::TTextPos TCustomMemo::PrevPos(TTextPos P) const {
  if (P.Col > 0) return {P.Line, Integer(Utf16Prev(LineText(P.Line), size_t(P.Col)))};
  return P.Line > 0 ? TTextPos{P.Line - 1, Integer(LineText(P.Line - 1).size())} : P;
}

char16_t TCustomMemo::CharAt(TTextPos P) const {
  const String& l = LineText(P.Line);
  return P.Col < Integer(l.size()) ? l[size_t(P.Col)] : u'\n';
}

Integer TCustomMemo::ToOffset(TTextPos P) const {
  Integer t = 0;
  for (Integer i = 0; i < P.Line && i < LineCount(); ++i) t += Integer(FText[size_t(i)].size()) + 2;
  return t + P.Col;
}

TCustomMemo::TTextPos TCustomMemo::FromOffset(Integer Offset) const {
  for (Integer i = 0; i < LineCount(); ++i) {
    const Integer len = Integer(FText[size_t(i)].size());
    // An offset inside a line break stands for the start of the next line.
    if (Offset <= len || i + 1 == LineCount()) return Clamp({i, Offset});
    Offset -= len + 2;
  }
  return {};
}

String TCustomMemo::TextBetween(TTextPos A, TTextPos B, std::u16string_view Break) const {
  String s;
  for (Integer line = A.Line; line <= B.Line && line < LineCount(); ++line) {
    const String& l = FText[size_t(line)];
    const Integer from = line == A.Line ? A.Col : 0, to = line == B.Line ? B.Col : Integer(l.size());
    if (line > A.Line) s += Break;
    s.append(l, size_t(from), size_t(std::max(to - from, 0)));
  }
  return s;
}

TCustomMemo::TTextPos TCustomMemo::WordStart(TTextPos P) const {
  const String& l = LineText(P.Line);
  return {P.Line, Integer(WordStartAt(l, size_t(P.Col)))};
}

TCustomMemo::TTextPos TCustomMemo::WordEnd(TTextPos P) const {
  const String& l = LineText(P.Line);
  return {P.Line, Integer(WordEndAt(l, size_t(P.Col)))};
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

TCustomMemo::TTextPos TCustomMemo::PosInRow(Integer Row, Integer X) {
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

TCustomMemo::TTextPos TCustomMemo::PosAt(Integer X, Integer Y) {
  const Integer row = ScrollPos(sbVertical) + (Y - 1) / LineHeight() - (Y < 1 ? 1 : 0);
  return PosInRow(std::clamp(row, 0, RowCount() - 1), X - kMemoMargin + ScrollX());
}

void TCustomMemo::ScrollToCaret() {
  const Integer r = RowOf(FCaret);
  const Integer top = ScrollPos(sbVertical), vis = VisibleRows();
  if (r < top) SetScrollPos(sbVertical, r);
  else if (r >= top + vis) SetScrollPos(sbVertical, r - vis + 1);
  if (!FWordWrap) {
    const Integer x = XOf(FCaret), avail = ClientWidth() - 2 * kMemoMargin;
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
// Replaces [A, B) of the store by Ins (lines split at '\n'); returns where Ins ends. Only the lines
// touched are re-measured.
TCustomMemo::TTextPos TCustomMemo::ReplaceRange(TTextPos A, TTextPos B, const String& Ins) {
  FSyncing = true;
  struct Restore {
    bool& f;
    ~Restore() { f = false; }
  } restore{FSyncing};
  if (FText.empty()) {
    FText.emplace_back();
    LinesInserted(0, 1);
  }
  std::vector<String> parts;
  for (size_t s = 0;;) {
    const size_t e = Ins.find(u'\n', s);
    parts.push_back(Ins.substr(s, e == String::npos ? String::npos : e - s));
    if (e == String::npos) break;
    s = e + 1;
  }
  const String tail = FText[size_t(B.Line)].substr(size_t(B.Col));
  const Integer k = Integer(parts.size());
  const TTextPos end{A.Line + k - 1, Integer(parts.back().size()) + (k == 1 ? A.Col : 0)};
  parts.back() += tail;
  String& first = FText[size_t(A.Line)];
  first.resize(size_t(A.Col));
  first += parts[0];
  // Lines A.Line + 1 .. B.Line go; parts 1 .. k - 1 come in their place.
  const Integer gone = B.Line - A.Line;
  if (gone > 0) {
    FText.erase(FText.begin() + A.Line + 1, FText.begin() + B.Line + 1);
    LinesDeleted(A.Line + 1, gone);
  }
  if (k > 1) {
    FText.insert(FText.begin() + A.Line + 1, std::make_move_iterator(parts.begin() + 1),
                 std::make_move_iterator(parts.end()));
    LinesInserted(A.Line + 1, k - 1);
  }
  LineChanged(A.Line);
  return end;
}

void TCustomMemo::Replace(const String& S, bool ByUser) {
  String ins;
  ins.reserve(S.size());
  for (size_t i = 0; i < S.size(); ++i) {
    if (S[i] == u'\r') {
      ins += u'\n';
      if (i + 1 < S.size() && S[i + 1] == u'\n') ++i;
    } else {
      ins += S[i];
    }
  }
  const TTextPos a = std::min(FCaret, FAnchor), b = std::max(FCaret, FAnchor);
  if (FMaxLength > 0 && ByUser) {
    // Counted as Text counts: a line break is two characters.
    Integer room = FMaxLength - (ToOffset(EndPos()) - (ToOffset(b) - ToOffset(a)));
    size_t keep = 0;
    while (keep < ins.size() && room >= (ins[keep] == u'\n' ? 2 : 1)) room -= ins[keep++] == u'\n' ? 2 : 1;
    ins.resize(keep);
  }
  if (ins.empty() && a == b) return;
  const String removed = TextBetween(a, b, u"\n");
  const TTextPos end = ReplaceRange(a, b, ins);
  if (ByUser) {
    // A typed character right after the previous one joins its step; a line break starts a new one.
    const bool typed = ins.size() == 1 && a == b && ins[0] != u'\n';
    if (typed && a == FTypedEnd && !FUndo.empty()) {
      FUndo.back().End = end;
    } else {
      if (FUndo.size() == kMemoUndoLevels) FUndo.erase(FUndo.begin());
      FUndo.push_back({a, end, removed, FCaret, FAnchor});
    }
    FTypedEnd = typed ? end : TTextPos{-1, -1};
  }
  FCaret = FAnchor = end;
  TextReplaced();
}

void TCustomMemo::Undo() {
  if (FUndo.empty() || FReadOnly) return;
  TUndoStep step = std::move(FUndo.back());
  FUndo.pop_back();
  FTypedEnd = {-1, -1};
  ReplaceRange(step.Start, step.End, step.Removed);
  FCaret = Clamp(step.Caret);
  FAnchor = Clamp(step.Anchor);
  TextReplaced();
}

// The store changed by the user: the view follows, then OnChange.
void TCustomMemo::TextReplaced() {
  FGoalX = -1;
  FBlink->Reset();
  UpdateScrollRanges();
  ScrollToCaret();
  Invalidate();
  Change();
}

void TCustomMemo::MoveCaret(TTextPos Pos, bool Extend) {
  FTypedEnd = {-1, -1};
  FBlink->Reset();
  FCaret = Clamp(Pos);
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
  auto isWord = [&](TTextPos p) { return !IsWordSeparator(CharAt(p)); };
  const TTextPos end = EndPos();
  const Integer row = RowOf(FCaret);
  auto vertical = [&](Integer rows) {
    if (FGoalX < 0) FGoalX = XOf(FCaret);
    const Integer goal = FGoalX;
    MoveCaret(PosInRow(std::clamp(row + rows, 0, RowCount() - 1), goal), ext);
    FGoalX = goal;
  };
  switch (Key) {
    case VK_LEFT: {
      TTextPos p = PrevPos(FCaret);
      if (ctrl) {
        while (p > TTextPos{} && !isWord(p)) p = PrevPos(p);
        while (p > TTextPos{} && isWord(PrevPos(p))) p = PrevPos(p);
      }
      if (!ext && FCaret != FAnchor && !ctrl) p = std::min(FCaret, FAnchor);
      MoveCaret(p, ext);
      FGoalX = -1;
      break;
    }
    case VK_RIGHT: {
      TTextPos p = NextPos(FCaret);
      if (ctrl) {
        p = FCaret;
        while (p < end && isWord(p)) p = NextPos(p);
        while (p < end && !isWord(p)) p = NextPos(p);
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
    case VK_HOME: {
      const TRowSpan r = RowSpan(row);
      MoveCaret(ctrl ? TTextPos{} : TTextPos{r.Line, r.Start}, ext);
      FGoalX = -1;
      break;
    }
    case VK_END: {
      TTextPos p = end;
      if (!ctrl) {
        const TRowSpan r = RowSpan(row);
        // A wrapped row ends before its trailing blank.
        p = {r.Line, r.Wrapped && r.End > r.Start ? r.End - 1 : r.End};
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
      if (FCaret == FAnchor) FAnchor = NextPos(FCaret);
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
    if (FCaret == FAnchor) FAnchor = PrevPos(FCaret);
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
  const TTextPos p = PosAt(X, Y);
  const uint64_t now = Application->Now();
  if (Shift & ssDouble) {
    // The second press selects the word under the pointer.
    FAnchor = WordStart(p);
    MoveCaret(WordEnd(p), true);
    FDoubleClickTime = now;
    FDoubleClickPoint = Point(X, Y);
    FDoubleClicked = true;
  } else if (FDoubleClicked && now - FDoubleClickTime <= Application->DoubleClickTime() &&
             std::abs(X - FDoubleClickPoint.X) <= 2 && std::abs(Y - FDoubleClickPoint.Y) <= 2) {
    // The third selects the line.
    FDoubleClicked = false;
    FAnchor = {p.Line, 0};
    MoveCaret({p.Line, Integer(LineText(p.Line).size())}, true);
  } else {
    FDoubleClicked = false;
    MoveCaret(p, Shift & ssShift);
    FSelecting = true;
  }
  FGoalX = -1;
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
  Relayout();
}

// The caret's strip in client coordinates; empty when its row is scrolled out of view.
TRect TCustomMemo::CaretRect() {
  const Integer cr = RowOf(FCaret) - ScrollPos(sbVertical);
  if (cr < 0 || cr >= VisibleRows() + 1) return TRect();
  const Integer lh = LineHeight();
  const Integer x = kMemoMargin - ScrollX() + XOf(FCaret), y = 1 + cr * lh;
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
  const TTextPos a = std::min(FCaret, FAnchor), b = std::max(FCaret, FAnchor);
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
