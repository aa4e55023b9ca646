#include "shell/skin/skin_records.h"

#include <gtest/gtest.h>

#include <new>
#include <set>
#include <vector>

namespace qsh::skin {
namespace {

// Counts what is outstanding, and can be told to run out of memory.
class CountingAllocator final : public RecordAllocator {
 public:
  void* Allocate(std::size_t size) noexcept override {
    if (failNext_) {
      failNext_ = false;
      return nullptr;
    }
    void* block = ::operator new(size, std::nothrow);
    if (block != nullptr) live_.insert(block);
    return block;
  }
  void Release(void* block) noexcept override {
    EXPECT_EQ(live_.erase(block), 1u) << "released a block it never gave";
    ::operator delete(block);
  }
  void FailNext() { failNext_ = true; }
  [[nodiscard]] std::size_t Outstanding() const { return live_.size(); }

 private:
  std::set<void*> live_;
  bool failNext_ = false;
};

std::vector<WindowId> Order(const SkinRecordList& list) {
  std::vector<WindowId> windows;
  for (const SkinRecord* r = list.Head(); r != nullptr; r = r->next) windows.push_back(r->window);
  return windows;
}

TEST(SkinRecordListTest, NewestRecordComesFirst) {
  CountingAllocator allocator;
  SkinRecordList list(allocator);
  EXPECT_TRUE(list.Empty());
  ASSERT_NE(list.Add(0x10, SkinKind::GroupBox, 0), nullptr);
  ASSERT_NE(list.Add(0x20, SkinKind::EditBox, 1), nullptr);
  SkinRecord* third = list.Add(0x30, SkinKind::PushButton, 5);
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(Order(list), (std::vector<WindowId>{0x30, 0x20, 0x10}));
  EXPECT_EQ(list.Count(), 3u);
  EXPECT_EQ(third->kind, SkinKind::PushButton);
  EXPECT_EQ(third->state, 5u);
  EXPECT_EQ(third->previousProcedure, 0u);
  EXPECT_EQ(third->colours.brush, 0u);
  EXPECT_EQ(list.Find(0x20)->kind, SkinKind::EditBox);
  EXPECT_EQ(list.Find(0x40), nullptr);
  EXPECT_EQ(allocator.Outstanding(), 3u);
}

TEST(SkinRecordListTest, AWindowHasAtMostOneRecord) {
  CountingAllocator allocator;
  SkinRecordList list(allocator);
  ASSERT_NE(list.Add(0x10, SkinKind::GroupBox, 0), nullptr);
  EXPECT_EQ(list.Add(0x10, SkinKind::PushButton, 7), nullptr);
  EXPECT_EQ(list.Count(), 1u);
  EXPECT_EQ(list.Find(0x10)->kind, SkinKind::GroupBox) << "the first record stays";
  EXPECT_EQ(allocator.Outstanding(), 1u);
}

TEST(SkinRecordListTest, VisitingEveryWindowTwiceLeavesOneRecordEach) {
  // Switching on walks every top-level window and then all its descendants;
  // windows met again are skipped.
  CountingAllocator allocator;
  SkinRecordList list(allocator);
  const std::vector<WindowId> visits{1, 2, 3, 4, 2, 3, 4, 1, 2, 3, 4};
  for (WindowId window : visits) {
    if (list.Find(window) == nullptr) list.Add(window, SkinKind::GroupBox, 0);
  }
  EXPECT_EQ(Order(list), (std::vector<WindowId>{4, 3, 2, 1}));
}

TEST(SkinRecordListTest, RemoveUnlinksAnyPositionAndReleasesTheRecord) {
  struct Row {
    WindowId removed;
    std::vector<WindowId> left;
  };
  for (const Row& row : {Row{0x30, {0x20, 0x10}}, Row{0x20, {0x30, 0x10}}, Row{0x10, {0x30, 0x20}}}) {
    CountingAllocator allocator;
    SkinRecordList list(allocator);
    for (WindowId w : {0x10u, 0x20u, 0x30u}) list.Add(w, SkinKind::PushButton, 0);
    EXPECT_TRUE(list.Remove(row.removed));
    EXPECT_EQ(Order(list), row.left);
    EXPECT_EQ(allocator.Outstanding(), 2u);
    EXPECT_FALSE(list.Remove(row.removed)) << "gone already";
    EXPECT_EQ(list.Find(row.removed), nullptr);
  }
}

TEST(SkinRecordListTest, RemovingTheLastRecordEmptiesTheList) {
  CountingAllocator allocator;
  SkinRecordList list(allocator);
  EXPECT_FALSE(list.Remove(0x10));
  list.Add(0x10, SkinKind::EditBox, 0);
  EXPECT_TRUE(list.Remove(0x10));
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(list.Head(), nullptr);
  EXPECT_EQ(allocator.Outstanding(), 0u);
}

TEST(SkinRecordListTest, WithoutMemoryNothingChanges) {
  CountingAllocator allocator;
  SkinRecordList list(allocator);
  list.Add(0x10, SkinKind::EditBox, 0);
  allocator.FailNext();
  EXPECT_EQ(list.Add(0x20, SkinKind::PushButton, 0), nullptr);
  EXPECT_EQ(Order(list), (std::vector<WindowId>{0x10}));
  EXPECT_NE(list.Add(0x20, SkinKind::PushButton, 0), nullptr) << "memory back";
}

TEST(SkinRecordListTest, TheListReleasesWhatIsLeftWhenItEnds) {
  CountingAllocator allocator;
  {
    SkinRecordList list(allocator);
    for (WindowId w = 1; w <= 50; ++w) list.Add(w, SkinKind::PushButton, 0);
    EXPECT_EQ(allocator.Outstanding(), 50u);
  }
  EXPECT_EQ(allocator.Outstanding(), 0u);
}

}  // namespace
}  // namespace qsh::skin
