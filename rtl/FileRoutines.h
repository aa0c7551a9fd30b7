#pragma once
// File routines over the operating system's file API. A failed open or
// create gives INVALID_FILE_HANDLE (-1); every later call on that handle
// fails without effect (-1 or no-op).
#include <cstdint>

#include "rtl/UnicodeString.h"

using THandle = std::intptr_t;
constexpr THandle INVALID_FILE_HANDLE = -1;

// Access (low bits) and sharing (next four bits) for FileOpen.
enum : unsigned {
  fmOpenRead = 0x0000,
  fmOpenWrite = 0x0001,
  fmOpenReadWrite = 0x0002,
  fmShareCompat = 0x0000,     // no sharing
  fmShareExclusive = 0x0010,  // no sharing
  fmShareDenyWrite = 0x0020,  // others may read
  fmShareDenyRead = 0x0030,   // others may write
  fmShareDenyNone = 0x0040,   // others may read and write
};

// Origins for FileSeek.
enum : int { fsFromBeginning = 0, fsFromCurrent = 1, fsFromEnd = 2 };

THandle FileOpen(const UnicodeString& fileName, unsigned mode);
// Creates a new empty file (replacing one of that name), read/write, unshared.
THandle FileCreate(const UnicodeString& fileName);
// The new position from the file's beginning, or -1.
std::int64_t FileSeek(THandle file, std::int64_t offset, int origin);
// Bytes transferred, or -1.
int FileRead(THandle file, void* buffer, int count);
int FileWrite(THandle file, const void* buffer, int count);
void FileClose(THandle file);
// Owns a handle from FileOpen/FileCreate and closes it on every path out.
class ScopedFile {
 public:
  explicit ScopedFile(THandle file) : file_(file) {}
  ~ScopedFile() { FileClose(file_); }
  ScopedFile(const ScopedFile&) = delete;
  ScopedFile& operator=(const ScopedFile&) = delete;
  THandle get() const { return file_; }
  bool valid() const { return file_ != INVALID_FILE_HANDLE; }

 private:
  THandle file_;
};

// True for an existing file (not a folder).
bool FileExists(const UnicodeString& fileName);
bool DirectoryExists(const UnicodeString& path);

// File search. Attribute bits; faAnyFile admits every kind of entry.
enum : int {
  faReadOnly = 0x01,
  faHidden = 0x02,
  faSysFile = 0x04,
  faVolumeID = 0x08,
  faDirectory = 0x10,
  faArchive = 0x20,
  faNormal = 0x80,
  faTemporary = 0x100,
  faSymLink = 0x400,
  faAnyFile = 0x1FF,
};

struct TSearchRec {
  std::int64_t Size = 0;
  int Attr = 0;
  UnicodeString Name;
  int ExcludeAttr = 0;
  void* FindHandle = nullptr;  // owned by the search; released by FindClose
};

// Ordinary files always match; hidden, system and folder entries only when
// their bit is in attributes. 0 on success, else the system's error code.
int FindFirst(const UnicodeString& path, int attributes, TSearchRec& rec);
int FindNext(TSearchRec& rec);
void FindClose(TSearchRec& rec);

// Closes a search on every path out.
class ScopedFind {
 public:
  explicit ScopedFind(TSearchRec& rec) : rec_(rec) {}
  ~ScopedFind() { FindClose(rec_); }
  ScopedFind(const ScopedFind&) = delete;
  ScopedFind& operator=(const ScopedFind&) = delete;

 private:
  TSearchRec& rec_;
};

// The folder part of a path, up to and including the last "\", "/" or ":".
UnicodeString ExtractFilePath(const UnicodeString& fileName);
// The name after the folder part.
UnicodeString ExtractFileName(const UnicodeString& fileName);
// The extension, with its dot ("" when there is none).
UnicodeString ExtractFileExt(const UnicodeString& fileName);
// A path ending in "\" (unless empty).
UnicodeString IncludeTrailingPathDelimiter(const UnicodeString& path);

// Full path of the running executable.
UnicodeString ExecutableFileName();
