#pragma once
// Starting the program under test and finding build outputs.
#include <windows.h>

#include <string>
#include <vector>

#include "rtl/UnicodeString.h"

namespace e2e {

// A started program. The destructor ends it (TerminateProcess) if it still
// runs, so a failing test leaves nothing behind.
class ChildProcess {
 public:
  // Starts program with arguments (quoted here as needed) in workDir (empty:
  // this process's current folder). Check Started() before use.
  explicit ChildProcess(const UnicodeString& program, const std::vector<UnicodeString>& args = {},
                        const UnicodeString& workDir = UnicodeString());
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return process_ != nullptr; }
  // Why the start failed (with the command line), for test messages.
  const std::string& Error() const { return error_; }
  DWORD Id() const { return id_; }
  HANDLE Handle() const { return process_; }

  // True once the process has ended, false when timeoutMs ran out first.
  bool Wait(int timeoutMs) const;
  bool IsRunning() const;
  // The exit code; STILL_ACTIVE while it runs.
  DWORD ExitCode() const;
  // Ends the process now and waits (bounded) until it is gone.
  void Terminate();

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
  std::string error_;
};

// One argument quoted for a command line the way CommandLineToArgvW and the
// C runtime split it again.
std::wstring QuoteArgument(const std::wstring& arg);

// The folder of the running test executable, ending in "\".
UnicodeString TestExeDir();
// The build tree's root: the nearest folder above the test executable that
// holds CMakeCache.txt; ends in "\". Empty when there is none.
UnicodeString BuildRoot();
// A build output by its path relative to the build root, "/" or "\"
// separated: BuildPath(L"app/Zentaro.exe").
UnicodeString BuildPath(const UnicodeString& relative);

}  // namespace e2e
