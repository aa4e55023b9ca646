// hold_hotkey.exe VK [--mods M] [--ready-file F] [--stop-file S] [--log-file L]
// Holds the system-wide hotkey VK (no modifier keys unless --mods gives the
// MOD_ flags) for another program, so that the program under test finds it
// taken. Writes "1" to the ready file once registered ("0" and exit code 1
// when the system refuses it), then runs until killed or until the stop file
// appears. Each press it receives is appended to the log as "WM_HOTKEY <vk>".

#include <windows.h>

#include <string>
#include <vector>

#include "tests/tools/command_line.h"
#include "tests/tools/signal_files.h"

namespace {

constexpr int kHotkeyId = 1;

struct Options {
  UINT virtualKey = 0;
  UINT modifiers = 0;
  qsh::tools::SignalFiles signals;
  std::wstring logFile;
};

bool ParseOptions(const std::vector<std::wstring>& arguments, Options& options) {
  bool haveKey = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::wstring& argument = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    if (qsh::tools::TakeSignalFileOption(arguments, i, options.signals)) continue;
    if (argument == L"--log-file" && hasValue) {
      options.logFile = arguments[++i];
    } else if (argument == L"--mods" && hasValue) {
      const auto modifiers = qsh::tools::ParseInteger(arguments[++i]);
      if (!modifiers || *modifiers < 0 || *modifiers > 0xFFFF) return false;
      options.modifiers = static_cast<UINT>(*modifiers);
    } else if (!haveKey) {
      const auto key = qsh::tools::ParseInteger(argument);
      if (!key || *key <= 0 || *key > 0xFE) return false;
      options.virtualKey = static_cast<UINT>(*key);
      haveKey = true;
    } else {
      return false;
    }
  }
  return haveKey;
}

void LogHotkey(const MSG& message, void* context) {
  if (message.message != WM_HOTKEY || message.wParam != kHotkeyId) return;
  const auto* options = static_cast<const Options*>(context);
  if (options->logFile.empty()) return;
  qsh::tools::AppendLine(options->logFile, "WM_HOTKEY " + std::to_string(options->virtualKey));
}

}  // namespace

int main() {
  Options options;
  if (!ParseOptions(qsh::tools::CommandArguments(), options)) return 2;

  // A thread hotkey: the presses arrive as thread messages of this thread.
  const bool registered =
      ::RegisterHotKey(nullptr, kHotkeyId, options.modifiers, options.virtualKey) != 0;
  if (!options.signals.readyFile.empty()) qsh::tools::WriteReadyFile(options.signals.readyFile, registered);
  if (!registered) return 1;

  const int exitCode = qsh::tools::RunMessageLoopUntilStopped(options.signals.stopFile, LogHotkey, &options);
  ::UnregisterHotKey(nullptr, kHotkeyId);
  return exitCode;
}
