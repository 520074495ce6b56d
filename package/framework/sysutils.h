// Exceptions, text helpers, number and date text, files.
// Sections: [exceptions] [text]  (the rest is added by the areas that need it)
#pragma once

#include <exception>
#include <string>
#include <string_view>

#include "package/framework/types.h"

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

}  // namespace jox
