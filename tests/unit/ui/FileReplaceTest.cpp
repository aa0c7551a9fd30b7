#include "ui/win/FileReplace.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "rtl/Exceptions.h"
#include "support/TempDir.h"

namespace {

int FilesIn(const UnicodeString& folder) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
  int count = 0;
  if (find == INVALID_HANDLE_VALUE) return 0;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return count;
}

void Write(const UnicodeString& name, const std::string& bytes) {
  ui::win::WriteFileReplacing(name, bytes.data(), bytes.size());
}

TEST(FileReplace, CreatesAndReplacesWholeFiles) {
  test::TempDir dir;
  const UnicodeString name = dir / L"图片.bmp";
  Write(name, "a long first version");
  EXPECT_EQ(test::ReadBytes(name), "a long first version");
  Write(name, "short");
  EXPECT_EQ(test::ReadBytes(name), "short");
  Write(name, "");
  EXPECT_EQ(test::ReadBytes(name), "");
  EXPECT_EQ(FilesIn(dir.Path()), 1) << "no temporary file may stay behind";
}

TEST(FileReplace, MissingFolderRaisesAndLeavesNothing) {
  test::TempDir dir;
  EXPECT_THROW(Write(dir / L"missing\\x.jpg", "data"), EFCreateError);
  EXPECT_EQ(FilesIn(dir.Path()), 0);
}

TEST(FileReplace, FailedReplaceKeepsTheOldFile) {
  test::TempDir dir;
  const UnicodeString name = dir / L"old.jpg";
  test::WriteBytes(name, "precious old picture");
  // Another program holds the file open without delete sharing: the final
  // rename fails, and the old picture must survive whole.
  HANDLE holder = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  try {
    Write(name, "new");
    ADD_FAILURE() << "replacing a held file should fail";
  } catch (const EFCreateError& e) {
    EXPECT_NE(e.Message().Pos(name), 0) << "the message names the file";
  }
  CloseHandle(holder);
  EXPECT_EQ(test::ReadBytes(name), "precious old picture");
  EXPECT_EQ(FilesIn(dir.Path()), 1) << "the new data must not stay beside it";
}

TEST(FileReplace, ReadOnlyTargetIsNotReplaced) {
  test::TempDir dir;
  const UnicodeString name = dir / L"locked.bmp";
  test::WriteBytes(name, "keep me");
  SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_THROW(Write(name, "new"), EFCreateError);
  EXPECT_EQ(test::ReadBytes(name), "keep me");
  EXPECT_EQ(FilesIn(dir.Path()), 1);
}

TEST(FileReplace, RelativeNamesWork) {
  test::TempDir dir;
  wchar_t previous[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, previous);
  SetCurrentDirectoryW(dir.Path().c_str());
  Write(L"relative.jpg", "data");
  Write(L"relative.jpg", "data 2");
  SetCurrentDirectoryW(previous);
  EXPECT_EQ(test::ReadBytes(dir / L"relative.jpg"), "data 2");
}

}  // namespace
