#include "package/paintbuffer.h"

#include <algorithm>

namespace jox {

TPaintBuffer::TPaintBuffer(TControl* Control) : TPaintBuffer(Control, Control->Width(), Control->Height()) {}

TPaintBuffer::TPaintBuffer(TControl* Control, Integer Width, Integer Height)
    : FControl(Control), FBitmap(std::max<Integer>(Width, 0), std::max<Integer>(Height, 0)) {
  FBitmap.Canvas()->SetFont(Control->Font());
}

void TPaintBuffer::Resize(Integer Width, Integer Height) {
  FBitmap.SetSize(std::max<Integer>(Width, 0), std::max<Integer>(Height, 0));
}

void TPaintBuffer::Flush(Integer X, Integer Y) {
  TCanvas* target = FControl->Canvas();
  target->SetCopyMode(cmSrcCopy);
  if (FBitmap.Width() > 0 && FBitmap.Height() > 0) target->Draw(X, Y, &FBitmap);
}

}  // namespace jox
