// The text engine under the edit and the memo: the store of lines, caret and selection, word moves,
// typing, deleting, undo and redo, the clipboard, the text messages, MaxLength, ReadOnly, the input
// method's composition and mouse selection. An edit is its one-line case; the controls keep only what
// differs (rows and wrapping, scrolling, password characters, painting).
//
// Positions are a line and a column (UTF-16 units); a caret never rests inside a surrogate pair. The
// offsets the controls publish (SelStart, EM_GETSEL) count as Text counts: a line break is two (CR LF).
#pragma once

#include <algorithm>
#include <vector>

#include "package/framework/base/types.h"

namespace jox {

struct TTextPos {
  Integer Line = 0, Col = 0;
  friend auto operator<=>(const TTextPos&, const TTextPos&) = default;
};

// What the control does when the engine changed something.
class TTextHost {
 public:
  // The store's lines changed (the memo re-measures them).
  virtual void LinesInserted(Integer, Integer) {}
  virtual void LinesDeleted(Integer, Integer) {}
  virtual void LineChanged(Integer) {}
  // A user's change of the text (typing, the clipboard, undo, redo): the view follows, then OnChange.
  virtual void TextEdited() = 0;
  // Caret, selection or composition moved without a change of the text.
  virtual void SelectionMoved() = 0;

 protected:
  ~TTextHost() = default;
};

class TTextEngine {
 public:
  // Steps of undo (and of redo), the same for every text control.
  static constexpr size_t kUndoLevels = 100;

  TTextEngine(TTextHost& Host, bool MultiLine) : FHost(Host), FMultiLine(MultiLine) {}

  // --- the store (a one-line engine holds exactly one line)
  std::vector<String>& Store() { return FLines; }
  const std::vector<String>& Store() const { return FLines; }
  Integer LineCount() const { return Integer(FLines.size()); }
  const String& LineText(Integer Line) const;
  String Text() const;  // lines joined by CR LF
  // The program sets a one-line text: the caret stays as far as the text reaches, undo is forgotten.
  void LoadLine(const String& S);
  // After the program changed the store: caret and anchor back in range, undo forgotten.
  void StoreReplaced();

  // --- positions
  TTextPos Caret() const { return FCaret; }
  TTextPos Anchor() const { return FAnchor; }
  TTextPos SelFirst() const { return std::min(FCaret, FAnchor); }
  TTextPos SelLast() const { return std::max(FCaret, FAnchor); }
  bool HasSelection() const { return FCaret != FAnchor; }
  TTextPos EndPos() const;
  TTextPos Clamp(TTextPos P) const;
  TTextPos NextPos(TTextPos P) const;  // one character on, a surrogate pair being one
  TTextPos PrevPos(TTextPos P) const;
  TTextPos WordLeft(TTextPos P) const;   // Ctrl+Left: the start of this or the previous word
  TTextPos WordRight(TTextPos P) const;  // Ctrl+Right: the start of the next word
  TTextPos WordStart(TTextPos P) const;  // the word around P (a double click)
  TTextPos WordEnd(TTextPos P) const;
  Integer ToOffset(TTextPos P) const;
  TTextPos FromOffset(Integer Offset) const;
  String TextBetween(TTextPos A, TTextPos B, std::u16string_view Break = u"\r\n") const;

  // --- selection (offsets as Text counts)
  Integer SelStart() const { return ToOffset(SelFirst()); }
  Integer SelLength() const { return ToOffset(SelLast()) - ToOffset(SelFirst()); }
  void SetSelStart(Integer Offset);
  // From SelStart; a negative length selects backwards, with the caret at the front.
  void SetSelLength(Integer Length);
  String SelText() const { return TextBetween(SelFirst(), SelLast()); }
  void SelectAll();
  // The caret to P (clamped to a character boundary), the anchor with it unless Extend.
  void MoveTo(TTextPos P, bool Extend);
  void SetSelection(TTextPos Anchor, TTextPos Caret);

