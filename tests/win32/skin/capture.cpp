#include "tests/win32/skin/capture.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "platform/gdi_objects.h"

namespace qsh::skin::testing {

Rgb Image::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return Rgb{255, 0, 255};
  const std::uint32_t value = pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                                      static_cast<std::size_t>(x)];
  return Rgb{static_cast<std::uint8_t>((value >> 16) & 0xFF), static_cast<std::uint8_t>((value >> 8) & 0xFF),
             static_cast<std::uint8_t>(value & 0xFF)};
}

bool Image::Save(const std::string& path) const {
  if (empty()) return false;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  const DWORD dataSize = static_cast<DWORD>(pixels_.size() * 4);
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(info);
  file.bfSize = file.bfOffBits + dataSize;
  info.biSize = sizeof(info);
  info.biWidth = width_;
  info.biHeight = -height_;
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biCompression = BI_RGB;
  FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) return false;
  const bool written = std::fwrite(&file, sizeof(file), 1, out) == 1 &&
                       std::fwrite(&info, sizeof(info), 1, out) == 1 &&
                       std::fwrite(pixels_.data(), 4, pixels_.size(), out) == pixels_.size();
  return std::fclose(out) == 0 && written;
}

Image DrawnImage(int width, int height, const std::function<bool(HDC)>& draw) {
  if (width <= 0 || height <= 0) return Image();
  UniqueMemoryDc memory(::CreateCompatibleDC(nullptr));
  if (!memory) return Image();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap bitmap(::CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) return Image();
  {
    ScopedSelection selection(memory.get(), bitmap.get());
    if (!draw(memory.get())) return Image();
    ::GdiFlush();
  }
  const auto* first = static_cast<const std::uint32_t*>(bits);
  std::vector<std::uint32_t> pixels(first, first + static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (std::uint32_t& pixel : pixels) pixel &= 0x00FFFFFF;
  return Image(width, height, std::move(pixels));
}

Image CaptureWindow(HWND window) {
  RECT rect{};
  if (!::GetWindowRect(window, &rect)) return Image();
  WindowDc source(window, WindowDc::Area::Whole);
  if (!source) return Image();
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  return DrawnImage(width, height, [&](HDC memory) {
    return ::BitBlt(memory, 0, 0, width, height, source.get(), 0, 0, SRCCOPY) != FALSE;
  });
}

bool Near(Rgb a, Rgb b, int tolerance) {
  auto close = [tolerance](std::uint8_t x, std::uint8_t y) { return std::abs(int(x) - int(y)) <= tolerance; };
  return close(a.red, b.red) && close(a.green, b.green) && close(a.blue, b.blue);
}

std::string SaveForFailure(const Image& image, const std::string& name) {
  std::array<char, MAX_PATH> folder{};
  const DWORD length = ::GetTempPathA(static_cast<DWORD>(folder.size()), folder.data());
  if (length == 0 || length >= folder.size()) return "(not saved)";
  const std::string path = std::string(folder.data(), length) + "qsh-skin-" + name + ".bmp";
  return image.Save(path) ? path : "(not saved)";
}

}  // namespace qsh::skin::testing
