#pragma once
// The skin's records: one per window taken over, in a singly linked list
// with the newest first, found by a linear search for the window. Windows
// are opaque handles here; the memory comes from an allocator the owner
// supplies (the process heap in the program).

#include <cstddef>
#include <cstdint>

#include "shell/skin/skin_classify.h"

namespace qsh::skin {

using WindowId = std::uintptr_t;

// What the parent last answered to the control's colour request.
struct ParentColours {
  std::uintptr_t brush = 0;       // the background brush; 0 until the first request
  std::uint32_t background = 0;   // that brush's colour value
  std::uint32_t text = 0;         // the text colour the parent set
};

struct SkinRecord {
  WindowId window = 0;
  SkinKind kind = SkinKind::None;
  std::uint32_t state = 0;
  ParentColours colours;
  std::uintptr_t previousProcedure = 0;
  bool unicode = false;  // the window procedure was taken as a Unicode one
  SkinRecord* next = nullptr;
};

class RecordAllocator {
 public:
  // nullptr when there is no memory.
  virtual void* Allocate(std::size_t size) noexcept = 0;
  virtual void Release(void* block) noexcept = 0;

 protected:
  ~RecordAllocator() = default;
};

class SkinRecordList {
 public:
  explicit SkinRecordList(RecordAllocator& allocator) noexcept : allocator_(allocator) {}
  ~SkinRecordList();  // releases every record left
  SkinRecordList(const SkinRecordList&) = delete;
  SkinRecordList& operator=(const SkinRecordList&) = delete;

  [[nodiscard]] SkinRecord* Find(WindowId window) noexcept;
  [[nodiscard]] const SkinRecord* Find(WindowId window) const noexcept;

  // A new record at the head of the list. nullptr, and the list unchanged,
  // when the window has a record already or there is no memory.
  SkinRecord* Add(WindowId window, SkinKind kind, std::uint32_t state) noexcept;

  // Unlinks and releases the window's record; false when it has none.
  bool Remove(WindowId window) noexcept;

  [[nodiscard]] const SkinRecord* Head() const noexcept { return head_; }
  [[nodiscard]] std::size_t Count() const noexcept;
  [[nodiscard]] bool Empty() const noexcept { return head_ == nullptr; }

 private:
  RecordAllocator& allocator_;
  SkinRecord* head_ = nullptr;
};

}  // namespace qsh::skin
