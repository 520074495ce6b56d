#include "package/framework/controls/imglist.h"

#include <algorithm>

namespace jox {

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}
TCustomImageList::~TCustomImageList() = default;

void TCustomImageList::Changed() {
  if (FOnChange) FOnChange(this);
}

void TCustomImageList::SetWidth(Integer Value) {
  Value = std::max(Value, 1);
  if (Value == FWidth) return;
  FWidth = Value;
  FImages.clear();
  Changed();
}

void TCustomImageList::SetHeight(Integer Value) {
  Value = std::max(Value, 1);
  if (Value == FHeight) return;
  FHeight = Value;
  FImages.clear();
  Changed();
}

Integer TCustomImageList::Add(TBitmap* Image) { return AddPieces(Image, false, clNone); }
Integer TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor) { return AddPieces(Image, true, MaskColor); }

Integer TCustomImageList::AddPieces(TBitmap* Image, bool Masked, TColor MaskColor) {
  if (!Image || Image->Width() <= 0 || Image->Height() <= 0) return -1;
  const Integer first = Count();
  const TColor mask = Masked ? ColorToRGB(MaskColor) : 0;
  TCanvas* src = Image->Canvas();
  const Integer pieces = std::max<Integer>(Image->Width() / FWidth, 1);
  for (Integer k = 0; k < pieces; ++k) {
    TImage img;
    img.Pixels.assign(size_t(FWidth) * size_t(FHeight), 0);
    img.Clear.assign(img.Pixels.size(), true);
    for (Integer y = 0; y < std::min(FHeight, Image->Height()); ++y)
      for (Integer x = 0; x < FWidth && k * FWidth + x < Image->Width(); ++x) {
        const TColor c = ColorToRGB(src->Pixels(k * FWidth + x, y));
        const size_t i = size_t(y) * size_t(FWidth) + size_t(x);
        img.Pixels[i] = c;
        img.Clear[i] = Masked && c == mask;
      }
    FImages.push_back(std::move(img));
  }
  Changed();
  return first;
}

void TCustomImageList::Delete(Integer Index) {
  if (Index < 0 || Index >= Count()) return;
  FImages.erase(FImages.begin() + Index);
  Changed();
}

void TCustomImageList::Clear() {
  if (FImages.empty()) return;
  FImages.clear();
  Changed();
}

void TCustomImageList::Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, bool Enabled) const {
  if (!Canvas || Index < 0 || Index >= Count()) return;
  const TImage& img = FImages[size_t(Index)];
  for (Integer y = 0; y < FHeight; ++y)
    for (Integer x = 0; x < FWidth; ++x) {
      const size_t i = size_t(y) * size_t(FWidth) + size_t(x);
      if (img.Clear[i]) continue;
      TColor c = img.Pixels[i];
      if (!Enabled) {
        // Greys of the picture's brightness, lightened towards the face colour.
        const Integer l = (Integer(GetRValue(c)) * 30 + Integer(GetGValue(c)) * 59 + Integer(GetBValue(c)) * 11) / 100;
        const Integer g = 128 + l / 2;
        c = RGB(g, g, g);
      }
      Canvas->SetPixels(X + x, Y + y, c);
    }
}

const TClassInfo& TCustomImageList::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TCustomImageList>(&TComponent::ClassInfo());
  return info;
}

const TClassInfo& TImageList::ClassInfo() {
  using C = TImageList;
  static const TClassInfo info = TClassBuilder<TImageList>(&TCustomImageList::ClassInfo())
      .Prop("Width", &C::Width, &C::SetWidth, Integer(DefSize))
      .Prop("Height", &C::Height, &C::SetHeight, Integer(DefSize))
      .Event("OnChange");
  return info;
}

}  // namespace jox
