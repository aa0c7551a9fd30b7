#include "kyt/vuzizev/TextCoding.h"

#include <cstdint>
#include <utility>

namespace kyt {
namespace {

const char kHexDigits[] = "0123456789ABCDEF";

// The value of one hexadecimal digit; throws the int 0 for anything else.
int HexValue(char digit) {
  if (digit >= '0' && digit <= '9') return digit - '0';
  if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
  if (digit >= 'a' && digit <= 'f') return digit - 'a' + 10;
  throw 0;
}

// Appends the hex pairs of a byte run to out, separator between pairs.
template <typename String, typename Char>
void AppendHexPairs(String& out, const unsigned char* bytes, size_t count, Char separator) {
  if (count == 0) return;
  const size_t start = out.size();
  out.resize(start + count * (separator ? 3 : 2) - (separator ? 1 : 0));
  Char* p = &out[start];
  for (size_t i = 0; i < count; ++i) {
    if (i > 0 && separator) *p++ = separator;
    *p++ = static_cast<Char>(kHexDigits[bytes[i] >> 4]);
    *p++ = static_cast<Char>(kHexDigits[bytes[i] & 0x0F]);
  }
}

}  // namespace

UnicodeString CharToHex(char c) {
  const auto byte = static_cast<unsigned char>(c);
  std::wstring out;
  AppendHexPairs(out, &byte, 1, L'\0');
  return UnicodeString(std::move(out));
}

AnsiString StrToHex(const AnsiString& s, char separator) {
  std::string out;
  AppendHexPairs(out, reinterpret_cast<const unsigned char*>(s.str().data()), s.str().size(), separator);
  return AnsiString(std::move(out));
}

UnicodeString StrToHex(const UnicodeString& s, wchar_t separator) {
  // Little-endian bytes of each UTF-16 code unit, independent of the host.
  std::basic_string<unsigned char> bytes;
  bytes.reserve(s.str().size() * 2);
  for (wchar_t unit : s.str()) {
    const auto u = static_cast<std::uint16_t>(unit);
    bytes += static_cast<unsigned char>(u & 0xFF);
    bytes += static_cast<unsigned char>(u >> 8);
  }
  std::wstring out;
  AppendHexPairs(out, bytes.data(), bytes.size(), separator);
  return UnicodeString(std::move(out));
}

char HexCharToChar(char high, char low) {
  const int h = HexValue(high);
  return static_cast<char>(h << 4 | HexValue(low));
}

AnsiString UrlEncode(const AnsiString& s) {
  // StrToHex with "%" between pairs, and one more "%" in front.
  if (s.IsEmpty()) return AnsiString();
  std::string out("%");
  AppendHexPairs(out, reinterpret_cast<const unsigned char*>(s.str().data()), s.str().size(), '%');
  return AnsiString(std::move(out));
}

UnicodeString Replace(const UnicodeString& source, const UnicodeString& oldText,
                      const UnicodeString& newText) {
  if (oldText.IsEmpty()) return source;
  const std::wstring& src = source.str();
  const std::wstring& old = oldText.str();
  std::wstring out;
  size_t from = 0;
  for (size_t at; (at = src.find(old, from)) != std::wstring::npos; from = at + old.size()) {
    out.append(src, from, at - from);
    out += newText.str();
  }
  out.append(src, from, std::wstring::npos);
  return UnicodeString(std::move(out));
}

UnicodeString AppendStr(const UnicodeString& text, const UnicodeString& wrapper) {
  return wrapper + text + wrapper;
}

int BoolToInt(bool b) { return b ? 1 : 0; }
char BoolToChar(bool b) { return b ? '1' : '0'; }
bool CharToBool(char c) { return c != '0'; }

int BitToInt(const UnicodeString& bits) {
  // Unsigned arithmetic: digits beyond 32 fall out of the top, and no step
  // overflows a signed int.
  std::uint32_t value = 0;
  for (wchar_t c : bits.str()) {
    if (c != L'0' && c != L'1') throw -1;
    value = value << 1 | (c == L'1' ? 1u : 0u);
  }
  return static_cast<int>(value);
}

bool Is2N(int n) {
  const auto bits = static_cast<std::uint32_t>(n);
  return bits != 0 && (bits & (bits - 1)) == 0;
}

void GetDelimiterText(TStrings* list, const UnicodeString& text, wchar_t delimiter) {
  list->Delimiter = delimiter;
  list->SetDelimitedText(text);
}

UnicodeString SetDelimiterText(TStrings* list, wchar_t delimiter) {
  UnicodeString out;
  for (int i = 0; i < list->Count(); ++i) {
    if (i > 0) out += delimiter;
    out += list->Get(i);
  }
  return out;
}

}  // namespace kyt
