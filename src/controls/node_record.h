#pragma once
// How the list makes and unmakes the object that lives in each row's user area. The list stays
// generic: the program names its record type once, and every row then holds one such object,
// value-initialised when the row is made and destroyed after OnFreeNode when the row goes.
#include <cstddef>
#include <new>
#include <type_traits>

namespace netscry {

struct NodeRecordType {
  std::size_t size;
  std::size_t align;
  void (*construct)(void* where);
  void (*destroy)(void* what) noexcept;
};

template <class T>
const NodeRecordType* NodeRecordTypeOf() {
  static_assert(std::is_nothrow_destructible_v<T>);
  static const NodeRecordType type{
      sizeof(T), alignof(T), [](void* where) { ::new (where) T(); },
      [](void* what) noexcept { static_cast<T*>(what)->~T(); }};
  return &type;
}

}  // namespace netscry
