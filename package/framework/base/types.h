// Scalars, text, colours, geometry, shift states, virtual keys and message numbers shared by the
// whole library. Sections: [scalars] [colours] [geometry] [input] [messages]
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace jox {

// [scalars] ------------------------------------------------------------------
using Integer = int32_t;
using Cardinal = uint32_t;
using Word = uint16_t;
using Byte = uint8_t;
using Int64 = int64_t;
using Extended = long double;
using TDateTime = double;  // days since 1899-12-30, time of day as the fraction
using String = std::u16string;  // UTF-16; positions the API calls 1-based count its code units
using HWND = uintptr_t;  // 0 means no window
using HDC = uintptr_t;

// [colours] --------------------------------------------------------------------
// 0x00BBGGRR for a direct colour, 0xFF0000nn for system colour number nn (see ColorToRGB).
using TColor = uint32_t;

constexpr TColor RGB(Byte r, Byte g, Byte b) { return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16); }
constexpr Byte GetRValue(TColor c) { return Byte(c & 0xFF); }
constexpr Byte GetGValue(TColor c) { return Byte((c >> 8) & 0xFF); }
constexpr Byte GetBValue(TColor c) { return Byte((c >> 16) & 0xFF); }

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF,
                 clLtGray = 0xC0C0C0, clDkGray = 0x808080, clMoneyGreen = 0xC0DCC0,
                 clSkyBlue = 0xF0CAA6, clCream = 0xF0FBFF, clMedGray = 0xA4A0A0;
constexpr TColor clNone = 0x1FFFFFFF, clDefault = 0x20000000;

constexpr TColor clSystemColor = 0xFF000000;
constexpr TColor clScrollBar = 0xFF000000, clBackground = 0xFF000001, clActiveCaption = 0xFF000002,
                 clInactiveCaption = 0xFF000003, clMenu = 0xFF000004, clWindow = 0xFF000005,
                 clWindowFrame = 0xFF000006, clMenuText = 0xFF000007, clWindowText = 0xFF000008,
                 clCaptionText = 0xFF000009, clActiveBorder = 0xFF00000A, clInactiveBorder = 0xFF00000B,
                 clAppWorkSpace = 0xFF00000C, clHighlight = 0xFF00000D, clHighlightText = 0xFF00000E,
                 clBtnFace = 0xFF00000F, clBtnShadow = 0xFF000010, clGrayText = 0xFF000011,
                 clBtnText = 0xFF000012, clInactiveCaptionText = 0xFF000013, clBtnHighlight = 0xFF000014,
                 cl3DDkShadow = 0xFF000015, cl3DLight = 0xFF000016, clInfoText = 0xFF000017,
                 clInfoBk = 0xFF000018, clHotLight = 0xFF00001A, clGradientActiveCaption = 0xFF00001B,
                 clGradientInactiveCaption = 0xFF00001C, clMenuHighlight = 0xFF00001D, clMenuBar = 0xFF00001E;

