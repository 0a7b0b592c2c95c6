#include "e2e/support/target_window.h"

#include "common/text/lines.h"
#include "common/text/number.h"
#include "common/text/utf8.h"
#include "common/win32/wide.h"

namespace e2e {

std::unique_ptr<TargetWindow> TargetWindow::Start(const TargetOptions& options) {
    const RECT& r = options.rect;
    std::wstring arguments = L"--title \"" + options.title + L"\" --log target.log --rect " + std::to_wstring(r.left) +
                             L"," + std::to_wstring(r.top) + L"," + std::to_wstring(r.right - r.left) + L"," +
                             std::to_wstring(r.bottom - r.top);
    for (const std::wstring& paint : options.paints) arguments += L" --paint " + paint;
    if (options.popup) arguments += L" --popup";
    if (options.times) arguments += L" --times";

    std::unique_ptr<TargetWindow> target(new TargetWindow());
    target->program_ = Program::Start(L"target.exe", arguments, options.showCommand);
    if (!target->program_) return nullptr;
    // The log is relative to the program folder, which is the target's
    // current folder.
    // The READY line carries the window handle: "READY <hwnd> <left> <top>".
    if (!target->WaitForLogPrefix("READY ")) return nullptr;
    std::vector<std::string> ready = text::Split(target->LogLinesFrom("READY ").front(), " ");
    std::optional<double> handle = ready.size() == 4 ? text::StrictNumber(ready[1]) : std::nullopt;
    if (!handle) return nullptr;
    target->window_ = reinterpret_cast<HWND>(uintptr_t(*handle));
    target->edit_ = FindWindowExW(target->window_, nullptr, L"EDIT", nullptr);
    return target;
}

POINT TargetWindow::ScreenPoint(int clientX, int clientY) const {
    POINT point{clientX, clientY};
    ClientToScreen(window_, &point);
    return point;
}

std::vector<std::string> TargetWindow::LogLines() const { return text::SplitLines(ReadWholeFile(LogPath())); }

bool TargetWindow::WaitForLogLine(const std::string& line, uint32_t timeoutMs) const {
    return WaitUntil(
        [&] {
            for (const std::string& logged : LogLines()) {
                if (logged == line) return true;
            }
            return false;
        },
        timeoutMs);
}

bool TargetWindow::WaitForLogPrefix(const std::string& prefix, uint32_t timeoutMs) const {
    return WaitUntil([&] { return !LogLinesFrom(prefix).empty(); }, timeoutMs);
}

std::vector<std::string> TargetWindow::LogLinesFrom(const std::string& prefix) const {
    std::vector<std::string> lines = LogLines();
    for (size_t i = 0; i < lines.size(); ++i) {
        if (text::StartsWith(lines[i], prefix)) return {lines.begin() + long(i), lines.end()};
    }
    return {};
}

std::string TargetWindow::EditText() const {
    // WM_GETTEXT is marshalled across processes; GetWindowTextW would only
    // read the control's creation caption.
    LRESULT length = SendMessageW(edit_, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(size_t(length > 0 ? length : 0) + 1, L'\0');
    LRESULT copied = SendMessageW(edit_, WM_GETTEXT, WPARAM(text.size()), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? size_t(copied) : 0);
    return win32::Narrow(text);
}

bool TargetWindow::Focus() const {
    return BringToFront(window_, [&] { return SetForegroundWindow(window_) != 0; });
}

std::optional<DWORD> TargetWindow::Close() { return program_->Close(window_); }

bool BringToFront(HWND window, const std::function<bool()>& activate) {
    return ActUntil([&] { activate(); }, [&] { return GetForegroundWindow() == window; });
}

}  // namespace e2e
