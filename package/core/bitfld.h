// TBitFld: a resizable field of bits, numbered 0 .. Size - 1.
#pragma once

#include <cstdint>
#include <vector>

#include "package/core/coretypes.h"
#include "package/framework/base/component.h"

namespace jox {

class TBitFld : public TComponent {
 public:
  explicit TBitFld(TComponent* AOwner);

  Integer Size() const { return FSize; }
  // Resizes to N bits; bits below the new size keep their values, new bits are false. Raises
  // EJOXDStructError for a negative N and EOutOfMemory when the bits cannot be allocated.
  void SetSize(Integer N);
  // Sets every bit to false.
  void Clear();
  // False for a bit outside 0 .. Size - 1.
  bool GetBit(Integer I) const;
  // Raises EJOXDStructError for a bit outside 0 .. Size - 1.
  void SetBit(Integer I, bool Value);
  // Number of the lowest true bit, -1 when none is set.
  Integer FirstTrueBit() const;
  Integer CountTrueBits() const;

 private:
  std::vector<uint64_t> FWords;
  Integer FSize = 0;
};

}  // namespace jox
