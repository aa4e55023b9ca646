#pragma once

#include "web/version_check.h"

namespace qsh {

// The version check's fetcher: FetchUrl over WinINet.
class WinInetFetcher final : public PageFetcher {
 public:
  Bytes FetchUrl(const std::string& url) override;
};

}  // namespace qsh
