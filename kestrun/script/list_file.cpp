#include "kestrun/script/list_file.h"

#include "common/text/lines.h"
#include "common/text/utf8.h"

namespace kestrun {

std::vector<std::string> ParseListText(std::string_view utf8) {
    std::vector<std::string> entries;
    for (const std::string& line : text::SplitLines(utf8)) {
        std::string entry = text::Trim(line);
        if (!entry.empty()) entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<std::string> ReadListFile(const text::AnsiCodec& codec, std::string_view bytes) {
    return ParseListText(text::DecodeFileText(codec, bytes));
}

}  // namespace kestrun
