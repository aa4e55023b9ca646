#pragma once
// The handlers that the window description binds to the window's events.
// The press handlers take the pointer's place and the key flags (1 Ctrl,
// 2 Shift, 4 Alt, added); none of them reads them.

#include <cstdint>

namespace qsh {

using CreatedHandler = void (*)();
using ButtonDownHandler = void (*)(std::int32_t x, std::int32_t y, std::int32_t keyFlags);
using FeedbackHandler = void (*)(std::int32_t first, std::int32_t second);
using ContentChangedHandler = void (*)();

// The main window and its controls exist, hidden: the program starts.
void OnMainWindowCreated();
// A relayed hotkey press; `first` is the hotkey's id.
void OnHotkeyFeedback(std::int32_t first, std::int32_t second);

void OnVersionCheckPressed(std::int32_t x, std::int32_t y, std::int32_t keyFlags);
void OnFeedbackLabelPressed(std::int32_t x, std::int32_t y, std::int32_t keyFlags);
void OnBoardLabelPressed(std::int32_t x, std::int32_t y, std::int32_t keyFlags);
void OnForumIndexLabelPressed(std::int32_t x, std::int32_t y, std::int32_t keyFlags);
// 分组框3 "作者声明": a press beside its labels does nothing.
void OnAuthorGroupBoxPressed(std::int32_t x, std::int32_t y, std::int32_t keyFlags);
// 编辑框1's content-changed event: nothing to do.
void OnShownTextChanged();

}  // namespace qsh
