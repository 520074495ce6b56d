// The number text scanners and checks on any text: positions stay inside the text (or one past it),
// results stay finite and within the clamp, and what the formatters write scans back. Seeds: the
// formatters' own output.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/seeds.h"
#include "package/framework/base/sysutils.h"
#include "package/numtext.h"

namespace {
using namespace jox;

std::vector<std::string> Seeds() {
  std::vector<std::string> out;
  auto add = [&](Byte mode, const String& s) { out.push_back(std::string(1, char(mode)) + ToUtf8(s)); };
  for (Extended v : {0.0L, -1.5L, 3.14159265358979L, 1e300L, -2.5e-300L, 123456789.0L})
    for (Integer dec : {-2, 0, 3, 20}) add(Byte(dec & 3), FormatReal(14, dec, v));
  add(4, FormatHex(0xDEADBEEF, 8));
  add(5, FormatOct(0777, 4));
  add(6, FormatBin(0xA5, 8));
  add(0, u"  -12,5e+17xyz");
  add(1, u"1.2.3");
  add(2, u"$FFFFFFFF");
  return out;
}

void CheckPos(Integer before, Integer after, const String& s) {
  if (after < before || after > Integer(s.size()) + 1) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzzseeds::WriteCorpus(argc, argv, Seeds());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size == 0) return 0;
  const Byte mode = Data[0];
  // The rest as UTF-16 units, so lone surrogates and any unit come through, not only what UTF-8 makes.
  String s;
  for (size_t i = 1; i + 1 < Size; i += 2) s += char16_t(Data[i] | (Data[i + 1] << 8));
  const Integer sep = Integer(mode & 3) + 1;
  const Integer start = 1 + Integer(mode >> 4) % (Integer(s.size()) + 1);  // one past the end included
  const bool exp = mode & 4;
  Integer pos = start;
  const Extended r = ScanReal(s, exp, sep, pos);
  CheckPos(start, pos, s);
  if (!std::isfinite(double(r))) std::abort();
  for (auto scan : {ScanInt, ScanHex, ScanOct, ScanBin}) {
    pos = start;
    (void)scan(s, pos);
    CheckPos(start, pos, s);
  }
  for (TDecPSep d : {dpsPoint, dpsComma, dpsBoth, dpsSystem}) {
    (void)IsValidRealText(s, exp, d);
    (void)IsValidDecText(s, d);
  }
  (void)IsValidIntText(s);
  (void)IsValidHexText(s);
  (void)IsValidOctText(s);
  (void)IsValidBinText(s);
  // A value formatted and scanned again keeps its digits.
  if (std::isfinite(double(r)) && std::fabs(double(r)) < 1e15) {
    const String t = FormatReal(30, 6, r);
    pos = 1;
    const Extended back = ScanReal(t, true, SepModePoint, pos);
    if (std::fabs(double(back - r)) > 1e-6 * std::max(1.0, std::fabs(double(r)))) std::abort();
  }
  return 0;
}
