// The path-string routines of FileRoutines.h: pure text, no file system.
#include "rtl/FileRoutines.h"

namespace {

// Index just past the folder part: after the last "\", "/" or drive ":".
size_t FolderEnd(const std::wstring& path) {
  const size_t at = path.find_last_of(L"\\/:");
  return at == std::wstring::npos ? 0 : at + 1;
}

}  // namespace

UnicodeString ExtractFilePath(const UnicodeString& fileName) {
  return UnicodeString(fileName.str().substr(0, FolderEnd(fileName.str())));
}

UnicodeString ExtractFileName(const UnicodeString& fileName) {
  return UnicodeString(fileName.str().substr(FolderEnd(fileName.str())));
}

UnicodeString ExtractFileExt(const UnicodeString& fileName) {
  const std::wstring name = ExtractFileName(fileName).str();
  const size_t dot = name.rfind(L'.');
  return dot == std::wstring::npos ? UnicodeString() : UnicodeString(name.substr(dot));
}

UnicodeString IncludeTrailingPathDelimiter(const UnicodeString& path) {
  if (path.IsEmpty() || path.str().back() == L'\\') return path;
  return path + L"\\";
}
