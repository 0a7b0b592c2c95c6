#include "kestrun/ui/record_hook_win32.h"

namespace kestrun {

namespace {

// The one hook of the program: a low-level hook procedure has no context
// argument, so it finds its recorder here.
RecordHook* g_installed = nullptr;
Modrecord* g_recorder = nullptr;

}  // namespace

bool RecordHook::Install() {
    if (hook_) return true;
    hook_ = SetWindowsHookExW(WH_MOUSE_LL, Procedure, GetModuleHandleW(nullptr), 0);
    if (!hook_) return false;
    g_installed = this;
    g_recorder = &recorder_;
    return true;
}

void RecordHook::Remove() {
    if (!hook_) return;
    UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
    if (g_installed == this) {
        g_installed = nullptr;
        g_recorder = nullptr;
    }
}

LRESULT CALLBACK RecordHook::Procedure(int code, WPARAM message, LPARAM record) {
    if (code == HC_ACTION && g_recorder) {
        const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(record);
        LowLevelMouseEvent event;
        event.message = uint32_t(message);
        event.point = {int(info->pt.x), int(info->pt.y)};
        event.mouseData = uint32_t(info->mouseData);
        event.flags = uint32_t(info->flags);
        event.time = uint32_t(info->time);
        event.extraInfo = uintptr_t(info->dwExtraInfo);
        // No exception may cross into the system's hook chain.
        try {
            if (g_recorder->RecordHookProc(event) == HookResult::kSkipNextHook) return 0;
        } catch (...) {
        }
    }
    return CallNextHookEx(nullptr, code, message, record);
}

}  // namespace kestrun
