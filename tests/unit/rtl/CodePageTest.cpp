#include <gtest/gtest.h>

#include "rtl/CodePage.h"
#include "rtl/UnicodeString.h"
#include "support/Printers.h"

TEST(CodePage, ChineseTextBecomesGbkBytes) {
  EXPECT_EQ(AnsiString(UnicodeString(L"中文")).str(), "\xD6\xD0\xCE\xC4");
  EXPECT_EQ(UnicodeString(AnsiString("\xD6\xD0\xCE\xC4")), UnicodeString(L"中文"));
}

TEST(CodePage, RoundTripsMixedText) {
  const UnicodeString text(L"截图 Zentaro 全屏/窗口/局部 123");
  EXPECT_EQ(UnicodeString(AnsiString(text)), text);
}

TEST(CodePage, CharactersOutsideTheCodePageBecomeTheDefaultCharacter) {
  // Thai and Devanagari letters have no GBK code.
  EXPECT_EQ(AnsiString(UnicodeString(L"a\u0E01b\u0915")).str(), "a?b?");
}

TEST(CodePage, EmptyAndEmbeddedNulSurvive) {
  EXPECT_TRUE(AnsiString(UnicodeString()).IsEmpty());
  const std::wstring withNul(L"a\0b", 3);
  EXPECT_EQ(AnsiString(UnicodeString(withNul)).str(), std::string("a\0b", 3));
}

TEST(UnicodeStringOps, PosAndSubStringAreOneBased) {
  const UnicodeString s(L"abcabc");
  EXPECT_EQ(s.Pos(L"ca"), 3);
  EXPECT_EQ(s.Pos(L"x"), 0);
  EXPECT_EQ(s.Pos(L""), 0);
  EXPECT_EQ(s.SubString(2, 3), UnicodeString(L"bca"));
  EXPECT_EQ(s.SubString(5, 10), UnicodeString(L"bc"));
  EXPECT_EQ(s.SubString(0, 2), UnicodeString(L"a"));
  EXPECT_EQ(s.SubString(7, 1), UnicodeString());
}
