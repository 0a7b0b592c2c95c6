// Instruction lines: the one text format that the composer writes, plan files
// store and the interpreter reads.
//
// A line is a keyword, "=", and an argument text whose fields are separated
// by ",", for example "鼠标点击=100,100,左键单击". Every reader takes a line
// apart the same way:
//  - the keyword is the text before the first "=", and the argument text is
//    the text between the first and the second "="; whatever follows a second
//    "=" is ignored, so no field can hold "=";
//  - the fields are the pieces of the argument text between the commas, taken
//    as they stand (no trimming, empty pieces kept); an empty argument text
//    has no fields at all;
//  - a missing field reads as the empty text, and as 0 where a number is
//    needed; the number value of a field is its leading number, and where a
//    whole number is needed it is rounded half to even; a value that does not
//    fit its whole-number type is not stored, and the caller keeps the value
//    it had.
// The keyword is compared exactly: same characters, no surrounding spaces.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace script {

// The instruction kinds, in the order in which the interpreter tries their
// keywords: the fourteen classic ones, then the waits, the searches and the
// origin. None stands for a line that is no instruction (an unknown
// keyword or an empty line), which the interpreter never gets past.
enum class InstructionKind {
    None,
    BitmapTest,       // "比较位图" bitmap number, x, y, jump
    ColourTest,       // "判断颜色" x, y, colour, jump
    MouseClick,       // "鼠标点击" x, y, click kind (x and y may hold "R")
    MouseDrag,        // "鼠标拖拉" start x, start y, end x, end y
    PasteText,        // "粘贴文字" x, y, text or list word
    Key,              // "模拟按键" the whole argument text: key text
    OpenFile,         // "打开文件" path, window style (optional, 1 when absent)
    OpenUrl,          // "打开网址" the whole argument text: address or "列表"
    Wait,             // "等待时间" milliseconds (cut at "毫秒")
    Scroll,           // "鼠标滚动" x, y, notches; or notches alone
    ClipboardTest,    // "比较文字" expected text, jump
    FileOperation,    // "文件操作" operation, source, target
    WindowOperation,  // "窗口操作" operation, window title
    Screenshot,       // "屏幕截图" area, quality, x, y, width, height
    WaitColour,       // "等待颜色" x, y, colour, timeout ms, jump [, tolerance]
    WaitBitmap,       // "等待位图" bitmap number, x, y, timeout ms, jump
    WaitWindow,       // "等待窗口" title, timeout ms, jump
    FindColour,       // "查找颜色" x1, y1, x2, y2, colour, tolerance, jump
    FindBitmap,       // "查找位图" bitmap number, x1, y1, x2, y2, tolerance, jump
    WindowOrigin,     // "窗口坐标" window title ("屏幕" or empty: the screen)
};

struct KeywordEntry {
    InstructionKind kind;
    std::string_view keyword;
};

// The keywords in dispatch order.
inline constexpr std::array<KeywordEntry, 20> kKeywords = {{
    {InstructionKind::BitmapTest, "比较位图"},
    {InstructionKind::ColourTest, "判断颜色"},
    {InstructionKind::MouseClick, "鼠标点击"},
    {InstructionKind::MouseDrag, "鼠标拖拉"},
    {InstructionKind::PasteText, "粘贴文字"},
    {InstructionKind::Key, "模拟按键"},
    {InstructionKind::OpenFile, "打开文件"},
    {InstructionKind::OpenUrl, "打开网址"},
    {InstructionKind::Wait, "等待时间"},
    {InstructionKind::Scroll, "鼠标滚动"},
    {InstructionKind::ClipboardTest, "比较文字"},
    {InstructionKind::FileOperation, "文件操作"},
    {InstructionKind::WindowOperation, "窗口操作"},
    {InstructionKind::Screenshot, "屏幕截图"},
    {InstructionKind::WaitColour, "等待颜色"},
    {InstructionKind::WaitBitmap, "等待位图"},
    {InstructionKind::WaitWindow, "等待窗口"},
    {InstructionKind::FindColour, "查找颜色"},
    {InstructionKind::FindBitmap, "查找位图"},
    {InstructionKind::WindowOrigin, "窗口坐标"},
}};

inline constexpr std::string_view kKeywordSeparator = "=";
inline constexpr std::string_view kFieldSeparator = ",";

// The two field values that are words and not data: take the first entry of
// the paste or URL list (and remove it), or a random entry of the paste list.
inline constexpr std::string_view kListWord = "列表";
inline constexpr std::string_view kRandomListWord = "随机列表";

// The cycle placeholder of mouse click coordinates (capital only).
inline constexpr std::string_view kCyclePlaceholder = "R";

// The unit at which the wait instruction cuts its argument text.
inline constexpr std::string_view kMilliseconds = "毫秒";

// The keyword of a kind ("" for None), and the kind of a keyword (None when it
// is no instruction's).
std::string_view Keyword(InstructionKind kind);
InstructionKind KindOfKeyword(std::string_view keyword);

// The click kinds that field 3 of a mouse click names. The composer offers
// the first three; the recorder writes the single clicks, the middle one
// too. A run moves the pointer for every click line but clicks only for the
// first three kinds: a middle click, like any other text, clicks nothing.
enum class ClickKind { None, LeftClick, LeftDoubleClick, RightClick, MiddleClick };

struct ClickKindEntry {
    ClickKind kind;
    std::string_view text;
};

inline constexpr std::array<ClickKindEntry, 4> kClickKinds = {{
    {ClickKind::LeftClick, "左键单击"},
    {ClickKind::LeftDoubleClick, "左键双击"},
    {ClickKind::RightClick, "右键单击"},
    {ClickKind::MiddleClick, "中键单击"},
}};

