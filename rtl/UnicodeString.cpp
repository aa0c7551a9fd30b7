#include "rtl/UnicodeString.h"

#include "rtl/CodePage.h"

#include <cwctype>

UnicodeString::UnicodeString(const AnsiString& bytes) : s_(rtl::AnsiToWide(bytes.str())) {}

AnsiString::AnsiString(const UnicodeString& text) : s_(rtl::WideToAnsi(text.str())) {}

int UnicodeString::Pos(const UnicodeString& sub) const {
  if (sub.IsEmpty()) return 0;
  const auto at = s_.find(sub.s_);
  return at == std::wstring::npos ? 0 : static_cast<int>(at) + 1;
}

UnicodeString UnicodeString::SubString(int start, int count) const {
  if (start < 1) {
    count += start - 1;
    start = 1;
  }
  if (count <= 0 || start > Length()) return {};
  return UnicodeString(s_.substr(static_cast<size_t>(start - 1), static_cast<size_t>(count)));
}

UnicodeString IntToStr(long long value) { return UnicodeString(std::to_wstring(value)); }

bool SameText(const UnicodeString& a, const UnicodeString& b) {
  if (a.Length() != b.Length()) return false;
  for (int i = 0; i < a.Length(); ++i)
    if (std::towupper(a.str()[i]) != std::towupper(b.str()[i])) return false;
  return true;
}
