// Start-up and the ordinary end of the program.
#include <windows.h>
#include <ole2.h>

#include "saveset/win32/run_directory_win32.h"
#include "shell/program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // The command line is not read: every run starts the same way.
  ::OleInitialize(nullptr);

  const std::string runDirectory = qsh::QueryRunDirectory();
  ::SetCurrentDirectoryA(runDirectory.c_str());
  qsh::Program& program = qsh::TheProgram();
  program.runDirectory = runDirectory;

  if (!program.window.Create(instance)) {
    qsh::ShowMessage("程序窗口无法创建，程序将退出。");
    qsh::EndProgram(-1);
  }
  ::ShowWindow(program.window.handle(), SW_SHOW);

  MSG message{};
  int got = 0;
  while ((got = ::GetMessageW(&message, nullptr, 0, 0)) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  qsh::ReleaseStartupResources();
  return got == 0 ? static_cast<int>(message.wParam) : -1;
}
