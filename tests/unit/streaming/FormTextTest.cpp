#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "rtl/CodePage.h"
#include "support/Printers.h"
#include "ui/streaming/FormText.h"

using ui::FormNode;
using ui::FormProperty;
using ui::FormValue;

namespace {

const char kExample[] =
    "\xEF\xBB\xBF"
    "object MainForm: TMainForm\n"
    "  Left = 0\n"
    "  Caption = 'Zentaro'\n"
    "  ClientHeight = 116\n"
    "  Color = clBtnFace\n"
    "  Font.Height = -14\n"
    "  Font.Name = '宋体'\n"
    "  Hint = '窗口截图'#13#10'点“窗口”按钮'\n"
    "  LongText = 'first part ' +\n"
    "    'second part'\n"
    "  BorderIcons = [biSystemMenu, biMinimize]\n"
    "  Empty = []\n"
    "  OnShow = FormShow\n"
    "  SkinData = SkinCtrlModule.bsSkinData1\n"
    "  Enabled = False\n"
    "  Strings.Items = (\n"
    "    'MI_MINCAPTION=最小化(&N)'\n"
    "    'MI_MAXCAPTION=最大化(&X)')\n"
    "  object bsSkinPanel1: TSkinPanel\n"
    "    Align = alTop\n"
    "    object btnFull: TSkinSpeedButton\n"
    "      Caption = '全屏'\n"
    "      OnClick = btnFullClick\n"
    "    end\n"
    "  end\n"
    "end\n";

FormProperty Prop(const wchar_t* name, FormValue value) {
  FormProperty p;
  p.name = name;
  p.value = std::move(value);
  return p;
}

FormNode Node(const wchar_t* name, const wchar_t* className, std::vector<FormProperty> props,
              std::vector<FormNode> children = {}) {
  FormNode n;
  n.name = name;
  n.className = className;
  n.properties = std::move(props);
  n.children = std::move(children);
  return n;
}

FormValue Str(std::wstring s) { return FormValue::FromString(UnicodeString(std::move(s))); }
FormValue Id(const wchar_t* s) { return FormValue::FromIdent(s); }

// Readable failure output: the tree in its own text form when it has one.
std::string Show(const FormNode& n) {
  try {
    return ui::WriteFormText(n);
  } catch (const Exception& e) {
    return std::string("<unwritable: ") + e.what() + ">";
  }
}

// A root with one property V, the way a value appears in a form.
std::string FormWithValue(const std::string& value) {
  return "object F: TF\n  V = " + value + "\nend\n";
}

std::string Nested(int levels) {
  std::string text;
  for (int i = 0; i < levels; ++i) text += "object O" + std::to_string(i) + ": T\n";
  for (int i = 0; i < levels; ++i) text += "end\n";
  return text;
}

}  // namespace

TEST(FormText, ParsesTheExampleForm) {
  const FormNode expected = Node(
      L"MainForm", L"TMainForm",
      {Prop(L"Left", FormValue::FromInteger(0)),
       Prop(L"Caption", Str(L"Zentaro")),
       Prop(L"ClientHeight", FormValue::FromInteger(116)),
       Prop(L"Color", Id(L"clBtnFace")),
       Prop(L"Font.Height", FormValue::FromInteger(-14)),
       Prop(L"Font.Name", Str(L"宋体")),
       Prop(L"Hint", Str(L"窗口截图\r\n点“窗口”按钮")),
       Prop(L"LongText", Str(L"first part second part")),
       Prop(L"BorderIcons", FormValue::FromSet({L"biSystemMenu", L"biMinimize"})),
       Prop(L"Empty", FormValue::FromSet({})),
       Prop(L"OnShow", Id(L"FormShow")),
       Prop(L"SkinData", Id(L"SkinCtrlModule.bsSkinData1")),
       Prop(L"Enabled", Id(L"False")),
       Prop(L"Strings.Items",
            FormValue::FromList({L"MI_MINCAPTION=最小化(&N)", L"MI_MAXCAPTION=最大化(&X)"}))},
      {Node(L"bsSkinPanel1", L"TSkinPanel", {Prop(L"Align", Id(L"alTop"))},
            {Node(L"btnFull", L"TSkinSpeedButton",
                  {Prop(L"Caption", Str(L"全屏")), Prop(L"OnClick", Id(L"btnFullClick"))})})});

  const FormNode root = ui::ParseFormText(kExample);
  EXPECT_TRUE(root == expected) << Show(root);

  // Lines count from the first line of text; the BOM takes none.
  EXPECT_EQ(root.line, 1);
  EXPECT_EQ(root.properties[7].line, 9);    // LongText, continued on line 10
  EXPECT_EQ(root.properties[13].line, 16);  // Strings.Items, items on 17 and 18
  ASSERT_EQ(root.children.size(), 1u);
  EXPECT_EQ(root.children[0].line, 19);
  EXPECT_EQ(root.children[0].children[0].properties[1].line, 23);

  ASSERT_NE(root.Find(L"font.name"), nullptr);
  EXPECT_EQ(root.Find(L"FONT.NAME")->value, Str(L"宋体"));
  EXPECT_EQ(root.Find(L"Font"), nullptr);
  EXPECT_EQ(root.Find(L"Align"), nullptr);  // a child's property is not the root's
}

