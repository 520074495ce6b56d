#include "package/numerics/matrix.h"

namespace jox {

TMatrix::TMatrix(TComponent* AOwner) : TComponent(AOwner) {}

double TMatrix::Elem(Integer Col, Integer Row) const {
  return FGrid.Inside(Col - 1, Row - 1) ? FGrid.At(Col - 1, Row - 1) : 0.0;
}

void TMatrix::SetElem(Integer Col, Integer Row, double Value) {
  if (FGrid.Inside(Col - 1, Row - 1)) FGrid.At(Col - 1, Row - 1) = Value;
}

TIntMatrix::TIntMatrix(TComponent* AOwner) : TComponent(AOwner) {}

Integer TIntMatrix::GetVal(Integer Col, Integer Row) const {
  return FGrid.Inside(Col - 1, Row - 1) ? FGrid.At(Col - 1, Row - 1) : 0;
}

void TIntMatrix::SetVal(Integer Col, Integer Row, Integer Value) {
  if (FGrid.Inside(Col - 1, Row - 1)) FGrid.At(Col - 1, Row - 1) = Value;
}

}  // namespace jox
