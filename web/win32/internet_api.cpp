#include "web/win32/internet_api.h"

#include "platform/system_library.h"

namespace qsh {
namespace {

struct LoadedDll {
  UniqueModule module;
  InternetApi api;
  InternetHandle root;  // last, so released first
};

LoadedDll& TheDll() {
  static LoadedDll dll;
  return dll;
}

bool Resolve(LoadedDll& dll) {
  const UniqueModule& m = dll.module;
  InternetApi& api = dll.api;
  api.internetOpen = FindExport<decltype(api.internetOpen)>(m, "InternetOpenA");
  api.internetConnect = FindExport<decltype(api.internetConnect)>(m, "InternetConnectA");
  api.internetSetOption = FindExport<decltype(api.internetSetOption)>(m, "InternetSetOptionA");
  api.httpOpenRequest = FindExport<decltype(api.httpOpenRequest)>(m, "HttpOpenRequestA");
  api.httpSendRequest = FindExport<decltype(api.httpSendRequest)>(m, "HttpSendRequestA");
  api.httpQueryInfo = FindExport<decltype(api.httpQueryInfo)>(m, "HttpQueryInfoA");
  api.internetReadFile = FindExport<decltype(api.internetReadFile)>(m, "InternetReadFile");
  api.internetCloseHandle =
      FindExport<decltype(api.internetCloseHandle)>(m, "InternetCloseHandle");
  api.internetCanonicalizeUrl =
      FindExport<decltype(api.internetCanonicalizeUrl)>(m, "InternetCanonicalizeUrlA");
  api.internetCrackUrl = FindExport<decltype(api.internetCrackUrl)>(m, "InternetCrackUrlA");
  return api.internetOpen && api.internetConnect && api.internetSetOption &&
         api.httpOpenRequest && api.httpSendRequest && api.httpQueryInfo &&
         api.internetReadFile && api.internetCloseHandle && api.internetCanonicalizeUrl &&
         api.internetCrackUrl;
}

}  // namespace

const InternetApi* LoadedInternetApi() {
  LoadedDll& dll = TheDll();
  if (dll.module) return &dll.api;
  dll.module = LoadSystemLibrary(L"wininet.dll");
  if (dll.module && Resolve(dll)) return &dll.api;
  dll.module.reset();
  dll.api = InternetApi{};
  return nullptr;
}

InternetHandle& InternetRootSlot() { return TheDll().root; }

}  // namespace qsh
