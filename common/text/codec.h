// The system's ANSI code page (GBK on a simplified-Chinese system), through
// which every text file of both programs is read and written.
//
// On Windows the codec is CP_ACP; in the native tests it is CP936 through
// iconv. Text that the code page cannot hold is never silently changed:
// Encode reports it, and the file helpers then write UTF-8 with a byte-order
// mark instead, which the readers accept.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace text {

class AnsiCodec {
public:
    virtual ~AnsiCodec() = default;
    // UTF-8 to code-page bytes; nullopt when a character has no exact form.
    virtual std::optional<std::string> Encode(std::string_view utf8) const = 0;
    // Code-page bytes to UTF-8; bytes that form no character become U+FFFD.
    virtual std::string Decode(std::string_view bytes) const = 0;
};

// The codec of this platform: CP_ACP on Windows, CP936 elsewhere.
std::unique_ptr<AnsiCodec> MakeSystemCodec();

// The UTF-8 byte-order mark.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Bytes for a whole text file: the ANSI form when the code page holds every
// character, otherwise the byte-order mark followed by the UTF-8 text.
std::string EncodeFileText(const AnsiCodec& codec, std::string_view utf8);
// The text of a whole file: UTF-8 when it starts with the byte-order mark
// (the mark removed), otherwise decoded from the code page.
std::string DecodeFileText(const AnsiCodec& codec, std::string_view bytes);

}  // namespace text
