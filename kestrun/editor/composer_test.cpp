#include "kestrun/editor/composer.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "kestrun/actions/keys.h"
#include "kestrun/editor/list_manager_fixture.h"

namespace kestrun {
namespace {

namespace mb = platform::mb;
using fake::DialogKind;
using fake::ShownDialog;

constexpr uint32_t kRefusal = mb::kOk | mb::kIconExclamation;

ShownDialog Message(const std::string& text, uint32_t flags = kRefusal) { return MessageBoxShown(text, flags); }

ShownDialog Input(const std::string& prompt, const std::string& title, const std::string& defaultAnswer) {
    ShownDialog dialog;
    dialog.kind = DialogKind::kInputBox;
    dialog.text = prompt;
    dialog.title = title;
    dialog.defaultAnswer = defaultAnswer;
    return dialog;
}

const std::string kBitmapJumpPrompt = " 请告诉我假如图像不匹配的话，要回退或前进几步? 前进负数，回退正数  ";
const std::string kColourJumpPrompt = " 请告诉我假如颜色不匹配的话，要回退或前进几步?  前进负数，回退正数 ";

class ComposerTest : public ListManagerFixture {
protected:
    ComposerTest() {
        composer_.rowClick = [this](int row) {
            clickedRows_.push_back(row);
            model_.SetSelection(row);
        };
    }

    void ThreeRows() {
        model_.SetRows({"等待时间=1", "等待时间=2", "等待时间=3"});
        model_.SetSelection(2);
        clickedRows_.clear();
    }

