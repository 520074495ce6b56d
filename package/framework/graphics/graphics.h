// The GDI-style graphics layer: pens, brushes, fonts, bitmaps, pictures and the canvas that draws on them.
// Sections: [constants] [colours] [pen] [brush] [font] [graphic] [bitmap] [picture] [canvas] [handles]
//
// Pixels: a TBitmap stores 32-bit pixels, one uint32_t each, as 0x00RRGGBB (the byte order of a Windows DIB
// and of SDL's ARGB8888), whatever its PixelFormat says. The canvas API speaks TColor (0x00BBGGRR);
// ScanLine(y) gives raw rows for hot loops, and PixelToColor/ColorToPixel convert.
//
// Canvas rules, kept exactly because pixel positions elsewhere rely on them:
//  - TRect right and bottom are exclusive; Rectangle, Ellipse, RoundRect, Pie, Chord cover [L, R) x [T, B),
//    a box given with L > R or T > B is put in order first, the outline is drawn with the pen inside the box
//    and the inside is filled with the brush (unless bsClear).
//  - LineTo draws from PenPos up to but not including its end point, which becomes PenPos.
//  - Arc, Pie, Chord run counter-clockwise from the ray through (X3, Y3) to the ray through (X4, Y4).
//  - Setting a brush colour makes a clear brush solid.
//  - Text is drawn with its cell's top-left at the point; on the brush colour when the brush is solid,
//    without background when it is clear. A font with escapement rotates about that point.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "package/framework/base/streams.h"
#include "package/framework/base/props.h"
#include "package/framework/graphics/fonts.h"
#include "package/framework/graphics/raster.h"
#include "package/framework/base/types.h"

