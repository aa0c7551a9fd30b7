#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "kyt/KytItems.h"

namespace {

// Writes its name into a shared journal when destroyed.
struct Tracked {
  Tracked(char n, std::string& j) : name(n), journal(j) {}
  ~Tracked() { journal += name; }
  char name;
  std::string& journal;
};

struct ItemsFixture : testing::Test {
  std::string destroyed;
  std::unique_ptr<kyt::TItems<Tracked>> items = std::make_unique<kyt::TItems<Tracked>>();

  void Fill(const std::string& names) {
    for (char c : names) items->Add(new Tracked(c, destroyed));
  }
  std::string Order() const {
    std::string out;
    for (int i = 0; i < items->GetCount(); ++i) out += items->GetItem(i) ? items->GetItem(i)->name : '_';
    return out;
  }
};

}  // namespace

TEST_F(ItemsFixture, DeleteMovesTheLastObjectIntoTheGap) {
  struct { const char* start; int index; const char* after; const char* destroyed; } cases[] = {
      {"ABCD", 1, "ADC", "B"}, {"ABCD", 3, "ABC", "D"}, {"ABC", 0, "CB", "A"},
      {"A", 0, "", "A"},       {"ABC", -1, "ABC", ""},  {"ABC", 3, "ABC", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.start) + " delete " + std::to_string(c.index));
    items->Clear();
    Fill(c.start);
    destroyed.clear();
    items->Delete(c.index);
    EXPECT_EQ(Order(), c.after);
    EXPECT_EQ(destroyed, c.destroyed);
  }
}

TEST_F(ItemsFixture, GetItemOutsideTheListRaisesOutOfRange) {
  Fill("AB");
  EXPECT_THROW(items->GetItem(2), std::out_of_range);
  EXPECT_THROW(items->GetItem(-1), std::out_of_range);
  EXPECT_EQ(items->GetItem(1)->name, 'B');
}

TEST_F(ItemsFixture, ClearAndDestructionDestroyEachObjectOnceInOrderSkippingNulls) {
  items->Clear();
  EXPECT_EQ(items->GetCount(), 0);
  Fill("AB");
  items->Add(nullptr);
  Fill("C");
  EXPECT_EQ(items->GetCount(), 4);
  EXPECT_EQ(items->GetItem(2), nullptr);
  items.reset();
  EXPECT_EQ(destroyed, "ABC");
}
