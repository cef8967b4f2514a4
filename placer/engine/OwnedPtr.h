#pragma once

#include <memory>
#include <utility>

// An owning pointer to an object whose class the owner need not know completely: the deleter is
// captured where the object is made, where its class is complete. The engine owns its board mirror
// and system options this way, so that the engine itself does not depend on the PCB access layer.
template <class T>
using TOwnedPtr = std::unique_ptr<T, void (*)(T*)>;

template <class T>
TOwnedPtr<T> NoOwnedObject() {
  return TOwnedPtr<T>(nullptr, [](T*) {});
}

template <class T, class... Args>
TOwnedPtr<T> MakeOwned(Args&&... args) {
  return TOwnedPtr<T>(std::make_unique<T>(std::forward<Args>(args)...).release(),
                      [](T* object) { std::default_delete<T>()(object); });
}
