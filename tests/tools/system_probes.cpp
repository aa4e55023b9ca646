#include "tests/tools/system_probes.h"

#include <psapi.h>

#include "platform/unique_handle.h"
#include "tests/tools/process_list.h"
#include "tests/tools/text_encoding.h"

namespace qsh::tools {
namespace {

struct ProcessHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle handle) noexcept { ::CloseHandle(handle); }
};
using UniqueProcess = UniqueHandle<ProcessHandleTraits>;

std::int64_t HandleNumber(const void* handle) {
  return static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(handle));
}

// GetGuiResources gives 0 both for "none" and for "not supported"; only
// the last error tells them apart.
void WriteGuiCount(JsonWriter& json, const char* key, HANDLE process, DWORD which) {
  ::SetLastError(ERROR_SUCCESS);
  const DWORD count = ::GetGuiResources(process, which);
  json.Key(key);
  if (count == 0 && ::GetLastError() != ERROR_SUCCESS) {
    json.Null();
  } else {
    json.Number(static_cast<std::int64_t>(count));
  }
}

}  // namespace

void WriteHotkeyProbe(JsonWriter& json, UINT virtualKey, UINT modifiers) {
  constexpr int kProbeId = 1;
  const bool registered = ::RegisterHotKey(nullptr, kProbeId, modifiers, virtualKey) != 0;
  const DWORD error = registered ? 0 : ::GetLastError();
  if (registered) ::UnregisterHotKey(nullptr, kProbeId);
  json.BeginObject();
  json.Field("vk", static_cast<std::int64_t>(virtualKey));
  json.Field("mods", static_cast<std::int64_t>(modifiers));
  json.Field("free", registered);
  json.Field("error", static_cast<std::int64_t>(error));
  json.EndObject();
}

void WriteResourceCounts(JsonWriter& json, DWORD pid) {
  json.BeginObject();
  json.Field("pid", static_cast<std::int64_t>(pid));
  UniqueProcess process(
      ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
  if (!process) process.reset(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
  json.Field("opened", process.valid());
  if (!process) {
    json.Field("error", static_cast<std::int64_t>(::GetLastError()));
    json.EndObject();
    return;
  }
  WriteGuiCount(json, "gdi", process.get(), GR_GDIOBJECTS);
  WriteGuiCount(json, "user", process.get(), GR_USEROBJECTS);

  DWORD handles = 0;
  json.Key("handles");
  if (::GetProcessHandleCount(process.get(), &handles) != 0) {
    json.Number(static_cast<std::int64_t>(handles));
  } else {
    json.Null();
  }

  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof(memory);
  const bool haveMemory =
      ::GetProcessMemoryInfo(process.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof(memory)) != 0;
  json.Key("private_bytes");
  if (haveMemory) {
    json.Number(static_cast<std::int64_t>(memory.PrivateUsage));
  } else {
    json.Null();
  }
  json.Key("working_set");
  if (haveMemory) {
    json.Number(static_cast<std::int64_t>(memory.WorkingSetSize));
  } else {
    json.Null();
  }

  DWORD exitCode = 0;
  json.Key("running");
  if (::GetExitCodeProcess(process.get(), &exitCode) != 0) {
    json.Bool(exitCode == STILL_ACTIVE);
  } else {
    json.Null();
  }
  json.EndObject();
}

void WriteProcessList(JsonWriter& json) {
  json.BeginArray();
  for (const ProcessEntry& process : ListProcesses()) {
    json.BeginObject();
    json.Field("pid", static_cast<std::int64_t>(process.pid));
    json.Field("ppid", static_cast<std::int64_t>(process.parentPid));
    json.Field("threads", static_cast<std::int64_t>(process.threadCount));
    json.Field("exe", Utf8FromWide(process.exeName));
    json.EndObject();
  }
  json.EndArray();
}

void WriteActivation(JsonWriter& json, HWND window) {
  const bool asked = ::SetForegroundWindow(window) != 0;
  const HWND foreground = ::GetForegroundWindow();
  json.BeginObject();
  json.Field("hwnd", HandleNumber(window));
  json.Field("set_foreground", asked);
  json.Field("foreground", HandleNumber(foreground));
  json.Field("activated", foreground == window);
  json.EndObject();
}

void WritePostedMessage(JsonWriter& json, HWND window, UINT message, WPARAM wParam,
                        LPARAM lParam) {
  const bool posted = ::PostMessageW(window, message, wParam, lParam) != 0;
  const DWORD error = posted ? 0 : ::GetLastError();
  json.BeginObject();
  json.Field("hwnd", HandleNumber(window));
  json.Field("message", static_cast<std::int64_t>(message));
  json.Field("wparam", static_cast<std::int64_t>(wParam));
  json.Field("lparam", static_cast<std::int64_t>(lParam));
  json.Field("posted", posted);
  json.Field("error", static_cast<std::int64_t>(error));
  json.EndObject();
}

void WriteSystemColour(JsonWriter& json, int index) {
  const COLORREF colour = ::GetSysColor(index);
  json.BeginObject();
  json.Field("index", static_cast<std::int64_t>(index));
  json.Field("red", static_cast<std::int64_t>(GetRValue(colour)));
  json.Field("green", static_cast<std::int64_t>(GetGValue(colour)));
  json.Field("blue", static_cast<std::int64_t>(GetBValue(colour)));
  json.EndObject();
}

}  // namespace qsh::tools
