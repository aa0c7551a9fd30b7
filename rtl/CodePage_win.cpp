#include "rtl/CodePage.h"

#include <windows.h>

#include <climits>
#include <stdexcept>

namespace rtl {
namespace {

std::string FromWide(UINT codePage, const std::wstring& text) {
  if (text.empty()) return {};
  if (text.size() > INT_MAX) throw std::length_error("text too long to convert");
  const int inLen = static_cast<int>(text.size());
  const int outLen = WideCharToMultiByte(codePage, 0, text.data(), inLen, nullptr, 0, nullptr, nullptr);
  if (outLen <= 0) return {};
  std::string out(static_cast<size_t>(outLen), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), inLen, out.data(), outLen, nullptr, nullptr);
  return out;
}

std::wstring ToWide(UINT codePage, const std::string& bytes) {
  if (bytes.empty()) return {};
  if (bytes.size() > INT_MAX) throw std::length_error("text too long to convert");
  const int inLen = static_cast<int>(bytes.size());
  const int outLen = MultiByteToWideChar(codePage, 0, bytes.data(), inLen, nullptr, 0);
  if (outLen <= 0) return {};
  std::wstring out(static_cast<size_t>(outLen), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), inLen, out.data(), outLen);
  return out;
}

}  // namespace

std::string WideToAnsi(const std::wstring& text) { return FromWide(CP_ACP, text); }
std::wstring AnsiToWide(const std::string& bytes) { return ToWide(CP_ACP, bytes); }
std::string WideToUtf8(const std::wstring& text) { return FromWide(CP_UTF8, text); }
std::wstring Utf8ToWide(const std::string& bytes) { return ToWide(CP_UTF8, bytes); }
unsigned AnsiCodePage() { return GetACP(); }

}  // namespace rtl
