// The number text scanners and checks on arbitrary text from any start position, and the
// formatters on what they scanned: positions stay within the text, results within their ranges.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/seed_corpus.h"
#include "package/framework/base/sysutils.h"
#include "package/numtext.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  using namespace jox;
  // The formatters' own texts, with a control byte in front.
  std::vector<std::string> seeds;
  const double values[] = {0, -1.5, 3.14159265358979, 1e300, -2.5e-310, 65535, 123456789012.0};
  for (double v : values) {
    seeds.push_back('\x01' + ToUtf8(FormatReal(0, 6, v)));
    seeds.push_back('\x22' + ToUtf8(FormatReal(14, -2, v)));
    seeds.push_back('\x43' + ToUtf8(FormatHex(RoundToLow32(v), 8)));
    seeds.push_back('\x04' + ToUtf8(FormatOct(RoundToLow32(v), 11)));
    seeds.push_back('\x05' + ToUtf8(FormatBin(RoundToLow32(v), 32)));
  }
  seeds.push_back(std::string("\x07  -12,5e+3x", 12));
  seeds.push_back(std::string("\x11$FFFFFFFF", 10));
  fuzzseeds::WriteSeedFiles(argc, argv, seeds);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  using namespace jox;
  if (Size < 1) return 0;
  const uint8_t ctl = Data[0];
  const String text = FromUtf8(std::string(reinterpret_cast<const char*>(Data + 1), Size - 1));
  const Integer len = Integer(text.size());
  const Integer start = 1 + Integer(ctl >> 4) % (len + 1);  // 1 .. Length + 1
  const Integer mode = ctl & 3;
  auto within = [&](Integer pos) {
    if (pos < start || pos > len + 1) std::abort();
  };
  Integer pos = start;
  const Extended r = ScanReal(text, ctl & 4, mode, pos);
  within(pos);
  if (!std::isfinite(r) || std::fabs(r) > uc_MaxDouble) std::abort();
  pos = start;
  ScanInt(text, pos);
  within(pos);
  pos = start;
  const Integer h = ScanHex(text, pos);
  within(pos);
  pos = start;
  ScanOct(text, pos);
  within(pos);
  pos = start;
  ScanBin(text, pos);
  within(pos);

  const TDecPSep seps[] = {dpsPoint, dpsComma, dpsBoth, dpsSystem};
  IsValidRealText(text, ctl & 8, seps[ctl & 3]);
  IsValidDecText(text, seps[ctl & 3]);
  IsValidIntText(text);
  IsValidHexText(text);
  IsValidOctText(text);
  IsValidBinText(text);

  Extended e;
  double d;
  Int64 i64;
  Integer i;
  TryStrToFloat(text, e);
  TryStrToFloat(text, d);
  TryStrToInt64(text, i64);
  TryStrToInt(text, i);

  // What was scanned, formatted: widths and decimals from the control byte, far beyond the caps too.
  const Integer width = Integer(int8_t(ctl)) * 3, decimals = (ctl & 0x40) ? -2 : Integer(ctl >> 2);
  const String f = FormatReal(width, decimals, r);
  if (f.size() > 512) std::abort();
  if (FormatHex(Cardinal(h), Byte(ctl)).size() > 16 || FormatBin(Cardinal(h), Byte(ctl)).size() > 32 ||
      FormatOct(Cardinal(h), Byte(ctl)).size() > 11)
    std::abort();
  return 0;
}
