#pragma once
// The few numbers of the window system that the platform-free part of the
// skin needs: style bits, message numbers and check states. Each constant
// equals the Win32 value whose name it spells (kBsGroupBox is BS_GROUPBOX),
// so that the Win32 layer can hand over styles and messages unchanged. They
// are our own names because the Win32 ones are macros; control_skin.cpp
// holds each against its <windows.h> original at compile time.

#include <cstdint>

namespace qsh::skin {

// Window styles.
inline constexpr std::uint32_t kWsChild = 0x40000000;
inline constexpr std::uint32_t kWsDisabled = 0x08000000;
inline constexpr std::uint32_t kWsBorder = 0x00800000;
inline constexpr std::uint32_t kWsTabStop = 0x00010000;

// Extended window styles.
inline constexpr std::uint32_t kWsExClientEdge = 0x00000200;
inline constexpr std::uint32_t kWsExStaticEdge = 0x00020000;

// Button styles: the type in the low four bits, then flags.
inline constexpr std::uint32_t kBsTypeMask = 0x0000000F;
inline constexpr std::uint32_t kBsPushButton = 0x0;
inline constexpr std::uint32_t kBsDefPushButton = 0x1;
inline constexpr std::uint32_t kBsCheckBox = 0x2;
inline constexpr std::uint32_t kBsAutoCheckBox = 0x3;
inline constexpr std::uint32_t kBsRadioButton = 0x4;
inline constexpr std::uint32_t kBs3State = 0x5;
inline constexpr std::uint32_t kBsAuto3State = 0x6;
inline constexpr std::uint32_t kBsGroupBox = 0x7;
inline constexpr std::uint32_t kBsUserButton = 0x8;
inline constexpr std::uint32_t kBsAutoRadioButton = 0x9;
inline constexpr std::uint32_t kBsPushBox = 0xA;
inline constexpr std::uint32_t kBsOwnerDraw = 0xB;
inline constexpr std::uint32_t kBsLeftText = 0x00000020;
inline constexpr std::uint32_t kBsBitmap = 0x00000080;
inline constexpr std::uint32_t kBsLeft = 0x00000100;
inline constexpr std::uint32_t kBsRight = 0x00000200;
inline constexpr std::uint32_t kBsCenter = 0x00000300;
inline constexpr std::uint32_t kBsTop = 0x00000400;
inline constexpr std::uint32_t kBsBottom = 0x00000800;
inline constexpr std::uint32_t kBsVCenter = 0x00000C00;
inline constexpr std::uint32_t kBsPushLike = 0x00001000;

// Edit and combo box styles.
inline constexpr std::uint32_t kEsReadOnly = 0x00000800;
inline constexpr std::uint32_t kCbsTypeMask = 0x00000003;
inline constexpr std::uint32_t kCbsSimple = 0x00000001;

// BM_GETCHECK answers.
inline constexpr std::uint32_t kBstChecked = 1;
inline constexpr std::uint32_t kBstIndeterminate = 2;

// Key state in mouse messages.
inline constexpr std::uintptr_t kMkLButton = 0x0001;

// Messages.
inline constexpr std::uint32_t kWmCreate = 0x0001;
inline constexpr std::uint32_t kWmDestroy = 0x0002;
inline constexpr std::uint32_t kWmSetFocus = 0x0007;
inline constexpr std::uint32_t kWmKillFocus = 0x0008;
inline constexpr std::uint32_t kWmEnable = 0x000A;
inline constexpr std::uint32_t kWmSetText = 0x000C;
inline constexpr std::uint32_t kWmPaint = 0x000F;
inline constexpr std::uint32_t kWmEraseBkgnd = 0x0014;
inline constexpr std::uint32_t kWmNcPaint = 0x0085;
inline constexpr std::uint32_t kWmNcMouseMove = 0x00A0;
inline constexpr std::uint32_t kEmSetReadOnly = 0x00CF;
inline constexpr std::uint32_t kBmSetCheck = 0x00F1;
inline constexpr std::uint32_t kBmSetState = 0x00F3;
inline constexpr std::uint32_t kBmSetStyle = 0x00F4;
inline constexpr std::uint32_t kWmHScroll = 0x0114;
inline constexpr std::uint32_t kWmVScroll = 0x0115;
inline constexpr std::uint32_t kWmMouseMove = 0x0200;
inline constexpr std::uint32_t kWmLButtonDown = 0x0201;
inline constexpr std::uint32_t kWmMouseLeave = 0x02A3;

}  // namespace qsh::skin
