// The file system as the programs use it. Paths are UTF-8 with "\" as the
// separator on Windows. Every call that fails returns false or nullopt.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual bool FileExists(const std::string& path) = 0;  // an ordinary file
    virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
    // Writes the whole content to a temporary file in the same folder and
    // renames it over the target, so the target is always old or new, whole.
    virtual bool WriteFileAtomic(const std::string& path, const std::string& bytes) = 0;
    virtual bool AppendFile(const std::string& path, const std::string& bytes) = 0;
    virtual bool CreateFolder(const std::string& path) = 0;
    // Ordinary files matching a name or pattern with "*" and "?" (hidden and
    // system files and folders are skipped): the full paths found.
    virtual std::vector<std::string> FindFiles(const std::string& pattern) = 0;
    virtual bool CopyFile(const std::string& from, const std::string& to) = 0;  // replaces
    virtual bool MoveFile(const std::string& from, const std::string& to) = 0;  // fails if target exists
    virtual bool DeleteFile(const std::string& path) = 0;
    // The folder of the running executable, ending in "\".
    virtual std::string ProgramFolder() = 0;
};

}  // namespace platform
