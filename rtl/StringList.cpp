#include "rtl/StringList.h"

#include <climits>

#include "rtl/CodePage.h"
#include "rtl/Exceptions.h"
#include "rtl/FileRoutines.h"
#include "rtl/OsError.h"

namespace {

bool IsBlank(wchar_t c) { return c >= 1 && c <= L' '; }

// Reads a quoted item starting at the quote at text[pos]: a doubled quote
// stands for one; the item ends after the closing quote or at the end.
UnicodeString ExtractQuoted(const std::wstring& text, size_t& pos, wchar_t quote) {
  std::wstring out;
  ++pos;
  while (pos < text.size()) {
    if (text[pos] == quote) {
      if (pos + 1 < text.size() && text[pos + 1] == quote) {
        out += quote;
        pos += 2;
        continue;
      }
      ++pos;
      break;
    }
    out += text[pos++];
  }
  return UnicodeString(out);
}

}  // namespace

int TStrings::Add(const UnicodeString& text) {
  const int index = Count();
  Insert(index, text);
  return index;
}

void TStrings::AddStrings(const TStrings& other) {
  for (int i = 0; i < other.Count(); ++i) Add(other.Get(i));
}

int TStrings::IndexOf(const UnicodeString& text) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(Get(i), text)) return i;
  return -1;
}

UnicodeString TStrings::Text() const {
  UnicodeString out;
  for (int i = 0; i < Count(); ++i) out += Get(i) + L"\r\n";
  return out;
}

void TStrings::SetText(const UnicodeString& text) {
  Clear();
  const std::wstring& s = text.str();
  size_t start = 0;
  while (start < s.size()) {
    size_t end = start;
    while (end < s.size() && s[end] != L'\r' && s[end] != L'\n') ++end;
    Add(UnicodeString(s.substr(start, end - start)));
    if (end < s.size() && s[end] == L'\r') ++end;
    if (end < s.size() && s[end] == L'\n') ++end;
    start = end;
  }
}

UnicodeString TStrings::DelimitedText() const {
  if (Count() == 1 && Get(0).IsEmpty()) return UnicodeString(std::wstring(2, QuoteChar));
  std::wstring out;
  for (int i = 0; i < Count(); ++i) {
    const std::wstring item = Get(i).str();
    bool needsQuotes = false;
    for (wchar_t c : item)
      if (c == L'\0' || c == QuoteChar || c == Delimiter || (!StrictDelimiter && c <= L' ')) {
        needsQuotes = true;
        break;
      }
    if (i > 0) out += Delimiter;
    if (!needsQuotes) {
      out += item;
      continue;
    }
    out += QuoteChar;
    for (wchar_t c : item) {
      out += c;
      if (c == QuoteChar) out += c;
    }
    out += QuoteChar;
  }
  return UnicodeString(out);
}

void TStrings::SetDelimitedText(const UnicodeString& value) {
  Clear();
  // The text ends at its first NUL, as the platform's parse reads it.
  const std::wstring text = value.str().substr(0, value.str().find(L'\0'));
  size_t p = 0;
  auto skipBlanks = [&] {
    if (!StrictDelimiter)
      while (p < text.size() && IsBlank(text[p])) ++p;
  };
  skipBlanks();
  while (p < text.size()) {
    if (text[p] == QuoteChar) {
      Add(ExtractQuoted(text, p, QuoteChar));
    } else {
      const size_t begin = p;
      while (p < text.size() && text[p] != Delimiter && (StrictDelimiter || text[p] > L' ')) ++p;
      Add(UnicodeString(text.substr(begin, p - begin)));
    }
    skipBlanks();
    if (p < text.size() && text[p] == Delimiter) {
      if (p + 1 == text.size()) Add(UnicodeString());  // a trailing delimiter ends an empty item
      ++p;
      skipBlanks();
    }
  }
}

void TStrings::SaveToFile(const UnicodeString& fileName) const {
  const std::string bytes = rtl::WideToAnsi(Text().str());
  if (bytes.size() > INT_MAX) throw EInOutError(L"Text too long for \"" + fileName + L"\"");
  const ScopedFile file(FileCreate(fileName));
  if (!file.valid())
    throw EFCreateError(L"Cannot create file \"" + fileName + L"\". " + SysErrorMessage(GetLastOSError()));
  const int written = bytes.empty() ? 0 : FileWrite(file.get(), bytes.data(), static_cast<int>(bytes.size()));
  if (written != static_cast<int>(bytes.size()))
    throw EInOutError(L"Cannot write file \"" + fileName + L"\"");
}

void TStrings::LoadFromFile(const UnicodeString& fileName) {
  std::string bytes;
  int got;
  {
    const ScopedFile file(FileOpen(fileName, fmOpenRead | fmShareDenyWrite));
    if (!file.valid())
      throw EFOpenError(L"Cannot open file \"" + fileName + L"\". " + SysErrorMessage(GetLastOSError()));
    char chunk[64 * 1024];
    while ((got = FileRead(file.get(), chunk, sizeof chunk)) > 0) bytes.append(chunk, static_cast<size_t>(got));
  }
  if (got < 0) throw EInOutError(L"Cannot read file \"" + fileName + L"\"");

  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    SetText(UnicodeString(rtl::Utf8ToWide(bytes.substr(3))));
  } else if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    std::wstring wide((bytes.size() - 2) / 2, L'\0');
    for (size_t i = 0; i < wide.size(); ++i)
      wide[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 + 2 * i]) |
                                     static_cast<unsigned char>(bytes[3 + 2 * i]) << 8);
    SetText(UnicodeString(wide));
  } else {
    SetText(UnicodeString(AnsiString(bytes)));
  }
}

void TStrings::CheckIndex(int index, int limit) const {
  if (index < 0 || index >= limit)
    throw EListError(L"List index out of bounds (" + IntToStr(index) + L")");
}

UnicodeString TStringList::Get(int index) const {
  CheckIndex(index, Count());
  return items_[static_cast<size_t>(index)];
}

void TStringList::Put(int index, const UnicodeString& text) {
  CheckIndex(index, Count());
  items_[static_cast<size_t>(index)] = text;
}

void TStringList::Insert(int index, const UnicodeString& text) {
  CheckIndex(index, Count() + 1);
  items_.insert(items_.begin() + index, text);
}

void TStringList::Delete(int index) {
  CheckIndex(index, Count());
  items_.erase(items_.begin() + index);
}
