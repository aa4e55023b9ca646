#pragma once
// Handlers of the main window's labels that open forum pages, and of the
// group box around two of them.

namespace qsh {

void OnFeedbackLinkPressed();    // 透明标签8 "反馈地址": the forum board
void OnBoardLinkPressed();       // 透明标签6 "Qelvarin版块": the forum board
void OnForumIndexLinkPressed();  // 透明标签5 "Tamrow论坛": the forum's index page

// 分组框3 "作者声明": a press beside its labels does nothing.
void OnAuthorGroupPressed();

}  // namespace qsh
