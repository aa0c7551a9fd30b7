#include <gtest/gtest.h>

#include <vector>

#include "rtl/Exceptions.h"
#include "rtl/StringList.h"
#include "support/Printers.h"
#include "support/TempDir.h"

namespace {

std::vector<std::wstring> Items(const TStrings& list) {
  std::vector<std::wstring> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(list[i].str());
  return out;
}

struct ParseCase {
  std::wstring text;
  bool strict;
  wchar_t delimiter;
  std::vector<std::wstring> items;
};

const ParseCase kParseCases[] = {
    {L"a,b,c", false, L',', {L"a", L"b", L"c"}},
    {L"a b,c", false, L',', {L"a", L"b", L"c"}},
    {L" a , b ", false, L',', {L"a", L"b"}},
    {L"a,,b", false, L',', {L"a", L"", L"b"}},
    {L"a,", false, L',', {L"a", L""}},
    {L",a", false, L',', {L"", L"a"}},
    {L"\"a b\",c", false, L',', {L"a b", L"c"}},
    {L"\"a\"\"b\",c", false, L',', {L"a\"b", L"c"}},
    {L"\"a\"b,c", false, L',', {L"a", L"b", L"c"}},
    {L"\"unterminated", false, L',', {L"unterminated"}},
    {L"", false, L',', {}},
    {L"  \t ", false, L',', {}},
    {std::wstring(L"a,b\0c", 5), false, L',', {L"a", L"b"}},
    {L"x;y z", false, L';', {L"x", L"y", L"z"}},
    {L"中文,截图", false, L',', {L"中文", L"截图"}},
    {L"a b,c", true, L',', {L"a b", L"c"}},
    {L" a , b ", true, L',', {L" a ", L" b "}},
    {L"a,", true, L',', {L"a", L""}},
    {L"\"q,r\",s", true, L',', {L"q,r", L"s"}},
    {L"", true, L',', {}},
};

}  // namespace

TEST(StringList, DelimitedTextParsesLikeThePlatform) {
  for (const ParseCase& c : kParseCases) {
    SCOPED_TRACE(rtl::WideToUtf8(c.text) + (c.strict ? " (strict)" : ""));
    TStringList list;
    list.Add(L"old item is cleared");
    list.StrictDelimiter = c.strict;
    list.Delimiter = c.delimiter;
    list.SetDelimitedText(UnicodeString(c.text));
    EXPECT_EQ(Items(list), c.items);
  }
}

TEST(StringList, DelimitedTextQuotesWhatWouldNotParseBack) {
  TStringList list;
  for (const wchar_t* item : {L"a", L"b c", L"d\"e", L"", L"f,g"}) list.Add(item);
  EXPECT_EQ(list.DelimitedText(), UnicodeString(L"a,\"b c\",\"d\"\"e\",,\"f,g\""));

  TStringList back;
  back.SetDelimitedText(list.DelimitedText());
  EXPECT_EQ(Items(back), Items(list));

  list.StrictDelimiter = true;
  list.Clear();
  list.Add(L"b c");
  EXPECT_EQ(list.DelimitedText(), UnicodeString(L"b c"));
  list.Put(0, L"");
  EXPECT_EQ(list.DelimitedText(), UnicodeString(L"\"\""));
}

TEST(StringList, TextSplitsAtAnyLineBreakAndJoinsWithCrLf) {
  TStringList list;
  list.SetText(L"a\r\nb\nc\rd\r\n\r\n");
  EXPECT_EQ(Items(list), (std::vector<std::wstring>{L"a", L"b", L"c", L"d", L""}));
  EXPECT_EQ(list.Text(), UnicodeString(L"a\r\nb\r\nc\r\nd\r\n\r\n"));
}

TEST(StringList, IndexOutsideTheListRaisesListError) {
  TStringList list;
  list.Add(L"only");
  EXPECT_THROW(list.Get(1), EListError);
  EXPECT_THROW(list.Get(-1), EListError);
  EXPECT_THROW(list.Delete(1), EListError);
  EXPECT_THROW(list.Insert(3, L"x"), EListError);
  list.Insert(1, L"end");
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.IndexOf(L"END"), 1);
  EXPECT_EQ(list.IndexOf(L"missing"), -1);
}

TEST(StringList, SaveToFileWritesAnsiBytesWithoutByteOrderMark) {
  test::TempDir dir;
  TStringList list;
  list.Add(L"中文");
  list.Add(L"abc");
  list.SaveToFile(dir / L"list.txt");
  EXPECT_EQ(test::ReadBytes(dir / L"list.txt"), "\xD6\xD0\xCE\xC4\r\nabc\r\n");

  TStringList loaded;
  loaded.LoadFromFile(dir / L"list.txt");
  EXPECT_EQ(Items(loaded), Items(list));
}

TEST(StringList, LoadFromFileHonoursByteOrderMarks) {
  test::TempDir dir;
  test::WriteBytes(dir / L"utf8.txt", "\xEF\xBB\xBF\xE4\xB8\xAD\r\nx");
  test::WriteBytes(dir / L"utf16.txt", std::string("\xFF\xFE\x2D\x4E\n\0y\0", 8));
  TStringList list;
  list.LoadFromFile(dir / L"utf8.txt");
  EXPECT_EQ(Items(list), (std::vector<std::wstring>{L"中", L"x"}));
  list.LoadFromFile(dir / L"utf16.txt");
  EXPECT_EQ(Items(list), (std::vector<std::wstring>{L"中", L"y"}));
}

TEST(StringList, FileErrorsRaiseAndLeaveTheListAlone) {
  test::TempDir dir;
  TStringList list;
  list.Add(L"kept");
  EXPECT_THROW(list.SaveToFile(dir / L"no such folder\\x.txt"), EFCreateError);
  EXPECT_THROW(list.LoadFromFile(dir / L"missing.txt"), EFOpenError);
  EXPECT_EQ(Items(list), std::vector<std::wstring>{L"kept"});
}
