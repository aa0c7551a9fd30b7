#include "ui/streaming/FormText.h"

#include <cstdint>
#include <cstdio>
#include <utility>

namespace ui {

namespace {

std::wstring Widen(const std::string& ascii) {
  return std::wstring(ascii.begin(), ascii.end());
}

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsIdentStart(char c) { return IsAsciiLetter(c) || c == '_'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || IsDigit(c) || c == '.'; }
int HexDigit(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool SameAscii(const std::string& a, const char* keyword) {
  std::size_t i = 0;
  for (; i < a.size() && keyword[i]; ++i) {
    char c = a[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != keyword[i]) return false;
  }
  return i == a.size() && !keyword[i];
}

// Dots join name parts (Font.Name, Module.Component); an empty part is a typo.
bool WellFormedDots(const std::string& name) {
  return name.back() != '.' && name.find("..") == std::string::npos;
}

// Identifier rules shared by reader and writer, so that whatever the writer
// accepts reads back unchanged.
bool IsIdent(const std::wstring& s, bool allowDots) {
  if (s.empty() || s[0] > 0x7F || !IsIdentStart(static_cast<char>(s[0]))) return false;
  std::string ascii;
  for (wchar_t c : s) {
    if (c > 0x7F) return false;
    const char b = static_cast<char>(c);
    if (!IsIdentChar(b) || (b == '.' && !allowDots)) return false;
    ascii += b;
  }
  return WellFormedDots(ascii);
}

enum class Tok { End, Ident, Integer, String, Symbol };

struct Token {
  Tok type = Tok::End;
  int line = 1;
  std::string ident;  // Ident (ASCII)
  long long integer = 0;
  std::wstring text;  // String, as UTF-16 code units
  char symbol = 0;
};

std::string Describe(const Token& t) {
  switch (t.type) {
    case Tok::End: return "end of text";
    case Tok::Ident: return "'" + (t.ident.size() > 40 ? t.ident.substr(0, 40) + "..." : t.ident) + "'";
    case Tok::Integer: return "a number";
    case Tok::String: return "a string";
    case Tok::Symbol: break;
  }
  return std::string("'") + t.symbol + "'";
}

class Lexer {
 public:
  explicit Lexer(const std::string& text) : s_(text) {
    if (s_.compare(0, 3, "\xEF\xBB\xBF") == 0) pos_ = 3;
  }

  Token Next() {
    SkipSpace();
    Token t;
    t.line = line_;
    if (pos_ >= s_.size()) {
      t.line = lastLine_;
      return t;
    }
    const char c = s_[pos_];
    if (IsIdentStart(c)) {
      t.type = Tok::Ident;
      ReadIdent(t);
    } else if (IsDigit(c) || c == '-' || c == '$') {
      t.type = Tok::Integer;
      t.integer = ReadInteger();
    } else if (c == '\'' || c == '#') {
      t.type = Tok::String;
      t.text = ReadString();
    } else if (c == '=' || c == ':' || c == '[' || c == ']' || c == '(' || c == ')' || c == ',' ||
               c == '+') {
      t.type = Tok::Symbol;
      t.symbol = c;
      ++pos_;
    } else {
      const unsigned char b = static_cast<unsigned char>(c);
      char what[48];
      if (b >= 0x21 && b < 0x7F)
        std::snprintf(what, sizeof what, "unexpected character '%c'", c);
      else
        std::snprintf(what, sizeof what, "unexpected byte 0x%02X", b);
      throw EParserError(line_, what);
    }
    lastLine_ = line_;
    return t;
  }

 private:
  bool AtEnd() const { return pos_ >= s_.size(); }
  char Peek() const { return pos_ < s_.size() ? s_[pos_] : '\0'; }

  void SkipSpace() {
    while (pos_ < s_.size()) {
      const char c = s_[pos_];
      if (c == '\n') {
        ++line_;
      } else if (c == '\r') {
        if (pos_ + 1 < s_.size() && s_[pos_ + 1] == '\n') ++pos_;
        ++line_;
      } else if (c != ' ' && c != '\t') {
        return;
      }
      ++pos_;
    }
  }

  void ReadIdent(Token& t) {
    const std::size_t start = pos_;
    while (pos_ < s_.size() && IsIdentChar(s_[pos_])) ++pos_;
    t.ident = s_.substr(start, pos_ - start);
    if (!WellFormedDots(t.ident))
      throw EParserError(line_, "malformed name " + Describe(t) + " (empty part between dots)");
  }

  long long ReadInteger() {
    bool negative = false;
    if (Peek() == '-') {
      negative = true;
      ++pos_;
    }
    const unsigned long long limit =
        negative ? 9223372036854775808ULL : 9223372036854775807ULL;
    unsigned long long value = 0;
    bool overflow = false;
    int digits = 0;
    if (Peek() == '$') {
      ++pos_;
      for (int d; (d = HexDigit(Peek())) >= 0; ++pos_, ++digits) {
        if (value > (limit - static_cast<unsigned>(d)) / 16) overflow = true;
        else value = value * 16 + static_cast<unsigned>(d);
      }
      if (digits == 0) throw EParserError(line_, "expected hexadecimal digits after '$'");
    } else {
      for (; IsDigit(Peek()); ++pos_, ++digits) {
        const unsigned d = static_cast<unsigned>(Peek() - '0');
        if (value > (limit - d) / 10) overflow = true;
        else value = value * 10 + d;
      }
      if (digits == 0) throw EParserError(line_, "expected digits after '-'");
    }
    if (IsIdentChar(Peek()))
      throw EParserError(line_, Peek() == '.' ? std::string("fractional numbers are not supported")
                                              : std::string("malformed number"));
    if (overflow) throw EParserError(line_, "number out of 64-bit range");
    if (!negative) return static_cast<long long>(value);
    // -(2^63) has no positive counterpart; form it without overflowing.
    return value == 0 ? 0 : -static_cast<long long>(value - 1) - 1;
  }

  // Quoted runs and #codes joined without spaces; '+' continues the string
  // with the next one (usually on the next line).
  std::wstring ReadString() {
    std::wstring out;
    for (;;) {
      const char c = Peek();
      if (c == '\'') {
        ReadQuoted(out);
      } else if (c == '#') {
        ReadCode(out);
      } else {
        const std::size_t savedPos = pos_;
        const int savedLine = line_;
        SkipSpace();
        if (Peek() != '+') {
          pos_ = savedPos;
          line_ = savedLine;
          return out;
        }
        const int plusLine = line_;
        ++pos_;
        SkipSpace();
        if (Peek() != '\'' && Peek() != '#')
          throw EParserError(AtEnd() ? plusLine : line_, "expected a string after '+'");
      }
    }
  }

  void ReadQuoted(std::wstring& out) {
    ++pos_;  // opening quote
    for (;;) {
      if (AtEnd() || Peek() == '\r' || Peek() == '\n')
        throw EParserError(line_, "unterminated string");
      const unsigned char b = static_cast<unsigned char>(s_[pos_]);
      if (b == '\'') {
        ++pos_;
        if (Peek() != '\'') return;
        out += L'\'';
        ++pos_;
      } else if (b < 0x80) {
        out += static_cast<wchar_t>(b);
        ++pos_;
      } else {
        AppendUtf8(out);
      }
    }
  }

  // One strictly valid UTF-8 sequence (no overlong forms, no surrogates,
  // nothing above U+10FFFF) as one or two UTF-16 code units.
  void AppendUtf8(std::wstring& out) {
    const unsigned char b0 = static_cast<unsigned char>(s_[pos_]);
    int extra;
    std::uint32_t cp, min;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
      extra = 1; cp = b0 & 0x1Fu; min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
      extra = 2; cp = b0 & 0x0Fu; min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
      extra = 3; cp = b0 & 0x07u; min = 0x10000;
    } else {
      throw EParserError(line_, "invalid UTF-8 in string");
    }
    for (int i = 1; i <= extra; ++i) {
      if (pos_ + static_cast<std::size_t>(i) >= s_.size())
        throw EParserError(line_, "invalid UTF-8 in string");
      const unsigned char b = static_cast<unsigned char>(s_[pos_ + static_cast<std::size_t>(i)]);
      if ((b & 0xC0) != 0x80) throw EParserError(line_, "invalid UTF-8 in string");
      cp = (cp << 6) | (b & 0x3Fu);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
      throw EParserError(line_, "invalid UTF-8 in string");
    pos_ += static_cast<std::size_t>(extra) + 1;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<wchar_t>(0xD800 + (cp >> 10));
      out += static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<wchar_t>(cp);
    }
  }

  // #nnn or #$hh: one UTF-16 code unit.
  void ReadCode(std::wstring& out) {
    ++pos_;  // '#'
    unsigned long value = 0;
    int digits = 0;
    const bool hex = Peek() == '$';
    if (hex) ++pos_;
    for (;; ++pos_, ++digits) {
      const int d = hex ? HexDigit(Peek()) : (IsDigit(Peek()) ? Peek() - '0' : -1);
      if (d < 0) break;
      value = value * (hex ? 16 : 10) + static_cast<unsigned>(d);
      if (value > 0xFFFF) throw EParserError(line_, "character code above 65535 after '#'");
    }
    if (digits == 0) throw EParserError(line_, "expected a character code after '#'");
    out += static_cast<wchar_t>(value);
  }

  const std::string& s_;
  std::size_t pos_ = 0;
  int line_ = 1;
  int lastLine_ = 1;  // line of the last token, where running out of text is reported
};

class Parser {
 public:
  explicit Parser(const std::string& text) : lexer_(text) { Advance(); }

