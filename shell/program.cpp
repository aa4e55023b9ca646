// The program's state, its end and its message, and the handlers of the
// window's events: start-up, the hotkeys' feedback, the version check and
// the forum links.
#include "shell/program.h"

#include <windows.h>
#include <ole2.h>

#include "platform/text_boundary.h"
#include "saveset/save_operations.h"
#include "shell/event_handlers.h"
#include "shell/skin/control_skin.h"
#include "web/forum_urls.h"
#include "web/version_check.h"
#include "web/win32/fetch_url.h"
#include "web/win32/open_in_browser.h"

namespace qsh {
namespace {

constexpr std::int32_t kNoModifier = 0;

// The version check's host: WinINet, the hidden edit box 编辑框1, the
// program's message and its end.
class ProgramHost final : public VersionCheckHost {
 public:
  Bytes Fetch(const std::string& url) override { return FetchUrl(url); }
  void SetShownText(const std::string& text) override { SetWindowTextOf(EditBox(), text); }
  std::string ShownText() override { return WindowTextOf(EditBox()); }
  void ShowMessage(const std::string& text) override { qsh::ShowMessage(text); }
  void EndProgram(std::int32_t exitCode) override { qsh::EndProgram(exitCode); }

 private:
  static HWND EditBox() { return TheProgram().window.Control(ControlIndex("编辑框1")); }
};

}  // namespace

Program& TheProgram() {
  static Program program;
  return program;
}

void ReleaseStartupResources() {
  TheProgram().window.ReleaseResources();
  ::OleUninitialize();
}

void EndProgram(std::int32_t exitCode) {
  ReleaseStartupResources();
  // The windows, the hotkeys and the relay are left to the system, which
  // releases them with the process.
  ::ExitProcess(static_cast<UINT>(exitCode));
}

void ShowMessage(const std::string& text) {
  ::MessageBoxW(nullptr, WideFromText(text).c_str(), WideFromText("信息：").c_str(),
                MB_OK | MB_TASKMODAL);
}

void OnMainWindowCreated() {
  // First, so that every control, and every message box from now on, wears it.
  skin::SetSkinScheme(2);
  Program& program = TheProgram();
  if (!RunLocationCheck(program.files, program.runDirectory)) {
    ShowMessage("运行位置不对！");
    EndProgram(0);
  }
  const HWND receiver = program.window.handle();
  const HWND relayTarget = program.window.Control(ControlIndex("标签1"));
  program.backupHotkeyId = program.relay.Register(receiver, relayTarget, kNoModifier, VK_F9);
  program.restoreHotkeyId = program.relay.Register(receiver, relayTarget, kNoModifier, VK_F10);
}

void OnHotkeyFeedback(std::int32_t first, std::int32_t /*second*/) {
  Program& program = TheProgram();
  const HotkeyOperations selected =
      SelectHotkeyOperations(first, program.backupHotkeyId, program.restoreHotkeyId);
  if (selected.backup) BackupSaveSet(program.files, program.runDirectory);
  if (selected.restore) RestoreSaveSet(program.files, program.runDirectory);
}

// The press handlers take the pointer's place and the key flags; none reads them.

void OnVersionCheckPressed(std::int32_t, std::int32_t, std::int32_t) {
  ProgramHost host;
  VersionCheck(host);
}

void OnFeedbackLabelPressed(std::int32_t, std::int32_t, std::int32_t) {
  OpenInBrowser(ForumUrl(kForumBoardPath));
}
void OnBoardLabelPressed(std::int32_t, std::int32_t, std::int32_t) {
  OpenInBrowser(ForumUrl(kForumBoardPath));
}
void OnForumIndexLabelPressed(std::int32_t, std::int32_t, std::int32_t) {
  OpenInBrowser(ForumUrl(kForumIndexPath));
}
void OnAuthorGroupBoxPressed(std::int32_t, std::int32_t, std::int32_t) {}
void OnShownTextChanged() {}

}  // namespace qsh
