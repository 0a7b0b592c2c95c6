// Number reading and rounding shared by both programs.
//
// Every typed number, field and file value goes through LeadingNumber, and
// every place that needs a whole number goes through RoundHalfEven and the
// range checks below, so that the whole program reads numbers one way.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace text {

// The number value of the start of a text. Blanks, tabs, CR and LF are ignored
// wherever they stand ("1 2" reads 12). Then: an optional sign, digits with an
// optional decimal point and an optional exponent (E or e, optional sign,
// digits; D/d is accepted as an exponent letter too); or "&H" followed by hex
// digits, or "&O" followed by octal digits (case-insensitive prefixes).
// Reading stops at the first character that does not fit; a text that does
// not begin with a number reads 0. Never fails and never returns NaN or an
// infinity: digits beyond the double range read as the largest finite double
// of that sign, and digits below it read 0.
//
// Hexadecimal and octal values keep the classic widths: a value up to &HFFFF
// is a 16-bit signed number ("&HFFFF" reads -1), a value up to &HFFFFFFFF a
// 32-bit signed one ("&HFFFFFFFF" reads -1, "&H10000" reads 65536), and a
// wider value reads as the plain unsigned number. "&" followed by anything
// else (digits included) is not a number, and neither is a sign before "&".
double LeadingNumber(std::string_view s);

// The strict conversion: the whole text (leading and trailing blanks allowed)
// must be a number, decimal (sign, digits, point, exponent with E or e) or
// hexadecimal with the prefix "&H" (also "&O" octal), with the widths of
// LeadingNumber. Blanks inside the number are not allowed ("1 2" is not a
// number). Anything else gives nullopt.
std::optional<double> StrictNumber(std::string_view s);

// Rounds to the nearest whole number, an exact half to the even neighbour
// (2.5 -> 2, 3.5 -> 4, -2.5 -> -2). NaN and infinities are returned unchanged.
double RoundHalfEven(double v);

// Rounded (half to even) whole numbers of a given width. A value that does not
// fit (or is NaN/infinite) gives nullopt: the caller keeps its previous value.
std::optional<int32_t> ToInt32(double v);
std::optional<int16_t> ToInt16(double v);

// Convenience for the rule "a value that does not fit is not stored":
// assigns the rounded value and returns true, or leaves target as it was.
bool StoreInt32(double v, int32_t& target);
bool StoreInt16(double v, int16_t& target);

// A double written back as text: rounded to 15 significant digits, no trailing
// zeros, "." as separator, leading "-" for negatives, exponent form
// ("1E+20", "1E-07") for magnitudes >= 1e15 or < 1e-5 (0 is "0").
std::string NumberToText(double v);

// A whole number written in decimal ("-12").
std::string IntToText(int64_t v);

}  // namespace text
