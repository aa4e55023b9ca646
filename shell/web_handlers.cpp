#include "shell/web_handlers.h"

#include "shell/end_program.h"
#include "shell/main_window.h"
#include "shell/message_box.h"
#include "web/version_check.h"
#include "web/win32/edit_box_text.h"
#include "web/win32/forum_links.h"
#include "web/win32/win_inet_fetcher.h"

namespace qsh {
namespace {

class ProgramMessages final : public MessageShower {
 public:
  void ShowMessage(const std::string& text) override { qsh::ShowMessage(text); }
};

class ProgramEnd final : public ProgramEnder {
 public:
  void EndProgram(std::int32_t exitCode) override { qsh::EndProgram(exitCode); }
};

}  // namespace

// The press handlers take the pointer's place and the key flags; none reads them.

void OnVersionCheckPressed(std::int32_t, std::int32_t, std::int32_t) {
  WinInetFetcher fetcher;
  EditBoxText shownText(ControlHandle("编辑框1"));
  ProgramMessages messages;
  ProgramEnd ender;
  VersionCheck({fetcher, shownText, messages, ender});
}

void OnFeedbackLabelPressed(std::int32_t, std::int32_t, std::int32_t) { OnFeedbackLinkPressed(); }
void OnBoardLabelPressed(std::int32_t, std::int32_t, std::int32_t) { OnBoardLinkPressed(); }
void OnForumIndexLabelPressed(std::int32_t, std::int32_t, std::int32_t) {
  OnForumIndexLinkPressed();
}
void OnAuthorGroupBoxPressed(std::int32_t, std::int32_t, std::int32_t) { OnAuthorGroupPressed(); }

}  // namespace qsh
