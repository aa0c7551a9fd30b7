#pragma once
// kyt::TItems<T>: an owning list of heap objects by position. Delete moves the
// last object into the freed place, so removal is constant time and order of
// addition is not kept. Null entries are counted but never deleted.
#include <stdexcept>
#include <string>
#include <vector>

namespace kyt {

template <typename T>
class TItems {
 public:
  TItems() = default;
  ~TItems() { Clear(); }
  TItems(const TItems&) = delete;
  TItems& operator=(const TItems&) = delete;

  void Add(T* item) { items_.push_back(item); }
  int GetCount() const { return static_cast<int>(items_.size()); }

  T* GetItem(int index) const {
    if (index < 0 || index >= GetCount())
      throw std::out_of_range("TItems index " + std::to_string(index) + " out of range 0.." +
                              std::to_string(GetCount() - 1));
    return items_[static_cast<size_t>(index)];
  }

  void Delete(int index) {
    if (index < 0 || index >= GetCount()) return;
    T* item = items_[static_cast<size_t>(index)];
    items_[static_cast<size_t>(index)] = items_.back();
    items_.pop_back();
    delete item;
  }

  void Clear() {
    // Detach first: a destructor that looks at the list sees it empty.
    std::vector<T*> doomed;
    doomed.swap(items_);
    for (T* item : doomed) delete item;
  }

 private:
  std::vector<T*> items_;
};

}  // namespace kyt
