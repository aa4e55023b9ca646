#pragma once
// The check behind the label "检查更新": fetch the release page, convert it,
// pass it through the invisible edit box 编辑框1, look for this version's
// marker, and tell the user; a missing marker ends the program.
// Written against small interfaces so that it runs without Windows.

#include <cstdint>
#include <string>
#include <string_view>

#include "web/bytes.h"

namespace qsh {

// "软件版本：【V1.01】" in code page 936, 19 bytes.
inline constexpr std::string_view kVersionMarker = "软件版本：【V1.01】";
inline constexpr std::string_view kCurrentVersionMessage = "该版本为最新版本";
inline constexpr std::string_view kOutdatedVersionMessage = "该版本已失效，或网络条件不好！";

class PageFetcher {
 public:
  virtual ~PageFetcher() = default;
  // The body of the answer; empty when the request cannot be made.
  virtual Bytes FetchUrl(const std::string& url) = 0;
};

// The content of 编辑框1.
class TextHolder {
 public:
  virtual ~TextHolder() = default;
  virtual void SetContent(const std::string& text) = 0;
  [[nodiscard]] virtual std::string GetContent() = 0;
};

class MessageShower {
 public:
  virtual ~MessageShower() = default;
  // Returns when the user has dismissed the message.
  virtual void ShowMessage(const std::string& text) = 0;
};

class ProgramEnder {
 public:
  virtual ~ProgramEnder() = default;
  // Ends the process; the real one never returns.
  virtual void EndProgram(int32_t exitCode) = 0;
};

struct VersionCheckServices {
  PageFetcher& fetcher;
  TextHolder& shownText;
  MessageShower& messages;
  ProgramEnder& ender;
};

// Runs the whole check: "该版本为最新版本" when the marker is on the page,
// otherwise "该版本已失效，或网络条件不好！" and then the end of the program.
void VersionCheck(const VersionCheckServices& services);

}  // namespace qsh
