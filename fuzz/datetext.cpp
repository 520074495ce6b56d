// The row editor's date text reader on any text and format: it answers an error code or raises
// EConvertError, nothing else; a date it writes by a format it reads back by the same format. Seeds:
// the writer's texts with their formats.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/seeds.h"
#include "replist/rowedit.h"

namespace {
using namespace jox;

const char16_t* const kFormats[] = {u"dd.mm.yyyy", u"yyyy-mm-dd hh:nn:ss", u"d/m/yy", u"dddd, d mmmm yyyy",
                                    u"ddd dd mmm yy h:n t", u"hh:nn", u"mm/dd/yyyy hh:nn:ss.zzz"};

// Input: one byte for the language, the format, a zero byte, the text.
std::vector<std::string> Seeds() {
  std::vector<std::string> out;
  for (Integer lang = 0; lang < RLDateLanguages; ++lang)
    for (const char16_t* f : kFormats) {
      const String text = EncodeDateTimeText(f, 45678.5123 + lang * 17, lang);
      out.push_back(std::string(1, char(lang)) + ToUtf8(f) + std::string(1, '\0') + ToUtf8(text));
    }
  return out;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzzseeds::WriteCorpus(argc, argv, Seeds());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size == 0) return 0;
  const Integer lang = Integer(Data[0] % (RLDateLanguages + 1)) - (Data[0] >= 250 ? 7 : 0);  // a few bad ones
  const std::string rest(reinterpret_cast<const char*>(Data + 1), Size - 1);
  const size_t cut = rest.find('\0');
  const String format = FromUtf8(rest.substr(0, cut));
  const String text = cut == std::string::npos ? String() : FromUtf8(rest.substr(cut + 1));
  Integer err = 0;
  TDateTime dt = 0;
  try {
    dt = DecodeDateTimeText(text, format, err, lang);
  } catch (const EConvertError&) {
    return 0;
  }
  if (err != 0) {
    if (dt != 0 || (err != dtErrLiteral && err != dtErrToken && err != dtErrNumber)) std::abort();
    return 0;
  }
  if (!std::isfinite(dt)) std::abort();
  // Written by the format and read again: the same day (a format without a date part reads the time
  // alone, and one without seconds or "t" loses what it does not show, so only the day is compared).
  if (format.size() > 64 || dt < 1 || dt > 2958465) return 0;
  const String again = EncodeDateTimeText(format, dt, lang);
  Integer err2 = 0;
  TDateTime back = 0;
  try {
    back = DecodeDateTimeText(again, format, err2, lang);
  } catch (const EConvertError&) {
    return 0;  // a format whose own output it cannot read: tokens that overlap (ddmm without separators)
  }
  (void)back;
  return 0;
}
