#include "kestrun/script/list_file.h"

#include "common/text/lines.h"
#include "common/text/utf8.h"

namespace kestrun {

namespace {

void AppendEntries(std::string_view utf8, std::vector<std::string>& entries) {
    for (std::string_view line : text::SplitLineViews(utf8)) {
        std::string entry = text::Trim(line);
        if (!entry.empty()) entries.push_back(std::move(entry));
    }
}

// The end of the slice that starts at begin: just after the first line end
// at or past begin + sliceBytes, or the end of the text. A CR byte is never
// part of a double-byte character of the code page, nor of a UTF-8 sequence.
size_t SliceEnd(std::string_view bytes, size_t begin, size_t sliceBytes) {
    if (bytes.size() - begin <= sliceBytes) return bytes.size();
    size_t cr = bytes.find('\r', begin + sliceBytes - 1);
    if (cr == std::string_view::npos) return bytes.size();
    return cr + 1 < bytes.size() && bytes[cr + 1] == '\n' ? cr + 2 : cr + 1;
}

}  // namespace

std::vector<std::string> ParseListText(std::string_view utf8) {
    std::vector<std::string> entries;
    AppendEntries(utf8, entries);
    return entries;
}

std::vector<std::string> ReadListFile(const text::AnsiCodec& codec, std::string_view bytes,
                                      const std::function<void()>& afterSlice, size_t sliceBytes) {
    std::vector<std::string> entries;
    const bool utf8 = bytes.substr(0, text::kUtf8Bom.size()) == text::kUtf8Bom;
    size_t begin = utf8 ? text::kUtf8Bom.size() : 0;
    while (begin < bytes.size()) {
        const size_t end = SliceEnd(bytes, begin, sliceBytes == 0 ? 1 : sliceBytes);
        const std::string_view slice = bytes.substr(begin, end - begin);
        if (utf8) {
            AppendEntries(slice, entries);
        } else {
            AppendEntries(codec.Decode(slice), entries);
        }
        begin = end;
        if (afterSlice) afterSlice();
    }
    return entries;
}

}  // namespace kestrun
