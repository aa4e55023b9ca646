#include "web/forum_urls.h"

#include <gtest/gtest.h>

namespace qsh {
namespace {

TEST(ForumUrlsTest, EveryPageIsHttpOnTheConfiguredHost) {
  // The host this build was configured with (QSH_FORUM_HOST) reaches the code.
  EXPECT_EQ(ForumHost(), QSH_EXPECTED_FORUM_HOST);
  const std::string prefix = std::string("http://") + QSH_EXPECTED_FORUM_HOST;
  EXPECT_EQ(ReleasePageUrl(), prefix + "/thread-5754162-1-1.html");
  EXPECT_EQ(ForumUrl(kForumBoardPath), prefix + "/forum-1869-1.html");
  EXPECT_EQ(ForumUrl(kForumIndexPath), prefix + "/forum.php");
}

TEST(ForumUrlsTest, HttpUrlKeepsAPort) {
  EXPECT_EQ(HttpUrl("127.0.0.1:8123", "/forum.php"), "http://127.0.0.1:8123/forum.php");
}

}  // namespace
}  // namespace qsh
