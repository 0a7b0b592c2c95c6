#include "common/win32/wide.h"

#include "common/text/utf8.h"

namespace win32 {

// wchar_t is 16 bits on Windows, so the portable UTF-16 helpers serve the W
// functions with a plain element copy.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::wstring Wide(std::string_view utf8) {
    std::u16string utf16 = text::ToUtf16(utf8);
    return std::wstring(utf16.begin(), utf16.end());
}

std::string Narrow(std::wstring_view utf16) {
    std::u16string copy(utf16.begin(), utf16.end());
    return text::FromUtf16(copy);
}

}  // namespace win32
