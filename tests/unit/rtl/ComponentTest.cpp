#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "rtl/Component.h"
#include "rtl/Exceptions.h"

namespace {

// Records its destruction and every notice it receives in a shared journal.
class Probe : public TComponent {
 public:
  Probe(TComponent* owner, std::string id, std::vector<std::string>& journal)
      : TComponent(owner), id_(std::move(id)), journal_(journal) {}
  ~Probe() override { journal_.push_back("~" + id_); }

  TComponent* link = nullptr;  // a non-owning link cleared on removal

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation == opRemove) {
      journal_.push_back(id_ + " heard removal");
      if (component == link) link = nullptr;
    }
  }

 private:
  std::string id_;
  std::vector<std::string>& journal_;
};

}  // namespace

TEST(Component, OwnerDestroysWhatItOwnsLastFirst) {
  std::vector<std::string> journal;
  auto* owner = new TComponent(nullptr);
  new Probe(owner, "a", journal);
  new Probe(owner, "b", journal);
  ASSERT_EQ(owner->ComponentCount(), 2);
  delete owner;
  const std::vector<std::string> expected = {"a heard removal", "~b", "~a"};
  EXPECT_EQ(journal, expected);
}

TEST(Component, DestroyedComponentLeavesItsOwnerAndSiblingsClearTheirLinks) {
  std::vector<std::string> journal;
  TComponent owner(nullptr);
  auto* a = new Probe(&owner, "a", journal);
  auto* b = new Probe(&owner, "b", journal);
  a->link = b;
  delete b;
  EXPECT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.Components(0), a);
  EXPECT_EQ(a->link, nullptr);
}

TEST(Component, FreeNotificationReachesAcrossOwnersBothWays) {
  std::vector<std::string> journal;
  auto* watcher = new Probe(nullptr, "w", journal);
  auto* target = new Probe(nullptr, "t", journal);
  watcher->link = target;
  watcher->FreeNotification(target);
  delete target;
  EXPECT_EQ(watcher->link, nullptr);
  // The subscription was dropped with the target: deleting the watcher
  // must not touch it again.
  journal.clear();
  delete watcher;
  EXPECT_EQ(journal, std::vector<std::string>{"~w"});
}

TEST(Component, NamesAreUniqueWithinOneOwnerAndFoundIgnoringCase) {
  TComponent owner(nullptr);
  auto* first = new TComponent(&owner);
  first->SetName(L"btnFull");
  auto* second = new TComponent(&owner);
  EXPECT_THROW(second->SetName(L"BTNFULL"), Exception);
  EXPECT_EQ(owner.FindComponent(L"btnfull"), first);
  EXPECT_EQ(owner.FindComponent(L"none"), nullptr);
  second->Tag = 7;
  EXPECT_EQ(second->Tag, 7);
}

TEST(Component, IndexOutsideTheListRaisesListError) {
  TComponent owner(nullptr);
  new TComponent(&owner);
  EXPECT_THROW(owner.Components(1), EListError);
  EXPECT_THROW(owner.Components(-1), EListError);
}

TEST(Component, InsertComponentMovesOwnership) {
  std::vector<std::string> journal;
  auto first = std::make_unique<TComponent>(nullptr);
  auto second = std::make_unique<TComponent>(nullptr);
  auto* child = new Probe(first.get(), "c", journal);
  second->InsertComponent(child);
  EXPECT_EQ(first->ComponentCount(), 0);
  EXPECT_EQ(child->Owner(), second.get());
  first.reset();
  EXPECT_TRUE(journal.empty());
  second.reset();
  EXPECT_EQ(journal, std::vector<std::string>{"~c"});
}