TEST(FormText, FindGivesTheAssignmentThatTakesEffect) {
  const FormNode root = ui::ParseFormText("object F: TF\n  Tag = 1\n  tag = 2\nend");
  ASSERT_NE(root.Find(L"TAG"), nullptr);
  EXPECT_EQ(root.Find(L"TAG")->value, FormValue::FromInteger(2));
  EXPECT_EQ(root.Find(L"TAG")->line, 3);
}

TEST(FormText, LineEndsOfEveryKindCount) {
  // CR LF, LF and a lone CR each end a line.
  const FormNode root = ui::ParseFormText("object F: TF\r\n  A = 1\n  B = 2\r  C = 3\r\nend");
  ASSERT_EQ(root.properties.size(), 3u);
  EXPECT_EQ(root.properties[0].line, 2);
  EXPECT_EQ(root.properties[1].line, 3);
  EXPECT_EQ(root.properties[2].line, 4);
}

TEST(FormText, BadTextGivesParserErrorNamingTheLine) {
  struct Case {
    std::string text;
    int line;
    const char* fragment;
  };
  const std::string deep = Nested(ui::kMaxFormDepth + 1);
  const Case cases[] = {
      {"", 1, "expected 'object'"},
      {"  \n\n", 1, "expected 'object'"},
      {"inherited F: TF\nend", 1, "expected 'object'"},
      {"object : TF\nend", 1, "expected component name"},
      {"object Form.One: TF\nend", 1, "expected component name"},
      {"object F TF\nend", 1, "expected ':' after component name"},
      {"object F:\n  5\nend", 2, "expected class name"},
      {"object F: TF\n  Left 5\nend", 2, "expected '=' after property name"},
      {"object F: TF\n  = 5\nend", 2, "expected property name, 'object' or 'end'"},
      {"object F: TF\n  Left =\nend", 3, "expected a value after '='"},
      {"object F: TF\n  Left = ]\nend", 2, "expected a value after '='"},
      {"object F: TF\n  Left = 1\n", 2, "expected 'end' to close object 'F' opened on line 1"},
      {"object F: TF\n  object G: TG\n\n", 2, "expected 'end' to close object 'G' opened on line 2"},
      {"object F: TF\nend\nend", 3, "unexpected text after the final 'end'"},
      {"object F: TF\nend\nobject G: TG\nend", 3, "unexpected text after the final 'end'"},
      // Strings.
      {"object F: TF\n  S = 'abc\nend", 2, "unterminated string"},
      {"object F: TF\n  S = 'abc", 2, "unterminated string"},
      {"object F: TF\n  S = 'it''", 2, "unterminated string"},
      {"object F: TF\n  S = 'a' +\n\nend", 4, "expected a string after '+'"},
      {"object F: TF\n  S = 'a' +", 2, "expected a string after '+'"},
      {"object F: TF\n  S = 'a' #13\nend", 2, "expected property name"},
      {"object F: TF\n  S = #\nend", 2, "expected a character code after '#'"},
      {"object F: TF\n  S = #65536\nend", 2, "character code above 65535"},
      {"object F: TF\n  S = #99999999999999999999999\nend", 2, "character code above 65535"},
      {"object F: TF\n  S = #$1FFFF\nend", 2, "character code above 65535"},
      // Invalid UTF-8: overlong, encoded surrogate, cut short, beyond U+10FFFF,
      // stray continuation byte, a lead byte followed by a quote.
      {"object F: TF\n  S = '\xC0\x80'\nend", 2, "invalid UTF-8"},
      {"object F: TF\n  S = '\xE0\x80\xAF'\nend", 2, "invalid UTF-8"},
      {"object F: TF\n  S = '\xED\xA0\x80'\nend", 2, "invalid UTF-8"},
      {"object F: TF\n  S = '\xE4\xB8", 2, "invalid UTF-8"},
      {"object F: TF\n  S = '\xF4\x90\x80\x80'\nend", 2, "invalid UTF-8"},
      {"object F: TF\n  S = '\xF5\x80\x80\x80'\nend", 2, "invalid UTF-8"},
      {"object F: TF\n  S = '\x80'\nend", 2, "invalid UTF-8"},
      {"object F: TF\n  S = '\xE4'\nend", 2, "invalid UTF-8"},
      // Numbers.
      {"object F: TF\n  N = 9223372036854775808\nend", 2, "out of 64-bit range"},
      {"object F: TF\n  N = -9223372036854775809\nend", 2, "out of 64-bit range"},
      {"object F: TF\n  N = 99999999999999999999999999999\nend", 2, "out of 64-bit range"},
      {"object F: TF\n  N = $8000000000000000\nend", 2, "out of 64-bit range"},
      {"object F: TF\n  N = 1.5\nend", 2, "fractional numbers are not supported"},
      {"object F: TF\n  N = 12abc\nend", 2, "malformed number"},
      {"object F: TF\n  N = -\nend", 2, "expected digits after '-'"},
      {"object F: TF\n  N = $\nend", 2, "expected hexadecimal digits after '$'"},
      {"object F: TF\n  N = $FG\nend", 2, "malformed number"},
      // Names, sets and lists.
      {"object F: TF\n  Font..Name = 1\nend", 2, "malformed name"},
      {"object F: TF\n  Font. = 1\nend", 2, "malformed name"},
      {"object F: TF\n  B = [a, ]\nend", 2, "expected a set element name"},
      {"object F: TF\n  B = [a b]\nend", 2, "expected ',' or ']' in set"},
      {"object F: TF\n  B = [a, 'b']\nend", 2, "expected a set element name"},
      {"object F: TF\n  B = [a,", 2, "expected a set element name"},
      {"object F: TF\n  L = (\n    'a'\n    5)\nend", 4, "expected a string or ')' in list"},
      {"object F: TF\n  L = (\n    'a'\n    [])\nend", 4, "expected a string or ')' in list"},
      {"object F: TF\n  L = (\n    'a'\n", 3, "expected a string or ')' in list"},
      // Stray bytes outside strings.
      {"object F: TF\n  \xE4\xB8\xAD = 1\nend", 2, "unexpected byte 0xE4"},
      {"object F: TF\n  Left = @\nend", 2, "unexpected character '@'"},
      {std::string("object F: TF\n  Left = 1\n") + '\0' + "end", 3, "unexpected byte 0x00"},
      {"\xEF\xBB\xBF\xEF\xBB\xBFobject F: TF\nend", 1, "unexpected byte 0xEF"},
      {"\xEF\xBB\xBFobject F: TF\n  X = ?\nend", 2, "unexpected character '?'"},
      {deep, ui::kMaxFormDepth + 1, "objects nested deeper than 64 levels"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.size() > 200 ? c.text.substr(0, 200) + "..." : c.text);
    try {
      ui::ParseFormText(c.text);
      ADD_FAILURE() << "no error";
    } catch (const ui::EParserError& e) {
      EXPECT_EQ(e.Line(), c.line) << e.what();
      const std::string message = e.what();
      EXPECT_EQ(message.rfind("line " + std::to_string(c.line) + ": ", 0), 0u) << message;
      EXPECT_NE(message.find(c.fragment), std::string::npos) << message;
    }
  }
}