namespace jox {

class TCanvas;
class TStream;

// [constants] ----------------------------------------------------------------------------------------------
// Raster operations (ternary ROP codes) for CopyMode, CopyRect, Draw, StretchDraw and StretchBlt.
constexpr Cardinal SRCCOPY = 0x00CC0020, SRCPAINT = 0x00EE0086, SRCAND = 0x008800C6, SRCINVERT = 0x00660046,
                   SRCERASE = 0x00440328, NOTSRCCOPY = 0x00330008, NOTSRCERASE = 0x001100A6,
                   MERGECOPY = 0x00C000CA, MERGEPAINT = 0x00BB0226, PATCOPY = 0x00F00021,
                   PATPAINT = 0x00FB0A09, PATINVERT = 0x005A0049, DSTINVERT = 0x00550009,
                   BLACKNESS = 0x00000042, WHITENESS = 0x00FF0062;
using TCopyMode = Cardinal;
constexpr TCopyMode cmBlackness = BLACKNESS, cmDstInvert = DSTINVERT, cmMergeCopy = MERGECOPY,
                    cmMergePaint = MERGEPAINT, cmNotSrcCopy = NOTSRCCOPY, cmNotSrcErase = NOTSRCERASE,
                    cmPatCopy = PATCOPY, cmPatInvert = PATINVERT, cmPatPaint = PATPAINT, cmSrcAnd = SRCAND,
                    cmSrcCopy = SRCCOPY, cmSrcErase = SRCERASE, cmSrcInvert = SRCINVERT, cmSrcPaint = SRCPAINT,
                    cmWhiteness = WHITENESS;

// Stretch modes of StretchBlt / TCanvas::SetStretchBltMode.
constexpr Integer BLACKONWHITE = 1, WHITEONBLACK = 2, COLORONCOLOR = 3, HALFTONE = 4,
                  STRETCH_ANDSCANS = 1, STRETCH_ORSCANS = 2, STRETCH_DELETESCANS = 3, STRETCH_HALFTONE = 4;

// Logical-font values.
constexpr Integer FW_DONTCARE = 0, FW_THIN = 100, FW_LIGHT = 300, FW_NORMAL = 400, FW_MEDIUM = 500,
                  FW_SEMIBOLD = 600, FW_BOLD = 700, FW_HEAVY = 900;
constexpr Byte ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, SYMBOL_CHARSET = 2, OEM_CHARSET = 255;
constexpr Byte OUT_DEFAULT_PRECIS = 0, CLIP_DEFAULT_PRECIS = 0;
constexpr Byte DEFAULT_QUALITY = 0, DRAFT_QUALITY = 1, PROOF_QUALITY = 2, NONANTIALIASED_QUALITY = 3,
               ANTIALIASED_QUALITY = 4, CLEARTYPE_QUALITY = 5, CLEARTYPE_NATURAL_QUALITY = 6;
constexpr Byte DEFAULT_PITCH = 0, FIXED_PITCH = 1, VARIABLE_PITCH = 2;

// Text-format flags of TCanvas::DrawText (the platform's DT_* values).
constexpr Cardinal DT_TOP = 0x0, DT_LEFT = 0x0, DT_CENTER = 0x1, DT_RIGHT = 0x2, DT_VCENTER = 0x4,
                   DT_BOTTOM = 0x8, DT_WORDBREAK = 0x10, DT_SINGLELINE = 0x20, DT_EXPANDTABS = 0x40,
                   DT_NOCLIP = 0x100, DT_CALCRECT = 0x400, DT_NOPREFIX = 0x800, DT_END_ELLIPSIS = 0x8000;

using HFONT = uintptr_t;  // 0 means no font
using HINSTANCE = uintptr_t;
constexpr HINSTANCE HInstance = 1;  // the package's own module: its embedded resources

// [colours] ------------------------------------------------------------------------------------------------
// Resolves a system colour (0xFF0000nn) through the fixed classic desktop table; other colours pass
// with their high byte cleared. clNone resolves to black, clDefault to black.
TColor ColorToRGB(TColor c);
// "clRed", "clBtnFace", ... for a named colour, otherwise "$00BBGGRR" in hexadecimal.
String ColorToString(TColor c);
// Inverse of ColorToString; also takes decimal and "$"/"0x" hexadecimal numbers.
// Raises EConvertError for anything else.
TColor StringToColor(const String& s);
bool IdentToColor(const String& ident, TColor& c);
bool ColorToIdent(TColor c, String& ident);

constexpr uint32_t ColorToPixel(TColor c) {  // c must be resolved (no system colour)
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr TColor PixelToColor(uint32_t p) { return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF); }

// [pen] ----------------------------------------------------------------------------------------------------
// TPenStyle and TPenMode are declared in raster.h.
using TNotifyEvent = std::function<void(TObject* Sender)>;

// Color clBlack, Width 1, Style psSolid, Mode pmCopy. Every change fires OnChange.
// Dash styles apply to one-pixel pens; wider pens draw solid, as the platform's cosmetic pens do.
class TPen : public TPersistent {
 public:
  TPen() = default;
  void Assign(TPersistent* Source) override;
  JOX_CLASS_TABLE

  TColor Color() const { return FColor; }
  void SetColor(TColor v);
  Integer Width() const { return FWidth; }
  void SetWidth(Integer v);  // values below 1 become 1
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle v);
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode v);
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent e) { FOnChange = std::move(e); }

 private:
  void Changed();
  TColor FColor = clBlack;
  Integer FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
  TNotifyEvent FOnChange;
};

// [brush] --------------------------------------------------------------------------------------------------
// TBrushStyle is declared in raster.h.
// Color clWhite, Style bsSolid. Setting Color while the style is bsClear makes it bsSolid.
// Hatched styles draw their lines in Color and leave the gaps alone.
class TBrush : public TPersistent {
 public:
  TBrush() = default;
  void Assign(TPersistent* Source) override;
  JOX_CLASS_TABLE

  TColor Color() const { return FColor; }
  void SetColor(TColor v);
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle v);
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent e) { FOnChange = std::move(e); }

 private:
  void Changed();
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
  TNotifyEvent FOnChange;
};

// [font] ---------------------------------------------------------------------------------------------------
enum TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
// A set of TFontStyle: `Style() & fsBold` tests, `fsBold | fsItalic` builds, `TFontStyles()` is empty.
using TFontStyles = TSet<TFontStyle, Byte, true>;
JOX_SET_OPERATORS(TFontStyles, TFontStyle)

enum TFontPitch : uint8_t { fpDefault, fpVariable, fpFixed };
enum TFontQuality : uint8_t {
  fqDefault, fqDraft, fqProof, fqNonAntialiased, fqAntialiased, fqClearType, fqClearTypeNatural
};
using TFontCharset = Byte;
using TFontName = String;

