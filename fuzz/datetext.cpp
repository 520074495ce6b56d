// The date text reader of the report list's row editor on arbitrary formats and texts, in every
// name language (and one beyond). The input is the format, a NUL, then the text. A date read must
// come back unchanged through the writer and the reader in full formats; the only exception
// allowed is EConvertError for parts that give no date.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/seed_corpus.h"
#include "replist/rowedit.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  using namespace jox;
  // The writer's own texts for a few moments in the formats the editor meets.
  const char16_t* formats[] = {u"yyyy-MM-dd HH:mm:ss", u"dd.MM.yy", u"dddd, d. MMMM yyyy", u"h:mm tt",
                               u"MMM d yyyy 'at' H:m:s t", u"yyyyMMdd", u"ddd dd MMM yy hh:mm"};
  const TDateTime moments[] = {EncodeDate(2026, 12, 9) + EncodeTime(9, 14, 5, 0), EncodeDate(1999, 2, 28),
                               EncodeDate(1, 1, 1) + EncodeTime(23, 59, 59, 0)};
  std::vector<std::string> seeds;
  Integer lang = 0;
  for (const char16_t* f : formats)
    for (TDateTime m : moments) {
      const Integer l = lang++ % RLDateLanguages;
      seeds.push_back(char(l) + ToUtf8(f) + '\0' + ToUtf8(EncodeDateTimeText(f, m, l)));
    }
  fuzzseeds::WriteSeedFiles(argc, argv, seeds);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  using namespace jox;
  if (Size < 1) return 0;
  const Integer lang = Data[0] % (RLDateLanguages + 1);
  const std::string rest(reinterpret_cast<const char*>(Data + 1), Size - 1);
  const size_t cut = rest.find('\0');
  const String format = FromUtf8(rest.substr(0, cut));
  const String text = cut == std::string::npos ? String() : FromUtf8(rest.substr(cut + 1));
  Integer err = 1;
  TDateTime v;
  try {
    v = DecodeDateTimeText(text, format, err, lang);
  } catch (const EConvertError&) {
    return 0;
  }
  if (err != 0) {
    if (err != dtErrLiteral && err != dtErrToken && err != dtErrNumber) std::abort();
    if (v != 0) std::abort();
    return 0;
  }
  if (!std::isfinite(v)) std::abort();
  for (const char16_t* full : {u"yyyy-MM-dd HH:mm:ss", u"dddd d MMMM yyyy hh:mm:ss tt"}) {
    Integer again = 1;
    const TDateTime w = DecodeDateTimeText(EncodeDateTimeText(full, v, lang), full, again, lang);
    if (again != 0 || std::fabs(w - v) > 0.5 / 86400) std::abort();
  }
  return 0;
}
