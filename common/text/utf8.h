// Code-point-aware helpers for UTF-8 text. Where the programs count
// characters ("the first four characters"), they count code points here,
// never bytes. Invalid bytes count as one character each and are kept as
// they are, so no helper ever loses or reorders bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace text {

// Number of characters (code points) in s.
size_t CharCount(std::string_view s);

// Characters [start, start+count) of s, 0-based; clipped to the text.
std::string Mid(std::string_view s, size_t start, size_t count = std::string::npos);
std::string Left(std::string_view s, size_t count);
std::string Right(std::string_view s, size_t count);
// The first count characters of s, with "…" after them when s is longer.
std::string Shortened(std::string_view s, size_t count);

// Removes leading and trailing spaces (U+0020 only), like the classic Trim.
std::string Trim(std::string_view s);
// Removes leading and trailing blanks: spaces and tabs.
std::string TrimBlanks(std::string_view s);

// Splits at every occurrence of sep (which may be several bytes); always
// returns at least one piece; empty pieces are kept.
std::vector<std::string> Split(std::string_view s, std::string_view sep);

// Replaces every occurrence of from (non-empty) with to.
std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to);

bool StartsWith(std::string_view s, std::string_view prefix);
bool EndsWith(std::string_view s, std::string_view suffix);
bool Contains(std::string_view s, std::string_view part);

// ASCII-only case mapping (other characters unchanged).
std::string AsciiUpper(std::string_view s);
std::string AsciiLower(std::string_view s);

// Decodes the code point that starts at byte offset i and sets len to its
// byte length. An invalid byte has length 1 and decodes to kInvalidByte | byte,
// a value that never equals a real code point. At or beyond the end of s the
// result is 0 with length 0.
inline constexpr char32_t kInvalidByte = 0x80000000;
char32_t DecodeAt(std::string_view s, size_t i, size_t& len);
// Appends the UTF-8 form of cp. A kInvalidByte value appends its byte as it
// was, so DecodeAt and AppendUtf8 together copy any text unchanged; a
// surrogate or a value above U+10FFFF appends U+FFFD.
void AppendUtf8(std::string& out, char32_t cp);

// UTF-8 <-> UTF-16, used at the Win32 boundary and by the codec. Invalid
// UTF-8 bytes become U+FFFD.
std::u16string ToUtf16(std::string_view s);
std::string FromUtf16(std::u16string_view s);

}  // namespace text
