// The memo: multi-line text editing with wrapping and scroll bars.
#pragma once

#include <memory>
#include <vector>

#include "package/framework/base/strings.h"
#include "package/framework/controls/scrolling.h"

namespace jox {

namespace fonts {
class SizedFont;
}
class TMemoStrings;

// Defaults: size 185 x 89, Color clWindow, BorderStyle bsSingle, ScrollBars ssNone, WordWrap true, WantReturns true, WantTabs
// false, ReadOnly false, MaxLength 0 (no limit), TabStop true. Lines and Text are two views of one text
// (Text joins the lines with CR LF). Keys: the arrows (Ctrl for words), Home and End (Ctrl for the whole
// text), PgUp and PgDn, Shift to select, Ctrl+A, Ctrl+C, Ctrl+X, Ctrl+V, Ctrl+Z, Back and Delete; Enter breaks
// the line (the character is seen by OnKeyPress first, which may take it). A double click selects a word,
// a third click the line. Every change of the text calls Change (OnChange).
//
// The text is a store of lines edited in place; each line keeps its measured width and wrap points, redone
// only when the line changes, so a keystroke costs what its line costs, whatever the document's length.
// Without WordWrap the horizontal bar (ssHorizontal, ssBoth) scrolls by pixels.
class TCustomMemo : public TCustomScrollControl {
 public:
  explicit TCustomMemo(TComponent* AOwner);
  ~TCustomMemo() override;