// The logical-font record of CreateFontIndirect/GetObject. Escapement and orientation are in tenths of a
// degree, counter-clockwise; lfHeight < 0 is the character (em) height in pixels, > 0 the cell height.
struct TLogFont {
  Integer lfHeight = 0;
  Integer lfWidth = 0;
  Integer lfEscapement = 0;
  Integer lfOrientation = 0;
  Integer lfWeight = FW_NORMAL;
  Byte lfItalic = 0;
  Byte lfUnderline = 0;
  Byte lfStrikeOut = 0;
  Byte lfCharSet = DEFAULT_CHARSET;
  Byte lfOutPrecision = OUT_DEFAULT_PRECIS;
  Byte lfClipPrecision = CLIP_DEFAULT_PRECIS;
  Byte lfQuality = DEFAULT_QUALITY;
  Byte lfPitchAndFamily = DEFAULT_PITCH;
  char16_t lfFaceName[32] = {};  // zero-terminated, at most 31 characters
};
using LOGFONT = TLogFont;

// Name "Tahoma", Size 8 (points at 96 dpi; Height -11), Style [], Color clWindowText, Charset
// DEFAULT_CHARSET, Pitch fpDefault, Quality fqDefault (anti-aliased), Orientation 0. Every change fires
// OnChange. Height < 0 is the character height in pixels, > 0 the cell height (ascent + descent).
class TFont : public TPersistent {
 public:
  static constexpr Integer PixelsPerInch = 96;
  TFont();
  ~TFont() override;
  TFont(const TFont&) = delete;
  TFont& operator=(const TFont&) = delete;
  void Assign(TPersistent* Source) override;
  JOX_CLASS_TABLE

  TFontName Name() const { return FName; }
  void SetName(const TFontName& v);
  Integer Size() const;  // -Height * 72 / 96, rounded
  void SetSize(Integer v);
  Integer Height() const { return FHeight; }
  void SetHeight(Integer v);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles v);
  TColor Color() const { return FColor; }
  void SetColor(TColor v);
  TFontCharset Charset() const { return FCharset; }
  void SetCharset(TFontCharset v);
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch v);
  TFontQuality Quality() const { return FQuality; }
  void SetQuality(TFontQuality v);
  // Escapement in tenths of a degree, counter-clockwise; text rotates about its TextOut point.
  Integer Orientation() const { return FOrientation; }
  void SetOrientation(Integer v);

  // The logical-font record of the current settings, and setting them all from one.
  TLogFont LogFont() const;
  void SetLogFont(const TLogFont& lf);
  // A font handle describing the current settings (owned by the font, valid until the next change).
  // SetHandle takes the settings of a handle made by CreateFontIndirect and frees that handle.
  HFONT Handle() const;
  void SetHandle(HFONT h);

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent e) { FOnChange = std::move(e); }

 private:
  void Changed();
  TFontName FName = u"Tahoma";
  Integer FHeight = -11;
  TFontStyles FStyle;
  TColor FColor = clWindowText;
  TFontCharset FCharset = DEFAULT_CHARSET;
  TFontPitch FPitch = fpDefault;
  TFontQuality FQuality = fqDefault;
  Integer FOrientation = 0;
  Integer FWeight = FW_NORMAL;  // kept from a logical font; fsBold means >= FW_BOLD
  mutable HFONT FHandle = 0;
  TNotifyEvent FOnChange;
};

// Handles of logical fonts, as the platform's calls: CreateFontIndirect makes one, GetObject reads it
// back (returns the bytes written, 0 for an unknown handle), DeleteObject frees it (unknown handles are
// ignored; handles are never reused).
HFONT CreateFontIndirect(const TLogFont& lf);
HFONT CreateFontIndirect(const TLogFont* lf);
Integer GetObject(HFONT h, Integer size, TLogFont* lf);
bool DeleteObject(HFONT h);