  FormNode ParseRoot() {
    if (!IsKeyword("object")) Fail("expected 'object' at the start of the form text");
    FormNode root = ParseObject(1);
    if (tok_.type != Tok::End) Fail("unexpected text after the final 'end'");
    return root;
  }

 private:
  void Advance() { tok_ = lexer_.Next(); }

  [[noreturn]] void Fail(const std::string& expected) {
    throw EParserError(tok_.line, expected + ", found " + Describe(tok_));
  }

  bool IsKeyword(const char* keyword) const {
    return tok_.type == Tok::Ident && SameAscii(tok_.ident, keyword);
  }
  bool IsSymbol(char c) const { return tok_.type == Tok::Symbol && tok_.symbol == c; }

  // Component and class names are plain identifiers: no dots.
  UnicodeString ExpectPlainName(const char* expected) {
    if (tok_.type != Tok::Ident || tok_.ident.find('.') != std::string::npos) Fail(expected);
    UnicodeString name(Widen(tok_.ident));
    Advance();
    return name;
  }

  // The current token is 'object'.
  FormNode ParseObject(int depth) {
    FormNode node;
    node.line = tok_.line;
    if (depth > kMaxFormDepth)
      throw EParserError(tok_.line,
                         "objects nested deeper than " + std::to_string(kMaxFormDepth) + " levels");
    Advance();
    node.name = ExpectPlainName("expected component name after 'object'");
    if (!IsSymbol(':')) Fail("expected ':' after component name");
    Advance();
    node.className = ExpectPlainName("expected class name after ':'");
    for (;;) {
      if (IsKeyword("end")) {
        Advance();
        return node;
      }
      if (IsKeyword("object")) {
        node.children.push_back(ParseObject(depth + 1));
      } else if (tok_.type == Tok::Ident) {
        node.properties.push_back(ParseProperty());
      } else if (tok_.type == Tok::End) {
        Fail("expected 'end' to close object '" + AsciiOf(node.name) + "' opened on line " +
             std::to_string(node.line));
      } else {
        Fail("expected property name, 'object' or 'end'");
      }
    }
  }

