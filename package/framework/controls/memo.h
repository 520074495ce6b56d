// The memo: multi-line text editing with wrapping and scroll bars.
#pragma once

#include <memory>
#include <vector>

#include "package/framework/base/strings.h"
#include "package/framework/controls/scrolling.h"
#include "package/framework/controls/textengine.h"

namespace jox {

namespace fonts {
class SizedFont;
}
class TMemoStrings;

// Defaults: size 185 x 89, Color clWindow, BorderStyle bsSingle, ScrollBars ssNone, WordWrap true, WantReturns true, WantTabs
// false, ReadOnly false, MaxLength 0 (no limit), TabStop true. Lines and Text are two views of one text
// (Text joins the lines with CR LF). Editing, words, undo, the clipboard and mouse selection are the text
// engine's that the edit shares (textengine.h); the memo adds Up and Down, Home and End of a row (Ctrl for
// the whole text), PgUp and PgDn, and Enter, which breaks the line (the character is seen by OnKeyPress
// first, which may take it). Every change of the text calls Change (OnChange).
//
// The text is a store of lines edited in place; each line keeps its measured width and wrap points, redone
// only when the line changes, so a keystroke costs what its line costs, whatever the document's length.
// Without WordWrap the horizontal bar (ssHorizontal, ssBoth) scrolls by pixels.
class TCustomMemo : public TCustomScrollControl, private TTextHost {
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
  bool ReadOnly() const { return FEngine.ReadOnly(); }
  void SetReadOnly(bool v) { FEngine.SetReadOnly(v); }
  // Default 0 (no limit); a line break counts two, as Text has it.
  Integer MaxLength() const { return FEngine.MaxLength(); }
  void SetMaxLength(Integer v) { FEngine.SetMaxLength(v); }
  // True once the user changed the text; a text set by the program clears it.
  bool Modified() const { return FEngine.Modified(); }
  void SetModified(bool v) { FEngine.SetModified(v); }
  // bsSingle (default): a sunken frame around the text and the bars.
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle v);
  // Positions count characters from the start, a line break as two (CR LF), as Text has them.
  Integer SelStart() const { return FEngine.SelStart(); }
  void SetSelStart(Integer v) { FEngine.SetSelStart(v); }
  Integer SelLength() const { return FEngine.SelLength(); }
  void SetSelLength(Integer v) { FEngine.SetSelLength(v); }
  String SelText() const { return FEngine.SelText(); }
  // Replaces the selection as typing would (ReadOnly does not apply to the program), caret after it.
  void SetSelText(const String& v) { FEngine.SetSelText(v); }
  void SelectAll() { FEngine.SelectAll(); }
  void Clear() { SetText(String()); }
  void CopyToClipboard() { FEngine.CopyToClipboard(); }
  void CutToClipboard() { FEngine.CutToClipboard(); }
  void PasteFromClipboard() { FEngine.PasteFromClipboard(); }
  // Line and column of the caret (0-based).
  TPoint CaretPos() const;
  // Takes back the last change made by the user (Ctrl+Z, WM_UNDO), up to TTextEngine::kUndoLevels of
  // them; a typed word is one change. Redo (Ctrl+Y, Ctrl+Shift+Z) does it again. Setting the text from
  // the program forgets them.
  void Undo() { FEngine.Undo(); }
  bool CanUndo() const { return FEngine.CanUndo(); }
  void Redo() { FEngine.Redo(); }
  bool CanRedo() const { return FEngine.CanRedo(); }
  void ClearUndo() { FEngine.ClearUndo(); }

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
  // What a line measured to: the columns where its wrapped rows 2.. start, and its width.
  struct TLineLayout {
    std::vector<Integer> Breaks;
    Integer Width = 0;
  };
  struct TRowSpan {
    Integer Line, Start, End;  // columns [Start, End) of the line
    bool Wrapped;              // another row of the same line follows
  };

  static constexpr Integer kMemoMargin = 2;  // between the frame and the text, left and right
  void Init();
  // [line store] the lines change here; the layout cache follows the lines that changed
  void LinesInserted(Integer Index, Integer Count) override;
  void LinesDeleted(Integer Index, Integer Count) override;
  void LineChanged(Integer Index) override;
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

  const String& LineText(Integer Line) const { return FEngine.LineText(Line); }
  Integer LineCount() const { return FEngine.LineCount(); }

  // [caret] the engine's reports of an edit or a move; the view follows
  void TextEdited() override;
  void SelectionMoved() override;
  void ScrollToCaret();
  Integer XOf(TTextPos P);
  TTextPos PosInRow(Integer Row, Integer X);
  TTextPos PosAt(Integer X, Integer Y);
  TRect CaretRect();
  Integer LineHeight();
  Integer VisibleRows();
  Integer ScrollX() const { return ScrollPos(sbHorizontal); }
  const fonts::SizedFont* SizedFont();

  TTextEngine FEngine{*this, true};
  std::vector<String>& FText = FEngine.Store();  // the line store; Lines() is a view on it
  std::unique_ptr<TMemoStrings> FLines;
  std::vector<TLineLayout> FLayout;  // per line
  std::vector<Integer> FRowStart;    // first row of each line (one more at the end), valid below FRowsValid
  Integer FRowsValid = 0;
  Integer FMaxWidth = 0;             // widest line, -1 when it must be found again
  Integer FWrapWidth = 0;            // the width the layout was wrapped to
  Integer FLineHeight = 0;           // 0 until measured for the current font
  const fonts::SizedFont* FSizedFont = nullptr;  // the font measured with, until the font or layout changes
  bool FRelayingOut = false;
  Integer FGoalX = -1;  // kept by Up and Down
  bool FWordWrap = true, FWantReturns = true, FWantTabs = false;
  TBorderStyle FBorderStyle = bsSingle;
  std::unique_ptr<class TCaretBlink> FBlink;
  TNotifyEvent FOnChange;
};

class TMemo : public TCustomMemo {
 public:
  explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
  JOX_CLASS_TABLE
};

}  // namespace jox
