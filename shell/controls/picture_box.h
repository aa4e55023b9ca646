#pragma once

#include <windows.h>

namespace qsh {

// The picture the picture box shows, unscaled from its top-left corner; the
// box keeps no ownership of it.
void SetPictureBoxPicture(HBITMAP picture);

}  // namespace qsh
