#pragma once
// Lets GoogleTest print the runtime layer's strings in failure messages.
#include <ostream>

#include "rtl/CodePage.h"
#include "rtl/UnicodeString.h"

inline void PrintTo(const UnicodeString& s, std::ostream* os) { *os << '"' << rtl::WideToUtf8(s.str()) << '"'; }
inline void PrintTo(const AnsiString& s, std::ostream* os) {
  *os << '"';
  for (unsigned char c : s.str()) {
    if (c >= 0x20 && c < 0x7F) *os << c;
    else {
      static const char hex[] = "0123456789ABCDEF";
      *os << "\\x" << hex[c >> 4] << hex[c & 15];
    }
  }
  *os << '"';
}
