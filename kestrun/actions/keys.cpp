#include "kestrun/actions/keys.h"

#include <array>
#include <iterator>
#include <utility>

#include "common/platform/key_codes.h"
#include "common/text/number.h"
#include "common/text/utf8.h"

namespace keys {

namespace {

namespace vk = platform::vk;

constexpr uint32_t kModifierPauseMs = 50;
constexpr uint32_t kKeyPauseMs = 20;
constexpr uint32_t kInstructionPauseMs = 100;

struct NamedKey {
    std::string_view name;
    uint8_t code;
};

// The names of the virtual-key mode. The key-capture tool and the help list
// write Page Up, Page Down and Pause as "PGUP", "PGDN" and "BREAK"; those
// aliases are known here too, so that a captured key plays back as the key
// it was.
constexpr NamedKey kNamedKeys[] = {
    {"BACKSPACE", vk::kBackspace},
    {"TAB", vk::kTab},
    {"ENTER", vk::kEnter},
    {"SHIFT", vk::kShift},
    {"CTRL", vk::kControl},
    {"ALT", vk::kAlt},
    {"PAUSE", vk::kPause},
    {"CAPSLOCK", vk::kCapsLock},
    {"ESC", vk::kEscape},
    {"SPACE", vk::kSpace},
    {"PAGEUP", vk::kPageUp},
    {"PAGEDOWN", vk::kPageDown},
    {"END", vk::kEnd},
    {"HOME", vk::kHome},
    {"LEFT", vk::kLeft},
    {"UP", vk::kUp},
    {"RIGHT", vk::kRight},
    {"DOWN", vk::kDown},
    {"INSERT", vk::kInsert},
    {"DELETE", vk::kDelete},
    {"NUMLOCK", vk::kNumLock},
    {"SCROLLLOCK", vk::kScrollLock},
    {"PRTSC", vk::kPrintScreen},
    {"PGUP", vk::kPageUp},
    {"PGDN", vk::kPageDown},
    {"BREAK", vk::kPause},
};

// One physical key of the digit row or the punctuation keys.
struct SymbolKey {
    uint8_t code;
    char unshifted;
    char shifted;
};

constexpr SymbolKey kSymbolKeys[] = {
    {vk::kDigit0 + 0, '0', ')'}, {vk::kDigit0 + 1, '1', '!'},   {vk::kDigit0 + 2, '2', '@'},
    {vk::kDigit0 + 3, '3', '#'}, {vk::kDigit0 + 4, '4', '$'},   {vk::kDigit0 + 5, '5', '%'},
    {vk::kDigit0 + 6, '6', '^'}, {vk::kDigit0 + 7, '7', '&'},   {vk::kDigit0 + 8, '8', '*'},
    {vk::kDigit0 + 9, '9', '('}, {vk::kSemicolon, ';', ':'},    {vk::kEquals, '=', '+'},
    {vk::kComma, ',', '<'},      {vk::kMinus, '-', '_'},        {vk::kPeriod, '.', '>'},
    {vk::kSlash, '/', '?'},      {vk::kBackquote, '`', '~'},    {vk::kOpenBracket, '[', '{'},
    {vk::kBackslash, '\\', '|'}, {vk::kCloseBracket, ']', '}'}, {vk::kQuote, '\'', '"'},
};

// The key text split into its prefix run and the rest.
struct KeyText {
    bool ctrl = false;
    bool alt = false;
    bool shift = false;
    std::string_view rest;
};

KeyText Parse(std::string_view keyText) {
    KeyText parsed;
    size_t i = 0;
    for (; i < keyText.size(); ++i) {
        char c = keyText[i];
        if (c == '^') {
            parsed.ctrl = true;
        } else if (c == '%') {
            parsed.alt = true;
        } else if (c == '+') {
            parsed.shift = true;
        } else {
            break;
        }
    }
    parsed.rest = keyText.substr(i);
    return parsed;
}

bool IsUpperLetter(std::string_view s) { return s.size() == 1 && s[0] >= 'A' && s[0] <= 'Z'; }
bool IsLowerLetter(std::string_view s) { return s.size() == 1 && s[0] >= 'a' && s[0] <= 'z'; }

// A character that needs Shift in the virtual-key mode: the shifted column
// of the symbol keys.
bool IsShiftedSymbol(std::string_view s) {
    if (s.size() != 1) return false;
    for (const SymbolKey& key : kSymbolKeys) {
        if (key.shifted == s[0]) return true;
    }
    return false;
}

// Texts are compared character by character by code; for UTF-8 the order
// of the bytes (taken as unsigned) is the order of the code points.
bool SortsBetween(std::string_view s, std::string_view low, std::string_view high) {
    return s.compare(low) >= 0 && s.compare(high) <= 0;
}

void PressAndRelease(platform::Desktop& desktop, uint8_t code) {
    if (code == 0) return;
    desktop.KeybdEvent(code, platform::key::kPress);
    desktop.Sleep(kKeyPauseMs);
    desktop.KeybdEvent(code, platform::key::kRelease);
    desktop.Sleep(kKeyPauseMs);
}

bool Held(platform::Desktop& desktop, int virtualKey) {
    return (uint16_t(desktop.GetAsyncKeyState(virtualKey)) & platform::key_state::kHeld) != 0;
}

// The key of a held key read in the capture order, without modifiers; the
// empty text when none is held.
std::string ReadKey(platform::Desktop& desktop, bool shift) {
    if (Held(desktop, vk::kEscape)) return "{ESC}";
    for (int code = vk::kF1; code <= vk::kF12; ++code) {
        if (Held(desktop, code)) return "{F" + text::IntToText(code - vk::kF1 + 1) + "}";
    }
    static constexpr NamedKey kCaptureNames[] = {
        {"{PRTSC}", vk::kPrintScreen},
        {"{BREAK}", vk::kPause},
        {"{BACKSPACE}", vk::kBackspace},
        {"{TAB}", vk::kTab},
        {"{CAPSLOCK}", vk::kCapsLock},
        {"{HOME}", vk::kHome},
        {"{END}", vk::kEnd},
        {"{PGUP}", vk::kPageUp},
        {"{PGDN}", vk::kPageDown},
        {"{INSERT}", vk::kInsert},
        {"{NUMLOCK}", vk::kNumLock},
        {"{DELETE}", vk::kDelete},
        {"{UP}", vk::kUp},
        {"{DOWN}", vk::kDown},
        {"{LEFT}", vk::kLeft},
        {"{RIGHT}", vk::kRight},
        {"{ENTER}", vk::kEnter},
        {"{SPACE}", vk::kSpace},
    };
    for (const NamedKey& key : kCaptureNames) {
        if (Held(desktop, key.code)) return std::string(key.name);
    }
    for (int code = 'A'; code <= 'Z'; ++code) {
        if (Held(desktop, code)) return std::string(1, char(code));
    }
    for (int code = '0'; code <= '9'; ++code) {
        if (Held(desktop, code)) return std::string(1, char(code));
    }
    // The digit row was read above; the punctuation keys follow in code order.
    for (const SymbolKey& key : kSymbolKeys) {
        if (key.code < vk::kSemicolon) continue;
        if (Held(desktop, key.code)) return std::string(1, shift ? key.shifted : key.unshifted);
    }
    return "";
}

}  // namespace

void PerformKeyInstruction(platform::Desktop& desktop, std::string_view keyText) {
    desktop.Sleep(kInstructionPauseMs);
    if (NeedsSendKeys(keyText)) {
        desktop.SendKeys(NormalizeKeyText(keyText));
    } else {
        PlayKeyText(desktop, keyText);
    }
    desktop.Sleep(kInstructionPauseMs);
}

bool NeedsSendKeys(std::string_view keyText) {
    KeyText parsed = Parse(keyText);
    if ((parsed.ctrl || parsed.alt) && (IsUpperLetter(parsed.rest) || IsLowerLetter(parsed.rest))) return true;
    if (!text::StartsWith(parsed.rest, "{")) return false;
    // The name is the text from the second to the next-to-last character;
    // "{" alone has none.
    size_t count = text::CharCount(parsed.rest);
    if (count < 2) return false;
    std::string name = text::Mid(parsed.rest, 1, count - 2);
    if (name.empty() || (name[0] != 'F' && name[0] != 'f')) return false;
    double number = text::RoundHalfEven(text::LeadingNumber(std::string_view(name).substr(1)));
    return number >= 1 && number <= 12;
}

std::string NormalizeKeyText(std::string_view keyText) {
    KeyText parsed = Parse(keyText);
    std::string result;
    if (parsed.ctrl) result += '^';
    if (parsed.alt) result += '%';
    if (parsed.shift) result += '+';
    if (parsed.ctrl && IsUpperLetter(parsed.rest)) {
        result += char(parsed.rest[0] - 'A' + 'a');
    } else {
        result += parsed.rest;
    }
    return result;
}

void PlayKeyText(platform::Desktop& desktop, std::string_view keyText) {
    KeyText parsed = Parse(keyText);
    std::string_view rest = parsed.rest;
    bool shift = parsed.shift;
    size_t closing = rest.find('}');
    bool named = text::StartsWith(rest, "{") && closing != std::string_view::npos;
    if (!named && text::CharCount(rest) == 1 && (IsUpperLetter(rest) || IsShiftedSymbol(rest))) shift = true;

    const std::array<std::pair<bool, uint8_t>, 3> modifiers{
        {{parsed.ctrl, vk::kControl}, {parsed.alt, vk::kAlt}, {shift, vk::kShift}}};
    for (const auto& [on, code] : modifiers) {
        if (!on) continue;
        desktop.KeybdEvent(code, platform::key::kPress);
        desktop.Sleep(kModifierPauseMs);
    }
    if (named) {
        PressNamedKey(desktop, rest.substr(1, closing - 1));
    } else {
        PressCharacterKey(desktop, rest);
    }
    desktop.Sleep(kModifierPauseMs);
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) {
        if (!it->first) continue;
        desktop.KeybdEvent(it->second, platform::key::kRelease);
        desktop.Sleep(kModifierPauseMs);
    }
}

