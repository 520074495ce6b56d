// The text engine. Sections: [store] [positions] [selection] [editing] [undo] [input]
#include "package/framework/controls/textengine.h"

#include <algorithm>
#include <cstdlib>

#include "package/framework/base/utf8.h"
#include "package/framework/controls/application.h"
#include "package/framework/controls/clipbrd.h"
#include "package/framework/controls/textwords.h"

namespace jox {

// [store] --------------------------------------------------------------------------------------------------
const String& TTextEngine::LineText(Integer Line) const {
  static const String empty;
  return Line >= 0 && Line < LineCount() ? FLines[size_t(Line)] : empty;
}

String TTextEngine::Text() const {
  if (FLines.size() == 1) return FLines[0];
  size_t size = 0;
  for (const String& l : FLines) size += l.size() + 2;
  String s;
  s.reserve(size);
  for (size_t i = 0; i < FLines.size(); ++i) {
    if (i) s += u"\r\n";
    s += FLines[i];
  }
  return s;
}

void TTextEngine::LoadLine(const String& S) {
  FLines.assign(1, S);
  StoreReplaced();
  FModified = false;
}

void TTextEngine::StoreReplaced() {
  FCaret = FAnchor = Clamp(FCaret);
  ClearUndo();
}

// [positions] ----------------------------------------------------------------------------------------------
TTextPos TTextEngine::EndPos() const {
  return FLines.empty() ? TTextPos{} : TTextPos{LineCount() - 1, Integer(FLines.back().size())};
}

TTextPos TTextEngine::Clamp(TTextPos P) const {
  if (FLines.empty()) return {};
  P.Line = std::clamp(P.Line, 0, LineCount() - 1);
  const String& l = FLines[size_t(P.Line)];
  P.Col = Integer(Utf16Boundary(l, size_t(std::clamp(P.Col, 0, Integer(l.size())))));
  return P;
}

TTextPos TTextEngine::NextPos(TTextPos P) const {
  const String& l = LineText(P.Line);
  if (P.Col < Integer(l.size())) return {P.Line, Integer(Utf16Next(l, size_t(P.Col)))};
  return P.Line + 1 < LineCount() ? TTextPos{P.Line + 1, 0} : P;
}

TTextPos TTextEngine::PrevPos(TTextPos P) const {
  if (P.Col > 0) return {P.Line, Integer(Utf16Prev(LineText(P.Line), size_t(P.Col)))};
  return P.Line > 0 ? TTextPos{P.Line - 1, Integer(LineText(P.Line - 1).size())} : P;
}

namespace {
// The character after P; a line's end reads as a line break.
char16_t CharAt(const TTextEngine& E, TTextPos P) {
  const String& l = E.LineText(P.Line);
  return P.Col < Integer(l.size()) ? l[size_t(P.Col)] : u'\n';
}
}  // namespace

TTextPos TTextEngine::WordLeft(TTextPos P) const {
  P = Clamp(P);
  auto sepBefore = [&](TTextPos p) { return IsWordSeparator(CharAt(*this, PrevPos(p))); };
  while (P > TTextPos{} && sepBefore(P)) P = PrevPos(P);
  while (P > TTextPos{} && !sepBefore(P)) P = PrevPos(P);
  return P;
}

TTextPos TTextEngine::WordRight(TTextPos P) const {
  P = Clamp(P);
  const TTextPos end = EndPos();
  while (P < end && !IsWordSeparator(CharAt(*this, P))) P = NextPos(P);
  while (P < end && IsWordSeparator(CharAt(*this, P))) P = NextPos(P);
  return P;
}

TTextPos TTextEngine::WordStart(TTextPos P) const {
  return {P.Line, Integer(WordStartAt(LineText(P.Line), size_t(std::max(P.Col, 0))))};
}

TTextPos TTextEngine::WordEnd(TTextPos P) const {
  return {P.Line, Integer(WordEndAt(LineText(P.Line), size_t(std::max(P.Col, 0))))};
}

Integer TTextEngine::ToOffset(TTextPos P) const {
  Int64 t = 0;
  for (Integer i = 0; i < P.Line && i < LineCount(); ++i) t += Int64(FLines[size_t(i)].size()) + 2;
  return Integer(std::min<Int64>(t + P.Col, INT32_MAX));
}

TTextPos TTextEngine::FromOffset(Integer Offset) const {
  Offset = std::max(Offset, 0);
  for (Integer i = 0; i < LineCount(); ++i) {
    const Integer len = Integer(FLines[size_t(i)].size());
    // An offset inside a line break stands for the start of the next line.
    if (Offset <= len || i + 1 == LineCount()) return Clamp({i, Offset});
    Offset -= len + 2;
    if (Offset < 0) return {i + 1, 0};
  }
  return {};
}

String TTextEngine::TextBetween(TTextPos A, TTextPos B, std::u16string_view Break) const {
  String s;
  for (Integer line = A.Line; line <= B.Line && line < LineCount(); ++line) {
    const String& l = FLines[size_t(line)];
    const Integer from = line == A.Line ? A.Col : 0, to = line == B.Line ? B.Col : Integer(l.size());
    if (line > A.Line) s += Break;
    s.append(l, size_t(from), size_t(std::max(to - from, 0)));
  }
  return s;
}

// [selection] ----------------------------------------------------------------------------------------------
void TTextEngine::MoveTo(TTextPos P, bool Extend) {
  FTypedEnd = {-1, -1};
  FCaret = Clamp(P);
  if (!Extend) FAnchor = FCaret;
  FHost.SelectionMoved();
}

void TTextEngine::SetSelection(TTextPos Anchor, TTextPos Caret) {
  FAnchor = Clamp(Anchor);
  MoveTo(Caret, true);
}

void TTextEngine::SetSelStart(Integer Offset) { MoveTo(FromOffset(Offset), false); }

void TTextEngine::SetSelLength(Integer Length) {
  const Integer start = SelStart();
  SetSelection(FromOffset(start), FromOffset(Integer(std::clamp<Int64>(Int64(start) + Length, 0, INT32_MAX))));
}

void TTextEngine::SelectAll() { SetSelection({}, EndPos()); }

// [editing] ------------------------------------------------------------------------------------------------
String TTextEngine::Normalize(const String& S) const {
  if (!FMultiLine) return S.substr(0, S.find_first_of(u"\r\n"));
  String out;
  out.reserve(S.size());
  for (size_t i = 0; i < S.size(); ++i) {
    if (S[i] == u'\r') {
      out += u'\n';
      if (i + 1 < S.size() && S[i + 1] == u'\n') ++i;
    } else {
      out += S[i];
    }
  }
  return out;
}

// Replaces [A, B) by Ins (lines split at '\n'); returns where Ins ends. The host hears which lines changed.
TTextPos TTextEngine::ReplaceRange(TTextPos A, TTextPos B, const String& Ins) {
  if (FLines.empty()) {
    FLines.emplace_back();
    FHost.LinesInserted(0, 1);
  }
  std::vector<String> parts;
  for (size_t s = 0;;) {
    const size_t e = Ins.find(u'\n', s);
    parts.push_back(Ins.substr(s, e == String::npos ? String::npos : e - s));
    if (e == String::npos) break;
    s = e + 1;
  }
  const String tail = FLines[size_t(B.Line)].substr(size_t(B.Col));
  const Integer k = Integer(parts.size());
  const TTextPos end{A.Line + k - 1, Integer(parts.back().size()) + (k == 1 ? A.Col : 0)};
  parts.back() += tail;
  String& first = FLines[size_t(A.Line)];
  first.resize(size_t(A.Col));
  first += parts[0];
  // Lines A.Line + 1 .. B.Line go; parts 1 .. k - 1 come in their place.
  if (const Integer gone = B.Line - A.Line; gone > 0) {
    FLines.erase(FLines.begin() + A.Line + 1, FLines.begin() + B.Line + 1);
    FHost.LinesDeleted(A.Line + 1, gone);
  }
  if (k > 1) {
    FLines.insert(FLines.begin() + A.Line + 1, std::make_move_iterator(parts.begin() + 1),
                  std::make_move_iterator(parts.end()));
    FHost.LinesInserted(A.Line + 1, k - 1);
  }
  FHost.LineChanged(A.Line);
  return end;
}

bool TTextEngine::Insert(const String& S, bool Typed, const TTextPos* CaretBefore) {
  String ins = Normalize(S);
  const TTextPos a = SelFirst(), b = SelLast();
  if (FMaxLength > 0) {
    // Counted as Text counts: a line break is two characters. A surrogate pair goes whole or not at all.
    Int64 room = Int64(FMaxLength) - (Int64(ToOffset(EndPos())) - (ToOffset(b) - ToOffset(a)));
    size_t keep = 0;
    while (keep < ins.size()) {
      const size_t n = Utf16Next(ins, keep) - keep;
      const Int64 cost = ins[keep] == u'\n' ? 2 : Int64(n);
      if (room < cost) break;
      room -= cost;
      keep += n;
    }
    ins.resize(keep);
  }
  if (ins.empty() && a == b) return false;
  const String removed = TextBetween(a, b, u"\n");
  const TTextPos end = ReplaceRange(a, b, ins);
  // A typed character right after the previous one joins its step, so a typed word is one step with the
  // blanks behind it; a line break, or a word begun after blanks, starts a new one.
  const bool typed = Typed && ins.size() == 1 && a == b && ins[0] != u'\n';
  const bool blank = typed && IsWordSeparator(ins[0]);
  if (typed && a == FTypedEnd && !FUndo.empty() && (blank || !FTypedBlank)) {
    FUndo.back().End = end;
    FRedo.clear();
  } else {
    PushUndo({a, end, removed, CaretBefore ? *CaretBefore : FCaret, CaretBefore ? *CaretBefore : FAnchor});
  }
  FTypedEnd = typed ? end : TTextPos{-1, -1};
  FTypedBlank = blank;
  FCaret = FAnchor = end;
  FModified = true;
  // Last: the host's OnChange may put another text in place.
  FHost.TextEdited();
  return true;
}

bool TTextEngine::TypeChar(char16_t C) {
  if (FReadOnly) return false;
  return Insert(String(1, C), true);
}

bool TTextEngine::DeleteBack(bool Word) {
  if (FReadOnly) return false;
  if (HasSelection()) return Insert(String(), false);
  return DeleteTo(Word ? WordLeft(FCaret) : PrevPos(FCaret));
}

bool TTextEngine::DeleteForward(bool Word) {
  if (FReadOnly) return false;
  if (HasSelection()) return Insert(String(), false);
  return DeleteTo(Word ? WordRight(FCaret) : NextPos(FCaret));
}

// Deletes from the caret to To; undoing it puts the caret back where it stood.
bool TTextEngine::DeleteTo(TTextPos To) {
  const TTextPos was = FCaret;
  if (To == was) return false;
  FAnchor = was;
  FCaret = To;
  return Insert(String(), false, &was);
}

bool TTextEngine::ClearSelection() { return !FReadOnly && HasSelection() && Insert(String(), false); }

void TTextEngine::CopyToClipboard() const {
  if (HasSelection()) Clipboard()->SetAsText(SelText());
}

bool TTextEngine::CutToClipboard() {
  if (FReadOnly || !HasSelection()) return false;
  CopyToClipboard();
  return Insert(String(), false);
}

bool TTextEngine::PasteFromClipboard() {
  if (FReadOnly || !Clipboard()->HasFormat(CF_TEXT)) return false;
  return Insert(Clipboard()->AsText(), false);
}

// [undo] ---------------------------------------------------------------------------------------------------
void TTextEngine::PushUndo(TUndoStep Step) {
  FRedo.clear();
  if (FUndo.size() == kUndoLevels) FUndo.erase(FUndo.begin());
  FUndo.push_back(std::move(Step));
}

void TTextEngine::ClearUndo() {
  FUndo.clear();
  FRedo.clear();
  FTypedEnd = {-1, -1};
}

// Takes the last step of From back and keeps its opposite in To.
bool TTextEngine::ApplyStep(std::vector<TUndoStep>& From, std::vector<TUndoStep>& To) {
  if (From.empty() || FReadOnly) return false;
  TUndoStep step = std::move(From.back());
  From.pop_back();
  const TTextPos start = Clamp(step.Start), stop = Clamp(step.End);
  TUndoStep back{start, {}, TextBetween(start, stop, u"\n"), FCaret, FAnchor};
  back.End = ReplaceRange(start, stop, step.Removed);
  To.push_back(std::move(back));
  FTypedEnd = {-1, -1};
  FCaret = Clamp(step.Caret);
  FAnchor = Clamp(step.Anchor);
  FModified = true;
  FHost.TextEdited();
  return true;
}

bool TTextEngine::Undo() { return ApplyStep(FUndo, FRedo); }
bool TTextEngine::Redo() { return ApplyStep(FRedo, FUndo); }

// [input] --------------------------------------------------------------------------------------------------
bool TTextEngine::KeyDown(Word Key, TShiftState Shift) {
  const bool shift = Shift & ssShift, ctrl = Shift & ssCtrl, alt = Shift & ssAlt;
  switch (Key) {
    case VK_LEFT:
      if (!shift && !ctrl && HasSelection()) MoveTo(SelFirst(), false);
      else MoveTo(ctrl ? WordLeft(FCaret) : PrevPos(FCaret), shift);
      return true;
    case VK_RIGHT:
      if (!shift && !ctrl && HasSelection()) MoveTo(SelLast(), false);
      else MoveTo(ctrl ? WordRight(FCaret) : NextPos(FCaret), shift);
      return true;
    case VK_DELETE:
      if (shift && !ctrl) CutToClipboard();
      else DeleteForward(ctrl);
      return true;
    case VK_INSERT:
      if (ctrl && !shift) CopyToClipboard();
      else if (shift && !ctrl) PasteFromClipboard();
      return true;
  }
  if (!ctrl || alt) return false;
  switch (Key) {
    case 'A': if (!shift) SelectAll(); return !shift;
    case 'C': if (!shift) CopyToClipboard(); return !shift;
    case 'X': if (!shift) CutToClipboard(); return !shift;
    case 'V': if (!shift) PasteFromClipboard(); return !shift;
    case 'Z': shift ? Redo() : Undo(); return true;
    case 'Y': if (!shift) Redo(); return !shift;
  }
  return false;
}

bool TTextEngine::KeyPress(char16_t Key) {
  if (Key == 8 || Key == 127) {  // Backspace; Ctrl+Backspace takes the word
    DeleteBack(Key == 127);
    return true;
  }
  if (Key < 32) return false;
  TypeChar(Key);
  return true;
}

bool TTextEngine::Message(TMessage& M) {
  switch (M.Msg) {
    case WM_CUT: CutToClipboard(); return true;
    case WM_COPY: CopyToClipboard(); return true;
    case WM_PASTE: PasteFromClipboard(); return true;
    case WM_CLEAR: ClearSelection(); return true;
    case WM_UNDO:
    case EM_UNDO: M.Result = Undo(); return true;
    case EM_REDO: M.Result = Redo(); return true;
    case EM_CANUNDO: M.Result = CanUndo(); return true;
    case EM_CANREDO: M.Result = CanRedo(); return true;
    case EM_EMPTYUNDOBUFFER: ClearUndo(); return true;
    case EM_GETMODIFY: M.Result = FModified; return true;
    case EM_SETMODIFY: FModified = M.WParam != 0; return true;
    case EM_SETREADONLY: FReadOnly = M.WParam != 0; M.Result = 1; return true;
    case EM_LIMITTEXT: SetMaxLength(Integer(M.WParam)); return true;
    case EM_GETLIMITTEXT: M.Result = FMaxLength; return true;
    case EM_GETSEL: {
      const Integer s = SelStart(), e = s + SelLength();
      if (M.WParam) *reinterpret_cast<Integer*>(M.WParam) = s;
      if (M.LParam) *reinterpret_cast<Integer*>(M.LParam) = e;
      // Both in one word only while they fit its halves; the pointers carry any size.
      M.Result = s <= 0xFFFF && e <= 0xFFFF ? intptr_t(s) | (intptr_t(e) << 16) : -1;
      return true;
    }
    case EM_SETSEL: {
      // Start -1 takes the selection away; an end of -1 stands for the text's end.
      if (M.WParam == -1) {
        MoveTo(FCaret, false);
      } else {
        const TTextPos e = M.LParam < 0 ? EndPos() : FromOffset(Integer(std::min<intptr_t>(M.LParam, INT32_MAX)));
        SetSelection(FromOffset(Integer(std::clamp<intptr_t>(M.WParam, 0, INT32_MAX))), e);
      }
      return true;
    }
    case EM_REPLACESEL:
      if (M.LParam) SetSelText(reinterpret_cast<const char16_t*>(M.LParam));
      return true;
    case CM_COMPOSITION: {
      const String& text = *reinterpret_cast<const String*>(M.LParam);
      if (text != FComposition) {
        FComposition = text;
        FHost.SelectionMoved();
      }
      return true;
    }
  }
  return false;
}

void TTextEngine::MouseDown(TTextPos P, TShiftState Shift, Integer X, Integer Y) {
  const uint64_t now = Application->Now();
  P = Clamp(P);
  if (Shift & ssDouble) {
    // The second press selects the word under the pointer.
    SetSelection(WordStart(P), WordEnd(P));
    FDoubleClickTime = now;
    FDoubleClickX = X;
    FDoubleClickY = Y;
    FDoubleClicked = true;
    FSelecting = false;
  } else if (FDoubleClicked && now - FDoubleClickTime <= Application->DoubleClickTime() &&
             std::abs(X - FDoubleClickX) <= 2 && std::abs(Y - FDoubleClickY) <= 2) {
    // The third selects the line.
    FDoubleClicked = false;
    SetSelection({P.Line, 0}, {P.Line, Integer(LineText(P.Line).size())});
  } else {
    FDoubleClicked = false;
    MoveTo(P, Shift & ssShift);
    FSelecting = true;
  }
}

void TTextEngine::MouseMove(TTextPos P, TShiftState Shift) {
  if (FSelecting && (Shift & ssLeft)) MoveTo(P, true);
}

void TTextEngine::Exit() {
  FSelecting = false;
  FComposition.clear();
}

}  // namespace jox
