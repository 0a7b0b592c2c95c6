#include "common/testing/fake_dialogs.h"

#include <gtest/gtest.h>

namespace fake {
namespace {

namespace mb = platform::mb;

TEST(FakeDialogs, WithoutQueuedAnswersEachDialogIsCancelled) {
    FakeDialogs dialogs;
    EXPECT_EQ(dialogs.MessageBox("t", "提示", mb::kOk | mb::kIconInformation), mb::kIdOk);
    EXPECT_EQ(dialogs.MessageBox("t", "提示", mb::kOkCancel | mb::kIconQuestion), mb::kIdCancel);
    EXPECT_EQ(dialogs.MessageBox("t", "提示", mb::kYesNo | mb::kIconQuestion), mb::kIdNo);
    EXPECT_EQ(dialogs.InputBox("p", "提示", "default"), "");
    EXPECT_EQ(dialogs.ChooseFile({"title", "C:\\", "*.csv|*.csv"}), "");
}

TEST(FakeDialogs, QueuedAnswersAreTakenInOrderPerKind) {
    FakeDialogs dialogs;
    dialogs.AnswerMessageBox(mb::kIdYes);
    dialogs.AnswerMessageBox(mb::kIdNo);
    dialogs.AnswerInputBox("名字");
    dialogs.AnswerFileChooser("C:\\list.txt");
    EXPECT_EQ(dialogs.PendingAnswers(), 4u);
    EXPECT_EQ(dialogs.InputBox("p", "t", ""), "名字");
    EXPECT_EQ(dialogs.MessageBox("a", "t", mb::kYesNo), mb::kIdYes);
    EXPECT_EQ(dialogs.ChooseFile({}), "C:\\list.txt");
    EXPECT_EQ(dialogs.MessageBox("b", "t", mb::kYesNo), mb::kIdNo);
    EXPECT_EQ(dialogs.MessageBox("c", "t", mb::kYesNo), mb::kIdNo);
    EXPECT_EQ(dialogs.PendingAnswers(), 0u);
}

TEST(FakeDialogs, RecordsEveryDialogExactlyAndRunsTheOpenHook) {
    FakeDialogs dialogs;
    int openWhileShown = 0;
    dialogs.WhileOpen([&](const ShownDialog& d) { openWhileShown += d.kind == DialogKind::kInputBox; });
    dialogs.MessageBox("没有找到\r\n第二行 ", "提示", mb::kIconExclamation);
    dialogs.InputBox("请输入", "名称", "plan1");
    ASSERT_EQ(dialogs.Shown().size(), 2u);
    EXPECT_EQ(dialogs.Shown()[0],
              (ShownDialog{DialogKind::kMessageBox, "没有找到\r\n第二行 ", "提示", mb::kIconExclamation, "", "", ""}));
    EXPECT_EQ(dialogs.Shown()[1], (ShownDialog{DialogKind::kInputBox, "请输入", "名称", 0, "plan1", "", ""}));
    EXPECT_EQ(dialogs.MessageBoxes().size(), 1u);
    EXPECT_EQ(openWhileShown, 1);
}

}  // namespace
}  // namespace fake
