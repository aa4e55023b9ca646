// Serves scripts/bench: sends WM_HOTKEY with a given id straight to the
// program's main window, once per line read from stdin, and prints how long
// each SendMessage took in microseconds. The relay hands the press on
// synchronously, so the send returns once the backup or restore is done:
// the copy time without the key's way through xdotool, X and Wine's
// keyboard handling.
//
//   send_hotkey.exe HWND    then per line "ID": prints "MICROSECONDS"
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const auto window = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::strtoll(argv[1], nullptr, 0)));
  LARGE_INTEGER frequency{};
  ::QueryPerformanceFrequency(&frequency);
  char line[64];
  while (std::fgets(line, sizeof line, stdin) != nullptr) {
    const WPARAM id = static_cast<WPARAM>(std::strtoul(line, nullptr, 10));
    LARGE_INTEGER before{}, after{};
    ::QueryPerformanceCounter(&before);
    DWORD_PTR result = 0;
    const bool sent = ::SendMessageTimeoutA(window, WM_HOTKEY, id, MAKELPARAM(0, VK_F9),
                                            SMTO_NORMAL, 120000, &result) != 0;
    ::QueryPerformanceCounter(&after);
    const long long microseconds = (after.QuadPart - before.QuadPart) * 1000000 / frequency.QuadPart;
    std::printf("%lld\n", sent ? microseconds : -1LL);
    std::fflush(stdout);
  }
  return 0;
}
