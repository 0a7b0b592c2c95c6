#include "tapreel/ui/frmmain.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/testing/fake_desktop.h"
#include "common/testing/fake_dialogs.h"
#include "common/testing/fake_files.h"
#include "tapreel/table/click_table_file.h"
#include "tapreel/testing/tapreel_test_support.h"
#include "tapreel/ui/frmmain_layout.h"

namespace tapreel {
namespace {

using testing::ColumnOf;

constexpr const char* kFolder = "D:\\工具\\Tapreel\\";
const std::string kTablePath = std::string(kFolder) + "操作信息.csv";
// "左键" and "单击" in GBK.
const std::string kGbkLeft = "\xD7\xF3\xBC\xFC";
const std::string kGbkSingle = "\xB5\xA5\xBB\xF7";

class TapreelWindowTest : public ::testing::Test {
protected:
    TapreelWindowTest()
        : codec_(text::MakeSystemCodec()), frmmain_(model_, desktop_, dialogs_, files_, *codec_, hook_) {
        files_.SetProgramFolder(kFolder);
        frmmain_.onCloseReady = [this] {
            ++closesReady_;
            frmmain_.Unload();
        };
    }

    fake::FakeDesktop desktop_;
    fake::FakeDialogs dialogs_;
    fake::FakeFileSystem files_;
    std::unique_ptr<text::AnsiCodec> codec_;
    testing::FakeMouseHook hook_;
    FrmmainModel model_;
    Frmmain frmmain_;
    int closesReady_ = 0;
};

TEST_F(TapreelWindowTest, TheTableIsLoadedAtStartAndSavedAtClose) {
    files_.AddFile(kTablePath, "7,100,200," + kGbkLeft + "," + kGbkSingle + ",500,,,,\r\n\r\n");
    frmmain_.Load();
    ASSERT_EQ(model_.Table().RowCount(), 1);
    EXPECT_EQ(model_.Table().Row(0), testing::MakeRow({"1", "100", "200", "左键", "单击", "500", "", "", ""}));

    model_.Table().SetCell(0, column::kDone, "完成");
    EXPECT_TRUE(frmmain_.RequestClose());
    frmmain_.Unload();
    EXPECT_EQ(files_.Content(kTablePath),
              "1,100,200," + kGbkLeft + "," + kGbkSingle + ",500,,,\xCD\xEA\xB3\xC9,\r\n\r\n");
    // A second unload (the window's destruction after a close that already
    // saved) writes nothing more.
    files_.ClearLog();
    frmmain_.Unload();
    EXPECT_TRUE(files_.Log().empty());
}

TEST_F(TapreelWindowTest, ClosingWithAnEmptyTableKeepsTheOldFile) {
    files_.AddFile(kTablePath, "1,5,6,,,,,,,\r\n\r\n");
    frmmain_.Load();
    model_.Table().RemoveRow(0);
    frmmain_.Unload();
    EXPECT_EQ(files_.Content(kTablePath), "1,5,6,,,,,,,\r\n\r\n");
    // So the old rows come back at the next start.
    FrmmainModel next;
    Frmmain again(next, desktop_, dialogs_, files_, *codec_, hook_);
    again.Load();
    EXPECT_EQ(ColumnOf(next.Table(), 2), (std::vector<std::string>{"5"}));
}

TEST_F(TapreelWindowTest, ClosingRemovesTheHook) {
    frmmain_.OnCmdrecordClick();
    EXPECT_TRUE(hook_.IsInstalled());
    frmmain_.Unload();
    EXPECT_FALSE(hook_.IsInstalled());
}

TEST_F(TapreelWindowTest, ACloseDuringPlaybackWaitsForThePassToUnwind) {
    files_.AddFile(kTablePath, "1,10,10," + kGbkLeft + "," + kGbkSingle + ",1000,,,,\r\n1,20,20," + kGbkLeft + "," +
                                   kGbkSingle + ",1000,,,,\r\n\r\n");
    frmmain_.Load();
    bool closeNow = true;
    desktop_.PostAt(300, [&] { closeNow = frmmain_.RequestClose(); });
    frmmain_.OnCmdJianKClick();

    // The close was refused while the pass ran, playback ended at the next
    // pump without clicking row 2, and the close went ahead once, after the
    // handler returned; the table was saved with what playback wrote.
    EXPECT_FALSE(closeNow);
    EXPECT_EQ(closesReady_, 1);
    EXPECT_FALSE(frmmain_.ClosePending());
    EXPECT_EQ(desktop_.LogWithout({"PumpMessages", "WaitForMessages", "mouse_event"}),
              (std::vector<std::string>{"SetCursorPos 10,10"}));
    EXPECT_EQ(model_.CmdJianKCaption(), "回放(&P)");
    std::vector<ClickRow> saved =
        ParseClickTable(text::DecodeFileText(*codec_, files_.Content(kTablePath).value_or("")));
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_EQ(saved[0].Column(column::kDone), "完成");
    EXPECT_EQ(saved[1].Column(column::kDone), "");
}

TEST_F(TapreelWindowTest, ACloseDuringTheInputBoxWaitsForIt) {
    frmmain_.Load();
    model_.Table().SetRows({testing::MakeRow({"1", "10"})});
    model_.Table().SetCurrentRow(0);
    dialogs_.AnswerInputBox("99");
    bool closeNow = true;
    dialogs_.WhileOpen([&](const fake::ShownDialog&) { closeNow = frmmain_.RequestClose(); });
    frmmain_.OnHeaderClick(column::kX);
    EXPECT_FALSE(closeNow);
    EXPECT_EQ(closesReady_, 1);
    EXPECT_EQ(files_.Content(kTablePath), "1,99,,,,,,,,\r\n\r\n");
}

TEST_F(TapreelWindowTest, TheControlsStartAsTheWindowShowsThem) {
    EXPECT_EQ(model_.CmdrecordCaption(), "录制(&R)");
    EXPECT_EQ(model_.CmdJianKCaption(), "回放(&P)");
    EXPECT_EQ(model_.TxtCs(), "");
    EXPECT_FALSE(model_.Chktop());
    EXPECT_EQ(kCombo1Items[size_t(model_.Combo1Index())], "100%");
    EXPECT_EQ(model_.Title(), kWindowTitle);
    EXPECT_EQ(model_.Table().RowCount(), 0);
}

TEST(TapreelLayout, TheTableFillsTheClientAreaBelowTheBand) {
    EXPECT_EQ(TableRect(6615, 2175, 420), (TwipsRect{0, 420, 6615, 1755}));
    EXPECT_EQ(TableRect(441, 145, 28), (TwipsRect{0, 28, 441, 117}));
    // Lower than the band (minimised): no negative height.
    EXPECT_EQ(TableRect(6615, 300, 420), (TwipsRect{0, 420, 6615, 0}));
    EXPECT_EQ(TableRect(0, 0, 420), (TwipsRect{0, 420, 0, 0}));
}

TEST(TapreelLayout, TheBandHoldsItsControlsLeftToRight) {
    std::vector<std::string> names;
    std::vector<int> lefts;
    for (const ControlSpec& spec : BandControls()) {
        names.emplace_back(spec.name);
        lefts.push_back(spec.left);
        EXPECT_LE(spec.top + spec.height, kBandHeightTwips) << spec.name;
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{"Cmdrecord", "CmdJianK", "Label1", "TxtCs", "Chktop", "Label2", "Combo1"}));
    EXPECT_EQ(lefts, (std::vector<int>{0, 1320, 2520, 2940, 3675, 4935, 5775}));
}

}  // namespace
}  // namespace tapreel
