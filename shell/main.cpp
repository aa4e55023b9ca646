// Start-up and the ordinary end of the program.
#include <windows.h>
#include <ole2.h>

#include "platform/dll_search.h"
#include "saveset/win32/run_directory_win32.h"
#include "shell/program.h"
#include "shell/program_end.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // Before OLE and the rest load anything: DLLs from the system folder only.
  qsh::RestrictDllSearchToSystemFolder();
  // The command line is not read: every run starts the same way.
  ::OleInitialize(nullptr);

  const std::wstring runDirectory = qsh::QueryRunDirectory();
  // May fail for a very long path; no path of the program depends on it.
  ::SetCurrentDirectoryW(runDirectory.c_str());
  qsh::Program& program = qsh::TheProgram();
  program.runDirectory = runDirectory;

  if (!program.window.Create(instance)) {
    qsh::ShowMessage("程序窗口无法创建，程序将退出。");
    qsh::EndProgram(qsh::kExitWindowNotCreated);
  }
  ::ShowWindow(program.window.handle(), SW_SHOW);

  program.window.NoteMessageLoopRunning();
  MSG message{};
  int got = 0;
  while ((got = ::GetMessageW(&message, nullptr, 0, 0)) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  qsh::ReleaseStartupResources();
  return qsh::ExitCodeAfterLoop(got, message.wParam);
}
