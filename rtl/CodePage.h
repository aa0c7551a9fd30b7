#pragma once
// Conversions between UTF-16 text and bytes in the system's ANSI code page.
// The interface is free of Win32 types so that code built on it can also be
// compiled natively; the Windows implementation lives in CodePage_win.cpp.
#include <string>

namespace rtl {

// UTF-16 -> ANSI code page. Characters the code page lacks become the code
// page's default character (as the system's conversion does).
std::string WideToAnsi(const std::wstring& text);
// ANSI code page -> UTF-16. Invalid byte sequences become U+FFFD or the
// code page's mapping of them, as the system decides.
std::wstring AnsiToWide(const std::string& bytes);
// UTF-8 <-> UTF-16, for exception texts and the occasional UTF-8 file.
std::string WideToUtf8(const std::wstring& text);
std::wstring Utf8ToWide(const std::string& bytes);
// The active ANSI code page number (936 on a Simplified-Chinese system).
unsigned AnsiCodePage();

}  // namespace rtl
