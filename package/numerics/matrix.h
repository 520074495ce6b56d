// TMatrix (doubles) and TIntMatrix (integers): resizable matrices indexed column then row, 1-based.
// Reading outside the matrix gives 0, writing outside is ignored.
#pragma once

#include "package/framework/base/component.h"
#include "package/numerics/grid2d.h"

namespace jox {

class TMatrix : public TComponent {
 public:
  explicit TMatrix(TComponent* AOwner);

  Integer NrOfColumns() const { return FGrid.Cols(); }
  Integer NrOfRows() const { return FGrid.Rows(); }
  // Keeps the values that still fit, new ones are 0. Raises EJOXDStructError for negative sizes and
  // EOutOfMemory when the values cannot be held; the matrix is unchanged then.
  void Resize(Integer NrCols, Integer NrRows) { FGrid.Resize(NrCols, NrRows); }
  double Elem(Integer Col, Integer Row) const;
  void SetElem(Integer Col, Integer Row, double Value);
  void Fill(double Value) { FGrid.Fill(Value); }

  detail::Grid2D<double>& Grid() { return FGrid; }
  const detail::Grid2D<double>& Grid() const { return FGrid; }

 private:
  detail::Grid2D<double> FGrid;
};

class TIntMatrix : public TComponent {
 public:
  explicit TIntMatrix(TComponent* AOwner);

  Integer NrOfColumns() const { return FGrid.Cols(); }
  Integer NrOfRows() const { return FGrid.Rows(); }
  // As TMatrix::Resize; growing by rows only is amortised constant time per row.
  void Resize(Integer NrCols, Integer NrRows) { FGrid.Resize(NrCols, NrRows); }
  void SetNRows(Integer N) { FGrid.Resize(FGrid.Cols(), N); }
  Integer GetVal(Integer Col, Integer Row) const;
  void SetVal(Integer Col, Integer Row, Integer Value);
  void Fill(Integer Value) { FGrid.Fill(Value); }

 private:
  detail::Grid2D<Integer> FGrid;
};

}  // namespace jox
