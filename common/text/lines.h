// Text-file lines. A line ends at CR LF or at a lone CR; a lone LF does not
// end a line (it stays part of the text). The writer ends every line with
// CR LF.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace text {

// The lines of a text. A final line without an ending counts when it is not
// empty; so "a\r\nb" and "a\r\nb\r\n" both give {"a", "b"}, and "" gives {}.
std::vector<std::string> SplitLines(std::string_view text);
// The same lines as views into the text, for texts of a million lines.
std::vector<std::string_view> SplitLineViews(std::string_view text);

// Every line followed by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

inline constexpr std::string_view kCrLf = "\r\n";

}  // namespace text
