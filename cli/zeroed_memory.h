// Workspaces of megabytes, zeroed as static storage is, that cost memory only
// where a run touches them: calloc takes fresh pages from the system, which
// come zeroed when first used, where new T() would write every byte.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <new>
#include <type_traits>

struct FreeMemory {
  void operator()(void* memory) const { std::free(memory); }
};

template <typename T>
using ZeroedPointer = std::unique_ptr<T, FreeMemory>;

// T is a plain record: zero bytes are its value-initialised state, and
// calloc's memory holds one without a constructor running.
template <typename T>
ZeroedPointer<T> allocateZeroed() {
  static_assert(std::is_aggregate_v<T> && std::is_trivially_destructible_v<T>);
  static_assert(alignof(T) <= alignof(std::max_align_t));
  void* memory = std::calloc(1, sizeof(T));
  if (memory == nullptr) throw std::bad_alloc();
  return ZeroedPointer<T>(static_cast<T*>(memory));
}
