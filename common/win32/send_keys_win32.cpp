#include "common/win32/send_keys_win32.h"

#include <windows.h>

#include <string_view>
#include <vector>

#include "common/win32/wide.h"

namespace win32 {
namespace {

// One key with the modifiers held around it.
struct Stroke {
    bool ctrl = false;
    bool alt = false;
    bool shift = false;
    WORD virtualKey = 0;
    bool extended = false;  // the key sits on the extended part of the keyboard
    wchar_t unicode = 0;    // set instead of virtualKey for a character no key makes
};

struct NamedKey {
    std::wstring_view name;
    WORD virtualKey;
    bool extended;
};

constexpr NamedKey kNamedKeys[] = {
    {L"ENTER", VK_RETURN, false},    {L"TAB", VK_TAB, false},           {L"ESC", VK_ESCAPE, false},
    {L"BACKSPACE", VK_BACK, false},  {L"BS", VK_BACK, false},           {L"BKSP", VK_BACK, false},
    {L"DELETE", VK_DELETE, true},    {L"DEL", VK_DELETE, true},         {L"INSERT", VK_INSERT, true},
    {L"INS", VK_INSERT, true},       {L"HOME", VK_HOME, true},          {L"END", VK_END, true},
    {L"PGUP", VK_PRIOR, true},       {L"PGDN", VK_NEXT, true},          {L"UP", VK_UP, true},
    {L"DOWN", VK_DOWN, true},        {L"LEFT", VK_LEFT, true},          {L"RIGHT", VK_RIGHT, true},
    {L"SPACE", VK_SPACE, false},     {L"BREAK", VK_PAUSE, false},       {L"CAPSLOCK", VK_CAPITAL, false},
    {L"NUMLOCK", VK_NUMLOCK, false}, {L"SCROLLLOCK", VK_SCROLL, false}, {L"PRTSC", VK_SNAPSHOT, true},
};

bool SameNameIgnoringCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        wchar_t x = a[i] >= L'a' && a[i] <= L'z' ? wchar_t(a[i] - 32) : a[i];
        if (x != b[i]) return false;
    }
    return true;
}

// F1 to F16 by their number, written with one or two plain digits.
bool FunctionKey(std::wstring_view name, WORD& virtualKey) {
    if (name.size() < 2 || name.size() > 3 || (name[0] != L'F' && name[0] != L'f')) return false;
    int number = 0;
    for (wchar_t c : name.substr(1)) {
        if (c < L'0' || c > L'9') return false;
        number = number * 10 + (c - L'0');
    }
    if (number < 1 || number > 16) return false;
    virtualKey = WORD(VK_F1 + number - 1);
    return true;
}

// The key that makes a character in the current keyboard layout, with the
// modifiers the layout needs for it.
Stroke CharacterStroke(wchar_t c, Stroke stroke) {
    SHORT scan = VkKeyScanW(c);
    if (scan == -1) {
        stroke.unicode = c;
        return stroke;
    }
    stroke.virtualKey = LOBYTE(scan);
    BYTE needs = HIBYTE(scan);
    stroke.shift = stroke.shift || (needs & 1);
    stroke.ctrl = stroke.ctrl || (needs & 2);
    stroke.alt = stroke.alt || (needs & 4);
    return stroke;
}

// Splits the text into strokes; unknown names are dropped.
std::vector<Stroke> ParseKeyText(std::wstring_view text) {
    std::vector<Stroke> strokes;
    size_t i = 0;
    while (i < text.size()) {
        Stroke stroke;
        for (; i < text.size(); ++i) {
            if (text[i] == L'^') {
                stroke.ctrl = true;
            } else if (text[i] == L'%') {
                stroke.alt = true;
            } else if (text[i] == L'+') {
                stroke.shift = true;
            } else {
                break;
            }
        }
        if (i >= text.size()) break;

        if (text[i] == L'~') {
            stroke.virtualKey = VK_RETURN;
            strokes.push_back(stroke);
            ++i;
            continue;
        }
        if (text[i] != L'{') {
            strokes.push_back(CharacterStroke(text[i], stroke));
            ++i;
            continue;
        }
        // "{}}" names the closing brace itself; otherwise the name runs to
        // the first "}".
        std::wstring_view name;
        if (text.substr(i, 3) == L"{}}") {
            name = L"}";
            i += 3;
        } else {
            size_t close = text.find(L'}', i + 1);
            if (close == std::wstring_view::npos) break;
            name = text.substr(i + 1, close - i - 1);
            i = close + 1;
        }
        if (name.size() == 1) {
            strokes.push_back(CharacterStroke(name[0], stroke));
            continue;
        }
        if (FunctionKey(name, stroke.virtualKey)) {
            strokes.push_back(stroke);
            continue;
        }
        for (const NamedKey& key : kNamedKeys) {
            if (!SameNameIgnoringCase(name, key.name)) continue;
            stroke.virtualKey = key.virtualKey;
            stroke.extended = key.extended;
            strokes.push_back(stroke);
            break;
        }
    }
    return strokes;
}

