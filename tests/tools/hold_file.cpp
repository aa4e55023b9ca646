// hold_file.exe PATH [--create] [--ready-file F] [--stop-file S]
// Keeps PATH open without sharing (share mode 0), as a program that has a
// file locked would, so that every other open of it fails. --create makes
// the file when it does not exist. Writes "1" to the ready file once the file
// is open ("0" and exit code 1 when it cannot be opened), then runs until
// killed or until the stop file appears.

#include <windows.h>

#include <string>
#include <vector>

#include "platform/kernel_handles.h"
#include "tests/tools/command_line.h"
#include "tests/tools/signal_files.h"

namespace {

struct Options {
  std::wstring path;
  bool create = false;
  qsh::tools::SignalFiles signals;
};

bool ParseOptions(const std::vector<std::wstring>& arguments, Options& options) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::wstring& argument = arguments[i];
    if (qsh::tools::TakeSignalFileOption(arguments, i, options.signals)) continue;
    if (argument == L"--create") {
      options.create = true;
    } else if (options.path.empty()) {
      options.path = argument;
    } else {
      return false;
    }
  }
  return !options.path.empty();
}

}  // namespace

int main() {
  Options options;
  if (!ParseOptions(qsh::tools::CommandArguments(), options)) return 2;

  qsh::UniqueFile file(::CreateFileW(options.path.c_str(), GENERIC_READ, 0, nullptr,
                                     options.create ? OPEN_ALWAYS : OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!options.signals.readyFile.empty()) qsh::tools::WriteReadyFile(options.signals.readyFile, file.valid());
  if (!file) return 1;

  return qsh::tools::RunMessageLoopUntilStopped(options.signals.stopFile);
}
