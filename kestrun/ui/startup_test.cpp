#include "kestrun/ui/startup.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "common/testing/fake_desktop.h"
#include "common/testing/fake_dialogs.h"
#include "common/testing/fake_files.h"

namespace kestrun {
namespace {

const std::string kFolder = "C:\\Kestrun\\";
const std::string kIni = kFolder + "lastplan.ini";

class StartupTest : public testing::Test {
protected:
    std::string Gbk(const std::string& utf8) { return *codec_->Encode(utf8); }
    void Start(const std::string& argument = "") {
        StartUp(argument, model_, log_, files_, lists_, *codec_, [&] {
            // What a run sees when it starts: the rows and the options restored.
            runsStarted_.push_back(model_.Rows().empty() ? "(empty)" : model_.Rows().front());
        });
    }
    void AddPlan(const std::string& path, const std::string& utf8) { files_.AddFile(path, Gbk(utf8)); }

    fake::FakeFileSystem files_;
    fake::FakeDialogs dialogs_;
    fake::FakeDesktop desktop_;
    std::unique_ptr<text::AnsiCodec> codec_ = text::MakeSystemCodec();
    MainModel model_;
    RunLog log_{desktop_, files_, *codec_};
    ListManager lists_{model_, files_, dialogs_, desktop_, *codec_};
    std::vector<std::string> runsStarted_;
};

TEST_F(StartupTest, FixesPathsCounterAndFolders) {
    model_.SetCycleCounter(9);
    log_.SetEnabled(false);
    Start();
    EXPECT_EQ(model_.ProgramFolder(), kFolder);
    EXPECT_EQ(log_.Path(), "C:\\Kestrun\\日志.txt");
    EXPECT_TRUE(log_.Enabled());
    EXPECT_EQ(model_.CycleCounter(), 0);
    EXPECT_TRUE(files_.FolderExists(kFolder + "process"));
    EXPECT_TRUE(files_.FolderExists(kFolder + "screenshot"));
    EXPECT_FALSE(files_.FileExists(log_.Path()));  // the log is opened only when written
    EXPECT_TRUE(runsStarted_.empty());
    // Nothing to restore: the defaults stay.
    EXPECT_EQ(model_.TxtStartime(), "08:30");
    EXPECT_EQ(model_.TxtRound(), "");
}

TEST_F(StartupTest, ExistingFoldersAreNoConcern) {
    files_.AddFolder(kFolder + "Process");
    files_.AddFolder(kFolder + "ScreenShot");
    files_.AddFile(kIni, Gbk("结束关机=1\r\n"));
    Start();
    EXPECT_TRUE(model_.ChkShut());
}

TEST_F(StartupTest, ProgramFolderAtADriveRootGetsNoSecondBackslash) {
    files_.SetProgramFolder("C:\\");
    Start();
    EXPECT_EQ(model_.ProgramFolder(), "C:\\");
    EXPECT_EQ(log_.Path(), "C:\\日志.txt");
    EXPECT_EQ(WithTrailingBackslash("C:\\Tools"), "C:\\Tools\\");
    EXPECT_EQ(WithTrailingBackslash("D:\\"), "D:\\");
}

TEST_F(StartupTest, LastPlanIniRestoresPlanOptionsAndLists) {
    AddPlan(kFolder + "process\\a.csv", "'粘贴列表文件: C:\\p.txt\r\n\r\n粘贴文字=1,1,列表\r\n\r\n");
    files_.AddFile("C:\\p.txt", "from plan\r\n");
    files_.AddFile("C:\\u.txt", "http://u\r\n");
    files_.AddFile("C:\\p2.txt", "from ini\r\n");
    files_.AddFile(kIni, Gbk("方案文件=C:\\Kestrun\\process\\a.csv\r\n定时执行=1\r\n定时时间=9:15\r\n循环次数=3\r\n"
                             "结束关机=1\r\n网址列表=C:\\u.txt\r\n粘贴列表=C:\\p2.txt\r\n"));
    Start();
    EXPECT_EQ(model_.Rows(), (std::vector<std::string>{"粘贴文字=1,1,列表"}));
    EXPECT_EQ(model_.SelectedRow(), -1);
    EXPECT_TRUE(model_.ChkDingshi());
    EXPECT_EQ(model_.TxtStartime(), "9:15");
    EXPECT_EQ(model_.TxtRound(), "3");
    EXPECT_TRUE(model_.ChkShut());
    EXPECT_EQ(model_.UrlListPath(), "C:\\u.txt");
    EXPECT_EQ(model_.UrlEntries(), (std::deque<std::string>{"http://u"}));
    // The paste list line comes after the plan, so its file replaces the plan's.
    EXPECT_EQ(model_.PasteListPath(), "C:\\p2.txt");
    EXPECT_EQ(model_.PasteEntries(), (std::deque<std::string>{"from ini"}));
    EXPECT_EQ(model_.CurrentPlanPath(), "");  // a restored plan is not an export
    EXPECT_TRUE(runsStarted_.empty());
}

TEST_F(StartupTest, ValueConditions) {
    const struct {
        const char* line;
        std::string txtRound;
        bool dingshi;
        bool shut;
        std::string startTime;
    } cases[] = {
        {"循环次数=0", "", false, false, "08:30"},      {"循环次数=", "", false, false, "08:30"},
        {"循环次数=abc", "", false, false, "08:30"},    {"循环次数=-2", "", false, false, "08:30"},
        {"循环次数=5次", "5次", false, false, "08:30"}, {"循环次数= 7", " 7", false, false, "08:30"},
        {"循环次数=0.5", "0.5", false, false, "08:30"}, {"定时执行=1", "", true, false, "08:30"},
        {"定时执行=2", "", false, false, "08:30"},      {"定时执行=yes", "", false, false, "08:30"},
        {"定时执行= 1", "", false, false, "08:30"},     {"结束关机=1", "", false, true, "08:30"},
        {"结束关机=2", "", false, false, "08:30"},      {"结束关机=1.0", "", false, false, "08:30"},
        {"定时时间=25:99", "", false, false, "25:99"},  // taken unchecked
        {"定时时间=", "", false, false, "08:30"},       {"   结束关机=1   ", "", false, true, "08:30"},
        {"结束关机啊=1", "", false, true, "08:30"},  // only the first four characters count
        {"结束关机", "", false, false, "08:30"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        model_ = MainModel();
        files_.AddFile(kIni, Gbk(c.line));
        Start();
        EXPECT_EQ(model_.TxtRound(), c.txtRound);
        EXPECT_EQ(model_.ChkDingshi(), c.dingshi);
        EXPECT_EQ(model_.ChkShut(), c.shut);
        EXPECT_EQ(model_.TxtStartime(), c.startTime);
    }
}

TEST_F(StartupTest, RepeatedKeysApplyAgainAndBadLinesAreSkipped) {
    files_.AddFile("C:\\u1.txt", "one\r\n");
    files_.AddFile("C:\\u2.txt", "two\r\n");
    files_.AddFile(kIni, Gbk("循环次数=3\r\n循环次数=0\r\nnonsense\r\n循环次数=8\r\n网址列表=C:\\u1.txt\r\n"
                             "网址列表=C:\\none.txt\r\n网址列表=C:\\u2.txt\r\n"));
    Start();
    EXPECT_EQ(model_.TxtRound(), "8");
    EXPECT_EQ(model_.UrlListPath(), "C:\\u2.txt");
    EXPECT_EQ(model_.UrlEntries(), (std::deque<std::string>{"two"}));
}

TEST_F(StartupTest, PlanPathCutAtASecondEqualsSignLoadsNothing) {
    AddPlan("C:\\a=b.csv", "等待时间=1\r\n");
    files_.AddFile(kIni, Gbk("方案文件=C:\\a=b.csv\r\n"));
    Start();
    EXPECT_EQ(model_.RowCount(), 0);
}

TEST_F(StartupTest, PlanLineRecognisedWithSpacesOrExtraCharactersBeforeTheEquals) {
    AddPlan("C:\\x.csv", "等待时间=1\r\n");
    for (const char* line : {"   方案文件=C:\\x.csv", "方案文件路径=C:\\x.csv"}) {
        SCOPED_TRACE(line);
        model_ = MainModel();
        files_.AddFile(kIni, Gbk(line));
        Start();
        EXPECT_EQ(model_.Rows(), (std::vector<std::string>{"等待时间=1"}));
    }
}

TEST_F(StartupTest, ListPathIsRememberedEvenWhenItsFileHasNoEntries) {
    files_.AddFile("C:\\blank.txt", "\r\n");
    files_.AddFile(kIni, Gbk("粘贴列表=C:\\blank.txt\r\n"));
    Start();
    EXPECT_EQ(model_.PasteListPath(), "C:\\blank.txt");
    EXPECT_TRUE(model_.PasteEntries().empty());
    EXPECT_EQ(model_.CmbPasteText(), "测试文字");
}

TEST_F(StartupTest, UnreadableIniRestoresNothingSilently) {
    files_.AddFile(kIni, Gbk("结束关机=1\r\n"));
    files_.FailReadsOf(kIni);
    Start();
    EXPECT_FALSE(model_.ChkShut());
    EXPECT_TRUE(dialogs_.Shown().empty());
}

TEST_F(StartupTest, SettingsFileOnTheCommandLineRestoresAndStartsARun) {
    AddPlan("D:\\plans\\job.csv", "鼠标点击=1,1,左键单击\r\n等待时间=5\r\n");
    files_.AddFile("D:\\job settings.ini", Gbk("方案文件=D:\\plans\\job.csv\r\n定时执行=1\r\n定时时间=7:00\r\n"
                                               "循环次数=2\r\n结束关机=1\r\n"));
    files_.AddFile(kIni, Gbk("循环次数=99\r\n"));
    Start("D:\\job settings.ini");
    EXPECT_EQ(runsStarted_, (std::vector<std::string>{"鼠标点击=1,1,左键单击"}));
    EXPECT_EQ(model_.TxtRound(), "2");
    EXPECT_TRUE(model_.ChkShut());
    EXPECT_FALSE(model_.ChkDingshi());  // not a key of a command-line settings file
    EXPECT_EQ(model_.TxtStartime(), "08:30");
}

TEST_F(StartupTest, ExitWhenDoneHoldsOnlyForOneInACommandLineFile) {
    const struct {
        std::string argument;
        std::string line;
        bool exits;
    } cases[] = {
        {"C:\\run.ini", "结束退出=1", true},
        {"C:\\run.ini", " 结束退出=1 ", true},
        {"C:\\run.ini", "结束退出=0", false},
        {"C:\\run.ini", "结束退出=yes", false},
        {"", "结束退出=1", false},  // lastplan.ini knows no such key
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.argument + " " + c.line);
        model_ = MainModel();
        files_.AddFile(c.argument.empty() ? kIni : c.argument, Gbk(c.line + "\r\n"));
        Start(c.argument);
        EXPECT_EQ(model_.ExitWhenRunStops(), c.exits);
    }
}

TEST_F(StartupTest, CommandLineStartsARunEvenWhenNothingApplied) {
    files_.AddFile("C:\\empty.ini", "");
    Start("C:\\empty.ini");
    EXPECT_EQ(runsStarted_, (std::vector<std::string>{"(empty)"}));
}

TEST_F(StartupTest, CommandLineNamingNoFileRestoresNothingAndRunsNothing) {
    files_.AddFile(kIni, Gbk("循环次数=99\r\n"));
    Start("C:\\missing.ini");
    EXPECT_TRUE(runsStarted_.empty());
    EXPECT_EQ(model_.TxtRound(), "");
    EXPECT_EQ(log_.Path(), "C:\\Kestrun\\日志.txt");  // the paths are fixed all the same
    // The whole argument names the file, spaces and quotes included.
    files_.AddFile("C:\\s.ini", "");
    Start(" C:\\s.ini");
    Start("\"C:\\s.ini\"");
    EXPECT_TRUE(runsStarted_.empty());
}

// --- Close-down ---

TEST_F(StartupTest, CloseDownWithoutAnExportLeavesTheFileAlone) {
    files_.AddFile(kIni, "old");
    Start();
    model_.SetChkShut(true);
    lists_.LoadPlanFile("C:\\none.csv");
    files_.ClearLog();
    EXPECT_FALSE(CloseDown(model_, files_, *codec_));
    EXPECT_EQ(files_.Content(kIni), "old");
    EXPECT_TRUE(files_.Log().empty());
}

TEST_F(StartupTest, CloseDownAfterAnExportWritesTheSevenLines) {
    Start();
    dialogs_.AnswerInputBox("x");
    lists_.Export();
    files_.ClearLog();
    EXPECT_TRUE(CloseDown(model_, files_, *codec_));
    EXPECT_EQ(files_.Log(), std::vector<std::string>{"WriteFileAtomic " + kIni});
    EXPECT_EQ(files_.Content(kIni), Gbk("方案文件=C:\\Kestrun\\process\\x.csv\r\n定时执行=0\r\n定时时间=08:30\r\n"
                                        "循环次数=\r\n结束关机=0\r\n网址列表=\r\n粘贴列表=\r\n"));
}

TEST_F(StartupTest, OptionsSurviveARestart) {
    files_.AddFile("C:\\u.txt", "http://u\r\n");
    Start();
    model_.SetRows({"打开网址=列表"});
    lists_.LoadUrlListFile("C:\\u.txt");
    model_.SetChkDingshi(true);
    model_.SetTxtStartime("6:05");
    model_.SetTxtRound("4次");
    dialogs_.AnswerInputBox("keep");
    lists_.Export();
    ASSERT_TRUE(CloseDown(model_, files_, *codec_));

    model_ = MainModel();
    Start();
    EXPECT_EQ(model_.Rows(), (std::vector<std::string>{"打开网址=列表"}));
    EXPECT_EQ(model_.UrlEntries(), (std::deque<std::string>{"http://u"}));
    EXPECT_TRUE(model_.ChkDingshi());
    EXPECT_EQ(model_.TxtStartime(), "6:05");
    EXPECT_EQ(model_.TxtRound(), "4次");
    EXPECT_FALSE(model_.ChkShut());
}

TEST_F(StartupTest, FailedCloseDownWriteKeepsTheOldFileWhole) {
    files_.AddFile(kIni, "old settings");
    Start();
    model_.SetCurrentPlanPath("C:\\Kestrun\\process\\x.csv");
    files_.SetDiskFull(true);
    EXPECT_FALSE(CloseDown(model_, files_, *codec_));
    EXPECT_EQ(files_.Content(kIni), "old settings");
    EXPECT_TRUE(dialogs_.Shown().empty());
}

// Settings files no program wrote: NUL bytes, bytes that are no GBK
// character, a value of ten megabytes and numbers far beyond 32 bits. Lines
// that cannot be used are skipped; the others still apply.
TEST_F(StartupTest, ExtremeSettingsFilesRestoreWhatTheyCan) {
    const std::string nul("\0", 1);
    files_.AddFile(kIni, Gbk("定时时间=") + nul + "8:30\r\n\x81\x30\xFF=1\r\n" + Gbk("循环次数=") +
                             "99999999999999999999999999\r\n" + Gbk("网址列表=") + std::string(10 << 20, 'u') + "\r\n" +
                             Gbk("结束关机=1") + "\r\n");
    Start();
    EXPECT_EQ(model_.TxtStartime(), nul + "8:30");
    EXPECT_EQ(model_.TxtRound(), "99999999999999999999999999");
    EXPECT_TRUE(model_.UrlListPath().empty()) << "a path of ten megabytes names no file";
    EXPECT_TRUE(model_.ChkShut());
}
}  // namespace
}  // namespace kestrun
