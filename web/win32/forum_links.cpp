#include "web/win32/forum_links.h"

#include "web/forum_urls.h"
#include "web/win32/open_in_browser.h"

namespace qsh {

void OnFeedbackLinkPressed() { OpenInBrowser(ForumUrl(kFeedbackLink.path)); }
void OnBoardLinkPressed() { OpenInBrowser(ForumUrl(kBoardLink.path)); }
void OnForumIndexLinkPressed() { OpenInBrowser(ForumUrl(kForumIndexLink.path)); }

void OnAuthorGroupPressed() {}

}  // namespace qsh
