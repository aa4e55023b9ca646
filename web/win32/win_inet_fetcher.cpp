#include "web/win32/win_inet_fetcher.h"

#include "web/win32/fetch_url.h"

namespace qsh {

Bytes WinInetFetcher::FetchUrl(const std::string& url) { return qsh::FetchUrl(url); }

}  // namespace qsh
