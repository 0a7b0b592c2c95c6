// The virtual-key codes that the programs read with GetAsyncKeyState or send
// with keybd_event, and the bits of the key state GetAsyncKeyState answers.
// They are the system's own numbers, so the portable code and the fakes can
// use them without <windows.h>; the Win32 layer checks each one against the
// system's header when it is compiled.
#pragma once

#include <cstdint>

namespace platform {

namespace vk {
// The mouse buttons, whose state reads like that of a key.
inline constexpr uint8_t kLeftButton = 0x01;
inline constexpr uint8_t kRightButton = 0x02;
inline constexpr uint8_t kMiddleButton = 0x04;

inline constexpr uint8_t kBackspace = 0x08;
inline constexpr uint8_t kTab = 0x09;
inline constexpr uint8_t kEnter = 0x0D;
inline constexpr uint8_t kShift = 0x10;
inline constexpr uint8_t kControl = 0x11;
inline constexpr uint8_t kAlt = 0x12;
inline constexpr uint8_t kPause = 0x13;
inline constexpr uint8_t kCapsLock = 0x14;
inline constexpr uint8_t kEscape = 0x1B;
inline constexpr uint8_t kSpace = 0x20;
inline constexpr uint8_t kPageUp = 0x21;
inline constexpr uint8_t kPageDown = 0x22;
inline constexpr uint8_t kEnd = 0x23;
inline constexpr uint8_t kHome = 0x24;
inline constexpr uint8_t kLeft = 0x25;
inline constexpr uint8_t kUp = 0x26;
inline constexpr uint8_t kRight = 0x27;
inline constexpr uint8_t kDown = 0x28;
inline constexpr uint8_t kPrintScreen = 0x2C;
inline constexpr uint8_t kInsert = 0x2D;
inline constexpr uint8_t kDelete = 0x2E;

// The keys of the digit row and the letter keys have the codes of the
// characters "0".."9" and "A".."Z".
inline constexpr uint8_t kDigit0 = '0';
inline constexpr uint8_t kLetterV = 'V';

// F1 to F12 are consecutive codes.
inline constexpr uint8_t kF1 = 0x70;
inline constexpr uint8_t kF7 = 0x76;
inline constexpr uint8_t kF8 = 0x77;
inline constexpr uint8_t kF10 = 0x79;
inline constexpr uint8_t kF12 = 0x7B;

inline constexpr uint8_t kNumLock = 0x90;
inline constexpr uint8_t kScrollLock = 0x91;

// The punctuation keys of a US keyboard, by the characters they type
// unshifted.
inline constexpr uint8_t kSemicolon = 0xBA;     // ;
inline constexpr uint8_t kEquals = 0xBB;        // =
inline constexpr uint8_t kComma = 0xBC;         // ,
inline constexpr uint8_t kMinus = 0xBD;         // -
inline constexpr uint8_t kPeriod = 0xBE;        // .
inline constexpr uint8_t kSlash = 0xBF;         // /
inline constexpr uint8_t kBackquote = 0xC0;     // `
inline constexpr uint8_t kOpenBracket = 0xDB;   // [
inline constexpr uint8_t kBackslash = 0xDC;     // backslash
inline constexpr uint8_t kCloseBracket = 0xDD;  // ]
inline constexpr uint8_t kQuote = 0xDE;         // '
}  // namespace vk

// The bits of a GetAsyncKeyState answer, taken as 16 bits unsigned.
namespace key_state {
// The key is down now (the sign bit of the answer).
inline constexpr uint16_t kHeld = 0x8000;
// The key went down since the previous query.
inline constexpr uint16_t kPressedSinceQuery = 0x0001;
}  // namespace key_state

}  // namespace platform
