// A small program that the library tests copy to other folders and run, to
// see what the library does where the executable itself lies:
//   KytProbe apppath <file>      writes kyt::GetAppPath() to <file> (UTF-16)
//   KytProbe log <from> <text>   appends one kyt::WriteLog entry
#include <windows.h>

#include <cwchar>

#include "kyt/Vuzizev.h"

int wmain(int argc, wchar_t** argv) {
  if (argc == 3 && std::wcscmp(argv[1], L"apppath") == 0) {
    const UnicodeString path = kyt::GetAppPath();
    HANDLE out = CreateFileW(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE) return 3;
    DWORD written = 0;
    WriteFile(out, path.c_str(), static_cast<DWORD>(path.Length() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(out);
    return 0;
  }
  if (argc == 4 && std::wcscmp(argv[1], L"log") == 0) {
    kyt::WriteLog(argv[2], argv[3]);
    return 0;
  }
  return 2;
}
