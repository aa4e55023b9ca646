#include "shell/skin/caption_lines.h"

namespace qsh::skin {

bool IsGbkLeadByte(unsigned char byte) noexcept { return byte >= 0x81 && byte <= 0xFE; }

namespace {

// Bytes of the character that starts at `at`: two for a lead byte with a
// byte after it, else one.
std::size_t CharacterLength(std::string_view text, std::size_t at, IsLeadByte isLeadByte) {
  return (isLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size()) ? 2 : 1;
}

void BreakToWidth(std::string_view paragraph, int width, const MeasureText& measure,
                  IsLeadByte isLeadByte, std::vector<std::string_view>& lines) {
  if (paragraph.empty()) {
    lines.push_back(paragraph);
    return;
  }
  std::size_t start = 0;
  while (start < paragraph.size()) {
    std::size_t end = start + CharacterLength(paragraph, start, isLeadByte);
    while (end < paragraph.size()) {
      const std::size_t next = end + CharacterLength(paragraph, end, isLeadByte);
      if (measure(paragraph.substr(start, next - start)) > width) break;
      end = next;
    }
    lines.push_back(paragraph.substr(start, end - start));
    start = end;
  }
}

}  // namespace

std::vector<std::string_view> BreakCaptionLines(std::string_view caption, int width,
                                                const MeasureText& measure, IsLeadByte isLeadByte) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < caption.size()) {
    const std::size_t breakAt = caption.find("\r\n", start);
    const std::size_t end = breakAt == std::string_view::npos ? caption.size() : breakAt;
    BreakToWidth(caption.substr(start, end - start), width, measure, isLeadByte, lines);
    if (breakAt == std::string_view::npos) break;
    start = breakAt + 2;
  }
  return lines;
}

}  // namespace qsh::skin
