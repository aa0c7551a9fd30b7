#include "ui/win/FileReplace.h"

#include <windows.h>

#include <string>

#include "rtl/Exceptions.h"
#include "rtl/OsError.h"
#include "ui/win/Handles.h"

namespace ui::win {
namespace {

UnicodeString CannotCreate(const UnicodeString& fileName, DWORD error) {
  return L"Cannot create file \"" + fileName + L"\". " + SysErrorMessage(error);
}

// MoveFileEx needs absolute paths to behave alike on every system.
std::wstring FullPath(const UnicodeString& fileName) {
  DWORD needed = GetFullPathNameW(fileName.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return fileName.str();
  std::wstring full(needed, L'\0');
  DWORD got = GetFullPathNameW(fileName.c_str(), needed, full.data(), nullptr);
  full.resize(got < needed ? got : 0);
  return full.empty() ? fileName.str() : full;
}

// A fresh name in the target's own folder, so the final move is a rename
// within one volume.
std::wstring SiblingTempName(const std::wstring& target, unsigned attempt) {
  static unsigned counter = 0;
  wchar_t suffix[48];
  swprintf(suffix, 48, L".%lx-%x-%x.tmp", GetCurrentProcessId(), ++counter, attempt);
  return target + suffix;
}

}  // namespace

void WriteFileReplacing(const UnicodeString& fileName, const void* data, std::size_t size) {
  const std::wstring target = FullPath(fileName);
  // A read-only file is refused as the system refuses to open it for
  // writing; renaming over it would bypass that.
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
    throw EFCreateError(CannotCreate(fileName, ERROR_ACCESS_DENIED));
  std::wstring temp;
  KernelHandle file;
  for (unsigned attempt = 0; attempt < 16 && !file; ++attempt) {
    temp = SiblingTempName(target, attempt);
    file = KernelHandle(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file && GetLastError() != ERROR_FILE_EXISTS) break;
  }
  if (!file) throw EFCreateError(CannotCreate(fileName, GetLastError()));

  auto discard = [&] {
    file.reset();
    DeleteFileW(temp.c_str());
  };
  const char* bytes = static_cast<const char*>(data);
  std::size_t left = size;
  while (left > 0) {
    DWORD chunk = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes, chunk, &written, nullptr) || written != chunk) {
      DWORD error = GetLastError();
      discard();
      throw EInOutError(L"Cannot write file \"" + fileName + L"\". " + SysErrorMessage(error));
    }
    bytes += written;
    left -= written;
  }
  if (!FlushFileBuffers(file.get())) {
    DWORD error = GetLastError();
    discard();
    throw EInOutError(L"Cannot write file \"" + fileName + L"\". " + SysErrorMessage(error));
  }
  file.reset();
  if (!MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DWORD error = GetLastError();
    DeleteFileW(temp.c_str());
    throw EFCreateError(CannotCreate(fileName, error));
  }
}

}  // namespace ui::win
