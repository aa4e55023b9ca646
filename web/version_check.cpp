#include "web/version_check.h"

#include "web/bytes_to_text.h"
#include "web/forum_urls.h"
#include "web/locate_text.h"
#include "web/utf8_to_gb2312.h"

namespace qsh {
namespace {

// The page as a Text. Each intermediate result is released as soon as the
// next step has used it: the page may be large.
std::string FetchReleaseText(PageFetcher& fetcher) {
  Bytes converted = Utf8ToGb2312(fetcher.FetchUrl(ReleasePageUrl()));
  return BytesToText(converted);
}

}  // namespace

void VersionCheck(const VersionCheckServices& services) {
  services.shownText.SetContent(FetchReleaseText(services.fetcher));
  const std::string shown = services.shownText.GetContent();
  if (LocateText(shown, kVersionMarker) == -1) {
    services.messages.ShowMessage(std::string(kOutdatedVersionMessage));
    services.ender.EndProgram(0);
    return;
  }
  services.messages.ShowMessage(std::string(kCurrentVersionMessage));
}

}  // namespace qsh