TEST(FormText, NestingUpToTheLimitReadsAndWritesBack) {
  const FormNode root = ui::ParseFormText(Nested(ui::kMaxFormDepth));
  const FormNode* deepest = &root;
  int levels = 1;
  while (!deepest->children.empty()) {
    deepest = &deepest->children[0];
    ++levels;
  }
  EXPECT_EQ(levels, ui::kMaxFormDepth);
  EXPECT_TRUE(ui::ParseFormText(ui::WriteFormText(root)) == root);

  // One more level has no text form the reader would accept.
  FormNode deeper = Node(L"Top", L"T", {}, {root});
  EXPECT_THROW(ui::WriteFormText(deeper), ui::EFormWriteError);
}

TEST(FormText, ValuesReadAsWrittenAndSurviveRoundTrip) {
  struct Case {
    std::string source;
    FormValue expected;
  };
  const Case cases[] = {
      {"''", Str(L"")},
      {"#13#10#9", Str(L"\r\n\t")},
      {"#0", Str(std::wstring(1, L'\0'))},
      {"'it''s'", Str(L"it's")},
      {"''''", Str(L"'")},
      {"'''a'''", Str(L"'a'")},
      {"'a'#13#10'b'", Str(L"a\r\nb")},
      {"'中文截图 (&C)'", Str(L"中文截图 (&C)")},
      {"#55357#56832", Str(L"\xD83D\xDE00")},
      {"'\xF0\x9F\x98\x80'", Str(L"\xD83D\xDE00")},
      {"'a'#55357'b'", Str(L"a\xD83D" L"b")},      // lone high surrogate
      {"#56832#55357", Str(L"\xDE00\xD83D")},      // pair in the wrong order
      {"#$41'b'#$4E2D", Str(L"Ab中")},
      {"'first ' +\n    'second' + #13", Str(L"first second\r")},
      {"'a' + 'b'", Str(L"ab")},
      {"'\x7F~'", Str(L"\x7F~")},
      {"0", FormValue::FromInteger(0)},
      {"-14", FormValue::FromInteger(-14)},
      {"9223372036854775807", FormValue::FromInteger(LLONG_MAX)},
      {"-9223372036854775808", FormValue::FromInteger(LLONG_MIN)},
      {"$FF", FormValue::FromInteger(255)},
      {"-$10", FormValue::FromInteger(-16)},
      {"$7FFFFFFFFFFFFFFF", FormValue::FromInteger(LLONG_MAX)},
      {"000123", FormValue::FromInteger(123)},
      {"clBtnFace", Id(L"clBtnFace")},
      {"SkinCtrlModule.bsSkinData1", Id(L"SkinCtrlModule.bsSkinData1")},
      {"_x9", Id(L"_x9")},
      {"[]", FormValue::FromSet({})},
      {"[ biSystemMenu ,biMinimize ]", FormValue::FromSet({L"biSystemMenu", L"biMinimize"})},
      {"()", FormValue::FromList({})},
      {"(\n  )", FormValue::FromList({})},
      {"('')", FormValue::FromList({L""})},
      {"(\n    'a'#13\n    ''\n    'x''y' +\n    '中')",
       FormValue::FromList({L"a\r", L"", L"x'y中"})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    const std::string text = FormWithValue(c.source);
    FormNode root;
    ASSERT_NO_THROW(root = ui::ParseFormText(text));
    ASSERT_EQ(root.properties.size(), 1u);
    EXPECT_EQ(root.properties[0].value, c.expected);

    const std::string written = ui::WriteFormText(root);
    SCOPED_TRACE(written);
    FormNode again;
    ASSERT_NO_THROW(again = ui::ParseFormText(written));
    EXPECT_TRUE(again == root);
    EXPECT_EQ(ui::WriteFormText(again), written);
  }
}

TEST(FormText, ExampleFormSurvivesRoundTrip) {
  const FormNode root = ui::ParseFormText(kExample);
  const std::string written = ui::WriteFormText(root);
  const FormNode again = ui::ParseFormText(written);
  EXPECT_TRUE(again == root) << written;
  EXPECT_EQ(ui::WriteFormText(again), written);
  // The writer keeps the text readable: Chinese as UTF-8, no BOM.
  EXPECT_NE(written.find("  Font.Name = '宋体'\n"), std::string::npos) << written;
  EXPECT_NE(written.find("  Hint = '窗口截图'#13#10'点“窗口”按钮'\n"), std::string::npos) << written;
  EXPECT_EQ(written.rfind("object MainForm: TMainForm\n", 0), 0u);
}

TEST(FormText, WriterOutputIsPinned) {
  const FormNode root = Node(
      L"Form1", L"TForm1",
      {Prop(L"Caption", Str(L"Zentaro 截图")),
       Prop(L"Hint", Str(L"a\r\nb")),
       Prop(L"Ctl", Str(L"\r\n")),
       Prop(L"Blank", Str(L"")),
       Prop(L"Quote", Str(L"it's")),
       Prop(L"Emoji", Str(L"\xD83D\xDE00!")),
       Prop(L"Lone", Str(L"x\xDC00")),
       Prop(L"Tag", FormValue::FromInteger(-5)),
       Prop(L"Color", Id(L"clBtnFace")),
       Prop(L"Font.Style", FormValue::FromSet({L"fsBold", L"fsItalic"})),
       Prop(L"Empty", FormValue::FromSet({})),
       Prop(L"Lines", FormValue::FromList({L"x", L"", L"it's"})),
       Prop(L"NoLines", FormValue::FromList({}))},
      {Node(L"Panel1", L"TPanel", {Prop(L"Align", Id(L"alTop"))},
            {Node(L"Btn", L"TButton", {})})});
  const std::string expected =
      "object Form1: TForm1\n"
      "  Caption = 'Zentaro 截图'\n"
      "  Hint = 'a'#13#10'b'\n"
      "  Ctl = #13#10\n"
      "  Blank = ''\n"
      "  Quote = 'it''s'\n"
      "  Emoji = '\xF0\x9F\x98\x80!'\n"
      "  Lone = 'x'#56320\n"
      "  Tag = -5\n"
      "  Color = clBtnFace\n"
      "  Font.Style = [fsBold, fsItalic]\n"
      "  Empty = []\n"
      "  Lines = (\n"
      "    'x'\n"
      "    ''\n"
      "    'it''s')\n"
      "  NoLines = ()\n"
      "  object Panel1: TPanel\n"
      "    Align = alTop\n"
      "    object Btn: TButton\n"
      "    end\n"
      "  end\n"
      "end\n";
  EXPECT_EQ(ui::WriteFormText(root), expected);
  EXPECT_TRUE(ui::ParseFormText(expected) == root);
}

TEST(FormText, WriterRefusesTreesWithNoTextForm) {
  struct Case {
    const char* why;
    FormNode tree;
  };
  const FormValue one = FormValue::FromInteger(1);
  const Case cases[] = {
      {"empty component name", Node(L"", L"TF", {})},
      {"empty class name", Node(L"F", L"", {})},
      {"dotted component name", Node(L"a.b", L"TF", {})},
      {"non-ASCII name", Node(L"窗口", L"TF", {})},
      {"name starting with a digit", Node(L"1F", L"TF", {})},
      {"property name with a space", Node(L"F", L"TF", {Prop(L"Font Name", one)})},
      {"property name ending in a dot", Node(L"F", L"TF", {Prop(L"Font.", one)})},
      {"property named end", Node(L"F", L"TF", {Prop(L"End", one)})},
      {"property named object", Node(L"F", L"TF", {Prop(L"OBJECT", one)})},
      {"empty identifier value", Node(L"F", L"TF", {Prop(L"Color", Id(L""))})},
      {"identifier value end", Node(L"F", L"TF", {Prop(L"Color", Id(L"end"))})},
      {"set element with a space", Node(L"F", L"TF", {Prop(L"S", FormValue::FromSet({L"a b"}))})},
      {"bad child", Node(L"F", L"TF", {}, {Node(L"G", L"T G", {})})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_THROW(ui::WriteFormText(c.tree), ui::EFormWriteError);
  }
}

// Mutations of the example (fixed seed) must only ever parse or raise
// EParserError; whatever parses must also write and read back unchanged.
TEST(FormText, MutatedTextNeverCrashes) {
  const std::string base(kExample);
  const char interesting[] = "'#+-$()[]=,:.\r\n 09aZ_\xE4\xB8\xAD\x80\xFF";
  std::mt19937 rng(20240611u);
  auto pick = [&rng](std::size_t n) { return n ? static_cast<std::size_t>(rng() % n) : 0; };
  int parsed = 0, rejected = 0;
  const auto start = std::chrono::steady_clock::now();
  for (int iteration = 0; iteration < 4000; ++iteration) {
    std::string text = base;
    const int edits = 1 + static_cast<int>(pick(4));
    for (int e = 0; e < edits; ++e) {
      const std::size_t at = pick(text.size() + 1);
      switch (pick(6)) {
        case 0:
          if (at < text.size()) text[at] = static_cast<char>(rng());
          break;
        case 1:
          text.insert(at, 1, interesting[pick(sizeof interesting - 1)]);
          break;
        case 2:
          text.erase(at, 1 + pick(8));
          break;
        case 3:
          text.insert(at, text.substr(pick(text.size()), 1 + pick(40)));
          break;
        case 4:
          text.resize(at);
          break;
        default:
          if (at < text.size()) text[at] = interesting[pick(sizeof interesting - 1)];
          break;
      }
    }
    try {
      const FormNode root = ui::ParseFormText(text);
      ++parsed;
      const std::string written = ui::WriteFormText(root);
      if (!(ui::ParseFormText(written) == root)) {
        ADD_FAILURE() << "round trip changed the tree of mutant " << iteration << ":\n" << text;
        break;
      }
    } catch (const ui::EParserError&) {
      ++rejected;
    } catch (const std::exception& e) {
      ADD_FAILURE() << "mutant " << iteration << " raised " << e.what() << ":\n" << text;
      break;
    }
  }
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now() - start).count();
  RecordProperty("parsed", parsed);
  RecordProperty("rejected", rejected);
  RecordProperty("milliseconds", static_cast<int>(ms));
  // Both outcomes must occur, or the mutations are not testing anything.
  EXPECT_GT(parsed, 100);
  EXPECT_GT(rejected, 100);
}
