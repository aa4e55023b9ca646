// inspect.exe: reports the windows and session state of the Wine session (or
// Windows desktop) as one JSON document, for the end-to-end tests.
//
//   inspect.exe [--out FILE] [filters] [--message-text]
//       Top-level windows with their whole child trees. Filters (combined):
//       --pid N (repeatable), --exe NAME (processes of that exe file name),
//       --title TEXT, --class NAME (of the top-level window), --hwnd H.
//   inspect.exe [--out FILE] --processes
//   inspect.exe [--out FILE] --cursor-at X Y [--cursor-module PATH --cursor-id N]
//   inspect.exe [--out FILE] --hotkey-free VK [--mods M]
//   inspect.exe [--out FILE] --gdi-counts PID
//   inspect.exe [--out FILE] --activate HWND
//   inspect.exe [--out FILE] --post HWND MESSAGE WPARAM LPARAM
//       PostMessage to the window, e.g. a WM_HOTKEY (0x0312) with an id, as
//       the system posts it for a hotkey press.
//   inspect.exe [--out FILE] --sys-color INDEX
//
// Without --out the document goes to standard output. With --out it is
// written to a temporary file and renamed, so a reader never sees half of it.
// Exit code 0 when the report was written, 1 when it could not be, 2 for a
// command line it does not understand.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/tools/command_line.h"
#include "tests/tools/cursor_probe.h"
#include "tests/tools/json_writer.h"
#include "tests/tools/process_list.h"
#include "tests/tools/signal_files.h"
#include "tests/tools/system_probes.h"
#include "tests/tools/window_dump.h"

namespace {

using qsh::tools::ParseInteger;

enum class Mode {
  kWindows, kProcesses, kCursorAt, kHotkeyFree, kGdiCounts, kActivate, kPost, kSystemColour
};

struct Request {
  Mode mode = Mode::kWindows;
  std::wstring outFile;
  qsh::tools::WindowFilter filter;
  qsh::tools::CursorProbe cursor;
  UINT virtualKey = 0;
  UINT modifiers = 0;
  DWORD pid = 0;
  HWND window = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  int colourIndex = 0;
};

std::optional<std::int64_t> IntegerAt(const std::vector<std::wstring>& arguments, std::size_t i) {
  if (i >= arguments.size()) return std::nullopt;
  return ParseInteger(arguments[i]);
}

std::optional<DWORD> ProcessIdAt(const std::vector<std::wstring>& arguments, std::size_t i) {
  const auto value = IntegerAt(arguments, i);
  if (!value || *value < 0 || *value > 0xFFFFFFFFLL) return std::nullopt;
  return static_cast<DWORD>(*value);
}

std::optional<HWND> WindowAt(const std::vector<std::wstring>& arguments, std::size_t i) {
  const auto value = IntegerAt(arguments, i);
  if (!value || *value <= 0 || *value > 0xFFFFFFFFLL) return std::nullopt;
  return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(*value));
}

