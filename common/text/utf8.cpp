// Code-point-aware text helpers.
//
// A valid UTF-8 character is one to four bytes; everything else (a stray
// continuation byte, a truncated or overlong sequence, an encoded surrogate,
// a value above U+10FFFF) is taken one byte at a time, each byte counting as
// one character. Cutting and trimming work on byte ranges found this way, so
// the bytes of the text are always kept exactly as they were.

#include "common/text/utf8.h"

namespace text {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Byte offset of character number index (0-based), or s.size() when the text
// has fewer characters.
size_t OffsetOfChar(std::string_view s, size_t index) {
    size_t pos = 0;
    for (size_t n = 0; n < index && pos < s.size(); ++n) {
        size_t len = 0;
        DecodeAt(s, pos, len);
        pos += len;
    }
    return pos;
}

std::string TrimChars(std::string_view s, std::string_view blanks) {
    size_t first = s.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    size_t last = s.find_last_not_of(blanks);
    return std::string(s.substr(first, last - first + 1));
}

}  // namespace

char32_t DecodeAt(std::string_view s, size_t i, size_t& len) {
    if (i >= s.size()) {
        len = 0;
        return 0;
    }
    auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char lead = byte(i);
    len = 1;
    if (lead < 0x80) return lead;

    size_t need = 0;
    char32_t cp = 0;
    // The allowed range of the second byte rules out overlong forms,
    // surrogates and values above U+10FFFF in one test.
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        need = 1;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        need = 2;
        cp = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        need = 3;
        cp = lead & 0x07;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return kInvalidByte | lead;
    }
    if (i + need >= s.size()) return kInvalidByte | lead;
    unsigned char second = byte(i + 1);
    if (second < low || second > high) return kInvalidByte | lead;
    cp = (cp << 6) | (second & 0x3F);
    for (size_t k = 2; k <= need; ++k) {
        unsigned char next = byte(i + k);
        if (!IsContinuation(next)) return kInvalidByte | lead;
        cp = (cp << 6) | (next & 0x3F);
    }
    len = need + 1;
    return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp & kInvalidByte) {
        out += static_cast<char>(cp & 0xFF);
        return;
    }
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

size_t CharCount(std::string_view s) {
    size_t count = 0;
    size_t pos = 0;
    while (pos < s.size()) {
        size_t len = 0;
        DecodeAt(s, pos, len);
        pos += len;
        ++count;
    }
    return count;
}

std::string Mid(std::string_view s, size_t start, size_t count) {
    size_t begin = OffsetOfChar(s, start);
    std::string_view rest = s.substr(begin);
    if (count == std::string::npos) return std::string(rest);
    return std::string(rest.substr(0, OffsetOfChar(rest, count)));
}

std::string Left(std::string_view s, size_t count) { return std::string(s.substr(0, OffsetOfChar(s, count))); }

std::string Shortened(std::string_view s, size_t count) {
    std::string shown = Left(s, count);
    if (shown.size() < s.size()) shown += "…";
    return shown;
}

std::string Right(std::string_view s, size_t count) {
    size_t total = CharCount(s);
    if (count >= total) return std::string(s);
    return Mid(s, total - count);
}

std::string Trim(std::string_view s) { return TrimChars(s, " "); }

std::string TrimBlanks(std::string_view s) { return TrimChars(s, " \t"); }

std::vector<std::string> Split(std::string_view s, std::string_view sep) {
    std::vector<std::string> pieces;
    if (sep.empty()) {
        pieces.emplace_back(s);
        return pieces;
    }
    size_t begin = 0;
    for (;;) {
        size_t found = s.find(sep, begin);
        if (found == std::string_view::npos) break;
        pieces.emplace_back(s.substr(begin, found - begin));
        begin = found + sep.size();
    }
    pieces.emplace_back(s.substr(begin));
    return pieces;
}

std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(s);
    std::string out;
    out.reserve(s.size());
    size_t begin = 0;
    for (;;) {
        size_t found = s.find(from, begin);
        if (found == std::string_view::npos) break;
        out.append(s, begin, found - begin);
        out.append(to);
        begin = found + from.size();
    }
    out.append(s, begin);
    return out;
}

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

bool EndsWith(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

bool Contains(std::string_view s, std::string_view part) { return s.find(part) != std::string_view::npos; }

std::string AsciiUpper(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

std::string AsciiLower(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

std::u16string ToUtf16(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    size_t pos = 0;
    while (pos < s.size()) {
        size_t len = 0;
        char32_t cp = DecodeAt(s, pos, len);
        pos += len;
        if (cp & kInvalidByte) cp = kReplacement;
        if (cp < 0x10000) {
            out += static_cast<char16_t>(cp);
            continue;
        }
        cp -= 0x10000;
        out += static_cast<char16_t>(0xD800 | (cp >> 10));
        out += static_cast<char16_t>(0xDC00 | (cp & 0x3FF));
    }
    return out;
}

std::string FromUtf16(std::u16string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        char32_t unit = s[i];
        bool high = unit >= 0xD800 && unit <= 0xDBFF;
        bool low = unit >= 0xDC00 && unit <= 0xDFFF;
        if (high && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            char32_t cp = 0x10000 + ((unit - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            AppendUtf8(out, cp);
            ++i;
            continue;
        }
        // An unpaired surrogate has no UTF-8 form.
        AppendUtf8(out, (high || low) ? kReplacement : unit);
    }
    return out;
}

}  // namespace text
