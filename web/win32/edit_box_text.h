#pragma once
// An edit control's content as the version check's text holder (编辑框1).

#include <windows.h>

#include <string>

#include "web/version_check.h"

namespace qsh {

class EditBoxText final : public TextHolder {
 public:
  explicit EditBoxText(HWND editBox) noexcept : editBox_(editBox) {}

  // SetWindowTextA: raises the control's content-changed notification.
  void SetContent(const std::string& text) override;
  // GetWindowTextA into a buffer as long as the control says; empty on failure.
  [[nodiscard]] std::string GetContent() override;

 private:
  HWND editBox_;
};

}  // namespace qsh
