// A save that is killed at any instant leaves the old file or the new one,
// whole: the programs write to a temporary file beside the target and rename
// it over the old one. writer.exe saves two contents by turns through that
// same code, and the test kills it at random moments. The temporary files
// that the kills leave go at the next save.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/win32/files_win32.h"
#include "common/win32/wide.h"
#include "e2e/support/program.h"
#include "e2e/support/temp_folder.h"
#include "e2e/writer/contents.h"

namespace {

TEST(InterruptedSaveTest, KilledSavesLeaveTheOldOrTheNewFileWhole) {
    e2e::TempFolder folder;
    std::wstring path = folder.Path() + L"plan.csv";
    const std::string a = e2e::SavedContent(0);
    const std::string b = e2e::SavedContent(1);
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> delay(40, 200);
    int sawA = 0, sawB = 0;
    for (int round = 0; round < 30; ++round) {
        auto writer = e2e::Program::Start(L"writer.exe", L"\"" + path + L"\"");
        ASSERT_TRUE(writer);
        Sleep(DWORD(delay(random)));
        writer->Kill();
        writer->WaitForExit(2000);
        std::string content = e2e::ReadWholeFile(path);
        SCOPED_TRACE(round);
        if (content.empty()) continue;  // killed before the first save finished
        ASSERT_TRUE(content == a || content == b) << "a killed save left " << content.size() << " bytes";
        (content == a ? sawA : sawB)++;
    }
    EXPECT_GT(sawA + sawB, 0) << "no save finished in any round";

    // The temporary files that killed saves left are removed by the next
    // save of the same file.
    win32::Win32FileSystem files;
    ASSERT_TRUE(files.WriteFileAtomic(win32::Narrow(path), a));
    EXPECT_EQ(files.FindFiles(win32::Narrow(folder.Path() + L"*")), std::vector<std::string>{win32::Narrow(path)});
}

}  // namespace
