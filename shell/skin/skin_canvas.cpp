#include "shell/skin/skin_canvas.h"

namespace qsh::skin {

namespace {

RECT ToRect(const Rect& area) { return RECT{area.left, area.top, area.right, area.bottom}; }

Rect ClientAreaInWindow(HWND window) {
  RECT windowRect{};
  RECT clientRect{};
  POINT origin{0, 0};
  if (!::GetWindowRect(window, &windowRect) || !::GetClientRect(window, &clientRect) ||
      !::ClientToScreen(window, &origin)) {
    return Rect{};
  }
  const int dx = origin.x - windowRect.left;
  const int dy = origin.y - windowRect.top;
  return Rect{clientRect.left + dx, clientRect.top + dy, clientRect.right + dx, clientRect.bottom + dy};
}

}  // namespace

SkinCanvas::SkinCanvas(HWND window) noexcept
    : windowDc_(window, WindowDc::Area::Whole) {
  RECT windowRect{};
  if (!windowDc_ || !::GetWindowRect(window, &windowRect)) return;
  width_ = windowRect.right - windowRect.left;
  height_ = windowRect.bottom - windowRect.top;
  if (width_ <= 0 || height_ <= 0) return;
  client_ = ClientAreaInWindow(window);
  memory_.reset(::CreateCompatibleDC(windowDc_.get()));
  if (!memory_) return;
  bitmap_.reset(::CreateCompatibleBitmap(windowDc_.get(), width_, height_));
  if (!bitmap_) return;
  selection_.emplace(memory_.get(), bitmap_.get());
  if (!selection_->selected()) {
    selection_.reset();
    return;
  }
  ::SetBkMode(memory_.get(), TRANSPARENT);
}

void SkinCanvas::CopyWindowImage() noexcept {
  if (!*this) return;
  ::SetViewportOrgEx(dc(), 0, 0, nullptr);
  ::BitBlt(dc(), 0, 0, width_, height_, windowDc_.get(), 0, 0, SRCCOPY);
}

void SkinCanvas::UseClientCoordinates() noexcept {
  if (!*this) return;
  ::SetViewportOrgEx(dc(), client_.left, client_.top, nullptr);
}

void SkinCanvas::Present() noexcept {
  if (!*this) return;
  ::SetViewportOrgEx(dc(), 0, 0, nullptr);
  ::BitBlt(windowDc_.get(), 0, 0, width_, height_, dc(), 0, 0, SRCCOPY);
}

void SkinCanvas::Fill(const Rect& area, Rgb colour) noexcept {
  if (!*this || area.Empty()) return;
  UniqueBrush brush(::CreateSolidBrush(ToColourValue(colour)));
  if (brush) Fill(area, brush.get());
}

void SkinCanvas::Fill(const Rect& area, HBRUSH brush) noexcept {
  if (!*this || area.Empty() || brush == nullptr) return;
  const RECT rect = ToRect(area);
  ::FillRect(dc(), &rect, brush);
}

void SkinCanvas::Frame(const Rect& area, Rgb colour) noexcept {
  if (!*this || area.Empty()) return;
  UniqueBrush brush(::CreateSolidBrush(ToColourValue(colour)));
  if (!brush) return;
  const RECT rect = ToRect(area);
  ::FrameRect(dc(), &rect, brush.get());
}

void SkinCanvas::SetPixel(Point point, Rgb colour) noexcept {
  if (!*this) return;
  ::SetPixelV(dc(), point.x, point.y, ToColourValue(colour));
}

Rgb SkinCanvas::PixelAt(Point point) const noexcept {
  if (!*this) return Rgb{};
  const COLORREF value = ::GetPixel(dc(), point.x, point.y);
  return value == CLR_INVALID ? Rgb{} : FromColourValue(value);
}

HBRUSH BackgroundBrush(std::uintptr_t brush) noexcept {
  auto* given = reinterpret_cast<HBRUSH>(brush);
  if (given != nullptr && ::GetObjectType(given) == OBJ_BRUSH) return given;
  return ::GetSysColorBrush(COLOR_BTNFACE);
}

}  // namespace qsh::skin
