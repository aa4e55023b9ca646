#pragma once
// What a window shows, read back pixel by pixel.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "shell/skin/skin_colours.h"

namespace qsh::skin::testing {

class Image {
 public:
  Image() = default;
  Image(int width, int height, std::vector<std::uint32_t> pixels)
      : width_(width), height_(height), pixels_(std::move(pixels)) {}
  [[nodiscard]] int width() const { return width_; }
  [[nodiscard]] int height() const { return height_; }
  [[nodiscard]] bool empty() const { return pixels_.empty(); }
  // Outside the image: magenta, which no test expects.
  [[nodiscard]] Rgb At(int x, int y) const;
  // Writes a 32-bit BMP, for looking at a failure.
  bool Save(const std::string& path) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;  // 0x00RRGGBB, top row first
};

// What `draw` draws into a fresh 32-bit bitmap of that size, selected into
// a memory device context; empty when the bitmap cannot be made or draw
// answers false.
Image DrawnImage(int width, int height, const std::function<bool(HDC)>& draw);

// The whole window, frame included, as its device context shows it.
Image CaptureWindow(HWND window);

// Every channel within `tolerance` of the other's.
[[nodiscard]] bool Near(Rgb a, Rgb b, int tolerance);

// Saves the image under %TEMP% when a test failed, and names the file.
std::string SaveForFailure(const Image& image, const std::string& name);

}  // namespace qsh::skin::testing

namespace qsh::skin {
inline std::ostream& operator<<(std::ostream& out, const Rgb& colour) {
  return out << "(" << int(colour.red) << ", " << int(colour.green) << ", " << int(colour.blue) << ")";
}
}  // namespace qsh::skin
