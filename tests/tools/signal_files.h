#pragma once
// Small files through which the helper programs talk to the test harness:
// a ready file written once the program is in place, a stop file whose
// appearance ends it, and logs that grow one line per event.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include <windows.h>

namespace qsh::tools {

// The --ready-file and --stop-file options every helper program takes.
struct SignalFiles {
  std::wstring readyFile;
  std::wstring stopFile;
};

// Takes arguments[i] (and its value, advancing i) when it is one of those
// two options; false, with i unchanged, for any other argument.
bool TakeSignalFileOption(const std::vector<std::wstring>& arguments, std::size_t& i,
                          SignalFiles& signals);

// Writes content to path through a temporary file and a rename, so that a
// reader never sees it half written. False when either step fails.
bool WriteWholeFile(const std::wstring& path, std::string_view content);

// "1" when the program got what it needed, "0" when it did not.
bool WriteReadyFile(const std::wstring& path, bool ready);

// Appends one line (a newline is added) to the file, creating it if needed.
bool AppendLine(const std::wstring& path, std::string_view line);

// True when a file or folder of that name exists; an empty path never does.
bool PathExists(const std::wstring& path);

// Runs the thread's message loop until the stop file exists (checked every
// 50 ms, if a path is given) or the thread gets the quit message. Every
// message is dispatched; onMessage sees each one first.
using MessageObserver = void (*)(const MSG& message, void* context);
int RunMessageLoopUntilStopped(const std::wstring& stopFile, MessageObserver onMessage = nullptr,
                               void* context = nullptr);

}  // namespace qsh::tools
