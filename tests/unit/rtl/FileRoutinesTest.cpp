#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <set>

#include "rtl/FileRoutines.h"
#include "support/Printers.h"
#include "support/TempDir.h"

TEST(FileRoutines, OpenOfMissingFileGivesInvalidHandleAndLaterCallsFail) {
  test::TempDir dir;
  const THandle file = FileOpen(dir / L"missing.bin", fmOpenRead);
  EXPECT_EQ(file, INVALID_FILE_HANDLE);
  char buffer[4];
  EXPECT_EQ(FileRead(file, buffer, 4), -1);
  EXPECT_EQ(FileWrite(file, buffer, 4), -1);
  EXPECT_EQ(FileSeek(file, 0, fsFromEnd), -1);
  FileClose(file);  // no effect, no crash
}

TEST(FileRoutines, CreateWriteSeekReadRoundTrip) {
  test::TempDir dir;
  const UnicodeString name = dir / L"数据.bin";
  THandle file = FileCreate(name);
  ASSERT_NE(file, INVALID_FILE_HANDLE);
  EXPECT_EQ(FileWrite(file, "0123456789", 10), 10);
  EXPECT_EQ(FileSeek(file, -4, fsFromEnd), 6);
  char tail[8] = {};
  EXPECT_EQ(FileRead(file, tail, 8), 4);
  EXPECT_STREQ(tail, "6789");
  FileClose(file);
  EXPECT_TRUE(FileExists(name));
  EXPECT_FALSE(FileExists(dir.Path()));
  EXPECT_TRUE(DirectoryExists(dir.Path()));

  // FileCreate replaces an existing file with an empty one.
  file = FileCreate(name);
  FileClose(file);
  EXPECT_EQ(test::ReadBytes(name), "");
}

TEST(FileRoutines, SharingModesDecideWhatOthersMayDo) {
  test::TempDir dir;
  const UnicodeString name = dir / L"shared.bin";
  test::WriteBytes(name, "x");
  const THandle reader = FileOpen(name, fmOpenRead | fmShareDenyRead);  // others may write only
  ASSERT_NE(reader, INVALID_FILE_HANDLE);
  EXPECT_EQ(FileOpen(name, fmOpenRead | fmShareDenyNone), INVALID_FILE_HANDLE);
  const THandle writer = FileOpen(name, fmOpenWrite | fmShareDenyNone);
  EXPECT_NE(writer, INVALID_FILE_HANDLE);
  FileClose(writer);
  FileClose(reader);

  const THandle exclusive = FileOpen(name, fmOpenWrite | fmShareExclusive);
  ASSERT_NE(exclusive, INVALID_FILE_HANDLE);
  EXPECT_EQ(FileOpen(name, fmOpenWrite | fmShareDenyNone), INVALID_FILE_HANDLE);
  FileClose(exclusive);
}

TEST(FileRoutines, FindAdmitsHiddenAndFolderEntriesOnlyWhenAsked) {
  test::TempDir dir;
  test::WriteBytes(dir / L"plain.txt", "abc");
  test::WriteBytes(dir / L"hidden.txt", "");
  SetFileAttributesW((dir / L"hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  CreateDirectoryW((dir / L"sub").c_str(), nullptr);

  auto names = [&](int attributes) {
    std::set<std::wstring> found;
    TSearchRec rec;
    if (FindFirst(dir / L"*", attributes, rec) == 0) {
      do found.insert(rec.Name.str());
      while (FindNext(rec) == 0);
      FindClose(rec);
    }
    return found;
  };
  EXPECT_EQ(names(0), (std::set<std::wstring>{L"plain.txt"}));
  EXPECT_EQ(names(faHidden), (std::set<std::wstring>{L"plain.txt", L"hidden.txt"}));
  EXPECT_EQ(names(faDirectory), (std::set<std::wstring>{L".", L"..", L"plain.txt", L"sub"}));
  EXPECT_EQ(names(faAnyFile).size(), 5u);

  TSearchRec rec;
  ASSERT_EQ(FindFirst(dir / L"plain.txt", faAnyFile, rec), 0);
  EXPECT_EQ(rec.Size, 3);
  FindClose(rec);
  EXPECT_NE(FindFirst(dir / L"nothing*", faAnyFile, rec), 0);
}

TEST(FilePaths, FolderNameAndExtensionParts) {
  struct { const wchar_t* path; const wchar_t* folder; const wchar_t* name; const wchar_t* ext; } cases[] = {
      {L"C:\\Zentaro.exe", L"C:\\", L"Zentaro.exe", L".exe"},
      {L"C:\\a\\b\\shot.jpg", L"C:\\a\\b\\", L"shot.jpg", L".jpg"},
      {L"D:shot.bmp", L"D:", L"shot.bmp", L".bmp"},
      {L"shot", L"", L"shot", L""},
      {L"dir.v2\\shot", L"dir.v2\\", L"shot", L""},
      {L"\\\\server\\share\\x.txt", L"\\\\server\\share\\", L"x.txt", L".txt"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExtractFilePath(c.path), UnicodeString(c.folder)) << rtl::WideToUtf8(c.path);
    EXPECT_EQ(ExtractFileName(c.path), UnicodeString(c.name));
    EXPECT_EQ(ExtractFileExt(c.path), UnicodeString(c.ext));
  }
  EXPECT_EQ(IncludeTrailingPathDelimiter(L"C:\\a"), UnicodeString(L"C:\\a\\"));
  EXPECT_EQ(IncludeTrailingPathDelimiter(L"C:\\a\\"), UnicodeString(L"C:\\a\\"));
}

TEST(FilePaths, ExecutableFileNameIsThisProgram) {
  const UnicodeString exe = ExecutableFileName();
  EXPECT_EQ(ExtractFileName(exe), UnicodeString(L"rtl_tests.exe"));
  EXPECT_TRUE(FileExists(exe));
}
