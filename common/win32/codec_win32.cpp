// The code page codec on Windows: the system's ANSI code page (CP_ACP).
//
// Encoding refuses best-fit mappings (which would silently turn a character
// into a look-alike) and any use of the default character, so a text either
// has an exact code-page form or is left to the caller's UTF-8 fallback.
// Decoding never stops at a broken byte: it stands for U+FFFD and reading
// goes on with the next byte.

#ifdef _WIN32

#include <windows.h>

#include <climits>

#include "common/text/codec.h"
#include "common/text/utf8.h"
#include "common/win32/wide.h"

namespace text {
namespace {

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

// GB18030 and UTF-8 do not accept WC_NO_BEST_FIT_CHARS or the used-default
// flag; for them the read-back check in Encode alone decides.
bool TakesBestFitFlags(UINT codePage) { return codePage != CP_UTF8 && codePage != 54936; }

bool IsValidUtf8(std::string_view s) {
    size_t pos = 0;
    while (pos < s.size()) {
        size_t len = 0;
        if (DecodeAt(s, pos, len) & kInvalidByte) return false;
        pos += len;
    }
    return true;
}

// Converts code-page bytes to UTF-16, failing on any byte sequence that is
// not a character.
bool ToWideStrict(std::string_view bytes, std::wstring& out) {
    out.clear();
    if (bytes.empty()) return true;
    if (bytes.size() > size_t(INT_MAX)) return false;
    int length = int(bytes.size());
    // A byte makes at most one UTF-16 unit in the code pages met in practice,
    // so one pass usually does; counting first would read a 50 MB file twice.
    out.resize(bytes.size());
    int converted = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), length, out.data(), length);
    if (converted > 0) {
        out.resize(size_t(converted));
        return true;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return false;
    int needed = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
    if (needed <= 0) return false;
    out.resize(size_t(needed));
    return MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), length, out.data(), needed) == needed;
}

// True when units hold exactly one character (one unit or a surrogate pair).
bool IsOneCharacter(const std::wstring& units) {
    if (units.size() == 1) return units[0] < 0xD800 || units[0] > 0xDFFF;
    return units.size() == 2 && units[0] >= 0xD800 && units[0] <= 0xDBFF && units[1] >= 0xDC00 && units[1] <= 0xDFFF;
}

class Win32Codec final : public AnsiCodec {
public:
    std::optional<std::string> Encode(std::string_view utf8) const override {
        if (utf8.empty()) return std::string();
        // Invalid UTF-8 bytes have no code-page form.
        if (!IsValidUtf8(utf8)) return std::nullopt;
        std::wstring wide = win32::Wide(utf8);
        if (wide.size() > size_t(INT_MAX)) return std::nullopt;

        UINT codePage = GetACP();
        bool strictFlags = TakesBestFitFlags(codePage);
        DWORD flags = strictFlags ? WC_NO_BEST_FIT_CHARS : 0;
        BOOL usedDefault = FALSE;
        BOOL* usedDefaultPtr = strictFlags ? &usedDefault : nullptr;
        int length = int(wide.size());
        int needed = WideCharToMultiByte(CP_ACP, flags, wide.data(), length, nullptr, 0, nullptr, usedDefaultPtr);
        if (needed <= 0 || usedDefault) return std::nullopt;
        std::string out(size_t(needed), '\0');
        usedDefault = FALSE;
        int written =
            WideCharToMultiByte(CP_ACP, flags, wide.data(), length, out.data(), needed, nullptr, usedDefaultPtr);
        if (written != needed || usedDefault) return std::nullopt;

        // The bytes must read back as the very same text, or writing them
        // would change the text.
        if (Decode(out) != utf8) return std::nullopt;
        return out;
    }

    std::string Decode(std::string_view bytes) const override {
        std::wstring wide;
        if (ToWideStrict(bytes, wide)) return win32::Narrow(wide);

        // Some byte does not form a character: go character by character. At
        // each position the shortest byte run (up to four bytes) that forms
        // exactly one character is taken, a double-byte lead trying its pair
        // first; a byte that starts no character becomes U+FFFD.
        std::string out;
        size_t pos = 0;
        while (pos < bytes.size()) {
            size_t taken = 0;
            const bool lead = IsDBCSLeadByte(static_cast<BYTE>(bytes[pos])) != FALSE;
            const size_t tries[] = {lead ? size_t(2) : size_t(1), 1, 2, 3, 4};
            for (size_t len : tries) {
                if (pos + len > bytes.size()) continue;
                std::wstring one;
                if (!ToWideStrict(bytes.substr(pos, len), one) || !IsOneCharacter(one)) continue;
                out += win32::Narrow(one);
                taken = len;
                break;
            }
            if (taken == 0) {
                out += kReplacementUtf8;
                taken = 1;
            }
            pos += taken;
        }
        return out;
    }
};

}  // namespace

std::unique_ptr<AnsiCodec> MakeSystemCodec() { return std::make_unique<Win32Codec>(); }

}  // namespace text

#endif  // _WIN32
