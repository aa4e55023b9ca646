#include "tests/win32/shell/real_main_window.h"

#include "shell/program.h"
#include "tests/win32/saveset/test_files.h"
#include "tests/win32/skin/test_window.h"

namespace qsh::testing {
namespace {

struct RealWindow {
  ScratchFolder folder;
  HWND window = nullptr;

  RealWindow() {
    // Without the primary save the program tells the user and ends.
    WriteWholeFile(folder / L"GameSave_Slot0.sav", "slot 0");
    Program& program = TheProgram();
    program.runDirectory = folder.path();
    if (!program.window.Create(::GetModuleHandleA(nullptr))) return;
    window = program.window.handle();
    ::ShowWindow(window, SW_SHOW);
    skin::testing::PumpUntilPainted(window);
  }
};

RealWindow& TheRealWindow() {
  static RealWindow real;
  return real;
}

}  // namespace

HWND RealMainWindow() { return TheRealWindow().window; }

HWND RealControl(std::size_t index) {
  return RealMainWindow() != nullptr ? TheProgram().window.Control(index) : nullptr;
}

const std::wstring& RealRunDirectory() { return TheRealWindow().folder.path(); }

}  // namespace qsh::testing
