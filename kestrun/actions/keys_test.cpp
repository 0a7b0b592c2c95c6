#include "kestrun/actions/keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/testing/fake_desktop.h"

namespace keys {
namespace {

using Lines = std::vector<std::string>;

std::string Down(int vk) { return "keybd_event " + std::to_string(vk) + " down"; }
std::string Up(int vk) { return "keybd_event " + std::to_string(vk) + " up"; }
std::string Pause(int ms) { return "Sleep " + std::to_string(ms); }

// A key pressed and released by the virtual-key mode.
Lines Stroke(int vk) { return {Down(vk), Pause(20), Up(vk), Pause(20)}; }

Lines Concat(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

Lines Played(std::string_view keyText) {
    fake::FakeDesktop desktop;
    PlayKeyText(desktop, keyText);
    EXPECT_TRUE(desktop.HeldKeys().empty()) << "a key is left down after " << keyText;
    return desktop.Log();
}

TEST(KeysNeedsSendKeys, ChoosesTheSendingMode) {
    struct Case {
        const char* keyText;
        bool sendKeys;
    };
    const Case cases[] = {
        // Ctrl or Alt with one letter of either case.
        {"^a", true},
        {"^A", true},
        {"%a", true},
        {"%A", true},
        {"+^a", true},
        {"%^z", true},
        {"^^a", true},
        // Shift alone, no modifier, a digit, several letters, no letter.
        {"+a", false},
        {"a", false},
        {"A", false},
        {"^1", false},
        {"^ab", false},
        {"^", false},
        {"%", false},
        {"", false},
        {"^é", false},
        {"^{ENTER}", false},
        {"{ENTER}", false},
        // Function keys 1 to 12 in braces, with or without modifiers, either case of F.
        {"{F1}", true},
        {"{F12}", true},
        {"{f5}", true},
        {"+{F5}", true},
        {"%{F4}", true},
        {"^{F5}", true},
        {"{F13}", false},
        {"{F0}", false},
        {"{F-1}", false},
        {"{FF}", false},
        {"{Fa}", false},
        {"{F}", false},
        // The number behind the F is a leading number rounded half to even.
        {"{F1.5}", true},     // 2
        {"{F0.5}", false},    // 0
        {"{F12.5}", true},    // 12
        {"{F12.51}", false},  // 13
        {"{F 5}", true},      // blanks are ignored
        {"{F&HC}", true},     // 12
        {"{F1e1}", true},     // 10
        {"{F5x}", true},      // the number stops at x
        {"{F5}}", true},      // the name runs to the next-to-last character
        // The name is the text from the second to the next-to-last character.
        {"{F5", false},  // "F"
        {"{F12", true},  // "F1"
        {"{", false},
        {"{}", false},
        {"+{", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keyText);
        EXPECT_EQ(NeedsSendKeys(c.keyText), c.sendKeys);
    }
}

TEST(KeysNormalizeKeyText, WritesPrefixesOnceInFixedOrderAndLowersLetterWithCtrl) {
    const std::pair<const char*, const char*> cases[] = {
        {"^a", "^a"},
        {"^A", "^a"},
        {"%A", "%A"},
        {"%a", "%a"},
        {"+^a", "^+a"},
        {"%^A", "^%a"},
        {"^^A", "^a"},
        {"^+A", "^+a"},
        {"+%A", "%+A"},
        {"+%{F4}", "%+{F4}"},
        {"{F5}", "{F5}"},
        {"+{f5}", "+{f5}"},
        {"%+^+%{F1}", "^%+{F1}"},
        {"^AB", "^AB"},
        {"", ""},
    };
    for (const auto& [keyText, normalized] : cases) {
        SCOPED_TRACE(keyText);
        EXPECT_EQ(NormalizeKeyText(keyText), normalized);
    }
}

TEST(KeysPlayKeyText, LettersAndShift) {
    EXPECT_EQ(Played("a"), Concat({Stroke(65), {Pause(50)}}));
    EXPECT_EQ(Played("z"), Concat({Stroke(90), {Pause(50)}}));
    EXPECT_EQ(Played("A"), Concat({{Down(16), Pause(50)}, Stroke(65), {Pause(50), Up(16), Pause(50)}}));
    // Shift asked for by a prefix and needed by the letter is pressed once.
    EXPECT_EQ(Played("+A"), Played("A"));
    EXPECT_EQ(Played("++a"), Played("A"));
}

TEST(KeysPlayKeyText, ModifiersGoDownCtrlAltShiftAndUpInReverse) {
    Lines expected = Concat({{Down(17), Pause(50), Down(18), Pause(50), Down(16), Pause(50)},
                             Stroke(36),
                             {Pause(50), Up(16), Pause(50), Up(18), Pause(50), Up(17), Pause(50)}});
    EXPECT_EQ(Played("+%^{HOME}"), expected);
    EXPECT_EQ(Played("^+%{HOME}"), expected);
}

TEST(KeysPlayKeyText, CtrlWithDigitPlaysKeyByKey) {
    EXPECT_EQ(Played("^1"), Concat({{Down(17), Pause(50)}, Stroke(49), {Pause(50), Up(17), Pause(50)}}));
}

TEST(KeysPlayKeyText, ModifierAloneIsPressedAndReleased) {
    EXPECT_EQ(Played("^"), (Lines{Down(17), Pause(50), Pause(50), Up(17), Pause(50)}));
    EXPECT_EQ(Played("%"), (Lines{Down(18), Pause(50), Pause(50), Up(18), Pause(50)}));
}

TEST(KeysPlayKeyText, ShiftedCharactersAddShift) {
    // "%", "^" and "+" of the shifted set are prefixes and never reach the key.
    const std::pair<const char*, int> shifted[] = {
        {")", 48},  {"!", 49},  {"@", 50},  {"#", 51},  {"$", 52},  {"&", 55},  {"*", 56},  {"(", 57},  {":", 186},
        {"<", 188}, {"_", 189}, {">", 190}, {"?", 191}, {"~", 192}, {"{", 219}, {"|", 220}, {"}", 221}, {"\"", 222},
    };
    for (const auto& [character, code] : shifted) {
        SCOPED_TRACE(character);
        EXPECT_EQ(Played(character), Concat({{Down(16), Pause(50)}, Stroke(code), {Pause(50), Up(16), Pause(50)}}));
    }
    // A run of prefixes is all modifiers: "^%" is Ctrl and Alt with no key.
    EXPECT_EQ(Played("^%"),
              Concat({{Down(17), Pause(50), Down(18), Pause(50)}, {Pause(50), Up(18), Pause(50), Up(17), Pause(50)}}));
}

TEST(KeysPlayKeyText, UnshiftedCharactersPressTheirKeyAlone) {
    const std::pair<const char*, int> unshifted[] = {
        {"0", 48},  {"5", 53},  {"9", 57},  {";", 186}, {"=", 187},  {",", 188}, {"-", 189},
        {".", 190}, {"/", 191}, {"`", 192}, {"[", 219}, {"\\", 220}, {"]", 221}, {"'", 222},
    };
    for (const auto& [character, code] : unshifted) {
        SCOPED_TRACE(character);
        EXPECT_EQ(Played(character), Concat({Stroke(code), {Pause(50)}}));
    }
}

TEST(KeysPlayKeyText, BraceNames) {
    EXPECT_EQ(Played("{ENTER}"), Concat({Stroke(13), {Pause(50)}}));
    // Only the text up to the first "}" is the name.
    EXPECT_EQ(Played("{ENTER}x"), Played("{ENTER}"));
    EXPECT_EQ(Played("%{F4}"), Concat({{Down(18), Pause(50)}, Stroke(115), {Pause(50), Up(18), Pause(50)}}));
    // Names are case-sensitive, F13 does not exist, and an empty name is no key.
    EXPECT_EQ(Played("{enter}"), Lines{Pause(50)});
    EXPECT_EQ(Played("{F13}"), Lines{Pause(50)});
    EXPECT_EQ(Played("{}"), Lines{Pause(50)});
    // A shift prefix stays with a named key; an upper-case name adds none.
    EXPECT_EQ(Played("+{TAB}"), Concat({{Down(16), Pause(50)}, Stroke(9), {Pause(50), Up(16), Pause(50)}}));
}

TEST(KeysPlayKeyText, LoneBraceIsTheShiftedBracketKey) {
    EXPECT_EQ(Played("{"), Concat({{Down(16), Pause(50)}, Stroke(219), {Pause(50), Up(16), Pause(50)}}));
}

TEST(KeysPlayKeyText, SeveralCharactersPressAtMostTheFirstLetter) {
    EXPECT_EQ(Played("Hello"), Concat({Stroke(72), {Pause(50)}}));
    EXPECT_EQ(Played("12"), Lines{Pause(50)});
    EXPECT_EQ(Played(""), Lines{Pause(50)});
    EXPECT_EQ(Played(" "), Lines{Pause(50)});
}

TEST(KeysPressNamedKey, KnowsEveryNameOfTheTable) {
    const std::pair<const char*, int> names[] = {
        {"BACKSPACE", 8},
        {"TAB", 9},
        {"ENTER", 13},
        {"SHIFT", 16},
        {"CTRL", 17},
        {"ALT", 18},
        {"PAUSE", 19},
        {"CAPSLOCK", 20},
        {"ESC", 27},
        {"SPACE", 32},
        {"PAGEUP", 33},
        {"PAGEDOWN", 34},
        {"END", 35},
        {"HOME", 36},
        {"LEFT", 37},
        {"UP", 38},
        {"RIGHT", 39},
        {"DOWN", 40},
        {"INSERT", 45},
        {"DELETE", 46},
        {"F1", 112},
        {"F2", 113},
        {"F3", 114},
        {"F4", 115},
        {"F5", 116},
        {"F6", 117},
        {"F7", 118},
        {"F8", 119},
        {"F9", 120},
        {"F10", 121},
        {"F11", 122},
        {"F12", 123},
        {"NUMLOCK", 144},
        {"SCROLLLOCK", 145},
        {"PRTSC", 44},
        // The names that the key capture writes play back as the keys they came from.
        {"PGUP", 33},
        {"PGDN", 34},
        {"BREAK", 19},
    };
    for (const auto& [name, code] : names) {
        SCOPED_TRACE(name);
        fake::FakeDesktop desktop;
        PressNamedKey(desktop, name);
        EXPECT_EQ(desktop.Log(), Stroke(code));
    }
    for (const char* unknown : {"", "enter", "Enter", "F0", "F01", "F13", "ENTER ", "A", "PGUP}", "{ENTER}"}) {
        SCOPED_TRACE(unknown);
        fake::FakeDesktop desktop;
        PressNamedKey(desktop, unknown);
        EXPECT_TRUE(desktop.Log().empty());
    }
}

TEST(KeysPressCharacterKey, ComparesTheWholeTextByCharacterCode) {
    const std::pair<const char*, int> cases[] = {
        {"a", 65},
        {"m", 77},
        {"z", 90},
        {"A", 65},
        {"Z", 90},
        // Between "a" and "z": the first letter's key, upper-cased; Shift is never added here.
        {"ab", 65},
        {"hello", 72},
        {"y日本", 89},
        // Between "A" and "Z": the first letter's key.
        {"Hello", 72},
        {"AZ", 65},
        // Past "z" or "Z" by a longer text, and texts outside both ranges.
        {"zz", 0},
        {"Zz", 0},
        {"12", 0},
        {"", 0},
        {" ", 0},
        {"é", 0},
        {"日", 0},
        {"{ENTER}", 0},
        // Symbols through the table, shifted ones too.
        {";", 186},
        {":", 186},
        {"{", 219},
        {"7", 55},
        {"&", 55},
    };
    for (const auto& [text, code] : cases) {
        SCOPED_TRACE(text);
        fake::FakeDesktop desktop;
        PressCharacterKey(desktop, text);
        EXPECT_EQ(desktop.Log(), code ? Stroke(code) : Lines{});
    }
}

TEST(KeysSymbolToVirtualKey, MapsBothCharactersOfEachKey) {
    const struct {
        int code;
        const char* unshifted;
        const char* shifted;
    } keys[] = {
        {48, "0", ")"},   {49, "1", "!"},  {50, "2", "@"},   {51, "3", "#"},  {52, "4", "$"},  {53, "5", "%"},
        {54, "6", "^"},   {55, "7", "&"},  {56, "8", "*"},   {57, "9", "("},  {186, ";", ":"}, {187, "=", "+"},
        {188, ",", "<"},  {189, "-", "_"}, {190, ".", ">"},  {191, "/", "?"}, {192, "`", "~"}, {219, "[", "{"},
        {220, "\\", "|"}, {221, "]", "}"}, {222, "'", "\""},
    };
    for (const auto& key : keys) {
        SCOPED_TRACE(key.unshifted);
        EXPECT_EQ(SymbolToVirtualKey(key.unshifted), key.code);
        EXPECT_EQ(SymbolToVirtualKey(key.shifted), key.code);
    }
    for (const char* other : {"", "a", "A", " ", ";;", "00", "é", "\t"}) {
        SCOPED_TRACE(other);
        EXPECT_EQ(SymbolToVirtualKey(other), 0);
    }
}

TEST(KeysPerformKeyInstruction, SendKeysTextsGoToTheServiceNormalized) {
    const std::pair<const char*, const char*> cases[] = {
        {"^a", "^a"}, {"^A", "^a"}, {"%A", "%A"}, {"+^a", "^+a"}, {"%{F4}", "%{F4}"}, {"{f5}", "{f5}"},
    };
    for (const auto& [keyText, sent] : cases) {
        SCOPED_TRACE(keyText);
        fake::FakeDesktop desktop;
        PerformKeyInstruction(desktop, keyText);
        EXPECT_EQ(desktop.Log(), (Lines{Pause(100), std::string("SendKeys ") + sent, Pause(100)}));
    }
}

TEST(KeysPerformKeyInstruction, OtherTextsPlayKeyByKeyBetweenTheTwoPauses) {
    fake::FakeDesktop desktop;
    PerformKeyInstruction(desktop, "A");
    EXPECT_EQ(desktop.Log(),
              Concat({{Pause(100), Down(16), Pause(50)}, Stroke(65), {Pause(50), Up(16), Pause(50), Pause(100)}}));
    EXPECT_EQ(desktop.Clock().Elapsed(), 100u + 50 + 20 + 20 + 50 + 50 + 100);

    fake::FakeDesktop nothing;
    PerformKeyInstruction(nothing, "{F13}");
    EXPECT_EQ(nothing.Log(), (Lines{Pause(100), Pause(50), Pause(100)}));
}

// Holds the keys, reads them once and releases them again.
std::string ReadWith(std::initializer_list<int> held) {
    fake::FakeDesktop desktop;
    for (int vk : held) desktop.PressKey(vk);
    return ReadPressedKeys(desktop);
}

TEST(KeysReadPressedKeys, WritesTheHeldKeyWithItsModifiers) {
    const struct {
        std::initializer_list<int> held;
        const char* keyText;
    } cases[] = {
        {{}, ""},
        // Modifiers alone give nothing.
        {{16}, ""},
        {{17, 18}, ""},
        {{16, 17, 18}, ""},
        {{65}, "A"},
        {{16, 65}, "A"},
        {{17, 65}, "^A"},
        {{18, 65}, "%A"},
        {{17, 16, 65}, "+^A"},
        {{16, 17, 18, 65}, "+%^A"},
        {{17, 18, 36}, "%^{HOME}"},
        {{16, 116}, "{F5}"},
        {{17, 116}, "^{F5}"},
        {{16, 17, 116}, "+^{F5}"},
        {{49}, "1"},
        {{16, 49}, "+1"},
        {{186}, ";"},
        {{16, 186}, "+:"},
        {{16, 222}, "+\""},
        {{222}, "'"},
        {{112}, "{F1}"},
        {{121}, "{F10}"},
        {{123}, "{F12}"},
        {{27}, "{ESC}"},
        {{44}, "{PRTSC}"},
        {{19}, "{BREAK}"},
        {{33}, "{PGUP}"},
        {{34}, "{PGDN}"},
        {{144}, "{NUMLOCK}"},
        // The number pad's digits, F13 and other keys are not read.
        {{96}, ""},
        {{105}, ""},
        {{124}, ""},
        {{145}, ""},
        {{1}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keyText);
        EXPECT_EQ(ReadWith(c.held), c.keyText);
    }
}

TEST(KeysReadPressedKeys, FirstHeldKeyInTheCaptureOrderDecides) {
    // Every readable key in the order of the capture, each with the text it gives.
    std::vector<std::pair<int, std::string>> order = {{27, "{ESC}"}};
    for (int f = 1; f <= 12; ++f) order.push_back({111 + f, "{F" + std::to_string(f) + "}"});
    const std::pair<int, const char*> named[] = {
        {44, "{PRTSC}"}, {19, "{BREAK}"}, {8, "{BACKSPACE}"}, {9, "{TAB}"},     {20, "{CAPSLOCK}"}, {36, "{HOME}"},
        {35, "{END}"},   {33, "{PGUP}"},  {34, "{PGDN}"},     {45, "{INSERT}"}, {144, "{NUMLOCK}"}, {46, "{DELETE}"},
        {38, "{UP}"},    {40, "{DOWN}"},  {37, "{LEFT}"},     {39, "{RIGHT}"},  {13, "{ENTER}"},    {32, "{SPACE}"},
    };
    for (const auto& [vk, name] : named) order.push_back({vk, name});
    for (int vk = 'A'; vk <= 'Z'; ++vk) order.push_back({vk, std::string(1, char(vk))});
    for (int vk = '0'; vk <= '9'; ++vk) order.push_back({vk, std::string(1, char(vk))});
    const std::pair<int, const char*> punctuation[] = {
        {186, ";"}, {187, "="}, {188, ","},  {189, "-"}, {190, "."}, {191, "/"},
        {192, "`"}, {219, "["}, {220, "\\"}, {221, "]"}, {222, "'"},
    };
    for (const auto& [vk, character] : punctuation) order.push_back({vk, character});

    fake::FakeDesktop desktop;
    for (const auto& [vk, name] : order) desktop.PressKey(vk);
    for (const auto& [vk, name] : order) {
        SCOPED_TRACE(name);
        EXPECT_EQ(ReadPressedKeys(desktop), name);
        desktop.ReleaseKey(vk);
    }
    EXPECT_EQ(ReadPressedKeys(desktop), "");
}

TEST(KeysReadPressedKeys, ShiftPicksTheShiftedPunctuation) {
    // Shift+[ reads "{", which begins like a brace name and so takes no "+";
    // it plays back as Shift and the same key all the same.
    const std::pair<int, const char*> shifted[] = {
        {186, "+:"}, {187, "++"}, {188, "+<"}, {189, "+_"}, {190, "+>"},  {191, "+?"},
        {192, "+~"}, {219, "{"},  {220, "+|"}, {221, "+}"}, {222, "+\""},
    };
    for (const auto& [vk, keyText] : shifted) {
        SCOPED_TRACE(keyText);
        EXPECT_EQ(ReadWith({16, vk}), keyText);
    }
}

TEST(KeysKeyNameHelpText, IsTheTwentyLinesJoinedByCrLf) {
    const std::string expected =
        "常用键名列表：\r\n"
        "\r\n"
        "ESC          - {ESC}\r\n"
        "F1~F12       - {F1}~{F12}\r\n"
        "PRINT SCREEN - {PRTSC}\r\n"
        "PAUSE BREAK  - {BREAK}\r\n"
        "BACKSPACE    - {BACKSPACE}\r\n"
        "TAB          - {TAB}\r\n"
        "CAPSLOCK     - {CAPSLOCK}\r\n"
        "HOME         - {HOME},END,{END}\r\n"
        "PAGE UP      - {PGUP},PAGE DOWN,{PGDN}\r\n"
        "INSERT       - {INSERT}\r\n"
        "NUM LOCK     - {NUMLOCK}\r\n"
        "DELETE       - {DELETE}\r\n"
        "↑-{UP},↓-{DOWN},←-{LEFT},→-{RIGHT}   \r\n"
        "ENTER        - {ENTER}\r\n"
        "SHIFT        - +\r\n"
        "CTRL         - ^\r\n"
        "ALT          - %\r\n"
        "其它字母直接输入";
    EXPECT_EQ(KeyNameHelpText(), expected);
}

}  // namespace
}  // namespace keys
