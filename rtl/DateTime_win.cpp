// TDateTime against the system clock and the user's regional formats.
#include <windows.h>

#include "rtl/DateTime.h"

namespace {

SYSTEMTIME ToSystemTime(TDateTime value) {
  SYSTEMTIME st{};
  int year, month, day, hour, minute, second, ms;
  DecodeDate(value, year, month, day);
  DecodeTime(value, hour, minute, second, ms);
  st.wYear = static_cast<WORD>(year);
  st.wMonth = static_cast<WORD>(month);
  st.wDay = static_cast<WORD>(day);
  st.wHour = static_cast<WORD>(hour);
  st.wMinute = static_cast<WORD>(minute);
  st.wSecond = static_cast<WORD>(second);
  st.wMilliseconds = static_cast<WORD>(ms);
  return st;
}

}  // namespace

TDateTime Now() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return EncodeDate(st.wYear, st.wMonth, st.wDay) +
         EncodeTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
}

UnicodeString DateToStr(TDateTime value) {
  const SYSTEMTIME st = ToSystemTime(value);
  wchar_t text[128];
  const int length = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, text, 128);
  return length > 0 ? UnicodeString(text, static_cast<size_t>(length - 1)) : UnicodeString();
}

UnicodeString TimeToStr(TDateTime value) {
  const SYSTEMTIME st = ToSystemTime(value);
  wchar_t text[128];
  const int length = GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, text, 128);
  return length > 0 ? UnicodeString(text, static_cast<size_t>(length - 1)) : UnicodeString();
}
