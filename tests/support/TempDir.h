#pragma once
// A fresh folder under the system's temporary folder, removed with all its
// contents when the object goes.
#include <string>

#include "rtl/UnicodeString.h"

namespace test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder, ending in "\".
  const UnicodeString& Path() const { return path_; }
  UnicodeString operator/(const wchar_t* name) const { return path_ + name; }

 private:
  UnicodeString path_;
};

// Whole-file helpers for checking what code under test wrote.
std::string ReadBytes(const UnicodeString& fileName);
void WriteBytes(const UnicodeString& fileName, const std::string& bytes);

}  // namespace test
