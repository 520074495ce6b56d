// TNumIO. Sections: [setup] [settings] [conversion] [checking] [value] [copying] [class table]
#include "numio/numio1.h"

#include <algorithm>
#include <cmath>

#include "package/framework/controls/forms.h"
#include "package/units.h"

namespace jox {

// [setup] ----------------------------------------------------------------------------------------------------
TNumIO::TNumIO(TComponent* AOwner) : TCustomEdit(AOwner) {
  if (ComponentState() & csDesigning) {
    FMinimum = -uc_MaxDouble;
    FMaximum = uc_MaxDouble;
  }
  SetEditText(String());
}

void TNumIO::Loaded() {
  TCustomEdit::Loaded();
  if (FMinimum > FMaximum) std::swap(FMinimum, FMaximum);
}

// [settings] -------------------------------------------------------------------------------------------------
// The text is checked against the new rule at once; with no accepted text to fall back on, a text
// that fails it is emptied.
void TNumIO::Recheck() {
  FOldText.clear();
  Change();
}

void TNumIO::SetInputFormat(TInFormat Value) {
  if (Value > itDynamic || Value == FInFormat) return;
  FInFormat = Value;
  Recheck();
}

void TNumIO::SetDecPSep(TDecPSep Value) {
  if (Value > dpsBoth || Value == FDecPSep) return;
  FDecPSep = Value;
  Recheck();
}

void TNumIO::SetRangeLow(double X) {
  if (std::isnan(X)) return;
  if (ComponentState() & csLoading) {
    FMinimum = X;
    return;
  }
  if (X >= FMaximum) {
    FMinimum = FMaximum;
    FMaximum = X;
  } else {
    FMinimum = X;
  }
  Recheck();
}

void TNumIO::SetRangeHigh(double X) {
  if (std::isnan(X)) return;
  if (ComponentState() & csLoading) {
    FMaximum = X;
    return;
  }
  if (X > FMinimum) {
    FMaximum = X;
  } else {
    FMaximum = FMinimum;
    FMinimum = X;
  }
  Recheck();
}

void TNumIO::SetFixPDecPl(Integer N) { FFixPDecPl = std::clamp(N, 1, 8); }

// [conversion] -----------------------------------------------------------------------------------------------
namespace {

// A trailing "e", "e+" or "e-" is what typing an exponent passes through; it is dropped when it
// holds the only "e" of the text.
void StripOpenExponent(String& s) {
  size_t tail = String::npos;
  if (!s.empty() && s.back() == u'e') tail = s.size() - 1;
  else if (s.size() >= 2 && (s.back() == u'+' || s.back() == u'-') && s[s.size() - 2] == u'e')
    tail = s.size() - 2;
  if (tail != String::npos && s.find(u'e') == tail) s.resize(tail);
}

// Whether the digits of s from index From, in Base, fit in 32 bits.
bool FitsIn32Bits(const String& s, size_t From, unsigned Base) {
  uint64_t v = 0;
  for (size_t i = From; i < s.size(); ++i) {
    char16_t c = s[i];
    unsigned d = (c >= u'0' && c <= u'9') ? unsigned(c - u'0') : unsigned(c - u'a' + 10);
    v = v * Base + d;
    if (v > 0xFFFFFFFFu) return false;
  }
  return true;
}

// Whether a whole-text decimal integer (optional sign, digits) lies within the 32-bit range.
bool FitsInInteger(const String& s) {
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) negative = s[i++] == u'-';
  int64_t v = 0;
  for (; i < s.size(); ++i) {
    v = v * 10 + (s[i] - u'0');
    if (v > int64_t(INT32_MAX) + (negative ? 1 : 0)) return false;
  }
  return true;
}

}  // namespace

bool TNumIO::ConvertNumString(const String& Text, double& Value) const {
  return Convert(Text, Value, SepMode());
}

