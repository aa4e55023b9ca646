#pragma once
// The check behind the label "检查更新": fetch the release page, convert it,
// pass it through the program's hidden edit box, look for this version's
// marker, and tell the user; a missing marker ends the program. Written
// against one host interface so that it runs without Windows.

#include <cstdint>
#include <string>
#include <string_view>

#include "web/bytes.h"

namespace qsh {

// "软件版本：【V1.01】" in code page 936, 19 bytes.
inline constexpr std::string_view kVersionMarker = "软件版本：【V1.01】";
inline constexpr std::string_view kCurrentVersionMessage = "该版本为最新版本";
inline constexpr std::string_view kOutdatedVersionMessage = "该版本已失效，或网络条件不好！";

// What the check needs of the program around it.
class VersionCheckHost {
 public:
  virtual ~VersionCheckHost() = default;
  // The body of the answer; empty when the request cannot be made.
  virtual Bytes Fetch(const std::string& url) = 0;
  // The content of the hidden edit box.
  virtual void SetShownText(const std::string& text) = 0;
  [[nodiscard]] virtual std::string ShownText() = 0;
  // Returns when the user has dismissed the message.
  virtual void ShowMessage(const std::string& text) = 0;
  // Ends the process; the program's own never returns.
  virtual void EndProgram(std::int32_t exitCode) = 0;
};

// Runs the whole check: "该版本为最新版本" when the marker is on the page,
// otherwise "该版本已失效，或网络条件不好！" and then the end of the program.
void VersionCheck(VersionCheckHost& host);

}  // namespace qsh
