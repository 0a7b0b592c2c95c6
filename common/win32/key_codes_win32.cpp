// The portable key codes are the system's own numbers; this file holds them
// against <windows.h>, so a wrong one stops the Windows build.
#include <windows.h>

#include "common/platform/key_codes.h"

namespace {

namespace vk = platform::vk;

static_assert(vk::kLeftButton == VK_LBUTTON);
static_assert(vk::kRightButton == VK_RBUTTON);
static_assert(vk::kMiddleButton == VK_MBUTTON);
static_assert(vk::kBackspace == VK_BACK);
static_assert(vk::kTab == VK_TAB);
static_assert(vk::kEnter == VK_RETURN);
static_assert(vk::kShift == VK_SHIFT);
static_assert(vk::kControl == VK_CONTROL);
static_assert(vk::kAlt == VK_MENU);
static_assert(vk::kPause == VK_PAUSE);
static_assert(vk::kCapsLock == VK_CAPITAL);
static_assert(vk::kEscape == VK_ESCAPE);
static_assert(vk::kSpace == VK_SPACE);
static_assert(vk::kPageUp == VK_PRIOR);
static_assert(vk::kPageDown == VK_NEXT);
static_assert(vk::kEnd == VK_END);
static_assert(vk::kHome == VK_HOME);
static_assert(vk::kLeft == VK_LEFT);
static_assert(vk::kUp == VK_UP);
static_assert(vk::kRight == VK_RIGHT);
static_assert(vk::kDown == VK_DOWN);
static_assert(vk::kPrintScreen == VK_SNAPSHOT);
static_assert(vk::kInsert == VK_INSERT);
static_assert(vk::kDelete == VK_DELETE);
static_assert(vk::kF1 == VK_F1);
static_assert(vk::kF7 == VK_F7);
static_assert(vk::kF8 == VK_F8);
static_assert(vk::kF10 == VK_F10);
static_assert(vk::kF12 == VK_F12);
static_assert(vk::kNumLock == VK_NUMLOCK);
static_assert(vk::kScrollLock == VK_SCROLL);
static_assert(vk::kSemicolon == VK_OEM_1);
static_assert(vk::kEquals == VK_OEM_PLUS);
static_assert(vk::kComma == VK_OEM_COMMA);
static_assert(vk::kMinus == VK_OEM_MINUS);
static_assert(vk::kPeriod == VK_OEM_PERIOD);
static_assert(vk::kSlash == VK_OEM_2);
static_assert(vk::kBackquote == VK_OEM_3);
static_assert(vk::kOpenBracket == VK_OEM_4);
static_assert(vk::kBackslash == VK_OEM_5);
static_assert(vk::kCloseBracket == VK_OEM_6);
static_assert(vk::kQuote == VK_OEM_7);

}  // namespace
