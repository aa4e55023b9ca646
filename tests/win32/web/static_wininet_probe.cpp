// Imports wininet.dll statically, as the program must not: the control that
// shows a planted wininet.dll beside an executable really is picked up.
#include <windows.h>
#include <wininet.h>

int main() {
  const HINTERNET session = ::InternetOpenA("probe", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
  if (session != nullptr) ::InternetCloseHandle(session);
  return 0;
}
