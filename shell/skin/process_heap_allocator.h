#pragma once
// Skin records come from the process heap.

#include <windows.h>

#include "shell/skin/skin_records.h"

namespace qsh::skin {

class ProcessHeapAllocator final : public RecordAllocator {
 public:
  void* Allocate(std::size_t size) noexcept override {
    return ::HeapAlloc(::GetProcessHeap(), 0, size);
  }
  void Release(void* block) noexcept override { ::HeapFree(::GetProcessHeap(), 0, block); }
};

}  // namespace qsh::skin
