#include "common/platform/file_names.h"

#include <array>

#include "common/text/utf8.h"

namespace platform {
namespace {

constexpr std::string_view kTemporaryInfix = ".~";
constexpr std::string_view kTemporarySuffix = ".tmp";

bool IsDriveAt(std::string_view path, size_t at) {
    if (path.size() < at + 2 || path[at + 1] != ':') return false;
    char letter = char(path[at] | 0x20);
    return letter >= 'a' && letter <= 'z';
}

// The last part of a path, after its last "\" or "/".
std::string_view LastPart(std::string_view path) {
    size_t separator = path.find_last_of("\\/");
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

bool IsReservedName(std::string_view name) {
    // The device is the name before its extension (or a stream's ":"),
    // without the blanks the system drops.
    name = name.substr(0, name.find_first_of(".:"));
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    const std::string lower = text::AsciiLower(name);
    static constexpr std::array<std::string_view, 6> kWords = {"con", "prn", "aux", "nul", "conin$", "conout$"};
    for (std::string_view word : kWords) {
        if (lower == word) return true;
    }
    bool numbered = lower.size() == 4 && (lower.starts_with("com") || lower.starts_with("lpt"));
    return numbered && lower[3] >= '0' && lower[3] <= '9';
}

}  // namespace

bool IsDeviceName(std::string_view path) {
    // "\\.\" and "\\?\" open the system's own namespace: beyond a drive
    // ("\\.\C:\...") or a share ("\\?\UNC\...") every name there is a device.
    if (path.size() >= 4 && (path[0] == '\\' || path[0] == '/') && (path[1] == '\\' || path[1] == '/') &&
        (path[2] == '.' || path[2] == '?') && (path[3] == '\\' || path[3] == '/')) {
        bool share = text::AsciiLower(path.substr(4, 4)) == "unc\\";
        if (!IsDriveAt(path, 4) && !share) return true;
    }
    return IsReservedName(LastPart(path));
}

std::string TemporaryPathFor(std::string_view target, uint32_t processId) {
    return std::string(target) + std::string(kTemporaryInfix) + std::to_string(processId) +
           std::string(kTemporarySuffix);
}

std::optional<uint32_t> TemporaryFileOwner(std::string_view targetName, std::string_view name) {
    const std::string lower = text::AsciiLower(name);
    const std::string prefix = text::AsciiLower(targetName) + std::string(kTemporaryInfix);
    if (lower.size() <= prefix.size() + kTemporarySuffix.size()) return std::nullopt;
    if (!lower.starts_with(prefix) || !lower.ends_with(kTemporarySuffix)) return std::nullopt;
    const size_t length = lower.size() - prefix.size() - kTemporarySuffix.size();
    if (length > 10) return std::nullopt;
    const std::string_view digits = std::string_view(lower).substr(prefix.size(), length);
    uint64_t id = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        id = id * 10 + uint64_t(c - '0');
    }
    // Only the number as a save writes it: no sign, no leading zero, 32 bits.
    if (id > UINT32_MAX || std::to_string(id) != digits) return std::nullopt;
    return uint32_t(id);
}

}  // namespace platform
