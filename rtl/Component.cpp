#include "rtl/Component.h"

#include <algorithm>

#include "rtl/Exceptions.h"

namespace {

void Erase(std::vector<TComponent*>& list, TComponent* item) {
  list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  destroying_ = true;
  // Free-notification subscribers hear first, while the tree is intact.
  while (!freeNotifies_.empty()) {
    TComponent* subscriber = freeNotifies_.back();
    freeNotifies_.pop_back();
    Erase(subscriber->freeNotifies_, this);
    subscriber->Notification(this, opRemove);
  }
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount())
    throw EListError(L"Component index out of bounds (" + IntToStr(index) + L")");
  return components_[static_cast<size_t>(index)];
}

TComponent* TComponent::FindComponent(const UnicodeString& name) const {
  if (name.IsEmpty()) return nullptr;
  for (TComponent* c : components_)
    if (SameText(c->name_, name)) return c;
  return nullptr;
}

void TComponent::SetName(const UnicodeString& name) {
  if (name == name_) return;
  if (owner_ && !name.IsEmpty()) {
    TComponent* other = owner_->FindComponent(name);
    if (other && other != this)
      throw Exception(L"A component named " + name + L" already exists");
  }
  name_ = name;
}

void TComponent::FreeNotification(TComponent* target) {
  if (!target || target == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), target) == freeNotifies_.end())
    freeNotifies_.push_back(target);
  if (std::find(target->freeNotifies_.begin(), target->freeNotifies_.end(), this) ==
      target->freeNotifies_.end())
    target->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* target) {
  if (!target) return;
  Erase(freeNotifies_, target);
  Erase(target->freeNotifies_, this);
}

void TComponent::InsertComponent(TComponent* component) {
  if (!component || component->owner_ == this) return;
  if (component->owner_) component->owner_->RemoveComponent(component);
  Insert(component);
  NotifyOwnerTree(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  if (!component || component->owner_ != this) return;
  NotifyOwnerTree(component, opRemove);
  Remove(component);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove) RemoveFreeNotification(component);
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* child = components_.back();
    RemoveComponent(child);  // siblings drop their links before it goes
    delete child;
  }
}

void TComponent::Insert(TComponent* component) {
  components_.push_back(component);
  component->owner_ = this;
}

void TComponent::Remove(TComponent* component) {
  Erase(components_, component);
  component->owner_ = nullptr;
}

void TComponent::NotifyOwnerTree(TComponent* component, TOperation operation) {
  Notification(component, operation);
  // A handler may remove components; walk a snapshot, last first.
  const std::vector<TComponent*> siblings = components_;
  for (auto it = siblings.rbegin(); it != siblings.rend(); ++it)
    if (*it != component &&
        std::find(components_.begin(), components_.end(), *it) != components_.end())
      (*it)->Notification(component, operation);
}