// [geometry] -------------------------------------------------------------------
struct TPoint {
  Integer X = 0, Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

// Right and Bottom are exclusive: the rectangle covers [Left, Right) x [Top, Bottom).
struct TRect {
  Integer Left = 0, Top = 0, Right = 0, Bottom = 0;
  Integer Width() const { return Right - Left; }
  Integer Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  TPoint TopLeft() const { return {Left, Top}; }
  TPoint BottomRight() const { return {Right, Bottom}; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

struct TSize {
  Integer cx = 0, cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

inline TPoint Point(Integer x, Integer y) { return {x, y}; }
inline TRect Rect(Integer l, Integer t, Integer r, Integer b) { return {l, t, r, b}; }
inline TRect Bounds(Integer l, Integer t, Integer w, Integer h) { return {l, t, l + w, t + h}; }

// [sets] -----------------------------------------------------------------------
// A set of members of the enumeration E in the bits of Bits. An ordinal set puts member e at bit
// 1 << e (TFontStyles, TAnchors); a mask set takes each member's value as its bit (TShiftState).
// `s & fsBold` tests, `fsBold | fsItalic` builds (see JOX_SET_OPERATORS), `TFontStyles()` is empty,
// `+` and `|` unite, `-` removes. Form text stores `bits`.
template <class E, class Bits, bool ByOrdinal>
struct TSet {
  Bits bits = 0;
  static constexpr Bits Mask(E e) {
    if constexpr (ByOrdinal) return Bits(Bits(1) << unsigned(e));
    else return Bits(e);
  }
  constexpr TSet() = default;
  constexpr TSet(E e) : bits(Mask(e)) {}
  constexpr explicit TSet(Bits b) : bits(b) {}
  constexpr bool Contains(E e) const { return (bits & Mask(e)) != 0; }
  constexpr bool operator&(E e) const { return Contains(e); }
  constexpr TSet operator|(TSet o) const { return TSet(Bits(bits | o.bits)); }
  constexpr TSet operator+(TSet o) const { return TSet(Bits(bits | o.bits)); }
  constexpr TSet operator-(TSet o) const { return TSet(Bits(bits & ~o.bits)); }
  constexpr TSet& operator|=(TSet o) { bits = Bits(bits | o.bits); return *this; }
  constexpr TSet& operator+=(TSet o) { bits = Bits(bits | o.bits); return *this; }
  constexpr TSet& operator-=(TSet o) { bits = Bits(bits & ~o.bits); return *this; }
  constexpr bool Empty() const { return bits == 0; }
  friend constexpr bool operator==(TSet, TSet) = default;
};
// Lets two members of Enum make a Set: `fsBold | fsItalic`.
#define JOX_SET_OPERATORS(Set, Enum) \
  constexpr Set operator|(Enum a, Enum b) { return Set(a) | Set(b); }

// [input] ----------------------------------------------------------------------
enum TShiftStateFlag : Word {
  ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64
};
// A set of TShiftStateFlag bits: `Shift & ssCtrl` tests, `ssShift | ssLeft` builds.
using TShiftState = TSet<TShiftStateFlag, Word, false>;
JOX_SET_OPERATORS(TShiftState, TShiftStateFlag)

enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };
enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };

// Virtual-key codes as the platform numbers them.
constexpr Word VK_LBUTTON = 1, VK_RBUTTON = 2, VK_MBUTTON = 4, VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13,
               VK_SHIFT = 16, VK_CONTROL = 17, VK_MENU = 18, VK_ESCAPE = 27, VK_SPACE = 32, VK_PRIOR = 33,
               VK_NEXT = 34, VK_END = 35, VK_HOME = 36, VK_LEFT = 37, VK_UP = 38, VK_RIGHT = 39,
               VK_DOWN = 40, VK_INSERT = 45, VK_DELETE = 46, VK_NUMPAD0 = 96, VK_MULTIPLY = 106,
               VK_ADD = 107, VK_SUBTRACT = 109, VK_DECIMAL = 110, VK_DIVIDE = 111, VK_F1 = 112,
               VK_F2 = 113, VK_F3 = 114, VK_F4 = 115, VK_F10 = 121, VK_APPS = 93, VK_OEM_PLUS = 187, VK_OEM_COMMA = 188, VK_OEM_MINUS = 189, VK_OEM_PERIOD = 190;

// [messages] -------------------------------------------------------------------
struct TMessage {
  Cardinal Msg = 0;
  intptr_t WParam = 0;
  intptr_t LParam = 0;
  intptr_t Result = 0;
};

constexpr Cardinal WM_NULL = 0x0000, WM_CREATE = 0x0001, WM_DESTROY = 0x0002, WM_MOVE = 0x0003,
                   WM_SIZE = 0x0005, WM_SETFOCUS = 0x0007, WM_KILLFOCUS = 0x0008, WM_ENABLE = 0x000A,
                   WM_PAINT = 0x000F, WM_CLOSE = 0x0010, WM_ERASEBKGND = 0x0014, WM_SHOWWINDOW = 0x0018,
                   WM_SETCURSOR = 0x0020, WM_NCPAINT = 0x0085, WM_GETDLGCODE = 0x0087, WM_KEYDOWN = 0x0100, WM_KEYUP = 0x0101,
                   WM_CHAR = 0x0102, WM_SYSKEYDOWN = 0x0104, WM_SYSKEYUP = 0x0105, WM_TIMER = 0x0113,
                   WM_HSCROLL = 0x0114, WM_VSCROLL = 0x0115, WM_MOUSEMOVE = 0x0200,
                   WM_LBUTTONDOWN = 0x0201, WM_LBUTTONUP = 0x0202, WM_LBUTTONDBLCLK = 0x0203,
                   WM_RBUTTONDOWN = 0x0204, WM_RBUTTONUP = 0x0205, WM_RBUTTONDBLCLK = 0x0206,
                   WM_MBUTTONDOWN = 0x0207, WM_MBUTTONUP = 0x0208, WM_MBUTTONDBLCLK = 0x0209,
                   WM_MOUSEWHEEL = 0x020A, WM_MOUSEHWHEEL = 0x020E, WM_CUT = 0x0300, WM_COPY = 0x0301, WM_PASTE = 0x0302,
                   WM_CLEAR = 0x0303, WM_UNDO = 0x0304, WM_USER = 0x0400;
// The text boxes' messages (redo as rich text boxes number it).
constexpr Cardinal EM_GETSEL = 0x00B0, EM_SETSEL = 0x00B1, EM_GETMODIFY = 0x00B8, EM_SETMODIFY = 0x00B9,
                   EM_REPLACESEL = 0x00C2, EM_LIMITTEXT = 0x00C5, EM_CANUNDO = 0x00C6, EM_UNDO = 0x00C7,
                   EM_EMPTYUNDOBUFFER = 0x00CD, EM_SETREADONLY = 0x00CF, EM_GETLIMITTEXT = 0x00D5,
                   EM_REDO = WM_USER + 84, EM_CANREDO = WM_USER + 85;
constexpr Cardinal WM_NEXTDLGCTL = 0x0028, WM_CONTEXTMENU = 0x007B, WM_SETTEXT = 0x000C, WM_GETTEXT = 0x000D, WM_CANCELMODE = 0x001F;
constexpr Cardinal CM_BASE = 0xB000;
constexpr Cardinal CM_ACTIVATE = CM_BASE + 0, CM_DEACTIVATE = CM_BASE + 1, CM_GOTFOCUS = CM_BASE + 2,
                   CM_LOSTFOCUS = CM_BASE + 3, CM_CANCELMODE = CM_BASE + 4, CM_DIALOGKEY = CM_BASE + 5,
                   CM_DIALOGCHAR = CM_BASE + 6, CM_FOCUSCHANGED = CM_BASE + 7,
                   CM_PARENTFONTCHANGED = CM_BASE + 8, CM_PARENTCOLORCHANGED = CM_BASE + 9,
                   CM_HITTEST = CM_BASE + 10, CM_VISIBLECHANGED = CM_BASE + 11,
                   CM_ENABLEDCHANGED = CM_BASE + 12, CM_COLORCHANGED = CM_BASE + 13,
                   CM_FONTCHANGED = CM_BASE + 14, CM_CURSORCHANGED = CM_BASE + 15,
                   CM_TEXTCHANGED = CM_BASE + 18, CM_MOUSEENTER = CM_BASE + 19, CM_MOUSELEAVE = CM_BASE + 20,
                   CM_BUTTONPRESSED = CM_BASE + 24 /* 45080 */, CM_SHOWHINTCHANGED = CM_BASE + 26,
                   CM_ENTER = CM_BASE + 27, CM_EXIT = CM_BASE + 28, CM_BORDERCHANGED = CM_BASE + 54,
                   CM_MOUSEWHEEL = CM_BASE + 67,
                   // ours: an input method's text being composed (LParam: const String*; empty ends it)
                   CM_COMPOSITION = CM_BASE + 80;
constexpr Cardinal CN_BASE = 0xBC00;
constexpr Cardinal CN_KEYDOWN = CN_BASE + WM_KEYDOWN, CN_KEYUP = CN_BASE + WM_KEYUP, CN_CHAR = CN_BASE + WM_CHAR;

}  // namespace jox