  static std::string AsciiOf(const UnicodeString& name) {
    std::string out;
    for (wchar_t c : name.str()) out += static_cast<char>(c);  // identifiers are ASCII
    return out;
  }

  FormProperty ParseProperty() {
    FormProperty prop;
    prop.line = tok_.line;
    prop.name = UnicodeString(Widen(tok_.ident));
    Advance();
    if (!IsSymbol('=')) Fail("expected '=' after property name");
    Advance();
    prop.value = ParseValue();
    return prop;
  }

  FormValue ParseValue() {
    FormValue v;
    switch (tok_.type) {
      case Tok::Integer:
        v = FormValue::FromInteger(tok_.integer);
        break;
      case Tok::String:
        v = FormValue::FromString(UnicodeString(std::move(tok_.text)));
        break;
      case Tok::Ident:
        // A missing value would otherwise swallow the object's 'end'.
        if (IsKeyword("end") || IsKeyword("object")) Fail("expected a value after '='");
        v = FormValue::FromIdent(UnicodeString(Widen(tok_.ident)));
        break;
      case Tok::Symbol:
        if (tok_.symbol == '[') return ParseSet();
        if (tok_.symbol == '(') return ParseList();
        [[fallthrough]];
      case Tok::End:
        Fail("expected a value after '='");
    }
    Advance();
    return v;
  }

