#pragma once
// The control skin: gives the standard controls of the calling thread (push
// buttons, check boxes, radio buttons, group boxes, edit boxes, combo boxes,
// up-downs) a flat look with rounded corners and gradient fills, in one of
// three colour schemes. Switching it on takes over every such control that
// exists on the thread and, through a thread-local hook, every one created
// there afterwards.

#include <windows.h>

#include <cstdint>

namespace qsh::skin {

// 1, 2 or 3 switch the skin off and on again with that scheme, and return 1.
// Any other number switches it off and returns the result of removing the
// hook; without a hook (off, or the system refused it) it gives nothing
// back and returns 0. Only the calling thread's controls are
// reached; call it from the UI thread.
std::int32_t SetSkinScheme(std::int32_t scheme);

}  // namespace qsh::skin
