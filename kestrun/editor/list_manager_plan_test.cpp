// Loading plans, and plans saved and loaded again.

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "kestrun/editor/list_manager_fixture.h"
#include "kestrun/script/bmp_file.h"

namespace kestrun {
namespace {

namespace mb = platform::mb;

class PlanLoadTest : public ListManagerFixture {
protected:
    void AddPlan(const std::string& name, const std::string& utf8) {
        files_.AddFile(kPlanFolder + name + ".csv", Gbk(utf8));
    }
    void AddBitmapFile(const std::string& base, int n, const platform::Image& image) {
        files_.AddFile(kFolder + "ScreenShot\\" + base + std::to_string(n) + ".bmp", EncodeBmp(image));
    }
    void Load(const std::string& name) { lists_.LoadPlanFile(kPlanFolder + name + ".csv"); }
    void ExportAs(const std::string& name) {
        dialogs_.AnswerInputBox(name);
        ASSERT_TRUE(lists_.Export());
    }
    void ClearAll() {
        dialogs_.AnswerMessageBox(mb::kIdYes);
        lists_.Clear();
    }
};

TEST_F(PlanLoadTest, MissingOrUnreadablePlanLeavesTheListAlone) {
    model_.SetRows({"keep"});
    AddEntry(1, 1);
    lists_.LoadPlanFile("");
    lists_.LoadPlanFile(kPlanFolder + "none.csv");
    AddPlan("locked", "等待时间=1\r\n");
    files_.FailReadsOf(kPlanFolder + "locked.csv");
    Load("locked");
    EXPECT_EQ(model_.Rows(), (std::vector<std::string>{"keep"}));
    EXPECT_EQ(EntryNumbers(), (std::vector<int>{1}));
}

TEST_F(PlanLoadTest, LoadKeepsTrimmedInstructionLinesAndSelectsNone) {
    model_.SetRows({"old"});
    model_.SetSelection(0);
    AddEntry(4, 4);
    AddPlan("p",
            "' written by hand\r\n"
            "\r\n"
            "    鼠标点击=100,100,左键单击   \r\n"
            "   \r\n"
            "  ' another note\r\n"
            "等待时间=5000\r\n"
            "\r\n");
    Load("p");
    EXPECT_EQ(model_.Rows(), (std::vector<std::string>{"鼠标点击=100,100,左键单击", "等待时间=5000"}));
    EXPECT_EQ(model_.SelectedRow(), -1);
    EXPECT_TRUE(model_.Bitmaps().empty());
}

TEST_F(PlanLoadTest, HeaderLoadsTheListFilesItNames) {
    files_.AddFile("D:\\lists\\p.txt", Gbk("甲\r\n乙\r\n"));
    files_.AddFile("D:\\lists\\u.txt", "http://a\r\n");
    AddPlan("h", "'粘贴列表文件: D:\\lists\\p.txt\r\n'网址列表文件: D:\\lists\\u.txt\r\n\r\n打开网址=列表\r\n\r\n");
    Load("h");
    EXPECT_EQ(model_.Rows(), (std::vector<std::string>{"打开网址=列表"}));
    EXPECT_EQ(model_.PasteEntries(), (std::deque<std::string>{"甲", "乙"}));
    EXPECT_EQ(model_.PasteListPath(), "D:\\lists\\p.txt");
    EXPECT_EQ(model_.UrlEntries(), (std::deque<std::string>{"http://a"}));
    EXPECT_EQ(model_.CmbUrlText(), "列表");
    EXPECT_EQ(model_.UrlListPath(), "D:\\lists\\u.txt");
}

TEST_F(PlanLoadTest, HeaderNamingNoFileKeepsTheEntries) {
    model_.SetUrlList({"kept"}, "列表");
    model_.SetUrlListPath("C:\\old.txt");
    AddPlan("h", "'网址列表文件: D:\\gone.txt\r\n'网址列表文件: \r\n\r\n打开网址=列表\r\n\r\n");
    Load("h");
    EXPECT_EQ(model_.UrlEntries(), (std::deque<std::string>{"kept"}));
    EXPECT_EQ(model_.UrlListPath(), "C:\\old.txt");
}

TEST_F(PlanLoadTest, EachEntryComesFromTheFileOfTheNumberInItsLine) {
    AddBitmapFile("b", 1, Filled(0x000001));
    AddBitmapFile("b", 2, Filled(0x000002));
    AddBitmapFile("b", 5, Filled(0x000005));
    AddPlan("b", "比较位图=5,0,0,0\r\n比较位图=2,0,0,0\r\n鼠标点击=1,1,左键单击\r\n比较位图=1,0,0,0\r\n\r\n");
    Load("b");
    EXPECT_EQ(EntryNumbers(), (std::vector<int>{1, 2, 5}));
    EXPECT_EQ(EntryColour(1), 1);
    EXPECT_EQ(EntryColour(2), 2);
    EXPECT_EQ(EntryColour(5), 5);
    // The lines keep their own texts.
    EXPECT_EQ(model_.Row(0), "比较位图=5,0,0,0");
}

TEST_F(PlanLoadTest, MissingOrDamagedBitmapLeavesABlankImageAndTheLoadGoesOn) {
    AddBitmapFile("d", 2, Filled(0x000002));
    files_.AddFile(kFolder + "screenshot\\d1.bmp", "not a bitmap");
    AddPlan("d", "比较位图=1,0,0,0\r\n比较位图=3,0,0,0\r\n比较位图=2,0,0,0\r\n等待时间=1\r\n");
    Load("d");
    EXPECT_EQ(model_.RowCount(), 4);
    EXPECT_EQ(EntryNumbers(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(model_.Bitmaps().at(1).reference, BitmapEntry().reference);
    EXPECT_EQ(model_.Bitmaps().at(3).reference, BitmapEntry().reference);
    EXPECT_EQ(EntryColour(2), 2);
    for (const int n : {1, 2, 3}) EXPECT_EQ(model_.Bitmaps().at(n).hasReference, n == 2) << n;
}

TEST_F(PlanLoadTest, BitmapOfAnotherSizeIsPlacedAtTheTopLeft) {
    platform::Image big = Filled(0x000007, 50, 30);
    big.Set(39, 0, 0x0000AA);
    AddBitmapFile("s", 1, big);
    AddBitmapFile("s", 2, Filled(0x000008, 10, 10));
    AddPlan("s", "比较位图=1,0,0,0\r\n比较位图=2,0,0,0\r\n");
    Load("s");
    const platform::Image& first = model_.Bitmaps().at(1).reference;
    EXPECT_EQ(first.width, 40);
    EXPECT_EQ(first.height, 40);
    EXPECT_EQ(first.At(39, 0), 0x0000AA);
    EXPECT_EQ(first.At(0, 29), 7);
    EXPECT_EQ(first.At(0, 30), 0xFFFFFF);  // below the picture: blank
    const platform::Image& second = model_.Bitmaps().at(2).reference;
    EXPECT_EQ(second.At(9, 9), 8);
    EXPECT_EQ(second.At(10, 10), 0xFFFFFF);
}

TEST_F(PlanLoadTest, LinesWithoutANumberOfTheirOwnGetEntriesAboveAllNumbersInThePlan) {
    const struct {
        const char* name;
        std::string plan;
        std::vector<int> entries;
    } cases[] = {
        {"no number, then a line that carries 2", "比较位图=abc,0,0,0\r\n比较位图=2,0,0,0\r\n", {2, 3}},
        {"no number, then a line that carries 1", "比较位图=abc,0,0,0\r\n比较位图=1,0,0,0\r\n", {1, 2}},
        {"repeated number", "比较位图=1,0,0,0\r\n比较位图=1,0,0,0\r\n", {1, 2}},
        {"zero, negative, too large", "比较位图=0\r\n比较位图=-4\r\n比较位图=40000\r\n比较位图=3\r\n", {3, 4, 5, 6}},
        {"gap kept", "比较位图=1,0,0,0\r\n比较位图=3,0,0,0\r\n", {1, 3}},
        {"highest possible", "比较位图=32767\r\n", {32767}},
        {"nothing beyond 32767", "比较位图=x\r\n比较位图=32767\r\n比较位图=32767\r\n", {32767}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (int n : {1, 2, 3, 4, 5, 6}) AddBitmapFile("f", n, Filled(n));
        AddPlan("f", c.plan);
        Load("f");
        EXPECT_EQ(EntryNumbers(), c.entries);
        // Whatever made an entry, it holds the image saved under its own number.
        for (int n : EntryNumbers()) {
            if (n <= 6) {
                EXPECT_EQ(EntryColour(n), n) << n;
            }
        }
    }
}

TEST_F(PlanLoadTest, PlanNamedLikeACsvFileFindsItsBitmaps) {
    model_.SetRows({"比较位图=1,0,0,0"});
    AddEntry(1, 0x123456);
    ExportAs("a.csv");
    ClearAll();
    lists_.LoadPlanFile(kPlanFolder + "a.csv.csv");
    EXPECT_EQ(model_.Rows(), (std::vector<std::string>{"比较位图=1,0,0,0"}));
    EXPECT_EQ(EntryColour(1), 0x123456);
}

// --- Saved and loaded again ---

TEST_F(PlanLoadTest, SavedPlanComesBackWithItsLinesBitmapsAndListFiles) {
    files_.AddFile("C:\\lists\\paste.txt", Gbk("一\r\n二\r\n"));
    files_.AddFile("C:\\lists\\urls.txt", "http://a\r\nhttp://b\r\n");
    lists_.LoadPasteListFile("C:\\lists\\paste.txt");
    lists_.LoadUrlListFile("C:\\lists\\urls.txt");
    const std::vector<std::string> rows = {
        "比较位图=2,10,10,1",
        "粘贴文字=100,100,列表",
        "打开网址=列表",
        "比较位图=1,20,20,0",
        "模拟按键=^a",
        "粘贴文字=1,1,\xF0\x9F\x98\x80",  // a character GBK cannot hold
        "等待位图=3,5,5,100,0",           // the bitmap wait and search share the numbering
        "查找位图=4,0,0,90,90,0,0",
    };
    model_.SetRows(rows);
    AddEntry(1, 0x010101);
    AddEntry(2, 0x020202);
    AddEntry(3, 0x030303);
    AddEntry(4, 0x040404);
    model_.EditBitmaps([&](auto& bitmaps) { bitmaps[2].reference.Set(5, 6, 0x00ABCD); });
    const std::map<int, BitmapEntry> saved = model_.Bitmaps();
    ExportAs("rt");

    // Empty everything, then load the plan as start-up or import would.
    ClearAll();
    model_.SetPasteList({}, "");
    model_.SetUrlList({}, "");
    model_.SetPasteListPath("");
    model_.SetUrlListPath("");
    Load("rt");

    EXPECT_EQ(model_.Rows(), rows);
    ASSERT_EQ(EntryNumbers(), (std::vector<int>{1, 2, 3, 4}));
    for (const auto& [n, entry] : saved) EXPECT_EQ(model_.Bitmaps().at(n).reference, entry.reference) << n;
    EXPECT_EQ(model_.PasteListPath(), "C:\\lists\\paste.txt");
    EXPECT_EQ(model_.UrlListPath(), "C:\\lists\\urls.txt");
    EXPECT_EQ(model_.PasteEntries(), (std::deque<std::string>{"一", "二"}));
    EXPECT_EQ(model_.UrlEntries(), (std::deque<std::string>{"http://a", "http://b"}));
    // Saved again, the plan file is the same, byte for byte.
    const std::string first = *files_.Content(kPlanFolder + "rt.csv");
    ExportAs("rt");
    EXPECT_EQ(files_.Content(kPlanFolder + "rt.csv"), first);
}

TEST_F(PlanLoadTest, DeletingAMiddleBitmapTestLineThenSavingKeepsEachLineOnItsImage) {
    model_.SetRows({"比较位图=1,0,0,0", "比较位图=2,0,0,0", "等待时间=1", "比较位图=3,0,0,0"});
    AddEntry(1, 0x0000AA);
    AddEntry(2, 0x0000BB);
    AddEntry(3, 0x0000CC);
    model_.SetSelection(1);
    dialogs_.AnswerMessageBox(mb::kIdYes);
    lists_.Delete();
    ExportAs("del");
    EXPECT_FALSE(files_.Content(kFolder + "ScreenShot\\del2.bmp"));

    ClearAll();
    Load("del");
    EXPECT_EQ(model_.Rows(), (std::vector<std::string>{"比较位图=1,0,0,0", "等待时间=1", "比较位图=3,0,0,0"}));
    EXPECT_EQ(EntryNumbers(), (std::vector<int>{1, 3}));
    EXPECT_EQ(EntryColour(1), 0x0000AA);
    EXPECT_EQ(EntryColour(3), 0x0000CC);

    // A new test composed now gets 4; saved and loaded, it keeps its own image too.
    model_.AddRow("比较位图=4,0,0,0");
    AddEntry(model_.HighestBitmapNumber() + 1, 0x0000DD);
    ExportAs("del");
    ClearAll();
    Load("del");
    EXPECT_EQ(EntryNumbers(), (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(EntryColour(4), 0x0000DD);
}

TEST_F(PlanLoadTest, MovedBitmapTestLinesKeepTheirImagesAfterSaving) {
    model_.SetRows({"比较位图=1,0,0,0", "比较位图=2,0,0,0"});
    AddEntry(1, 0x0000AA);
    AddEntry(2, 0x0000BB);
    model_.SetSelection(1);
    lists_.MoveUp();
    ExportAs("mv");
    ClearAll();
    Load("mv");
    EXPECT_EQ(model_.Rows(), (std::vector<std::string>{"比较位图=2,0,0,0", "比较位图=1,0,0,0"}));
    EXPECT_EQ(EntryColour(1), 0x0000AA);
    EXPECT_EQ(EntryColour(2), 0x0000BB);
}

// Plans no editor writes: NUL bytes, bytes that are no GBK character, a line
// of ten megabytes and a million lines all load whole, and each later line
// still loads as it stands.
TEST_F(PlanLoadTest, ExtremePlansLoadWhole) {
    const std::string nul("\0", 1);
    files_.AddFile(kPlanFolder + "odd.csv", "\xB5\xC8\xB4\xFD\xCA\xB1\xBC\xE4=1" + nul + "0\r\n" +  // 等待时间=1 NUL 0
                                                "\x81\x30\xFF\xFE\x80=\r\n" + nul + nul + "\r\n" +
                                                Gbk("鼠标点击=1,2,左键单击") + "\r\n");
    Load("odd");
    ASSERT_EQ(model_.RowCount(), 4);
    EXPECT_EQ(model_.Row(0), "等待时间=1" + nul + "0");
    EXPECT_EQ(model_.Row(1).substr(0, 3), "\xEF\xBF\xBD") << "a byte that is no character reads as U+FFFD";
    EXPECT_EQ(model_.Row(2), nul + nul);
    EXPECT_EQ(model_.Row(3), "鼠标点击=1,2,左键单击");

    const std::string longText(10 * 1024 * 1024, 'x');
    AddPlan("long", "粘贴文字=1,1," + longText + "\r\n模拟按键={ENTER}\r\n");
    Load("long");
    ASSERT_EQ(model_.RowCount(), 2);
    EXPECT_EQ(model_.Row(0).size(), std::string("粘贴文字=1,1,").size() + longText.size());
    EXPECT_EQ(model_.Row(1), "模拟按键={ENTER}");

    std::string million;
    million.reserve(12'000'000);
    for (int i = 0; i < 1'000'000; ++i) million += "\xB5\xC8\xB4\xFD\xCA\xB1\xBC\xE4=1\r\n";  // 等待时间=1
    files_.AddFile(kPlanFolder + "million.csv", million);
    Load("million");
    ASSERT_EQ(model_.RowCount(), 1'000'000);
    EXPECT_EQ(model_.Row(999'999), "等待时间=1");
}
}  // namespace
}  // namespace kestrun
