#include "e2e/support/temp_folder.h"

#include <windows.h>

#include <atomic>

#include "common/win32/wide.h"

namespace e2e {

namespace {
std::atomic<int> g_folderCount{0};
// A program that has just exited may still hold its files for a moment.
constexpr int kRemoveAttempts = 20;
constexpr DWORD kRemoveRetryMs = 25;
}  // namespace

TempFolder::TempFolder() {
    wchar_t temp[MAX_PATH + 1] = {};
    DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH) return;
    std::wstring base = std::wstring(temp) + L"kestrun-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                        std::to_wstring(GetTickCount()) + L"-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::wstring candidate = base + std::to_wstring(++g_folderCount);
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            path_ = candidate + L"\\";
            return;
        }
    }
}

TempFolder::~TempFolder() {
    if (!path_.empty()) RemoveFolderTree(path_);
}

std::string TempFolder::Utf8(const std::wstring& name) const { return win32::Narrow(path_ + name); }

bool RemoveFolderTree(const std::wstring& folder) {
    std::wstring base = folder;
    if (!base.empty() && base.back() != L'\\') base += L'\\';
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((base + L"*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring path = base + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveFolderTree(path);
                continue;
            }
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            for (int attempt = 0; attempt < kRemoveAttempts && !DeleteFileW(path.c_str()); ++attempt) {
                Sleep(kRemoveRetryMs);
            }
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    return RemoveDirectoryW(base.c_str()) != 0;
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size();
    CloseHandle(file);
    return ok;
}

std::string ReadWholeFile(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string content;
    char buffer[4096];
    DWORD done = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &done, nullptr) && done > 0) content.append(buffer, done);
    CloseHandle(file);
    return content;
}

}  // namespace e2e