  // --- editing as the user does it (ReadOnly refuses all but SetSelText)
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  // 0: no limit. The most characters Text may hold; a program's text is not cut.
  Integer MaxLength() const { return FMaxLength; }
  void SetMaxLength(Integer Value) { FMaxLength = Value < 0 ? 0 : Value; }
  bool Modified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }
  // Puts S in place of the selection as typing would (line breaks as the control takes them,
  // MaxLength cuts it, one undo step), whatever ReadOnly says: the program's own replacement.
  void SetSelText(const String& S) { Insert(S, false); }
  bool TypeChar(char16_t C);             // a typed character (Enter or Tab as '\n', '\t')
  bool DeleteBack(bool Word);            // Backspace, Ctrl+Backspace
  bool DeleteForward(bool Word);         // Delete, Ctrl+Delete
  bool ClearSelection();                 // WM_CLEAR
  void CopyToClipboard() const;
  bool CutToClipboard();
  // A multi-line text takes the clipboard's lines; a one-line text takes its first line, as a
  // desktop's single-line box does.
  bool PasteFromClipboard();
  bool CanUndo() const { return !FUndo.empty(); }
  bool CanRedo() const { return !FRedo.empty(); }
  bool Undo();
  bool Redo();
  void ClearUndo();

  // --- input routed by the controls: true when taken
  // Left, Right (Ctrl: words), Delete, Insert, Ctrl+A/C/X/V/Z/Y, Ctrl+Shift+Z. Up, Down, Home, End and
  // the page keys differ between the controls and are theirs.
  bool KeyDown(Word Key, TShiftState Shift);
  // Backspace, Ctrl+Backspace (127) and printable characters; Enter and Tab are the control's.
  bool KeyPress(char16_t Key);
  // WM_CUT, WM_COPY, WM_PASTE, WM_CLEAR, WM_UNDO, the EM_ messages of text boxes, CM_COMPOSITION.
  bool Message(TMessage& Message);
  // A press at P: Shift extends, the second press of a double click takes the word, a third press
  // within the double-click time the line; otherwise dragging selects until MouseUp.
  void MouseDown(TTextPos P, TShiftState Shift, Integer X, Integer Y);
  void MouseMove(TTextPos P, TShiftState Shift);
  void MouseUp() { FSelecting = false; }
  // Focus left: composition and drag end.
  void Exit();

  // The input method's text being composed, shown at the caret until it is committed.
  const String& Composition() const { return FComposition; }

 private:
  struct TUndoStep {  // [Start, End) now holds what replaced Removed; Caret, Anchor before the change
    TTextPos Start, End;
    String Removed;
    TTextPos Caret, Anchor;
  };
  // The user's text with line breaks as this engine keeps them: '\n' between lines, or the first line.
  String Normalize(const String& S) const;
  // CaretBefore: where undoing it puts caret and anchor (the selection before it when null).
  bool Insert(const String& S, bool Typed, const TTextPos* CaretBefore = nullptr);
  bool DeleteTo(TTextPos To);
  TTextPos ReplaceRange(TTextPos A, TTextPos B, const String& Ins);
  bool ApplyStep(std::vector<TUndoStep>& From, std::vector<TUndoStep>& To);
  void PushUndo(TUndoStep Step);

  TTextHost& FHost;
  const bool FMultiLine;
  std::vector<String> FLines;  // a new memo has no line; the first edit makes one
  TTextPos FCaret, FAnchor;
  bool FReadOnly = false, FModified = false;
  Integer FMaxLength = 0;
  std::vector<TUndoStep> FUndo, FRedo;
  TTextPos FTypedEnd{-1, -1};  // after the last typed character, while the next one may join its step
  bool FTypedBlank = false;    // that character was a blank: a word typed after it starts a new step
  bool FSelecting = false;
  bool FDoubleClicked = false;
  uint64_t FDoubleClickTime = 0;
  Integer FDoubleClickX = 0, FDoubleClickY = 0;
  String FComposition;
};

}  // namespace jox
