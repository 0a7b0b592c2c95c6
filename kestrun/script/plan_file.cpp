#include "kestrun/script/plan_file.h"

#include "common/text/lines.h"
#include "common/text/number.h"
#include "common/text/utf8.h"
#include "kestrun/script/instruction_line.h"

namespace kestrun {

namespace {

using script::InstructionKind;

bool StartsWithKeyword(std::string_view line, std::string_view keyword) { return text::Left(line, 4) == keyword; }

bool ListInUse(const std::vector<std::string>& lines, std::string_view keyword, size_t entryCount) {
    if (entryCount == 0) return false;
    for (const std::string& line : lines) {
        if (StartsWithKeyword(line, keyword) && text::Contains(line, script::kListWord)) return true;
    }
    return false;
}

// The path of a header comment: everything after the first ":" of the line,
// so a drive letter's colon later in the path stays part of it.
std::string HeaderPath(std::string_view line) {
    size_t colon = line.find(':');
    if (colon == std::string_view::npos) return {};
    return text::Trim(line.substr(colon + 1));
}

}  // namespace

bool IsBitmapTestLine(std::string_view line) {
    for (InstructionKind kind :
         {InstructionKind::BitmapTest, InstructionKind::WaitBitmap, InstructionKind::FindBitmap}) {
        if (StartsWithKeyword(line, script::Keyword(kind))) return true;
    }
    return false;
}

std::optional<int> BitmapNumberOfLine(std::string_view line) {
    size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    std::string_view field = line.substr(equals + 1);
    field = field.substr(0, field.find(','));
    std::optional<int16_t> number = text::ToInt16(text::RoundHalfEven(text::LeadingNumber(field)));
    if (!number || *number < 1) return std::nullopt;
    return int(*number);
}

bool PasteListInUse(const std::vector<std::string>& lines, size_t pasteEntryCount) {
    return ListInUse(lines, script::Keyword(InstructionKind::PasteText), pasteEntryCount);
}

bool UrlListInUse(const std::vector<std::string>& lines, size_t urlEntryCount) {
    return ListInUse(lines, script::Keyword(InstructionKind::OpenUrl), urlEntryCount);
}

std::string BuildPlanText(const std::vector<std::string>& lines, const PlanHeader& header) {
    std::vector<std::string> fileLines;
    fileLines.reserve(lines.size() + 4);
    if (header.pasteListPath) fileLines.push_back(std::string(kPasteListHeader) + *header.pasteListPath);
    if (header.urlListPath) fileLines.push_back(std::string(kUrlListHeader) + *header.urlListPath);
    if (header.pasteListPath || header.urlListPath) fileLines.emplace_back();
    fileLines.insert(fileLines.end(), lines.begin(), lines.end());
    fileLines.emplace_back();
    return text::JoinLines(fileLines);
}

std::string PlanFileBytes(const text::AnsiCodec& codec, const std::vector<std::string>& lines,
                          const PlanHeader& header) {
    return text::EncodeFileText(codec, BuildPlanText(lines, header));
}

std::vector<PlanItem> ParsePlanText(std::string_view utf8) {
    std::vector<PlanItem> items;
    for (const std::string& rawLine : text::SplitLines(utf8)) {
        std::string line = text::Trim(rawLine);
        if (line.empty()) continue;
        if (line.front() != '\'') {
            items.push_back({PlanItem::Kind::kInstruction, std::move(line)});
            continue;
        }
        // A comment names a list file only in the two header forms; the paste
        // form wins when a comment happens to hold both key words.
        if (text::Contains(line, kPasteListHeaderKey)) {
            items.push_back({PlanItem::Kind::kPasteListFile, HeaderPath(line)});
        } else if (text::Contains(line, kUrlListHeaderKey)) {
            items.push_back({PlanItem::Kind::kUrlListFile, HeaderPath(line)});
        }
    }
    return items;
}

std::vector<PlanItem> ReadPlanFile(const text::AnsiCodec& codec, std::string_view bytes) {
    return ParsePlanText(text::DecodeFileText(codec, bytes));
}

std::string PlanBaseName(std::string_view planPath) {
    size_t slash = planPath.rfind('\\');
    std::string_view name = slash == std::string_view::npos ? planPath : planPath.substr(slash + 1);
    size_t count = text::CharCount(name);
    return count <= 4 ? std::string() : text::Left(name, count - 4);
}

}  // namespace kestrun
