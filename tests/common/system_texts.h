#pragma once
// Every text the program shows or looks for, as the program holds it (code
// page 936 bytes: the tests build with -fexec-charset=GBK) and as UTF-16,
// written with escapes so that no converter under test makes the expected
// side. Shared by the Windows boundary's tests and the host's check with the
// C library's iconv.

#include <string_view>

namespace qsh::testing {

struct SystemText {
  std::string_view text;  // code page 936 bytes, as the program holds them
  std::u16string_view utf16;  // the same text as Windows sees it
};

// The window's caption and texts, the messages and their caption, and the
// version marker.
inline constexpr SystemText kSystemTexts[] = {
    {"Qelvarin(zorvex) 存档辅助器 V1.01", u"Qelvarin(zorvex) \u5b58\u6863\u8f85\u52a9\u5668 V1.01"},
    {"作者声明", u"\u4f5c\u8005\u58f0\u660e"},
    {"版本更新", u"\u7248\u672c\u66f4\u65b0"},
    {"功能说明", u"\u529f\u80fd\u8bf4\u660e"},
    {"Qelvarin版块", u"Qelvarin\u7248\u5757"},
    {"Tamrow论坛", u"Tamrow\u8bba\u575b"},
    {"该程序仍在更新\r\n\r\n更多功能后续更新\r\n\r\n欢迎大家收藏《Qelvarin》 版块\r\n",
     u"\u8be5\u7a0b\u5e8f\u4ecd\u5728\u66f4\u65b0\r\n\r\n\u66f4\u591a\u529f\u80fd\u540e\u7eed"
     u"\u66f4\u65b0\r\n\r\n\u6b22\u8fce\u5927\u5bb6\u6536\u85cf\u300aQelvarin\u300b \u7248\u5757\r\n"},
    {"检查更新", u"\u68c0\u67e5\u66f4\u65b0"},
    {"当前版本：V1.01", u"\u5f53\u524d\u7248\u672c\uff1aV1.01"},
    {"反馈地址", u"\u53cd\u9988\u5730\u5740"},
    {"游戏中\r\n按F9  保存当前存档\r\n按F10 还原保存存档\r\n\r\n"
     "如果有任何功能问题请在本帖留言进行回复，下一版本优化",
     u"\u6e38\u620f\u4e2d\r\n\u6309F9  \u4fdd\u5b58\u5f53\u524d\u5b58\u6863\r\n\u6309F10 "
     u"\u8fd8\u539f\u4fdd\u5b58\u5b58\u6863\r\n\r\n\u5982\u679c\u6709\u4efb\u4f55\u529f\u80fd"
     u"\u95ee\u9898\u8bf7\u5728\u672c\u5e16\u7559\u8a00\u8fdb\u884c\u56de\u590d\uff0c\u4e0b"
     u"\u4e00\u7248\u672c\u4f18\u5316"},
    {"本工具由 Tamrow Lunwick编写，旨在帮助玩家处理存档相关问题 由于编程软件的限制，可能会有报毒现象。",
     u"\u672c\u5de5\u5177\u7531 Tamrow Lunwick\u7f16\u5199\uff0c\u65e8\u5728\u5e2e\u52a9\u73a9"
     u"\u5bb6\u5904\u7406\u5b58\u6863\u76f8\u5173\u95ee\u9898 \u7531\u4e8e\u7f16\u7a0b\u8f6f\u4ef6"
     u"\u7684\u9650\u5236\uff0c\u53ef\u80fd\u4f1a\u6709\u62a5\u6bd2\u73b0\u8c61\u3002"},
    {"信息：", u"\u4fe1\u606f\uff1a"},
    {"运行位置不对！", u"\u8fd0\u884c\u4f4d\u7f6e\u4e0d\u5bf9\uff01"},
    {"该版本为最新版本", u"\u8be5\u7248\u672c\u4e3a\u6700\u65b0\u7248\u672c"},
    {"该版本已失效，或网络条件不好！",
     u"\u8be5\u7248\u672c\u5df2\u5931\u6548\uff0c\u6216\u7f51\u7edc\u6761\u4ef6\u4e0d\u597d\uff01"},
    {"程序窗口无法创建，程序将退出。",
     u"\u7a0b\u5e8f\u7a97\u53e3\u65e0\u6cd5\u521b\u5efa\uff0c\u7a0b\u5e8f\u5c06\u9000\u51fa\u3002"},
    {"软件版本：【V1.01】", u"\u8f6f\u4ef6\u7248\u672c\uff1a\u3010V1.01\u3011"},
};

}  // namespace qsh::testing
