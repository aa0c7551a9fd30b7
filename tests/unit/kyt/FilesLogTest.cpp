#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <regex>

#include "kyt/Vuzizev.h"
#include "rtl/Exceptions.h"
#include "rtl/FileRoutines.h"
#include "support/Printers.h"
#include "support/TempDir.h"

using namespace kyt;

namespace {

// Copies the probe program into folder and runs it there with args; returns
// its exit code.
DWORD RunProbeIn(const UnicodeString& folder, const UnicodeString& args) {
  const UnicodeString probe = folder + L"KytProbe.exe";
  if (!FileExists(probe) &&
      !CopyFileW((ExtractFilePath(ExecutableFileName()) + L"KytProbe.exe").c_str(), probe.c_str(), FALSE))
    return 1000;
  std::wstring commandLine = L"\"" + probe.str() + L"\" " + args.str();
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(probe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return 1001;
  DWORD code = 1002;
  if (WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code;
}

void MakeSparseFile(const UnicodeString& name, long long size) {
  HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  LARGE_INTEGER at;
  at.QuadPart = size;
  ASSERT_TRUE(SetFilePointerEx(file, at, nullptr, FILE_BEGIN));
  ASSERT_TRUE(SetEndOfFile(file));
  CloseHandle(file);
}

}  // namespace

TEST(AppPath, IsTheExecutablesFolderWithTrailingDelimiter) {
  const UnicodeString path = GetAppPath();
  EXPECT_EQ(path, ExtractFilePath(ExecutableFileName()));
  EXPECT_EQ(path.str().back(), L'\\');
}

TEST(AppPath, AtTheRootOfADriveIsTheDriveAndOneDelimiter) {
  // scripts/test maps drive R: to an empty folder of the build tree.
  if (!DirectoryExists(L"R:\\")) GTEST_SKIP() << "drive R: is not mapped (run through scripts/test)";
  test::TempDir out;
  ASSERT_EQ(RunProbeIn(L"R:\\", L"apppath \"" + out.Path().str() + L"path.txt\""), 0u);
  const std::string bytes = test::ReadBytes(out / L"path.txt");
  EXPECT_EQ(bytes, std::string("R\0:\0\\\0", 6));
}

TEST(FileSize, SizesOfFirstMatchOrMinusOne) {
  test::TempDir dir;
  test::WriteBytes(dir / L"empty.txt", "");
  test::WriteBytes(dir / L"four.bin", "1234");
  MakeSparseFile(dir / L"big.bin", 5000000000LL);
  EXPECT_EQ(GetFileSize(dir / L"empty.txt"), 0);
  EXPECT_EQ(GetFileSize(dir / L"four.bin"), 4);
  EXPECT_EQ(GetFileSize(dir / L"four.*"), 4);
  EXPECT_EQ(GetFileSize(dir / L"big.bin"), 5000000000LL);
  EXPECT_EQ(GetFileSize(dir / L"nothing*"), -1);
}

TEST(FileList, AppendsFolderPlusNameOfEveryMatch) {
  test::TempDir dir;
  test::WriteBytes(dir / L"a.txt", "");
  test::WriteBytes(dir / L"截图.txt", "");
  test::WriteBytes(dir / L"c.bmp", "");
  CreateDirectoryW((dir / L"sub.txt").c_str(), nullptr);

  TStringList list;
  list.Add(L"kept");
  GetFileList(&list, dir / L"*.txt", 0);
  list.Delete(0);
  std::vector<std::wstring> found;
  for (int i = 0; i < list.Count(); ++i) found.push_back(list[i].str());
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (std::vector<std::wstring>{(dir / L"a.txt").str(), (dir / L"截图.txt").str()}));

  list.Clear();
  GetFileList(&list, dir / L"*", faDirectory);
  EXPECT_EQ(list.Count(), 6);  // ".", "..", three files and the folder
  EXPECT_GE(list.IndexOf(dir / L".."), 0);

  // A mask without a folder part gives bare names.
  wchar_t previous[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, previous);
  SetCurrentDirectoryW(dir.Path().c_str());
  list.Clear();
  GetFileList(&list, L"*.bmp", 0);
  SetCurrentDirectoryW(previous);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list[0], UnicodeString(L"c.bmp"));
}

