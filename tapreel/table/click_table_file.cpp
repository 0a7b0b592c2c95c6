#include "tapreel/table/click_table_file.h"

#include <optional>

#include "common/text/lines.h"
#include "common/text/utf8.h"

namespace tapreel {

std::vector<ClickRow> ParseClickTable(std::string_view text) {
    std::vector<ClickRow> rows;
    for (const std::string& line : text::SplitLines(text)) {
        if (text::Trim(line).empty()) continue;
        std::vector<std::string> fields = text::Split(line, ",");
        ClickRow row;
        row.columns[0] = std::to_string(rows.size() + 1);
        // Field 0 is the old row number and is not used; field k goes into
        // column k + 1, as typed, when it holds more than spaces.
        for (size_t k = 1; k < fields.size() && k < size_t(kColumnCount); ++k) {
            if (text::Trim(fields[k]).empty()) continue;
            row.columns[k] = fields[k];
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string FormatClickTable(const std::vector<ClickRow>& rows) {
    if (rows.empty()) return {};
    std::string out;
    for (const ClickRow& row : rows) {
        for (const std::string& value : row.columns) {
            out += value;
            out += ',';
        }
        out += text::kCrLf;
    }
    out += text::kCrLf;
    return out;
}

std::vector<ClickRow> LoadClickTable(platform::FileSystem& files, const text::AnsiCodec& codec,
                                     const std::string& path) {
    if (!files.FileExists(path)) return {};
    std::optional<std::string> bytes = files.ReadFile(path);
    if (!bytes) return {};
    return ParseClickTable(text::DecodeFileText(codec, *bytes));
}

bool SaveClickTable(platform::FileSystem& files, const text::AnsiCodec& codec, const std::string& path,
                    const std::vector<ClickRow>& rows) {
    // Closing with an empty table must not wipe a table saved earlier: the
    // old rows come back at the next start.
    if (rows.empty()) return false;
    return files.WriteFileAtomic(path, text::EncodeFileText(codec, FormatClickTable(rows)));
}

}  // namespace tapreel
