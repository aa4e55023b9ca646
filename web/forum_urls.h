#pragma once
// The pages of the forum the program knows: the release page that the
// version check reads and the pages that the forum links open. All on the
// one forum host fixed at build time (the CMake cache variable
// QSH_FORUM_HOST), over http.

#include <string>
#include <string_view>

namespace qsh {

inline constexpr std::string_view kReleasePagePath = "/thread-5754162-1-1.html";
inline constexpr std::string_view kForumBoardPath = "/forum-1869-1.html";
inline constexpr std::string_view kForumIndexPath = "/forum.php";

// The host name, possibly with ":port", that this build was configured with.
[[nodiscard]] std::string_view ForumHost();

// "http://" + host + path.
[[nodiscard]] inline std::string HttpUrl(std::string_view host, std::string_view path) {
  std::string url = "http://";
  url.append(host).append(path);
  return url;
}

[[nodiscard]] inline std::string ForumUrl(std::string_view path) {
  return HttpUrl(ForumHost(), path);
}
[[nodiscard]] inline std::string ReleasePageUrl() { return ForumUrl(kReleasePagePath); }

}  // namespace qsh
