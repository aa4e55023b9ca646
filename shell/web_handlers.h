#pragma once
// The window's bindings to the version check and the forum links.

#include <cstdint>

namespace qsh {

void OnVersionCheckPressed(std::int32_t x, std::int32_t y, std::int32_t keyFlags);
void OnFeedbackLabelPressed(std::int32_t x, std::int32_t y, std::int32_t keyFlags);
void OnBoardLabelPressed(std::int32_t x, std::int32_t y, std::int32_t keyFlags);
void OnForumIndexLabelPressed(std::int32_t x, std::int32_t y, std::int32_t keyFlags);
void OnAuthorGroupBoxPressed(std::int32_t x, std::int32_t y, std::int32_t keyFlags);

}  // namespace qsh
