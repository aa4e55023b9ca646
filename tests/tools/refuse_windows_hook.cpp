// refuse_windows_hook.dll: the hook of refuse_windows.exe, which the system
// loads into every process of the session that makes a window. In a process
// whose environment names a window class in QSH_REFUSE_WINDOW_CLASS it
// refuses to let any window of that class be created, as a system short of
// window resources would; in every other process it does nothing.
#include <windows.h>

#include <array>

namespace {

// Read once per process: empty when this process is not meant.
const std::array<char, 256>& RefusedClass() {
  static const std::array<char, 256> refused = [] {
    std::array<char, 256> name{};
    const DWORD length = ::GetEnvironmentVariableA("QSH_REFUSE_WINDOW_CLASS", name.data(),
                                                   static_cast<DWORD>(name.size()));
    if (length == 0 || length >= name.size()) name.fill('\0');
    return name;
  }();
  return refused;
}

bool IsRefused(HWND window) {
  const std::array<char, 256>& refused = RefusedClass();
  if (refused[0] == '\0') return false;
  std::array<char, 256> className{};
  if (::GetClassNameA(window, className.data(), static_cast<int>(className.size())) == 0)
    return false;
  return ::lstrcmpiA(className.data(), refused.data()) == 0;
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK RefuseWindowCreation(int code, WPARAM wParam,
                                                                       LPARAM lParam) {
  if (code == HCBT_CREATEWND && IsRefused(reinterpret_cast<HWND>(wParam))) return 1;
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
