// Sections: [colours] [pen] [brush] [font] [font handles] [graphic] [bitmap] [picture]
// (the canvas is in graphics_canvas.cpp)
#include "package/framework/graphics/graphics.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <new>

#include "package/framework/graphics/imageio.h"
#include "package/framework/base/sysutils.h"

namespace jox::detail {
// Made by scripts/embed_resources.cmake from resources/*.bmp.
struct EmbeddedResource {
  const char* name;
  const uint8_t* data;
  size_t size;
};
extern const EmbeddedResource kEmbeddedResources[];
extern const size_t kEmbeddedResourceCount;
}  // namespace jox::detail

namespace jox {

// [colours] ------------------------------------------------------------------------------------------------
namespace {

// The classic desktop scheme (silver 3-D faces, navy captions), indexed by system colour number.
constexpr TColor kSystemColors[31] = {
    RGB(192, 192, 192),  // 0 scroll bar
    RGB(0, 128, 128),    // 1 desktop background
    RGB(0, 0, 128),      // 2 active caption
    RGB(128, 128, 128),  // 3 inactive caption
    RGB(192, 192, 192),  // 4 menu
    RGB(255, 255, 255),  // 5 window
    RGB(0, 0, 0),        // 6 window frame
    RGB(0, 0, 0),        // 7 menu text
    RGB(0, 0, 0),        // 8 window text
    RGB(255, 255, 255),  // 9 caption text
    RGB(192, 192, 192),  // 10 active border
    RGB(192, 192, 192),  // 11 inactive border
    RGB(128, 128, 128),  // 12 application workspace
    RGB(0, 0, 128),      // 13 highlight
    RGB(255, 255, 255),  // 14 highlight text
    RGB(192, 192, 192),  // 15 button face
    RGB(128, 128, 128),  // 16 button shadow
    RGB(128, 128, 128),  // 17 grey text
    RGB(0, 0, 0),        // 18 button text
    RGB(192, 192, 192),  // 19 inactive caption text
    RGB(255, 255, 255),  // 20 button highlight
    RGB(0, 0, 0),        // 21 3-D dark shadow
    RGB(223, 223, 223),  // 22 3-D light
    RGB(0, 0, 0),        // 23 tooltip text
    RGB(255, 255, 225),  // 24 tooltip background
    RGB(192, 192, 192),  // 25 (unused)
    RGB(0, 0, 255),      // 26 hot-tracked item
    RGB(16, 132, 208),   // 27 active caption gradient
    RGB(181, 181, 181),  // 28 inactive caption gradient
    RGB(0, 0, 128),      // 29 menu highlight
    RGB(192, 192, 192),  // 30 menu bar
};

struct ColorName {
  TColor color;
  const char16_t* name;
};

// First match wins for ColorToString, so clSilver/clGray come before clLtGray/clDkGray.
constexpr ColorName kColorNames[] = {
    {clBlack, u"clBlack"}, {clMaroon, u"clMaroon"}, {clGreen, u"clGreen"}, {clOlive, u"clOlive"},
    {clNavy, u"clNavy"}, {clPurple, u"clPurple"}, {clTeal, u"clTeal"}, {clGray, u"clGray"},
    {clSilver, u"clSilver"}, {clRed, u"clRed"}, {clLime, u"clLime"}, {clYellow, u"clYellow"},
    {clBlue, u"clBlue"}, {clFuchsia, u"clFuchsia"}, {clAqua, u"clAqua"}, {clWhite, u"clWhite"},
    {clMoneyGreen, u"clMoneyGreen"}, {clSkyBlue, u"clSkyBlue"}, {clCream, u"clCream"},
    {clMedGray, u"clMedGray"}, {clActiveBorder, u"clActiveBorder"}, {clActiveCaption, u"clActiveCaption"},
    {clAppWorkSpace, u"clAppWorkSpace"}, {clBackground, u"clBackground"}, {clBtnFace, u"clBtnFace"},
    {clBtnHighlight, u"clBtnHighlight"}, {clBtnShadow, u"clBtnShadow"}, {clBtnText, u"clBtnText"},
    {clCaptionText, u"clCaptionText"}, {clDefault, u"clDefault"},
    {clGradientActiveCaption, u"clGradientActiveCaption"},
    {clGradientInactiveCaption, u"clGradientInactiveCaption"}, {clGrayText, u"clGrayText"},
    {clHighlight, u"clHighlight"}, {clHighlightText, u"clHighlightText"}, {clHotLight, u"clHotLight"},
    {clInactiveBorder, u"clInactiveBorder"}, {clInactiveCaption, u"clInactiveCaption"},
    {clInactiveCaptionText, u"clInactiveCaptionText"}, {clInfoBk, u"clInfoBk"}, {clInfoText, u"clInfoText"},
    {clMenu, u"clMenu"}, {clMenuBar, u"clMenuBar"}, {clMenuHighlight, u"clMenuHighlight"},
    {clMenuText, u"clMenuText"}, {clNone, u"clNone"}, {clScrollBar, u"clScrollBar"},
    {cl3DDkShadow, u"cl3DDkShadow"}, {cl3DLight, u"cl3DLight"}, {clWindow, u"clWindow"},
    {clWindowFrame, u"clWindowFrame"}, {clWindowText, u"clWindowText"},
    {clLtGray, u"clLtGray"}, {clDkGray, u"clDkGray"},
};

}  // namespace

TColor ColorToRGB(TColor c) {
  if ((c & 0xFF000000) == clSystemColor) {
    const Cardinal n = c & 0xFF;
    return n < 31 ? kSystemColors[n] : clBlack;
  }
  if (c == clNone || c == clDefault) return clBlack;
  return c & 0x00FFFFFF;
}

bool ColorToIdent(TColor c, String& ident) {
  for (const ColorName& n : kColorNames)
    if (n.color == c) {
      ident = n.name;
      return true;
    }
  return false;
}

bool IdentToColor(const String& ident, TColor& c) {
  for (const ColorName& n : kColorNames)
    if (SameText(ident, n.name)) {
      c = n.color;
      return true;
    }
  return false;
}

String ColorToString(TColor c) {
  String s;
  if (ColorToIdent(c, s)) return s;
  char buf[16];
  std::snprintf(buf, sizeof buf, "$%.8X", c);
  return FromUtf8(buf);
}

TColor StringToColor(const String& s) {
  TColor c;
  if (IdentToColor(s, c)) return c;
  const std::string t = ToUtf8(Trim(s));
  auto fail = [&]() -> TColor { throw EConvertError(u"'" + s + u"' is not a valid integer value"); };
  if (t.empty()) return fail();
  size_t i = 0;
  bool neg = false;
  if (t[i] == '-' || t[i] == '+') neg = t[i++] == '-';
  int base = 10;
  if (i < t.size() && t[i] == '$') { base = 16; ++i; }
  else if (i + 1 < t.size() && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) { base = 16; i += 2; }
  if (i >= t.size()) return fail();
  uint64_t v = 0;
  for (; i < t.size(); ++i) {
    const char ch = t[i];
    int d;
    if (ch >= '0' && ch <= '9') d = ch - '0';
    else if (base == 16 && ch >= 'a' && ch <= 'f') d = ch - 'a' + 10;
    else if (base == 16 && ch >= 'A' && ch <= 'F') d = ch - 'A' + 10;
    else return fail();
    v = v * uint64_t(base) + uint64_t(d);
    if (v > 0xFFFFFFFFull) return fail();
  }
  if (neg && base == 10 && v > 0x80000000ull) return fail();
  return neg ? TColor(-int64_t(v)) : TColor(v);
}

// [pen] ----------------------------------------------------------------------------------------------------
void TPen::Changed() { if (FOnChange) FOnChange(this); }

void TPen::Assign(TPersistent* Source) {
  if (auto* p = dynamic_cast<TPen*>(Source)) {
    FColor = p->FColor;
    FWidth = p->FWidth;
    FStyle = p->FStyle;
    FMode = p->FMode;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

void TPen::SetColor(TColor v) { if (v != FColor) { FColor = v; Changed(); } }
void TPen::SetWidth(Integer v) { v = std::max(1, v); if (v != FWidth) { FWidth = v; Changed(); } }
void TPen::SetStyle(TPenStyle v) { if (v != FStyle) { FStyle = v; Changed(); } }
void TPen::SetMode(TPenMode v) { if (v != FMode) { FMode = v; Changed(); } }

const TClassInfo& TPen::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TPen>(&TPersistent::ClassInfo())
                                     .Prop("Color", &TPen::Color, &TPen::SetColor, clBlack)
                                     .Prop("Mode", &TPen::Mode, &TPen::SetMode, pmCopy)
                                     .Prop("Style", &TPen::Style, &TPen::SetStyle, psSolid)
                                     .Prop("Width", &TPen::Width, &TPen::SetWidth, 1);
  return info;
}

// [brush] --------------------------------------------------------------------------------------------------
void TBrush::Changed() { if (FOnChange) FOnChange(this); }

void TBrush::Assign(TPersistent* Source) {
  if (auto* b = dynamic_cast<TBrush*>(Source)) {
    FColor = b->FColor;
    FStyle = b->FStyle;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

void TBrush::SetColor(TColor v) {
  if (v == FColor && FStyle != bsClear) return;
  FColor = v;
  if (FStyle == bsClear) FStyle = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle v) { if (v != FStyle) { FStyle = v; Changed(); } }

const TClassInfo& TBrush::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TBrush>(&TPersistent::ClassInfo())
                                     .Prop("Color", &TBrush::Color, &TBrush::SetColor, clWhite)
                                     .Prop("Style", &TBrush::Style, &TBrush::SetStyle, bsSolid);
  return info;
}

// [font] ---------------------------------------------------------------------------------------------------
TFont::TFont() = default;
TFont::~TFont() { if (FHandle) DeleteObject(FHandle); }

void TFont::Changed() {
  if (FHandle) {
    DeleteObject(FHandle);
    FHandle = 0;
  }
  if (FOnChange) FOnChange(this);
}

void TFont::Assign(TPersistent* Source) {
  if (auto* f = dynamic_cast<TFont*>(Source)) {
    if (f == this) return;
    FName = f->FName;
    FHeight = f->FHeight;
    FStyle = f->FStyle;
    FColor = f->FColor;
    FCharset = f->FCharset;
    FPitch = f->FPitch;
    FQuality = f->FQuality;
    FOrientation = f->FOrientation;
    FWeight = f->FWeight;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

void TFont::SetName(const TFontName& v) { if (v != FName) { FName = v; Changed(); } }
Integer TFont::Size() const { return -MulDiv(FHeight, 72, PixelsPerInch); }
void TFont::SetSize(Integer v) { SetHeight(-MulDiv(v, PixelsPerInch, 72)); }
void TFont::SetHeight(Integer v) { if (v != FHeight) { FHeight = v; Changed(); } }
void TFont::SetStyle(TFontStyles v) {
  if (v == FStyle) return;
  FStyle = v;
  FWeight = (v & fsBold) ? FW_BOLD : FW_NORMAL;
  Changed();
}
void TFont::SetColor(TColor v) { if (v != FColor) { FColor = v; Changed(); } }
void TFont::SetCharset(TFontCharset v) { if (v != FCharset) { FCharset = v; Changed(); } }
void TFont::SetPitch(TFontPitch v) { if (v != FPitch) { FPitch = v; Changed(); } }
void TFont::SetQuality(TFontQuality v) { if (v != FQuality) { FQuality = v; Changed(); } }
void TFont::SetOrientation(Integer v) { if (v != FOrientation) { FOrientation = v; Changed(); } }

TLogFont TFont::LogFont() const {
  TLogFont lf;
  lf.lfHeight = FHeight;
  lf.lfEscapement = FOrientation;
  lf.lfOrientation = FOrientation;
  lf.lfWeight = (FStyle & fsBold) ? std::max<Integer>(FWeight, FW_BOLD) : std::min<Integer>(FWeight, FW_SEMIBOLD);
  lf.lfItalic = (FStyle & fsItalic) ? 1 : 0;
  lf.lfUnderline = (FStyle & fsUnderline) ? 1 : 0;
  lf.lfStrikeOut = (FStyle & fsStrikeOut) ? 1 : 0;
  lf.lfCharSet = FCharset;
  lf.lfQuality = Byte(FQuality);
  lf.lfPitchAndFamily = FPitch == fpFixed ? FIXED_PITCH : FPitch == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
  const size_t n = std::min<size_t>(FName.size(), 31);
  std::copy(FName.begin(), FName.begin() + ptrdiff_t(n), lf.lfFaceName);
  lf.lfFaceName[n] = 0;
  return lf;
}

void TFont::SetLogFont(const TLogFont& lf) {
  size_t n = 0;
  while (n < 32 && lf.lfFaceName[n]) ++n;
  FName.assign(lf.lfFaceName, n);
  FHeight = lf.lfHeight;
  FOrientation = lf.lfEscapement;
  FWeight = lf.lfWeight == FW_DONTCARE ? FW_NORMAL : lf.lfWeight;
  Byte bits = 0;
  if (lf.lfWeight >= FW_BOLD) bits |= 1u << fsBold;
  if (lf.lfItalic) bits |= 1u << fsItalic;
  if (lf.lfUnderline) bits |= 1u << fsUnderline;
  if (lf.lfStrikeOut) bits |= 1u << fsStrikeOut;
  FStyle = TFontStyles(bits);
  FCharset = lf.lfCharSet;
  FQuality = lf.lfQuality <= CLEARTYPE_NATURAL_QUALITY ? TFontQuality(lf.lfQuality) : fqDefault;
  const Byte pitch = lf.lfPitchAndFamily & 3;
  FPitch = pitch == FIXED_PITCH ? fpFixed : pitch == VARIABLE_PITCH ? fpVariable : fpDefault;
  Changed();
}

const TClassInfo& TFont::ClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TFont>(&TPersistent::ClassInfo())
          .Prop("Charset", &TFont::Charset, &TFont::SetCharset, DEFAULT_CHARSET)
          .Prop("Color", &TFont::Color, &TFont::SetColor, clWindowText)
          .Prop("Height", &TFont::Height, &TFont::SetHeight, -11)
          .Prop("Name", &TFont::Name, &TFont::SetName, String(u"Tahoma"))
          .Prop("Orientation", &TFont::Orientation, &TFont::SetOrientation, 0)
          .Prop("Pitch", &TFont::Pitch, &TFont::SetPitch, fpDefault)
          .Prop("Size", &TFont::Size, &TFont::SetSize, 8)
          .StoredIf([](const TFont&) { return false; })  // Height carries it
          .Prop("Style", &TFont::Style, &TFont::SetStyle, TFontStyles())
          .Prop("Quality", &TFont::Quality, &TFont::SetQuality, fqDefault);
  return info;
}

// [font handles] -------------------------------------------------------------------------------------------
namespace {

struct FontTable {
  std::map<HFONT, TLogFont> fonts;
  HFONT next = 0x1000;
};

FontTable& Fonts() {
  static FontTable t;
  return t;
}

}  // namespace

HFONT CreateFontIndirect(const TLogFont& lf) {
  FontTable& t = Fonts();
  const HFONT h = t.next++;
  t.fonts[h] = lf;
  return h;
}

HFONT CreateFontIndirect(const TLogFont* lf) { return lf ? CreateFontIndirect(*lf) : 0; }

Integer GetObject(HFONT h, Integer size, TLogFont* lf) {
  auto it = Fonts().fonts.find(h);
  if (it == Fonts().fonts.end()) return 0;
  if (!lf) return Integer(sizeof(TLogFont));
  // A smaller buffer gets the leading part, as the platform copies at most `size` bytes.
  const size_t n = std::min<size_t>(size_t(std::max(0, size)), sizeof(TLogFont));
  std::memcpy(static_cast<void*>(lf), &it->second, n);
  return Integer(n);
}

bool DeleteObject(HFONT h) { return Fonts().fonts.erase(h) > 0; }

HFONT TFont::Handle() const {
  if (!FHandle) FHandle = CreateFontIndirect(LogFont());
  return FHandle;
}

void TFont::SetHandle(HFONT h) {
  TLogFont lf;
  if (h == FHandle || GetObject(h, sizeof lf, &lf) == 0) return;
  SetLogFont(lf);  // frees the old handle
  FHandle = h;     // the font owns the handle it was given
}

// [graphic] ------------------------------------------------------------------------------------------------
void TGraphic::Changed() { if (FOnChange) FOnChange(this); }
void TGraphic::SetTransparent(bool v) { if (v != FTransparent) { FTransparent = v; Changed(); } }

// [bitmap] -------------------------------------------------------------------------------------------------
TBitmap::TBitmap() = default;
TBitmap::TBitmap(Integer w, Integer h) { SetSize(w, h); }
TBitmap::~TBitmap() = default;

void TBitmap::Assign(TPersistent* Source) {
  if (Source == nullptr) {
    SetSize(0, 0);
    return;
  }
  if (auto* b = dynamic_cast<TBitmap*>(Source)) {
    if (b == this) return;
    FWidth = b->FWidth;
    FHeight = b->FHeight;
    FPixels = b->FPixels;
    FPixelFormat = b->FPixelFormat;
    FTransparent = b->FTransparent;
    FTransparentMode = b->FTransparentMode;
    FTransparentColor = b->FTransparentColor;
    if (FCanvas) FCanvas->ResetViewport();
    Changed();
    return;
  }
  if (auto* p = dynamic_cast<TPicture*>(Source)) {
    if (auto* g = dynamic_cast<TBitmap*>(p->Graphic())) Assign(g);
    else SetSize(0, 0);
    return;
  }
  TGraphic::Assign(Source);
}

void TBitmap::SetSize(Integer w, Integer h) {
  w = std::max(0, w);
  h = std::max(0, h);
  if (w == FWidth && h == FHeight) return;
  if (int64_t(w) * int64_t(h) > imageio::kMaxPixels) throw EOutOfMemory(u"Out of memory");
  std::vector<uint32_t> px(size_t(w) * size_t(h), 0xFFFFFFu);
  const Integer cw = std::min(w, FWidth), chh = std::min(h, FHeight);
  for (Integer y = 0; y < chh; ++y)
    std::copy_n(FPixels.begin() + ptrdiff_t(size_t(y) * size_t(FWidth)), cw, px.begin() + ptrdiff_t(size_t(y) * size_t(w)));
  FPixels.swap(px);
  FWidth = w;
  FHeight = h;
  if (FCanvas) FCanvas->ResetViewport();
  Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat v) { if (v != FPixelFormat) { FPixelFormat = v; Changed(); } }

TColor TBitmap::TransparentColor() const {
  if (FTransparentMode == tmFixed && FTransparentColor != clDefault) return FTransparentColor;
  if (Empty()) return clDefault;
  return PixelToColor(FPixels[size_t(FHeight - 1) * size_t(FWidth)]);
}

void TBitmap::SetTransparentColor(TColor c) {
  FTransparentColor = c;
  FTransparentMode = c == clDefault ? tmAuto : tmFixed;
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode m) {
  if (m == FTransparentMode) return;
  FTransparentMode = m;
  if (m == tmAuto) FTransparentColor = clDefault;
  Changed();
}

TCanvas* TBitmap::Canvas() {
  if (!FCanvas) FCanvas = std::make_unique<TCanvas>(this);
  return FCanvas.get();
}

uint32_t* TBitmap::ScanLine(Integer y) {
  return y >= 0 && y < FHeight ? FPixels.data() + size_t(y) * size_t(FWidth) : nullptr;
}
const uint32_t* TBitmap::ScanLine(Integer y) const {
  return y >= 0 && y < FHeight ? FPixels.data() + size_t(y) * size_t(FWidth) : nullptr;
}

namespace {

TPixelFormat FormatOfBits(Integer bits) {
  switch (bits) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 16: return pf16bit;
    case 24: return pf24bit;
    case 32: return pf32bit;
    default: return pfDevice;
  }
}

bool EndsWithPng(const String& name) {
  const String lower = LowerCase(name);
  return lower.size() >= 4 && lower.compare(lower.size() - 4, 4, u".png") == 0;
}

// Bytes a stored image takes from its first byte on, so a stream can hold more after it.
size_t StoredLength(const std::vector<uint8_t>& d) {
  if (imageio::IsBmp(d.data(), d.size()) && d.size() >= 6) {
    const size_t n = size_t(d[2]) | (size_t(d[3]) << 8) | (size_t(d[4]) << 16) | (size_t(d[5]) << 24);
    return n >= 26 && n <= d.size() ? n : d.size();
  }
  if (imageio::IsPng(d.data(), d.size())) {
    size_t p = 8;
    while (p + 12 <= d.size()) {
      const size_t len = (size_t(d[p]) << 24) | (size_t(d[p + 1]) << 16) | (size_t(d[p + 2]) << 8) | d[p + 3];
      const bool end = std::memcmp(&d[p + 4], "IEND", 4) == 0;
      if (len > d.size() - p - 12) break;
      p += 12 + len;
      if (end) return p;
    }
  }
  return d.size();
}

}  // namespace

void TBitmap::LoadFromMemory(const void* data, size_t size) {
  imageio::Image img = imageio::Decode(static_cast<const uint8_t*>(data), size);
  FPixels = std::move(img.pixels);
  FWidth = img.width;
  FHeight = img.height;
  FPixelFormat = FormatOfBits(img.bitsPerPixel);
  if (FCanvas) FCanvas->ResetViewport();
  Changed();
}

void TBitmap::LoadFromFile(const String& FileName) {
  std::vector<uint8_t> bytes;
  try {
    bytes = imageio::ReadFile(ToUtf8(FileName));
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory(u"Out of memory");
  }
  LoadFromMemory(bytes.data(), bytes.size());
}

void TBitmap::SaveToFile(const String& FileName) {
  std::vector<uint8_t> bytes;
  if (EndsWithPng(FileName)) bytes = imageio::EncodePng(FPixels.data(), FWidth, FHeight);
  else bytes = imageio::EncodeBmp(FPixels.data(), FWidth, FHeight, FPixelFormat == pf32bit || FPixelFormat == pfDevice ? 32 : 24);
  imageio::WriteFile(ToUtf8(FileName), bytes);
}

void TBitmap::LoadFromStream(TStream* Stream) {
  if (!Stream) throw EInvalidGraphic(u"Bitmap image is not valid: no stream");
  const Int64 start = Stream->Position();
  const Int64 left = std::max<Int64>(0, Stream->Size() - start);
  if (left > Int64(1) << 31) throw EInvalidGraphic(u"Bitmap image is not valid: the stream is too large");
  std::vector<uint8_t> bytes;
  try {
    bytes.resize(static_cast<size_t>(left));
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory(u"Out of memory");
  }
  const Int64 got = Stream->Read(bytes.data(), left);
  bytes.resize(size_t(std::max<Int64>(0, got)));
  const size_t used = StoredLength(bytes);
  LoadFromMemory(bytes.data(), bytes.size());
  Stream->SetPosition(start + Int64(used));
}

void TBitmap::SaveToStream(TStream* Stream) {
  if (!Stream) return;
  const std::vector<uint8_t> bytes =
      imageio::EncodeBmp(FPixels.data(), FWidth, FHeight, FPixelFormat == pf32bit || FPixelFormat == pfDevice ? 32 : 24);
  Stream->WriteBuffer(bytes.data(), Int64(bytes.size()));
}

void TBitmap::LoadFromResourceName(HINSTANCE Instance, const String& ResName) {
  const std::string want = ToUtf8(UpperCase(ResName));
  for (size_t i = 0; i < detail::kEmbeddedResourceCount; ++i) {
    const detail::EmbeddedResource& r = detail::kEmbeddedResources[i];
    if (want == r.name) {
      LoadFromMemory(r.data, r.size);
      return;
    }
  }
  (void)Instance;
  throw EResNotFound(u"Resource " + ResName + u" not found");
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (!ACanvas || Empty()) return;
  if (!FTransparent) {
    ACanvas->StretchBlt(Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), Canvas(), 0, 0, FWidth, FHeight,
                        ACanvas->CopyMode());
    return;
  }
  // Transparent: pixels of the transparent colour leave the canvas as it is.
  const uint32_t key = ColorToPixel(ColorToRGB(TransparentColor()));
  TBitmap mask(FWidth, FHeight), image(FWidth, FHeight);
  for (size_t i = 0; i < FPixels.size(); ++i) {
    const bool clear = (FPixels[i] & 0xFFFFFF) == key;
    mask.FPixels[i] = clear ? 0xFFFFFF : 0;
    image.FPixels[i] = clear ? 0 : FPixels[i];
  }
  const Integer saveMode = ACanvas->StretchBltMode();
  ACanvas->SetStretchBltMode(COLORONCOLOR);
  ACanvas->StretchBlt(Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), mask.Canvas(), 0, 0, FWidth, FHeight, SRCAND);
  ACanvas->StretchBlt(Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), image.Canvas(), 0, 0, FWidth, FHeight, SRCPAINT);
  ACanvas->SetStretchBltMode(saveMode);
}

