#include "web/bytes.h"

#include <gtest/gtest.h>

namespace qsh {
namespace {

TEST(BytesToTextTest, KeepsTheBytesBeforeTheFirstZero) {
  struct Case {
    Bytes input;
    std::string expected;
  };
  const Case cases[] = {
      {{}, ""},
      {{'a', 'b', 'c'}, "abc"},
      {{0xD6, 0xD0, 'x'}, "\xD6\xD0x"},
      {{'a', 0, 'b', 0}, "a"},
      {{0, 'a'}, ""},
      {{'a', 'b', 0}, "ab"},
  };
  for (const Case& c : cases) EXPECT_EQ(BytesToText(c.input), c.expected);
}

}  // namespace
}  // namespace qsh