// [graphic] ------------------------------------------------------------------------------------------------
// An image that can load, save and draw itself.
class TGraphic : public TPersistent {
 public:
  virtual Integer Width() const = 0;
  virtual Integer Height() const = 0;
  virtual void SetWidth(Integer v) = 0;
  virtual void SetHeight(Integer v) = 0;
  virtual bool Empty() const = 0;
  // When true, Draw leaves pixels of TransparentColor out.
  bool Transparent() const { return FTransparent; }
  virtual void SetTransparent(bool v);
  // Format by file ending (.png is PNG, anything else BMP), or by content when loading.
  virtual void LoadFromFile(const String& FileName) = 0;
  virtual void SaveToFile(const String& FileName) = 0;
  virtual void LoadFromStream(TStream* Stream) = 0;
  virtual void SaveToStream(TStream* Stream) = 0;
  // Draws the whole image into Rect of the canvas (stretched when sizes differ) with its copy mode.
  virtual void Draw(TCanvas* ACanvas, const TRect& Rect) = 0;
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent e) { FOnChange = std::move(e); }

 protected:
  virtual void Changed();
  bool FTransparent = false;
  TNotifyEvent FOnChange;
};

// [bitmap] -------------------------------------------------------------------------------------------------
enum TPixelFormat : uint8_t { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode : uint8_t { tmAuto, tmFixed };

// 32-bit pixels (0x00RRGGBB), width x height, rows top-down. A new bitmap is empty (0 x 0); SetSize keeps
// the pixels that still fit and makes new ones white. PixelFormat is remembered for saving (pf32bit and
// pfDevice write 32-bit BMP files, the others 24-bit) and changes no pixel.
class TBitmap : public TGraphic {
 public:
  TBitmap();
  TBitmap(Integer w, Integer h);
  ~TBitmap() override;
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;
  void Assign(TPersistent* Source) override;  // copies size, pixels, format and transparency

  Integer Width() const override { return FWidth; }
  Integer Height() const override { return FHeight; }
  void SetWidth(Integer v) override { SetSize(v, FHeight); }
  void SetHeight(Integer v) override { SetSize(FWidth, v); }
  // Negative sizes become 0. Raises EOutOfMemory beyond 2^28 pixels.
  void SetSize(Integer w, Integer h);
  bool Empty() const override { return FWidth == 0 || FHeight == 0; }
  TPixelFormat PixelFormat() const { return FPixelFormat; }
  void SetPixelFormat(TPixelFormat v);
  // Transparent colour: with tmAuto the bottom-left pixel, with tmFixed the colour set.
  TColor TransparentColor() const;
  void SetTransparentColor(TColor c);
  TTransparentMode TransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode m);

  // The canvas drawing on this bitmap (owned by it).
  TCanvas* Canvas();
  // Raw row y (0 <= y < Height), Width pixels of 0x00RRGGBB; nullptr outside.
  uint32_t* ScanLine(Integer y);
  const uint32_t* ScanLine(Integer y) const;
  uint32_t* Bits() { return FPixels.data(); }
  const uint32_t* Bits() const { return FPixels.data(); }

  void LoadFromFile(const String& FileName) override;   // BMP or PNG by content; EInvalidGraphic, EFOpenError
  void SaveToFile(const String& FileName) override;     // PNG for ".png", BMP otherwise
  void LoadFromStream(TStream* Stream) override;        // BMP or PNG by content
  void SaveToStream(TStream* Stream) override;          // BMP
  void LoadFromMemory(const void* data, size_t size);   // BMP or PNG by content
  // Finds a bitmap embedded from resources/ by name, case-insensitive; EResNotFound for an unknown name.
  void LoadFromResourceName(HINSTANCE Instance, const String& ResName);
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;
  // Platform calls that only manage handles; kept so callers read as they would elsewhere.
  void Dormant() {}
  void FreeImage() {}

 private:
  Integer FWidth = 0, FHeight = 0;
  std::vector<uint32_t> FPixels;
  TPixelFormat FPixelFormat = pfDevice;
  TTransparentMode FTransparentMode = tmAuto;
  TColor FTransparentColor = clDefault;
  std::unique_ptr<TCanvas> FCanvas;
};

// [picture] ------------------------------------------------------------------------------------------------
// Holds one graphic (a TBitmap here, whatever the file's format). Width/Height are 0 when empty.
class TPicture : public TPersistent {
 public:
  TPicture();
  ~TPicture() override;
  void Assign(TPersistent* Source) override;  // from a TPicture, a TBitmap, or nullptr (clears)

