#pragma once
// Hexadecimal and URL encoding, substring replacement, boolean/char/bit
// conversions and delimited string lists.
#include "rtl/StringList.h"
#include "rtl/UnicodeString.h"

namespace kyt {

// Two upper-case hexadecimal digits of c's byte value.
UnicodeString CharToHex(char c);
// Hexadecimal pairs of every byte of s; a non-zero separator stands between
// consecutive pairs only.
AnsiString StrToHex(const AnsiString& s, char separator);
// The same over the UTF-16 code units as they lie in memory (low byte first).
UnicodeString StrToHex(const UnicodeString& s, wchar_t separator);
// The byte of two hexadecimal digits (either case). Throws the int 0 when
// either is not a digit, the high one examined first.
char HexCharToChar(char high, char low);
// "%XX" for every byte, whatever it is.
AnsiString UrlEncode(const AnsiString& s);

// Every non-overlapping occurrence of oldText replaced, left to right;
// inserted text is not searched again; an empty oldText is never found.
UnicodeString Replace(const UnicodeString& source, const UnicodeString& oldText,
                      const UnicodeString& newText);
// wrapper + text + wrapper.
UnicodeString AppendStr(const UnicodeString& text, const UnicodeString& wrapper);

int BoolToInt(bool b);
char BoolToChar(bool b);
// false only for '0'.
bool CharToBool(char c);
// A binary numeral, most significant digit first, as a 32-bit int (leading
// digits beyond 32 fall out of the top). Throws the int -1 on any other char.
int BitToInt(const UnicodeString& bits);
// Exactly one bit of n's 32-bit pattern set.
bool Is2N(int n);

// Fills list from text split at delimiter; list's QuoteChar and
// StrictDelimiter govern the parse.
void GetDelimiterText(TStrings* list, const UnicodeString& text, wchar_t delimiter);
// list's items joined with delimiter, copied as they are (no quoting).
UnicodeString SetDelimiterText(TStrings* list, wchar_t delimiter);

}  // namespace kyt
