#include "shell/skin/skin_records.h"

#include <new>

namespace qsh::skin {

SkinRecordList::~SkinRecordList() {
  while (head_ != nullptr) {
    SkinRecord* record = head_;
    head_ = record->next;
    record->~SkinRecord();
    allocator_.Release(record);
  }
}

SkinRecord* SkinRecordList::Find(WindowId window) noexcept {
  for (SkinRecord* record = head_; record != nullptr; record = record->next) {
    if (record->window == window) return record;
  }
  return nullptr;
}

const SkinRecord* SkinRecordList::Find(WindowId window) const noexcept {
  for (const SkinRecord* record = head_; record != nullptr; record = record->next) {
    if (record->window == window) return record;
  }
  return nullptr;
}

SkinRecord* SkinRecordList::Add(WindowId window, SkinKind kind, std::uint32_t state) noexcept {
  if (Find(window) != nullptr) return nullptr;
  void* block = allocator_.Allocate(sizeof(SkinRecord));
  if (block == nullptr) return nullptr;
  auto* record = new (block) SkinRecord{};
  record->window = window;
  record->kind = kind;
  record->state = state;
  record->next = head_;
  head_ = record;
  return record;
}

bool SkinRecordList::Remove(WindowId window) noexcept {
  for (SkinRecord** link = &head_; *link != nullptr; link = &(*link)->next) {
    SkinRecord* record = *link;
    if (record->window != window) continue;
    *link = record->next;
    record->~SkinRecord();
    allocator_.Release(record);
    return true;
  }
  return false;
}

std::size_t SkinRecordList::Count() const noexcept {
  std::size_t count = 0;
  for (const SkinRecord* record = head_; record != nullptr; record = record->next) ++count;
  return count;
}

}  // namespace qsh::skin
