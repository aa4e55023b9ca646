#pragma once
// What the skin's window procedure does with one message to a control it
// has taken over: which procedure handles it, how the state flags change,
// whether a leave notice is asked for, and whether the control is drawn
// afterwards. The Win32 layer carries the decision out; WM_DESTROY and the
// colour request on WM_ERASEBKGND are handled there before this is asked.

#include <cstdint>

#include "shell/skin/skin_classify.h"

namespace qsh::skin {

enum class Handler : std::uint8_t {
  Previous,  // the window procedure the control had before
  Default,   // the default window procedure (DefWindowProc)
};

struct MessageDecision {
  Handler handler = Handler::Previous;
  std::uint32_t flags = 0;  // the state flags after the message
  bool trackLeave = false;  // ask for WM_MOUSELEAVE (TrackMouseEvent, TME_LEAVE)
  bool draw = false;        // draw the control once the handler has returned
};

[[nodiscard]] MessageDecision DecideMessage(SkinKind kind, std::uint32_t flags,
                                            std::uint32_t message, std::uintptr_t wParam) noexcept;

}  // namespace qsh::skin
