// Number reading, rounding and writing.
//
// The reader works in one pass over the text and never copies more than a
// bounded number of digits, so even a line of ten million digits is read in
// linear time. The digits that matter are handed to std::from_chars, which,
// unlike strtod, does not depend on the locale's decimal separator.
//
// Hexadecimal and octal whole numbers follow the classic reader: a value that
// fits in 16 bits (at most &HFFFF or &O177777) is a 16-bit signed number, so
// "&HFFFF" reads -1; a value that fits in 32 bits is a 32-bit signed number, so
// "&HFFFFFFFF" reads -1 and "&H10000" reads 65536. Leading zeros do not count.
// The classic reader rejects anything wider with an overflow; here such a
// value reads as the plain unsigned number (saturated at the largest double),
// because reading never fails. Only "&H" and "&O" introduce these forms: an
// "&" followed directly by digits is not a number and reads 0, and a sign
// before "&" is not part of the form either ("-&H10" reads 0).

#include "common/text/number.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace text {
namespace {

constexpr double kLargest = std::numeric_limits<double>::max();

// A double needs at most 767 significant decimal digits to be rounded
// correctly; digits beyond kMaxDigits only matter as "something non-zero
// follows", which the sticky flag keeps.
constexpr size_t kMaxDigits = 800;

// Exponent digits beyond this bound cannot change the outcome (the value is
// already far outside the double range), so they stop growing the exponent.
constexpr int64_t kExponentCap = 1'000'000'000;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Walks over the text. In the lenient mode blanks are skipped before every
// character, so they are ignored wherever they stand; in the strict mode they
// are ordinary characters that end the number.
class Cursor {
public:
    Cursor(std::string_view s, bool skipBlanks) : s_(s), skipBlanks_(skipBlanks) { SkipBlanks(); }

    bool AtEnd() const { return pos_ >= s_.size(); }
    // The current character, or '\0' at the end (callers test for specific
    // characters, so a real NUL byte simply fits nothing).
    char Peek() const { return AtEnd() ? '\0' : s_[pos_]; }
    void Next() {
        ++pos_;
        SkipBlanks();
    }
    size_t Pos() const { return pos_; }
    void Reset(size_t pos) { pos_ = pos; }

private:
    void SkipBlanks() {
        if (!skipBlanks_) return;
        while (pos_ < s_.size() && IsBlank(s_[pos_])) ++pos_;
    }

    std::string_view s_;
    bool skipBlanks_;
    size_t pos_ = 0;
};

// The significant digits of a decimal number: value = 0.digits x 10^pointPos.
class Mantissa {
public:
    void AddIntegerDigit(char d) {
        if (digits_.empty() && d == '0') return;
        ++pointPos_;
        Keep(d);
    }
    void AddFractionDigit(char d) {
        if (digits_.empty() && d == '0') {
            --pointPos_;
            return;
        }
        Keep(d);
    }

    // The value times 10^exponent, saturated to the finite range.
    double Value(int64_t exponent) const {
        if (digits_.empty()) return 0.0;
        int64_t decimalExponent = pointPos_ + exponent;
        if (decimalExponent > 310) return kLargest;
        if (decimalExponent < -330) return 0.0;
        std::string form = digits_;
        if (sticky_) form += '1';
        form += 'e';
        form += std::to_string(decimalExponent - int64_t(form.size() - 1));
        double value = 0.0;
        auto result = std::from_chars(form.data(), form.data() + form.size(), value);
        if (result.ec == std::errc::result_out_of_range) return decimalExponent > 0 ? kLargest : 0.0;
        if (std::isinf(value)) return kLargest;
        return value;
    }

private:
    void Keep(char d) {
        if (digits_.size() < kMaxDigits) {
            digits_ += d;
        } else if (d != '0') {
            sticky_ = true;
        }
    }

