// The calendar arithmetic of TDateTime: proleptic Gregorian, no system calls.
#include "rtl/DateTime.h"

#include <cmath>

#include "rtl/Exceptions.h"

namespace {

constexpr long long kMsPerDay = 24LL * 60 * 60 * 1000;
// Days from 0000-03-01 (the civil epoch below) to 1899-12-30.
constexpr long long kEpochShift = 693899;

int DaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days since 0000-03-01 of a civil date, and back (years start in March so
// that the leap day falls last).
long long DaysFromCivil(int year, int month, int day) {
  const long long y = year - (month <= 2 ? 1 : 0);
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe;
}

void CivilFromDays(long long days, int& year, int& month, int& day) {
  const long long era = (days >= 0 ? days : days - 146096) / 146097;
  const long long doe = days - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

// Milliseconds into the day, rounded, of a value's fractional part.
long long MillisecondsOfDay(double value) {
  const double fraction = std::fabs(value - std::trunc(value));
  long long ms = std::llround(fraction * kMsPerDay);
  return ms >= kMsPerDay ? kMsPerDay - 1 : ms;
}

}  // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

TDateTime EncodeDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
    throw EConvertError(L"Invalid argument to date encode");
  return TDateTime(static_cast<double>(DaysFromCivil(year, month, day) - kEpochShift));
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
      millisecond < 0 || millisecond > 999)
    throw EConvertError(L"Invalid argument to time encode");
  const long long ms = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
  return TDateTime(static_cast<double>(ms) / kMsPerDay);
}

TDateTime operator+(TDateTime date, TDateTime time) {
  // Before the epoch the fraction runs forward from the day's start.
  const double d = date.Value();
  return TDateTime(d < 0 ? d - time.Value() : d + time.Value());
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
  const long long days = static_cast<long long>(std::trunc(value.Value()));
  CivilFromDays(days + kEpochShift, year, month, day);
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond) {
  long long ms = MillisecondsOfDay(value.Value());
  millisecond = static_cast<int>(ms % 1000);
  ms /= 1000;
  second = static_cast<int>(ms % 60);
  ms /= 60;
  minute = static_cast<int>(ms % 60);
  hour = static_cast<int>(ms / 60);
}
