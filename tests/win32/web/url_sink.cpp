// Stands in for the browser: registered as the handler of a test URL scheme,
// it writes the URL it was given to "received_url.txt" beside itself.
#include <windows.h>

#include <string>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 3;
  std::string target(path, length);
  target = target.substr(0, target.find_last_of('\\')) + "\\received_url.txt";
  // Written under another name and renamed, so that a reader never sees half.
  const std::string partial = target + ".partial";
  const HANDLE file = ::CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 4;
  const std::string url = argv[1];
  DWORD written = 0;
  const BOOL ok = ::WriteFile(file, url.data(), static_cast<DWORD>(url.size()), &written, nullptr);
  ::CloseHandle(file);
  if (!ok || !::MoveFileExA(partial.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) return 5;
  return 0;
}
