// The window operation: finds another program's top-level window by its
// title and brings it to the front, places it in or out of the topmost band,
// maximises, minimises, restores, hides or shows it, makes it half
// transparent, or asks it to close.
//
// Operation words, lower-cased (ASCII letters only) and compared exactly;
// the first row that holds the word applies:
//   激活 activate 置前      SetForegroundWindow              pause 100 ms
//   置顶 topmost            topmost band on                  pause 100 ms
//   取消置顶 notopmost 取消置前  topmost band off            pause 100 ms
//   最大化 max              ShowWindow 3                     pause 100 ms
//   最小化 min              ShowWindow 6                     pause 100 ms
//   还原 恢复 restore        ShowWindow 9                     pause 100 ms
//   隐藏 hide               ShowWindow 0                     pause 100 ms
//   显示 show               ShowWindow 5                     pause 100 ms
//   半透明                  layered style, opacity 125 of 255  no pause
//   关闭 close              close request, answered           pause 200 ms
// Any other word does nothing and writes nothing.
//
// Titles are UTF-8. Letters compare without regard to case only within ASCII;
// Chinese and other characters compare exactly.
#pragma once

#include <functional>
#include <string_view>

#include "common/platform/desktop.h"

namespace kestrun {

inline constexpr std::string_view kWindowNotFoundPrefix = "【错误】找不到窗口: ";

// Finds the window (see FindWindowForOperation) and performs the operation.
// When no window is found, writeLog receives "【错误】找不到窗口: " + title
// (the caller writes it to the run log without a blank line before it) and
// nothing else happens. The results of the platform calls are ignored: a
// window that refuses a foreground change or answers the close request with
// a question of its own passes silently.
void WindowOperation(platform::Desktop& desktop, std::string_view title, std::string_view operationWord,
                     const std::function<void(std::string_view)>& writeLog);

// Whether the word names an operation of the table above.
bool IsWindowOperationWord(std::string_view operationWord);

// The window an operation acts on: a window whose whole title equals the
// given one (the platform's exact lookup), else FindWindowByTitle. An empty
// title finds nothing: the exact lookup would take some window without a
// title and the containing search the first window of all, and an operation
// as drastic as closing must not land on an arbitrary window.
platform::WindowHandle FindWindowForOperation(platform::Desktop& desktop, std::string_view title);

// The containing search: the first top-level window in the platform's order
// whose title contains the given text, ignoring ASCII case. Windows without a
// title are skipped; hidden windows take part. 0 when none is found, and for
// the empty text.
platform::WindowHandle FindWindowByTitle(platform::Desktop& desktop, std::string_view title);

// The window that the waits and the window origin look for: the window
// search above, but only a visible window counts, so a wait for a window
// ends when the window shows. 0 for the empty title.
platform::WindowHandle FindVisibleWindow(platform::Desktop& desktop, std::string_view title);

}  // namespace kestrun
