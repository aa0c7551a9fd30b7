#include <gtest/gtest.h>

#include <climits>

#include "kyt/Vuzizev.h"
#include "support/Printers.h"

using namespace kyt;

TEST(TextCoding, HexOfBytes) {
  EXPECT_EQ(CharToHex('\xFF'), UnicodeString(L"FF"));
  EXPECT_EQ(CharToHex('\0'), UnicodeString(L"00"));
  EXPECT_EQ(CharToHex('\x0A'), UnicodeString(L"0A"));
  EXPECT_EQ(StrToHex(AnsiString("AB"), ' '), AnsiString("41 42"));
  EXPECT_EQ(StrToHex(AnsiString("AB"), '\0'), AnsiString("4142"));
  EXPECT_EQ(StrToHex(AnsiString("\xE4"), '-'), AnsiString("E4"));
  EXPECT_EQ(StrToHex(AnsiString(""), '-'), AnsiString(""));
  // GBK bytes of Chinese text.
  EXPECT_EQ(StrToHex(AnsiString(UnicodeString(L"中文")), ' '), AnsiString("D6 D0 CE C4"));
}

TEST(TextCoding, HexOfUtf16CodeUnitsLowByteFirst) {
  EXPECT_EQ(StrToHex(UnicodeString(L"A中"), L' '), UnicodeString(L"41 00 2D 4E"));
  EXPECT_EQ(StrToHex(UnicodeString(L"AB"), L'-'), UnicodeString(L"41-00-42-00"));
  EXPECT_EQ(StrToHex(UnicodeString(L"A"), L'\0'), UnicodeString(L"4100"));
  EXPECT_EQ(StrToHex(UnicodeString(), L'-'), UnicodeString());
}

TEST(TextCoding, HexCharToCharAcceptsEitherCaseAndThrowsZero) {
  EXPECT_EQ(HexCharToChar('e', '4'), '\xE4');
  EXPECT_EQ(HexCharToChar('0', 'A'), '\x0A');
  EXPECT_EQ(HexCharToChar('F', 'f'), '\xFF');
  for (auto [high, low] : {std::pair{'4', 'g'}, std::pair{'g', '4'}, std::pair{' ', '0'}}) {
    try {
      HexCharToChar(high, low);
      ADD_FAILURE() << "no exception for " << high << low;
    } catch (int value) {
      EXPECT_EQ(value, 0);
    }
  }
}

TEST(TextCoding, UrlEncodeEncodesEveryByte) {
  EXPECT_EQ(UrlEncode(AnsiString("a b")), AnsiString("%61%20%62"));
  EXPECT_EQ(UrlEncode(AnsiString("%")), AnsiString("%25"));
  EXPECT_EQ(UrlEncode(AnsiString("")), AnsiString(""));
  EXPECT_EQ(UrlEncode(AnsiString(UnicodeString(L"截图"))), AnsiString("%BD%D8%CD%BC"));
}

TEST(TextCoding, ReplaceIsLeftToRightWithoutOverlapOrRescan) {
  struct { const wchar_t *source, *oldText, *newText, *result; } cases[] = {
      {L"aaa", L"aa", L"b", L"ba"},
      {L"abc", L"b", L"bb", L"abbc"},
      {L"abc", L"", L"x", L"abc"},
      {L"ab", L"abc", L"x", L"ab"},
      {L"全屏全屏", L"全屏", L"窗口", L"窗口窗口"},
      {L"aAa", L"A", L"", L"aa"},
      {L"", L"a", L"b", L""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Replace(c.source, c.oldText, c.newText), UnicodeString(c.result)) << rtl::WideToUtf8(c.source);
  EXPECT_EQ(AppendStr(L"name", L"'"), UnicodeString(L"'name'"));
}

TEST(TextCoding, BooleansAndCharacters) {
  EXPECT_EQ(BoolToInt(true), 1);
  EXPECT_EQ(BoolToInt(false), 0);
  EXPECT_EQ(BoolToChar(true), '1');
  EXPECT_EQ(BoolToChar(false), '0');
  EXPECT_FALSE(CharToBool('0'));
  EXPECT_TRUE(CharToBool('1'));
  EXPECT_TRUE(CharToBool('\0'));
  EXPECT_TRUE(CharToBool('x'));
}

TEST(TextCoding, BitToIntReadsThirtyTwoBitBinary) {
  struct { const wchar_t* bits; int value; } cases[] = {
      {L"", 0},
      {L"101", 5},
      {L"0000", 0},
      {L"1111111111111111111111111111111", INT_MAX},
      {L"10000000000000000000000000000000", INT_MIN},
      {L"11111111111111111111111111111111", -1},
      {L"1000000000000000000000000000000011", 3},  // 34 digits: the top two fall out
  };
  for (const auto& c : cases) EXPECT_EQ(BitToInt(c.bits), c.value) << rtl::WideToUtf8(c.bits);
  for (const wchar_t* bad : {L"102", L" 1", L"1a"}) {
    try {
      BitToInt(bad);
      ADD_FAILURE() << "no exception for " << rtl::WideToUtf8(bad);
    } catch (int value) {
      EXPECT_EQ(value, -1);
    }
  }
}

TEST(TextCoding, Is2NMeansExactlyOneBit) {
  struct { int n; bool result; } cases[] = {
      {0, false}, {1, true}, {2, true}, {3, false}, {6, false}, {1 << 30, true},
      {-1, false}, {-2, false}, {INT_MIN, true}, {INT_MAX, false},
  };
  for (const auto& c : cases) EXPECT_EQ(Is2N(c.n), c.result) << c.n;
}

TEST(TextCoding, DelimitedListsSplitByTheListsRulesAndJoinVerbatim) {
  TStringList list;
  list.QuoteChar = L'\'';
  GetDelimiterText(&list, L"x|'y z'|w v", L'|');
  EXPECT_EQ(list.Delimiter, L'|');
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list[1], UnicodeString(L"y z"));
  EXPECT_EQ(list[3], UnicodeString(L"v"));

  list.StrictDelimiter = true;
  GetDelimiterText(&list, L"x|w v", L'|');
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(SetDelimiterText(&list, L';'), UnicodeString(L"x;w v"));

  TStringList empty;
  EXPECT_EQ(SetDelimiterText(&empty, L','), UnicodeString());
  empty.Add(L"a,\"b\"");
  EXPECT_EQ(SetDelimiterText(&empty, L','), UnicodeString(L"a,\"b\""));
}
