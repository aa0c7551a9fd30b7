#include <windows.h>

#include <vector>

#include "rtl/FileRoutines.h"

namespace {

HANDLE ToHandle(THandle file) { return reinterpret_cast<HANDLE>(file); }

// Hidden, system and folder entries must be asked for; everything else is
// always admitted.
constexpr int kSpecialAttributes = faHidden | faSysFile | faDirectory;

// Advances the search until an entry passes the attribute filter.
int FindMatching(TSearchRec& rec, WIN32_FIND_DATAW& data) {
  HANDLE search = rec.FindHandle;
  while (static_cast<int>(data.dwFileAttributes) & rec.ExcludeAttr) {
    if (!FindNextFileW(search, &data)) return static_cast<int>(GetLastError());
  }
  rec.Size = static_cast<std::int64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
  rec.Attr = static_cast<int>(data.dwFileAttributes);
  rec.Name = UnicodeString(data.cFileName);
  return 0;
}

}  // namespace

THandle FileOpen(const UnicodeString& fileName, unsigned mode) {
  static const DWORD kAccess[3] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
  static const DWORD kShare[5] = {0, 0, FILE_SHARE_READ, FILE_SHARE_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE};
  const unsigned access = mode & 0x3;
  const unsigned share = (mode & 0xF0) >> 4;
  if (access > 2 || share > 4) return INVALID_FILE_HANDLE;
  HANDLE file = CreateFileW(fileName.c_str(), kAccess[access], kShare[share], nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  return file == INVALID_HANDLE_VALUE ? INVALID_FILE_HANDLE : reinterpret_cast<THandle>(file);
}

THandle FileCreate(const UnicodeString& fileName) {
  HANDLE file = CreateFileW(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  return file == INVALID_HANDLE_VALUE ? INVALID_FILE_HANDLE : reinterpret_cast<THandle>(file);
}

std::int64_t FileSeek(THandle file, std::int64_t offset, int origin) {
  if (file == INVALID_FILE_HANDLE || origin < 0 || origin > 2) return -1;
  LARGE_INTEGER distance, position;
  distance.QuadPart = offset;
  if (!SetFilePointerEx(ToHandle(file), distance, &position, static_cast<DWORD>(origin))) return -1;
  return position.QuadPart;
}

int FileRead(THandle file, void* buffer, int count) {
  if (file == INVALID_FILE_HANDLE || count < 0) return -1;
  DWORD done = 0;
  if (!ReadFile(ToHandle(file), buffer, static_cast<DWORD>(count), &done, nullptr)) return -1;
  return static_cast<int>(done);
}

int FileWrite(THandle file, const void* buffer, int count) {
  if (file == INVALID_FILE_HANDLE || count < 0) return -1;
  DWORD done = 0;
  if (!WriteFile(ToHandle(file), buffer, static_cast<DWORD>(count), &done, nullptr)) return -1;
  return static_cast<int>(done);
}

void FileClose(THandle file) {
  if (file != INVALID_FILE_HANDLE) CloseHandle(ToHandle(file));
}

bool FileExists(const UnicodeString& fileName) {
  const DWORD attributes = GetFileAttributesW(fileName.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const UnicodeString& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int FindFirst(const UnicodeString& path, int attributes, TSearchRec& rec) {
  rec.ExcludeAttr = ~attributes & kSpecialAttributes;
  WIN32_FIND_DATAW data;
  HANDLE search = FindFirstFileW(path.c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) {
    rec.FindHandle = nullptr;
    return static_cast<int>(GetLastError());
  }
  rec.FindHandle = search;
  const int result = FindMatching(rec, data);
  if (result != 0) FindClose(rec);
  return result;
}

int FindNext(TSearchRec& rec) {
  if (!rec.FindHandle) return ERROR_INVALID_HANDLE;
  WIN32_FIND_DATAW data;
  if (!FindNextFileW(rec.FindHandle, &data)) return static_cast<int>(GetLastError());
  return FindMatching(rec, data);
}

void FindClose(TSearchRec& rec) {
  if (rec.FindHandle) ::FindClose(rec.FindHandle);
  rec.FindHandle = nullptr;
}

UnicodeString ExecutableFileName() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return UnicodeString(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}