bool TNumIO::Convert(const String& Text, double& Value, Integer Mode) const {
  if (Text.empty()) return false;
  Value = 0;
  String s = Text.substr(std::min(Text.find_first_not_of(u' '), Text.size()));
  if (s.find(u' ') != String::npos) return false;
  s = LowerCase(s);
  if (s.empty()) return true;

  TInFormat format = FInFormat;
  Integer pos = 1;
  if (format == itDynamic) {
    switch (s[0]) {
      case u'$': format = itHex; break;  // ScanHex steps over the "$" itself
      case u'%': format = itBin; pos = 2; break;
      case u'&': format = itOct; pos = 2; break;
      default: format = itExp; break;
    }
  }
  const Integer end = Integer(s.size()) + 1;
  switch (format) {
    case itExp:
      StripOpenExponent(s);
      Value = double(ScanReal(s, true, Mode, pos));
      return pos == Integer(s.size()) + 1;
    case itFloat:
    case itFixPoint:
      Value = double(ScanReal(s, false, Mode, pos));
      return pos == end;
    case itInt:
      Value = ScanInt(s, pos);
      // A number that wrapped around would pass the range check with a value it does not show.
      return pos == end && FitsInInteger(s);
    case itHex:
    case itOct:
    case itBin: {
      const size_t digits = (format == itHex && s[0] == u'$') ? 1 : size_t(pos - 1);
      const unsigned base = format == itHex ? 16 : format == itOct ? 8 : 2;
      Value = format == itHex ? ScanHex(s, pos) : format == itOct ? ScanOct(s, pos) : ScanBin(s, pos);
      return pos == end && FitsIn32Bits(s, digits, base);
    }
    default:
      return false;
  }
}

namespace {
// Digits of Bits bits each that Value needs, but no fewer than Least.
Byte SignificantDigitsOf(Cardinal Value, unsigned Bits, Byte Least) {
  Byte n = 0;
  for (; Value; Value >>= Bits) ++n;
  return std::max(n, Least);
}
}  // namespace

// [checking] -------------------------------------------------------------------------------------------------
void TNumIO::SetEditText(const String& Value) {
  FInternalChg = true;
  SetText(Value);
  // An unchanged text calls no Change; the flag must not stay armed for the user's next keystroke.
  FInternalChg = false;
}

void TNumIO::Change() {
  if (ComponentState() & csDesigning) return;
  if (FInternalChg) {
    FInternalChg = false;
    return;
  }
  if (ComponentState() & csLoading) return;

  const String text = Text();
  Integer refusedCaret = std::max(0, SelStart() - 1);
  String newText;
  bool replace = false;
  if (FInFormat == itFixPoint) {
    const Integer mode = SepMode();
    auto sepAfter = [mode](const String& s, size_t from) -> Integer {
      for (size_t i = from; i < s.size(); ++i)
        if (IsDecSeparator(s[i], mode)) return Integer(i) + 1;
      return 0;
    };
    const Integer p1 = sepAfter(text, 0);
    const Integer p2 = p1 > 0 ? sepAfter(text, size_t(p1)) : 0;
    const Integer q = sepAfter(FOldText, 0);
    // A missing or doubled separator puts the last accepted text in view; the checks below then
    // reformat what still converts (a number typed over the whole text) and refuse the rest with
    // the beep. A refused second point leaves the caret behind the point there, so that typing
    // "1.25" into "1.00" still ends in "1.25".
    if (p1 == 0 || p2 > p1) {
      newText = FOldText;
      replace = true;
      refusedCaret = p1 == 0 ? (q > 1 ? q - 1 : q) : q;
    }
  }

  double v = 0;
  if (ConvertNumString(text, v)) {
    if (FInFormat == itFixPoint) {
      newText = FormatReal(1, FFixPDecPl, v);
      if (SepChar() != u'.') std::replace(newText.begin(), newText.end(), u'.', SepChar());
      replace = true;
    }
    if ((FMinimum <= v && v <= FMaximum) || v == 0) {
      FOldText = replace ? newText : text;
      if (replace) SetEditText(newText);
      TCustomEdit::Change();
      return;
    }
  }
  // Refused: the keystroke is undone and the caret steps back over it (or to the point, above).
  SetSelStart(refusedCaret);
  Update();
  if (FBeep) MessageBeep(0);
  SetEditText(FOldText);
}

