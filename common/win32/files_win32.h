// The file system through the W functions. Paths are UTF-8 and use "\" (the
// system accepts "/" as well).
#pragma once

// Before the interface, so that the names that <windows.h> turns into macros
// (CopyFile, MoveFile, DeleteFile) read the same in every file that sees
// this class.
#include <windows.h>

#include "common/platform/files.h"

namespace win32 {

class Win32FileSystem : public platform::FileSystem {
public:
    bool FileExists(const std::string& path) override;
    std::optional<std::string> ReadFile(const std::string& path) override;
    bool WriteFileAtomic(const std::string& path, const std::string& bytes) override;
    bool AppendFile(const std::string& path, const std::string& bytes) override;
    // True when the folder exists afterwards, made now or before.
    bool CreateFolder(const std::string& path) override;
    std::vector<std::string> FindFiles(const std::string& pattern) override;
    bool CopyFile(const std::string& from, const std::string& to) override;
    bool MoveFile(const std::string& from, const std::string& to) override;
    bool DeleteFile(const std::string& path) override;
    std::string ProgramFolder() override;
};

}  // namespace win32
