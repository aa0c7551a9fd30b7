#include <gtest/gtest.h>

#include <initializer_list>

#include "kyt/Vuzizev.h"
#include "rtl/Exceptions.h"
#include "support/Printers.h"

using namespace kyt;

namespace {

struct List : TStringList {
  List(std::initializer_list<const wchar_t*> items) {
    for (const wchar_t* item : items) Add(item);
  }
};

}  // namespace

TEST(SqlBuilders, StatementsForTheUsersTable) {
  List fields{L"id", L"name"}, values{L"1", L"Tom"}, none{};
  struct { UnicodeString actual; const wchar_t* expected; } cases[] = {
      {SqlMakeValues(&fields), L"id,name"},
      {SqlMakeInsert(L"users", &fields, &values), L"INSERT INTO users (id,name) VALUES ('1','Tom');"},
      {SqlMakeSelect(L"users", &fields, L"id=1", L"name"), L"SELECT id,name FROM users WHERE id=1 ORDER BY name;"},
      {SqlMakeSelect(L"users", &fields, L"", L""), L"SELECT id,name FROM users;"},
      {SqlMakeSelect(L"users", &fields, L"", L"name"), L"SELECT id,name FROM users ORDER BY name;"},
      {SqlMakeUpdate(L"users", &fields, &values, L"id=1"), L"UPDATE users SET id='1',name='Tom' WHERE id=1;"},
      {SqlMakeUpdate(L"users", &fields, &values, L""), L"UPDATE users SET id='1',name='Tom';"},
      {SqlMakeDelete(L"users", L"id=1"), L"DELETE FROM users WHERE id=1;"},
      {SqlMakeDelete(L"t", L""), L"DELETE FROM t;"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.actual, UnicodeString(c.expected));
}

TEST(SqlBuilders, ValuesAndClausesGoInVerbatim) {
  List a{L"a"}, v{L"v"}, quote{L"O'Brien"}, fields{L"x", L"y", L"z"}, twoValues{L"1", L"2"};
  EXPECT_EQ(SqlMakeInsert(L"t", &a, &v), UnicodeString(L"INSERT INTO t (a) VALUES ('v');"));
  EXPECT_EQ(SqlMakeInsert(L"t", &a, &quote), UnicodeString(L"INSERT INTO t (a) VALUES ('O'Brien');"));
  EXPECT_EQ(SqlMakeDelete(L"t", L"  "), UnicodeString(L"DELETE FROM t WHERE   ;"));
  // The insert builder does not compare counts.
  EXPECT_EQ(SqlMakeInsert(L"t", &fields, &twoValues), UnicodeString(L"INSERT INTO t (x,y,z) VALUES ('1','2');"));
  EXPECT_EQ(SqlMakeUpdate(L"用户", &a, &quote, L"名=1"), UnicodeString(L"UPDATE 用户 SET a='O'Brien' WHERE 名=1;"));
}

TEST(SqlBuilders, EmptyOrShortListsRaiseTheListIndexError) {
  List none{}, fields{L"x", L"y"}, oneValue{L"1"};
  EXPECT_THROW(SqlMakeValues(&none), EListError);
  EXPECT_THROW(SqlMakeSelect(L"t", &none, L"", L""), EListError);
  EXPECT_THROW(SqlMakeInsert(L"t", &none, &oneValue), EListError);
  EXPECT_THROW(SqlMakeInsert(L"t", &fields, &none), EListError);
  EXPECT_THROW(SqlMakeUpdate(L"t", &fields, &oneValue, L""), EListError);
  EXPECT_THROW(SqlMakeUpdate(L"t", &none, &oneValue, L""), EListError);
}
