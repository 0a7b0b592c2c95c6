// The plan file: one instruction line per text line, in the system's ANSI
// code page, every line ended by CR LF.
//
//   '粘贴列表文件: C:\lists\paste.txt      only while the paste list is in use
//   '网址列表文件: C:\lists\urls.txt       only while the URL list is in use
//                                          one empty line after the header block
//   鼠标点击=100,100,左键单击               the instruction lines, in list order
//   粘贴文字=100,100,列表
//                                          one final empty line
//
// A reader trims each line of spaces, skips empty lines, and treats a line
// starting with "'" as a comment; the two comment forms above name the list
// files, and any other comment is ignored.
//
// A plan that holds a character the code page cannot hold is written as UTF-8
// with a byte-order mark instead, so nothing typed is lost; the reader takes
// either form.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/text/codec.h"

namespace kestrun {

inline constexpr std::string_view kPasteListHeader = "'粘贴列表文件: ";
inline constexpr std::string_view kUrlListHeader = "'网址列表文件: ";
inline constexpr std::string_view kPasteListHeaderKey = "粘贴列表文件:";
inline constexpr std::string_view kUrlListHeaderKey = "网址列表文件:";

// Bitmap numbers are 16-bit signed, so this is the highest one there can be.
inline constexpr int kHighestBitmapNumber = 32767;

// True when the first four characters of the line are the keyword of a line
// that holds a reference bitmap number as its first field: the bitmap test
// "比较位图", its wait "等待位图" and its search "查找位图". These lines share
// one numbering: saving, loading and deleting treat them alike.
bool IsBitmapTestLine(std::string_view line);

// The bitmap number that such a line refers to: the text after the
// first "=" up to the first ",", read as a number and rounded half to even.
// nullopt when that is not a number from 1 to 32767 (or there is no "=").
std::optional<int> BitmapNumberOfLine(std::string_view line);

// The paste list is in use when a line starts with "粘贴文字" and contains
// "列表" anywhere ("随机列表" too), and the list holds at least one entry.
bool PasteListInUse(const std::vector<std::string>& lines, size_t pasteEntryCount);
// The URL list likewise, for lines starting with "打开网址".
bool UrlListInUse(const std::vector<std::string>& lines, size_t urlEntryCount);

// The header block: each path is present exactly when its list is in use.
struct PlanHeader {
    std::optional<std::string> pasteListPath;
    std::optional<std::string> urlListPath;
};

// The whole plan file as UTF-8 text, CR LF line ends and the final empty line
// included (an empty plan without lists in use is CR LF alone).
std::string BuildPlanText(const std::vector<std::string>& lines, const PlanHeader& header);
// The same, encoded for the file.
std::string PlanFileBytes(const text::AnsiCodec& codec, const std::vector<std::string>& lines,
                          const PlanHeader& header);

// One meaningful line of a plan file, in file order.
struct PlanItem {
    enum class Kind { kInstruction, kPasteListFile, kUrlListFile };
    Kind kind = Kind::kInstruction;
    std::string text;  // the trimmed instruction line, or the list file path (possibly empty)
    bool operator==(const PlanItem&) const = default;
};

// The items of a plan file's text: instruction lines trimmed of spaces, and
// the list file paths of the header comments (the text after the first ":"
// of the line, trimmed). Empty lines and other comments yield nothing.
std::vector<PlanItem> ParsePlanText(std::string_view utf8);
// The same, from the file's bytes.
std::vector<PlanItem> ReadPlanFile(const text::AnsiCodec& codec, std::string_view bytes);

// The plan's base name: the part of the path after its last "\", without its
// last four characters (the extension ".csv").
std::string PlanBaseName(std::string_view planPath);

}  // namespace kestrun
