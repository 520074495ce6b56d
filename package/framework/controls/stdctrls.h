// Standard controls. Sections: [edit]
#pragma once

#include <vector>

#include "package/framework/controls/controls.h"
#include "package/framework/controls/textengine.h"

namespace jox {

// [edit] ---------------------------------------------------------------------------------------------------
// A single-line edit box on the text engine the memo shares (textengine.h): typing, words, selection by
// mouse and Shift+keys, the clipboard, undo and redo; the edit adds horizontal scrolling to the caret.
// Positions (SelStart, the caret) are 0-based counts of the characters before them.
// Every change of the text, by the user or by the program, calls Change, which fires OnChange.
class TCustomEdit : public TWinControl, private TTextHost {
 public:
  explicit TCustomEdit(TComponent* AOwner);
  ~TCustomEdit() override;

  // Replaces the whole text (cut to MaxLength). The caret stays where it was as far as the new text
  // reaches, the selection collapses onto it, Modified clears, the undo step is dropped. Nothing
  // happens, and Change is not called, when the text is the same.
  void SetText(const String& Value) override;

  // Selection: SelStart collapses it at the position; SelLength extends it from SelStart (the caret
  // at its end). Both clamp to the text.
  Integer SelStart() const { return FEngine.SelStart(); }
  void SetSelStart(Integer Value) { FEngine.SetSelStart(Value); }
  Integer SelLength() const { return FEngine.SelLength(); }
  void SetSelLength(Integer Value) { FEngine.SetSelLength(Value); }
  String SelText() const { return FEngine.SelText(); }
  // Replaces the selection as typing would (ReadOnly does not apply to the program), caret after it.
  void SetSelText(const String& Value) { FEngine.SetSelText(Value); }
  void SelectAll() { FEngine.SelectAll(); }
  void ClearSelection() { FEngine.ClearSelection(); }  // deletes the selected text
  void Clear() { SetText(String()); }

  void CutToClipboard() { FEngine.CutToClipboard(); }
  void CopyToClipboard() { FEngine.CopyToClipboard(); }
  void PasteFromClipboard() { FEngine.PasteFromClipboard(); }  // the first line of the clipboard's text
  // The user's changes, TTextEngine::kUndoLevels deep; a typed word is one step. SetText forgets them.
  bool CanUndo() const { return FEngine.CanUndo(); }
  void Undo() { FEngine.Undo(); }
  bool CanRedo() const { return FEngine.CanRedo(); }
  void Redo() { FEngine.Redo(); }
  void ClearUndo() { FEngine.ClearUndo(); }

  // True once the user changed the text; SetText clears it.
  bool Modified() const { return FEngine.Modified(); }
  void SetModified(bool Value) { FEngine.SetModified(Value); }
  // Default false: the user cannot change the text (selection and copy still work).
  bool ReadOnly() const { return FEngine.ReadOnly(); }
  void SetReadOnly(bool Value) { FEngine.SetReadOnly(Value); }
  // Default 0 (no limit): the most characters the text may hold.
  Integer MaxLength() const { return FEngine.MaxLength(); }
  void SetMaxLength(Integer Value) { FEngine.SetMaxLength(Value); }
  // Default true: the whole text is selected when the focus arrives by keyboard.
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool Value) { FAutoSelect = Value; }
  // Default true: the selection is shown only while the edit has the focus.
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  // Default bsSingle: a sunken frame (a one-pixel line without Ctl3D); bsNone draws none.
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  // Default true: the height follows the font (text height plus frame and margins).
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent e) { FOnChange = std::move(e); }

  void Paint() override;
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

  JOX_CLASS_TABLE

 protected:
  // Called after every change of the text; fires OnChange.
  virtual void Change();

  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void DoEnter() override;
  void DoExit() override;
  void FontChanged() override;
  // Below the caret.
  TPoint PopupPoint() const override;
  void DefaultHandler(TMessage& Message) override;

 private:
  void TextEdited() override;
  void SelectionMoved() override;
  Integer CaretIndex() const { return FEngine.Caret().Col; }
  // --- geometry
  Integer FrameWidth() const;
  TRect TextArea() const;
  // x of the boundary before character I, relative to the text start (not scrolled).
  Integer OffsetOf(Integer I);
  Integer IndexAt(Integer X);
  void ScrollToCaret();
  void AdjustHeight();
  const std::vector<Integer>& Offsets();
  // The caret's one-pixel strip (the whole text area while composing), what a blink repaints.
  TRect CaretRect();

  TTextEngine FEngine{*this, false};
  Integer FScrollX = 0;
  bool FAutoSelect = true;
  bool FHideSelection = true;
  TBorderStyle FBorderStyle = bsSingle;
  bool FAutoSize = true;
  bool FAdjusting = false;
  std::unique_ptr<class TCaretBlink> FBlink;
  // Character boundary offsets of the current text (size Length + 1), rebuilt when text or font change.
  std::vector<Integer> FOffsets;
  String FOffsetsText;
  bool FOffsetsValid = false;
  TNotifyEvent FOnChange;
};