    std::string digits_;
    bool sticky_ = false;
    int64_t pointPos_ = 0;
};

struct Scan {
    bool found = false;
    double value = 0.0;
};

// The value of a hexadecimal or octal whole number with the classic 16/32-bit
// sign rules (see the top of the file).
double RadixValue(double unsignedValue) {
    if (unsignedValue <= 0xFFFF) return double(int16_t(uint16_t(unsignedValue)));
    if (unsignedValue <= 0xFFFFFFFFu) return double(int32_t(uint32_t(unsignedValue)));
    return std::isinf(unsignedValue) ? kLargest : unsignedValue;
}

// "&H" or "&O" has been consumed; reads the digits.
Scan ScanRadixDigits(Cursor& cur, int radix) {
    // Exact in 64 bits while small; beyond that the double carries on, which
    // is exact enough for a value that is already outside every whole type.
    uint64_t exact = 0;
    double approx = 0.0;
    bool useApprox = false;
    Scan scan;
    for (;;) {
        int digit = HexValue(cur.Peek());
        if (cur.AtEnd() || digit < 0 || digit >= radix) break;
        cur.Next();
        scan.found = true;
        if (!useApprox && exact < (uint64_t(1) << 56)) {
            exact = exact * radix + digit;
            continue;
        }
        if (!useApprox) {
            approx = double(exact);
            useApprox = true;
        }
        approx = approx * radix + digit;
    }
    if (scan.found) scan.value = RadixValue(useApprox ? approx : double(exact));
    return scan;
}

// Reads a number at the cursor. allowD admits D/d as an exponent letter.
Scan ScanNumber(Cursor& cur, bool allowD) {
    if (cur.Peek() == '&' && !cur.AtEnd()) {
        size_t start = cur.Pos();
        cur.Next();
        char kind = cur.Peek();
        if (kind == 'H' || kind == 'h' || kind == 'O' || kind == 'o') {
            cur.Next();
            return ScanRadixDigits(cur, (kind == 'H' || kind == 'h') ? 16 : 8);
        }
        cur.Reset(start);
        return {};
    }

    bool negative = false;
    if (cur.Peek() == '+' || cur.Peek() == '-') {
        negative = cur.Peek() == '-';
        cur.Next();
    }

    Mantissa mantissa;
    bool anyDigit = false;
    while (IsDigit(cur.Peek())) {
        mantissa.AddIntegerDigit(cur.Peek());
        anyDigit = true;
        cur.Next();
    }
    if (cur.Peek() == '.') {
        cur.Next();
        while (IsDigit(cur.Peek())) {
            mantissa.AddFractionDigit(cur.Peek());
            anyDigit = true;
            cur.Next();
        }
    }
    if (!anyDigit) return {};

    int64_t exponent = 0;
    char letter = cur.Peek();
    if (letter == 'E' || letter == 'e' || (allowD && (letter == 'D' || letter == 'd'))) {
        // An exponent letter without digits is not part of the number: "5e"
        // and "5e+" read 5 and stop before the letter.
        size_t beforeLetter = cur.Pos();
        cur.Next();
        bool negativeExponent = false;
        if (cur.Peek() == '+' || cur.Peek() == '-') {
            negativeExponent = cur.Peek() == '-';
            cur.Next();
        }
        bool anyExponentDigit = false;
        while (IsDigit(cur.Peek())) {
            if (exponent < kExponentCap) exponent = exponent * 10 + (cur.Peek() - '0');
            anyExponentDigit = true;
            cur.Next();
        }
        if (anyExponentDigit) {
            if (negativeExponent) exponent = -exponent;
        } else {
            exponent = 0;
            cur.Reset(beforeLetter);
        }
    }

    double value = mantissa.Value(exponent);
    // A zero is always +0, so "-0" never shows up as "-0" anywhere.
    if (value == 0.0) return {true, 0.0};
    return {true, negative ? -value : value};
}

}  // namespace

double LeadingNumber(std::string_view s) {
    Cursor cur(s, true);
    return ScanNumber(cur, true).value;
}

std::optional<double> StrictNumber(std::string_view s) {
    size_t first = 0;
    while (first < s.size() && IsBlank(s[first])) ++first;
    size_t last = s.size();
    while (last > first && IsBlank(s[last - 1])) --last;
    std::string_view body = s.substr(first, last - first);
    if (body.empty()) return std::nullopt;

    // The strict form takes E/e as its only exponent letter.
    Cursor cur(body, false);
    Scan scan = ScanNumber(cur, false);
    if (!scan.found || !cur.AtEnd()) return std::nullopt;
    return scan.value;
}

double RoundHalfEven(double v) {
    if (!std::isfinite(v)) return v;
    // Doubles of this size have no fraction; below it v - floor(v) is exact,
    // so the comparison with 0.5 decides ties without depending on the FPU's
    // current rounding mode.
    if (std::fabs(v) >= 4503599627370496.0) return v;
    double lower = std::floor(v);
    double fraction = v - lower;
    if (fraction < 0.5) return lower;
    if (fraction > 0.5) return lower + 1.0;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

std::optional<int32_t> ToInt32(double v) {
    double r = RoundHalfEven(v);
    if (std::isnan(r) || r < -2147483648.0 || r > 2147483647.0) return std::nullopt;
    return int32_t(r);
}

std::optional<int16_t> ToInt16(double v) {
    double r = RoundHalfEven(v);
    if (std::isnan(r) || r < -32768.0 || r > 32767.0) return std::nullopt;
    return int16_t(r);
}

bool StoreInt32(double v, int32_t& target) {
    std::optional<int32_t> rounded = ToInt32(v);
    if (!rounded) return false;
    target = *rounded;
    return true;
}

bool StoreInt16(double v, int16_t& target) {
    std::optional<int16_t> rounded = ToInt16(v);
    if (!rounded) return false;
    target = *rounded;
    return true;
}

std::string NumberToText(double v) {
    // The reader never produces these; a caller that computes them still gets
    // a readable text instead of garbage.
    if (std::isnan(v)) return "NaN";
    if (std::isinf(v)) return v > 0 ? "Infinity" : "-Infinity";
    if (v == 0.0) return "0";

    // Fifteen significant digits, correctly rounded and locale-free:
    // "[-]d.dddddddddddddde[+-]x".
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::scientific, 14);
    std::string_view form(buffer, size_t(result.ptr - buffer));

    bool negative = form.front() == '-';
    if (negative) form.remove_prefix(1);
    size_t ePos = form.find('e');
    std::string digits;
    for (char c : form.substr(0, ePos)) {
        if (IsDigit(c)) digits += c;
    }
    int exponent = 0;
    std::string_view exponentText = form.substr(ePos + 1);
    if (exponentText.front() == '+') exponentText.remove_prefix(1);
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent >= 15 || exponent < -5) {
        out += digits[0];
        if (digits.size() > 1) {
            out += '.';
            out.append(digits, 1);
        }
        out += exponent < 0 ? "E-" : "E+";
        int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude < 10) out += '0';
        out += std::to_string(magnitude);
        return out;
    }
    if (exponent < 0) {
        out += "0.";
        out.append(size_t(-exponent - 1), '0');
        out += digits;
        return out;
    }
    size_t integerDigits = size_t(exponent) + 1;
    if (digits.size() <= integerDigits) {
        out += digits;
        out.append(integerDigits - digits.size(), '0');
        return out;
    }
    out.append(digits, 0, integerDigits);
    out += '.';
    out.append(digits, integerDigits);
    return out;
}

std::string IntToText(int64_t v) { return std::to_string(v); }

}  // namespace text
