#include "common/testing/fake_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace fake {
namespace {

using Paths = std::vector<std::string>;

TEST(FakeFileSystem, PathsIgnoreCaseAndSeparatorStyle) {
    FakeFileSystem files;
    EXPECT_EQ(files.ProgramFolder(), "C:\\Kestrun\\");
    EXPECT_TRUE(files.FolderExists("c:/kestrun"));
    files.AddFile("C:\\Kestrun\\Process\\Plan.csv", "x");
    EXPECT_TRUE(files.FileExists("c:\\KESTRUN\\process\\plan.CSV"));
    EXPECT_TRUE(files.FileExists("C:/Kestrun//process/plan.csv"));
    EXPECT_TRUE(files.FileExists("C:\\Kestrun\\\\process\\plan.csv"));
    EXPECT_TRUE(files.FolderExists("C:\\Kestrun\\process\\"));
    EXPECT_EQ(files.ReadFile("C:\\kestrun\\PROCESS\\PLAN.CSV"), "x");
    EXPECT_FALSE(files.FileExists("C:\\Kestrun\\process"));  // a folder is no file
}

TEST(FakeFileSystem, FindFilesMatchesWildcardsInTheLastPartOnly) {
    FakeFileSystem files;
    files.AddFile("C:\\d\\b.txt", "");
    files.AddFile("C:\\d\\A.TXT", "");
    files.AddFile("C:\\d\\ab.txt", "");
    files.AddFile("C:\\d\\readme", "");
    files.AddFile("C:\\d\\日志.txt", "");
    files.AddFile("C:\\d\\sub\\c.txt", "");
    files.AddFile("C:\\d\\secret.txt", "", {.hidden = true});
    files.AddFile("C:\\d\\boot.txt", "", {.system = true});
    files.AddFolder("C:\\d\\folder.txt");
    const struct {
        const char* pattern;
        Paths found;
    } cases[] = {
        {"C:\\d\\*.txt", {"C:\\d\\A.TXT", "C:\\d\\ab.txt", "C:\\d\\b.txt", "C:\\d\\日志.txt"}},
        {"c:\\D\\?.txt", {"c:\\D\\A.TXT", "c:\\D\\b.txt"}},
        {"C:\\d\\??.txt", {"C:\\d\\ab.txt", "C:\\d\\日志.txt"}},  // "?" is one character, not one byte
        {"C:\\d\\*.*", {"C:\\d\\A.TXT", "C:\\d\\ab.txt", "C:\\d\\b.txt", "C:\\d\\readme", "C:\\d\\日志.txt"}},
        {"C:\\d\\a*", {"C:\\d\\A.TXT", "C:\\d\\ab.txt"}},
        {"C:\\d\\*b*", {"C:\\d\\ab.txt", "C:\\d\\b.txt"}},
        {"C:\\d\\B.TXT", {"C:\\d\\b.txt"}},
        {"C:\\d\\secret.txt", {}},
        {"C:\\d\\boot.txt", {}},
        {"C:\\d\\folder.txt", {}},
        {"C:\\*\\b.txt", {}},
        {"C:\\d\\", {}},
        {"C:\\missing\\*", {}},
        {"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        EXPECT_EQ(files.FindFiles(c.pattern), c.found);
    }
}

TEST(FakeFileSystem, WritesNeedAnExistingFolderAndAWritableTarget) {
    FakeFileSystem files;
    EXPECT_FALSE(files.WriteFileAtomic("C:\\Kestrun\\process\\a.csv", "x"));
    EXPECT_TRUE(files.CreateFolder("C:\\Kestrun\\process"));
    EXPECT_FALSE(files.CreateFolder("C:\\Kestrun\\PROCESS"));  // it exists
    EXPECT_FALSE(files.CreateFolder("C:\\Kestrun\\a\\b"));     // its parent does not
    EXPECT_TRUE(files.WriteFileAtomic("C:\\Kestrun\\process\\a.csv", "x"));
    EXPECT_TRUE(files.AppendFile("C:\\Kestrun\\log.txt", "1"));
    EXPECT_TRUE(files.AppendFile("C:\\Kestrun\\LOG.txt", "2"));
    EXPECT_EQ(files.Content("C:\\Kestrun\\log.txt"), "12");
    EXPECT_EQ(files.Log(),
              (Paths{"WriteFileAtomic C:\\Kestrun\\process\\a.csv (failed)", "CreateFolder C:\\Kestrun\\process",
                     "CreateFolder C:\\Kestrun\\PROCESS (failed)", "CreateFolder C:\\Kestrun\\a\\b (failed)",
                     "WriteFileAtomic C:\\Kestrun\\process\\a.csv", "AppendFile C:\\Kestrun\\log.txt",
                     "AppendFile C:\\Kestrun\\LOG.txt"}));
}

TEST(FakeFileSystem, AFailedWriteLeavesTheOldFileWhole) {
    FakeFileSystem files;
    files.AddFile("C:\\Kestrun\\lastplan.ini", "old");
    files.FailWritesTo("c:\\kestrun\\LASTPLAN.INI");
    EXPECT_FALSE(files.WriteFileAtomic("C:\\Kestrun\\lastplan.ini", "new"));
    EXPECT_FALSE(files.AppendFile("C:\\Kestrun\\lastplan.ini", "more"));
    EXPECT_FALSE(files.DeleteFile("C:\\Kestrun\\lastplan.ini"));
    EXPECT_EQ(files.Content("C:\\Kestrun\\lastplan.ini"), "old");
    EXPECT_EQ(files.AllFiles(), Paths{"C:\\Kestrun\\lastplan.ini"});

    FakeFileSystem full;
    full.AddFile("C:\\Kestrun\\a.txt", "old");
    full.SetDiskFull(true);
    EXPECT_FALSE(full.WriteFileAtomic("C:\\Kestrun\\a.txt", "new"));
    EXPECT_FALSE(full.CopyFile("C:\\Kestrun\\a.txt", "C:\\Kestrun\\b.txt"));
    EXPECT_EQ(full.AllFiles(), Paths{"C:\\Kestrun\\a.txt"});
    EXPECT_EQ(full.ReadFile("C:\\Kestrun\\a.txt"), "old");
}

TEST(FakeFileSystem, ReadOnlyFilesCanBeReadCopiedAndMovedButNotChanged) {
    FakeFileSystem files;
    files.AddFile("C:\\r.txt", "r", {.readOnly = true});
    files.AddFile("C:\\w.txt", "w");
    EXPECT_EQ(files.ReadFile("C:\\r.txt"), "r");
    EXPECT_FALSE(files.WriteFileAtomic("C:\\r.txt", "x"));
    EXPECT_FALSE(files.AppendFile("C:\\r.txt", "x"));
    EXPECT_FALSE(files.DeleteFile("C:\\r.txt"));
    EXPECT_FALSE(files.CopyFile("C:\\w.txt", "C:\\r.txt"));
    EXPECT_TRUE(files.CopyFile("C:\\r.txt", "C:\\copy.txt"));
    EXPECT_TRUE(files.MoveFile("C:\\r.txt", "C:\\moved.txt"));
    EXPECT_EQ(files.AllFiles(), (Paths{"C:\\copy.txt", "C:\\moved.txt", "C:\\w.txt"}));
}

TEST(FakeFileSystem, CopyReplacesMoveRefusesAnExistingTarget) {
    FakeFileSystem files;
    files.AddFile("C:\\a.txt", "a");
    files.AddFile("C:\\b.txt", "b");
    EXPECT_FALSE(files.MoveFile("C:\\a.txt", "C:\\B.TXT"));
    EXPECT_TRUE(files.CopyFile("C:\\a.txt", "C:\\B.TXT"));
    EXPECT_EQ(files.Content("C:\\b.txt"), "a");
    EXPECT_FALSE(files.CopyFile("C:\\*.txt", "C:\\c.txt"));  // a pattern names no file
    EXPECT_FALSE(files.MoveFile("C:\\a.txt", "C:\\no\\a.txt"));
    EXPECT_TRUE(files.MoveFile("C:\\a.txt", "D:\\a.txt"));
    EXPECT_EQ(files.AllFiles(), (Paths{"C:\\b.txt", "D:\\a.txt"}));
    EXPECT_FALSE(files.DeleteFile("C:\\a.txt"));
}

TEST(FakeFileSystem, HiddenFilesAreNoOrdinaryFilesButCanBeRead) {
    FakeFileSystem files;
    files.AddFile("C:\\h.txt", "h", {.hidden = true});
    EXPECT_FALSE(files.FileExists("C:\\h.txt"));
    EXPECT_EQ(files.ReadFile("C:\\h.txt"), "h");
    files.FailReadsOf("C:\\h.txt");
    EXPECT_FALSE(files.ReadFile("C:\\h.txt"));
}

TEST(FakeFileSystem, AFileWithAKeptTailStaysBoundedAndEndsWithTheLastAppend) {
    FakeFileSystem files;
    files.KeepTailOf("C:\\Kestrun\\LOG.TXT", 10);
    std::string all;
    for (int i = 0; i < 1000; ++i) {
        std::string line = std::to_string(i) + ";";
        all += line;
        ASSERT_TRUE(files.AppendFile("C:\\Kestrun\\log.txt", line));
        std::string kept = *files.Content("C:\\Kestrun\\log.txt");
        ASSERT_GE(kept.size(), std::min<size_t>(all.size(), 10));
        ASSERT_LT(kept.size(), 20u);
        ASSERT_EQ(kept, all.substr(all.size() - kept.size()));
    }
    // Other files keep everything.
    files.AppendFile("C:\\Kestrun\\other.txt", all);
    EXPECT_EQ(files.Content("C:\\Kestrun\\other.txt"), all);
}

}  // namespace
}  // namespace fake