  TGraphic* Graphic() const { return FGraphic.get(); }
  void SetGraphic(TGraphic* g);  // copies g
  // The graphic as a bitmap, made empty first when there is none.
  TBitmap* Bitmap();
  void SetBitmap(TBitmap* b) { SetGraphic(b); }
  Integer Width() const;
  Integer Height() const;
  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName);
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent e) { FOnChange = std::move(e); }

 private:
  void Changed();
  std::unique_ptr<TGraphic> FGraphic;
  TNotifyEvent FOnChange;
};

// [canvas] -------------------------------------------------------------------------------------------------
enum TFillStyle : uint8_t { fsSurface, fsBorder };

// Draws on a target bitmap. A canvas may be a view: its (0, 0) lies at Origin of the target and nothing is
// drawn outside its clip rectangle (in target coordinates); the controls give each control such a view of
// its form's surface. Coordinates given to every drawing call are the canvas's own.
// Pen, Brush and Font are owned by the canvas; CopyMode cmSrcCopy, StretchBltMode COLORONCOLOR.
class TCanvas : public TPersistent {
 public:
  TCanvas();
  explicit TCanvas(TBitmap* target);
  ~TCanvas() override;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // --- target and view
  TBitmap* Target() const { return FTarget; }
  void SetTarget(TBitmap* target);  // keeps the viewport
  // Origin: target position of the canvas's (0, 0). Clip: in target coordinates, cut to the target.
  void SetViewport(TPoint origin, const TRect& clip);
  void ResetViewport();  // origin (0, 0), clip the whole target
  TPoint Origin() const { return FOrigin; }
  // An extra clip in canvas coordinates, intersected with the viewport's (the platform's
  // IntersectClipRect); ResetClipRect removes it.
  void SetClipRect(const TRect& r);
  void ResetClipRect();
  // The rectangle drawing reaches, in canvas coordinates.
  TRect ClipRect() const;
  HDC Handle() const { return reinterpret_cast<HDC>(this); }

