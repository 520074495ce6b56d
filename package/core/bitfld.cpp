#include "package/core/bitfld.h"

#include <algorithm>
#include <bit>
#include <new>

#include "package/core/errors.h"

namespace jox {

TBitFld::TBitFld(TComponent* AOwner) : TComponent(AOwner) {}

void TBitFld::SetSize(Integer N) {
  if (N < 0) throw EJOXDStructError(u"bit field size " + IntToStr(N) + u" is negative");
  try {
    FWords.resize((size_t(N) + 63) / 64, 0);
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory(u"not enough memory for a bit field of " + IntToStr(N) + u" bits");
  }
  // Bits beyond the new size must read as false if the field grows again later.
  if (N % 64 != 0) FWords.back() &= (uint64_t(1) << (N % 64)) - 1;
  FSize = N;
}

void TBitFld::Clear() { std::fill(FWords.begin(), FWords.end(), 0); }

bool TBitFld::GetBit(Integer I) const {
  if (I < 0 || I >= FSize) return false;
  return (FWords[size_t(I) / 64] >> (I % 64)) & 1u;
}

void TBitFld::SetBit(Integer I, bool Value) {
  if (I < 0 || I >= FSize)
    throw EJOXDStructError(u"bit index " + IntToStr(I) + u" outside 0.." + IntToStr(FSize - 1));
  const uint64_t mask = uint64_t(1) << (I % 64);
  if (Value)
    FWords[size_t(I) / 64] |= mask;
  else
    FWords[size_t(I) / 64] &= ~mask;
}

Integer TBitFld::FirstTrueBit() const {
  for (size_t w = 0; w < FWords.size(); ++w)
    if (FWords[w] != 0) return Integer(w * 64 + size_t(std::countr_zero(FWords[w])));
  return -1;
}

Integer TBitFld::CountTrueBits() const {
  Integer n = 0;
  for (uint64_t w : FWords) n += std::popcount(w);
  return n;
}

}  // namespace jox
