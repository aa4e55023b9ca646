#include "web/forum_urls.h"

#include <gtest/gtest.h>

namespace qsh {
namespace {

TEST(ForumUrlsTest, EveryPageIsHttpOnTheConfiguredHost) {
  // The host this build was configured with (QSH_FORUM_HOST) reaches the code.
  EXPECT_EQ(ForumHost(), QSH_EXPECTED_FORUM_HOST);
  const std::string prefix = std::string("http://") + QSH_EXPECTED_FORUM_HOST;
  EXPECT_EQ(ReleasePageUrl(), prefix + "/thread-5754162-1-1.html");
  EXPECT_EQ(ForumUrl(kFeedbackLink.path), prefix + "/forum-1869-1.html");
  EXPECT_EQ(ForumUrl(kBoardLink.path), prefix + "/forum-1869-1.html");
  EXPECT_EQ(ForumUrl(kForumIndexLink.path), prefix + "/forum.php");
}

TEST(ForumUrlsTest, HttpUrlKeepsAPort) {
  EXPECT_EQ(HttpUrl("127.0.0.1:8123", "/forum.php"), "http://127.0.0.1:8123/forum.php");
}

TEST(ForumUrlsTest, LinksAreTheThreeLabels) {
  ASSERT_EQ(kForumLinks.size(), 3u);
  EXPECT_EQ(kForumLinks[0].label, "透明标签8");
  EXPECT_EQ(kForumLinks[1].label, "透明标签6");
  EXPECT_EQ(kForumLinks[2].label, "透明标签5");
}

}  // namespace
}  // namespace qsh
