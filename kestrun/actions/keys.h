// Key texts and keystrokes.
//
// A key text names one keystroke in send-keys notation: a run of modifier
// prefixes ("^" Ctrl, "%" Alt, "+" Shift, in any order, a repeat counting
// once), then either a key name in braces ("{ENTER}", "{F5}") or a single
// character ("a", "A", "7", ";").
//
// Two sending modes exist side by side. Ctrl or Alt with a letter, and the
// function keys F1 to F12, go through the platform's send-keys service, which
// understands the notation. Everything else is played key by key with
// virtual-key codes and fixed pauses, because the send-keys service types
// characters rather than keys and so cannot press, say, Shift+1 as a chord.
//
// All texts are UTF-8; "a character" is a code point.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/platform/desktop.h"

namespace keys {

// The whole key instruction: pause 100 ms, send the key text through the
// send-keys service when NeedsSendKeys says so (normalised) or play it key by
// key otherwise, pause 100 ms.
void PerformKeyInstruction(platform::Desktop& desktop, std::string_view keyText);

// True for Ctrl or Alt with one letter, and for a brace name "F" or "f"
// followed by a number that rounds to 1 .. 12 ("{F5}", "+{f1.5}").
bool NeedsSendKeys(std::string_view keyText);

// The prefixes once each in the order "^", "%", "+", then the rest; with
// Ctrl, a single upper-case letter becomes lower case (^A is the Ctrl+A
// chord, not Ctrl+Shift+A).
std::string NormalizeKeyText(std::string_view keyText);

// The virtual-key mode: modifiers down (Ctrl, Alt, Shift, 50 ms after each),
// the key down and up (20 ms after each), 50 ms, modifiers up in reverse
// order (50 ms after each).
void PlayKeyText(platform::Desktop& desktop, std::string_view keyText);

// Presses and releases the key of a brace name ("ENTER", "F5"; exact case);
// an unknown name presses nothing.
void PressNamedKey(platform::Desktop& desktop, std::string_view name);

// Presses and releases the key of a character text: a text that sorts
// between "a" and "z" presses the letter key of its first character, one
// between "A" and "Z" likewise, anything else the key SymbolToVirtualKey
// gives, if any. Shift is never added here.
void PressCharacterKey(platform::Desktop& desktop, std::string_view text);

// The virtual-key code of a digit or punctuation character, unshifted or
// shifted (United States layout); 0 for any other text.
uint8_t SymbolToVirtualKey(std::string_view text);

// The keys held right now written as a key text ("%^{HOME}", "+1", "A"), or
// the empty text when no key but modifiers is held.
std::string ReadPressedKeys(platform::Desktop& desktop);

// The key-name help shown by a click on the key label.
std::string KeyNameHelpText();

}  // namespace keys
