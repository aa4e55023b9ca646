#include "web/win32/fetch_url.h"

#include <algorithm>
#include <array>
#include <memory>
#include <new>
#include <string_view>

#include "web/read_chunk.h"
#include "web/utf8_to_gb2312.h"
#include "web/win32/internet_api.h"

namespace qsh {
namespace {

constexpr char kUserAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
constexpr char kVerb[] = "GET";
constexpr char kHttpVersion[] = "HTTP/1.0";
// The accept-types list and the extra headers, byte for byte (the blank
// before CR LF included).
constexpr char kAcceptTypeEntry[] = "Accept: */* \r\n";
constexpr char kExtraHeaders[] = "Accept: */*\r\n\r\n";
constexpr DWORD kExtraHeadersLength = sizeof kExtraHeaders - 1;
static_assert(kExtraHeadersLength == 15);
constexpr DWORD kHttpRequestFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;
constexpr DWORD kHttpsRequestFlags = kHttpRequestFlags | INTERNET_FLAG_SECURE;

struct SplitUrl {
  std::array<char, 256> host{};
  std::array<char, 2048> path{};
  std::array<char, 128> userName{};
  std::array<char, 128> password{};
  INTERNET_PORT port = 0;
  DWORD requestFlags = 0;
};

bool Canonicalize(const InternetApi& api, const std::string& url, std::string& canonical) {
  DWORD size = static_cast<DWORD>(url.size() + 1);
  canonical.assign(size, '\0');
  if (!api.internetCanonicalizeUrl(url.c_str(), canonical.data(), &size, ICU_NO_ENCODE)) {
    // Once more with the size it asks for, when room was all it lacked.
    if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) return false;
    canonical.assign(size, '\0');
    if (!api.internetCanonicalizeUrl(url.c_str(), canonical.data(), &size, ICU_NO_ENCODE))
      return false;
  }
  canonical.resize(std::min<std::size_t>(size, canonical.size()));
  return true;
}

bool Split(const InternetApi& api, const std::string& url, SplitUrl& split) {
  std::string canonical;
  if (!Canonicalize(api, url, canonical)) return false;

  URL_COMPONENTSA parts{};
  parts.dwStructSize = sizeof parts;
  parts.lpszHostName = split.host.data();
  parts.dwHostNameLength = static_cast<DWORD>(split.host.size());
  parts.lpszUrlPath = split.path.data();
  parts.dwUrlPathLength = static_cast<DWORD>(split.path.size());
  parts.lpszUserName = split.userName.data();
  parts.dwUserNameLength = static_cast<DWORD>(split.userName.size());
  parts.lpszPassword = split.password.data();
  parts.dwPasswordLength = static_cast<DWORD>(split.password.size());
  if (!api.internetCrackUrl(canonical.c_str(), 0, 0, &parts)) return false;

  switch (parts.nScheme) {
    case INTERNET_SCHEME_HTTP: split.requestFlags = kHttpRequestFlags; break;
    case INTERNET_SCHEME_HTTPS: split.requestFlags = kHttpsRequestFlags; break;
    default: return false;  // nothing but http and https is fetched
  }
  split.port = parts.nPort;
  // The fragment belongs to the browser, not to the request.
  const std::string_view path(split.path.data());
  if (const std::size_t hash = path.find('#'); hash != std::string_view::npos)
    split.path[hash] = '\0';
  return true;
}

// Windows' own defaults, set explicitly on each connection, whose requests
// take them over: Wine's WinINet otherwise waits for ever for a server that
// accepts and never answers, and the window is frozen while it waits (nor
// does it pass send and receive time-outs of the session on).
struct TimeOut {
  DWORD option;
  DWORD ms;
};
constexpr std::array<TimeOut, 3> kTimeOuts{{{INTERNET_OPTION_CONNECT_TIMEOUT, 60000},
                                            {INTERNET_OPTION_SEND_TIMEOUT, 30000},
                                            {INTERNET_OPTION_RECEIVE_TIMEOUT, 30000}}};

void SetTimeOuts(const InternetApi& api, HINTERNET connection) {
  for (TimeOut timeOut : kTimeOuts)
    api.internetSetOption(connection, timeOut.option, &timeOut.ms, sizeof timeOut.ms);
}

HINTERNET OpenRoot(const InternetApi& api) {
  InternetHandle& root = InternetRootSlot();
  if (!root) {
    root = InternetHandle(
        api, api.internetOpen(kUserAgent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
  }
  return root.get();
}

// Proxy options set on every fetch; their results are not needed.
void SetProxyOptions(const InternetApi& api, HINTERNET root, HINTERNET connection) {
  static_assert(sizeof(void*) != 4 || sizeof(INTERNET_PROXY_INFO) == 12);
  INTERNET_PROXY_INFO proxy{};
  proxy.dwAccessType = INTERNET_OPEN_TYPE_PRECONFIG;  // 0
  api.internetSetOption(root, INTERNET_OPTION_PROXY, &proxy, sizeof proxy);
  char empty[] = "";
  api.internetSetOption(connection, INTERNET_OPTION_PROXY_USERNAME, empty, sizeof empty);
  api.internetSetOption(connection, INTERNET_OPTION_PROXY_PASSWORD, empty, sizeof empty);
}

uint32_t ChunkFor(const InternetApi& api, HINTERNET request) {
  std::array<char, 32> value{};
  DWORD length = static_cast<DWORD>(value.size());
  if (!api.httpQueryInfo(request, HTTP_QUERY_CONTENT_LENGTH, value.data(), &length, nullptr))
    return ReadChunkSize({});
  return ReadChunkSize(std::string_view(value.data(), std::min<std::size_t>(length, value.size())));
}

bool TryAppend(Bytes& body, const unsigned char* data, std::size_t size) {
  try {
    body.insert(body.end(), data, data + size);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

// Reads until the body is complete, a read fails or the cap is reached.
Bytes ReadBody(const InternetApi& api, HINTERNET request) {
  Bytes body;
  const uint32_t chunk = ChunkFor(api, request);
  const std::unique_ptr<unsigned char[]> buffer(new (std::nothrow) unsigned char[chunk]);
  if (!buffer) return body;
  while (body.size() < kMaxBodySize) {
    const auto wanted =
        static_cast<DWORD>(std::min<std::size_t>(chunk, kMaxBodySize - body.size()));
    DWORD read = 0;
    if (!api.internetReadFile(request, buffer.get(), wanted, &read)) break;
    if (read == 0) break;  // the body is complete
    if (!TryAppend(body, buffer.get(), std::min<DWORD>(read, wanted))) break;
  }
  // Cut by the cap inside a character, the kept part would not convert.
  if (body.size() >= kMaxBodySize) body.resize(WholeUtf8Length(body));
  return body;
}

}  // namespace

Bytes FetchUrl(const std::string& url) {
  if (url.empty()) return {};
  const InternetApi* api = LoadedInternetApi();
  if (api == nullptr) return {};

  SplitUrl split;
  if (!Split(*api, url, split)) return {};

  const HINTERNET root = OpenRoot(*api);
  if (root == nullptr) return {};

  const InternetHandle connection(
      *api, api->internetConnect(root, split.host.data(), split.port, split.userName.data(),
                                 split.password.data(), INTERNET_SERVICE_HTTP, 0, 0));
  if (!connection) return {};
  SetProxyOptions(*api, root, connection.get());
  SetTimeOuts(*api, connection.get());

  const char* acceptTypes[] = {kAcceptTypeEntry, nullptr};
  // Declared after the connection, so closed before it.
  const InternetHandle request(
      *api, api->httpOpenRequest(connection.get(), kVerb, split.path.data(), kHttpVersion,
                                 nullptr, acceptTypes, split.requestFlags, 0));
  if (!request) return {};
  if (!api->httpSendRequest(request.get(), kExtraHeaders, kExtraHeadersLength, nullptr, 0))
    return {};
  return ReadBody(*api, request.get());
}

HINTERNET InternetRoot() { return InternetRootSlot().get(); }

}  // namespace qsh
