// A stand-in system DLL (wininet.dll here; the end-to-end tools build it
// as uxtheme.dll too), as someone could plant it beside the program in its
// user-writable folder. When anything loads it, it leaves "<its path>.loaded"
// behind. It exports InternetOpenA, so that a program that imports wininet
// statically starts with it.
#include <windows.h>

#include <string>

extern "C" __declspec(dllexport) void* WINAPI InternetOpenA(const char*, DWORD, const char*,
                                                            const char*, DWORD) {
  return nullptr;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(instance, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return TRUE;
  const std::string marker = std::string(path, length) + ".loaded";
  const HANDLE file = ::CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
  return TRUE;
}
