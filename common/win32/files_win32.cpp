#include "common/win32/files_win32.h"

#include <windows.h>

#include <algorithm>
#include <optional>

#include "common/platform/file_names.h"
#include "common/win32/wide.h"

namespace win32 {
namespace {

// Reads of more than this are refused: the programs' files are small, and a
// huge file picked by mistake must not exhaust the memory.
constexpr LONGLONG kMaxReadBytes = 512LL * 1024 * 1024;
// WriteFile takes a 32-bit count, so long contents go in pieces.
constexpr size_t kWriteChunk = 1 << 24;

// The folder part of a path or pattern, ending in its separator; empty when
// it names no folder.
std::wstring FolderOf(const std::wstring& path) {
    size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
}

bool WriteAll(HANDLE file, const std::string& bytes) {
    size_t written = 0;
    while (written < bytes.size()) {
        DWORD piece = DWORD(std::min(bytes.size() - written, kWriteChunk));
        DWORD done = 0;
        if (!::WriteFile(file, bytes.data() + written, piece, &done, nullptr) || done != piece) return false;
        written += done;
    }
    return true;
}

bool IsRunningProcess(DWORD processId) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (!process) return false;
    bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}

// Removes the temporary files that saves of the target by programs killed in
// the middle left beside it. Only names of exactly the form a save writes
// are touched; the file of a program still running is left to it.
void RemoveStaleTemporaries(const std::wstring& target) {
    const std::wstring folder = FolderOf(target);
    const std::string targetName = Narrow(target.substr(folder.size()));
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((target + L".~*.tmp").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        std::optional<uint32_t> owner = platform::TemporaryFileOwner(targetName, Narrow(entry.cFileName));
        if (!owner || *owner == GetCurrentProcessId() || IsRunningProcess(*owner)) continue;
        ::DeleteFileW((folder + entry.cFileName).c_str());
    } while (FindNextFileW(search, &entry));
    FindClose(search);
}

}  // namespace

bool Win32FileSystem::FileExists(const std::string& path) {
    // The system answers for a device name as for a file that is there.
    if (platform::IsDeviceName(path)) return false;
    DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> Win32FileSystem::ReadFile(const std::string& path) {
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::optional<std::string> result;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size) && size.QuadPart <= kMaxReadBytes) {
        std::string bytes(size_t(size.QuadPart), '\0');
        DWORD done = 0;
        // A file that shrank meanwhile gives what is there.
        if (bytes.empty() || ::ReadFile(file, bytes.data(), DWORD(bytes.size()), &done, nullptr)) {
            bytes.resize(done);
            result = std::move(bytes);
        }
    }
    CloseHandle(file);
    return result;
}

bool Win32FileSystem::WriteFileAtomic(const std::string& path, const std::string& bytes) {
    // The temporary file lies in the target's folder, so the final rename
    // never crosses a volume and replaces the target in one step.
    std::wstring target = Wide(path);
    std::wstring temporary = Wide(platform::TemporaryPathFor(path, GetCurrentProcessId()));
    HANDLE file =
        CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool written = WriteAll(file, bytes) && FlushFileBuffers(file);
    CloseHandle(file);
    if (written && MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        RemoveStaleTemporaries(target);
        return true;
    }
    ::DeleteFileW(temporary.c_str());
    return false;
}

bool Win32FileSystem::AppendFile(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileW(Wide(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool written = WriteAll(file, bytes);
    CloseHandle(file);
    return written;
}

bool Win32FileSystem::CreateFolder(const std::string& path) {
    std::wstring folder = Wide(path);
    if (CreateDirectoryW(folder.c_str(), nullptr)) return true;
    DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> Win32FileSystem::FindFiles(const std::string& pattern) {
    std::vector<std::string> found;
    std::wstring widePattern = Wide(pattern);
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(widePattern.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return found;
    std::wstring folder = FolderOf(widePattern);
    constexpr DWORD kSkipped = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
        if (entry.dwFileAttributes & kSkipped) continue;
        found.push_back(Narrow(folder + entry.cFileName));
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return found;
}

bool Win32FileSystem::CopyFile(const std::string& from, const std::string& to) {
    return ::CopyFileW(Wide(from).c_str(), Wide(to).c_str(), FALSE) != 0;
}

bool Win32FileSystem::MoveFile(const std::string& from, const std::string& to) {
    // Without MOVEFILE_REPLACE_EXISTING an existing target makes the move fail.
    return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_COPY_ALLOWED) != 0;
}

bool Win32FileSystem::DeleteFile(const std::string& path) { return ::DeleteFileW(Wide(path).c_str()) != 0; }

std::string Win32FileSystem::ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);  // truncated: try a larger buffer
    }
    std::wstring folder = FolderOf(path);
    if (folder.empty() || folder.back() != L'\\') folder += L'\\';
    return Narrow(folder);
}

}  // namespace win32