void PressNamedKey(platform::Desktop& desktop, std::string_view name) {
    // F1 to F12: the letter F and the key's number, compared as texts.
    if (name.size() >= 2 && name.front() == 'F') {
        const std::string_view number = name.substr(1);
        for (int code = vk::kF1; code <= vk::kF12; ++code) {
            if (number == text::IntToText(code - vk::kF1 + 1)) return PressAndRelease(desktop, uint8_t(code));
        }
    }
    if (name.empty()) return;
    for (const NamedKey& key : kNamedKeys) {
        if (key.name == name) return PressAndRelease(desktop, key.code);
    }
}

void PressCharacterKey(platform::Desktop& desktop, std::string_view text) {
    uint8_t code = 0;
    if (SortsBetween(text, "a", "z")) {
        code = uint8_t(text[0] - 'a' + 'A');
    } else if (SortsBetween(text, "A", "Z")) {
        code = uint8_t(text[0]);
    } else {
        code = SymbolToVirtualKey(text);
    }
    PressAndRelease(desktop, code);
}

uint8_t SymbolToVirtualKey(std::string_view text) {
    if (text.size() != 1) return 0;
    for (const SymbolKey& key : kSymbolKeys) {
        if (key.unshifted == text[0] || key.shifted == text[0]) return key.code;
    }
    return 0;
}

