#pragma once
// Text of simple SQL statements from a table name and positional field and
// value lists. Names and clauses go in verbatim; values are wrapped in
// apostrophes but not escaped. An empty list a builder must read raises the
// list's EListError.
#include "rtl/StringList.h"
#include "rtl/UnicodeString.h"

namespace kyt {

UnicodeString SqlMakeValues(TStrings* items);
UnicodeString SqlMakeInsert(const UnicodeString& table, TStrings* fields, TStrings* values);
UnicodeString SqlMakeSelect(const UnicodeString& table, TStrings* fields, const UnicodeString& where,
                            const UnicodeString& orderBy);
UnicodeString SqlMakeUpdate(const UnicodeString& table, TStrings* fields, TStrings* values,
                            const UnicodeString& where);
UnicodeString SqlMakeDelete(const UnicodeString& table, const UnicodeString& where);

}  // namespace kyt
