#pragma once
// TDateTime: days since 1899-12-30 in the integral part, the time of day as
// the fraction. A negative value counts days back from that date while its
// fraction still runs forward through the day (-1.25 is 1899-12-29 06:00).
#include "rtl/UnicodeString.h"

class TDateTime {
 public:
  TDateTime() = default;
  explicit TDateTime(double value) : value_(value) {}
  double Value() const { return value_; }

 private:
  double value_ = 0.0;
};

bool IsLeapYear(int year);
// Raises EConvertError for a date or time that does not exist.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
TDateTime operator+(TDateTime date, TDateTime time);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);

// The local date and time now.
TDateTime Now();
// In the user's short date / long time format (regional settings).
UnicodeString DateToStr(TDateTime value);
UnicodeString TimeToStr(TDateTime value);
