// Off-screen painting: a control draws its whole picture into a bitmap of its size and copies it onto
// its canvas in one operation, so a half-drawn picture is never seen and copy modes that combine with
// what lies beneath act once.
//
//   void TSevenSeg::Paint() {
//     TPaintBuffer buf(this);   // Width() x Height(), the control's font on the canvas
//     TCanvas* C = buf.Canvas();
//     ... draw on C, origin at the control's top-left ...
//     buf.Flush();              // SRCCOPY onto Canvas() at (0, 0)
//   }
//
// A buffer may be kept as a member and reused with Resize; a control of width or height 0 gets an
// empty bitmap and Flush copies nothing.
#pragma once

#include "package/framework/controls/controls.h"
#include "package/framework/graphics/graphics.h"

namespace jox {

class TPaintBuffer {
 public:
  explicit TPaintBuffer(TControl* Control);
  TPaintBuffer(TControl* Control, Integer Width, Integer Height);
  TPaintBuffer(const TPaintBuffer&) = delete;
  TPaintBuffer& operator=(const TPaintBuffer&) = delete;

  TCanvas* Canvas() { return FBitmap.Canvas(); }
  TBitmap* Bitmap() { return &FBitmap; }
  Integer Width() const { return FBitmap.Width(); }
  Integer Height() const { return FBitmap.Height(); }
  // New size; paint the whole picture again afterwards. The font stays.
  void Resize(Integer Width, Integer Height);
  // Copies the bitmap onto the control's canvas at (X, Y) with SRCCOPY; the control's copy mode is
  // left at cmSrcCopy.
  void Flush(Integer X = 0, Integer Y = 0);

 private:
  TControl* FControl;
  TBitmap FBitmap;
};

}  // namespace jox
