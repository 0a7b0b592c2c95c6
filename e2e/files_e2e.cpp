// Win32FileSystem on the real file system: lookups that find ordinary files
// only, whole-file writes that replace atomically, appends, copies that
// replace, moves that refuse an existing target, and the program folder.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/win32/files_win32.h"
#include "common/win32/wide.h"
#include "e2e/support/program.h"
#include "e2e/support/temp_folder.h"

namespace {

class FilesTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(folder_.Path().empty()); }

    // Full path of a name in the folder, UTF-8.
    std::string Path(const std::wstring& name) const { return folder_.Utf8(name); }
    void Make(const std::wstring& name, const std::string& bytes, DWORD attributes = 0) {
        ASSERT_TRUE(e2e::WriteWholeFile(folder_.Path() + name, bytes));
        if (attributes) {
            ASSERT_TRUE(SetFileAttributesW((folder_.Path() + name).c_str(), attributes));
        }
    }
    std::vector<std::string> Sorted(std::vector<std::string> paths) const {
        std::sort(paths.begin(), paths.end());
        return paths;
    }

    e2e::TempFolder folder_;
    win32::Win32FileSystem files_;
};

TEST_F(FilesTest, FindFilesReturnsOrdinaryFilesOnly) {
    Make(L"a.txt", "a");
    Make(L"b.txt", "b");
    Make(L"c.csv", "c");
    Make(L"中文.txt", "zh");
    Make(L"hidden.txt", "h", FILE_ATTRIBUTE_HIDDEN);
    Make(L"system.txt", "s", FILE_ATTRIBUTE_SYSTEM);
    ASSERT_TRUE(CreateDirectoryW((folder_.Path() + L"folder.txt").c_str(), nullptr));

    struct Case {
        const wchar_t* pattern;
        std::vector<std::wstring> found;
    };
    const Case cases[] = {
        {L"*.txt", {L"a.txt", L"b.txt", L"中文.txt"}},
        {L"?.*", {L"a.txt", L"b.txt", L"c.csv"}},
        {L"c.csv", {L"c.csv"}},
        {L"中文.txt", {L"中文.txt"}},
        {L"hidden.txt", {}},
        {L"folder.txt", {}},
        {L"*.none", {}},
        {L"no such folder\\*.txt", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(win32::Narrow(c.pattern));
        std::vector<std::string> expected;
        for (const std::wstring& name : c.found) expected.push_back(Path(name));
        EXPECT_EQ(Sorted(files_.FindFiles(Path(c.pattern))), Sorted(expected));
    }
}

TEST_F(FilesTest, WriteFileAtomicReplacesTheWholeContent) {
    Make(L"plan.csv", "old content that is longer than the new one");
    std::string bytes("new\r\n\0bytes\xD6\xD0", 12);

    ASSERT_TRUE(files_.WriteFileAtomic(Path(L"plan.csv"), bytes));
    EXPECT_EQ(files_.ReadFile(Path(L"plan.csv")), bytes);
    // Nothing is left beside it.
    EXPECT_EQ(files_.FindFiles(Path(L"*")), std::vector<std::string>{Path(L"plan.csv")});

    ASSERT_TRUE(files_.WriteFileAtomic(Path(L"新的.csv"), ""));
    EXPECT_EQ(files_.ReadFile(Path(L"新的.csv")), "");
}

TEST_F(FilesTest, WriteFileAtomicFailsCleanly) {
    EXPECT_FALSE(files_.WriteFileAtomic(Path(L"missing\\plan.csv"), "x"));
    // A folder in the way: the temporary file is written, the rename fails,
    // and the temporary file is removed again.
    ASSERT_TRUE(CreateDirectoryW((folder_.Path() + L"plan.csv").c_str(), nullptr));
    EXPECT_FALSE(files_.WriteFileAtomic(Path(L"plan.csv"), "x"));
    EXPECT_TRUE(files_.FindFiles(Path(L"*")).empty());
}

TEST_F(FilesTest, ASaveRemovesTheTemporaryFilesThatKilledSavesOfTheSameFileLeft) {
    // Left by saves killed in the middle: ours, of this file, of processes
    // that are gone.
    const std::vector<std::wstring> stale = {L"lastplan.ini.~3.tmp", L"lastplan.ini.~12.tmp", L"LASTPLAN.INI.~7.TMP"};
    // Any other name is not ours to remove.
    const std::vector<std::wstring> kept = {L"lastplan.ini.~x.tmp",     L"lastplan.ini.~12.tmpx", L"other.ini.~3.tmp",
                                            L"lastplan.ini.~3.tmp.bak", L"lastplan.ini.~03.tmp",  L"lastplan.ini"};
    for (const std::wstring& name : stale) Make(name, "stale");
    for (const std::wstring& name : kept) Make(name, "kept");

    ASSERT_TRUE(files_.WriteFileAtomic(Path(L"lastplan.ini"), "saved"));
    std::vector<std::string> expected;
    for (const std::wstring& name : kept) expected.push_back(Path(name));
    EXPECT_EQ(Sorted(files_.FindFiles(Path(L"*"))), Sorted(expected));
    EXPECT_EQ(files_.ReadFile(Path(L"lastplan.ini")), "saved");
}

TEST_F(FilesTest, AppendFileCreatesThenAppends) {
    ASSERT_TRUE(files_.AppendFile(Path(L"日志.txt"), "one\r\n"));
    ASSERT_TRUE(files_.AppendFile(Path(L"日志.txt"), "two\r\n"));
    EXPECT_EQ(files_.ReadFile(Path(L"日志.txt")), "one\r\ntwo\r\n");
    EXPECT_FALSE(files_.AppendFile(Path(L"missing\\日志.txt"), "x"));
}

TEST_F(FilesTest, ReadFileAndFileExistsSeeOrdinaryFilesOnly) {
    Make(L"file.txt", "content");
    ASSERT_TRUE(CreateDirectoryW((folder_.Path() + L"folder").c_str(), nullptr));

    EXPECT_TRUE(files_.FileExists(Path(L"file.txt")));
    EXPECT_FALSE(files_.FileExists(Path(L"folder")));
    EXPECT_FALSE(files_.FileExists(Path(L"missing.txt")));
    // The system answers for a device as for a file; it is none.
    for (const char* device : {"CON", "nul", "con.ini", "COM1", "LPT1", "NUL.txt", "\\\\.\\NUL"}) {
        SCOPED_TRACE(device);
        EXPECT_FALSE(files_.FileExists(device));
        EXPECT_FALSE(files_.FileExists(Path(win32::Wide(device))));
    }
    EXPECT_EQ(files_.ReadFile(Path(L"file.txt")), "content");
    EXPECT_EQ(files_.ReadFile(Path(L"missing.txt")), std::nullopt);
    EXPECT_EQ(files_.ReadFile(Path(L"folder")), std::nullopt);
}

TEST_F(FilesTest, CopyReplacesWhileMoveRefusesAnExistingTarget) {
    Make(L"from.txt", "from");
    Make(L"to.txt", "to");

    EXPECT_FALSE(files_.MoveFile(Path(L"from.txt"), Path(L"to.txt")));
    EXPECT_EQ(files_.ReadFile(Path(L"from.txt")), "from");
    EXPECT_EQ(files_.ReadFile(Path(L"to.txt")), "to");

    EXPECT_TRUE(files_.CopyFile(Path(L"from.txt"), Path(L"to.txt")));
    EXPECT_EQ(files_.ReadFile(Path(L"to.txt")), "from");
    EXPECT_EQ(files_.ReadFile(Path(L"from.txt")), "from");

    EXPECT_TRUE(files_.MoveFile(Path(L"from.txt"), Path(L"移动.txt")));
    EXPECT_FALSE(files_.FileExists(Path(L"from.txt")));
    EXPECT_EQ(files_.ReadFile(Path(L"移动.txt")), "from");

    EXPECT_FALSE(files_.CopyFile(Path(L"missing.txt"), Path(L"copy.txt")));
    EXPECT_FALSE(files_.MoveFile(Path(L"missing.txt"), Path(L"moved.txt")));
}

TEST_F(FilesTest, DeleteFileAndCreateFolder) {
    Make(L"gone.txt", "x");
    EXPECT_TRUE(files_.DeleteFile(Path(L"gone.txt")));
    EXPECT_FALSE(files_.FileExists(Path(L"gone.txt")));
    EXPECT_FALSE(files_.DeleteFile(Path(L"gone.txt")));

    EXPECT_TRUE(files_.CreateFolder(Path(L"process")));
    EXPECT_TRUE(files_.CreateFolder(Path(L"process")));  // already there
    DWORD attributes = GetFileAttributesW((folder_.Path() + L"process").c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_FALSE(files_.CreateFolder(Path(L"missing\\process")));
    Make(L"file", "x");
    EXPECT_FALSE(files_.CreateFolder(Path(L"file")));  // a file of that name is not a folder
}

TEST_F(FilesTest, ProgramFolderIsTheExecutablesFolder) {
    std::string folder = files_.ProgramFolder();
    EXPECT_EQ(folder, win32::Narrow(e2e::BinFolder()));
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
}

}  // namespace
