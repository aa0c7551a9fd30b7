#include "support/TempDir.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace test {

TempDir::TempDir() {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  static unsigned counter = 0;
  for (;;) {
    const std::wstring candidate = std::wstring(base) + L"zentaro-test-" +
                                   std::to_wstring(GetCurrentProcessId()) + L"-" +
                                   std::to_wstring(++counter) + L"\\";
    if (CreateDirectoryW(candidate.c_str(), nullptr)) {
      path_ = UnicodeString(candidate);
      return;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create a temporary folder");
  }
}

TempDir::~TempDir() {
  std::error_code ignored;
  // Clear attributes that would stop removal (tests make read-only files).
  for (const auto& entry : std::filesystem::recursive_directory_iterator(path_.str(), ignored))
    SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
  std::filesystem::remove_all(path_.str(), ignored);
}

std::string ReadBytes(const UnicodeString& fileName) {
  std::ifstream in(std::filesystem::path(fileName.str()), std::ios::binary);
  if (!in) throw std::runtime_error("cannot read test file");
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const UnicodeString& fileName, const std::string& bytes) {
  std::ofstream out(std::filesystem::path(fileName.str()), std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write test file");
}

}  // namespace test
