#include "web/version_check.h"

#include "web/forum_urls.h"
#include "web/locate_text.h"
#include "web/utf8_to_gb2312.h"

namespace qsh {
namespace {

// The page as a Text. Each intermediate result is released as soon as the
// next step has used it: the page may be large.
std::string FetchReleaseText(VersionCheckHost& host) {
  Bytes converted = Utf8ToGb2312(host.Fetch(ReleasePageUrl()));
  return BytesToText(converted);
}

}  // namespace

void VersionCheck(VersionCheckHost& host) {
  host.SetShownText(FetchReleaseText(host));
  if (LocateText(host.ShownText(), kVersionMarker) != -1) {
    host.ShowMessage(std::string(kCurrentVersionMessage));
  } else {
    host.ShowMessage(std::string(kOutdatedVersionMessage));
    host.EndProgram(0);
  }
}

}  // namespace qsh
