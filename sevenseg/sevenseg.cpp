// TSevenSeg: segment images, glyph composition, the glyph cache, setters, painting and copying.
// Sections: [layout] [life] [glyphs] [setters] [paint] [copy] [table]
#include "sevenseg/sevenseg.h"

#include <algorithm>

#include "package/colorscheme.h"
#include "package/paintbuffer.h"
#include "package/setters.h"
#include "package/units.h"
#include "package/core/drawing.h"

namespace jox {

namespace {

// [layout] -------------------------------------------------------------------------------------------------
// Elements of a glyph on the composition image, numbered as the segment table below counts them.
enum TElement : uint8_t { elTop = 1, elUpLeft, elUpRight, elMiddle, elLowLeft, elLowRight, elBottom, elPoint,
                          elPlus, elColon, elDegree };
constexpr TPoint ElementPos[] = {{0, 0},     {94, 0},    {37, 23},  {244, 23},  {57, 197}, {0, 220},
                                 {207, 220}, {20, 394},  {269, 394}, {57, 120}, {122, 121}, {150, 0}};

constexpr uint8_t Seg(std::initializer_list<int> elements) {
  uint8_t m = 0;
  for (int e : elements) m |= uint8_t(1u << (e - 1));
  return m;
}
// Lit segments 1..7 of "0".."9", "-", then "A".."F".
constexpr uint8_t DigitSegments[] = {
    Seg({1, 2, 3, 5, 6, 7}), Seg({3, 6}),          Seg({1, 3, 4, 5, 7}),    Seg({1, 3, 4, 6, 7}),
    Seg({2, 3, 4, 6}),       Seg({1, 2, 4, 6, 7}), Seg({1, 2, 4, 5, 6, 7}), Seg({1, 3, 6}),
    Seg({1, 2, 3, 4, 5, 6, 7}), Seg({1, 2, 3, 4, 6, 7}), Seg({4})};
constexpr uint8_t LetterSegments[] = {Seg({1, 2, 3, 4, 5, 6}), Seg({2, 4, 5, 6, 7}), Seg({1, 2, 5, 7}),
                                      Seg({3, 4, 5, 6, 7}),    Seg({1, 2, 4, 5, 7}), Seg({1, 2, 4, 5})};

// Segments of a character; -1 for characters that are no seven-segment shape.
int SegmentsOf(char16_t Ch) {
  if (Ch >= u'0' && Ch <= u'9') return DigitSegments[Ch - u'0'];
  if (Ch == u'-') return DigitSegments[10];
  if (Ch >= u'A' && Ch <= u'F') return LetterSegments[Ch - u'A'];
  if (Ch >= u'a' && Ch <= u'f') return LetterSegments[Ch - u'a'];
  return -1;
}

bool IsPoint(char16_t Ch) { return Ch == u'.' || Ch == u','; }

// Index of a glyph in the cache; -1 when it has none.
Integer CacheIndex(char16_t Ch) {
  if (Ch >= u'a' && Ch <= u'z') Ch = char16_t(Ch - 32);
  for (Integer k = 0; k < SevenSegCharCount; ++k)
    if (SevenSegCharList[k] == Ch) return k;
  return -1;
}

std::unique_ptr<TBitmap> LoadSegment(const char16_t* Name) {
  auto b = std::make_unique<TBitmap>();
  b->LoadFromResourceName(HInstance, Name);
  b->SetPixelFormat(pf32bit);
  return b;
}

// Every pixel of colour From becomes To.
void ReplaceColor(TBitmap* B, uint32_t From, uint32_t To) {
  if (From == To) return;
  for (Integer y = 0; y < B->Height(); ++y) {
    uint32_t* row = B->ScanLine(y);
    for (Integer x = 0; x < B->Width(); ++x)
      if ((row[x] & 0xFFFFFF) == From) row[x] = To;
  }
}

constexpr uint32_t WhitePixel = 0xFFFFFF;

}  // namespace

// [life] ---------------------------------------------------------------------------------------------------
TSevenSeg::TSevenSeg(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetControlStyle(ControlStyle() | csOpaque);  // Paint covers every pixel
  SegHorz = LoadSegment(u"SEGHORZ");
  SegVert = LoadSegment(u"SEGVERT");
  SegDot = LoadSegment(u"SEGDOT");
  SegPlus = LoadSegment(u"SEGPLUS");
  SegColon = LoadSegment(u"SEGCOLON");
  SegDeg = LoadSegment(u"SEGDEG");
  DigImg = std::make_unique<TBitmap>(DigWidth, DigHeight);
  DigImg->SetPixelFormat(pf32bit);
  ImgCache = std::make_unique<TBitmap>();
  ImgCache->SetPixelFormat(pf32bit);
  TControl::SetBounds(Left(), Top(), DefWidth, DefHeight);
  FLastWidth = Width();
  FLastHeight = Height();
  CreateImageCache();
}

TSevenSeg::~TSevenSeg() = default;

void TSevenSeg::Rebuild() {
  const TComponentState st = ComponentState();
  if (st.Contains(csLoading) || st.Contains(csDestroying)) {
    FLastWidth = -1;  // the next Paint builds the cache for the settings read by then
    return;
  }
  CreateImageCache();
  Paint();
}

void TSevenSeg::Resize() {
  ProcessResize(this);
  TGraphicControl::Resize();
}

void TSevenSeg::ProcessResize(TObject*) {
  if (Width() == FLastWidth && Height() == FLastHeight) return;
  FLastWidth = Width();
  FLastHeight = Height();
  Rebuild();
}

// [glyphs] -------------------------------------------------------------------------------------------------
void TSevenSeg::ColorizeSegments(TColor Color) {
  uint32_t to = ColorToPixel(ColorToRGB(Color));
  if (to == WhitePixel) to = 0xFEFEFE;  // white is the background key of the composition
  // Every pixel of the present shape colour, not only the area around the centre: the colon is two
  // dots and the degree ring is hollow at its centre.
  const uint32_t from = ColorToPixel(ColorToRGB(FSegColor));
  for (TBitmap* b : {SegHorz.get(), SegVert.get(), SegDot.get(), SegPlus.get(), SegColon.get(), SegDeg.get()})
    ReplaceColor(b, from, to);
  FSegColor = PixelToColor(to);
}

void TSevenSeg::CreateDigit(char16_t Ch, bool WithDot) {
  TCanvas* c = DigImg->Canvas();
  c->SetCopyMode(cmSrcCopy);
  c->Pen()->SetColor(clWhite);
  c->Brush()->SetColor(clWhite);
  c->Rectangle(0, 0, DigWidth, DigHeight);
  c->SetCopyMode(cmSrcAnd);  // black-on-white images combine
  c->Brush()->SetColor(FColorBakG);
  const auto put = [&](TElement e, TBitmap* b) { c->Draw(ElementPos[e].X, ElementPos[e].Y, b); };

  if (Ch == u'+') {
    put(elPlus, SegPlus.get());
  } else if (Ch == u':') {
    put(elColon, SegColon.get());
  } else if (Ch == u'\u00B0') {
    put(elDegree, SegDeg.get());
  } else if (const int segs = SegmentsOf(Ch); segs >= 0) {
    for (int e = elTop; e <= elBottom; ++e) {
      if (!(segs & (1 << (e - 1)))) continue;
      const bool horz = e == elTop || e == elMiddle || e == elBottom;
      put(TElement(e), horz ? SegHorz.get() : SegVert.get());
    }
  }
  if (WithDot || IsPoint(Ch)) put(elPoint, SegDot.get());
  c->SetCopyMode(cmSrcCopy);

  // The white around the glyph becomes the background; so does white the shapes enclose (inside the
  // degree ring), which is background too.
  ReplaceColor(DigImg.get(), WhitePixel, ColorToPixel(ColorToRGB(FColorBakG)));
}

Integer TSevenSeg::CellWidth() const { return (Width() - 2 * FMargin) / FNumDigits - FInterDigDist; }

void TSevenSeg::CreateImageCache() {
  ++FCacheBuilds;
  const Integer cc = CellWidth(), ch = CacheHeight();
  if (cc <= 0 || ch <= 0) {  // no room for a digit: nothing to cache, Paint shows the background
    ImgCache->SetSize(0, 0);
    return;
  }
  ImgCache->SetSize(SevenSegCharCount * cc, ch);
  TCanvas* c = ImgCache->Canvas();
  c->Pen()->SetColor(FColorBakG);
  c->Brush()->SetColor(FColorBakG);
  c->Rectangle(0, 0, ImgCache->Width(), ch);
  ColorizeSegments(FColorTxt);
  c->SetStretchBltMode(HALFTONE);
  for (Integer k = 0; k < SevenSegCharCount; ++k) {
    CreateDigit(SevenSegCharList[k], false);
    c->StretchBlt(k * cc, 0, cc, ch, DigImg->Canvas(), 0, 0, DigWidth, DigHeight, SRCCOPY);
  }
}

// [setters] ------------------------------------------------------------------------------------------------
void TSevenSeg::SetText(const String& S) { StoreAndPaint(this, FCaption, S); }

void TSevenSeg::SetColorText(TColor C) {
  if (StoreChanged(FColorTxt, C)) Rebuild();
}

void TSevenSeg::SetColorBakG(TColor C) {
  if (StoreChanged(FColorBakG, C)) Rebuild();
}

void TSevenSeg::SetMargin(Integer N) {
  if (StoreByRule(this, FMargin, N, [this](Integer v) { return MarginRule(v); })) Rebuild();
}

void TSevenSeg::Loaded() {
  TGraphicControl::Loaded();
  ApplyRule(FMargin, [this](Integer v) { return MarginRule(v); });
  Rebuild();
}

void TSevenSeg::SetInterDigDist(Integer N) {
  if (StoreChanged(FInterDigDist, std::clamp(N, 0, MaxInterDigDist))) Rebuild();
}

void TSevenSeg::SetNumDigits(Integer N) {
  if (N >= 1 && N <= MaxNumDigits && StoreChanged(FNumDigits, N)) Rebuild();
}

void TSevenSeg::SetFrameStyle(TFrameStyle S) {
  if (StoreChanged(FFrameStyle, S)) Invalidate();
}

void TSevenSeg::SetColorScheme(TColorScheme S) {
  if (!StoreChanged(FColorScheme, S)) return;
  SchemeLineColors(S, false, StyleElements(), FColGrayLine, FColWhiteLine, &FColBlackLine);
  Invalidate();
}

// [paint] --------------------------------------------------------------------------------------------------
void TSevenSeg::Paint() {
  if (!(Visible() || ComponentState().Contains(csDesigning))) return;
  const Integer w = Width(), h = Height();
  if (w <= 0 || h <= 0) return;
  if (w != FLastWidth || h != FLastHeight) {  // resized while the form was read
    FLastWidth = w;
    FLastHeight = h;
    CreateImageCache();
  }

  TPaintBuffer buf(this);
  TCanvas* c = buf.Canvas();
  c->Pen()->SetColor(FColorBakG);
  c->Brush()->SetColor(FColorBakG);
  c->Rectangle(0, 0, w, h);

  const Integer cc = CellWidth(), ch = CacheHeight();
  if (cc > 0 && ch > 0 && ImgCache->Width() == SevenSegCharCount * cc) {
    TCanvas* cache = ImgCache->Canvas();
    const Integer len = Integer(FCaption.size());
    Integer i = 0;
    for (Integer j = 1; j <= FNumDigits && i < len; ++j) {
      char16_t glyph = FCaption[size_t(i++)];
      bool point = false;
      if (IsPoint(glyph)) {
        glyph = 0;  // a point on a position of its own
        point = true;
      } else if (i < len && IsPoint(FCaption[size_t(i)])) {
        ++i;
        point = true;
      }
      const Integer x = (j - 1) * (cc + FInterDigDist) + FMargin;
      if (const Integer k = glyph ? CacheIndex(glyph) : -1; k >= 0)
        c->CopyRect(Rect(x, FMargin, x + cc, h - FMargin), cache, Rect(k * cc, 0, (k + 1) * cc, ch));
      if (point) {
        const Integer px = cc * 5 / 6, py = ch * 5 / 6;
        c->CopyRect(Rect(x + px, py + FMargin, x + cc, h - FMargin), cache,
                    Rect(px + 20 * cc, py, 21 * cc, ch));
      }
    }
  }

  DrawFrame(c, FFrameStyle, 0, 0, w - 1, h - 1, clWhite, clSilver, clGray, clBlack, clBlack);
  buf.Flush();
}

// [copy] ---------------------------------------------------------------------------------------------------
void TSevenSeg::AssignTo(TPersistent* Dest) {
  if (dynamic_cast<TSevenSeg*>(Dest))
    Dest->Assign(this);
  else
    TGraphicControl::AssignTo(Dest);
}

void TSevenSeg::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TSevenSeg*>(Source);
  if (!S) {
    TGraphicControl::Assign(Source);
    return;
  }
  if (S == this) return;
  FColorBakG = S->FColorBakG;
  FColorTxt = S->FColorTxt;
  FNumDigits = S->FNumDigits;
  FCaption = S->FCaption;
  FFrameStyle = S->FFrameStyle;
  FColBlackLine = S->FColBlackLine;
  FColGrayLine = S->FColGrayLine;
  FColWhiteLine = S->FColWhiteLine;
  FColorScheme = S->FColorScheme;
  FMargin = S->FMargin;
  FInterDigDist = S->FInterDigDist;
  SegHorz->Assign(S->SegHorz.get());
  SegVert->Assign(S->SegVert.get());
  SegDot->Assign(S->SegDot.get());
  SegPlus->Assign(S->SegPlus.get());
  SegColon->Assign(S->SegColon.get());
  SegDeg->Assign(S->SegDeg.get());
  FSegColor = S->FSegColor;
  ImgCache->Assign(S->ImgCache.get());
  // The cache fits the source's size; a label of another size builds its own at the next Paint.
  FLastWidth = S->FLastWidth;
  FLastHeight = S->FLastHeight;
  Invalidate();
}

