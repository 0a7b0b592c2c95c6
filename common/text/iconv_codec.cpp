// The code page codec outside Windows: CP936 (GBK) through the C library's
// iconv, so that the native tests read and write the same bytes as a
// simplified-Chinese Windows system.
//
// Each call opens its own conversion, so the codec holds no state and a
// failed or partial conversion can never leak into the next one.

#ifndef _WIN32

#include <errno.h>
#include <iconv.h>

#include "common/text/codec.h"

namespace text {
namespace {

constexpr const char* kCodePage = "CP936";
constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

class Conversion {
public:
    Conversion(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Conversion() {
        if (ok()) iconv_close(cd_);
    }
    Conversion(const Conversion&) = delete;
    Conversion& operator=(const Conversion&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }
    void Reset() { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }

private:
    iconv_t cd_;
};

// Without the code page tables only ASCII is certain to be the same in both
// forms; everything else is left to the UTF-8 fallback.
bool IsAscii(std::string_view s) {
    for (char c : s) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

class IconvCodec final : public AnsiCodec {
public:
    std::optional<std::string> Encode(std::string_view utf8) const override {
        if (utf8.empty()) return std::string();
        Conversion conversion(kCodePage, "UTF-8");
        if (!conversion.ok()) return IsAscii(utf8) ? std::optional<std::string>(std::string(utf8)) : std::nullopt;

        // Without //TRANSLIT or //IGNORE a character outside the code page
        // stops the conversion with EILSEQ, which is what we want to know.
        std::string out(utf8.size() + 16, '\0');
        char* in = const_cast<char*>(utf8.data());
        size_t inLeft = utf8.size();
        size_t written = 0;
        while (inLeft > 0) {
            char* outPtr = out.data() + written;
            size_t outLeft = out.size() - written;
            size_t result = iconv(conversion.get(), &in, &inLeft, &outPtr, &outLeft);
            written = size_t(outPtr - out.data());
            if (result == size_t(-1)) {
                if (errno != E2BIG) return std::nullopt;
                out.resize(out.size() * 2);
                continue;
            }
            // A non-reversible conversion is not an exact form.
            if (result > 0) return std::nullopt;
        }
        out.resize(written);

        // The bytes must read back as the very same text, or writing them
        // would change the text.
        if (Decode(out) != utf8) return std::nullopt;
        return out;
    }

    std::string Decode(std::string_view bytes) const override {
        std::string out;
        Conversion conversion("UTF-8", kCodePage);
        if (!conversion.ok()) {
            for (char c : bytes) {
                if (static_cast<unsigned char>(c) < 0x80) {
                    out += c;
                } else {
                    out += kReplacementUtf8;
                }
            }
            return out;
        }

        std::string buffer(bytes.size() * 3 + 16, '\0');
        char* in = const_cast<char*>(bytes.data());
        size_t inLeft = bytes.size();
        while (inLeft > 0) {
            char* outPtr = buffer.data();
            size_t outLeft = buffer.size();
            size_t result = iconv(conversion.get(), &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer.data(), size_t(outPtr - buffer.data()));
            if (result != size_t(-1) || errno == E2BIG) continue;
            // EILSEQ (no such character) or EINVAL (cut off at the end): the
            // byte at the stop stands for U+FFFD and reading goes on with the
            // next byte, so the rest of the text is never lost.
            out += kReplacementUtf8;
            ++in;
            --inLeft;
            conversion.Reset();
        }
        return out;
    }
};

}  // namespace

std::unique_ptr<AnsiCodec> MakeSystemCodec() { return std::make_unique<IconvCodec>(); }

}  // namespace text

#endif  // _WIN32
