// Cell values read through the column format language, and cells read as numbers.
#include <charconv>
#include <cmath>

#include "replist/rldata_internal.h"
#include "package/core/strutil.h"

namespace jox {

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// A decimal number with "." as separator and an optional exponent: [sign] digits [. digits]
// [e [sign] digits], with digits on at least one side of the point.
bool ParseDecimal(std::u16string_view t, double& out) {
  size_t i = 0, n = t.size();
  std::string a;
  a.reserve(n);
  if (i < n && (t[i] == u'+' || t[i] == u'-')) {
    if (t[i] == u'-') a += '-';
    ++i;
  }
  size_t digits = 0;
  while (i < n && IsDigit(t[i])) a += char(t[i++]), ++digits;
  if (i < n && t[i] == u'.') {
    a += '.';
    ++i;
    while (i < n && IsDigit(t[i])) a += char(t[i++]), ++digits;
  }
  if (digits == 0) return false;
  if (i < n && (t[i] == u'e' || t[i] == u'E')) {
    a += 'e';
    ++i;
    if (i < n && (t[i] == u'+' || t[i] == u'-')) a += char(t[i++]);
    size_t ed = 0;
    while (i < n && IsDigit(t[i])) a += char(t[i++]), ++ed;
    if (ed == 0) return false;
  }
  if (i != n) return false;
  auto [end, ec] = std::from_chars(a.data(), a.data() + a.size(), out);
  return ec == std::errc() && end == a.data() + a.size() && std::isfinite(out);
}

}  // namespace

// Kept within +-100000, far beyond any sensible digit count.
Integer FormatNumberAt(const String& s, size_t Pos) {
  size_t i = Pos - 1;
  while (i < s.size() && s[i] == u' ') ++i;
  bool neg = false;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) neg = s[i++] == u'-';
  Int64 v = 0;
  while (i < s.size() && IsDigit(s[i])) {
    v = std::min<Int64>(v * 10 + (s[i++] - u'0'), 100000);
  }
  return Integer(neg ? -v : v);
}

namespace {

// The lowest n digits of v in the given base, leading zeros kept.
String LowDigits(uint64_t v, Integer n, unsigned base) {
  static const char16_t kDigits[] = u"0123456789ABCDEF";
  String s(size_t(n), u'0');
  for (Integer i = n - 1; i >= 0 && v != 0; --i) {
    s[size_t(i)] = kDigits[v % base];
    v /= base;
  }
  return s;
}

}  // namespace

String RowIndexDefault(char16_t type, const String& rest, Integer ARow) {
  const Integer n = FormatNumberAt(rest, 4);
  switch (type) {
    case u'e':
    case u'f':
      return strff(double(ARow), 1, std::clamp(n, 0, 40));
    case u'h':
      return LowDigits(uint32_t(ARow), std::clamp(n, 1, 16), 16);
    default: {  // 'i'
      const Int64 mag = ARow < 0 ? -Int64(ARow) : Int64(ARow);
      return (ARow < 0 ? u"-" : u"") + LowDigits(uint64_t(mag), std::clamp(n, 1, TRLData::MaxCellLength), 10);
    }
  }
}

double TRLData::GetAsNumber(Integer ACol, Integer ARow) const {
  if (!ValidCol(ACol) || !ValidRow(ARow)) return 0;
  const String stored = Strings->GetString(ACol, ARow);
  std::u16string_view t = stored;
  if (IsCheckCol(ACol) && !t.empty()) t.remove_prefix(1);
  while (!t.empty() && t.front() == u' ') t.remove_prefix(1);
  while (!t.empty() && t.back() == u' ') t.remove_suffix(1);
  if (t.empty()) return 0;
  String s(t);
  for (char16_t& c : s)
    if (c == u',') c = u'.';
  double v = 0;
  if (!ParseDecimal(s, v))
    throw EJOXDStructError(u"Class TRLData: invalid numeric string: [" + IntToStr(ACol) + u"," + IntToStr(ARow) +
                           u"]: " + stored);
  return v;
}

TSortKind TRLData::ColumnSortKind(Integer ColNr) const {
  if (!ValidCol(ColNr) || IsCheckCol(ColNr)) return skAuto;
  const TColFmtString& fmt = FColumnFormat[size_t(ColNr - 1)];
  const size_t close = fmt.find(u']');
  if (fmt.empty() || fmt[0] != u'[' || close == String::npos) return skAuto;
  const size_t at = fmt[1] == u'#' ? 2 : 1;  // a read-only column sorts as its type does
  if (at >= close) return skText;
  switch (fmt[at]) {
    case u'e':
    case u'f':
    case u'i':
      return skNumber;
    case u'h':
      return skHexNumber;
    default:
      return skText;
  }
}

String TRLData::GetCellDefaultValue(Integer ACol, Integer ARow) const {
  const String fmt = GetColumnFormat(ACol);
  char16_t type = u's';
  String rest = fmt;
  const size_t close = fmt.find(u']');
  if (!fmt.empty() && fmt[0] == u'[' && close != String::npos) {
    if (close < 2 || fmt[1] == u'#') return {};
    type = fmt[1];
    rest = fmt.substr(close + 1);
    if (rest.empty()) return {};
    // The width bracket, only where one stands: a default may hold "]" itself.
    if (rest[0] == u'[') {
      const size_t w = rest.find(u']');
      if (w != String::npos) rest.erase(0, w + 1);
    }
  }
  rest.resize(Utf16CutLength(rest, MaxCellLength));
  switch (type) {
    case u'c':
    case u'l':
      return rest.substr(0, rest.find(u'|'));
    case u'd':
      return rest;
    case u'e':
    case u'f':
    case u'h':
    case u'i':
      return LowerCase(rest).find(u"rix") != String::npos ? RowIndexDefault(type, rest, ARow) : rest;
    case u's':
      return LowerCase(rest).find(u"$pwd$") != String::npos ? InventPassword(FormatNumberAt(rest, 6)) : rest;
    default:
      return {};
  }
}

}  // namespace jox
