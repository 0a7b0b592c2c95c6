// Whole-file text in the ANSI code page, with UTF-8 as the fallback for text
// that the code page cannot hold.

#include "common/text/codec.h"

namespace text {

std::string EncodeFileText(const AnsiCodec& codec, std::string_view utf8) {
    std::optional<std::string> ansi = codec.Encode(utf8);
    // ANSI bytes that happen to begin like the byte-order mark (GBK has such
    // characters) would be read back as UTF-8, so they take the UTF-8 form too.
    if (ansi && ansi->substr(0, kUtf8Bom.size()) != kUtf8Bom) return *ansi;
    std::string out;
    out.reserve(kUtf8Bom.size() + utf8.size());
    out += kUtf8Bom;
    out += utf8;
    return out;
}

std::string DecodeFileText(const AnsiCodec& codec, std::string_view bytes) {
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) return std::string(bytes.substr(kUtf8Bom.size()));
    return codec.Decode(bytes);
}

}  // namespace text
