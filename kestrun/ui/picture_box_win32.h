// A picture box: a child window that shows a platform::Image (the reference
// and live bitmaps of the bitmap test), scaled to its size.
#pragma once

#include <windows.h>

#include "common/platform/image.h"

namespace kestrun {

// Creates a picture box showing *image; the image must outlive the window
// or be replaced with SetPictureBoxImage first.
HWND CreatePictureBox(HWND parent, int id, RECT pixels, const platform::Image* image);
void SetPictureBoxImage(HWND box, const platform::Image* image);

}  // namespace kestrun
