#include "kestrun/ui/frm_main_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "kestrun/model/main_model.h"

namespace kestrun {
namespace {

const ControlSpec* Find(int controlId) {
    for (const ControlSpec& spec : MainWindowControls()) {
        if (spec.id == controlId) return &spec;
    }
    return nullptr;
}

bool Inside(const ControlSpec& inner, const ControlSpec& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.left + inner.width <= outer.left + outer.width &&
           inner.top + inner.height <= outer.top + outer.height;
}

bool Overlap(const ControlSpec& a, const ControlSpec& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

bool IsComposerControl(const ControlSpec& spec) { return spec.id >= id::kCmdOrder && spec.id <= id::kPicture2; }

TEST(ComposerLayout, ControlIdsAreUnique) {
    std::set<int> ids;
    for (const ControlSpec& spec : MainWindowControls()) EXPECT_TRUE(ids.insert(spec.id).second) << spec.id;
}

TEST(ComposerLayout, ComposerControlsLieInsideFrameOneWithoutOverlapping) {
    const ControlSpec* frame = Find(id::kFrame1);
    ASSERT_NE(frame, nullptr);
    std::vector<const ControlSpec*> composer;
    for (const ControlSpec& spec : MainWindowControls()) {
        if (IsComposerControl(spec)) composer.push_back(&spec);
    }
    // 9 add buttons, 8 pick buttons, 12 coordinate boxes, 7 fields, 7 labels, 2 pictures.
    EXPECT_EQ(composer.size(), 45u);
    for (size_t i = 0; i < composer.size(); ++i) {
        SCOPED_TRACE(std::string(composer[i]->name) + " " + std::to_string(composer[i]->id));
        EXPECT_TRUE(Inside(*composer[i], *frame));
        // Below the frame's caption.
        EXPECT_GE(composer[i]->top, frame->top + 240);
        for (size_t j = i + 1; j < composer.size(); ++j) {
            EXPECT_FALSE(Overlap(*composer[i], *composer[j])) << composer[j]->name << " " << composer[j]->id;
        }
    }
}

TEST(ComposerLayout, ComposerControlsCarryTheirCaptionsAndDefaults) {
    const char* orders[] = {"比较位图(&B)", "判断颜色(&P)", "鼠标点击(&J)", "鼠标拖拉(&L)", "粘贴文字(&T)",
                            "模拟按键(&N)", "打开文件(&F)", "打开网址(&W)", "等待时间(&M)"};
    for (int i = 0; i < 9; ++i) {
        const ControlSpec* spec = Find(id::kCmdOrder + i);
        ASSERT_NE(spec, nullptr) << i;
        EXPECT_EQ(spec->caption, orders[i]);
        EXPECT_EQ(spec->name, "CmdOrder");
    }
    // The boxes start with the texts the model starts with.
    MainModel model;
    for (int i = 0; i < kScreenBoxCount; ++i) {
        SCOPED_TRACE(i);
        ASSERT_NE(Find(id::kTxtScreenX + i), nullptr);
        ASSERT_NE(Find(id::kTxtScreenY + i), nullptr);
        EXPECT_EQ(Find(id::kTxtScreenX + i)->caption, model.TxtScreenX(i));
        EXPECT_EQ(Find(id::kTxtScreenY + i)->caption, model.TxtScreenY(i));
    }
    EXPECT_EQ(Find(id::kTxtColor)->caption, model.TxtColor());
    EXPECT_EQ(Find(id::kCmbMouse)->caption, model.CmbMouseText());
    EXPECT_EQ(Find(id::kCmbPaste)->caption, model.CmbPasteText());
    EXPECT_EQ(Find(id::kCmbUrl)->caption, model.CmbUrlText());
    EXPECT_EQ(Find(id::kTxtKeyName)->caption, model.TxtKeyName());
    EXPECT_EQ(Find(id::kTxtFilename)->caption, model.TxtFilename());
    EXPECT_EQ(Find(id::kTxtTime)->caption, model.TxtTime());
    EXPECT_EQ(Find(id::kLabKey)->caption, "键名：");
    EXPECT_EQ(Find(id::kLabel2 + 0)->caption, "对比图：");
    EXPECT_EQ(Find(id::kLabel2 + 1)->caption, "宽度40px");
    EXPECT_EQ(Find(id::kPicture1)->kind, ControlKind::kPicture);
    EXPECT_EQ(Find(id::kPicture2)->kind, ControlKind::kPicture);
    EXPECT_EQ(Find(id::kPicture2)->width, 400);
    EXPECT_EQ(Find(id::kPicture2)->height, 400);
    EXPECT_EQ(kCmbMouseItems[0], "左键单击");
    EXPECT_EQ(kCmbMouseItems[1], "左键双击");
    EXPECT_EQ(kCmbMouseItems[2], "右键单击");
}

TEST(ComposerLayout, ComposerTooltips) {
    const std::string positionAndColour = "点击此按钮后将鼠标移到指定位置按下F8键获取点击处坐标位置及颜色值";
    const std::string tips[] = {
        positionAndColour,
        positionAndColour,
        "点击此按钮后将鼠标移到指定位置按下F8键获取点击处坐标位置",
        "点击此按钮后将鼠标移到拖拉起止位置按下F8键获取坐标位置",
        "点击此按钮后将鼠标移到指定位置按下F8键获取需要粘贴文字处处坐标位置",
        "点击此按钮后按下键盘上的按键获取键名",
        "点击此按钮定位要打开的文件或运行的程序，系统内置程序如记事本等只输入程序文件名即可",
        "点击此处打开网址列表文件导入网址，如果只要一条网址，可直接输入到下面",
    };
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        const ControlSpec* spec = Find(id::kCmdGetXY + i);
        ASSERT_NE(spec, nullptr);
        EXPECT_EQ(spec->caption, "↖");
        EXPECT_EQ(spec->tooltip, tips[i]);
    }
    EXPECT_EQ(Find(id::kCmbPaste)->tooltip,
              "支持拖放加载文字列表，在有列表的情况下，输入列表顺序粘贴，粘贴一条删除一条，输入随机列表，可随机粘贴");
    EXPECT_EQ(Find(id::kTxtFilename)->tooltip,
              "可执行程序可在后面加启动参数，如加\",3\"表示启动时最大化,加\",2\"表示启动后最小化");
    for (int controlId : {id::kTxtColor, id::kCmbMouse, id::kTxtTime, id::kTxtScreenX, id::kCmdOrder}) {
        EXPECT_EQ(Find(controlId)->tooltip, "") << controlId;
    }
}

}  // namespace
}  // namespace kestrun
