// How the numeric fields read to assistive technology. TNumIO is an edit with a value in its range;
// TNumIO2 a spin field: its buffer as text with caret and selection, its number as a value. A value set
// through the accessible interface is a user's edit: refused outside the range, read-only or disabled,
// and followed by OnChange.
#include "numio/numio.h"
#include "package/framework/controls/accessible_edit.h"

namespace jox {

namespace {
class TNumIOAccessible : public TEditAccessible<TCustomEdit, false> {
 public:
  using TEditAccessible::TEditAccessible;
  bool GetValue(TAccValue& V) const override {
    const auto* n = static_cast<const TNumIO*>(Control());
    V = {n->LabValue(), n->RangeLow(), n->RangeHigh(), 0};
    return true;
  }
  bool SetValue(double X) override {
    auto* n = static_cast<TNumIO*>(Control());
    if (n->ReadOnly() || !n->Enabled() || X < n->RangeLow() || X > n->RangeHigh()) return false;
    n->SetLabValue(X);
    return true;
  }
};

class TNumIO2Accessible : public TControlAccessible {
 public:
  using TControlAccessible::TControlAccessible;
  TAccRole Role() const override { return arSpinButton; }
  String Name() const override {
    const String left = Field()->LeftText();
    return left.empty() ? LabelledName() : left;
  }
  String Description() const override { return Field()->RightText(); }
  TAccStates States() const override {
    return TControlAccessible::States() | asSingleLine | (Field()->ReadOnly() ? asReadOnly : asEditable);
  }
  bool GetValue(TAccValue& V) const override {
    V = {Field()->Value(), Field()->RangeLow(), Field()->RangeHigh(), 0};
    return true;
  }
  bool SetValue(double X) override {
    TNumIO2* f = Field();
    if (f->ReadOnly() || !f->Enabled() || X < f->RangeLow() || X > f->RangeHigh()) return false;
    f->SetNioValue(X);
    if (f->OnChange()) f->OnChange()(f);
    return true;
  }
  bool HasText() const override { return true; }
  String Text() const override { return Field()->Text(); }
  Integer CaretOffset() const override { return Field()->CaretPos(); }
  bool SetCaretOffset(Integer Offset) override {
    Field()->SetSelBegin(Offset);
    Field()->SetSelEnd(Offset);
    return true;
  }
  bool Selection(Integer& Start, Integer& End) const override {
    Start = std::min(Field()->SelBegin(), Field()->SelEnd());
    End = std::max(Field()->SelBegin(), Field()->SelEnd());
    return End > Start;
  }
  bool SetSelection(Integer Start, Integer End) override {
    Field()->SetSelBegin(Start);
    Field()->SetSelEnd(End);
    return true;
  }
  bool SetTextContents(const String& Value) override {
    TNumIO2* f = Field();
    if (f->ReadOnly() || !f->Enabled() || !f->CheckValidity(Value)) return false;
    f->SetNioText(Value);
    if (f->OnChange()) f->OnChange()(f);
    return true;
  }

 private:
  TNumIO2* Field() const { return static_cast<TNumIO2*>(Control()); }
};
}  // namespace

TAccessible* TNumIO::CreateAccessible() { return new TNumIOAccessible(this); }
TAccessible* TNumIO2::CreateAccessible() { return new TNumIO2Accessible(this); }

}  // namespace jox
