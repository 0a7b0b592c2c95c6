// An in-memory file system with Windows rules, for the unit tests.
//
// Paths: "\" separates the parts ("/" is taken as "\" too, and repeated
// separators count as one), letters compare without regard to ASCII case,
// and every drive root ("C:") exists. A file or folder can only be made in a
// folder that exists, as on the real system; the test-side AddFile and
// AddFolder make the missing folders above them.
//
// "Ordinary" files, the only ones that FileExists and FindFiles see, are
// files that are neither hidden nor system. ReadFile, CopyFile and the other
// calls reach hidden files too, as the real calls do.
//
// Failure injection: FailWritesTo(path) makes the path behave like a file in
// use (it cannot be written, replaced, created, moved or deleted),
// FailReadsOf(path) makes it unreadable, and SetDiskFull(true) makes every
// write fail. A read-only file can be read, copied and moved, but not
// written, replaced or deleted. A write that fails leaves the old file as it
// was: WriteFileAtomic never leaves a partly written target or a temporary
// file behind.
//
// Every call that changes something is logged, whether it succeeds or not:
//   WriteFileAtomic C:\Kestrun\lastplan.ini
//   AppendFile C:\Kestrun\日志.txt
//   CreateFolder C:\Kestrun\process
//   CopyFile C:\a.txt -> C:\b.txt
//   MoveFile C:\a.txt -> C:\b.txt
//   DeleteFile C:\a.txt
// with " (failed)" appended when the call returned false.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "common/platform/files.h"

namespace fake {

struct FileFlags {
    bool readOnly = false;
    bool hidden = false;
    bool system = false;
};

class FakeFileSystem : public platform::FileSystem {
public:
    static constexpr const char* kDefaultProgramFolder = "C:\\Kestrun\\";

    // The program folder exists from the start.
    FakeFileSystem();

    // --- platform::FileSystem ---
    bool FileExists(const std::string& path) override;
    std::optional<std::string> ReadFile(const std::string& path) override;
    bool WriteFileAtomic(const std::string& path, const std::string& bytes) override;
    bool AppendFile(const std::string& path, const std::string& bytes) override;
    bool CreateFolder(const std::string& path) override;
    // Sorted by name, ignoring ASCII case, as the real lookup lists them.
    // "*" matches any run of characters, "?" exactly one, "*.*" every name;
    // wildcards count only in the last part of the pattern.
    std::vector<std::string> FindFiles(const std::string& pattern) override;
    bool CopyFile(const std::string& from, const std::string& to) override;
    bool MoveFile(const std::string& from, const std::string& to) override;
    bool DeleteFile(const std::string& path) override;
    std::string ProgramFolder() override { return programFolder_; }

    // --- For tests ---
    // Sets the program folder ("\" appended when missing) and makes it.
    void SetProgramFolder(const std::string& folder);
    void AddFolder(const std::string& path, FileFlags flags = {});
    // Adds or replaces a file, making the folders above it.
    void AddFile(const std::string& path, const std::string& bytes, FileFlags flags = {});
    // Changes the flags of an existing file or folder; false when none.
    bool SetFlags(const std::string& path, FileFlags flags);
    // The bytes of any file (hidden or not), nullopt when there is none.
    std::optional<std::string> Content(const std::string& path) const;
    bool FolderExists(const std::string& path) const;
    // Every file, as stored, in name order.
    std::vector<std::string> AllFiles() const;

    // Keeps only the end of a file that grows by appends, so that a test can
    // append for hours of virtual time (a run log of a million lines) in
    // bounded memory: once the file holds twice maxBytes, the older half is
    // dropped. At least the last maxBytes bytes are always there.
    void KeepTailOf(const std::string& path, size_t maxBytes);

    void FailWritesTo(const std::string& path);
    void FailReadsOf(const std::string& path);
    void SetDiskFull(bool full) { diskFull_ = full; }

    const std::vector<std::string>& Log() const { return log_; }
    void ClearLog() { log_.clear(); }

private:
    struct Entry {
        std::string path;  // as first written, separators normalised
        bool isFolder = false;
        std::string bytes;
        FileFlags flags;
    };

    const Entry* FindEntry(const std::string& path) const;
    Entry* FindEntry(const std::string& path);
    const Entry* FindFile(const std::string& path) const;
    bool ParentExists(const std::string& path) const;
    bool Writable(const std::string& path) const;
    void MakeFolders(const std::string& path);
    bool Logged(const std::string& line, bool result);

    std::map<std::string, Entry> entries_;  // by key: lower case, normalised
    std::set<std::string> failWrites_;
    std::set<std::string> failReads_;
    std::map<std::string, size_t> keptTails_;  // by key: the bytes kept of an appended file
    bool diskFull_ = false;
    std::string programFolder_;
    std::vector<std::string> log_;
};

}  // namespace fake
