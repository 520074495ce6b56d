// The regular-expression filter of the report list: RE2, a linear-time engine (no pattern can make a
// search take longer than its text allows), on UTF-8 with Unicode case folding.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "package/framework/base/types.h"

namespace jox {

class TGrepPattern {
 public:
  // Throws std::invalid_argument with the engine's reason when Expression is no regular expression.
  TGrepPattern(const String& Expression, bool IgnoreCase);
  ~TGrepPattern();
  // Whether the expression matches anywhere in Cell.
  bool Search(std::u16string_view Cell) const;

 private:
  struct TImpl;
  std::unique_ptr<TImpl> FImpl;
};

}  // namespace jox
