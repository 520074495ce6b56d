// The memo: multi-line text editing with wrapping and scroll bars.
#pragma once

#include <memory>
#include <vector>

#include "package/framework/base/strings.h"
#include "package/framework/controls/scrolling.h"

namespace jox {

// Defaults: size 185 x 89, Color clWindow, BorderStyle bsSingle, ScrollBars ssNone, WordWrap true, WantReturns true, WantTabs
// false, ReadOnly false, MaxLength 0 (no limit), TabStop true. Lines and Text are two views of one text
// (Text joins the lines with CR LF). Keys: the arrows (Ctrl for words), Home and End (Ctrl for the whole
// text), PgUp and PgDn, Shift to select, Ctrl+A, Ctrl+C, Ctrl+X, Ctrl+V, Ctrl+Z, Back and Delete; Enter breaks
// the line (the character is seen by OnKeyPress first, which may take it). Every change of the text
// calls Change (OnChange).
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
  struct TRow {
    Integer Start, Length;  // in FFlat
  };
  struct TUndoStep {
    String Flat;
    Integer Caret, Anchor;
  };
  void TextReplaced();
  TRect CaretRect();
  void LinesChanged();
  void Replace(const String& S, bool ByUser);
  void Layout();
  Integer RowOf(Integer Pos) const;
  Integer XOf(Integer Pos);
  Integer PosAt(Integer X, Integer Y);
  void MoveCaret(Integer Pos, bool Extend);
  void ScrollToCaret();
  Integer LineHeight();
  Integer VisibleRows();
  Integer ToFlat(Integer Pos) const;
  Integer FromFlat(Integer Pos) const;

  std::unique_ptr<TStringList> FLines;
  String FFlat;  // the text with '\n' between lines
  Integer FCaret = 0, FAnchor = 0;
  Integer FGoalX = -1;  // kept by Up and Down
  std::vector<TRow> FRows;
  bool FWordWrap = true, FWantReturns = true, FWantTabs = false, FReadOnly = false;
  Integer FMaxLength = 0;
  TBorderStyle FBorderStyle = bsSingle;
  bool FSyncing = false, FSelecting = false;
  Integer FScrollX = 0;
  std::vector<TUndoStep> FUndo;
  Integer FTypedEnd = -1;  // caret after the last typed character, while the next one joins its step
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