    Composer composer_{model_, dialogs_, lists_};
    std::vector<int> clickedRows_;
};

// --- The composer's fields as the user finds them at start ---

TEST_F(ComposerTest, FieldsStartWithTheirDesignTexts) {
    const char* xs[] = {"100", "100", "100", "", "200", "100"};
    for (int i = 0; i < kScreenBoxCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(model_.TxtScreenX(i), xs[i]);
        EXPECT_EQ(model_.TxtScreenY(i), xs[i]);
    }
    EXPECT_EQ(model_.TxtColor(), "835111");
    EXPECT_EQ(model_.CmbMouseText(), "左键单击");
    EXPECT_EQ(model_.CmbPasteText(), "测试文字");
    EXPECT_EQ(model_.CmbUrlText(), "");
    EXPECT_EQ(model_.TxtKeyName(), "");
    EXPECT_EQ(model_.TxtFilename(), "");
    EXPECT_EQ(model_.TxtTime(), "5000");
    EXPECT_FALSE(model_.Pinned());
    EXPECT_EQ(model_.PickMode(), 0);
}

TEST_F(ComposerTest, EachFieldSetterNotifiesItsControl) {
    std::vector<ModelPart> changed;
    model_.SetChangeListener([&](ModelPart c) { changed.push_back(c); });
    model_.SetTxtScreenX(3, "7");
    model_.SetTxtScreenY(3, "8");
    model_.SetTxtColor("1");
    model_.SetTxtColorBackColour(1);
    model_.SetCmbMouseText("右键单击");
    model_.SetTxtKeyName("{ENTER}");
    model_.SetTxtFilename("a.txt");
    model_.SetTxtTime("1");
    model_.SetCmbPasteText("x");
    model_.SetCmbUrlText("y");
    model_.SetCaptureBox(platform::Image(40, 40, 0));
    model_.SetPinned(true);
    EXPECT_EQ(changed, (std::vector<ModelPart>{ModelPart::TxtScreenXY, ModelPart::TxtScreenXY, ModelPart::TxtColor,
                                               ModelPart::TxtColor, ModelPart::CmbMouse, ModelPart::TxtKeyName,
                                               ModelPart::TxtFilename, ModelPart::TxtTime, ModelPart::CmbPaste,
                                               ModelPart::CmbUrl, ModelPart::CaptureBox, ModelPart::Pinned}));
    // Boxes outside 0..5 neither exist nor notify.
    changed.clear();
    model_.SetTxtScreenX(6, "1");
    model_.SetTxtScreenY(-1, "1");
    EXPECT_TRUE(changed.empty());
    EXPECT_EQ(model_.TxtScreenX(6), "");
}

// --- Add from a row ---

TEST_F(ComposerTest, RowsAppendTheirLinesFromTheDesignTexts) {
    model_.SetTxtScreenX(3, "100");
    model_.SetTxtScreenY(3, "100");
    model_.SetTxtKeyName("{ENTER}");
    model_.SetTxtFilename("c:\\文档1.docx");
    model_.SetCmbUrlText("www.example.com/a,b");
    const struct {
        int index;
        const char* line;
    } cases[] = {
        {2, "鼠标点击=100,100,左键单击"},
        {3, "鼠标拖拉=100,100,200,200"},
        {4, "粘贴文字=100,100,测试文字"},
        {5, "模拟按键={ENTER}"},
        {6, "打开文件=c:\\文档1.docx"},
        {7, "打开网址=www.example.com/a,b"},
        {8, "等待时间=5000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        ThreeRows();
        composer_.CmdOrder(c.index);
        // Appended at the end whatever row was selected, and selected as a
        // click would select it.
        ASSERT_EQ(model_.RowCount(), 4);
        EXPECT_EQ(model_.Row(3), c.line);
        EXPECT_EQ(model_.Row(2), "等待时间=3");
        EXPECT_EQ(model_.SelectedRow(), 3);
        EXPECT_EQ(clickedRows_, std::vector<int>{3});
    }
    EXPECT_TRUE(dialogs_.Shown().empty());
}

TEST_F(ComposerTest, FieldsAreWrittenExactlyAsTyped) {
    model_.SetTxtScreenX(2, "R*10");
    model_.SetTxtScreenY(2, " 100 ");
    model_.SetCmbMouseText("中键单击");
    composer_.CmdOrder(2);
    model_.SetCmbPasteText("列表");
    composer_.CmdOrder(4);
    model_.SetTxtTime(" 1e3 ");
    composer_.CmdOrder(8);
    EXPECT_EQ(model_.Rows(),
              (std::vector<std::string>{"鼠标点击=R*10, 100 ,中键单击", "粘贴文字=100,100,列表", "等待时间= 1e3 "}));
}

TEST_F(ComposerTest, WithoutRowClickTheNewLineIsStillSelected) {
    Composer plain(model_, dialogs_, lists_);
    ThreeRows();
    plain.CmdOrder(8);
    EXPECT_EQ(model_.SelectedRow(), 3);
}

TEST_F(ComposerTest, EmptyRequiredFieldsAreRefused) {
    struct Case {
        const char* name;
        int index;
        std::function<void(MainModel&)> empty;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"colour x", 1, [](MainModel& m) { m.SetTxtScreenX(1, ""); }, "内容不完整!"},
        {"colour y", 1, [](MainModel& m) { m.SetTxtScreenY(1, ""); }, "内容不完整!"},
        {"colour", 1, [](MainModel& m) { m.SetTxtColor(""); }, "内容不完整!"},
        {"click x", 2, [](MainModel& m) { m.SetTxtScreenX(2, ""); }, "内容不完整!"},
        {"click y", 2, [](MainModel& m) { m.SetTxtScreenY(2, ""); }, "内容不完整!"},
        {"drag start x", 3, [](MainModel& m) { m.SetTxtScreenY(3, "1"); }, "内容不完整!"},
        {"drag start y", 3, [](MainModel& m) { m.SetTxtScreenX(3, "1"); }, "内容不完整!"},
        {"drag end x", 3,
         [](MainModel& m) {
             m.SetTxtScreenX(3, "1");
             m.SetTxtScreenY(3, "1");
             m.SetTxtScreenX(4, "");
         },
         "内容不完整!"},
        {"drag end y", 3,
         [](MainModel& m) {
             m.SetTxtScreenX(3, "1");
             m.SetTxtScreenY(3, "1");
             m.SetTxtScreenY(4, "");
         },
         "内容不完整!"},
        {"paste x", 4, [](MainModel& m) { m.SetTxtScreenX(5, ""); }, "内容不完整!"},
        {"paste y", 4, [](MainModel& m) { m.SetTxtScreenY(5, ""); }, "内容不完整!"},
        {"paste text", 4, [](MainModel& m) { m.SetCmbPasteText(""); }, "内容不完整!"},
        {"key", 5, [](MainModel&) {}, "按键名称未填写!"},
        {"file", 6, [](MainModel&) {}, "文件路径未填写!"},
        {"url", 7, [](MainModel&) {}, "网址未填写!"},
        {"wait", 8, [](MainModel& m) { m.SetTxtTime(""); }, "等待时间未填写!"},
        {"wait with unit", 8, [](MainModel& m) { m.SetTxtTime("5 s"); }, "等待时间必须输入数字!"},
        {"wait word", 8, [](MainModel& m) { m.SetTxtTime("abc"); }, "等待时间必须输入数字!"},
        {"wait with blanks inside", 8, [](MainModel& m) { m.SetTxtTime("50 00"); }, "等待时间必须输入数字!"},
        {"wait with milliseconds", 8, [](MainModel& m) { m.SetTxtTime("5000毫秒"); }, "等待时间必须输入数字!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MainModel fresh;
        model_.SetRows({"等待时间=1", "等待时间=2", "等待时间=3"});
        model_.SetSelection(1);
        for (int i = 0; i < kScreenBoxCount; ++i) {
            model_.SetTxtScreenX(i, fresh.TxtScreenX(i));
            model_.SetTxtScreenY(i, fresh.TxtScreenY(i));
        }
        model_.SetTxtColor(fresh.TxtColor());
        model_.SetCmbPasteText(fresh.CmbPasteText());
        model_.SetTxtTime(fresh.TxtTime());
        c.empty(model_);
        clickedRows_.clear();
        dialogs_.ClearShown();

        composer_.CmdOrder(c.index);
        EXPECT_EQ(dialogs_.Shown(), std::vector<ShownDialog>{Message(c.message)});
        EXPECT_EQ(model_.RowCount(), 3);
        EXPECT_EQ(model_.SelectedRow(), 1);
        EXPECT_TRUE(clickedRows_.empty());
    }
}

TEST_F(ComposerTest, FieldsOfSpacesAreNotEmpty) {
    model_.SetTxtScreenX(2, " ");
    model_.SetTxtScreenY(2, " ");
    composer_.CmdOrder(2);
    model_.SetTxtKeyName(" ");
    composer_.CmdOrder(5);
    model_.SetCmbUrlText(" ");
    composer_.CmdOrder(7);
    EXPECT_TRUE(dialogs_.Shown().empty());
    EXPECT_EQ(model_.Rows(), (std::vector<std::string>{"鼠标点击= , ,左键单击", "模拟按键= ", "打开网址= "}));
}

TEST_F(ComposerTest, WaitAcceptsPlainDecimalNumbers) {
    for (const char* time : {"5000", "-1", "+2", "0.5", "1e3", "1.5E+2", " 7 "}) {
        SCOPED_TRACE(time);
        model_.SetTxtTime(time);
        composer_.CmdOrder(8);
        EXPECT_EQ(model_.Row(model_.RowCount() - 1), std::string("等待时间=") + time);
    }
    EXPECT_TRUE(dialogs_.Shown().empty());
}

TEST_F(ComposerTest, LoadedUrlListWinsOverATypedAddress) {
    model_.SetUrlList({"a.com", "b.com"}, "www.typed.com");
    composer_.CmdOrder(7);
    model_.SetUrlList({"a.com"}, "");
    composer_.CmdOrder(7);
    EXPECT_EQ(model_.Rows(), (std::vector<std::string>{"打开网址=列表", "打开网址=列表"}));
    EXPECT_TRUE(dialogs_.Shown().empty());
    // The list itself is not touched by composing.
    EXPECT_EQ(model_.UrlEntries().size(), 1u);
}

// --- The mismatch jump ---

TEST_F(ComposerTest, JumpAnswersAreReadAsWholeNumbers) {
    const struct {
        const char* answer;  // nullptr: the box is cancelled
        const char* jump;
    } cases[] = {
        {"0", "0"},     {"3", "3"},    {"-2", "-2"},  {"2.5", "2"},         {"3.5", "4"},
        {"-2.5", "-2"}, {" 4 ", "4"},  {"1e1", "10"}, {"abc", "0"},         {"", "0"},
        {nullptr, "0"}, {"2abc", "0"}, {"1 2", "0"},  {"99999999999", "0"}, {"-2147483648", "-2147483648"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer ? c.answer : "cancel");
        model_.SetRows({});
        if (c.answer) dialogs_.AnswerInputBox(c.answer);
        composer_.CmdOrder(1);
        EXPECT_EQ(model_.Row(0), std::string("判断颜色=100,100,835111,") + c.jump);
    }
}

TEST_F(ComposerTest, ColourTestAsksItsJumpWithTheColourPrompt) {
    model_.SetTxtColor("255");
    dialogs_.AnswerInputBox("-3");
    composer_.CmdOrder(1);
    EXPECT_EQ(dialogs_.Shown(), std::vector<ShownDialog>{Input(kColourJumpPrompt, "提示", "0")});
    EXPECT_EQ(model_.Rows(), std::vector<std::string>{"判断颜色=100,100,255,-3"});
    EXPECT_EQ(model_.SelectedRow(), 0);
    EXPECT_TRUE(model_.Bitmaps().empty());
}

// --- The bitmap test and its reference entry ---

TEST_F(ComposerTest, BitmapTestCreatesTheNextEntryFromTheCaptureBox) {
    platform::Image capture(40, 40, 0x123456);
    capture.Set(39, 39, 0x00FF00);
    model_.SetCaptureBox(capture);
    bool bitmapsNotified = false;
    model_.SetChangeListener([&](ModelPart c) { bitmapsNotified |= c == ModelPart::Bitmaps; });
    dialogs_.AnswerInputBox("2");
    composer_.CmdOrder(0);

    EXPECT_EQ(dialogs_.Shown(), std::vector<ShownDialog>{Input(kBitmapJumpPrompt, "提示", "0")});
    EXPECT_EQ(model_.Rows(), std::vector<std::string>{"比较位图=1,100,100,2"});
    EXPECT_EQ(model_.SelectedRow(), 0);
    ASSERT_EQ(model_.Bitmaps().size(), 1u);
    EXPECT_EQ(model_.Bitmaps().at(1).reference, capture);
    EXPECT_TRUE(model_.Bitmaps().at(1).hasReference);
    EXPECT_EQ(model_.Bitmaps().at(1).live, platform::Image(40, 40));
    EXPECT_TRUE(bitmapsNotified);
}

TEST_F(ComposerTest, BitmapTestTestsNoField) {
    model_.SetTxtScreenX(0, "");
    model_.SetTxtScreenY(0, "");
    composer_.CmdOrder(0);
    EXPECT_EQ(model_.Rows(), std::vector<std::string>{"比较位图=1,,,0"});
    EXPECT_EQ(model_.Bitmaps().count(1), 1u);
}

TEST_F(ComposerTest, BitmapNumbersFollowTheHighestInUse) {
    composer_.CmdOrder(0);
    composer_.CmdOrder(0);
    EXPECT_EQ(model_.Rows(), (std::vector<std::string>{"比较位图=1,100,100,0", "比较位图=2,100,100,0"}));

    // Deleting the line of 2 frees 2 again.
    model_.SetSelection(1);
    dialogs_.AnswerMessageBox(mb::kIdYes);
    lists_.Delete();
    composer_.CmdOrder(0);
    EXPECT_EQ(model_.Row(1), "比较位图=2,100,100,0");

    // Deleting the line of 1 leaves 2 the highest: the next is 3.
    model_.SetSelection(0);
    dialogs_.AnswerMessageBox(mb::kIdYes);
    lists_.Delete();
    composer_.CmdOrder(0);
    EXPECT_EQ(model_.Rows(), (std::vector<std::string>{"比较位图=2,100,100,0", "比较位图=3,100,100,0"}));
    EXPECT_EQ(model_.Bitmaps().size(), 2u);
    EXPECT_EQ(model_.Bitmaps().count(1), 0u);
}

TEST_F(ComposerTest, FullBitmapTableRefusesANewBitmapTest) {
    model_.EditBitmaps([&](auto& bitmaps) { bitmaps[32766]; });
    composer_.CmdOrder(0);
    EXPECT_EQ(model_.Row(0), "比较位图=32767,100,100,0");
    dialogs_.ClearShown();

    composer_.CmdOrder(0);
    EXPECT_EQ(dialogs_.Shown(), std::vector<ShownDialog>{Message(std::string(kMessageBitmapTableFull))});
    EXPECT_EQ(model_.RowCount(), 1);
    EXPECT_EQ(model_.Bitmaps().size(), 2u);
    EXPECT_EQ(model_.HighestBitmapNumber(), 32767);
}

// --- The submenu ---

TEST_F(ComposerTest, SubmenuEntriesShowTheirBoxesAndAppendTheirLines) {
    composer_.screenSize = [] { return platform::Point{1920, 1080}; };
    const struct {
        int index;
        const char* caption;
        const char* prompt;
        const char* title;
        const char* defaultAnswer;
        const char* answer;
        const char* line;
    } cases[] = {
        {0, "鼠标滚动",
         "请输入鼠标所在坐标及滚动步数，格数可为正数，也可为负数，坐标可输入也可不输入，比如100,100,3或-2",
         "新增鼠标滚动指令", "", "100,100,3", "鼠标滚动=100,100,3"},
        {2, "比较剪切板文字",
         "请输入待比较的剪切板，如果包含该文字，将执行后续动作，否则请输入后退的步数或跳过的步数，输入格式如：Kestrun,"
         "1或"
         "Kestrun,-2",
         "新增剪切板文字比较指令", "", "Kestrun,1", "比较文字=Kestrun,1"},
        {4, "复制文件", "请输入待复制的文件的原始路径及目标路径，比如：c:\\文档1.docx,d:\\文档1.docx",
         "新增文件复制指令", "", "c:\\文档1.docx,d:\\文档1.docx", "文件操作=复制,c:\\文档1.docx,d:\\文档1.docx"},
        {5, "移动文件", "请输入待移动的文件的原始路径及目标路径，比如：c:\\文档1.docx,d:\\文档2.docx",
         "新增文件移动指令", "", "a,b", "文件操作=移动,a,b"},
        {6, "删除文件", "请输入待删除的文件的路径，比如：c:\\文档1.docx", "新增文件删除指令", "", "c:\\文档1.docx",
         "文件操作=删除,c:\\文档1.docx"},
        {8, "激活窗口", "请输入待激活的窗口的标题，比如：记事本", "新增窗口激活指令", "", "记事本",
         "窗口操作=激活,记事本"},
        {9, "置顶窗口", "请输入待置顶的窗口的标题，比如：记事本", "新增窗口置顶指令", "", "记事本",
         "窗口操作=置顶,记事本"},
        {10, "取消置顶窗口", "请输入欲取消置顶的窗口的标题，比如：记事本", "新增取消窗口置顶指令", "", "记事本",
         "窗口操作=取消置顶,记事本"},
        {11, "最大化窗口", "请输入待最大化的窗口的标题，比如：记事本", "新增最大化窗口指令", "", "记事本",
         "窗口操作=最大化,记事本"},
        {12, "最小化窗口", "请输入待最小化的窗口的标题，比如：记事本", "新增最小化窗口指令", "", "记事本",
         "窗口操作=最小化,记事本"},
        {13, "还原窗口", "请输入待还原的窗口的标题，比如：记事本", "新增还原或恢复窗口指令", "", "记事本",
         "窗口操作=还原,记事本"},
        {14, "隐藏窗口", "请输入待隐藏的窗口的标题，比如：记事本", "新增隐藏窗口指令", "", "记事本",
         "窗口操作=隐藏,记事本"},
        {15, "显示窗口", "请输入待显示的窗口的标题，比如：记事本", "新增显示窗口指令", "", "记事本",
         "窗口操作=显示,记事本"},
        {16, "关闭窗口", "请输入待关闭的窗口的标题，比如：记事本", "新增关闭窗口指令", "", "记事本",
         "窗口操作=关闭,记事本"},
        {17, "半透明窗口", "请输入待半透明的窗口的标题，比如：记事本", "新增半透明窗口指令", "", "记事本",
         "窗口操作=半透明,记事本"},
        {19, "屏幕截图", "请输入屏幕截图后保存的jpg图像的质量数0-100，越大质量越好，默认80", "新增截图指令", "80", "80",
         "屏幕截图=屏幕,80"},
        {20, "窗口截图", "请输入活动窗口截图后保存的jpg图像的质量数0-100，越大质量越好，默认80", "新增截图指令", "80",
         "80", "屏幕截图=窗口,80"},
        {21, "区域截图", "请输入区域截图后保存的jpg图像的质量数0-100，越大质量越好，默认80，以及起始坐标及长宽大小",
         "新增截图指令", "80,0,0,1200,800", "80,0,0,1200,800", "屏幕截图=区域,80,0,0,1200,800"},
        {23, "等待颜色",
         "请输入坐标、颜色值、最长等待毫秒数和超时后后退的步数（负数为跳过的步数），比如：100,100,835111,10000,0",
         "新增等待颜色指令", "100,100,835111,10000,0", " 1,2,3,4,5 ", "等待颜色= 1,2,3,4,5 "},
        {24, "等待位图", "请输入位图左上角坐标、最长等待毫秒数和超时后后退的步数，比如：100,100,10000,0",
         "新增等待位图指令", "100,100,10000,0", "1,2,3,4", "等待位图=1,1,2,3,4"},
        {25, "等待窗口", "请输入窗口标题、最长等待毫秒数和超时后后退的步数，比如：记事本,10000,0", "新增等待窗口指令",
         "", "记事本,10000,0", "等待窗口=记事本,10000,0"},
        {26, "查找颜色",
         "请输入查找区域的左上角和右下角坐标、颜色值、容差(0-255)和找不到时后退的步数，比如：0,0,1280,1024,835111,10,0",
         "新增查找颜色指令", "0,0,1920,1080,835111,0,0", "0,0,9,9,1,2,3", "查找颜色=0,0,9,9,1,2,3"},
        {27, "查找位图",
         "请输入查找区域的左上角和右下角坐标、容差(0-255)和找不到时后退的步数，比如：0,0,1280,1024,10,0",
         "新增查找位图指令", "0,0,1920,1080,0,0", "0,0,9,9,1,2", "查找位图=2,0,0,9,9,1,2"},
        {28, "窗口坐标", "请输入作为坐标原点的窗口标题（输入“屏幕”回到屏幕坐标），比如：记事本", "新增窗口坐标指令", "",
         "屏幕", "窗口坐标=屏幕"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        ThreeRows();
        dialogs_.ClearShown();
        EXPECT_EQ(MenuNewItem(c.index).caption, c.caption);
        dialogs_.AnswerInputBox(c.answer);
        composer_.MenuNew(c.index);
        EXPECT_EQ(dialogs_.Shown(), std::vector<ShownDialog>{Input(c.prompt, c.title, c.defaultAnswer)});
        ASSERT_EQ(model_.RowCount(), 4);
        EXPECT_EQ(model_.Row(3), c.line);
        // The selection is not changed by the submenu.
        EXPECT_EQ(model_.SelectedRow(), 2);
        EXPECT_TRUE(clickedRows_.empty());
    }
}

TEST_F(ComposerTest, SubmenuBitmapEntriesTakeANewBitmapFromTheCaptureBox) {
    platform::Image capture(40, 40, 0x123456);
    model_.SetCaptureBox(capture);
    model_.EditBitmaps([&](auto& bitmaps) { bitmaps[4]; });
    for (int index : {24, 27}) {
        dialogs_.AnswerInputBox("1,2,3,4");
        composer_.MenuNew(index);
    }
    EXPECT_EQ(model_.Rows(), (std::vector<std::string>{"等待位图=5,1,2,3,4", "查找位图=6,1,2,3,4"}));
    EXPECT_EQ(model_.Bitmaps().at(6).reference, capture);

    for (const char* answer : {"  ", ""}) {
        dialogs_.AnswerInputBox(answer);
        composer_.MenuNew(27);
    }
    EXPECT_EQ(model_.Bitmaps().size(), 3u) << "a blank answer takes no bitmap";
    EXPECT_EQ(model_.RowCount(), 2);

    model_.EditBitmaps([&](auto& bitmaps) { bitmaps[32767]; });
    dialogs_.ClearShown();
    composer_.MenuNew(24);
    EXPECT_EQ(dialogs_.Shown(), std::vector<ShownDialog>{Message(std::string(kMessageBitmapTableFull))});
}

TEST_F(ComposerTest, SubmenuSeparatorsAndUnknownEntriesDoNothing) {
    for (int index : {1, 3, 7, 18, 22, -1, 29, 100}) {
        SCOPED_TRACE(index);
        EXPECT_TRUE(MenuNewItem(index).IsSeparator());
        composer_.MenuNew(index);
    }
    EXPECT_TRUE(dialogs_.Shown().empty());
    EXPECT_EQ(model_.RowCount(), 0);
}

TEST_F(ComposerTest, SubmenuAnswersAreTestedByTheirEntry) {
    const struct {
        int index;
        const char* answer;  // nullptr: the box is cancelled
        const char* line;    // nullptr: nothing is added
    } cases[] = {
        // Not blank: spaces alone are refused, a padded answer is kept whole.
        {8, " 记事本 ", "窗口操作=激活, 记事本 "},
        {8, "   ", nullptr},
        {8, "", nullptr},
        {8, nullptr, nullptr},
        {0, "-2", "鼠标滚动=-2"},
        {0, " ", nullptr},
        {2, "\t", "比较文字=\t"},  // only spaces are trimmed
        // The quality must lie strictly between 0 and 100.
        {19, "100", nullptr},
        {19, "0", nullptr},
        {19, "-5", nullptr},
        {19, "abc", nullptr},
        {19, nullptr, nullptr},
        {19, "99.5", "屏幕截图=屏幕,99.5"},
        {19, "0.5", "屏幕截图=屏幕,0.5"},
        {20, "1", "屏幕截图=窗口,1"},
        {20, "99", "屏幕截图=窗口,99"},
        {20, "8 0", "屏幕截图=窗口,8 0"},
        {20, "100.5", nullptr},
        {20, "50abc", "屏幕截图=窗口,50abc"},
        // The region shot only needs some answer.
        {21, " ", "屏幕截图=区域, "},
        {21, "", nullptr},
        {21, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.index) + " " + (c.answer ? c.answer : "cancel"));
        model_.SetRows({});
        dialogs_.ClearShown();
        if (c.answer) dialogs_.AnswerInputBox(c.answer);
        composer_.MenuNew(c.index);
        ASSERT_EQ(dialogs_.Shown().size(), 1u);  // no message, whatever the answer
        if (c.line) {
            EXPECT_EQ(model_.Rows(), std::vector<std::string>{c.line});
        } else {
            EXPECT_EQ(model_.RowCount(), 0);
        }
    }
}

// --- Editing a line ---

TEST_F(ComposerTest, EditRewritesTheSelectedLineWithThePromptOfItsSource) {
    ThreeRows();
    model_.SetSelection(1);
    dialogs_.AnswerInputBox("鼠标点击=1,2,右键单击");
    composer_.EditLine(EditSource::kDoubleClick);
    dialogs_.AnswerInputBox("not an instruction");
    composer_.MenuRightClick(0);
    EXPECT_EQ(dialogs_.Shown(),
              (std::vector<ShownDialog>{
                  Input("需要修改当前指令吗？请输入新的指令内容，请注意格式", "编辑指令", "等待时间=2"),
                  Input("需要修改当前指令吗？请输入新的指令内容", "编辑指令", "鼠标点击=1,2,右键单击"),
              }));
    // Stored untested and unchanged.
    EXPECT_EQ(model_.Rows(), (std::vector<std::string>{"等待时间=1", "not an instruction", "等待时间=3"}));
    EXPECT_EQ(model_.SelectedRow(), 1);
}

TEST_F(ComposerTest, EditWithoutSelectionOrWithEmptyAnswerChangesNothing) {
    ThreeRows();
    model_.SetSelection(-1);
    composer_.EditLine(EditSource::kDoubleClick);
    composer_.MenuRightClick(0);
    EXPECT_TRUE(dialogs_.Shown().empty());

    model_.SetSelection(0);
    dialogs_.AnswerInputBox("");
    composer_.EditLine(EditSource::kMenu);  // an empty answer
    composer_.EditLine(EditSource::kMenu);  // Cancel
    EXPECT_EQ(dialogs_.Shown().size(), 2u);
    EXPECT_EQ(model_.Rows(), (std::vector<std::string>{"等待时间=1", "等待时间=2", "等待时间=3"}));
}

TEST_F(ComposerTest, EditKeepsTheReferenceBitmapOfAnEditedBitmapLine) {
    composer_.CmdOrder(0);
    dialogs_.AnswerInputBox("等待时间=100");
    composer_.EditLine(EditSource::kDoubleClick);
    EXPECT_EQ(model_.Rows(), std::vector<std::string>{"等待时间=100"});
    EXPECT_EQ(model_.Bitmaps().count(1), 1u);
}

TEST_F(ComposerTest, EditGoesToTheLineShownEvenWhenTheSelectionMovesMeanwhile) {
    // A run moves the selection while the modal box is open.
    ThreeRows();
    model_.SetSelection(0);
    dialogs_.WhileOpen([this](const ShownDialog&) { model_.SetSelection(2); });
    dialogs_.AnswerInputBox("等待时间=9");
    composer_.EditLine(EditSource::kMenu);
    EXPECT_EQ(model_.Rows(), (std::vector<std::string>{"等待时间=9", "等待时间=2", "等待时间=3"}));
}

// --- The context menu ---

TEST_F(ComposerTest, ContextMenuCaptions) {
    const char* captions[] = {"修改(&E)", "新增更多(&N)", "上移(&U)", "下移(&D)",
                              "删除(&K)", "清空(&C)",     "导入(&O)", "导出(&S)"};
    for (int i = 0; i < kMenuRightCount; ++i) EXPECT_EQ(MenuRightCaption(i), captions[i]);
    EXPECT_EQ(MenuRightCaption(8), "");
}

TEST_F(ComposerTest, ContextMenuListEntriesDoWhatTheirButtonsDo) {
    ThreeRows();
    model_.SetSelection(1);
    composer_.MenuRightClick(2);  // 上移
    EXPECT_EQ(model_.Rows(), (std::vector<std::string>{"等待时间=2", "等待时间=1", "等待时间=3"}));
    EXPECT_EQ(model_.SelectedRow(), 0);

    composer_.MenuRightClick(3);  // 下移
    EXPECT_EQ(model_.Rows(), (std::vector<std::string>{"等待时间=1", "等待时间=2", "等待时间=3"}));
    EXPECT_EQ(model_.SelectedRow(), 1);

    dialogs_.AnswerMessageBox(mb::kIdYes);
    composer_.MenuRightClick(4);  // 删除, confirmed
    EXPECT_EQ(model_.Rows(), (std::vector<std::string>{"等待时间=1", "等待时间=3"}));
    EXPECT_EQ(dialogs_.Shown().back().text, "  你真的要删除当前指令吗？   ");

    dialogs_.AnswerMessageBox(mb::kIdYes);
    composer_.MenuRightClick(5);  // 清空, confirmed
    EXPECT_EQ(model_.RowCount(), 0);
    EXPECT_EQ(dialogs_.Shown().back().text, "  你真的要清空所有指令吗？  ");

    dialogs_.ClearShown();
    composer_.MenuRightClick(6);  // 导入: the plan chooser, cancelled
    ASSERT_EQ(dialogs_.Shown().size(), 1u);
    EXPECT_EQ(dialogs_.Shown()[0].kind, DialogKind::kFileChooser);
    EXPECT_EQ(dialogs_.Shown()[0].title, "请选择文件");
    EXPECT_EQ(dialogs_.Shown()[0].initialFolder, "C:\\Kestrun\\process\\");

    dialogs_.ClearShown();
    model_.SetRows({"等待时间=1"});
    dialogs_.AnswerInputBox("p");
    composer_.MenuRightClick(7);  // 导出
    ASSERT_EQ(dialogs_.Shown().size(), 1u);
    EXPECT_EQ(dialogs_.Shown()[0].title, "方案保存");
    EXPECT_TRUE(files_.FileExists("C:\\Kestrun\\process\\p.csv"));
}

TEST_F(ComposerTest, ContextMenuAddMoreAndUnknownEntriesDoNothingThemselves) {
    ThreeRows();
    for (int index : {1, 8, -1}) composer_.MenuRightClick(index);
    EXPECT_TRUE(dialogs_.Shown().empty());
    EXPECT_EQ(model_.RowCount(), 3);
    EXPECT_EQ(model_.SelectedRow(), 2);
}

TEST_F(ComposerTest, UnknownAddButtonsDoNothing) {
    for (int index : {-1, 9, 100}) composer_.CmdOrder(index);
    EXPECT_TRUE(dialogs_.Shown().empty());
    EXPECT_EQ(model_.RowCount(), 0);
}

TEST_F(ComposerTest, KeyLabelShowsTheKeyNameHelp) {
    composer_.LabKeyClick();
    EXPECT_EQ(dialogs_.Shown(),
              std::vector<ShownDialog>{Message(keys::KeyNameHelpText(), mb::kOk | mb::kIconInformation)});
}

}  // namespace
}  // namespace kestrun
