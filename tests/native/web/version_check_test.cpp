#include "web/version_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "web/forum_urls.h"

namespace qsh {
namespace {

Bytes B(const std::string& text) { return Bytes(text.begin(), text.end()); }

// UTF-8 forms of the marker and of a later version's marker.
const std::string kUtf8Marker =
    "\xE8\xBD\xAF\xE4\xBB\xB6\xE7\x89\x88\xE6\x9C\xAC\xEF\xBC\x9A\xE3\x80\x90V1.01\xE3\x80\x91";
const std::string kUtf8LaterMarker =
    "\xE8\xBD\xAF\xE4\xBB\xB6\xE7\x89\x88\xE6\x9C\xAC\xEF\xBC\x9A\xE3\x80\x90V1.02\xE3\x80\x91";

// Records every call in order, so that the tests see the sequence of steps.
struct Recorder final : VersionCheckHost {
  Bytes page;
  // When set, what the edit box gives back instead of what it was given.
  const std::string* readBackOverride = nullptr;
  std::string content;
  std::vector<std::string> events;

  Bytes Fetch(const std::string& url) override {
    events.push_back("fetch " + url);
    return page;
  }
  void SetShownText(const std::string& text) override {
    events.push_back("set " + std::to_string(text.size()) + " bytes");
    content = text;
  }
  std::string ShownText() override {
    events.push_back("get");
    return readBackOverride != nullptr ? *readBackOverride : content;
  }
  void ShowMessage(const std::string& text) override { events.push_back("message " + text); }
  void EndProgram(int32_t exitCode) override {
    events.push_back("end " + std::to_string(exitCode));
  }

  std::vector<std::string> Run() {
    VersionCheck(*this);
    return events;
  }
};

const std::string kFetch = "fetch " + ReleasePageUrl();
const std::string kCurrent = "message " + std::string(kCurrentVersionMessage);
const std::string kOutdated = "message " + std::string(kOutdatedVersionMessage);

TEST(VersionCheckTest, MarkerPinnedInCodePage936) {
  const std::string expected =
      "\xC8\xED\xBC\xFE\xB0\xE6\xB1\xBE\xA3\xBA\xA1\xBE\x56\x31\x2E\x30\x31\xA1\xBF";
  EXPECT_EQ(kVersionMarker.size(), 19u);
  EXPECT_EQ(std::string(kVersionMarker), expected);
  EXPECT_EQ(std::string(kCurrentVersionMessage),
            "\xB8\xC3\xB0\xE6\xB1\xBE\xCE\xAA\xD7\xEE\xD0\xC2\xB0\xE6\xB1\xBE");
  EXPECT_EQ(std::string(kOutdatedVersionMessage),
            "\xB8\xC3\xB0\xE6\xB1\xBE\xD2\xD1\xCA\xA7\xD0\xA7\xA3\xAC\xBB\xF2\xCD\xF8\xC2\xE7"
            "\xCC\xF5\xBC\xFE\xB2\xBB\xBA\xC3\xA3\xA1");
}

TEST(VersionCheckTest, OutcomeFollowsTheMarkerOnThePage) {
  struct Case {
    const char* name;
    std::string page;
    bool current;
    std::size_t shownBytes;
  };
  const Case cases[] = {
      {"marker at the start", kUtf8Marker + "<html>", true, 25},
      {"marker later", "<html><body>\xE4\xB8\xAD" + kUtf8Marker, true, 33},
      {"later version's marker", "<html>" + kUtf8LaterMarker, false, 25},
      {"marker with a small v", "\xE8\xBD\xAF\xE4\xBB\xB6\xE7\x89\x88\xE6\x9C\xAC\xEF\xBC\x9A"
                                "\xE3\x80\x90v1.01\xE3\x80\x91", false, 19},
      {"page not fetched", "", false, 0},
      {"marker and a no-break space", kUtf8Marker + "\xC2\xA0", false, 0},
      {"byte-order mark before the marker", "\xEF\xBB\xBF" + kUtf8Marker, false, 0},
      {"page that is not UTF-8", kUtf8Marker + "\xFF", false, 0},
      {"marker after a zero byte", std::string("ab\0", 3) + kUtf8Marker, false, 2},
  };
  for (const Case& c : cases) {
    Recorder recorder;
    recorder.page = B(c.page);
    const std::string set = "set " + std::to_string(c.shownBytes) + " bytes";
    if (c.current) {
      EXPECT_EQ(recorder.Run(), (std::vector<std::string>{kFetch, set, "get", kCurrent})) << c.name;
    } else {
      EXPECT_EQ(recorder.Run(), (std::vector<std::string>{kFetch, set, "get", kOutdated, "end 0"}))
          << c.name;
    }
  }
}

TEST(VersionCheckTest, SearchesTheTextReadBackFromTheEditBox) {
  Recorder recorder;
  recorder.page = B(kUtf8Marker);
  const std::string readBack = "nothing";
  recorder.readBackOverride = &readBack;
  EXPECT_EQ(recorder.Run().back(), "end 0");

  Recorder other;
  other.page = B("no marker here");
  const std::string marker(kVersionMarker);
  other.readBackOverride = &marker;
  EXPECT_EQ(other.Run().back(), kCurrent);
}

TEST(VersionCheckTest, SecondCheckFetchesAgain) {
  Recorder recorder;
  recorder.page = B(kUtf8Marker);
  recorder.Run();
  const auto events = recorder.Run();
  EXPECT_EQ(events.size(), 8u);
  EXPECT_EQ(events[4], kFetch);
}

}  // namespace
}  // namespace qsh
