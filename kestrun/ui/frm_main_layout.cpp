#include "kestrun/ui/frm_main_layout.h"

#include <array>

namespace kestrun {

namespace {

constexpr int kFrame2Left = 2520;
constexpr int kFrame2Top = 9975;
constexpr int kBitmapTwips = 400;

constexpr std::array kControls = {
    ControlSpec{id::kFrame1, ControlKind::Frame, "Frame1", "指令选项", 135, 120, 2220, 11445, ""},
    ControlSpec{id::kCmdrecord, ControlKind::Button, "Cmdrecord", "录制(&R)", 2520, 180, 800, 375,
                "本功能只能录制鼠标点击动作"},
    ControlSpec{id::kCmdListManger + 0, ControlKind::Button, "CmdListManger", "上移(&U)", 3320, 180, 800, 375, ""},
    ControlSpec{id::kCmdListManger + 1, ControlKind::Button, "CmdListManger", "下移(&D)", 4120, 180, 800, 375, ""},
    ControlSpec{id::kCmdListManger + 2, ControlKind::Button, "CmdListManger", "删除(&K)", 4920, 180, 800, 375, ""},
    ControlSpec{id::kCmdListManger + 3, ControlKind::Button, "CmdListManger", "清空(&C)", 5720, 180, 800, 375, ""},
    ControlSpec{id::kCmdListManger + 4, ControlKind::Button, "CmdListManger", "导入(&O)", 6520, 180, 800, 375, ""},
    ControlSpec{id::kCmdListManger + 5, ControlKind::Button, "CmdListManger", "导出(&S)", 7320, 180, 800, 375, ""},
    ControlSpec{id::kList1, ControlKind::ListBox, "List1", "", 2520, 735, 5580, 9060, ""},
    ControlSpec{id::kFrame2, ControlKind::Frame, "Frame2", "位图比较", kFrame2Left, kFrame2Top, 4215, 1065, ""},
    ControlSpec{id::kFrame3, ControlKind::Frame, "Frame3", "颜色比较", 6825, 9975, 1275, 1065, ""},
    ControlSpec{id::kLabelColor + 0, ControlKind::ColourLabel, "LabelColor", "", 6945, 10230, 1035, 330, ""},
    ControlSpec{id::kLabelColor + 1, ControlKind::ColourLabel, "LabelColor", "", 6945, 10620, 1035, 330, ""},
    ControlSpec{id::kChkDingshi, ControlKind::CheckBox, "ChkDingshi", "定时执行", 2520, 11235, 1080, 315, ""},
    ControlSpec{id::kTxtStartime, ControlKind::Edit, "TxtStartime", "08:30", 3630, 11220, 660, 330, ""},
    ControlSpec{id::kLabelRound, ControlKind::Label, "Label", "循环次数：", 4410, 11265, 960, 300, ""},
    ControlSpec{id::kTxtRound, ControlKind::Edit, "TxtRound", "", 5340, 11220, 570, 330, "不限次数，请清空次数输入框"},
    ControlSpec{id::kChkShut, ControlKind::CheckBox, "ChkShut", "结束关机", 6000, 11235, 1080, 315,
                "要自动关机，请先保存并关闭重要文件"},
    ControlSpec{id::kCmdGoto, ControlKind::ColourButton, "CmdGoto", "开始执行", 7110, 11175, 990, 420, "系统热键F7"},
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
