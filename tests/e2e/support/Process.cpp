#include "e2e/support/Process.h"

#include "rtl/CodePage.h"

namespace e2e {

namespace {

std::string Narrow(const std::wstring& text) { return rtl::WideToUtf8(text); }

bool IsFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::wstring QuoteArgument(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
  std::wstring quoted = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    // Backslashes before a quote are doubled, and the quote escaped.
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');  // the closing quote must stay a quote
  return quoted + L"\"";
}

ChildProcess::ChildProcess(const UnicodeString& program, const std::vector<UnicodeString>& args,
                           const UnicodeString& workDir) {
  std::wstring commandLine = QuoteArgument(program.str());
  for (const UnicodeString& arg : args) commandLine += L" " + QuoteArgument(arg.str());
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  std::wstring writable = commandLine;
  if (!CreateProcessW(program.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      workDir.IsEmpty() ? nullptr : workDir.c_str(), &startup, &info)) {
    error_ = "cannot start " + Narrow(commandLine) + " (error " + std::to_string(GetLastError()) + ")";
    return;
  }
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  id_ = info.dwProcessId;
}

ChildProcess::~ChildProcess() {
  if (!process_) return;
  Terminate();
  CloseHandle(process_);
}

bool ChildProcess::Wait(int timeoutMs) const {
  return process_ && WaitForSingleObject(process_, static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
}

bool ChildProcess::IsRunning() const { return process_ && !Wait(0); }

DWORD ChildProcess::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (process_) GetExitCodeProcess(process_, &code);
  return code;
}

void ChildProcess::Terminate() {
  if (IsRunning()) {
    TerminateProcess(process_, 1);
    Wait(5000);
  }
}

UnicodeString TestExeDir() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

UnicodeString BuildRoot() {
  std::wstring dir = TestExeDir().str();
  while (!dir.empty()) {
    if (IsFile(dir + L"CMakeCache.txt")) return dir;
    const size_t slash = dir.find_last_of(L"\\/", dir.size() - 2);
    if (slash == std::wstring::npos) break;
    dir.resize(slash + 1);
  }
  return UnicodeString();
}

UnicodeString BuildPath(const UnicodeString& relative) {
  std::wstring path = BuildRoot().str() + relative.str();
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  return path;
}

}  // namespace e2e
