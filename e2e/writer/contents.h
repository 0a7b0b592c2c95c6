// The two contents writer.exe saves by turns: large enough that a write takes
// a while, different in size and bytes, and each ending in a marker line.
#pragma once

#include <string>

namespace e2e {

inline std::string SavedContent(int which) {
    std::string line = which == 0 ? "鼠标点击=100,100,左键单击\r\n" : "等待时间=5000\r\n";
    std::string content;
    int lines = which == 0 ? 20000 : 30000;
    for (int i = 0; i < lines; ++i) content += line;
    content += which == 0 ? "END A\r\n" : "END B\r\n";
    return content;
}

}  // namespace e2e
