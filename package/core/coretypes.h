// Enumerations, constants, array types and event types of the base package. The components store
// the enumerations in single bytes and form files keep their ordinals, so the orders below are fixed.
#pragma once

#include <cfloat>
#include <functional>
#include <vector>

#include "package/framework/base/types.h"

namespace jox {

class TObject;

// Frame kinds handed to DrawFrame. Components that draw their own frames give the same ordinals
// the same looks: 2 sunken, 3 raised, 4 a white-over-gray ridge, 5 a gray-over-white groove.
enum TFrameStyle : uint8_t { fsNone, fsSimple, fsLowered, fsRaised, fsEmbossed, fsEngraved };

// Ordinal 0 uses fixed classic colours for frame lines, every other ordinal the system colours.
enum TColorScheme : uint8_t { csClassic, csSystem };

// Decimal separator choice of the numeric fields.
enum TDecPSep : uint8_t { dpsSystem, dpsPoint, dpsComma, dpsBoth };

// Calendar language; the name tables have texts for lgEnglish .. lgSpanish (ordinals 1 to 4) and
// answer lgNeutral with the English names.
enum TLanguage : uint8_t { lgNeutral, lgEnglish, lgGerman, lgFrench, lgSpanish };

// Cursor movement after Enter in the table editor: 0 downwards, 1 to the right.
enum TOrientation : uint8_t { orVertical, orHorizontal };

// Placement of a background image: natural size, stretched to the control, tiled.
enum TBkgFill : uint8_t { bfSimple, bfStretch, bfTile };

// Direction of growth of a bar: 0 upwards, 3 to the right.
enum TDirection : uint8_t { dirUp, dirDown, dirLeft, dirRight };

// Field delimiter of comma-separated files.
enum TCSVDelimiters : uint8_t { csvComma, csvSemicolon, csvTab, csvSpace, csvPipe };
// The character a delimiter choice stands for.
char16_t CSVDelimiterChar(TCSVDelimiters d);

// How a caller's own filter decision combines with a built-in test: loNone keeps the caller's
// decision alone; the others combine caller (left) and built-in test (right).
enum TLogicOp : uint8_t { loNone, loAnd, loOr, loXor, loAndNot, loOrNot };
// Combines two decisions by a TLogicOp.
bool CombineLogic(TLogicOp op, bool own, bool builtIn);

constexpr double uc_MaxDouble = DBL_MAX;   // largest finite double
constexpr double uc_MaxReal = 1.7e308;     // largest real value written with two digits
constexpr double uc_ln10 = 2.302585092994045684;  // natural logarithm of 10

using TIntArray = std::vector<Integer>;
using TDoubleArray = std::vector<double>;
using TOpenStringArray = std::vector<String>;

// Progress of a long operation in percent (0 .. 100).
using TOnPercentDoneEvent = std::function<void(TObject* Sender, Integer Percent)>;
// A text about to be written by an export; the handler may change it.
using TExportTextEvent = std::function<void(TObject* Sender, Integer Col, Integer Row, String& Text)>;
// Called before a sort exchanges two rows: the texts of the sort key of both rows; the handler may
// change the second one.
using TBeforeSortExchgEvent = std::function<void(TObject* Sender, const String& FirstText, String& SecondText)>;

}  // namespace jox
