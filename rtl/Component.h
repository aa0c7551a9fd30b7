#pragma once
// TComponent: the root of the component tree. An owner destroys what it owns;
// a component that goes away leaves its owner's list and tells its owner and
// the owner's other components (Notification with opRemove), and everyone that
// asked to hear of it through FreeNotification, so non-owning links can be
// cleared before they dangle.
#include <vector>

#include "rtl/UnicodeString.h"

enum TOperation { opInsert, opRemove };

class TComponent {
 public:
  explicit TComponent(TComponent* owner);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  // Raises EListError for an index outside 0..ComponentCount()-1.
  TComponent* Components(int index) const;
  // The owned component of that name (case-insensitive), or nullptr.
  TComponent* FindComponent(const UnicodeString& name) const;

  const UnicodeString& Name() const { return name_; }
  // Raises Exception when another component of the same owner has the name.
  void SetName(const UnicodeString& name);
  long long Tag = 0;

  // Asks to be told (Notification, opRemove) when target is destroyed; the
  // link is mutual, so target also hears when this component goes first.
  void FreeNotification(TComponent* target);
  void RemoveFreeNotification(TComponent* target);

  // Moves a component between owners; the tree stays the only owner.
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);

  bool Destroying() const { return destroying_; }

 protected:
  // Called on the owner and every component of that owner when a component
  // joins (opInsert) or leaves (opRemove) it, and on free-notification
  // subscribers. Overrides must call the base so the notice reaches children.
  virtual void Notification(TComponent* component, TOperation operation);
  // Destroys the owned components now, last first. Derived destructors call
  // it when their children still need the derived object while they go.
  void DestroyComponents();

 private:
  void Insert(TComponent* component);
  void Remove(TComponent* component);
  void NotifyOwnerTree(TComponent* component, TOperation operation);

  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
  UnicodeString name_;
  bool destroying_ = false;
};