  TStrings* Lines() const;
  void SetLines(TStrings* v);
  String Text() const override;
  void SetText(const String& v) override;
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v);
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool v) { FWantReturns = v; }
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool v) { FWantTabs = v; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool v) { FReadOnly = v; }
  Integer MaxLength() const { return FMaxLength; }
  void SetMaxLength(Integer v) { FMaxLength = v < 0 ? 0 : v; }
  // bsSingle (default): a sunken frame around the text and the bars.
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle v);
  // Positions count characters from the start, a line break as two (CR LF), as Text has them.
  Integer SelStart() const;
  void SetSelStart(Integer v);
  Integer SelLength() const;
  void SetSelLength(Integer v);
  String SelText() const;
  void SetSelText(const String& v);
  void SelectAll();
  void Clear() { SetText(String()); }
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  // Line and column of the caret (0-based).
  TPoint CaretPos() const;
  // Takes back the last change made by the user (Ctrl+Z, WM_UNDO), up to kMemoUndoLevels of them; a run
  // of typed characters is one change. Setting the text from the program forgets them.
  void Undo();
  bool CanUndo() const { return !FUndo.empty(); }
  void ClearUndo() { FUndo.clear(); }

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent e) { FOnChange = std::move(e); }

  void Paint() override;
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  void DefaultHandler(TMessage& Message) override;

  JOX_CLASS_TABLE

 protected:
  Integer NonClientFrame() const override { return FBorderStyle == bsSingle ? 2 : 0; }
  virtual void Change();
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  // Below the caret.
  TPoint PopupPoint() const override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void DoEnter() override;
  void DoExit() override;
  void FontChanged() override;
  void ScrollPosChanged(TScrollBarKind Kind, Integer OldPos) override;

 private:
  friend class TMemoStrings;
  // A place in the text: line and column (UTF-16 units) in the line store.
  struct TTextPos {
    Integer Line = 0, Col = 0;
    friend auto operator<=>(const TTextPos&, const TTextPos&) = default;
  };
  // What a line measured to: the columns where its wrapped rows 2.. start, and its width.
  struct TLineLayout {
    std::vector<Integer> Breaks;
    Integer Width = 0;
  };
  // One change as the user made it: [Start, End) now holds what replaced Removed.
  struct TUndoStep {
    TTextPos Start, End;
    String Removed;
    TTextPos Caret, Anchor;
  };
  struct TRowSpan {
    Integer Line, Start, End;  // columns [Start, End) of the line
    bool Wrapped;              // another row of the same line follows
  };

  static constexpr Integer kMemoMargin = 2;  // between the frame and the text, left and right
  void Init();
  // [line store] the lines change here; the layout cache follows the lines that changed
  void LinesInserted(Integer Index, Integer Count);
  void LinesDeleted(Integer Index, Integer Count);
  void LineChanged(Integer Index);
  void LinesReplaced();         // any change from outside (Lines): caret kept in range, undo forgotten
  void Relayout();              // every line again (width, font, wrapping changed)
  void MeasureLine(Integer Index);
  void UpdateScrollRanges();
  Integer RowCount();
  Integer RowOfLine(Integer Line);
  TRowSpan RowSpan(Integer Row);
  Integer RowOf(TTextPos P);
  // Pixel x of each UTF-16 boundary of S (one measuring pass); X.size() == S.size() + 1.
  void Advances(std::u16string_view S, std::vector<Integer>& X);
  Integer WrapWidth();

  // [positions]
  const String& LineText(Integer Line) const;
  Integer LineCount() const { return Integer(FText.size()); }
  TTextPos Clamp(TTextPos P) const;
  TTextPos NextPos(TTextPos P) const;
  TTextPos PrevPos(TTextPos P) const;
  char16_t CharAt(TTextPos P) const;  // '\n' at a line's end
  TTextPos EndPos() const;
  Integer ToOffset(TTextPos P) const;  // as Text counts (a line break is two)
  TTextPos FromOffset(Integer Offset) const;
  String TextBetween(TTextPos A, TTextPos B, std::u16string_view Break = u"\r\n") const;
  TTextPos WordStart(TTextPos P) const;
  TTextPos WordEnd(TTextPos P) const;

  // [editing]
  void Replace(const String& S, bool ByUser);
  TTextPos ReplaceRange(TTextPos A, TTextPos B, const String& Ins);  // returns the end of Ins
  void TextReplaced();
  void MoveCaret(TTextPos Pos, bool Extend);
  void ScrollToCaret();
  Integer XOf(TTextPos P);
  TTextPos PosInRow(Integer Row, Integer X);
  TTextPos PosAt(Integer X, Integer Y);
  TRect CaretRect();
  Integer LineHeight();
  Integer VisibleRows();
  Integer ScrollX() const { return ScrollPos(sbHorizontal); }
  const fonts::SizedFont* SizedFont();

  std::vector<String> FText;  // the line store; Lines() is a view on it
  std::unique_ptr<TMemoStrings> FLines;
  std::vector<TLineLayout> FLayout;  // per line
  std::vector<Integer> FRowStart;    // first row of each line (one more at the end), valid below FRowsValid
  Integer FRowsValid = 0;
  Integer FMaxWidth = 0;             // widest line, -1 when it must be found again
  Integer FWrapWidth = 0;            // the width the layout was wrapped to
  Integer FLineHeight = 0;           // 0 until measured for the current font
  const fonts::SizedFont* FSizedFont = nullptr;  // the font measured with, until the font or layout changes
  bool FRelayingOut = false;
  TTextPos FCaret, FAnchor;
  Integer FGoalX = -1;  // kept by Up and Down
  bool FWordWrap = true, FWantReturns = true, FWantTabs = false, FReadOnly = false;
  Integer FMaxLength = 0;
  TBorderStyle FBorderStyle = bsSingle;
  bool FSyncing = false, FSelecting = false;
  std::vector<TUndoStep> FUndo;
  TTextPos FTypedEnd{-1, -1};  // caret after the last typed character, while the next one joins its step
  uint64_t FDoubleClickTime = 0;  // when the last double click selected a word (a third press selects the line)
  TPoint FDoubleClickPoint;
  bool FDoubleClicked = false;
  std::unique_ptr<class TCaretBlink> FBlink;
  String FComposition;  // an input method's text being composed, drawn at the caret
  TNotifyEvent FOnChange;
};

class TMemo : public TCustomMemo {
 public:
  explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
  JOX_CLASS_TABLE
};

}  // namespace jox
