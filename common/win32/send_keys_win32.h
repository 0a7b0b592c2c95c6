// The send-keys service: types a text in send-keys notation into the window
// that has the keyboard focus and returns once the keystrokes are processed.
//
// The notation, as far as the programs use it and a little beyond:
// - "^" Ctrl, "%" Alt, "+" Shift: prefixes that hold their modifier down for
//   the one key that follows them;
// - a key name in braces: {F1} to {F16}, {ENTER}, {TAB}, {ESC}, {BACKSPACE}
//   ({BS}, {BKSP}), {DELETE} ({DEL}), {INSERT} ({INS}), {HOME}, {END},
//   {PGUP}, {PGDN}, {UP}, {DOWN}, {LEFT}, {RIGHT}, {SPACE}, {BREAK},
//   {CAPSLOCK}, {NUMLOCK}, {SCROLLLOCK}, {PRTSC}; names ignore case. A single
//   character in braces stands for itself ({+}, {^}, {%}, {~}, {{}, {}});
// - "~" Enter;
// - any other character types itself: the key of the keyboard layout that
//   makes it, with Shift when the layout needs Shift (so "A" adds Shift and
//   "^a" is the Ctrl+A chord without it); a character that no key makes is
//   sent as a Unicode character.
// An unknown key name types nothing, and an unclosed "{" ends the text.
#pragma once

#include <string>

namespace win32 {

void SendKeysText(const std::string& keyText);

}  // namespace win32
