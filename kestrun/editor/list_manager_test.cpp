#include "kestrun/editor/list_manager.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "kestrun/editor/list_manager_fixture.h"
#include "kestrun/script/bmp_file.h"

namespace kestrun {
namespace {

namespace mb = platform::mb;
using fake::DialogKind;
using fake::ShownDialog;

const std::string kDefaultName = "方案20260101120000";  // the fake desktop's clock starts at 2026-01-01 12:00:00

class ListManagerTest : public ListManagerFixture {
protected:
    // A bitmap file of the given colour where loading a plan named base looks for number n.
    void AddBitmapFile(const std::string& base, int n, const platform::Image& image) {
        files_.AddFile(kFolder + "screenshot\\" + base + std::to_string(n) + ".bmp", EncodeBmp(image));
    }
};

// --- Moving ---

TEST_F(ListManagerTest, MoveUpAndDown) {
    const struct {
        const char* name;
        bool up;
        int selected;
        std::vector<std::string> rows;
        int selectedAfter;
        std::vector<int> clicks;  // rows selected as by a click
    } cases[] = {
        {"up from the middle", true, 1, {"b", "a", "c"}, 0, {0}},
        {"up from the last", true, 2, {"a", "c", "b"}, 1, {1}},
        {"up from the first removes the selection", true, 0, {"a", "b", "c"}, -1, {-1}},
        {"up with nothing selected", true, -1, {"a", "b", "c"}, -1, {}},
        {"down from the first", false, 0, {"b", "a", "c"}, 1, {1}},
        {"down from the middle", false, 1, {"a", "c", "b"}, 2, {2}},
        {"down from the last keeps the selection", false, 2, {"a", "b", "c"}, 2, {}},
        {"down with nothing selected", false, -1, {"a", "b", "c"}, -1, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        model_.SetRows({"a", "b", "c"});
        model_.SetSelection(c.selected);
        std::vector<int> clicks;
        lists_.rowClick = [&](int row) {
            clicks.push_back(row);
            model_.SetSelection(row);
        };
        lists_.CmdListManger(c.up ? 0 : 1);
        EXPECT_EQ(model_.Rows(), c.rows);
        EXPECT_EQ(model_.SelectedRow(), c.selectedAfter);
        EXPECT_EQ(clicks, c.clicks);
    }
}

TEST_F(ListManagerTest, MovingABitmapTestLineKeepsItsEntry) {
    model_.SetRows({"比较位图=1,0,0,0", "比较位图=2,0,0,0"});
    AddEntry(1, 0x111111);
    AddEntry(2, 0x222222);
    model_.SetSelection(1);
    lists_.MoveUp();
    EXPECT_EQ(model_.Rows(), (std::vector<std::string>{"比较位图=2,0,0,0", "比较位图=1,0,0,0"}));
    EXPECT_EQ(EntryColour(1), 0x111111);
    EXPECT_EQ(EntryColour(2), 0x222222);
}

// --- Delete and clear ---

TEST_F(ListManagerTest, DeleteAsksFirstAndNoKeepsEverything) {
    model_.SetRows({"比较位图=1,0,0,0"});
    AddEntry(1, 0x111111);
    model_.SetSelection(0);
    lists_.CmdListManger(2);  // no answer queued: the box is closed, which is No
    EXPECT_EQ(dialogs_.Shown(), std::vector<ShownDialog>{MessageBoxShown("  你真的要删除当前指令吗？   ",
                                                                         mb::kYesNo | mb::kIconInformation)});
    EXPECT_EQ(model_.RowCount(), 1);
    EXPECT_EQ(EntryNumbers(), (std::vector<int>{1}));
}

TEST_F(ListManagerTest, DeletingABitmapTestLineRemovesOnlyItsEntry) {
    model_.SetRows({"比较位图=1,0,0,0", "比较位图=2,0,0,0", "比较位图=3,0,0,0"});
    AddEntry(1, 1);
    AddEntry(2, 2);
    AddEntry(3, 3);
    model_.SetSelection(1);
    dialogs_.AnswerMessageBox(mb::kIdYes);
    lists_.Delete();
    EXPECT_EQ(model_.Rows(), (std::vector<std::string>{"比较位图=1,0,0,0", "比较位图=3,0,0,0"}));
    EXPECT_EQ(EntryNumbers(), (std::vector<int>{1, 3}));
    EXPECT_EQ(model_.SelectedRow(), -1);
    EXPECT_EQ(model_.HighestBitmapNumber() + 1, 4);  // the next bitmap test composed gets 4
}

TEST_F(ListManagerTest, DeleteReadsTheBitmapNumberOfTheLine) {
    const struct {
        const char* line;
        std::vector<int> entriesLeft;
    } cases[] = {
        {"比较位图=2,0,0,0", {1, 3}},         {"比较位图=2", {1, 3}},
        {"比较位图=2.5,0,0,0", {1, 3}},                                       // half to even
        {"比较位图= 3 ,0,0,0", {1, 2}},       {"比较位图x=1,0,0,0", {2, 3}},  // only the first four characters count
        {"比较位图=0,0,0,0", {1, 2, 3}},      {"比较位图=-1,0,0,0", {1, 2, 3}},
        {"比较位图=abc,0,0,0", {1, 2, 3}},    {"比较位图=65537,0,0,0", {1, 2, 3}},
        {"比较位图=7,0,0,0", {1, 2, 3}},  // no such entry
        {"鼠标点击=2,2,左键单击", {1, 2, 3}}, {"比较文字=2,1", {1, 2, 3}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        model_.EditBitmaps([](auto& bitmaps) { bitmaps.clear(); });
        AddEntry(1, 1);
        AddEntry(2, 2);
        AddEntry(3, 3);
        model_.SetRows({"等待时间=1", c.line});
        model_.SetSelection(1);
        dialogs_.AnswerMessageBox(mb::kIdYes);
        lists_.Delete();
        EXPECT_EQ(model_.Rows(), (std::vector<std::string>{"等待时间=1"}));
        EXPECT_EQ(EntryNumbers(), c.entriesLeft);
    }
}

TEST_F(ListManagerTest, DeleteWithNothingSelectedRemovesNothing) {
    model_.SetRows({"a", "b"});
    dialogs_.AnswerMessageBox(mb::kIdYes);
    lists_.Delete();
    EXPECT_EQ(dialogs_.Shown().size(), 1u);
    EXPECT_EQ(model_.Rows(), (std::vector<std::string>{"a", "b"}));
}

TEST_F(ListManagerTest, ClearRemovesLinesAndBitmapsButNotListsOrPlanPath) {
    model_.SetRows({"比较位图=1,0,0,0", "粘贴文字=1,1,列表"});
    AddEntry(1, 1);
    AddEntry(5, 5);
    model_.SetPasteList({"x"}, "列表");
    model_.SetUrlList({"u"}, "列表");
    model_.SetPasteListPath("C:\\p.txt");
    model_.SetUrlListPath("C:\\u.txt");
    model_.SetCurrentPlanPath("C:\\Kestrun\\process\\a.csv");

    lists_.Clear();  // No
    EXPECT_EQ(model_.RowCount(), 2);
    dialogs_.AnswerMessageBox(mb::kIdYes);
    lists_.CmdListManger(3);

    const ShownDialog expectedBox = MessageBoxShown("  你真的要清空所有指令吗？  ", mb::kYesNo | mb::kIconInformation);
    EXPECT_EQ(dialogs_.Shown(), (std::vector<ShownDialog>{expectedBox, expectedBox}));
    EXPECT_EQ(model_.RowCount(), 0);
    EXPECT_TRUE(model_.Bitmaps().empty());
    EXPECT_EQ(model_.HighestBitmapNumber() + 1, 1);  // the next bitmap test composed gets 1
    EXPECT_EQ(model_.PasteEntries(), (std::deque<std::string>{"x"}));
    EXPECT_EQ(model_.UrlEntries(), (std::deque<std::string>{"u"}));
    EXPECT_EQ(model_.PasteListPath(), "C:\\p.txt");
    EXPECT_EQ(model_.UrlListPath(), "C:\\u.txt");
    EXPECT_EQ(model_.CurrentPlanPath(), "C:\\Kestrun\\process\\a.csv");
}

// --- Import ---

TEST_F(ListManagerTest, ImportAsksForAPlanFileAndLoadsIt) {
    files_.AddFile(kPlanFolder + "p.csv", Gbk("等待时间=1\r\n\r\n"));
    dialogs_.AnswerFileChooser(kPlanFolder + "p.csv");
    lists_.CmdListManger(4);
    ShownDialog expected;
    expected.kind = DialogKind::kFileChooser;
    expected.title = "请选择文件";
    expected.initialFolder = "C:\\Kestrun\\process\\";
    expected.filter = "方案文件 (*.csv;*.csv)";
    EXPECT_EQ(dialogs_.Shown(), std::vector<ShownDialog>{expected});
    EXPECT_EQ(model_.Rows(), (std::vector<std::string>{"等待时间=1"}));
    EXPECT_EQ(model_.CurrentPlanPath(), "");  // an import is not remembered

    model_.SetRows({"keep"});
    lists_.Import();  // cancelled
    EXPECT_EQ(model_.Rows(), (std::vector<std::string>{"keep"}));
}

// --- Export ---

TEST_F(ListManagerTest, ExportingAnEmptyListWritesCrLfAlone) {
    EXPECT_TRUE(lists_.Export());
    ShownDialog box;
    box.kind = DialogKind::kInputBox;
    box.text = "  请输入方案文件名";
    box.title = "方案保存";
    box.defaultAnswer = kDefaultName;
    EXPECT_EQ(dialogs_.Shown(), std::vector<ShownDialog>{box});
    const std::string path = kPlanFolder + kDefaultName + ".csv";
    EXPECT_EQ(files_.Content(path), "\r\n");
    EXPECT_EQ(model_.CurrentPlanPath(), path);
    EXPECT_EQ(files_.Log(),
              (std::vector<std::string>{"CreateFolder C:\\Kestrun\\process", "CreateFolder C:\\Kestrun\\screenshot",
                                        "WriteFileAtomic " + path}));
}

TEST_F(ListManagerTest, ExportMakesTheFoldersAndIgnoresThatTheyExist) {
    files_.AddFolder(kFolder + "process");
    files_.AddFolder(kFolder + "screenshot");
    dialogs_.AnswerInputBox("a");
    EXPECT_TRUE(lists_.Export());
    EXPECT_EQ(files_.Log(), (std::vector<std::string>{"CreateFolder C:\\Kestrun\\process (failed)",
                                                      "CreateFolder C:\\Kestrun\\screenshot (failed)",
                                                      "WriteFileAtomic C:\\Kestrun\\process\\a.csv"}));
}

TEST_F(ListManagerTest, CancelledNameSavesUnderTheDefaultOfThatMoment) {
    // The user keeps the box open for three seconds, then cancels.
    dialogs_.WhileOpen([&](const ShownDialog&) { desktop_.Clock().RunFor(3000); });
    lists_.Export();
    EXPECT_EQ(dialogs_.Shown().at(0).defaultAnswer, kDefaultName);
    EXPECT_EQ(model_.CurrentPlanPath(), kPlanFolder + "方案20260101120003.csv");
    EXPECT_TRUE(files_.Content(kPlanFolder + "方案20260101120003.csv"));
}

TEST_F(ListManagerTest, DefaultNameTwiceInOneSecondReplacesTheFirst) {
    model_.SetRows({"等待时间=1"});
    lists_.Export();
    model_.SetRows({"等待时间=2"});
    lists_.Export();
    const std::string path = kPlanFolder + kDefaultName + ".csv";
    EXPECT_EQ(files_.Content(path), Gbk("等待时间=2\r\n\r\n"));
}

TEST_F(ListManagerTest, ExportWritesTheHeaderOnlyForListsInUse) {
    const struct {
        const char* name;
        std::vector<std::string> rows;
        std::vector<std::string> pasteEntries;
        std::vector<std::string> urlEntries;
        std::string expected;  // as UTF-8; encoded before comparing
    } cases[] = {
        {"paste text is not a list", {"粘贴文字=100,100,测试文字"}, {"x"}, {"u"}, "粘贴文字=100,100,测试文字\r\n\r\n"},
        {"random list word",
         {"粘贴文字=100,100,随机列表"},
         {"x"},
         {},
         "'粘贴列表文件: C:\\p.txt\r\n\r\n粘贴文字=100,100,随机列表\r\n\r\n"},
        {"both lists, paste first",
         {"打开网址=列表", "粘贴文字=100,100,列表"},
         {"x"},
         {"u"},
         "'粘贴列表文件: C:\\p.txt\r\n'网址列表文件: D:\\u.txt\r\n\r\n打开网址=列表\r\n粘贴文字=100,100,列表\r\n\r\n"},
        {"URL list only", {"打开网址=列表"}, {"x"}, {"u"}, "'网址列表文件: D:\\u.txt\r\n\r\n打开网址=列表\r\n\r\n"},
        {"list word but no entries",
         {"打开网址=列表", "粘贴文字=1,1,列表"},
         {},
         {},
         "打开网址=列表\r\n粘贴文字=1,1,列表\r\n\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        model_.SetRows(c.rows);
        model_.SetPasteList(c.pasteEntries, "列表");
        model_.SetUrlList(c.urlEntries, "列表");
        model_.SetPasteListPath("C:\\p.txt");
        model_.SetUrlListPath("D:\\u.txt");
        dialogs_.AnswerInputBox("h");
        lists_.Export();
        EXPECT_EQ(files_.Content(kPlanFolder + "h.csv"), Gbk(c.expected));
    }
}

TEST_F(ListManagerTest, ExportHeaderBytesAreGbk) {
    model_.SetRows({"鼠标点击=100,100,左键单击", "粘贴文字=100,100,列表"});
    model_.SetPasteList({"x"}, "列表");
    model_.SetPasteListPath("C:\\p.txt");
    dialogs_.AnswerInputBox("g");
    lists_.Export();
    EXPECT_EQ(files_.Content(kPlanFolder + "g.csv"),
              "'\xD5\xB3\xCC\xF9\xC1\xD0\xB1\xED\xCE\xC4\xBC\xFE: C:\\p.txt\r\n"
              "\r\n"
              "\xCA\xF3\xB1\xEA\xB5\xE3\xBB\xF7=100,100,\xD7\xF3\xBC\xFC\xB5\xA5\xBB\xF7\r\n"
              "\xD5\xB3\xCC\xF9\xCE\xC4\xD7\xD6=100,100,\xC1\xD0\xB1\xED\r\n"
              "\r\n");
}

TEST_F(ListManagerTest, ExportWritesEveryEntryAsABitmapNamedByItsNumber) {
    model_.SetRows({"比较位图=1,0,0,0", "比较位图=3,0,0,0"});
    AddEntry(1, 0x0000FF);
    AddEntry(3, 0x00FF00);
    dialogs_.AnswerInputBox("a.csv");
    lists_.Export();
    EXPECT_TRUE(files_.Content(kPlanFolder + "a.csv.csv"));
    EXPECT_EQ(files_.Content(kFolder + "ScreenShot\\a.csv1.bmp"), EncodeBmp(Filled(0x0000FF)));
    EXPECT_EQ(files_.Content(kFolder + "ScreenShot\\a.csv3.bmp"), EncodeBmp(Filled(0x00FF00)));
    EXPECT_FALSE(files_.Content(kFolder + "ScreenShot\\a.csv2.bmp"));
    // Every file is saved whole or not at all.
    for (const std::string& line : files_.Log()) {
        EXPECT_TRUE(line.rfind("WriteFileAtomic ", 0) == 0 || line.rfind("CreateFolder ", 0) == 0) << line;
    }
}

TEST_F(ListManagerTest, ExportWithoutBitmapTestLinesWritesNoBitmaps) {
    model_.SetRows({"鼠标点击=1,1,左键单击"});
    AddEntry(1, 1);
    dialogs_.AnswerInputBox("n");
    lists_.Export();
    EXPECT_EQ(files_.AllFiles(), std::vector<std::string>{kPlanFolder + "n.csv"});
}

TEST_F(ListManagerTest, PlanThatCannotBeWrittenIsReportedAndNotRemembered) {
    files_.AddFile(kPlanFolder + "old.csv", "old plan");
    files_.AddFile(kFolder + "screenshot\\old1.bmp", "old bitmap");
    files_.FailWritesTo(kPlanFolder + "old.csv");
    model_.SetRows({"比较位图=1,0,0,0"});
    AddEntry(1, 1);
    model_.SetCurrentPlanPath("C:\\Kestrun\\process\\before.csv");
    dialogs_.AnswerInputBox("old");
    EXPECT_FALSE(lists_.Export());

    const ShownDialog& box = dialogs_.Shown().back();
    EXPECT_EQ(box.kind, DialogKind::kMessageBox);
    EXPECT_EQ(box.title, "提示");
    EXPECT_EQ(box.flags, mb::kOk | mb::kIconExclamation);
    EXPECT_EQ(box.text, "方案未能保存：C:\\Kestrun\\process\\old.csv\r\n" + std::string(kReasonWriteFailed));
    EXPECT_EQ(model_.CurrentPlanPath(), "C:\\Kestrun\\process\\before.csv");
    // The older plan and its bitmaps stay as they were, whole.
    EXPECT_EQ(files_.Content(kPlanFolder + "old.csv"), "old plan");
    EXPECT_EQ(files_.Content(kFolder + "screenshot\\old1.bmp"), "old bitmap");
}

TEST_F(ListManagerTest, NameAFileCannotHoldIsReportedWithItsReason) {
    files_.SetDiskFull(true);  // the fake takes any name; the write fails all the same
    dialogs_.AnswerInputBox("a?b");
    EXPECT_FALSE(lists_.Export());
    EXPECT_EQ(dialogs_.Shown().back().text,
              "方案未能保存：C:\\Kestrun\\process\\a?b.csv\r\n" + std::string(kReasonBadName));
    EXPECT_EQ(model_.CurrentPlanPath(), "");
}

TEST_F(ListManagerTest, BitmapThatCannotBeWrittenIsReported) {
    model_.SetRows({"比较位图=1,0,0,0", "比较位图=2,0,0,0"});
    AddEntry(1, 1);
    AddEntry(2, 2);
    files_.FailWritesTo(kFolder + "ScreenShot\\b2.bmp");
    dialogs_.AnswerInputBox("b");
    EXPECT_TRUE(lists_.Export());
    EXPECT_EQ(model_.CurrentPlanPath(), kPlanFolder + "b.csv");
    EXPECT_TRUE(files_.Content(kFolder + "ScreenShot\\b1.bmp"));
    EXPECT_EQ(dialogs_.Shown().back().text,
              "方案已保存，但以下位图文件未能保存：\r\nC:\\Kestrun\\ScreenShot\\b2.bmp\r\n" +
                  std::string(kReasonWriteFailed));
}

// --- List files ---

TEST_F(ListManagerTest, ListFileLoadSetsEntriesTextAndPath) {
    files_.AddFile("C:\\l\\p.txt", Gbk(" 甲 \r\n\r\n乙,丙\r\n"));
    files_.AddFile("C:\\l\\u.txt", "http://a\rhttp://b\r\n");
    lists_.LoadPasteListFile("C:\\l\\p.txt");
    lists_.LoadUrlListFile("C:\\l\\u.txt");
    EXPECT_EQ(model_.PasteEntries(), (std::deque<std::string>{"甲", "乙,丙"}));
    EXPECT_EQ(model_.CmbPasteText(), "列表");
    EXPECT_EQ(model_.PasteListPath(), "C:\\l\\p.txt");
    EXPECT_EQ(model_.UrlEntries(), (std::deque<std::string>{"http://a", "http://b"}));
    EXPECT_EQ(model_.CmbUrlText(), "列表");
    EXPECT_EQ(model_.UrlListPath(), "C:\\l\\u.txt");
}

TEST_F(ListManagerTest, ListFileWithOnlyEmptyLinesEmptiesTheBoxButKeepsTextAndPath) {
    model_.SetPasteList({"old"}, "测试文字");
    model_.SetPasteListPath("C:\\old.txt");
    files_.AddFile("C:\\blank.txt", "\r\n   \r\n");
    lists_.LoadPasteListFile("C:\\blank.txt");
    EXPECT_TRUE(model_.PasteEntries().empty());
    EXPECT_EQ(model_.CmbPasteText(), "测试文字");
    EXPECT_EQ(model_.PasteListPath(), "C:\\old.txt");

    model_.SetUrlList({"old"}, "http://x");
    lists_.LoadUrlListFile("C:\\blank.txt");
    EXPECT_TRUE(model_.UrlEntries().empty());
    EXPECT_EQ(model_.CmbUrlText(), "http://x");
    EXPECT_EQ(model_.UrlListPath(), "");
}

TEST_F(ListManagerTest, ListFileThatCannotBeReadChangesNothing) {
    model_.SetPasteList({"old"}, "列表");
    files_.AddFile("C:\\locked.txt", "new\r\n");
    files_.FailReadsOf("C:\\locked.txt");
    lists_.LoadPasteListFile("C:\\locked.txt");
    lists_.LoadPasteListFile("C:\\missing.txt");
    EXPECT_EQ(model_.PasteEntries(), (std::deque<std::string>{"old"}));
}

}  // namespace
}  // namespace kestrun
