#include "replist/rlgrep.h"

#include <re2/re2.h>

#include <stdexcept>

#include "package/framework/base/sysutils.h"

namespace jox {

struct TGrepPattern::TImpl {
  std::unique_ptr<RE2> Re;
  mutable std::string Buf;  // the cell in UTF-8, reused from cell to cell
};

TGrepPattern::TGrepPattern(const String& Expression, bool IgnoreCase) : FImpl(std::make_unique<TImpl>()) {
  RE2::Options o;
  o.set_encoding(RE2::Options::EncodingUTF8);
  o.set_case_sensitive(!IgnoreCase);
  o.set_log_errors(false);
  FImpl->Re = std::make_unique<RE2>(ToUtf8(Expression), o);
  if (!FImpl->Re->ok()) throw std::invalid_argument(FImpl->Re->error());
}

TGrepPattern::~TGrepPattern() = default;

bool TGrepPattern::Search(std::u16string_view Cell) const {
  std::string& b = FImpl->Buf;
  b.clear();
  // Most cells are ASCII: copy those directly, hand the rest to the converter.
  bool ascii = true;
  for (char16_t c : Cell) {
    if (c >= 0x80) {
      ascii = false;
      break;
    }
    b.push_back(char(c));
  }
  if (!ascii) b = ToUtf8(Cell);
  return RE2::PartialMatch(b, *FImpl->Re);
}

}  // namespace jox