TEST(LoadFileToBuf, ReadsAtMostSizeBytesIntoANewArray) {
  test::TempDir dir;
  test::WriteBytes(dir / L"four.bin", std::string("\x01\x00\xFF\x7F", 4));
  test::WriteBytes(dir / L"empty.bin", "");

  char* buffer = nullptr;
  EXPECT_EQ(LoadFileToBuf(dir / L"four.bin", buffer, 10), 4);
  std::unique_ptr<char[]> owned(buffer);
  EXPECT_EQ(std::string(buffer, 4), std::string("\x01\x00\xFF\x7F", 4));

  EXPECT_EQ(LoadFileToBuf(dir / L"four.bin", buffer, -1), 4);
  owned.reset(buffer);
  EXPECT_EQ(LoadFileToBuf(dir / L"four.bin", buffer, 2), 2);
  owned.reset(buffer);
  EXPECT_EQ(std::string(buffer, 2), std::string("\x01\x00", 2));

  buffer = nullptr;
  EXPECT_EQ(LoadFileToBuf(dir / L"empty.bin", buffer, -1), 0);
  EXPECT_NE(buffer, nullptr);  // a zero-length array, still the caller's
  owned.reset(buffer);

  char sentinel;
  buffer = &sentinel;
  EXPECT_EQ(LoadFileToBuf(dir / L"missing.bin", buffer, -1), 0);
  EXPECT_EQ(buffer, &sentinel);
}

TEST(LoadFileToBuf, FileThatCannotBeOpenedGivesMinusOneAndStillAnArray) {
  test::TempDir dir;
  test::WriteBytes(dir / L"locked.bin", "abc");
  HANDLE holder = CreateFileW((dir / L"locked.bin").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  char* buffer = nullptr;
  EXPECT_EQ(LoadFileToBuf(dir / L"locked.bin", buffer, -1), -1);
  CloseHandle(holder);
  EXPECT_NE(buffer, nullptr);
  delete[] buffer;
}

TEST(LoadFileToBuf, RefusesFilesTooLargeForA32BitSizeWithoutAllocating) {
  test::TempDir dir;
  for (long long size : {0x80000000LL, 0x100000004LL}) {
    MakeSparseFile(dir / L"huge.bin", size);
    char sentinel;
    char* buffer = &sentinel;
    EXPECT_EQ(LoadFileToBuf(dir / L"huge.bin", buffer, -1), -1) << size;
    EXPECT_EQ(buffer, nullptr) << size;
  }
}

TEST(WriteLog, EntriesAreAppendedInAnsiWithBlankLinesBetween) {
  test::TempDir dir;
  ASSERT_EQ(RunProbeIn(dir.Path(), L"log first 第一条"), 0u);
  ASSERT_EQ(RunProbeIn(dir.Path(), L"log \"src 2\" \"line\""), 0u);
  const std::string log = test::ReadBytes(dir / L"debug_log.txt");
  // zh_CN short date and long time; 第一条 in GBK.
  const std::regex entry(
      "\r\ntime: \\d{4}/\\d{1,2}/\\d{1,2} \\d{1,2}:\\d{2}:\\d{2}\r\n"
      "from: first\r\nmessage: \xB5\xDA\xD2\xBB\xCC\xF5\r\n"
      "\r\ntime: \\d{4}/\\d{1,2}/\\d{1,2} \\d{1,2}:\\d{2}:\\d{2}\r\n"
      "from: src 2\r\nmessage: line\r\n");
  EXPECT_TRUE(std::regex_match(log, entry)) << log;
}

TEST(WriteLog, ALogThatCannotBeOpenedLosesTheEntrySilently) {
  test::TempDir dir;
  test::WriteBytes(dir / L"debug_log.txt", "old");
  HANDLE holder = CreateFileW((dir / L"debug_log.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_EQ(RunProbeIn(dir.Path(), L"log a b"), 0u);
  CloseHandle(holder);
  EXPECT_EQ(test::ReadBytes(dir / L"debug_log.txt"), "old");
}

TEST(CreateXmlFile, WritesTheThreeLineSkeletonInAnsi) {
  test::TempDir dir;
  CreateXmlFile(dir / L"config.xml", L"config", L"UTF-8");
  EXPECT_EQ(test::ReadBytes(dir / L"config.xml"),
            "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<config>\r\n</config>\r\n");
  // Replaces an existing file; names go in as ANSI bytes, unchecked.
  CreateXmlFile(dir / L"config.xml", L"书签", L"GB2312");
  EXPECT_EQ(test::ReadBytes(dir / L"config.xml"),
            "<?xml version=\"1.0\" encoding=\"GB2312\" ?>\r\n<\xCA\xE9\xC7\xA9>\r\n</\xCA\xE9\xC7\xA9>\r\n");
}

TEST(CreateXmlFile, AFileThatCannotBeCreatedRaises) {
  test::TempDir dir;
  EXPECT_THROW(CreateXmlFile(dir / L"missing\\x.xml", L"r", L"UTF-8"), EFCreateError);
}
