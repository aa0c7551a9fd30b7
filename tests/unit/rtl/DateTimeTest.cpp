#include <gtest/gtest.h>

#include <windows.h>

#include "rtl/DateTime.h"
#include "rtl/Exceptions.h"
#include "support/Printers.h"

namespace {

struct DateCase {
  int year, month, day;
  double serial;
};

const DateCase kDates[] = {
    {1899, 12, 30, 0},      {1899, 12, 29, -1},    {1900, 1, 1, 2},       {1900, 3, 1, 61},
    {2000, 2, 29, 36585},   {2010, 12, 25, 40537}, {2024, 2, 29, 45351},  {1, 1, 1, -693593},
    {9999, 12, 31, 2958465}, {1600, 2, 29, -109512},
};

}  // namespace

TEST(DateTime, EncodeAndDecodeDateAgreeWithKnownSerials) {
  for (const DateCase& c : kDates) {
    SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day);
    EXPECT_EQ(EncodeDate(c.year, c.month, c.day).Value(), c.serial);
    int y, m, d;
    DecodeDate(TDateTime(c.serial) + EncodeTime(18, 0, 0, 0), y, m, d);
    EXPECT_EQ(y, c.year);
    EXPECT_EQ(m, c.month);
    EXPECT_EQ(d, c.day);
  }
}

TEST(DateTime, TimeOfDayBeforeTheEpochRunsForward) {
  // -1.25: the day before the epoch, 06:00.
  int y, m, d, h, mi, s, ms;
  DecodeDate(TDateTime(-1.25), y, m, d);
  DecodeTime(TDateTime(-1.25), h, mi, s, ms);
  EXPECT_EQ(d, 29);
  EXPECT_EQ(h, 6);
  EXPECT_EQ((EncodeDate(1899, 12, 29) + EncodeTime(6, 0, 0, 0)).Value(), -1.25);
}

TEST(DateTime, EncodeTimeRoundTripsToTheMillisecond) {
  int h, mi, s, ms;
  DecodeTime(EncodeDate(2010, 12, 25) + EncodeTime(23, 59, 59, 999), h, mi, s, ms);
  EXPECT_EQ(h, 23);
  EXPECT_EQ(mi, 59);
  EXPECT_EQ(s, 59);
  EXPECT_EQ(ms, 999);
}

TEST(DateTime, LeapYears) {
  struct { int year; bool leap; } cases[] = {
      {1900, false}, {2000, true}, {2010, false}, {2012, true}, {2100, false}, {2400, true}, {4, true}};
  for (const auto& c : cases) EXPECT_EQ(IsLeapYear(c.year), c.leap) << c.year;
}

TEST(DateTime, ImpossibleDatesAndTimesRaiseConvertError) {
  EXPECT_THROW(EncodeDate(2010, 2, 29), EConvertError);
  EXPECT_THROW(EncodeDate(2010, 13, 1), EConvertError);
  EXPECT_THROW(EncodeDate(0, 1, 1), EConvertError);
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
}

TEST(DateTime, TextUsesTheUsersRegionalFormats) {
  // zh_CN: short date yyyy/M/d, long time HH:mm:ss.
  const TDateTime value = EncodeDate(2010, 12, 5) + EncodeTime(9, 7, 3, 0);
  EXPECT_EQ(DateToStr(value), UnicodeString(L"2010/12/5"));
  EXPECT_EQ(TimeToStr(value), UnicodeString(L"09:07:03"));
}

TEST(DateTime, NowIsTheLocalClock) {
  SYSTEMTIME st;
  GetLocalTime(&st);
  int y, m, d;
  DecodeDate(Now(), y, m, d);
  // A midnight between the two readings moves the day by one at most.
  const double diff = Now().Value() - EncodeDate(st.wYear, st.wMonth, st.wDay).Value();
  EXPECT_GE(diff, 0.0);
  EXPECT_LT(diff, 2.0);
}
