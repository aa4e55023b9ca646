#pragma once
// The WinINet entry points the fetch uses. wininet.dll is not a known system
// DLL, so a static import would be looked for first in the program's own
// folder, which is the user-writable save folder: it is loaded at run time
// from the system folder only, once, and kept for the life of the process.

#include <windows.h>
#include <wininet.h>

#include <utility>

namespace qsh {

struct InternetApi {
  decltype(&::InternetOpenA) internetOpen = nullptr;
  decltype(&::InternetConnectA) internetConnect = nullptr;
  decltype(&::InternetSetOptionA) internetSetOption = nullptr;
  decltype(&::HttpOpenRequestA) httpOpenRequest = nullptr;
  decltype(&::HttpSendRequestA) httpSendRequest = nullptr;
  decltype(&::HttpQueryInfoA) httpQueryInfo = nullptr;
  decltype(&::InternetReadFile) internetReadFile = nullptr;
  decltype(&::InternetCloseHandle) internetCloseHandle = nullptr;
  decltype(&::InternetCanonicalizeUrlA) internetCanonicalizeUrl = nullptr;
  decltype(&::InternetCrackUrlA) internetCrackUrl = nullptr;
};

// Move-only owner of one internet handle.
class InternetHandle {
 public:
  InternetHandle() noexcept = default;
  InternetHandle(const InternetApi& api, HINTERNET handle) noexcept
      : close_(api.internetCloseHandle), handle_(handle) {}
  ~InternetHandle() { reset(); }

  InternetHandle(InternetHandle&& other) noexcept
      : close_(other.close_), handle_(std::exchange(other.handle_, nullptr)) {}
  InternetHandle& operator=(InternetHandle&& other) noexcept {
    if (this != &other) {
      reset();
      close_ = other.close_;
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;

  [[nodiscard]] HINTERNET get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != nullptr; }

  void reset() noexcept {
    if (handle_ != nullptr) close_(std::exchange(handle_, nullptr));
  }

 private:
  decltype(&::InternetCloseHandle) close_ = nullptr;
  HINTERNET handle_ = nullptr;
};

// The entry points of <system folder>\wininet.dll; null when the DLL or one
// of them cannot be found (the next call tries again).
const InternetApi* LoadedInternetApi();

// Where InternetRoot is kept. It lives beside the loaded DLL, so that at the
// end of the process it is closed before the DLL is released.
InternetHandle& InternetRootSlot();

}  // namespace qsh