std::string ReadPressedKeys(platform::Desktop& desktop) {
    bool shift = Held(desktop, vk::kShift);
    bool ctrl = Held(desktop, vk::kControl);
    bool alt = Held(desktop, vk::kAlt);
    std::string result = ReadKey(desktop, shift);
    if (result.empty()) return result;
    if (ctrl) result = "^" + result;
    if (alt) result = "%" + result;
    // Shift is already part of an upper-case letter, and a brace name is
    // written without it.
    if (shift && !IsUpperLetter(result) && !text::StartsWith(result, "{")) result = "+" + result;
    return result;
}

std::string KeyNameHelpText() {
    static constexpr std::string_view kLines[] = {
        "常用键名列表：",
        "",
        "ESC          - {ESC}",
        "F1~F12       - {F1}~{F12}",
        "PRINT SCREEN - {PRTSC}",
        "PAUSE BREAK  - {BREAK}",
        "BACKSPACE    - {BACKSPACE}",
        "TAB          - {TAB}",
        "CAPSLOCK     - {CAPSLOCK}",
        "HOME         - {HOME},END,{END}",
        "PAGE UP      - {PGUP},PAGE DOWN,{PGDN}",
        "INSERT       - {INSERT}",
        "NUM LOCK     - {NUMLOCK}",
        "DELETE       - {DELETE}",
        "↑-{UP},↓-{DOWN},←-{LEFT},→-{RIGHT}   ",
        "ENTER        - {ENTER}",
        "SHIFT        - +",
        "CTRL         - ^",
        "ALT          - %",
        "其它字母直接输入",
    };
    std::string help;
    for (size_t i = 0; i < std::size(kLines); ++i) {
        if (i > 0) help += "\r\n";
        help += kLines[i];
    }
    return help;
}

}  // namespace keys
