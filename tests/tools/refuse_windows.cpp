// refuse_windows.exe [--ready-file F] [--stop-file S]
// Installs refuse_windows_hook.dll (beside this program) as a system-wide
// CBT hook: a program started with QSH_REFUSE_WINDOW_CLASS=<class> in its
// environment then cannot create a window of that class, without any change
// to that program. Writes "1" to the ready file once the hook is in place
// ("0" and exit code 1 when it cannot be installed), then runs until killed
// or until the stop file appears.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/tools/command_line.h"
#include "tests/tools/signal_files.h"

namespace {

std::wstring HookDllPath() {
  std::vector<wchar_t> path(MAX_PATH);
  const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  if (length == 0 || length >= path.size()) return {};
  std::wstring folder(path.data(), length);
  return folder.substr(0, folder.find_last_of(L'\\') + 1) + L"refuse_windows_hook.dll";
}

}  // namespace

int main() {
  qsh::tools::SignalFiles signals;
  const std::vector<std::wstring> arguments = qsh::tools::CommandArguments();
  for (std::size_t i = 0; i < arguments.size(); ++i)
    if (!qsh::tools::TakeSignalFileOption(arguments, i, signals)) return 2;

  const HMODULE dll = ::LoadLibraryW(HookDllPath().c_str());
  const auto procedure = reinterpret_cast<HOOKPROC>(
      reinterpret_cast<void*>(dll != nullptr ? ::GetProcAddress(dll, "RefuseWindowCreation") : nullptr));
  const HHOOK hook = procedure != nullptr ? ::SetWindowsHookExW(WH_CBT, procedure, dll, 0) : nullptr;
  if (!signals.readyFile.empty()) qsh::tools::WriteReadyFile(signals.readyFile, hook != nullptr);
  if (hook == nullptr) return 1;

  const int exitCode = qsh::tools::RunMessageLoopUntilStopped(signals.stopFile);
  ::UnhookWindowsHookEx(hook);
  return exitCode;
}
