// Text at the Win32 boundary: the programs hold UTF-8, the W functions take
// UTF-16. Every Win32 file converts through these two helpers and nowhere
// else, so invalid input is treated the same way everywhere (an invalid
// UTF-8 byte or a lone surrogate becomes U+FFFD).
#pragma once

#include <string>
#include <string_view>

namespace win32 {

std::wstring Wide(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace win32
