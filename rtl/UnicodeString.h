#pragma once
// The two string kinds of the runtime layer:
//   UnicodeString - UTF-16 text (wchar_t is a UTF-16 code unit on Windows);
//   AnsiString    - bytes in the system's ANSI code page (GBK on code page 936).
// Both are thin value types over the standard strings; converting between
// them always goes through the system's code page (rtl/CodePage.h).
#include <cstddef>
#include <string>

#ifdef _WIN32
static_assert(sizeof(wchar_t) == 2, "UnicodeString assumes UTF-16 wchar_t");
#endif

class AnsiString;

class UnicodeString {
 public:
  UnicodeString() = default;
  UnicodeString(const wchar_t* text) : s_(text ? text : L"") {}
  UnicodeString(const wchar_t* text, std::size_t length) : s_(text, length) {}
  UnicodeString(std::wstring text) : s_(std::move(text)) {}
  explicit UnicodeString(wchar_t c) : s_(1, c) {}
  // Decodes ANSI bytes through the system's code page.
  explicit UnicodeString(const AnsiString& bytes);

  int Length() const { return static_cast<int>(s_.size()); }
  bool IsEmpty() const { return s_.empty(); }
  const wchar_t* c_str() const { return s_.c_str(); }
  const std::wstring& str() const { return s_; }
  std::wstring& str() { return s_; }

  // 1-based position of the first occurrence of sub, 0 when absent (also for
  // an empty sub).
  int Pos(const UnicodeString& sub) const;
  // count characters from the 1-based position start, clipped to the text.
  UnicodeString SubString(int start, int count) const;

  UnicodeString& operator+=(const UnicodeString& other) { s_ += other.s_; return *this; }
  UnicodeString& operator+=(wchar_t c) { s_ += c; return *this; }

  friend bool operator==(const UnicodeString& a, const UnicodeString& b) { return a.s_ == b.s_; }
  friend bool operator!=(const UnicodeString& a, const UnicodeString& b) { return a.s_ != b.s_; }
  friend bool operator<(const UnicodeString& a, const UnicodeString& b) { return a.s_ < b.s_; }

 private:
  std::wstring s_;
};

inline UnicodeString operator+(UnicodeString a, const UnicodeString& b) { return a += b; }
inline UnicodeString operator+(const wchar_t* a, const UnicodeString& b) { return UnicodeString(a) += b; }

class AnsiString {
 public:
  AnsiString() = default;
  AnsiString(const char* bytes) : s_(bytes ? bytes : "") {}
  AnsiString(const char* bytes, std::size_t length) : s_(bytes, length) {}
  AnsiString(std::string bytes) : s_(std::move(bytes)) {}
  // Encodes UTF-16 text in the system's code page; characters the code page
  // lacks become its default character.
  explicit AnsiString(const UnicodeString& text);

  int Length() const { return static_cast<int>(s_.size()); }
  bool IsEmpty() const { return s_.empty(); }
  const char* c_str() const { return s_.c_str(); }
  const std::string& str() const { return s_; }
  std::string& str() { return s_; }

  AnsiString& operator+=(const AnsiString& other) { s_ += other.s_; return *this; }
  AnsiString& operator+=(char c) { s_ += c; return *this; }

  friend bool operator==(const AnsiString& a, const AnsiString& b) { return a.s_ == b.s_; }
  friend bool operator!=(const AnsiString& a, const AnsiString& b) { return a.s_ != b.s_; }

 private:
  std::string s_;
};

inline AnsiString operator+(AnsiString a, const AnsiString& b) { return a += b; }

UnicodeString IntToStr(long long value);
// Equal ignoring case (per UTF-16 code unit).
bool SameText(const UnicodeString& a, const UnicodeString& b);
