#include "kestrun/engine/run_log.h"

#include <cstdio>

#include "common/text/timestamp.h"
#include "common/text/utf8.h"

namespace kestrun {

std::string EncodeWithEscapes(const text::AnsiCodec& codec, std::string_view utf8) {
    if (auto whole = codec.Encode(utf8)) return *whole;
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        size_t len = 1;
        char32_t cp = text::DecodeAt(utf8, i, len);
        std::string_view one = utf8.substr(i, len);
        if (auto bytes = codec.Encode(one)) {
            out += *bytes;
        } else {
            char escape[24];
            std::snprintf(escape, sizeof escape, "&#x%X;", unsigned(cp & ~text::kInvalidByte));
            out += escape;
        }
        i += len;
    }
    return out;
}

void RunLog::WriteLog(std::string_view entryText, bool blankLineFirst) {
    if (!enabled_) return;
    std::string entry;
    if (blankLineFirst) entry += "\r\n";
    entry += text::LogTimeStamp(desktop_.LocalNow());
    entry += '\t';
    entry += EncodeWithEscapes(codec_, entryText);
    entry += "\r\n";
    files_.AppendFile(path_, entry);
}

}  // namespace kestrun