  FormValue ParseSet() {
    FormValue v;
    v.kind = FormValue::Kind::Set;
    Advance();  // '['
    if (IsSymbol(']')) {
      Advance();
      return v;
    }
    for (;;) {
      if (tok_.type != Tok::Ident) Fail("expected a set element name");
      v.items.emplace_back(Widen(tok_.ident));
      Advance();
      if (IsSymbol(']')) {
        Advance();
        return v;
      }
      if (!IsSymbol(',')) Fail("expected ',' or ']' in set");
      Advance();
    }
  }

  FormValue ParseList() {
    FormValue v;
    v.kind = FormValue::Kind::List;
    Advance();  // '('
    for (;;) {
      if (IsSymbol(')')) {
        Advance();
        return v;
      }
      if (tok_.type != Tok::String) Fail("expected a string or ')' in list");
      v.items.emplace_back(std::move(tok_.text));
      Advance();
    }
  }

  Lexer lexer_;
  Token tok_;
};

// ---- writing ----

void AppendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Printable text goes inside quotes as UTF-8; control characters and lone
// surrogates (which UTF-8 cannot carry) become #codes.
void WriteString(std::string& out, const std::wstring& s) {
  if (s.empty()) {
    out += "''";
    return;
  }
  bool quoted = false;
  auto openQuote = [&] {
    if (!quoted) out += '\'';
    quoted = true;
  };
  auto closeQuote = [&] {
    if (quoted) out += '\'';
    quoted = false;
  };
  for (std::size_t i = 0; i < s.size(); ++i) {
    const std::uint32_t c = static_cast<std::uint32_t>(s[i]);
    const bool high = c >= 0xD800 && c <= 0xDBFF;
    const bool paired = high && i + 1 < s.size() && static_cast<std::uint32_t>(s[i + 1]) >= 0xDC00 &&
                        static_cast<std::uint32_t>(s[i + 1]) <= 0xDFFF;
    if (c < 32 || (c >= 0xD800 && c <= 0xDFFF && !paired) || c > 0x10FFFF) {
      closeQuote();
      out += '#';
      out += std::to_string(c > 0x10FFFF ? 0xFFFDu : c);
    } else if (paired) {
      openQuote();
      const std::uint32_t low = static_cast<std::uint32_t>(s[++i]);
      AppendUtf8(out, 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00));
    } else {
      openQuote();
      if (c == '\'') out += '\'';
      AppendUtf8(out, c);  // a wide wchar_t (not on Windows) may hold a whole code point
    }
  }
  closeQuote();
}

// The reader takes these words as structure wherever a property name or a
// value could stand.
bool IsStructureWord(const std::string& ident) {
  return SameAscii(ident, "object") || SameAscii(ident, "end");
}

std::string CheckedName(const UnicodeString& name, bool allowDots, const wchar_t* what) {
  if (!IsIdent(name.str(), allowDots))
    throw EFormWriteError(UnicodeString(L"cannot write ") + what + L" '" + name +
                          L"': not an identifier");
  std::string out;
  for (wchar_t c : name.str()) out += static_cast<char>(c);
  return out;
}

void WriteValue(std::string& out, const FormValue& v, const std::string& itemIndent) {
  switch (v.kind) {
    case FormValue::Kind::Integer:
      out += std::to_string(v.integer);
      return;
    case FormValue::Kind::String:
      WriteString(out, v.text.str());
      return;
    case FormValue::Kind::Ident: {
      const std::string ident = CheckedName(v.text, true, L"identifier value");
      if (IsStructureWord(ident))
        throw EFormWriteError(L"cannot write '" + v.text + L"' as a value");
      out += ident;
      return;
    }
    case FormValue::Kind::Set:
      out += '[';
      for (std::size_t i = 0; i < v.items.size(); ++i) {
        if (i) out += ", ";
        out += CheckedName(v.items[i], true, L"set element");
      }
      out += ']';
      return;
    case FormValue::Kind::List:
      out += '(';
      for (const UnicodeString& item : v.items) {
        out += '\n';
        out += itemIndent;
        WriteString(out, item.str());
      }
      out += ')';
      return;
  }
  throw EFormWriteError(L"cannot write a value of unknown kind");
}

void WriteNode(std::string& out, const FormNode& node, int level) {
  if (level >= kMaxFormDepth)
    throw EFormWriteError(L"cannot write objects nested deeper than " + IntToStr(kMaxFormDepth) +
                          L" levels");
  const std::string indent(static_cast<std::size_t>(level) * 2, ' ');
  const std::string inner = indent + "  ";
  out += indent + "object " + CheckedName(node.name, false, L"component name") + ": " +
         CheckedName(node.className, false, L"class name") + "\n";
  for (const FormProperty& p : node.properties) {
    const std::string name = CheckedName(p.name, true, L"property name");
    if (IsStructureWord(name))
      throw EFormWriteError(L"cannot write a property named '" + p.name + L"'");
    out += inner + name + " = ";
    WriteValue(out, p.value, inner + "  ");
    out += '\n';
  }
  for (const FormNode& child : node.children) WriteNode(out, child, level + 1);
  out += indent + "end\n";
}

}  // namespace

