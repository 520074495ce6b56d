// The accessible object of a text control: an edit or a memo (and a unit's edit that adds a value)
// reads and writes its text, caret and selection through the control's own calls, so the control's rules
// (read-only, maximum length, allowed characters) hold for a screen reader's changes too.
#pragma once

#include <algorithm>
#include <cstdlib>

#include "package/framework/controls/accessible.h"

namespace jox {

template <class TEditClass, bool MultiLine>
class TEditAccessible : public TControlAccessible {
 public:
  using TControlAccessible::TControlAccessible;
  TAccRole Role() const override { return arText; }
  // The content is the text, not the name: an edit is named by its label or hint.
  String Name() const override { return LabelledName(); }
  TAccStates States() const override {
    TAccStates s = TControlAccessible::States() | (MultiLine ? asMultiLine : asSingleLine);
    s |= Edit()->ReadOnly() ? asReadOnly : asEditable;
    return s;
  }
  bool HasText() const override { return true; }
  String Text() const override { return Edit()->Text(); }
  Integer CaretOffset() const override { return Edit()->SelStart() + Edit()->SelLength(); }
  bool SetCaretOffset(Integer Offset) override {
    Edit()->SetSelStart(Offset);
    Edit()->SetSelLength(0);
    return true;
  }
  bool Selection(Integer& Start, Integer& End) const override {
    if (Edit()->SelLength() <= 0) return false;
    Start = Edit()->SelStart();
    End = Start + Edit()->SelLength();
    return true;
  }
  bool SetSelection(Integer Start, Integer End) override {
    Edit()->SetSelStart(std::min(Start, End));
    Edit()->SetSelLength(std::abs(End - Start));
    return true;
  }
  bool SetTextContents(const String& Value) override {
    if (Edit()->ReadOnly() || !Edit()->Enabled()) return false;
    Edit()->SetText(Value);
    return true;
  }

 protected:
  TEditClass* Edit() const { return static_cast<TEditClass*>(Control()); }
};

}  // namespace jox
