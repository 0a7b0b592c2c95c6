#include "tapreel/editor/table_editor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/testing/fake_desktop.h"
#include "common/testing/fake_dialogs.h"
#include "tapreel/testing/tapreel_test_support.h"

namespace tapreel {
namespace {

using testing::ColumnOf;
using testing::MakeRow;

constexpr Modifiers kShift{true, false, false};

class ClickTableEditorTest : public ::testing::Test {
protected:
    ClickTableEditorTest() : editor_(model_, desktop_, dialogs_) {
        fake::FakeWindow own;
        own.title = "Tapreel";
        model_.ownWindow = desktop_.AddWindow(own);
        std::vector<ClickRow> rows;
        for (int i = 1; i <= 5; ++i) {
            std::string n = std::to_string(i);
            rows.push_back(MakeRow({n, n + "0", n + "00", "左键", "单击", n + "000", "255", "", ""}));
        }
        Table().SetRows(rows);
    }

    ClickTable& Table() { return model_.Table(); }
    std::vector<std::string> Numbers() { return ColumnOf(Table(), 1); }
    std::vector<bool> Checks() {
        std::vector<bool> checks;
        for (const ClickRow& row : Table().Rows()) checks.push_back(row.checked);
        return checks;
    }

    fake::FakeDesktop desktop_;
    fake::FakeDialogs dialogs_;
    FrmmainModel model_;
    TableEditor editor_;
};

TEST_F(ClickTableEditorTest, HeaderOneAndShiftAFlipEveryCheckMark) {
    Table().SetChecked(1, true);
    EXPECT_EQ(editor_.OnHeaderClick(1), PopupMenu::kNone);
    EXPECT_EQ(Checks(), (std::vector<bool>{true, false, true, true, true}));
    EXPECT_TRUE(editor_.OnKey(TableKey::kA, kShift));
    EXPECT_EQ(Checks(), (std::vector<bool>{false, true, false, false, false}));
    editor_.OnHeaderClick(1);
    editor_.OnHeaderClick(1);
    EXPECT_EQ(Checks(), (std::vector<bool>{false, true, false, false, false}));
}

TEST_F(ClickTableEditorTest, HeadersFourAndFiveAskForTheirMenus) {
    Table().SetCurrentRow(0);
    EXPECT_EQ(editor_.OnHeaderClick(4), PopupMenu::kKeyName);
    EXPECT_EQ(editor_.OnHeaderClick(5), PopupMenu::kClick);
    EXPECT_TRUE(dialogs_.Shown().empty());
}

TEST_F(ClickTableEditorTest, MenuItemsSetTheCurrentRowWithoutTheAccessKey) {
    Table().SetCurrentRow(2);
    editor_.OnMenuClick(1);
    editor_.OnMenuKey(1);
    EXPECT_EQ(Table().Row(2).Column(5), "双击");
    EXPECT_EQ(Table().Row(2).Column(4), "右键");
    editor_.OnMenuClick(0);
    editor_.OnMenuKey(0);
    EXPECT_EQ(Table().Row(2).Column(5), "单击");
    EXPECT_EQ(Table().Row(2).Column(4), "左键");
    // Only the current row changes.
    EXPECT_EQ(ColumnOf(Table(), 4), (std::vector<std::string>(5, "左键")));
}

TEST_F(ClickTableEditorTest, AHeaderClickEditsThatColumnOfTheCurrentRow) {
    Table().SetCurrentRow(1);
    dialogs_.AnswerInputBox("345");
    EXPECT_EQ(editor_.OnHeaderClick(3), PopupMenu::kNone);
    ASSERT_EQ(dialogs_.Shown().size(), 1u);
    const fake::ShownDialog& shown = dialogs_.Shown()[0];
    EXPECT_EQ(shown.kind, fake::DialogKind::kInputBox);
    EXPECT_EQ(shown.text, "    请输入当前项的新值");
    EXPECT_EQ(shown.title, "项目值修改");
    EXPECT_EQ(shown.defaultAnswer, "200");
    EXPECT_EQ(Table().Row(1).Column(3), "345");
    // Stored as typed: nothing checks that it is a number.
    dialogs_.AnswerInputBox(" abc ");
    editor_.OnHeaderClick(6);
    EXPECT_EQ(Table().Row(1).Column(6), " abc ");
}

TEST_F(ClickTableEditorTest, AnEmptyAnswerKeepsTheValueExceptTheColour) {
    Table().SetCurrentRow(0);
    for (int column : {2, 3, 6, 8, 9}) {
        SCOPED_TRACE(column);
        Table().SetCell(0, column, "v");
        editor_.OnHeaderClick(column);  // cancelled
        EXPECT_EQ(Table().Row(0).Column(column), "v");
    }
    editor_.OnHeaderClick(7);
    EXPECT_EQ(Table().Row(0).Column(7), "");
    EXPECT_EQ(dialogs_.Shown().size(), 6u);
}

TEST_F(ClickTableEditorTest, WithoutACurrentRowNothingChangesAndNoDialogShows) {
    for (int column = 1; column <= 9; ++column) editor_.OnHeaderClick(column);
    editor_.OnMenuKey(1);
    editor_.OnMenuClick(1);
    editor_.OnDoubleClick();
    editor_.OnKey(TableKey::kUp, kShift);
    editor_.OnKey(TableKey::kDown, kShift);
    EXPECT_TRUE(dialogs_.Shown().empty());
    EXPECT_EQ(Numbers(), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(ColumnOf(Table(), 4), (std::vector<std::string>(5, "左键")));
    EXPECT_EQ(Checks(), std::vector<bool>(5, true));  // header 1 still flips
}

TEST_F(ClickTableEditorTest, ShiftUpAndDownMoveTheCurrentRowWithItsCheckMark) {
    Table().SetChecked(2, true);
    Table().SetCurrentRow(2);
    EXPECT_TRUE(editor_.OnKey(TableKey::kUp, kShift));
    EXPECT_EQ(Numbers(), (std::vector<std::string>{"1", "3", "2", "4", "5"}));
    EXPECT_EQ(Checks(), (std::vector<bool>{false, true, false, false, false}));
    EXPECT_EQ(ColumnOf(Table(), 2), (std::vector<std::string>{"10", "30", "20", "40", "50"}));
    // The moved row stays current, so the key moves it further.
    EXPECT_EQ(Table().CurrentRow(), 1);
    editor_.OnKey(TableKey::kUp, kShift);
    EXPECT_EQ(Numbers(), (std::vector<std::string>{"3", "1", "2", "4", "5"}));
    // At the top nothing happens.
    editor_.OnKey(TableKey::kUp, kShift);
    EXPECT_EQ(Numbers(), (std::vector<std::string>{"3", "1", "2", "4", "5"}));
    EXPECT_EQ(Table().CurrentRow(), 0);

    Table().SetCurrentRow(3);
    editor_.OnKey(TableKey::kDown, kShift);
    EXPECT_EQ(Numbers(), (std::vector<std::string>{"3", "1", "2", "5", "4"}));
    editor_.OnKey(TableKey::kDown, kShift);
    EXPECT_EQ(Numbers(), (std::vector<std::string>{"3", "1", "2", "5", "4"}));
    EXPECT_EQ(Table().CurrentRow(), 4);
}

TEST_F(ClickTableEditorTest, ShiftCommandsNeedShiftAlone) {
    Table().SetCurrentRow(2);
    const std::vector<Modifiers> others = {
        {false, false, false}, {true, true, false}, {true, false, true}, {false, true, false}, {true, true, true}};
    for (const Modifiers& m : others) {
        for (TableKey key : {TableKey::kUp, TableKey::kDown, TableKey::kDelete, TableKey::kA}) {
            EXPECT_FALSE(editor_.OnKey(key, m));
        }
    }
    EXPECT_FALSE(editor_.OnKey(TableKey::kOther, kShift));
    EXPECT_EQ(Numbers(), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(Checks(), std::vector<bool>(5, false));
    EXPECT_TRUE(dialogs_.Shown().empty());
}

TEST_F(ClickTableEditorTest, ShiftDeleteRemovesTheCheckedRowsAfterOk) {
    for (int i : {0, 2, 3}) Table().SetChecked(i, true);
    editor_.OnKey(TableKey::kDelete, kShift);  // cancelled
    EXPECT_EQ(Table().RowCount(), 5);
    ASSERT_EQ(dialogs_.MessageBoxes().size(), 1u);
    const fake::ShownDialog box = dialogs_.MessageBoxes()[0];
    EXPECT_EQ(box.text, "    你确实要将当前所有选中的项目删除吗？    ");
    EXPECT_EQ(box.title, "提示");
    EXPECT_EQ(box.flags, platform::mb::kIconInformation | platform::mb::kOkCancel);

    dialogs_.AnswerMessageBox(platform::mb::kIdOk);
    editor_.OnKey(TableKey::kDelete, kShift);
    EXPECT_EQ(Numbers(), (std::vector<std::string>{"2", "5"}));
    EXPECT_EQ(ColumnOf(Table(), 2), (std::vector<std::string>{"20", "50"}));
}

TEST_F(ClickTableEditorTest, ShiftDeleteAsksEvenWithNothingChecked) {
    Table().SetRows({});
    dialogs_.AnswerMessageBox(platform::mb::kIdOk);
    editor_.OnKey(TableKey::kDelete, kShift);
    EXPECT_EQ(dialogs_.MessageBoxes().size(), 1u);
}

TEST_F(ClickTableEditorTest, ADoubleClickRemovesTheCurrentRowAtOnce) {
    Table().SetCurrentRow(1);
    editor_.OnDoubleClick();
    EXPECT_EQ(Numbers(), (std::vector<std::string>{"1", "3", "4", "5"}));
    EXPECT_TRUE(dialogs_.Shown().empty());
}

TEST_F(ClickTableEditorTest, KeepOnTopFollowsTheBox) {
    editor_.OnChktop(true);
    EXPECT_TRUE(model_.Chktop());
    EXPECT_TRUE(desktop_.Window(model_.ownWindow)->topmost);
    editor_.OnChktop(false);
    EXPECT_FALSE(desktop_.Window(model_.ownWindow)->topmost);
    EXPECT_EQ(desktop_.Log(), (std::vector<std::string>{"SetTopmost \"Tapreel\" on", "SetTopmost \"Tapreel\" off"}));
}

}  // namespace
}  // namespace tapreel
