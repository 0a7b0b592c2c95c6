// The run log "日志.txt": one time-stamped entry per call, appended and
// closed at once, so the file is complete on disk at any moment.
//
// An entry is an optional empty line, then "yyyy-MM-dd HH:mm:ss", a TAB, the
// text and CR LF, in the ANSI code page. A character the code page cannot
// hold is written as "&#x" + hex code point + ";" so nothing of an entry is
// silently lost while the rest of the file keeps its one encoding.
#pragma once

#include <string>
#include <string_view>

#include "common/platform/desktop.h"
#include "common/platform/files.h"
#include "common/text/codec.h"

namespace kestrun {

class RunLog {
public:
    RunLog(platform::Desktop& desktop, platform::FileSystem& files, const text::AnsiCodec& codec)
        : desktop_(desktop), files_(files), codec_(codec) {}

    // The log file, fixed at start-up (program folder + "日志.txt").
    const std::string& Path() const { return path_; }
    void SetPath(std::string path) { path_ = std::move(path); }
    // Whether entries are written at all.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }

    // Appends one entry; a failure loses the entry and nothing else.
    void WriteLog(std::string_view entryText, bool blankLineFirst);

private:
    platform::Desktop& desktop_;
    platform::FileSystem& files_;
    const text::AnsiCodec& codec_;
    std::string path_;
    bool enabled_ = true;
};

// The code-page bytes of a text, with characters the code page cannot hold
// written as "&#xHHHH;".
std::string EncodeWithEscapes(const text::AnsiCodec& codec, std::string_view utf8);

}  // namespace kestrun
