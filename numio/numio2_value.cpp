// TNumIO2 value model: the buffer as a number, the online check, text and selection.
#include <algorithm>
#include <cmath>

#include "numio/numio2.h"
#include "package/texts.h"
#include "numio/numio2_model.h"
#include "package/setters.h"

namespace jox {

double TNumIO2::GetNioValue() const { return numio2::ReadValue(FInBuffer, FInputFormat); }

void TNumIO2::SetNioValue(double X) {
  FInBuffer = numio2::WriteValue(X, FInputFormat, FDecP, FSigDig, numio2::WrittenSeparator(FDecPSep));
  KeepCaretInBuffer();
  Paint();
}

void TNumIO2::KeepCaretInBuffer() {
  // A shorter text (buttons, gauge, a new format) would leave the next key editing past its end.
  const Integer n = Integer(FInBuffer.size());
  FCaretPos = std::clamp(FCaretPos, 0, n);
  FSelEnd = std::clamp(FSelEnd, 0, n);
  FSelBegin = std::clamp(FSelBegin, 0, FSelEnd);
}

Integer TNumIO2::GetNioIntValue() const {
  double v = GetNioValue();
  if (v > 2147483647.0 || v < -2147483648.0)
    throw EJOXNumIO2Error(IntegerOverflowText(Name()));
  return Integer(numio2::RoundHalfEven(v));
}

bool TNumIO2::OutOfRange() const {
  double v = GetNioValue();
  return v < FMinimum || v > FMaximum;
}

bool TNumIO2::CheckValidity(const String& Instring) const {
  return numio2::IsValidText(Instring, FInputFormat, FDecP, FDecPSep);
}

void TNumIO2::SetNioText(const String& Value) {
  if (!Value.empty() && !IsLoading(this) && !CheckValidity(Value)) return;
  FInBuffer = Value;
  FCaretPos = FSelBegin = FSelEnd = 0;
  Paint();
}

void TNumIO2::SetSelBegin(Integer N) {
  N = std::clamp(N, 0, Integer(FInBuffer.size()));
  FCaretPos = N;
  FSelBegin = N;
  if (FSelEnd < N) FSelEnd = N;
  Paint();
}

void TNumIO2::SetSelEnd(Integer N) {
  N = std::clamp(N, 0, Integer(FInBuffer.size()));
  FCaretPos = N;
  FSelEnd = N;
  if (FSelBegin > N) FSelBegin = N;
  Paint();
}

}  // namespace jox