INPUT KeyInput(WORD virtualKey, bool up, bool extended = false) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = WORD(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

INPUT UnicodeInput(wchar_t c, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = c;
    input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

// Modifiers go down in the order Ctrl, Alt, Shift and come up in reverse.
void AppendStroke(const Stroke& stroke, std::vector<INPUT>& inputs) {
    if (stroke.unicode) {
        inputs.push_back(UnicodeInput(stroke.unicode, false));
        inputs.push_back(UnicodeInput(stroke.unicode, true));
        return;
    }
    if (stroke.ctrl) inputs.push_back(KeyInput(VK_CONTROL, false));
    if (stroke.alt) inputs.push_back(KeyInput(VK_MENU, false));
    if (stroke.shift) inputs.push_back(KeyInput(VK_SHIFT, false));
    inputs.push_back(KeyInput(stroke.virtualKey, false, stroke.extended));
    inputs.push_back(KeyInput(stroke.virtualKey, true, stroke.extended));
    if (stroke.shift) inputs.push_back(KeyInput(VK_SHIFT, true));
    if (stroke.alt) inputs.push_back(KeyInput(VK_MENU, true));
    if (stroke.ctrl) inputs.push_back(KeyInput(VK_CONTROL, true));
}

bool AnyHeld(const std::vector<WORD>& keys) {
    for (WORD key : keys) {
        if (GetAsyncKeyState(key) & 0x8000) return true;
    }
    return false;
}

// SendInput only queues the keys; the focused window handles them later, on
// its own thread. Waiting until it has handled them takes two steps, each
// bounded so that a hung window cannot hang the caller:
// 1. until the system has taken in the last release (the key state no longer
//    shows the modifiers or the last key held), so the key messages are in
//    the foreground thread's queue;
// 2. a WM_NULL sent to the foreground window, once per message that the keys
//    can have queued there (a key message each, plus a character for each
//    press) and once more. A thread handles a sent message each time it asks
//    for its next message, that is, after it has finished handling the
//    previous one; so when the last WM_NULL comes back, every key message
//    before it has been handled, including what the keys started there (a
//    paste, a copy).
// A handler that itself waits in a way that answers sent messages (a paste
// waiting for the clipboard) can answer a WM_NULL before it has finished, so
// a short pause ends the wait, which covers such work in the usual case.
// When the foreground window is the caller's own, its keys are handled when
// the caller next pumps messages, and there is nothing to wait for here.
constexpr DWORD kKeyStateWaitMs = 250;
constexpr UINT kAnswerWaitMs = 500;
constexpr DWORD kSettleMs = 30;

void WaitUntilProcessed(const std::vector<Stroke>& strokes, size_t inputCount) {
    std::vector<WORD> watched{VK_CONTROL, VK_MENU, VK_SHIFT};
    if (strokes.back().virtualKey) watched.push_back(strokes.back().virtualKey);
    DWORD start = GetTickCount();
    while (AnyHeld(watched) && GetTickCount() - start < kKeyStateWaitMs) Sleep(5);

    HWND foreground = GetForegroundWindow();
    if (!foreground || GetWindowThreadProcessId(foreground, nullptr) == GetCurrentThreadId()) return;
    size_t rounds = 2 * inputCount + 1;
    for (size_t i = 0; i < rounds; ++i) {
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutW(foreground, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerWaitMs, &answer)) return;
    }
    Sleep(kSettleMs);
}

}  // namespace

void SendKeysText(const std::string& keyText) {
    std::vector<Stroke> strokes = ParseKeyText(Wide(keyText));
    if (strokes.empty()) return;
    std::vector<INPUT> inputs;
    for (const Stroke& stroke : strokes) AppendStroke(stroke, inputs);
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
    WaitUntilProcessed(strokes, inputs.size());
}

}  // namespace win32
