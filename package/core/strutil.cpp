#include "package/core/strutil.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

#include "package/framework/base/sysutils.h"

namespace jox {

Integer Tokenize(const String& Text, const String& Delimiter, TOpenStringArray& Pieces) {
  Pieces.clear();
  if (Text.empty()) return 0;
  if (Delimiter.empty()) {
    Pieces.push_back(Text);
    return 1;
  }
  size_t start = 0;
  for (;;) {
    size_t hit = Text.find(Delimiter, start);
    if (hit == String::npos) {
      Pieces.push_back(Text.substr(start));
      break;
    }
    Pieces.push_back(Text.substr(start, hit - start));
    start = hit + Delimiter.size();
  }
  return Integer(Pieces.size());
}

String strff(double Value, Integer Width, Integer Decimals) {
  Width = std::clamp(Width, 0, 300);
  std::string text;
  if (std::isnan(Value)) {
    text = "NAN";
  } else if (std::isinf(Value)) {
    text = Value < 0 ? "-INF" : "INF";
  } else {
    const bool exponent = Decimals < 0;
    const int dec = exponent ? 14 : std::min(Decimals, 40);
    const char* fmt = exponent ? "%.*E" : "%.*f";
    int n = std::snprintf(nullptr, 0, fmt, dec, Value);
    text.resize(size_t(n) + 1);
    std::snprintf(text.data(), text.size(), fmt, dec, Value);
    text.resize(size_t(n));
  }
  if (Integer(text.size()) < Width) text.insert(0, size_t(Width) - text.size(), ' ');
  return FromUtf8(text);
}

String LeftString(const String& Text, Integer N) {
  if (N <= 0) return String();
  String s = Text.substr(0, size_t(N));
  s.resize(size_t(N), u' ');
  return s;
}

String EnsureTrailingChar(char16_t Ch, const String& Text) {
  if (!Text.empty() && Text.back() == Ch) return Text;
  return Text + Ch;
}

String EnsureTrailingBkSlash(const String& Path) {
  if (Path.empty()) return Path;
  return EnsureTrailingChar(u'/', Path);
}

String RemoveControlChars(const String& Text) {
  String s;
  s.reserve(Text.size());
  for (char16_t c : Text)
    if (c >= 0x20 && c != 0x7F) s += c;
  return s;
}

String StripLeadingChars(char16_t Ch, const String& Text) {
  size_t i = Text.find_first_not_of(Ch);
  return i == String::npos ? String() : Text.substr(i);
}

String StripTrailingChars(char16_t Ch, const String& Text) {
  size_t i = Text.find_last_not_of(Ch);
  return i == String::npos ? String() : Text.substr(0, i + 1);
}

Integer NumberedPos(const String& Sub, const String& Text, Integer Start, Integer N, bool IgnoreCase) {
  if (Sub.empty() || N < 1) return 0;
  const String sub = IgnoreCase ? UpperCase(Sub) : Sub;
  const String text = IgnoreCase ? UpperCase(Text) : Text;
  size_t from = size_t(std::max(Start, 1) - 1);
  for (Integer found = 0; from <= text.size();) {
    size_t hit = text.find(sub, from);
    if (hit == String::npos) return 0;
    if (++found == N) return Integer(hit + 1);
    from = hit + 1;
  }
  return 0;
}

String ReplaceCharInString(const String& Text, char16_t Old, char16_t New) {
  String s = Text;
  std::replace(s.begin(), s.end(), Old, New);
  return s;
}

String InventPassword(Integer N) {
  static const char16_t kChars[] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  static std::mt19937 gen{std::random_device{}()};
  N = std::min(N, 255);
  String s;
  if (N <= 0) return s;
  std::uniform_int_distribution<int> pick(0, int(std::size(kChars)) - 2);
  for (Integer i = 0; i < N; ++i) s += kChars[pick(gen)];
  return s;
}

}  // namespace jox
