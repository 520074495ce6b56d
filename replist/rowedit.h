// Date and time texts of the report list's date columns: the name tables, the reader the row editor
// uses to put a cell into its date-time picker, and the writer that turns the picker's value back
// into cell text.
//
// Format letters (the picker's): yyyy yy year; MMMM MMM month name, MM M month; dddd ddd weekday name;
// dd d day; HH H hour 0..23; hh h hour 1..12 (the reader's clock becomes 12-hour); mm m minute;
// ss s second; t tt "A"/"P", "AM"/"PM". Text in single quotes ('' for a quote) and any other
// character stand for themselves.
#pragma once

#include "package/framework/base/sysutils.h"

namespace jox {

// Languages of the name tables: 0 placeholders ("M01", "D01"), 1 English, 2 German, 3 French.
constexpr Integer RLDateLanguages = 4;
constexpr Integer RLDateEnglish = 1;
// Month 1..12 and weekday 1 (Monday)..7 (Sunday); "" outside.
String RLMonthName(Integer Language, Integer Month, bool Short);
String RLDayName(Integer Language, Integer Day, bool Short);

// Results of DecodeDateTimeText besides 0 (success).
constexpr Integer dtErrLiteral = -1;   // a literal of the format does not stand at its place
constexpr Integer dtErrToken = -2;     // a run of format letters that means nothing (yyy, sss, ...)
constexpr Integer dtErrNumber = -3;    // a number or name cannot be read

// Reads Text by Format from the front (trailing text is ignored). Two-digit years fall into the
// century window of FormatSettings. ErrorCode 0: the date and time read (the time alone when the
// text gives no date part); raises EConvertError when the parts give no valid date or time (a day
// without a month, hour 25). Any other ErrorCode: 0 is returned.
TDateTime DecodeDateTimeText(const String& Text, const String& Format, Integer& ErrorCode,
                             Integer Language = RLDateEnglish);

// Writes DT by Format so that DecodeDateTimeText reads it back (12-hour hours without a "t" field
// lose their half of the day, as on the picker).
String EncodeDateTimeText(const String& Format, TDateTime DT, Integer Language = RLDateEnglish);

}  // namespace jox
