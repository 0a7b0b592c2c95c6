#include "e2e/support/drop.h"

// after windows.h, which it needs
#include <shlobj.h>

namespace e2e {

bool DropFiles(HWND window, POINT screenPoint, const std::vector<std::wstring>& paths) {
    // The block: the header, then each path with its NUL, then one more NUL.
    POINT clientPoint = screenPoint;
    ScreenToClient(window, &clientPoint);
    DROPFILES header{};
    header.pFiles = sizeof(header);
    header.pt = clientPoint;
    header.fNC = FALSE;
    header.fWide = TRUE;
    std::wstring names;
    for (const std::wstring& path : paths) names += path + L'\0';
    names += L'\0';
    std::string block(reinterpret_cast<const char*>(&header), sizeof(header));
    block.append(reinterpret_cast<const char*>(names.data()), names.size() * sizeof(wchar_t));

    // A page of the receiving process stands for the HDROP: a fixed global
    // block is its own address, which is what DragQueryFile locks and reads.
    // The page stays for the life of that process.
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
    if (!process) return false;
    void* remote = VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    bool placed = remote && WriteProcessMemory(process, remote, block.data(), block.size(), nullptr);
    CloseHandle(process);
    return placed && PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
}

}  // namespace e2e
