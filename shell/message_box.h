#pragma once

#include <string>

namespace qsh {

// The program's message: no owner, caption "信息：", one OK button,
// task-modal. Returns when the user dismisses it.
void ShowMessage(const std::string& text);

}  // namespace qsh
