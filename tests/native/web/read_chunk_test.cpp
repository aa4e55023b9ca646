#include "web/read_chunk.h"

#include <gtest/gtest.h>

namespace qsh {
namespace {

TEST(ReadChunkSizeTest, FollowsTheContentLength) {
  struct Case {
    const char* header;
    uint32_t expected;
  };
  const Case cases[] = {
      {"", 10240},                      // no header
      {"0", 10240},                     // not positive
      {"-5", 10240},                    // not a number from its first byte
      {"abc", 10240},
      {" 12", 10240},                   // leading digits only
      {"1", 2},
      {"12", 13},
      {"1000", 1001},
      {"0012", 13},
      {"12abc", 13},                    // digits up to the first non-digit
      {"102398", 102399},
      {"102399", 102400},               // length plus one reaches the cap
      {"102400", 102400},
      {"5000000", 102400},
      {"4294967296", 102400},           // beyond 32 bits
      {"99999999999999999999999999", 102400},  // beyond 64 bits
  };
  for (const Case& c : cases) EXPECT_EQ(ReadChunkSize(c.header), c.expected) << c.header;
}

}  // namespace
}  // namespace qsh
