// A list of small pictures of one size that controls draw by index (tree view nodes, menus).
#pragma once

#include <memory>
#include <vector>

#include "package/framework/base/component.h"
#include "package/framework/graphics/graphics.h"

namespace jox {

class TCustomImageList : public TComponent {
 public:
  static constexpr Integer DefSize = 16;

  explicit TCustomImageList(TComponent* AOwner);
  ~TCustomImageList() override;

  // Size of every picture, default 16 x 16, at least 1. A change empties the list.
  Integer Width() const { return FWidth; }
  void SetWidth(Integer Value);
  Integer Height() const { return FHeight; }
  void SetHeight(Integer Value);
  Integer Count() const { return Integer(FImages.size()); }

  // Adds the picture (a wider one as several, Width pixels each) and returns the index of the first;
  // -1 for an empty picture. With AddMasked the pixels of MaskColor stay transparent.
  Integer Add(TBitmap* Image);
  Integer AddMasked(TBitmap* Image, TColor MaskColor);
  void Delete(Integer Index);
  void Clear();
  // Draws picture Index with its top-left at (X, Y); a disabled one in greys. Nothing out of range.
  void Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, bool Enabled = true) const;

  // After every change of the pictures or their size.
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent E) { FOnChange = std::move(E); }

  JOX_CLASS_TABLE

 private:
  struct TImage {
    std::vector<TColor> Pixels;  // row by row, resolved to RGB
    std::vector<bool> Clear;     // transparent pixels
  };
  Integer AddPieces(TBitmap* Image, bool Masked, TColor MaskColor);
  void Changed();

  Integer FWidth = DefSize, FHeight = DefSize;
  std::vector<TImage> FImages;
  TNotifyEvent FOnChange;
};

class TImageList : public TCustomImageList {
 public:
  explicit TImageList(TComponent* AOwner) : TCustomImageList(AOwner) {}
  JOX_CLASS_TABLE
};

}  // namespace jox
