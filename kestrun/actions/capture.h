// Screen captures and the bitmap comparison of the bitmap test.
//
// Every picture is a copy of screen pixels: the whole primary screen, the
// rectangle of the foreground window (frame and title bar included), or a
// block given by the caller. A capture that cannot be taken is an empty
// optional, and the caller goes on without it.
//
// same_pic decides whether a live 40 x 40 screen block still looks like its
// reference image by looking at 10 random pixels and tolerating up to 3 that
// differ. The points are drawn over the whole width but only over the upper
// 70 % of the height, so a change in the lowest 30 % of the block (a caret, a
// status line) never fails the test.
#pragma once

#include <map>
#include <optional>

#include "common/platform/desktop.h"
#include "common/platform/image.h"
#include "kestrun/actions/random_source.h"
#include "kestrun/model/main_model.h"

namespace kestrun {

// No capture is larger than this on either side; a region of absurd size
// (a typing slip of one more digit) is refused instead of exhausting memory.
inline constexpr int kMaxCaptureSide = 16384;

// The whole primary screen.
std::optional<platform::Image> CaptureScreen(platform::Desktop& desktop);

// The foreground window's outer rectangle, as it shows on the screen;
// nullopt when there is no foreground window or its rectangle is empty.
std::optional<platform::Image> CaptureActiveWindow(platform::Desktop& desktop);

// The block of width x height pixels at (x, y); parts off the screen read
// black. nullopt for a width or height below 1 or above kMaxCaptureSide.
std::optional<platform::Image> CaptureRegion(platform::Desktop& desktop, int x, int y, int width, int height);

// The bitmap test's copy: the 40 x 40 screen block at (x, y) goes into the
// entry's live image at its top-left corner (clipped to the live image).
// False, with the live image unchanged, when the screen cannot be copied.
bool CopyBlockToLive(platform::Desktop& desktop, int x, int y, BitmapEntry& entry);

// Whether live bitmap n and reference image n are alike. No when entry n does
// not exist or the two images differ in width or height (without drawing a
// random number); otherwise 10 points are sampled, two draws each (x first,
// then y), and the answer is no as soon as a fourth point differs.
bool same_pic(const std::map<int, BitmapEntry>& bitmaps, int n, RandomSource& random);
bool same_pic(const MainModel& model, int n, RandomSource& random);

}  // namespace kestrun
