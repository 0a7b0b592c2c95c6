#include "e2e/tapreel_app_e2e.h"

#include <commctrl.h>

#include <vector>

#include "common/win32/wide.h"
#include "e2e/support/program.h"
#include "tapreel/model/product.h"
#include "tapreel/ui/frmmain_layout.h"

namespace e2e {

std::unique_ptr<TapreelApp> TapreelApp::Start(const std::optional<std::string>& tableBytes) {
    std::unique_ptr<TapreelApp> app(new TapreelApp());
    const std::wstring& folder = app->folder_.Path();
    if (folder.empty()) return nullptr;
    if (tableBytes && !WriteWholeFile(app->TablePath(), *tableBytes)) return nullptr;
    std::wstring exe = folder + L"tapreel.exe";
    if (!CopyFileW((BinFolder() + L"tapreel.exe").c_str(), exe.c_str(), TRUE)) return nullptr;

    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &app->process_)) {
        return nullptr;
    }
    CloseHandle(app->process_.hThread);
    app->process_.hThread = nullptr;

    struct Search {
        DWORD processId;
        std::wstring title;
        HWND found;
    } search{app->process_.dwProcessId, win32::Wide(tapreel::kWindowTitle), nullptr};
    WaitUntil([&] {
        EnumWindows(
            [](HWND window, LPARAM param) -> BOOL {
                auto* s = reinterpret_cast<Search*>(param);
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner != s->processId || !IsWindowVisible(window) || WindowTitle(window) != s->title) return TRUE;
                s->found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    });
    app->window_ = search.found;
    if (!app->window_) return nullptr;
    return app;
}

TapreelApp::~TapreelApp() {
    if (!process_.hProcess) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hProcess);
}

std::optional<std::string> TapreelApp::TableBytes() const {
    if (GetFileAttributesW(TablePath().c_str()) == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return ReadWholeFile(TablePath());
}

std::string TapreelApp::Text(int id) const {
    HWND control = id == 0 ? window_ : Control(id);
    wchar_t buffer[512] = {};
    LRESULT length = SendMessageW(control, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer));
    return win32::Narrow(std::wstring_view(buffer, size_t(length > 0 ? length : 0)));
}

void TapreelApp::SetText(int id, const std::string& text) const {
    SendMessageW(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(win32::Wide(text).c_str()));
}

void TapreelApp::PostClick(int id) const {
    PostMessageW(window_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Control(id)));
}

HWND TapreelApp::List() const { return Control(tapreel::id::kListView1); }

int TapreelApp::RowCount() const { return int(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0)); }

bool TapreelApp::RemoteListMessage(UINT msg, WPARAM wParam, void* block, size_t size, size_t inputSize) const {
    HWND target = msg >= HDM_FIRST && msg < HDM_FIRST + 0x100 ? ListView_GetHeader(List()) : List();
    void* remote = VirtualAllocEx(process_.hProcess, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote) return false;
    bool ok = WriteProcessMemory(process_.hProcess, remote, block, inputSize, nullptr);
    ok = ok && SendMessageW(target, msg, wParam, reinterpret_cast<LPARAM>(remote)) != 0;
    ok = ok && ReadProcessMemory(process_.hProcess, remote, block, size, nullptr);
    VirtualFreeEx(process_.hProcess, remote, 0, MEM_RELEASE);
    return ok;
}

std::string TapreelApp::Cell(int row, int column) const {
    // The item record, with its text buffer right behind it, all in
    // Tapreel's memory; the record's text pointer points into that block.
    constexpr int kChars = 256;
    struct Block {
        LVITEMW item;
        wchar_t text[kChars];
    };
    void* remote = VirtualAllocEx(process_.hProcess, nullptr, sizeof(Block), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote) return {};
    Block block{};
    block.item.iSubItem = column - 1;
    block.item.cchTextMax = kChars;
    block.item.pszText = reinterpret_cast<Block*>(remote)->text;
    WriteProcessMemory(process_.hProcess, remote, &block, sizeof(block), nullptr);
    LRESULT length = SendMessageW(List(), LVM_GETITEMTEXTW, WPARAM(row), reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(process_.hProcess, remote, &block, sizeof(block), nullptr);
    VirtualFreeEx(process_.hProcess, remote, 0, MEM_RELEASE);
    if (length <= 0) return {};
    return win32::Narrow(std::wstring_view(block.text, size_t(length < kChars ? length : kChars - 1)));
}

bool TapreelApp::Checked(int row) const {
    UINT state = UINT(SendMessageW(List(), LVM_GETITEMSTATE, WPARAM(row), LVIS_STATEIMAGEMASK));
    return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

bool TapreelApp::Current(int row) const {
    constexpr UINT kMask = LVIS_FOCUSED | LVIS_SELECTED;
    return UINT(SendMessageW(List(), LVM_GETITEMSTATE, WPARAM(row), kMask)) == kMask;
}

std::vector<std::string> TapreelApp::Column(int column) const {
    std::vector<std::string> values;
    for (int row = 0; row < RowCount(); ++row) values.push_back(Cell(row, column));
    return values;
}

POINT TapreelApp::CellPoint(int row, int column) const {
    RECT rect{};
    rect.top = column - 1;
    rect.left = LVIR_BOUNDS;
    RemoteListMessage(LVM_GETSUBITEMRECT, WPARAM(row), &rect, sizeof(rect), sizeof(rect));
    POINT point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    if (column == 1) point.x = rect.left + 30;  // past the check box
    ClientToScreen(List(), &point);
    return point;
}

POINT TapreelApp::HeaderPoint(int column) const {
    RECT rect{};
    RemoteListMessage(HDM_GETITEMRECT, WPARAM(column - 1), &rect, sizeof(rect), sizeof(rect));
    POINT point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(ListView_GetHeader(List()), &point);
    return point;
}

std::optional<DWORD> TapreelApp::Close(uint32_t timeoutMs) {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

}  // namespace e2e