bool ParseRequest(const std::vector<std::wstring>& arguments, Request& request) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::wstring& argument = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    if (argument == L"--out" && hasValue) {
      request.outFile = arguments[++i];
    } else if (argument == L"--pid") {
      const auto pid = ProcessIdAt(arguments, ++i);
      if (!pid) return false;
      request.filter.pids.push_back(*pid);
      request.filter.pidsGiven = true;
    } else if (argument == L"--exe" && hasValue) {
      for (DWORD pid : qsh::tools::ProcessIdsByExeName(arguments[++i])) {
        request.filter.pids.push_back(pid);
      }
      request.filter.pidsGiven = true;
    } else if (argument == L"--title" && hasValue) {
      request.filter.title = arguments[++i];
      request.filter.titleGiven = true;
    } else if (argument == L"--class" && hasValue) {
      request.filter.className = arguments[++i];
      request.filter.classGiven = true;
    } else if (argument == L"--hwnd") {
      const auto window = WindowAt(arguments, ++i);
      if (!window) return false;
      request.filter.root = *window;
    } else if (argument == L"--message-text") {
      request.filter.messageText = true;
    } else if (argument == L"--processes") {
      request.mode = Mode::kProcesses;
    } else if (argument == L"--cursor-at") {
      const auto x = IntegerAt(arguments, i + 1);
      const auto y = IntegerAt(arguments, i + 2);
      if (!x || !y || *x < -100000 || *x > 100000 || *y < -100000 || *y > 100000) return false;
      request.cursor.point = POINT{static_cast<LONG>(*x), static_cast<LONG>(*y)};
      request.mode = Mode::kCursorAt;
      i += 2;
    } else if (argument == L"--cursor-module" && hasValue) {
      request.cursor.cursorModule = arguments[++i];
    } else if (argument == L"--cursor-id") {
      const auto id = IntegerAt(arguments, ++i);
      if (!id || *id <= 0 || *id > 0xFFFF) return false;
      request.cursor.cursorId = static_cast<int>(*id);
    } else if (argument == L"--hotkey-free") {
      const auto key = IntegerAt(arguments, ++i);
      if (!key || *key <= 0 || *key > 0xFE) return false;
      request.virtualKey = static_cast<UINT>(*key);
      request.mode = Mode::kHotkeyFree;
    } else if (argument == L"--mods") {
      const auto modifiers = IntegerAt(arguments, ++i);
      if (!modifiers || *modifiers < 0 || *modifiers > 0xFFFF) return false;
      request.modifiers = static_cast<UINT>(*modifiers);
    } else if (argument == L"--gdi-counts") {
      const auto pid = ProcessIdAt(arguments, ++i);
      if (!pid) return false;
      request.pid = *pid;
      request.mode = Mode::kGdiCounts;
    } else if (argument == L"--activate") {
      const auto window = WindowAt(arguments, ++i);
      if (!window) return false;
      request.window = *window;
      request.mode = Mode::kActivate;
    } else if (argument == L"--post") {
      const auto window = WindowAt(arguments, i + 1);
      const auto message = IntegerAt(arguments, i + 2);
      const auto wParam = IntegerAt(arguments, i + 3);
      const auto lParam = IntegerAt(arguments, i + 4);
      if (!window || !message || !wParam || !lParam) return false;
      // Parameters of a 32-bit program: WPARAM unsigned, LPARAM signed.
      if (*message < 0 || *message > 0xFFFFFFFFLL) return false;
      if (*wParam < 0 || *wParam > 0xFFFFFFFFLL) return false;
      if (*lParam < -0x80000000LL || *lParam > 0x7FFFFFFFLL) return false;
      request.window = *window;
      request.message = static_cast<UINT>(*message);
      request.wParam = static_cast<WPARAM>(*wParam);
      request.lParam = static_cast<LPARAM>(*lParam);
      request.mode = Mode::kPost;
      i += 4;
    } else if (argument == L"--sys-color") {
      const auto index = IntegerAt(arguments, ++i);
      if (!index || *index < 0 || *index > 100) return false;
      request.colourIndex = static_cast<int>(*index);
      request.mode = Mode::kSystemColour;
    } else {
      return false;
    }
  }
  if (!request.cursor.cursorModule.empty() && request.cursor.cursorId == 0) return false;
  return true;
}

void WriteReport(qsh::tools::JsonWriter& json, const Request& request) {
  switch (request.mode) {
    case Mode::kWindows:
      qsh::tools::WriteWindowReport(json, request.filter);
      break;
    case Mode::kProcesses:
      qsh::tools::WriteProcessList(json);
      break;
    case Mode::kCursorAt:
      qsh::tools::WriteCursorReport(json, request.cursor);
      break;
    case Mode::kHotkeyFree:
      qsh::tools::WriteHotkeyProbe(json, request.virtualKey, request.modifiers);
      break;
    case Mode::kGdiCounts:
      qsh::tools::WriteResourceCounts(json, request.pid);
      break;
    case Mode::kActivate:
      qsh::tools::WriteActivation(json, request.window);
      break;
    case Mode::kPost:
      qsh::tools::WritePostedMessage(json, request.window, request.message, request.wParam,
                                     request.lParam);
      break;
    case Mode::kSystemColour:
      qsh::tools::WriteSystemColour(json, request.colourIndex);
      break;
  }
}

bool WriteToStandardOutput(const std::string& text) {
  const HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
  if (output == nullptr || output == INVALID_HANDLE_VALUE) return false;
  std::string_view rest(text);
  while (!rest.empty()) {
    DWORD written = 0;
    const DWORD chunk = rest.size() > 0x10000 ? 0x10000 : static_cast<DWORD>(rest.size());
    if (!::WriteFile(output, rest.data(), chunk, &written, nullptr) || written == 0) return false;
    rest.remove_prefix(written);
  }
  return true;
}

}  // namespace

int main() {
  Request request;
  if (!ParseRequest(qsh::tools::CommandArguments(), request)) return 2;

  qsh::tools::JsonWriter json;
  WriteReport(json, request);
  std::string text = json.Text();
  text.push_back('\n');
  const bool written = request.outFile.empty() ? WriteToStandardOutput(text)
                                               : qsh::tools::WriteWholeFile(request.outFile, text);
  return written ? 0 : 1;
}
