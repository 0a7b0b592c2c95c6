#include "kestrun/ui/frm_main_layout.h"

#include <array>

namespace kestrun {

namespace {

constexpr int kFrame2Left = 2520;
constexpr int kFrame2Top = 9975;
constexpr int kBitmapTwips = 400;

constexpr std::string_view kTipPositionAndColour = "点击此按钮后将鼠标移到指定位置按下F8键获取点击处坐标位置及颜色值";

constexpr std::array kControls = {
    ControlSpec{id::kFrame1, ControlKind::kFrame, "Frame1", "指令选项", 135, 120, 2220, 11445, ""},
    ControlSpec{id::kCmdrecord, ControlKind::kButton, "Cmdrecord", "录制(&R)", 2520, 180, 800, 375,
                "本功能只能录制鼠标点击动作"},
    ControlSpec{id::kCmdListManger + 0, ControlKind::kButton, "CmdListManger", "上移(&U)", 3320, 180, 800, 375, ""},
    ControlSpec{id::kCmdListManger + 1, ControlKind::kButton, "CmdListManger", "下移(&D)", 4120, 180, 800, 375, ""},
    ControlSpec{id::kCmdListManger + 2, ControlKind::kButton, "CmdListManger", "删除(&K)", 4920, 180, 800, 375, ""},
    ControlSpec{id::kCmdListManger + 3, ControlKind::kButton, "CmdListManger", "清空(&C)", 5720, 180, 800, 375, ""},
    ControlSpec{id::kCmdListManger + 4, ControlKind::kButton, "CmdListManger", "导入(&O)", 6520, 180, 800, 375, ""},
    ControlSpec{id::kCmdListManger + 5, ControlKind::kButton, "CmdListManger", "导出(&S)", 7320, 180, 800, 375, ""},
    ControlSpec{id::kList1, ControlKind::kListBox, "List1", "", 2520, 735, 5580, 9060, ""},
    ControlSpec{id::kFrame2, ControlKind::kFrame, "Frame2", "位图比较", kFrame2Left, kFrame2Top, 4215, 1065, ""},
    ControlSpec{id::kFrame3, ControlKind::kFrame, "Frame3", "颜色比较", 6825, 9975, 1275, 1065, ""},
    ControlSpec{id::kLabelColor + 0, ControlKind::kColourLabel, "LabelColor", "", 6945, 10230, 1035, 330, ""},
    ControlSpec{id::kLabelColor + 1, ControlKind::kColourLabel, "LabelColor", "", 6945, 10620, 1035, 330, ""},
    ControlSpec{id::kChkDingshi, ControlKind::kCheckBox, "ChkDingshi", "定时执行", 2520, 11235, 1080, 315, ""},
    ControlSpec{id::kTxtStartime, ControlKind::kEdit, "TxtStartime", "08:30", 3630, 11220, 660, 330, ""},
    ControlSpec{id::kLabelRound, ControlKind::kLabel, "Label", "循环次数：", 4350, 11265, 960, 300, ""},
    ControlSpec{id::kTxtRound, ControlKind::kEdit, "TxtRound", "", 5340, 11220, 570, 330, "不限次数，请清空次数输入框"},
    ControlSpec{id::kChkShut, ControlKind::kCheckBox, "ChkShut", "结束关机", 6000, 11235, 1080, 315,
                "要自动关机，请先保存并关闭重要文件"},
    ControlSpec{id::kCmdGoto, ControlKind::kColourButton, "CmdGoto", "开始执行", 7110, 11175, 990, 420, "系统热键F7"},

    // The instruction composer inside Frame1 (255 .. 2235 across, 390 .. 11055
    // down). Each row kind is a group: its fields on one or two lines, then
    // its add button across the frame. A field line holds the x box at 255,
    // the y box at 1005 and the pick button at 1755; wide fields run from
    // 1005 (after a label) or from 255 (without one) to 2235 or 1695.
    // Bitmap test.
    ControlSpec{id::kTxtScreenX + 0, ControlKind::kEdit, "txtScreenX", "100", 255, 390, 690, 330, ""},
    ControlSpec{id::kTxtScreenY + 0, ControlKind::kEdit, "txtScreenY", "100", 1005, 390, 690, 330, ""},
    ControlSpec{id::kCmdGetXY + 0, ControlKind::kButton, "CmdGetXY", "↖", 1755, 390, 480, 330, kTipPositionAndColour},
    ControlSpec{id::kLabel2 + 0, ControlKind::kLabel, "Label2", "对比图：", 255, 825, 720, 255, ""},
    ControlSpec{id::kLabel2 + 1, ControlKind::kLabel, "Label2", "宽度40px", 255, 1095, 810, 255, ""},
    ControlSpec{id::kPicture2, ControlKind::kPicture, "Picture2", "", 1095, 795, 400, 400, ""},
    ControlSpec{id::kPicture1, ControlKind::kPicture, "Picture1", "", 1560, 795, 400, 400, ""},
    ControlSpec{id::kCmdOrder + 0, ControlKind::kButton, "CmdOrder", "比较位图(&B)", 255, 1380, 1980, 375, ""},
    // Colour test.
    ControlSpec{id::kTxtScreenX + 1, ControlKind::kEdit, "txtScreenX", "100", 255, 1935, 690, 330, ""},
    ControlSpec{id::kTxtScreenY + 1, ControlKind::kEdit, "txtScreenY", "100", 1005, 1935, 690, 330, ""},
    ControlSpec{id::kCmdGetXY + 1, ControlKind::kButton, "CmdGetXY", "↖", 1755, 1935, 480, 330, kTipPositionAndColour},
    ControlSpec{id::kLabel2 + 2, ControlKind::kLabel, "Label2", "颜色：", 255, 2385, 720, 255, ""},
    ControlSpec{id::kTxtColor, ControlKind::kEdit, "txtColor", "835111", 1005, 2340, 1230, 330, ""},
    ControlSpec{id::kCmdOrder + 1, ControlKind::kButton, "CmdOrder", "判断颜色(&P)", 255, 2745, 1980, 375, ""},
    // Mouse click.
    ControlSpec{id::kTxtScreenX + 2, ControlKind::kEdit, "txtScreenX", "100", 255, 3300, 690, 330, ""},
    ControlSpec{id::kTxtScreenY + 2, ControlKind::kEdit, "txtScreenY", "100", 1005, 3300, 690, 330, ""},
    ControlSpec{id::kCmdGetXY + 2, ControlKind::kButton, "CmdGetXY", "↖", 1755, 3300, 480, 330,
                "点击此按钮后将鼠标移到指定位置按下F8键获取点击处坐标位置"},
    ControlSpec{id::kLabel2 + 3, ControlKind::kLabel, "Label2", "动作：", 255, 3750, 720, 255, ""},
    ControlSpec{id::kCmbMouse, ControlKind::kComboBox, "CmbMouse", kCmbMouseItems[0], 1005, 3705, 1230, 330, ""},
    ControlSpec{id::kCmdOrder + 2, ControlKind::kButton, "CmdOrder", "鼠标点击(&J)", 255, 4110, 1980, 375, ""},
    // Mouse drag: start on the first line, end on the second; one pick
    // button serves both.
    ControlSpec{id::kTxtScreenX + 3, ControlKind::kEdit, "txtScreenX", "", 255, 4665, 690, 330, ""},
    ControlSpec{id::kTxtScreenY + 3, ControlKind::kEdit, "txtScreenY", "", 1005, 4665, 690, 330, ""},
    ControlSpec{id::kCmdGetXY + 3, ControlKind::kButton, "CmdGetXY", "↖", 1755, 4665, 480, 330,
                "点击此按钮后将鼠标移到拖拉起止位置按下F8键获取坐标位置"},
    ControlSpec{id::kTxtScreenX + 4, ControlKind::kEdit, "txtScreenX", "200", 255, 5070, 690, 330, ""},
    ControlSpec{id::kTxtScreenY + 4, ControlKind::kEdit, "txtScreenY", "200", 1005, 5070, 690, 330, ""},
    ControlSpec{id::kCmdOrder + 3, ControlKind::kButton, "CmdOrder", "鼠标拖拉(&L)", 255, 5475, 1980, 375, ""},
    // Paste text.
    ControlSpec{id::kTxtScreenX + 5, ControlKind::kEdit, "txtScreenX", "100", 255, 6030, 690, 330, ""},
    ControlSpec{id::kTxtScreenY + 5, ControlKind::kEdit, "txtScreenY", "100", 1005, 6030, 690, 330, ""},
    ControlSpec{id::kCmdGetXY + 4, ControlKind::kButton, "CmdGetXY", "↖", 1755, 6030, 480, 330,
                "点击此按钮后将鼠标移到指定位置按下F8键获取需要粘贴文字处处坐标位置"},
    ControlSpec{id::kLabel2 + 4, ControlKind::kLabel, "Label2", "文字：", 255, 6480, 720, 255, ""},
    ControlSpec{id::kCmbPaste, ControlKind::kComboBox, "CmbPaste", "测试文字", 1005, 6435, 1230, 330,
                "支持拖放加载文字列表，在有列表的情况下，输入列表顺序粘贴，粘贴一条删除一条，输入随机列表，可随机粘贴"},
    ControlSpec{id::kCmdOrder + 4, ControlKind::kButton, "CmdOrder", "粘贴文字(&T)", 255, 6840, 1980, 375, ""},
    // Key.
    ControlSpec{id::kLabKey, ControlKind::kLabel, "LabKey", "键名：", 255, 7440, 720, 255, ""},
    ControlSpec{id::kTxtKeyName, ControlKind::kEdit, "TxtKeyName", "", 1005, 7395, 690, 330, ""},
    ControlSpec{id::kCmdGetXY + 5, ControlKind::kButton, "CmdGetXY", "↖", 1755, 7395, 480, 330,
                "点击此按钮后按下键盘上的按键获取键名"},
    ControlSpec{id::kCmdOrder + 5, ControlKind::kButton, "CmdOrder", "模拟按键(&N)", 255, 7800, 1980, 375, ""},
    // Open file.
    ControlSpec{id::kTxtFilename, ControlKind::kEdit, "txtFilename", "", 255, 8355, 1440, 330,
                "可执行程序可在后面加启动参数，如加\",3\"表示启动时最大化,加\",2\"表示启动后最小化"},
    ControlSpec{id::kCmdGetXY + 6, ControlKind::kButton, "CmdGetXY", "↖", 1755, 8355, 480, 330,
                "点击此按钮定位要打开的文件或运行的程序，系统内置程序如记事本等只输入程序文件名即可"},
    ControlSpec{id::kCmdOrder + 6, ControlKind::kButton, "CmdOrder", "打开文件(&F)", 255, 8760, 1980, 375, ""},
    // Open URL.
    ControlSpec{id::kCmbUrl, ControlKind::kComboBox, "CmbUrl", "", 255, 9315, 1440, 330, ""},
    ControlSpec{id::kCmdGetXY + 7, ControlKind::kButton, "CmdGetXY", "↖", 1755, 9315, 480, 330,
                "点击此处打开网址列表文件导入网址，如果只要一条网址，可直接输入到下面"},
    ControlSpec{id::kCmdOrder + 7, ControlKind::kButton, "CmdOrder", "打开网址(&W)", 255, 9720, 1980, 375, ""},
    // Wait.
    ControlSpec{id::kTxtTime, ControlKind::kEdit, "txtTime", "5000", 255, 10275, 1440, 330, ""},
    ControlSpec{id::kLabel2 + 5, ControlKind::kLabel, "Label2", "毫秒", 1755, 10320, 480, 255, ""},
    ControlSpec{id::kCmdOrder + 8, ControlKind::kButton, "CmdOrder", "等待时间(&M)", 255, 10680, 1980, 375, ""},
};

}  // namespace

std::span<const ControlSpec> MainWindowControls() { return kControls; }

TwipsRect LiveBitmapRect(int n) {
    return {kFrame2Left + (n - 1) * 450 + 100, kFrame2Top + 200, kBitmapTwips, kBitmapTwips};
}

TwipsRect ReferenceBitmapRect(int n) {
    return {kFrame2Left + (n - 1) * 450 + 100, kFrame2Top + 600, kBitmapTwips, kBitmapTwips};
}

}  // namespace kestrun
