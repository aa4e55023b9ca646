#include "web/win32/edit_box_text.h"

#include <algorithm>
#include <new>

namespace qsh {

void EditBoxText::SetContent(const std::string& text) {
  ::SetWindowTextA(editBox_, text.c_str());
}

std::string EditBoxText::GetContent() {
  const int length = ::GetWindowTextLengthA(editBox_);  // may count more than there is
  if (length <= 0) return {};
  std::string text;
  try {
    text.assign(static_cast<std::size_t>(length) + 1, '\0');
  } catch (const std::bad_alloc&) {
    return {};
  }
  const int copied = ::GetWindowTextA(editBox_, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::clamp(copied, 0, length)));
  return text;
}

}  // namespace qsh