// [picture] ------------------------------------------------------------------------------------------------
TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Changed() { if (FOnChange) FOnChange(this); }

void TPicture::SetGraphic(TGraphic* g) {
  if (g == FGraphic.get()) return;
  if (!g) {
    FGraphic.reset();
  } else {
    auto b = std::make_unique<TBitmap>();
    b->Assign(g);
    b->SetOnChange([this](TObject*) { Changed(); });
    FGraphic = std::move(b);
  }
  Changed();
}

void TPicture::Assign(TPersistent* Source) {
  if (!Source) {
    SetGraphic(nullptr);
    return;
  }
  if (auto* p = dynamic_cast<TPicture*>(Source)) {
    if (p != this) SetGraphic(p->Graphic());
    return;
  }
  if (auto* g = dynamic_cast<TGraphic*>(Source)) {
    SetGraphic(g);
    return;
  }
  TPersistent::Assign(Source);
}

TBitmap* TPicture::Bitmap() {
  if (auto* b = dynamic_cast<TBitmap*>(FGraphic.get())) return b;
  auto b = std::make_unique<TBitmap>();
  b->SetOnChange([this](TObject*) { Changed(); });
  FGraphic = std::move(b);
  Changed();
  return static_cast<TBitmap*>(FGraphic.get());
}

Integer TPicture::Width() const { return FGraphic ? FGraphic->Width() : 0; }
Integer TPicture::Height() const { return FGraphic ? FGraphic->Height() : 0; }

void TPicture::LoadFromFile(const String& FileName) {
  auto b = std::make_unique<TBitmap>();
  b->LoadFromFile(FileName);
  b->SetOnChange([this](TObject*) { Changed(); });
  FGraphic = std::move(b);
  Changed();
}

void TPicture::SaveToFile(const String& FileName) {
  if (FGraphic) FGraphic->SaveToFile(FileName);
}

}  // namespace jox
