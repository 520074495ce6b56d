// TNumIO: an edit box that keeps only texts which are numbers of its input format within its range.
#pragma once

#include "package/numtext.h"
#include "package/core/coretypes.h"
#include "package/framework/controls/stdctrls.h"

namespace jox {

class TNumIO : public TCustomEdit {
 public:
  // Created in the designer the range is the whole double range, otherwise 0..0: a field made by
  // code must be given its range.
  explicit TNumIO(TComponent* AOwner);

  // Default itDynamic. A change empties the last accepted text and checks the current one.
  TInFormat InputFormat() const { return FInFormat; }
  void SetInputFormat(TInFormat Value);
  // Default 2, kept within 1..8: the decimals of itFixPoint. The text is not checked again.
  Integer FixPointDecPlaces() const { return FFixPDecPl; }
  void SetFixPDecPl(Integer N);
  void SetFixPointDecPlaces(Integer N) { SetFixPDecPl(N); }
  // The range; the setters keep RangeLow <= RangeHigh by swapping, then check the text.
  // The value 0 is accepted whatever the range.
  double RangeLow() const { return FMinimum; }
  void SetRangeLow(double X);
  double RangeHigh() const { return FMaximum; }
  void SetRangeHigh(double X);
  // Default dpsSystem. A change empties the last accepted text and checks the current one.
  TDecPSep DecPlaceSep() const { return FDecPSep; }
  void SetDecPSep(TDecPSep Value);
  void SetDecPlaceSep(TDecPSep Value) { SetDecPSep(Value); }
  // Default false: a refused change beeps (MessageBeep(0)).
  bool Beep() const { return FBeep; }
  void SetBeep(bool Value) { FBeep = Value; }

  // The text as a number (0 when it is none); writing formats the value by the input format
  // without range check or OnChange.
  double LabValue() const { return GetLabValue(); }
  void SetLabValue(double X);
  double GetLabValue() const;

  // Converts Text by the input format; false (Value unchanged for the empty text) when it is no
  // complete number of that format.
  bool ConvertNumString(const String& Text, double& Value) const;

  // From another TNumIO: format, beep, range and separator (not the decimals, not the text).
  void Assign(TPersistent* Source) override;

  JOX_CLASS_TABLE

 protected:
  TAccessible* CreateAccessible() override;  // how assistive technology sees it
  // Checks the text after every change; puts back the last accepted text when it does not fit.
  void Change() override;
  // A form stores RangeLow before RangeHigh: the pair is put in order only once both are read.
  void Loaded() override;
  void AssignTo(TPersistent* Dest) override;
  // Writes the text without checking it.
  void SetEditText(const String& Value);

 private:
  bool Convert(const String& Text, double& Value, Integer SepMode) const;
  Integer SepMode() const { return SepModeRuleA(FDecPSep); }
  // The separator the field writes: "," when only the comma counts, "." otherwise.
  char16_t SepChar() const { return SepMode() == SepModeComma ? u',' : u'.'; }
  void Recheck();

  TInFormat FInFormat = itDynamic;
  Integer FFixPDecPl = 2;
  String FOldText;
  bool FInternalChg = false;
  bool FBeep = false;
  double FMinimum = 0;
  double FMaximum = 0;
  TDecPSep FDecPSep = dpsSystem;
};

}  // namespace jox