// The text of a click kind ("" for None); constant, so that tables of
// captions can be built from it.
constexpr std::string_view ClickKindText(ClickKind kind) {
    for (const ClickKindEntry& entry : kClickKinds) {
        if (entry.kind == kind) return entry.text;
    }
    return {};
}
// The kind a field names, compared exactly; None for any other text.
ClickKind KindOfClickText(std::string_view text);

// The operation words of a file line (field 1); any other word does nothing.
inline constexpr std::string_view kFileCopy = "复制";
inline constexpr std::string_view kFileMove = "移动";
inline constexpr std::string_view kFileDelete = "删除";
constexpr bool IsFileOperationWord(std::string_view word) {
    return word == kFileCopy || word == kFileMove || word == kFileDelete;
}

// The areas of a screenshot line (field 1); any other word takes a region.
inline constexpr std::string_view kShotScreen = "屏幕";
inline constexpr std::string_view kShotWindow = "窗口";
inline constexpr std::string_view kShotRegion = "区域";

// A line taken apart by the reading rules.
class InstructionLine {
public:
    explicit InstructionLine(std::string_view line);

    InstructionKind Kind() const { return kind_; }
    const std::string& KeywordText() const { return keyword_; }
    // The text between the first and the second "=" (empty without "=").
    const std::string& ArgumentText() const { return argumentText_; }
    const std::vector<std::string>& Fields() const { return fields_; }
    size_t FieldCount() const { return fields_.size(); }
    bool HasField(size_t number) const { return number >= 1 && number <= fields_.size(); }

    // Field `number`, counted from 1; the empty text when missing.
    const std::string& Field(size_t number) const;
    // The number value of field `number` (0 when missing).
    double FieldNumber(size_t number) const;
    // The field's number value rounded half to even; nullopt when it does not
    // fit (a missing field gives 0).
    std::optional<int32_t> FieldInt32(size_t number) const;
    std::optional<int16_t> FieldInt16(size_t number) const;

private:
    std::string keyword_;
    std::string argumentText_;
    std::vector<std::string> fields_;
    InstructionKind kind_ = InstructionKind::None;
};

// The kind of a line: its keyword looked up; None for an empty line.
InstructionKind KindOfLine(std::string_view line);

// The fields of an argument text: the pieces between the commas, kept as they
// stand; no fields at all for the empty text.
std::vector<std::string> SplitFields(std::string_view argumentText);

// Writes a line: keyword, "=", and the fields joined with ",", nothing added,
// trimmed or escaped. Every line the programs build is written here, so what
// they write is what InstructionLine reads: the same fields again, as long as
// no field holds "," or "=" and the line is not a single empty field (which
// reads as no field at all). A text the user typed is passed on as the last
// field with its commas, and so becomes as many fields as it holds: the path
// "notepad.exe,3" of the file row is a path and a window style.
std::string WriteLine(InstructionKind kind, std::initializer_list<std::string_view> fields);
std::string WriteLine(InstructionKind kind, std::span<const std::string> fields);
std::string WriteLine(std::string_view keyword, std::span<const std::string> fields);

// Cycle placeholder helpers for the x and y fields of a mouse click.
bool HasCyclePlaceholder(std::string_view field);
// Every "R" replaced by the cycle number written in decimal.
std::string SubstituteCycle(std::string_view field, int32_t cycle);
// The field as the click reads it: a field with "R" is substituted and
// evaluated, and becomes the value written as a decimal number; when the
// evaluation faults it stays the substituted text (so "100/(R-1)" in cycle 1
// becomes "100/(1-1)", which reads as 100). A field without "R" is never
// evaluated: "100+5" stays as it is and reads as 100.
std::string ResolveClickField(std::string_view field, int32_t cycle);
// The click coordinate: the number value of the resolved field, rounded half
// to even; nullopt when it does not fit 32 bits.
std::optional<int32_t> ClickCoordinate(std::string_view field, int32_t cycle);

// The title of the window origin line that stands for the screen itself.
inline constexpr std::string_view kOriginScreenWord = "屏幕";

// The found-point placeholders of coordinate fields (capitals only): the x
// and the y of the point the last search found.
inline constexpr std::string_view kFoundXPlaceholder = "X";
inline constexpr std::string_view kFoundYPlaceholder = "Y";

// A coordinate field of any kind as it reads: a field with "X" or "Y" has
// them replaced by the found point's numbers and is evaluated like a click
// field with "R" (a fault keeps the substituted text). With a cycle, as in
// a click's x and y, "R" counts too; elsewhere "R" means nothing. A field
// without any of them reads exactly as before.
std::optional<int32_t> CoordinateValue(std::string_view field, int32_t foundX, int32_t foundY,
                                       std::optional<int32_t> cycle);

// The wait instruction's duration: the number value of the argument text up to
// its first "毫秒" (all of it without one), rounded; nullopt when it does not
// fit 32 bits. "1000毫秒", "1000" and "1000ms" all give 1000; "abc" gives 0.
std::string_view WaitDurationText(std::string_view argumentText);
std::optional<int32_t> WaitDuration(std::string_view argumentText);

// The scroll instruction's reading: with exactly three fields the pointer moves
// to (x, y) first and field 3 is the notch count; with any other number of
// fields field 1 is the notch count and the pointer stays. The notch count is
// 16-bit; a value that does not fit gives nullopt.
struct ScrollReading {
    bool movesPointer = false;
    std::optional<int32_t> x;
    std::optional<int32_t> y;
    std::optional<int16_t> notches;
};
ScrollReading ReadScroll(const InstructionLine& line);

}  // namespace script
