// clipboard_memory_bench.exe [CYCLES] [BARE_CYCLES] (built from this file): the memory that clipboard
// tests of self-pasted text cost, on the real platform.
// - the program's own cycle, as a plan of 粘贴文字=x,y,mini and 比较文字=mini,0 runs it:
//   Win32Desktop::SetClipboardText("mini") then GetClipboardText(), CYCLES times (100 000);
// - the same Win32 calls bare, without the program's code, BARE_CYCLES times (20 000): they show
//   what the platform itself keeps per read of data the reading program placed.
// Prints the growth of the working set and of the private bytes every fifth of the run.
// Run under Wine: wine clipboard_memory_bench.exe
#include <windows.h>
// after windows.h, which it needs
#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <functional>
#include <optional>
#include <string>

#include "common/win32/desktop_win32.h"

namespace {

struct Memory {
    long long workingSet = 0;
    long long privateBytes = 0;
};

Memory Now() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters));
    return {(long long)counters.WorkingSetSize, (long long)counters.PrivateUsage};
}

// Runs the cycle, the first time outside the count so that everything it
// sets up once is there before the measure starts.
void Measure(const char* what, int cycles, const std::function<void()>& cycle) {
    cycle();
    const Memory start = Now();
    const DWORD startTick = GetTickCount();
    for (int i = 1; i <= cycles; ++i) {
        cycle();
        if (i % (cycles / 5 > 0 ? cycles / 5 : 1) != 0 && i != cycles) continue;
        const Memory now = Now();
        std::printf("%s, %6d cycles: working set %+8lld KB, private bytes %+8lld KB (%.0f bytes a cycle), %lu ms\n",
                    what, i, (now.workingSet - start.workingSet) / 1024, (now.privateBytes - start.privateBytes) / 1024,
                    double(now.workingSet - start.workingSet) / i, GetTickCount() - startTick);
    }
}

// The bare calls: place a text, read it back.
void BareCycle(HWND owner) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof(L"mini"));
    std::memcpy(GlobalLock(memory), L"mini", sizeof(L"mini"));
    GlobalUnlock(memory);
    OpenClipboard(owner);
    EmptyClipboard();
    if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
    CloseClipboard();
    OpenClipboard(owner);
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (data && GlobalLock(data)) GlobalUnlock(data);
    CloseClipboard();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int cycles = argc > 1 ? _wtoi(argv[1]) : 100000;
    const int bareCycles = argc > 2 ? _wtoi(argv[2]) : 20000;
    HWND owner = CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    win32::Win32Desktop desktop(owner);
    int mismatches = 0;
    Measure("the program's paste and clipboard test", cycles, [&] {
        desktop.SetClipboardText("mini");
        if (desktop.GetClipboardText() != std::optional<std::string>("mini")) ++mismatches;
    });
    std::printf("texts read back wrong: %d\n", mismatches);
    if (bareCycles > 0) Measure("the bare Win32 calls", bareCycles, [&] { BareCycle(owner); });
    return 0;
}
