// TNTabEd clipboard exchange: Copy (text with TAB and CR LF, "####" for cells without a number),
// Paste from the editor's copy buffer, extraction of numbers from any clipboard text, and the size of
// the matrix a text holds. Whatever reaches past the table's last row or column is cut at the edge.
// Sections: [number scanner] [copy and paste] [extraction]
#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "ntabed/ntabed.h"
#include "ntabed/ntabed_internal.h"
#include "package/framework/controls/clipbrd.h"
#include "package/numtext.h"

namespace jox {

// [number scanner] -----------------------------------------------------------------------------------------
namespace {

bool StartsNumber(char16_t c) { return c == u'+' || c == u'-' || c == u'.' || (c >= u'0' && c <= u'9'); }

// Reads one number at Pos (0-based) and leaves Pos on the character that ended it. A point is "."
// (and "," with CommaIsPoint); exponents are allowed. A malformed number reads as 0.
double ScanClipNumber(const String& Text, size_t& Pos, bool CommaIsPoint) {
  enum { kEnd = 9, kError = -1 };
  std::string num;
  Integer state = 1, exp = 0;
  const size_t n = Text.size();
  while (state > 0 && state != kEnd) {
    char16_t ch = Pos < n ? Text[Pos] : u'Z';
    if (ch >= u'a' && ch <= u'z') ch = char16_t(ch - 32);
    const bool blank = ch == u' ', sign = ch == u'+' || ch == u'-', digit = ch >= u'0' && ch <= u'9';
    const bool point = ch == u'.' || (CommaIsPoint && ch == u',');
    const bool e = ch == u'E';
    Integer next;
    switch (state) {
      case 1: next = blank ? 1 : sign ? 2 : digit ? 3 : point ? 4 : kError; break;
      case 2: next = digit ? 3 : point ? 4 : kError; break;
      case 3: next = digit ? 3 : point ? 4 : e ? 6 : kEnd; break;
      case 4:
      case 5: next = digit ? 5 : point ? kError : e ? 6 : kEnd; break;
      case 6: next = sign ? 7 : digit ? 8 : (blank || point || e) ? kError : kEnd; break;
      case 7: next = digit ? 8 : (blank || sign || point || e) ? kError : kEnd; break;
      default: next = digit ? 8 : kEnd; break;
    }
    if (next >= 1 && next <= 8) {
      if (next == 8) exp = std::min(exp * 10 + (ch - u'0'), 100000);
      // Exponent digits beyond 4200 are dropped: the value is clamped below anyway.
      if (exp <= 4200) num += ch == u',' ? '.' : char(ch);
      ++Pos;
    }
    state = next;
  }
  if (state == kError) return 0;
  // A dangling exponent letter or sign counts as no exponent.
  while (!num.empty() && (num.back() == 'E' || num.back() == '+' || num.back() == '-') && num.size() > 1 &&
         num.find('E') != std::string::npos)
    num.pop_back();
  if (!num.empty() && num.back() == '.') num += '0';
  // The accepted characters are plain ASCII: blanks, one sign, digits, one point, an exponent.
  size_t i = num.find_first_not_of(' ');
  if (i == std::string::npos) return 0;
  if (num[i] == '+') ++i;
  long double v = 0;
  const auto res = std::from_chars(num.data() + i, num.data() + num.size(), v);
  if (res.ec == std::errc::result_out_of_range) {
    // Too small for any floating type gives 0, too large the largest double.
    const size_t e = num.find('E');
    if (e != std::string::npos && e + 1 < num.size() && num[e + 1] == '-') return 0;
    return num[i] == '-' ? -DBL_MAX : DBL_MAX;
  }
  if (res.ec != std::errc()) return 0;
  return double(std::clamp<long double>(v, -DBL_MAX, DBL_MAX));
}

// Walks the numbers of a text line by line. Blanks, TABs and CRs separate numbers (and commas unless
// they are points); a line feed starts the next line.
template <class F>
void ForEachClipNumber(String Text, bool CommaIsPoint, F&& Number) {
  for (char16_t& ch : Text)
    if (ch == u'\t' || ch == u'\r' || (!CommaIsPoint && ch == u',')) ch = u' ';
  Text += u' ';
  const size_t n = Text.size();
  size_t pos = 0;
  Integer line = 0, i = 0;
  auto advance = [&] {
    while (pos < n && !StartsNumber(Text[pos])) {
      if (Text[pos] == u'\n') {
        ++line;
        i = 0;
      }
      ++pos;
    }
  };
  advance();
  while (pos < n) {
    const size_t start = pos;
    const double v = ScanClipNumber(Text, pos, CommaIsPoint);
    Number(i, line, v);
    ++i;
    // The character that ended the number is passed over, unless it is the line feed that ends the line.
    if (pos < n && (pos == start || Text[pos] != u'\n')) ++pos;
    advance();
  }
}

// Scientific text with 17 significant digits, a sign place (blank for positive values) and a four-digit
// exponent: 25 characters that read back to the same double. A field of 22 holds only 15 significant
// digits, which loses the last bits of most values; the scanner reads either width.
String FullPrecisionText(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.16E", v);
  std::string s = buf;
  const size_t e = s.find('E');
  if (e != std::string::npos && e + 2 <= s.size()) {
    std::string digits = s.substr(e + 2);
    while (digits.size() < 4) digits.insert(digits.begin(), '0');
    s = s.substr(0, e + 2) + digits;
  }
  if (s[0] != '-') s.insert(s.begin(), ' ');
  if (s.size() < 22) s.insert(s.begin(), 22 - s.size(), ' ');
  return FromUtf8(s);
}

}  // namespace

// [copy and paste] -----------------------------------------------------------------------------------------
String TNTabEd::ClipText(Integer LowCol, Integer LowRow, Integer HighCol, Integer HighRow) const {
  String text;
  for (Integer r = LowRow; r <= HighRow; ++r) {
    for (Integer c = LowCol; c <= HighCol; ++c) {
      text += c == LowCol ? u' ' : u'\t';
      const double v = Data->GetElem(c, r);
      // An infinity or NaN the application stored is no number a reader takes: written as a cell
      // without one, not as the runtime's word for it.
      if ((Data->GetCellState(c, r) & (ntsNotANumber | ntsEmpty)) || !std::isfinite(v)) {
        text += u"####";
        continue;
      }
      const Integer p = Precision(c);
      text += FClipUseFullPrec || p < 0 ? FullPrecisionText(v) : FormatReal(1, p, v);
    }
    text += u"\r\n";
  }
  return text;
}

void TNTabEd::Copy() {
  Integer L, T, R, B;
  if (!TableSelection(L, T, R, B)) return;
  FDataCopy->Resize(R - L + 1, B - T + 1);
  for (Integer c = L; c <= R; ++c)
    for (Integer r = T; r <= B; ++r) {
      FDataCopy->SetElem(c - L + 1, r - T + 1, Data->GetElem(c, r));
      FDataCopy->SetCellState(c - L + 1, r - T + 1, Data->GetCellState(c, r));
    }
  FLastCopyText = ClipText(L, T, R, B);
  Clipboard()->SetAsText(FLastCopyText);
  FDataCopyAvail = true;
}

void TNTabEd::Paste() {
  if (!FDataCopyAvail) return;
  const Integer L = Selection().Left - FColOffset, T = Selection().Top - FRowOffset;
  const Integer nc = FDataCopy->NrOfColumns(), nr = FDataCopy->NrOfRows();
  {
    TInternSuppress quiet(this);
    AttachDataCallback(false);
    const Integer lastCol = std::min(nc, NrOfColumns() - L + 1), lastRow = std::min(nr, NrOfRows() - T + 1);
    for (Integer b = 1; b <= lastCol; ++b)
      for (Integer i = 1; i <= lastRow; ++i) {
        if (TableCellProtected(*Data, L + b - 1, T + i - 1)) continue;
        Data->SetElem(L + b - 1, T + i - 1, ClampToRange(FDataCopy->GetElem(b, i)));
        Data->SetCellState(L + b - 1, T + i - 1, FDataCopy->GetCellState(b, i));
      }
    AttachDataCallback(true);
  }
  PaintView();
  ChangedData();
  ChangedCellStates();
  if (FOnPaste) FOnPaste(this);
  SelectTableBlock(L, T, L + nc - 1, T + nr - 1);
}

// [extraction] ---------------------------------------------------------------------------------------------
void TNTabEd::ExtractFromClipboard() {
  if (!Clipboard()->HasFormat(CF_TEXT)) return;
  ExtractFromText(Clipboard()->AsText());
}

void TNTabEd::ExtractFromText(const String& Text) {
  const Integer L = Selection().Left - FColOffset, T = Selection().Top - FRowOffset;
  const Integer nc = NrOfColumns(), nr = NrOfRows();
  Integer maxI = 0, maxLine = 0;
  {
    TInternSuppress quiet(this);
    AttachDataCallback(false);
    ForEachClipNumber(Text, false, [&](Integer i, Integer line, double v) {
      const Integer c = L + i, r = T + line;
      if (c >= 1 && c <= nc && r >= 1 && r <= nr && !TableCellProtected(*Data, c, r)) Data->SetElem(c, r, ClampToRange(v));
      maxI = std::max(maxI, i);
      maxLine = std::max(maxLine, line);
    });
    AttachDataCallback(true);
  }
  PaintView();
  ChangedData();
  if (FOnPaste) FOnPaste(this);
  SelectTableBlock(L, T, L + maxI, T + maxLine);
}

bool TNTabEd::ClipMatrixSizeOf(const String& Text, Integer& NCols, Integer& NRows) {
  NCols = 1;
  NRows = 1;
  bool any = false;
  ForEachClipNumber(Text, true, [&](Integer i, Integer line, double) {
    any = true;
    NCols = std::max(NCols, i + 1);
    NRows = std::max(NRows, line + 1);
  });
  return any;
}

bool TNTabEd::GetClipMatrixSize(Integer& NCols, Integer& NRows) const {
  NCols = 1;
  NRows = 1;
  if (!Clipboard()->HasFormat(CF_TEXT)) return false;
  return ClipMatrixSizeOf(Clipboard()->AsText(), NCols, NRows);
}

}  // namespace jox