// [value] ----------------------------------------------------------------------------------------------------
double TNumIO::GetLabValue() const {
  String t = Text();
  const size_t comma = t.find(u',');
  if (comma != String::npos) t[comma] = u'.';
  if (!t.empty() && t.back() == u'.') t.push_back(u'0');
  double v = 0;
  // The text now uses "." whatever the separator setting.
  return Convert(t, v, SepModePoint) ? v : 0;
}

void TNumIO::SetLabValue(double X) {
  String s;
  switch (FInFormat) {
    case itFloat: s = FormatReal(1, 8, X); break;
    case itFixPoint: s = FormatReal(1, FFixPDecPl, X); break;
    case itInt: s = FormatReal(1, 0, X); break;
    case itHex: s = FormatHex(RoundToLow32(X), 8); break;
    // Eight digits at least, and every significant one: 300 must not come back as 44.
    case itOct: s = FormatOct(RoundToLow32(X), SignificantDigitsOf(RoundToLow32(X), 3, 8)); break;
    case itBin: s = FormatBin(RoundToLow32(X), SignificantDigitsOf(RoundToLow32(X), 1, 8)); break;
    default: s = FormatReal(12, -2, X); break;  // itExp, itDynamic
  }
  if (FInFormat <= itFixPoint || FInFormat == itDynamic)
    if (SepChar() != u'.') std::replace(s.begin(), s.end(), u'.', SepChar());
  SetEditText(s);
  // A refused keystroke afterwards goes back to this value, not to an older text.
  double v;
  if (ConvertNumString(s, v)) FOldText = s;
}

// [copying] --------------------------------------------------------------------------------------------------
void TNumIO::Assign(TPersistent* Source) {
  if (auto* n = dynamic_cast<TNumIO*>(Source)) {
    FInFormat = n->FInFormat;
    FBeep = n->FBeep;
    FMinimum = n->FMinimum;
    FMaximum = n->FMaximum;
    FDecPSep = n->FDecPSep;
    Invalidate();
    return;
  }
  TCustomEdit::Assign(Source);
}

void TNumIO::AssignTo(TPersistent* Dest) {
  // Only a numeric field can take our settings; handing them to a plain edit would come straight back.
  auto* n = dynamic_cast<TNumIO*>(Dest);
  if (n && GetClassInfo().InheritsFrom(&Dest->GetClassInfo())) {
    n->Assign(this);
    return;
  }
  TCustomEdit::AssignTo(Dest);
}

// [class table] ----------------------------------------------------------------------------------------------
const TClassInfo& TNumIO::ClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TNumIO> b(&TCustomEdit::ClassInfo());
    b.Prop("InputFormat", &TNumIO::InputFormat, &TNumIO::SetInputFormat)
        .Prop("FixPointDecPlaces", &TNumIO::FixPointDecPlaces, &TNumIO::SetFixPDecPl)
        .Prop("RangeLow", &TNumIO::RangeLow, &TNumIO::SetRangeLow)
        .Prop("RangeHigh", &TNumIO::RangeHigh, &TNumIO::SetRangeHigh)
        .Prop("DecPlaceSep", &TNumIO::DecPlaceSep, &TNumIO::SetDecPSep)
        .Prop("Beep", &TNumIO::Beep, &TNumIO::SetBeep);
    AddEditProperties(b);
    return b.Build();
  }();
  return info;
}

// Registered for form text by the unit's start-up.
static const TUnitClasses NumIOClasses(juNumIO, {&TNumIO::ClassInfo});

}  // namespace jox
