// Editing the click table by hand: header clicks, the two pop-up menus, value
// editing through the "项目值修改" input box, removing rows, moving rows with
// Shift+Up and Shift+Down, Shift+Delete and Shift+A, and the keep-on-top box.
//
// Commands that act on the current row act on it alone and do nothing when
// no row is current; no command renumbers rows. Which pop-up menu a header
// click asks for is returned to the view, which shows it at the pointer and
// calls OnMenuKey or OnMenuClick with the chosen item.
#pragma once

#include <array>
#include <string_view>

#include "common/platform/desktop.h"
#include "common/platform/dialogs.h"
#include "tapreel/model/frmmain_model.h"

namespace tapreel {

inline constexpr std::string_view kEditPrompt = "    请输入当前项的新值";
inline constexpr std::string_view kEditTitle = "项目值修改";
inline constexpr std::string_view kRemoveCheckedQuestion = "    你确实要将当前所有选中的项目删除吗？    ";
inline constexpr std::string_view kNoticeTitle = "提示";

// The pop-up menus: "键名" (menujm) with its items menukey(0..1), "点击"
// (menudj) with its items menuclick(0..1).
inline constexpr std::string_view kMenujmCaption = "键名";
inline constexpr std::array<std::string_view, 2> kMenukeyItems = {"左键(&L)", "右键(&R)"};
inline constexpr std::string_view kMenudjCaption = "点击";
inline constexpr std::array<std::string_view, 2> kMenuclickItems = {"单击(&A)", "双击(&D)"};

enum class PopupMenu { kNone, kKeyName, kClick };

// The keys that carry a command when Shift is the only modifier held.
enum class TableKey { kUp, kDown, kDelete, kA, kOther };

struct Modifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

class TableEditor {
public:
    TableEditor(FrmmainModel& model, platform::Desktop& desktop, platform::Dialogs& dialogs)
        : model_(model), desktop_(desktop), dialogs_(dialogs) {}

    // A click on the header of column 1 to 9. Returns the pop-up menu the
    // view must show at the pointer (headers 4 and 5), kNone otherwise.
    PopupMenu OnHeaderClick(int column);
    // An item of the "键名" menu (0 "左键(&L)", 1 "右键(&R)").
    void OnMenuKey(int index);
    // An item of the "点击" menu (0 "单击(&A)", 1 "双击(&D)").
    void OnMenuClick(int index);
    // A double click in the table: removes the current row without asking.
    void OnDoubleClick();
    // A key pressed in the table. True when it carried a command, and the
    // view must then not give the key its ordinary effect as well (the
    // command has already moved the current row where that effect would).
    bool OnKey(TableKey key, Modifiers modifiers);
    // The keep-on-top box was ticked or unticked.
    void OnChktop(bool ticked);

    // The commands themselves.
    void EditValue(int column);
    void FlipCheckMarks();
    void MoveCurrentRow(int step);
    void RemoveCheckedRows();

private:
    FrmmainModel& model_;
    platform::Desktop& desktop_;
    platform::Dialogs& dialogs_;
};

}  // namespace tapreel
