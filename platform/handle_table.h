// A table of objects found by handle. The handles are kept sorted in one
// array, so that finding one reads a few neighbouring cache lines instead of
// following tree or hash-chain pointers; each object has an allocation of its
// own, so a pointer to it stays valid until that object is erased. Handles
// come from a counter, so a new one almost always goes at the end.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace ip::platform {

template <typename T>
class HandleTable {
 public:
  // The object of `handle`, or nullptr.
  T* Find(uint32_t handle) const {
    const size_t at = Position(handle);
    return at < handles_.size() && handles_[at] == handle ? objects_[at].get() : nullptr;
  }

  // Stores `object` under `handle`, replacing any object it had.
  T& Put(uint32_t handle, std::unique_ptr<T> object) {
    const size_t at = Position(handle);
    if (at < handles_.size() && handles_[at] == handle) {
      objects_[at] = std::move(object);
    } else {
      handles_.insert(handles_.begin() + static_cast<std::ptrdiff_t>(at), handle);
      objects_.insert(objects_.begin() + static_cast<std::ptrdiff_t>(at), std::move(object));
    }
    return *objects_[at];
  }

  // Removes the object of `handle`; false if there was none.
  bool Erase(uint32_t handle) {
    const size_t at = Position(handle);
    if (at >= handles_.size() || handles_[at] != handle) return false;
    handles_.erase(handles_.begin() + static_cast<std::ptrdiff_t>(at));
    objects_.erase(objects_.begin() + static_cast<std::ptrdiff_t>(at));
    return true;
  }

  size_t Size() const { return handles_.size(); }

  // Calls visit(handle, object) for every object in handle order. `visit`
  // must not add or erase objects.
  template <typename Visit>
  void ForEach(Visit visit) const {
    for (size_t i = 0; i < handles_.size(); ++i) visit(handles_[i], *objects_[i]);
  }

  // The first object in handle order for which test(object) is true, or
  // nullptr. `test` must not add or erase objects.
  template <typename Test>
  T* FirstWhere(Test test) const {
    for (const std::unique_ptr<T>& object : objects_) {
      if (test(*object)) return object.get();
    }
    return nullptr;
  }

 private:
  // Where `handle` is or would go.
  size_t Position(uint32_t handle) const {
    if (!handles_.empty() && handle > handles_.back()) return handles_.size();
    return static_cast<size_t>(std::lower_bound(handles_.begin(), handles_.end(), handle) - handles_.begin());
  }

  std::vector<uint32_t> handles_;
  std::vector<std::unique_ptr<T>> objects_;
};

}  // namespace ip::platform
