#pragma once
// TStrings: the abstract list of strings; TStringList: the concrete one.
// Indexed access outside 0..Count()-1 raises EListError. Text joins items
// with CR LF; DelimitedText follows the platform's parsing rules (quoting with
// QuoteChar, blanks also separate unless StrictDelimiter).
#include <vector>

#include "rtl/UnicodeString.h"

class TStrings {
 public:
  virtual ~TStrings() = default;

  virtual int Count() const = 0;
  virtual UnicodeString Get(int index) const = 0;
  virtual void Put(int index, const UnicodeString& text) = 0;
  virtual void Insert(int index, const UnicodeString& text) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

  UnicodeString operator[](int index) const { return Get(index); }
  int Add(const UnicodeString& text);
  void AddStrings(const TStrings& other);
  // Index of the first item equal to text (case-insensitive), or -1.
  int IndexOf(const UnicodeString& text) const;

  UnicodeString Text() const;
  void SetText(const UnicodeString& text);

  wchar_t Delimiter = L',';
  wchar_t QuoteChar = L'"';
  bool StrictDelimiter = false;
  UnicodeString DelimitedText() const;
  void SetDelimitedText(const UnicodeString& text);

  // ANSI code page, no byte-order mark; creates or replaces the file.
  // Raises EFCreateError when the file cannot be written.
  void SaveToFile(const UnicodeString& fileName) const;
  // Reads UTF-8 or UTF-16 LE text when it starts with a byte-order mark,
  // ANSI otherwise. Raises EFOpenError when the file cannot be read.
  void LoadFromFile(const UnicodeString& fileName);

 protected:
  void CheckIndex(int index, int limit) const;
};

class TStringList : public TStrings {
 public:
  int Count() const override { return static_cast<int>(items_.size()); }
  UnicodeString Get(int index) const override;
  void Put(int index, const UnicodeString& text) override;
  void Insert(int index, const UnicodeString& text) override;
  void Delete(int index) override;
  void Clear() override { items_.clear(); }

 private:
  std::vector<UnicodeString> items_;
};
