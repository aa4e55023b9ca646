// hold_file.exe PATH [--create] [--share LETTERS] [--write] [--append-every MS]
//               [--ready-file F] [--stop-file S]
// Keeps PATH open as another program that uses the file would. By default
// it reads without sharing (share mode 0), as a program that has a file
// locked, so that every other open of it fails. --share names what others
// may do meanwhile: "r" read, "w" write, "d" delete or rename (a game that
// holds its save for writing shares "rw"). --write opens it for writing as
// well. --append-every MS opens it for writing and, every MS milliseconds,
// appends one 16-byte record "rec<12-digit index>\n" and then writes the
// number of records into the file's first 8 bytes (little-endian): a file
// whose count and length disagree was copied while it was being written.
// The file's first 8 bytes must hold the count it starts with.
// --create makes the file when it does not exist. Writes "1" to the ready
// file once the file is open ("0" and exit code 1 when it cannot be
// opened), then runs until killed or until the stop file appears.

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/kernel_handles.h"
#include "tests/tools/command_line.h"
#include "tests/tools/signal_files.h"

namespace {

struct Options {
  std::wstring path;
  bool create = false;
  DWORD share = 0;
  bool write = false;
  UINT appendEvery = 0;  // milliseconds; 0: never
  qsh::tools::SignalFiles signals;
};

DWORD ShareMode(const std::wstring& letters) {
  DWORD share = 0;
  for (const wchar_t letter : letters) {
    if (letter == L'r') share |= FILE_SHARE_READ;
    if (letter == L'w') share |= FILE_SHARE_WRITE;
    if (letter == L'd') share |= FILE_SHARE_DELETE;
  }
  return share;
}

bool ParseOptions(const std::vector<std::wstring>& arguments, Options& options) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::wstring& argument = arguments[i];
    if (qsh::tools::TakeSignalFileOption(arguments, i, options.signals)) continue;
    if (argument == L"--create") {
      options.create = true;
    } else if (argument == L"--write") {
      options.write = true;
    } else if (argument == L"--share" && i + 1 < arguments.size()) {
      options.share = ShareMode(arguments[++i]);
    } else if (argument == L"--append-every" && i + 1 < arguments.size()) {
      const auto every = qsh::tools::ParseInteger(arguments[++i]);
      if (!every || *every <= 0) return false;
      options.appendEvery = static_cast<UINT>(*every);
      options.write = true;
    } else if (options.path.empty()) {
      options.path = argument;
    } else {
      return false;
    }
  }
  return !options.path.empty();
}

// Appends the next record, then updates the count at the front.
struct Appender {
  HANDLE file = INVALID_HANDLE_VALUE;
  UINT_PTR timer = 0;
  std::uint64_t count = 0;
  bool failed = false;

  bool Start() {
    DWORD read = 0;
    LARGE_INTEGER start{};
    if (!::SetFilePointerEx(file, start, nullptr, FILE_BEGIN) ||
        !::ReadFile(file, &count, sizeof count, &read, nullptr) || read != sizeof count)
      return false;
    return true;
  }

  void AppendOne() {
    char record[17];
    std::snprintf(record, sizeof record, "rec%012llu\n", static_cast<unsigned long long>(count));
    LARGE_INTEGER none{};
    DWORD written = 0;
    failed = failed || !::SetFilePointerEx(file, none, nullptr, FILE_END) ||
             !::WriteFile(file, record, 16, &written, nullptr) || written != 16;
    ++count;
    failed = failed || !::SetFilePointerEx(file, none, nullptr, FILE_BEGIN) ||
             !::WriteFile(file, &count, sizeof count, &written, nullptr) ||
             written != sizeof count;
  }

  static void OnMessage(const MSG& message, void* context) {
    auto* self = static_cast<Appender*>(context);
    if (message.message == WM_TIMER && message.hwnd == nullptr && message.wParam == self->timer &&
        !self->failed)
      self->AppendOne();
  }
};

}  // namespace

int main() {
  Options options;
  if (!ParseOptions(qsh::tools::CommandArguments(), options)) return 2;

  qsh::UniqueFile file(::CreateFileW(
      options.path.c_str(), GENERIC_READ | (options.write ? GENERIC_WRITE : 0), options.share,
      nullptr, options.create ? OPEN_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  Appender appender{file.get()};
  const bool appending = options.appendEvery != 0;
  const bool ready = file.valid() && (!appending || appender.Start());
  if (!options.signals.readyFile.empty()) qsh::tools::WriteReadyFile(options.signals.readyFile, ready);
  if (!ready) return 1;
  if (!appending) return qsh::tools::RunMessageLoopUntilStopped(options.signals.stopFile);

  appender.timer = ::SetTimer(nullptr, 0, options.appendEvery, nullptr);
  if (appender.timer == 0) return 1;
  const int code = qsh::tools::RunMessageLoopUntilStopped(options.signals.stopFile,
                                                          &Appender::OnMessage, &appender);
  ::KillTimer(nullptr, appender.timer);
  return appender.failed ? 3 : code;
}
