#pragma once
// The text form of a window's layout, as embedded in the executable:
//
//   object MainForm: TMainForm
//     Caption = 'Zentaro'#13#10'2'
//     BorderIcons = [biSystemMenu, biMinimize]
//     Strings.Items = (
//       'a'
//       'b')
//     object Panel1: TSkinPanel
//     end
//   end
//
// ParseFormText turns the UTF-8 text into a tree; WriteFormText writes a
// tree back. Creating components and assigning properties from the tree is
// done elsewhere; this unit knows nothing of windows.
#include <string>
#include <vector>

#include "rtl/Exceptions.h"
#include "rtl/UnicodeString.h"

namespace ui {

// Form text that cannot be read. The message names the line
// ("line 12: expected '=' after property name").
class EParserError : public Exception {
 public:
  EParserError(int line, const std::string& what);
  int Line() const { return line_; }

 private:
  int line_;
};

// A tree that has no text form (a name that is not an identifier, a property
// called 'end', nesting deeper than the reader accepts).
class EFormWriteError : public Exception {
 public:
  using Exception::Exception;
};

// Objects may nest this deep (the root is level 1); deeper text is rejected
// so that hostile data cannot exhaust the stack.
constexpr int kMaxFormDepth = 64;

struct FormValue {
  enum class Kind { Integer, String, Ident, Set, List };
  Kind kind = Kind::Integer;
  long long integer = 0;
  UnicodeString text;                // String and Ident
  std::vector<UnicodeString> items;  // Set (identifiers) and List (strings)

  static FormValue FromInteger(long long value);
  static FormValue FromString(const UnicodeString& value);
  static FormValue FromIdent(const UnicodeString& value);
  static FormValue FromSet(std::vector<UnicodeString> names);
  static FormValue FromList(std::vector<UnicodeString> strings);

  // Compares only the fields the kind uses.
  friend bool operator==(const FormValue& a, const FormValue& b);
  friend bool operator!=(const FormValue& a, const FormValue& b) { return !(a == b); }
};

struct FormProperty {
  UnicodeString name;  // may be dotted: Font.Name
  FormValue value;
  int line = 0;  // where it was read; 0 for a tree built in code
};

struct FormNode {
  UnicodeString name, className;
  int line = 0;
  std::vector<FormProperty> properties;  // in text order
  std::vector<FormNode> children;        // in text order

  // Case-insensitive. When a name occurs twice the later one is returned, as
  // it is the one that takes effect when the properties are applied in order.
  const FormProperty* Find(const UnicodeString& name) const;
};

// Content equality: line numbers record where text came from and are not
// compared, so parse(write(tree)) == tree holds.
bool operator==(const FormProperty& a, const FormProperty& b);
bool operator==(const FormNode& a, const FormNode& b);
inline bool operator!=(const FormProperty& a, const FormProperty& b) { return !(a == b); }
inline bool operator!=(const FormNode& a, const FormNode& b) { return !(a == b); }

// Reads UTF-8 form text (a leading BOM is skipped). Throws EParserError.
FormNode ParseFormText(const std::string& utf8);
// Writes UTF-8 text, LF line ends, two spaces per level, no BOM. The same tree
// always gives the same bytes. Throws EFormWriteError for a tree that the
// reader would not accept back.
std::string WriteFormText(const FormNode& root);

}  // namespace ui