// The edit box as forms place it, with the usual published properties.
class TEdit : public TCustomEdit {
 public:
  explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
  JOX_CLASS_TABLE
};

// The published lines of a form edit with their stored defaults, for TEdit and the components built
// on the edit (the position and size lines come from TControl's table).
template <class T>
TClassBuilder<T>& AddEditProperties(TClassBuilder<T>& B) {
  return B.Prop("Anchors", &T::Anchors, &T::SetAnchors, akLeft | akTop)
      .Prop("Align", &T::Align, &T::SetAlign, alNone)
      .Prop("AutoSelect", &T::AutoSelect, &T::SetAutoSelect, true)
      .Prop("AutoSize", &T::AutoSize, &T::SetAutoSize, true)
      .Prop("BorderStyle", &T::BorderStyle, &T::SetBorderStyle, bsSingle)
      .Prop("Color", &T::Color, &T::SetColor, clWindow)
      .Prop("Ctl3D", &T::Ctl3D, &T::SetCtl3D, true)
      .Prop("ParentCtl3D", &T::ParentCtl3D, &T::SetParentCtl3D, true)
      .Prop("Cursor", &T::Cursor, &T::SetCursor, crDefault)
      .Prop("Enabled", &T::Enabled, &T::SetEnabled, true)
      .Prop("Font", &T::Font, &T::SetFont)
      .Prop("HelpContext", &T::HelpContext, &T::SetHelpContext, Integer(0))
      .Prop("HideSelection", &T::HideSelection, &T::SetHideSelection, true)
      .Prop("Hint", &T::Hint, &T::SetHint)
      .Prop("ReadOnly", &T::ReadOnly, &T::SetReadOnly, false)
      .Prop("ParentColor", &T::ParentColor, &T::SetParentColor, false)
      .Prop("ParentFont", &T::ParentFont, &T::SetParentFont, true)
      .Prop("ParentShowHint", &T::ParentShowHint, &T::SetParentShowHint, true)
      .Prop("ShowHint", &T::ShowHint, &T::SetShowHint)
      .Prop("TabOrder", &T::TabOrder, &T::SetTabOrder, Integer(-1))
      .Prop("TabStop", &T::TabStop, &T::SetTabStop, true)
      .Prop("Tag", &T::Tag, &T::SetTag, intptr_t(0))
      .Prop("Text", [](const T& e) { return e.Text(); }, [](T& e, const String& v) { e.SetText(v); })
      .Prop("Visible", &T::Visible, &T::SetVisible, true)
      .Event("OnChange")
      .Event("OnClick")
      .Event("OnDblClick")
      .Event("OnEnter")
      .Event("OnExit")
      .Event("OnKeyDown")
      .Event("OnKeyPress")
      .Event("OnKeyUp")
      .Event("OnMouseDown")
      .Event("OnMouseMove")
      .Event("OnMouseUp")
      .Publish(ControlProperties(), pgBounds)
      .Publish(ControlProperties(), {"PopupMenu"});
}

}  // namespace jox
