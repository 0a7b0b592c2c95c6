// Text-file lines: CR LF or a lone CR ends a line, a lone LF is text.

#include "common/text/lines.h"

namespace text {

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string_view> views = SplitLineViews(text);
    return std::vector<std::string>(views.begin(), views.end());
}

std::vector<std::string_view> SplitLineViews(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t begin = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] != '\r') {
            ++pos;
            continue;
        }
        lines.emplace_back(text.substr(begin, pos - begin));
        ++pos;
        if (pos < text.size() && text[pos] == '\n') ++pos;
        begin = pos;
    }
    if (begin < text.size()) lines.emplace_back(text.substr(begin));
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    size_t size = 0;
    for (const std::string& line : lines) size += line.size() + kCrLf.size();
    std::string out;
    out.reserve(size);
    for (const std::string& line : lines) {
        out += line;
        out += kCrLf;
    }
    return out;
}

}  // namespace text