// [table] --------------------------------------------------------------------------------------------------
const TClassInfo& TSevenSeg::ClassInfo() {
  using S = TSevenSeg;
  static const TClassInfo info =
      TClassBuilder<TSevenSeg>(&TGraphicControl::ClassInfo())
          .Prop("Caption", [](const S& s) { return s.Text(); }, [](S& s, String v) { s.SetText(v); })
          .Prop("ColorBackGnd", &S::ColorBackGnd, &S::SetColorBakG)
          .Prop("ColorText", &S::ColorText, &S::SetColorText)
          .Prop("ColorScheme", &S::ColorScheme, &S::SetColorScheme)
          .Prop("FrameStyle", &S::FrameStyle, &S::SetFrameStyle)
          .Prop("InterDigDist", &S::InterDigDist, &S::SetInterDigDist)
          .Prop("Margin", &S::Margin, &S::SetMargin)
          .Prop("NumDigits", &S::NumDigits, &S::SetNumDigits)
          .Publish(ControlProperties(), pgBounds)
          .Publish(ControlProperties(), {"Align", "Anchors", "ParentShowHint", "PopupMenu", "ShowHint",
                                         "StyleElements", "Visible", "OnClick", "OnDblClick", "OnMouseDown",
                                         "OnMouseMove", "OnMouseUp", "OnResize"});
  return info;
}

// Registered for form text by the unit's start-up.
static const TUnitClasses SevenSegClasses(juSevenSeg, {&TSevenSeg::ClassInfo});

}  // namespace jox
