#include "kyt/vuzizev/FilesLog.h"

#include <climits>

#include "rtl/DateTime.h"
#include "rtl/FileRoutines.h"

namespace kyt {

UnicodeString GetAppPath() { return ExtractFilePath(ExecutableFileName()); }

std::int64_t GetFileSize(const UnicodeString& fileName) {
  TSearchRec rec;
  if (FindFirst(fileName, faAnyFile, rec) != 0) return -1;
  const ScopedFind search(rec);
  return rec.Size;
}

void GetFileList(TStrings* list, const UnicodeString& mask, int attributes) {
  const UnicodeString folder = ExtractFilePath(mask);
  TSearchRec rec;
  if (FindFirst(mask, attributes, rec) != 0) return;
  const ScopedFind search(rec);
  do {
    list->Add(folder + rec.Name);
  } while (FindNext(rec) == 0);
}

int LoadFileToBuf(const UnicodeString fileName, char*& buffer, int size) {
  if (!FileExists(fileName)) return 0;
  const ScopedFile file(FileOpen(fileName, fmOpenRead | fmShareDenyRead));
  if (size < 0) {
    const std::int64_t fileSize = GetFileSize(fileName);
    // A size that a 32-bit count cannot hold is refused, not truncated.
    if (fileSize < 0 || fileSize > INT_MAX) {
      buffer = nullptr;
      return -1;
    }
    size = static_cast<int>(fileSize);
  }
  buffer = new char[static_cast<size_t>(size)];
  if (!file.valid()) return -1;
  int total = 0;
  while (total < size) {
    const int got = FileRead(file.get(), buffer + total, size - total);
    if (got <= 0) break;
    total += got;
  }
  return total;
}

void WriteLog(const UnicodeString& from, const UnicodeString& message) {
  const UnicodeString fileName = GetAppPath() + L"debug_log.txt";
  // One reading of the clock, so an entry written at midnight cannot pair
  // one day's date with the other day's time.
  const TDateTime now = Now();
  const UnicodeString entry = UnicodeString(L"\r\ntime: ") + DateToStr(now) + L" " + TimeToStr(now) +
                              L"\r\nfrom: " + from + L"\r\nmessage: " + message + L"\r\n";
  const AnsiString bytes(entry);

  THandle handle = FileOpen(fileName, fmOpenWrite | fmShareExclusive);
  if (handle == INVALID_FILE_HANDLE) handle = FileCreate(fileName);
  const ScopedFile file(handle);
  if (!file.valid()) return;
  FileSeek(file.get(), 0, fsFromEnd);
  FileWrite(file.get(), bytes.c_str(), bytes.Length());
}

void CreateXmlFile(const UnicodeString& fileName, const UnicodeString& rootName,
                   const UnicodeString& encoding) {
  TStringList lines;
  lines.Add(L"<?xml version=\"1.0\" encoding=\"" + encoding + L"\" ?>");
  lines.Add(L"<" + rootName + L">");
  lines.Add(L"</" + rootName + L">");
  lines.SaveToFile(fileName);
}

}  // namespace kyt
