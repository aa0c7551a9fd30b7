#include "kyt/vuzizev/SqlBuilders.h"

namespace kyt {
namespace {

// Each builder asks for the last item first, so an empty list raises the
// list-index error before any text is built.
UnicodeString LastItem(TStrings* items) { return items->Get(items->Count() - 1); }

UnicodeString Where(const UnicodeString& where) {
  return where.IsEmpty() ? UnicodeString() : L" WHERE " + where;
}

}  // namespace

UnicodeString SqlMakeValues(TStrings* items) {
  const UnicodeString last = LastItem(items);
  UnicodeString out;
  for (int i = 0; i < items->Count() - 1; ++i) out += items->Get(i) + L",";
  return out + last;
}

UnicodeString SqlMakeInsert(const UnicodeString& table, TStrings* fields, TStrings* values) {
  const UnicodeString fieldList = SqlMakeValues(fields);
  const UnicodeString lastValue = LastItem(values);
  UnicodeString out = L"INSERT INTO " + table + L" (" + fieldList + L") VALUES (";
  for (int i = 0; i < values->Count() - 1; ++i) out += L"'" + values->Get(i) + L"',";
  return out + L"'" + lastValue + L"');";
}

UnicodeString SqlMakeSelect(const UnicodeString& table, TStrings* fields, const UnicodeString& where,
                            const UnicodeString& orderBy) {
  UnicodeString out = L"SELECT " + SqlMakeValues(fields) + L" FROM " + table + Where(where);
  if (!orderBy.IsEmpty()) out += L" ORDER BY " + orderBy;
  return out + L";";
}

UnicodeString SqlMakeUpdate(const UnicodeString& table, TStrings* fields, TStrings* values,
                            const UnicodeString& where) {
  const int last = fields->Count() - 1;
  const UnicodeString lastAssignment = LastItem(fields) + L"='" + values->Get(last) + L"'";
  UnicodeString out = L"UPDATE " + table + L" SET ";
  for (int i = 0; i < last; ++i) out += fields->Get(i) + L"='" + values->Get(i) + L"',";
  return out + lastAssignment + Where(where) + L";";
}

UnicodeString SqlMakeDelete(const UnicodeString& table, const UnicodeString& where) {
  return L"DELETE FROM " + table + Where(where) + L";";
}

}  // namespace kyt
