// Exceptions, text helpers, number and date text, files.
// Sections: [exceptions] [text] [numbers] [format] [dates] [files]
#pragma once

#include <array>
#include <exception>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include "package/framework/base/types.h"

namespace jox {

// [exceptions] -----------------------------------------------------------------
// Base of every error class of the library; Message() is the text, what() the same in UTF-8.
class Exception : public std::exception {
 public:
  explicit Exception(String msg);
  explicit Exception(const char* utf8);
  const String& Message() const { return FMessage; }
  void SetMessage(String msg);
  const char* what() const noexcept override { return FUtf8.c_str(); }

 private:
  String FMessage;
  std::string FUtf8;
};

#define JOX_DECLARE_EXCEPTION(Name, Base) \
  class Name : public Base {              \
   public:                                \
    using Base::Base;                     \
  }

JOX_DECLARE_EXCEPTION(EConvertError, Exception);
JOX_DECLARE_EXCEPTION(EInOutError, Exception);
JOX_DECLARE_EXCEPTION(EResNotFound, Exception);
JOX_DECLARE_EXCEPTION(EOutOfMemory, Exception);
JOX_DECLARE_EXCEPTION(EOutOfResources, Exception);
JOX_DECLARE_EXCEPTION(EInvalidOperation, Exception);
JOX_DECLARE_EXCEPTION(EInvalidGraphic, Exception);
JOX_DECLARE_EXCEPTION(EListError, Exception);
JOX_DECLARE_EXCEPTION(EStreamError, Exception);
JOX_DECLARE_EXCEPTION(EReadError, EStreamError);
JOX_DECLARE_EXCEPTION(EWriteError, EStreamError);
JOX_DECLARE_EXCEPTION(EFOpenError, EStreamError);
JOX_DECLARE_EXCEPTION(EFCreateError, EStreamError);
JOX_DECLARE_EXCEPTION(EMathError, Exception);
JOX_DECLARE_EXCEPTION(EIntOverflow, Exception);
JOX_DECLARE_EXCEPTION(ERangeError, Exception);
JOX_DECLARE_EXCEPTION(EClassNotFound, Exception);
JOX_DECLARE_EXCEPTION(EPropertyError, Exception);

// [text] -------------------------------------------------------------------------
std::string ToUtf8(std::u16string_view s);
String FromUtf8(std::string_view s);  // invalid bytes become U+FFFD
String operator""_s(const char* s, size_t n);  // ASCII/UTF-8 literal to String

String IntToStr(Int64 v);
String UpperCase(const String& s);  // ASCII letters only
String LowerCase(const String& s);
String Trim(const String& s);
String TrimLeft(const String& s);
String TrimRight(const String& s);
bool SameText(const String& a, const String& b);  // ASCII case-insensitive
Integer CompareText(const String& a, const String& b);
Integer CompareStr(const String& a, const String& b);
// 1-based position of Sub in S, 0 when absent.
Integer Pos(const String& sub, const String& s);
// 1-based Index, Count characters, clamped to the text like the platform's Copy.
String Copy(const String& s, Integer index, Integer count);
String StringOfChar(char16_t c, Integer n);
String StringReplaceAll(const String& s, const String& from, const String& to);

// [numbers] ----------------------------------------------------------------------
// A * B / C rounded to the nearest, halves away from zero, with a 64-bit product; -1 when C is 0.
Integer MulDiv(Integer A, Integer B, Integer C);
// Locale-dependent texts; the global FormatSettings is what the functions without a settings argument use.
struct TFormatSettings {
  char16_t DecimalSeparator = u'.';
  char16_t ThousandSeparator = u',';
  char16_t DateSeparator = u'/';
  char16_t TimeSeparator = u':';
  String CurrencyString = u"$";
  Byte CurrencyFormat = 0;     // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
  Byte NegCurrFormat = 0;      // 0 "($1)", 1 "-$1", 2 "$-1", 3 "$1-", 5 "-1$", 8 "-1 $", 9 "-$ 1"
  Byte CurrencyDecimals = 2;
  String ShortDateFormat = u"m/d/yyyy";
  String LongDateFormat = u"dddd, mmmm d, yyyy";
  String ShortTimeFormat = u"h:nn";
  String LongTimeFormat = u"h:nn:ss";
  String TimeAMString = u"AM";
  String TimePMString = u"PM";
  std::array<String, 12> ShortMonthNames{u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                                         u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
  std::array<String, 12> LongMonthNames{u"January", u"February", u"March", u"April", u"May", u"June",
                                        u"July", u"August", u"September", u"October", u"November", u"December"};
  std::array<String, 7> ShortDayNames{u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
  std::array<String, 7> LongDayNames{u"Sunday", u"Monday", u"Tuesday", u"Wednesday",
                                     u"Thursday", u"Friday", u"Saturday"};
  // Two-digit years fall within this many years before now (and the rest of the century after); 0 keeps
  // them in the current century.
  Word TwoDigitYearCenturyWindow = 50;
};
extern TFormatSettings FormatSettings;

enum TFloatFormat : uint8_t { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// Text to number. The failures raise EConvertError "'abc' is not a valid integer value" and
// "'x' is not a valid floating point value". Integers may carry a sign and be decimal or hexadecimal
// ("$1F", "0x1F"); floats use the settings' DecimalSeparator and an optional exponent. Leading and
// trailing blanks are allowed in floats, leading ones in integers.
Integer StrToInt(const String& S);
Int64 StrToInt64(const String& S);
Integer StrToIntDef(const String& S, Integer Default);
Int64 StrToInt64Def(const String& S, Int64 Default);
bool TryStrToInt(const String& S, Integer& Value);
bool TryStrToInt64(const String& S, Int64& Value);
Extended StrToFloat(const String& S);
Extended StrToFloat(const String& S, const TFormatSettings& Settings);
Extended StrToFloatDef(const String& S, Extended Default);
bool TryStrToFloat(const String& S, Extended& Value);
bool TryStrToFloat(const String& S, double& Value);
bool TryStrToFloat(const String& S, Extended& Value, const TFormatSettings& Settings);
// "True"/"False" (any case) or a number, non-zero true; EConvertError "'x' is not a valid boolean value".
bool StrToBool(const String& S);
bool TryStrToBool(const String& S, bool& Value);
String BoolToStr(bool B, bool UseBoolStrs = false);  // "-1"/"0", or "True"/"False"

String IntToHex(Int64 Value, Integer Digits);  // upper case, at least Digits digits
String UIntToStr(uint64_t Value);

// Number to text. Precision is the count of significant digits (1..18), Digits the decimals for
// ffFixed/ffNumber/ffCurrency and the minimum exponent digits (0..4) for ffGeneral/ffExponent.
// Decimal halves round away from zero; NaN and infinities give "NAN", "INF", "-INF".
String FloatToStrF(Extended Value, TFloatFormat Format, Integer Precision, Integer Digits);
String FloatToStrF(Extended Value, TFloatFormat Format, Integer Precision, Integer Digits,
                   const TFormatSettings& Settings);
String FloatToStr(Extended Value);  // ffGeneral, 15 digits
String FloatToStr(Extended Value, const TFormatSettings& Settings);
// Picture formats with sections "pos;neg;zero" and '0', '#', '.', ',', "E+"/"E-"/"e+"/"e-", quoted text.
String FormatFloat(const String& Format, Extended Value);
String FormatFloat(const String& Format, Extended Value, const TFormatSettings& Settings);

// [format] -----------------------------------------------------------------------
// One argument of Format: integers, floats, texts, characters and pointers.
struct TVarRec {
  enum TKind : uint8_t { vtInteger, vtUnsigned, vtExtended, vtString, vtPointer } Kind;
  Int64 I = 0;
  Extended E = 0;
  String S;
  const void* P = nullptr;

  TVarRec(bool v) : Kind(vtInteger), I(v) {}
  TVarRec(char16_t v) : Kind(vtString), S(1, v) {}
  TVarRec(char v) : Kind(vtString), S(1, char16_t(static_cast<unsigned char>(v))) {}
  template <class T, std::enable_if_t<std::is_integral_v<T> && std::is_signed_v<T>, int> = 0>
  TVarRec(T v) : Kind(vtInteger), I(v) {}
  template <class T, std::enable_if_t<std::is_integral_v<T> && std::is_unsigned_v<T> &&
                                          !std::is_same_v<T, bool> && !std::is_same_v<T, char16_t>, int> = 0>
  TVarRec(T v) : Kind(vtUnsigned), I(Int64(v)) {}
  template <class T, std::enable_if_t<std::is_enum_v<T>, int> = 0>
  TVarRec(T v) : Kind(vtInteger), I(Int64(v)) {}
  TVarRec(float v) : Kind(vtExtended), E(v) {}
  TVarRec(double v) : Kind(vtExtended), E(v) {}
  TVarRec(long double v) : Kind(vtExtended), E(v) {}
  TVarRec(const String& v) : Kind(vtString), S(v) {}
  TVarRec(const char16_t* v) : Kind(vtString), S(v ? v : u"") {}
  TVarRec(std::u16string_view v) : Kind(vtString), S(v) {}
  TVarRec(const std::string& v) : Kind(vtString), S(FromUtf8(v)) {}
  TVarRec(const char* v) : Kind(vtString), S(FromUtf8(v ? v : "")) {}
  TVarRec(const void* v) : Kind(vtPointer), P(v) {}
  TVarRec(std::nullptr_t) : Kind(vtPointer), P(nullptr) {}
};

// The platform's Format: "%" [index ":"] ["-"] [width] ["." prec] type, with types d u e f g n m p s x
// and "*" for width or precision taken from the arguments, "%%" for a percent sign. A specifier that does
// not fit its argument raises EConvertError "Format 'fmt' invalid or incompatible with argument".
String Format(const String& Fmt, std::initializer_list<TVarRec> Args);
String Format(const String& Fmt, std::initializer_list<TVarRec> Args, const TFormatSettings& Settings);
// Format(u"%d %s", n, name): the same with the arguments listed directly.
template <class... A>
String Format(const String& Fmt, const A&... args) { return Format(Fmt, {TVarRec(args)...}); }

// [dates] ------------------------------------------------------------------------
// TDateTime counts days since 1899-12-30; the fraction is the time of day (also for negative dates).
constexpr Word MinsPerHour = 60, HoursPerDay = 24;
constexpr Cardinal SecsPerDay = 86400, MSecsPerDay = 86400000;
constexpr Integer DateDelta = 693594;  // days between 0001-01-01 and 1899-12-31
constexpr Word DayMonday = 1, DaySunday = 7;

TDateTime Now();
TDateTime Date();
TDateTime Time();
bool IsLeapYear(Word Year);
Word DaysInAMonth(Word Year, Word Month);
Word DaysInAYear(Word Year);
// EConvertError "Invalid argument to date encode" / "... time encode" for impossible parts.
TDateTime EncodeDate(Word Year, Word Month, Word Day);
bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Date);
TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec);
bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Time);
TDateTime EncodeDateTime(Word Year, Word Month, Word Day, Word Hour, Word Min, Word Sec, Word MSec);
void DecodeDate(TDateTime Date, Word& Year, Word& Month, Word& Day);
void DecodeTime(TDateTime Time, Word& Hour, Word& Min, Word& Sec, Word& MSec);
void DecodeDateTime(TDateTime DT, Word& Year, Word& Month, Word& Day, Word& Hour, Word& Min, Word& Sec,
                    Word& MSec);
Word YearOf(TDateTime D);
Word MonthOf(TDateTime D);
Word DayOf(TDateTime D);
Word DayOfWeek(TDateTime D);      // Sunday = 1 ... Saturday = 7
Word DayOfTheWeek(TDateTime D);   // ISO: Monday = 1 ... Sunday = 7
Word DayOfTheYear(TDateTime D);   // 1 on January 1st
// ISO 8601 week: weeks start on Monday, week 1 holds the year's first Thursday; AYear is the week's year.
Word WeekOfTheYear(TDateTime D);
Word WeekOfTheYear(TDateTime D, Word& AYear);
Word WeeksInAYear(Word Year);
TDateTime IncMonth(TDateTime D, Integer NumberOfMonths = 1);
TDateTime IncDay(TDateTime D, Integer NumberOfDays = 1);
// Expands a year below 100 by the settings' TwoDigitYearCenturyWindow.
Word ExpandTwoDigitYear(Word Year, const TFormatSettings& Settings = FormatSettings);

// Patterns: c d dd ddd dddd ddddd dddddd m mm mmm mmmm yy yyyy h hh n nn s ss z zzz t tt am/pm a/p ampm
// / : and quoted text; "m" right after an hour is minutes.
String FormatDateTime(const String& Format, TDateTime DateTime);
String FormatDateTime(const String& Format, TDateTime DateTime, const TFormatSettings& Settings);
String DateToStr(TDateTime D);
String TimeToStr(TDateTime T);
String DateTimeToStr(TDateTime DT);
// Reads a date in the order of ShortDateFormat (parts separated by DateSeparator); EConvertError
// "'x' is not a valid date" / "'x' is not a valid time" / "'x' is not a valid date and time".
TDateTime StrToDate(const String& S);
TDateTime StrToDate(const String& S, const TFormatSettings& Settings);
bool TryStrToDate(const String& S, TDateTime& Value, const TFormatSettings& Settings = FormatSettings);
TDateTime StrToTime(const String& S);
bool TryStrToTime(const String& S, TDateTime& Value, const TFormatSettings& Settings = FormatSettings);
TDateTime StrToDateTime(const String& S);
bool TryStrToDateTime(const String& S, TDateTime& Value, const TFormatSettings& Settings = FormatSettings);

// [files] ------------------------------------------------------------------------
// POSIX paths: '/' separates, there are no drives.
constexpr char16_t PathDelim = u'/';
constexpr char16_t PathSep = u':';

constexpr Integer faReadOnly = 0x01, faHidden = 0x02, faSysFile = 0x04, faVolumeID = 0x08, faDirectory = 0x10,
                  faArchive = 0x20, faNormal = 0x80, faSymLink = 0x400, faAnyFile = 0x1FF;

struct TSearchRec {
  Int64 Time = 0;          // modification time, seconds since 1970 (UTC)
  TDateTime TimeStamp = 0; // the same as a local TDateTime
  Int64 Size = 0;
  Integer Attr = 0;
  String Name;
  Integer ExcludeAttr = 0;
  std::shared_ptr<void> FindHandle;  // the search state
};

// Lists the folder part of Path and matches the name part (wildcards * ? [..]). Normal and read-only
// files are always found; hidden entries (names starting with '.'), system files and directories only when
// their bit is in Attr. "." and ".." come first in a directory search. Returns 0 when an entry was found,
// otherwise an error number (2: nothing found, 18: no more entries).
Integer FindFirst(const String& Path, Integer Attr, TSearchRec& F);
Integer FindNext(TSearchRec& F);
void FindClose(TSearchRec& F);

// File names are the file system's bytes. As text, a byte that is not part of a UTF-8 character is
// carried as U+DC80 .. U+DCFF (a lone low surrogate, which no UTF-8 text holds), so that every name
// read from the file system names the same file again; the file functions here take names so.
std::string FileNameToBytes(std::u16string_view Name);
String FileNameFromBytes(std::string_view Bytes);
// The name as shown: each carried byte becomes U+FFFD.
String FileNameDisplay(const String& Name);

bool FileExists(const String& FileName);        // false for directories
bool DirectoryExists(const String& Directory);
// Creates Dir and every missing parent; EInOutError "Unable to create directory" for an empty name.
bool ForceDirectories(const String& Dir);
bool CreateDir(const String& Dir);
bool RemoveDir(const String& Dir);  // only an empty directory
bool DeleteFile(const String& FileName);
bool RenameFile(const String& OldName, const String& NewName);
Int64 FileSizeOf(const String& FileName);  // -1 when absent
String GetCurrentDir();
String ExpandFileName(const String& FileName);
String ExtractFilePath(const String& FileName);  // up to and including the last '/'
String ExtractFileDir(const String& FileName);   // the same without the trailing '/' (except the root)
String ExtractFileName(const String& FileName);
String ExtractFileExt(const String& FileName);   // ".ext", "" without one
String ChangeFileExt(const String& FileName, const String& Extension);
String IncludeTrailingPathDelimiter(const String& S);
String ExcludeTrailingPathDelimiter(const String& S);
// The text of an error number of the operating system.
String SysErrorMessage(Integer ErrorCode);

}  // namespace jox
