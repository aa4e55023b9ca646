#include "tests/tools/signal_files.h"

#include "platform/kernel_handles.h"

namespace qsh::tools {
namespace {

bool WriteAll(HANDLE file, std::string_view content) {
  while (!content.empty()) {
    const DWORD chunk = content.size() > 0x100000 ? 0x100000 : static_cast<DWORD>(content.size());
    DWORD written = 0;
    if (!::WriteFile(file, content.data(), chunk, &written, nullptr) || written == 0) return false;
    content.remove_prefix(written);
  }
  return true;
}

}  // namespace

bool WriteWholeFile(const std::wstring& path, std::string_view content) {
  const std::wstring temporary = path + L".tmp";
  {
    UniqueFile file(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    if (!WriteAll(file.get(), content)) return false;
  }
  return ::MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool WriteReadyFile(const std::wstring& path, bool ready) {
  return WriteWholeFile(path, ready ? "1" : "0");
}

bool AppendLine(const std::wstring& path, std::string_view line) {
  UniqueFile file(::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  std::string text(line);
  text.push_back('\n');
  return WriteAll(file.get(), text);
}

bool PathExists(const std::wstring& path) {
  return !path.empty() && ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

int RunMessageLoopUntilStopped(const std::wstring& stopFile, MessageObserver onMessage,
                               void* context) {
  // A thread timer: its WM_TIMER has no window and wakes GetMessage.
  const UINT_PTR timer = stopFile.empty() ? 0 : ::SetTimer(nullptr, 0, 50, nullptr);
  int exitCode = 0;
  MSG message{};
  for (;;) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      exitCode = static_cast<int>(message.wParam);
      break;
    }
    if (got == -1) {
      exitCode = 1;
      break;
    }
    if (onMessage != nullptr) onMessage(message, context);
    if (message.message == WM_TIMER && message.hwnd == nullptr && PathExists(stopFile)) break;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  if (timer != 0) ::KillTimer(nullptr, timer);
  return exitCode;
}

bool TakeSignalFileOption(const std::vector<std::wstring>& arguments, std::size_t& i,
                          SignalFiles& signals) {
  if (i + 1 >= arguments.size()) return false;
  if (arguments[i] == L"--ready-file") {
    signals.readyFile = arguments[++i];
  } else if (arguments[i] == L"--stop-file") {
    signals.stopFile = arguments[++i];
  } else {
    return false;
  }
  return true;
}

}  // namespace qsh::tools
