#include "package/framework/base/sysutils.h"

#include <algorithm>
#include <cstring>

#include "package/framework/base/utf8.h"

namespace jox {

// [exceptions] -----------------------------------------------------------------
Exception::Exception(String msg) : FMessage(std::move(msg)), FUtf8(ToUtf8(FMessage)) {}
Exception::Exception(const char* utf8) : FMessage(FromUtf8(utf8)), FUtf8(utf8) {}
void Exception::SetMessage(String msg) {
  FMessage = std::move(msg);
  FUtf8 = ToUtf8(FMessage);
}

// [text] -------------------------------------------------------------------------
std::string ToUtf8(std::u16string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    char32_t c = s[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c < 0xE000) {
      c = 0xFFFD;  // lone surrogate
    }
    if (c < 0x80) {
      out += char(c);
    } else if (c < 0x800) {
      out += char(0xC0 | (c >> 6));
      out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += char(0xE0 | (c >> 12));
      out += char(0x80 | ((c >> 6) & 0x3F));
      out += char(0x80 | (c & 0x3F));
    } else {
      out += char(0xF0 | (c >> 18));
      out += char(0x80 | ((c >> 12) & 0x3F));
      out += char(0x80 | ((c >> 6) & 0x3F));
      out += char(0x80 | (c & 0x3F));
    }
  }
  return out;
}

size_t Utf8ToUtf16(std::string_view s, char16_t* Out, size_t Limit) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(s.data());
  const size_t n = s.size();
  size_t i = 0, o = 0;
  while (i < n && o < Limit) {
    // Runs of ASCII, eight bytes at a time.
    while (i + 8 <= n && o + 8 <= Limit) {
      uint64_t w;
      std::memcpy(&w, p + i, 8);
      if (w & 0x8080808080808080ull) break;
      for (int k = 0; k < 8; ++k) Out[o + k] = char16_t(p[i + k]);
      i += 8;
      o += 8;
    }
    if (i >= n || o >= Limit) break;
    const unsigned char b = p[i];
    char32_t c;
    int extra;
    if (b < 0x80) { Out[o++] = b; ++i; continue; }
    else if ((b & 0xE0) == 0xC0) { c = b & 0x1F; extra = 1; }
    else if ((b & 0xF0) == 0xE0) { c = b & 0x0F; extra = 2; }
    else if ((b & 0xF8) == 0xF0) { c = b & 0x07; extra = 3; }
    else { Out[o++] = u'\uFFFD'; ++i; continue; }
    bool ok = true;
    for (int k = 1; k <= extra; ++k) {
      if (i + k >= n || (p[i + k] & 0xC0) != 0x80) { ok = false; break; }
      c = (c << 6) | (p[i + k] & 0x3F);
    }
    static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (!ok || c < kMin[extra] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) {
      Out[o++] = u'\uFFFD';
      ++i;
      continue;
    }
    if (c >= 0x10000) {
      c -= 0x10000;
      Out[o++] = char16_t(0xD800 + (c >> 10));
      Out[o++] = char16_t(0xDC00 + (c & 0x3FF));
    } else {
      Out[o++] = char16_t(c);
    }
    i += extra + 1;
  }
  return o;
}

String FromUtf8(std::string_view s) {
  String out(s.size(), u'\0');
  out.resize(Utf8ToUtf16(s, out.data(), s.size()));
  return out;
}

String operator""_s(const char* s, size_t n) { return FromUtf8(std::string_view(s, n)); }

String IntToStr(Int64 v) {
  std::string t = std::to_string(v);
  return String(t.begin(), t.end());
}

static char16_t AsciiUpper(char16_t c) { return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c; }
static char16_t AsciiLower(char16_t c) { return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c; }

String UpperCase(const String& s) {
  String r = s;
  std::transform(r.begin(), r.end(), r.begin(), AsciiUpper);
  return r;
}
String LowerCase(const String& s) {
  String r = s;
  std::transform(r.begin(), r.end(), r.begin(), AsciiLower);
  return r;
}
String TrimLeft(const String& s) {
  size_t i = 0;
  while (i < s.size() && s[i] <= u' ') ++i;
  return s.substr(i);
}
String TrimRight(const String& s) {
  size_t n = s.size();
  while (n > 0 && s[n - 1] <= u' ') --n;
  return s.substr(0, n);
}
String Trim(const String& s) { return TrimLeft(TrimRight(s)); }

Integer CompareText(const String& a, const String& b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    int d = int(AsciiUpper(a[i])) - int(AsciiUpper(b[i]));
    if (d != 0) return d;
  }
  return Integer(a.size()) - Integer(b.size());
}
bool SameText(const String& a, const String& b) { return a.size() == b.size() && CompareText(a, b) == 0; }
Integer CompareStr(const String& a, const String& b) { return a.compare(b); }

Integer Pos(const String& sub, const String& s) {
  if (sub.empty()) return 0;
  size_t p = s.find(sub);
  return p == String::npos ? 0 : Integer(p + 1);
}

String Copy(const String& s, Integer index, Integer count) {
  if (index < 1) index = 1;
  if (count <= 0 || size_t(index) > s.size()) return String();
  return s.substr(size_t(index - 1), size_t(count));
}

String StringOfChar(char16_t c, Integer n) { return n > 0 ? String(size_t(n), c) : String(); }

String StringReplaceAll(const String& s, const String& from, const String& to) {
  if (from.empty()) return s;
  String r;
  size_t pos = 0, hit;
  while ((hit = s.find(from, pos)) != String::npos) {
    r.append(s, pos, hit - pos);
    r += to;
    pos = hit + from.size();
  }
  r.append(s, pos, String::npos);
  return r;
}

}  // namespace jox
