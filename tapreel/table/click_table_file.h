// The click table file "操作信息.csv" in the program folder.
//
// The format: plain text in the system's ANSI code page, no header line, no
// quoting or escaping. One line per row in table order; a line holds the
// nine columns in order, each followed by "," (so it ends with a comma), and
// ends with CR LF. After the last row's line comes one more CR LF, an empty
// last line. Check marks are not stored. A value that itself holds "," is
// written unchanged and reads back as two fields.
//
// Reading is forgiving: blank lines are skipped, the first field of a line is
// not used (rows are numbered 1, 2, 3 ... as they are read), empty fields
// leave their column empty, and fields beyond column 9 are dropped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/platform/files.h"
#include "common/text/codec.h"
#include "tapreel/table/click_table.h"

namespace tapreel {

inline constexpr std::string_view kClickTableFileName = "操作信息.csv";

// The rows of a file's text (already decoded to UTF-8).
std::vector<ClickRow> ParseClickTable(std::string_view text);
// The file's text (UTF-8, before encoding) for the rows; empty for no rows.
std::string FormatClickTable(const std::vector<ClickRow>& rows);

// The rows of the file at path; no rows when the file is missing or
// unreadable.
std::vector<ClickRow> LoadClickTable(platform::FileSystem& files, const text::AnsiCodec& codec,
                                     const std::string& path);

// Writes the rows to the file at path, replacing it whole through a temporary
// file, so the file is always the old one or the new one. A table without
// rows writes nothing at all: an existing file keeps its old rows and a
// missing one is not made. Returns true when the file holds the rows.
bool SaveClickTable(platform::FileSystem& files, const text::AnsiCodec& codec, const std::string& path,
                    const std::vector<ClickRow>& rows);

}  // namespace tapreel
