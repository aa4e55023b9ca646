#include "shell/skin/caption_lines.h"

namespace qsh::skin {

bool IsGbkLeadByte(unsigned char byte) noexcept { return byte >= 0x81 && byte <= 0xFE; }
bool IsHighSurrogate(wchar_t unit) noexcept { return unit >= 0xD800 && unit <= 0xDBFF; }

namespace {

// Units of the character that starts at `at`: two for a lead unit with a
// unit after it, else one.
template <typename Char, typename IsLead>
std::size_t CharacterLength(std::basic_string_view<Char> text, std::size_t at, IsLead isLead) {
  return (isLead(text[at]) && at + 1 < text.size()) ? 2 : 1;
}

template <typename Char, typename Measure, typename IsLead>
void BreakToWidth(std::basic_string_view<Char> paragraph, int width, const Measure& measure,
                  IsLead isLead, std::vector<std::basic_string_view<Char>>& lines) {
  if (paragraph.empty()) {
    lines.push_back(paragraph);
    return;
  }
  std::size_t start = 0;
  while (start < paragraph.size()) {
    std::size_t end = start + CharacterLength(paragraph, start, isLead);
    while (end < paragraph.size()) {
      const std::size_t next = end + CharacterLength(paragraph, end, isLead);
      if (measure(paragraph.substr(start, next - start)) > width) break;
      end = next;
    }
    lines.push_back(paragraph.substr(start, end - start));
    start = end;
  }
}

template <typename Char, typename Measure, typename IsLead>
std::vector<std::basic_string_view<Char>> BreakLines(std::basic_string_view<Char> caption,
                                                     int width, const Measure& measure,
                                                     IsLead isLead) {
  constexpr Char kLineBreak[] = {Char('\r'), Char('\n'), Char(0)};
  std::vector<std::basic_string_view<Char>> lines;
  std::size_t start = 0;
  while (start < caption.size()) {
    const std::size_t breakAt = caption.find(kLineBreak, start);
    const std::size_t end = breakAt == std::basic_string_view<Char>::npos ? caption.size() : breakAt;
    BreakToWidth(caption.substr(start, end - start), width, measure, isLead, lines);
    if (breakAt == std::basic_string_view<Char>::npos) break;
    start = breakAt + 2;
  }
  return lines;
}

}  // namespace

std::vector<std::string_view> BreakCaptionLines(std::string_view caption, int width,
                                                const MeasureText& measure, IsLeadByte isLeadByte) {
  return BreakLines(caption, width, measure,
                    [isLeadByte](char byte) { return isLeadByte(static_cast<unsigned char>(byte)); });
}

std::vector<std::wstring_view> BreakCaptionLines(std::wstring_view caption, int width,
                                                 const MeasureWideText& measure) {
  return BreakLines(caption, width, measure, IsHighSurrogate);
}

}  // namespace qsh::skin
