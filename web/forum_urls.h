#pragma once
// The pages of the forum the program knows: the release page that the
// version check reads and the pages that the forum links open. All on the
// one forum host fixed at build time (the CMake cache variable
// QSH_FORUM_HOST), over http.

#include <array>
#include <string>
#include <string_view>

namespace qsh {

inline constexpr std::string_view kReleasePagePath = "/thread-5754162-1-1.html";
inline constexpr std::string_view kForumBoardPath = "/forum-1869-1.html";
inline constexpr std::string_view kForumIndexPath = "/forum.php";

// The host name, possibly with ":port", that this build was configured with.
[[nodiscard]] std::string_view ForumHost();

// "http://" + host + path.
[[nodiscard]] std::string HttpUrl(std::string_view host, std::string_view path);

[[nodiscard]] inline std::string ForumUrl(std::string_view path) {
  return HttpUrl(ForumHost(), path);
}
[[nodiscard]] inline std::string ReleasePageUrl() { return ForumUrl(kReleasePagePath); }

// A label of the main window that opens a forum page when pressed.
struct ForumLink {
  std::string_view label;  // the control's name in the window description
  std::string_view path;
};

inline constexpr ForumLink kFeedbackLink{"透明标签8", kForumBoardPath};  // "反馈地址"
inline constexpr ForumLink kBoardLink{"透明标签6", kForumBoardPath};     // "Qelvarin版块"
inline constexpr ForumLink kForumIndexLink{"透明标签5", kForumIndexPath};  // "Tamrow论坛"

inline constexpr std::array<ForumLink, 3> kForumLinks{kFeedbackLink, kBoardLink, kForumIndexLink};

}  // namespace qsh
