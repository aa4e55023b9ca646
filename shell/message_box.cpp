#include "shell/message_box.h"

#include <windows.h>

namespace qsh {

void ShowMessage(const std::string& text) {
  ::MessageBoxA(nullptr, text.c_str(), "信息：", MB_OK | MB_TASKMODAL);
}

}  // namespace qsh