  // --- tools
  TPen* Pen() const { return FPen.get(); }
  void SetPen(TPen* v) { FPen->Assign(v); }
  TBrush* Brush() const { return FBrush.get(); }
  void SetBrush(TBrush* v) { FBrush->Assign(v); }
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* v) { FFont->Assign(v); }
  TPoint PenPos() const { return FPenPos; }
  void SetPenPos(TPoint p) { FPenPos = p; }
  TCopyMode CopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode v) { FCopyMode = v; }
  Integer StretchBltMode() const { return FStretchMode; }
  Integer SetStretchBltMode(Integer mode);  // returns the previous mode; unknown modes are ignored (0)

  // --- pixels
  TColor Pixels(Integer x, Integer y) const;  // -1 (0xFFFFFFFF) outside the clip, as the platform
  void SetPixels(Integer x, Integer y, TColor c);

  // --- lines and shapes
  void MoveTo(Integer x, Integer y);
  void LineTo(Integer x, Integer y);
  void Polyline(const TPoint* pts, Integer count);
  void Polyline(const std::vector<TPoint>& pts) { Polyline(pts.data(), Integer(pts.size())); }
  // Filled with the brush by the alternate rule (or winding), outlined and closed with the pen.
  void Polygon(const TPoint* pts, Integer count, bool winding = false);
  void Polygon(const std::vector<TPoint>& pts, bool winding = false) { Polygon(pts.data(), Integer(pts.size()), winding); }
  void Rectangle(Integer x1, Integer y1, Integer x2, Integer y2);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void RoundRect(Integer x1, Integer y1, Integer x2, Integer y2, Integer x3, Integer y3);
  void Ellipse(Integer x1, Integer y1, Integer x2, Integer y2);
  void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
  void Arc(Integer x1, Integer y1, Integer x2, Integer y2, Integer x3, Integer y3, Integer x4, Integer y4);
  void Pie(Integer x1, Integer y1, Integer x2, Integer y2, Integer x3, Integer y3, Integer x4, Integer y4);
  void Chord(Integer x1, Integer y1, Integer x2, Integer y2, Integer x3, Integer y3, Integer x4, Integer y4);
  // Brush only, no pen, no pen mode.
  void FillRect(const TRect& r);
  // A one-pixel border in the brush colour.
  void FrameRect(const TRect& r);
  // A dotted one-pixel frame drawn by inverting, so a second call removes it.
  void DrawFocusRect(const TRect& r);
  // fsSurface fills the area of colour c around (x, y); fsBorder fills up to a border of colour c.
  void FloodFill(Integer x, Integer y, TColor c, TFillStyle style);

  // --- text
  void TextOut(Integer x, Integer y, const String& text);  // moves PenPos to the end of the text
  // Fills Rect with the brush (unless clear) and draws the text at (x, y) clipped to Rect.
  void TextRect(const TRect& rect, Integer x, Integer y, const String& text);
  Integer TextWidth(const String& text);   // advance width of the unrotated text
  Integer TextHeight(const String& text);  // cell height: ascent + descent of the font
  TSize TextExtent(const String& text);
  // The engine's face for the current font, for measuring many texts in a row (fonts::TextWidth).
  const fonts::SizedFont* SizedFont();
  // Lays text out in Rect by DT_* flags (alignment, single line or word break, '&' prefixes unless
  // DT_NOPREFIX, end ellipsis); with DT_CALCRECT only measures and sets Rect's right and bottom.
  // Returns the height of the text drawn.
  Integer DrawText(const String& text, TRect& rect, Cardinal flags);

  // --- copies
  // Copies Source's SourceRect into Dest with CopyMode, stretched by StretchBltMode when sizes differ.
  void CopyRect(const TRect& Dest, TCanvas* Source, const TRect& SourceRect);
  void Draw(Integer x, Integer y, TGraphic* g);       // natural size, CopyMode
  void StretchDraw(const TRect& r, TGraphic* g);      // into r, CopyMode and StretchBltMode
  // The platform's StretchBlt on canvases: negative sizes mirror; Rop any ternary raster operation.
  bool StretchBlt(Integer dx, Integer dy, Integer dw, Integer dh, TCanvas* src, Integer sx, Integer sy,
                  Integer sw, Integer sh, Cardinal rop);
  bool BitBlt(Integer dx, Integer dy, Integer w, Integer h, TCanvas* src, Integer sx, Integer sy, Cardinal rop);

  // Fired after every drawing call (controls use it to mark their surface changed).
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent e) { FOnChange = std::move(e); }

 private:
  void Changed() { if (FOnChange) FOnChange(this); }
  TRect DeviceClip() const;  // effective clip in target coordinates
  raster::Surface Surface() const;
  raster::Ink PenInk() const;
  raster::Ink BrushInk(bool withPenMode) const;
  raster::LinePen LinePen() const;
  void Shape(const raster::RoundBox& rb);
  void ArcShape(Integer x1, Integer y1, Integer x2, Integer y2, Integer x3, Integer y3, Integer x4, Integer y4,
                raster::ArcPart part);

  TBitmap* FTarget = nullptr;
  TPoint FOrigin;
  TRect FViewClip;
  bool FHasViewClip = false;
  TRect FUserClip;  // canvas coordinates
  bool FHasUserClip = false;
  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
  std::unique_ptr<TFont> FFont;
  TPoint FPenPos;
  TCopyMode FCopyMode = cmSrcCopy;
  Integer FStretchMode = COLORONCOLOR;
  raster::DashState FDash;
  fonts::FontKey FFontKey;
  const fonts::SizedFont* FSizedFont = nullptr;
  TNotifyEvent FOnChange;
};

// [handles] ------------------------------------------------------------------------------------------------
// The platform's calls on a canvas handle (TCanvas::Handle()).
Integer SetStretchBltMode(HDC dc, Integer mode);
Integer GetStretchBltMode(HDC dc);
bool StretchBlt(HDC dest, Integer dx, Integer dy, Integer dw, Integer dh, HDC src, Integer sx, Integer sy,
                Integer sw, Integer sh, Cardinal rop);
bool BitBlt(HDC dest, Integer dx, Integer dy, Integer w, Integer h, HDC src, Integer sx, Integer sy, Cardinal rop);

}  // namespace jox