EParserError::EParserError(int line, const std::string& what)
    : Exception(UnicodeString(L"line " + std::to_wstring(line) + L": " + Widen(what))), line_(line) {}

FormValue FormValue::FromInteger(long long value) {
  FormValue v;
  v.kind = Kind::Integer;
  v.integer = value;
  return v;
}

FormValue FormValue::FromString(const UnicodeString& value) {
  FormValue v;
  v.kind = Kind::String;
  v.text = value;
  return v;
}

FormValue FormValue::FromIdent(const UnicodeString& value) {
  FormValue v;
  v.kind = Kind::Ident;
  v.text = value;
  return v;
}

FormValue FormValue::FromSet(std::vector<UnicodeString> names) {
  FormValue v;
  v.kind = Kind::Set;
  v.items = std::move(names);
  return v;
}

FormValue FormValue::FromList(std::vector<UnicodeString> strings) {
  FormValue v;
  v.kind = Kind::List;
  v.items = std::move(strings);
  return v;
}

bool operator==(const FormValue& a, const FormValue& b) {
  if (a.kind != b.kind) return false;
  switch (a.kind) {
    case FormValue::Kind::Integer: return a.integer == b.integer;
    case FormValue::Kind::String:
    case FormValue::Kind::Ident: return a.text == b.text;
    case FormValue::Kind::Set:
    case FormValue::Kind::List: return a.items == b.items;
  }
  return false;
}

bool operator==(const FormProperty& a, const FormProperty& b) {
  return a.name == b.name && a.value == b.value;
}

bool operator==(const FormNode& a, const FormNode& b) {
  return a.name == b.name && a.className == b.className && a.properties == b.properties &&
         a.children == b.children;
}

const FormProperty* FormNode::Find(const UnicodeString& propName) const {
  for (auto it = properties.rbegin(); it != properties.rend(); ++it)
    if (SameText(it->name, propName)) return &*it;
  return nullptr;
}

FormNode ParseFormText(const std::string& utf8) { return Parser(utf8).ParseRoot(); }

std::string WriteFormText(const FormNode& root) {
  std::string out;
  WriteNode(out, root, 0);
  return out;
}

}  // namespace ui
