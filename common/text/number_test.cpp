#include "common/text/number.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <limits>
#include <random>
#include <string>

namespace text {
namespace {

constexpr double kLargest = std::numeric_limits<double>::max();

struct ReadCase {
    const char* input;
    double expected;
};

TEST(LeadingNumberTest, ReadsTheLeadingNumber) {
    const ReadCase cases[] = {
        {"", 0},          {"0", 0},           {"7", 7},         {"+7", 7},       {"-7", -7},    {"12abc", 12},
        {"abc", 0},       {"abc12", 0},       {"1.5.3", 1.5},   {".5", 0.5},     {"-.5", -0.5}, {"5.", 5},
        {".", 0},         {"-", 0},           {"+-5", 0},       {"--5", 0},      {"007", 7},    {"0.000123", 0.000123},
        {"100,200", 100}, {"1000毫秒", 1000}, {"1000ms", 1000}, {"3.25x", 3.25}, {"-0", 0},     {"1,5", 1},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(LeadingNumber(c.input), c.expected);
    }
}

TEST(LeadingNumberTest, IgnoresBlanksWhereverTheyStand) {
    const ReadCase cases[] = {
        {"1 2", 12},     {"  42", 42},     {"- 5", -5},      {"\t1\t2\t", 12}, {"1\r\n2", 12},  {"1 . 5", 1.5},
        {"1 e 3", 1000}, {"1e - 2", 0.01}, {"& H F F", 255}, {" \t\r\n", 0},   {"1 2 a 3", 12},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(LeadingNumber(c.input), c.expected);
    }
}

TEST(LeadingNumberTest, ReadsExponents) {
    const ReadCase cases[] = {
        {"1e3", 1000},   {"1E3", 1000},   {"1e+3", 1000}, {"1e-3", 0.001}, {"2.5E2", 250}, {"1D3", 1000},
        {"1d-2", 0.01},  {"5e", 5},       {"5ex", 5},     {"5e+", 5},      {"5e-x", 5},    {"5d", 5},
        {"5E3.5", 5000}, {"5e3e2", 5000}, {".5e1", 5},    {"e5", 0},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(LeadingNumber(c.input), c.expected);
    }
}

TEST(LeadingNumberTest, ReadsHexadecimalAndOctalWithTheClassicWidths) {
    const ReadCase cases[] = {
        {"&HFF", 255},
        {"&hff", 255},
        {"&H1F", 31},
        {"&O17", 15},
        {"&o17", 15},
        {"&H", 0},
        {"&O", 0},
        {"&HG", 0},
        {"&H1FZ", 31},
        {"&O18", 1},
        // A value that fits 16 bits is a 16-bit signed number ...
        {"&H7FFF", 32767},
        {"&H8000", -32768},
        {"&HFFFF", -1},
        {"&H0000FFFF", -1},
        {"&O177777", -1},
        {"&O77777", 32767},
        // ... a value that fits 32 bits a 32-bit signed one ...
        {"&H10000", 65536},
        {"&HFFFFF", 1048575},
        {"&H7FFFFFFF", 2147483647},
        {"&H80000000", -2147483648.0},
        {"&HFFFFFFFF", -1},
        {"&O37777777777", -1},
        {"&O200000", 65536},
        // ... and a wider value reads as the plain unsigned number.
        {"&H100000000", 4294967296.0},
        {"&HFFFFFFFFFF", 1099511627775.0},
        // Only &H and &O introduce these forms.
        {"&17", 0},
        {"&", 0},
        {"-&H10", 0},
        {"&B101", 0},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(LeadingNumber(c.input), c.expected);
    }
}

TEST(LeadingNumberTest, SaturatesInsteadOfOverflowing) {
    const ReadCase cases[] = {
        {"1e309", kLargest}, {"-1e309", -kLargest},      {"1e999999999999999999999", kLargest}, {"1.8e308", kLargest},
        {"1e-400", 0},       {"-1e-999999999999999", 0}, {"1.7976931348623157e308", kLargest},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.input);
        double value = LeadingNumber(c.input);
        EXPECT_TRUE(std::isfinite(value));
        EXPECT_EQ(value, c.expected);
    }
    EXPECT_EQ(LeadingNumber("4.9e-324"), std::numeric_limits<double>::denorm_min());
    EXPECT_EQ(LeadingNumber("&H" + std::string(400, 'F')), kLargest);
}

TEST(LeadingNumberTest, RoundsLongDigitRunsCorrectly) {
    // 2^53 + 1 lies exactly between two doubles and rounds to the even one.
    EXPECT_EQ(LeadingNumber("9007199254740993"), 9007199254740992.0);
    // A non-zero digit far behind the tie breaks it upwards, even when it lies
    // beyond the digits that the reader keeps.
    std::string aboveTie = "9007199254740993" + std::string(900, '0') + "1e-901";
    EXPECT_EQ(LeadingNumber(aboveTie), 9007199254740994.0);
    std::string exactTie = "9007199254740993" + std::string(900, '0') + "e-900";
    EXPECT_EQ(LeadingNumber(exactTie), 9007199254740992.0);
    EXPECT_EQ(LeadingNumber("0.1"), 0.1);
    EXPECT_EQ(LeadingNumber("123456789012345678901234567890"), 123456789012345678901234567890.0);
}

// Ten-megabyte fields read correctly. A reader that copied the rest of the
// text per character would take hours here and hit the test time-out; speed
// itself is measured by the benchmarks, not asserted.
TEST(LeadingNumberTest, ReadsHugeTexts) {
    const size_t size = 10 * 1000 * 1000;

    EXPECT_EQ(LeadingNumber(std::string(size, '9')), kLargest);
    EXPECT_EQ(LeadingNumber("0." + std::string(size, '0') + "1"), 0.0);
    EXPECT_EQ(LeadingNumber("1" + std::string(size, '0') + "e-" + std::to_string(size)), 1.0);
    EXPECT_EQ(LeadingNumber(std::string(size, ' ') + "5"), 5.0);
    std::string spaced;
    spaced.reserve(size);
    for (size_t i = 0; i < size / 2; ++i) spaced += "1 ";
    EXPECT_EQ(LeadingNumber(spaced), kLargest);
    EXPECT_EQ(LeadingNumber("&O" + std::string(size, '7')), kLargest);
}

TEST(LeadingNumberTest, DoesNotDependOnTheLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = previous ? previous : "C";
    const char* names[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"};
    bool switched = false;
    for (const char* name : names) {
        if (std::setlocale(LC_NUMERIC, name)) {
            switched = true;
            break;
        }
    }
    if (!switched) GTEST_SKIP() << "no locale with a decimal comma is installed";
    EXPECT_EQ(LeadingNumber("1.5"), 1.5);
    EXPECT_EQ(LeadingNumber("1,5"), 1.0);
    EXPECT_EQ(NumberToText(1.5), "1.5");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

struct StrictCase {
    const char* input;
    std::optional<double> expected;
};

TEST(StrictNumberTest, AcceptsOnlyAWholeNumber) {
    const StrictCase cases[] = {
        {"12", 12},
        {" 12 ", 12},
        {"\t12\t", 12},
        {"-12", -12},
        {"+12", 12},
        {"1.5", 1.5},
        {".5", 0.5},
        {"5.", 5},
        {"1e3", 1000},
        {"1E-3", 0.001},
        {"&H1F", 31},
        {"&hff", 255},
        {"&HFFFF", -1},
        {"&O17", 15},
        {" &H10 ", 16},
        {"835111", 835111},
        {"", std::nullopt},
        {" ", std::nullopt},
        {"12a", std::nullopt},
        {"12abc", std::nullopt},
        {"abc", std::nullopt},
        {"1 2", std::nullopt},
        {"- 5", std::nullopt},
        {"1.5.3", std::nullopt},
        {".", std::nullopt},
        {"-", std::nullopt},
        {"5e", std::nullopt},
        {"5e+", std::nullopt},
        {"1D3", std::nullopt},
        {"&H", std::nullopt},
        {"&HFG", std::nullopt},
        {"&17", std::nullopt},
        {"-&H10", std::nullopt},
        {"1,000", std::nullopt},
    };
    for (const StrictCase& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(StrictNumber(c.input), c.expected);
    }
}

TEST(RoundHalfEvenTest, RoundsTiesToTheEvenNeighbour) {
    const std::pair<double, double> cases[] = {
        {0.5, 0},
        {1.5, 2},
        {2.5, 2},
        {3.5, 4},
        {-0.5, 0},
        {-1.5, -2},
        {-2.5, -2},
        {2.4, 2},
        {2.6, 3},
        {-2.6, -3},
        {0.49999999999999994, 0},
        {7, 7},
        {-7, -7},
        {1e300, 1e300},
        {4503599627370497.0, 4503599627370497.0},
        {2147483647.5, 2147483648.0},
        {2147483646.5, 2147483646.0},
    };
    for (auto [input, expected] : cases) {
        SCOPED_TRACE(input);
        EXPECT_EQ(RoundHalfEven(input), expected);
    }
    EXPECT_TRUE(std::isnan(RoundHalfEven(std::nan(""))));
    EXPECT_EQ(RoundHalfEven(HUGE_VAL), HUGE_VAL);
}

TEST(ToIntTest, RoundsThenChecksTheRange) {
    const double inf = std::numeric_limits<double>::infinity();
    const std::pair<double, std::optional<int32_t>> cases32[] = {
        {2.5, 2},
        {-2.5, -2},
        {2147483647.0, 2147483647},
        {2147483647.4, 2147483647},
        {2147483647.5, std::nullopt},
        {-2147483648.0, -2147483647 - 1},
        {-2147483648.5, -2147483647 - 1},
        {-2147483649.0, std::nullopt},
        {1e20, std::nullopt},
        {inf, std::nullopt},
        {-inf, std::nullopt},
        {std::nan(""), std::nullopt},
    };
    for (auto [input, expected] : cases32) {
        SCOPED_TRACE(input);
        EXPECT_EQ(ToInt32(input), expected);
    }
    const std::pair<double, std::optional<int16_t>> cases16[] = {
        {3.5, 4},
        {32767.0, 32767},
        {32767.5, std::nullopt},
        {32766.5, 32766},
        {-32768.0, -32768},
        {-32768.5, -32768},
        {-32769.0, std::nullopt},
        {65535.0, std::nullopt},
        {std::nan(""), std::nullopt},
        {inf, std::nullopt},
    };
    for (auto [input, expected] : cases16) {
        SCOPED_TRACE(input);
        EXPECT_EQ(ToInt16(input), expected);
    }
}

TEST(ToIntTest, StoreKeepsThePreviousValueWhenTheNumberDoesNotFit) {
    int32_t target32 = 99;
    EXPECT_TRUE(StoreInt32(12.5, target32));
    EXPECT_EQ(target32, 12);
    EXPECT_FALSE(StoreInt32(3e9, target32));
    EXPECT_EQ(target32, 12);
    EXPECT_FALSE(StoreInt32(std::nan(""), target32));
    EXPECT_EQ(target32, 12);

    int16_t target16 = 7;
    EXPECT_TRUE(StoreInt16(-3.5, target16));
    EXPECT_EQ(target16, -4);
    EXPECT_FALSE(StoreInt16(40000, target16));
    EXPECT_EQ(target16, -4);
}

TEST(NumberToTextTest, WritesFifteenSignificantDigits) {
    const std::pair<double, const char*> cases[] = {
        {0, "0"},
        {-0.0, "0"},
        {1, "1"},
        {-1, "-1"},
        {120, "120"},
        {2060, "2060"},
        {0.1 + 0.2, "0.3"},
        {1.5, "1.5"},
        {-2.25, "-2.25"},
        {1.0 / 3.0, "0.333333333333333"},
        {2.0 / 3.0, "0.666666666666667"},
        {123456789012345.0, "123456789012345"},
        {999999999999999.0, "999999999999999"},
        {999999999999999.9, "1E+15"},
        {1e15, "1E+15"},
        {1.5e20, "1.5E+20"},
        {-1.5e20, "-1.5E+20"},
        {1e100, "1E+100"},
        {1.7976931348623157e308, "1.79769313486232E+308"},
        {0.00001, "0.00001"},
        {0.000012345, "0.000012345"},
        {0.0000099999999999999999, "0.00001"},
        {0.000001, "1E-06"},
        {1e-7, "1E-07"},
        {-1.25e-7, "-1.25E-07"},
        {4.9406564584124654e-324, "4.94065645841247E-324"},
        {1234.5, "1234.5"},
        {100000, "100000"},
        {3.0000000000000004, "3"},
    };
    for (auto [input, expected] : cases) {
        SCOPED_TRACE(expected);
        EXPECT_EQ(NumberToText(input), expected);
    }
}

// The text of a value reads back as the value rounded to 15 significant digits.
TEST(NumberToTextTest, RoundTripsThroughLeadingNumber) {
    std::mt19937_64 random(12345);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-320, 308);
    for (int i = 0; i < 20000; ++i) {
        double v = mantissa(random) * std::pow(10.0, exponent(random));
        if (!std::isfinite(v)) continue;
        char buffer[64];
        auto result = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::scientific, 14);
        double rounded = 0;
        std::from_chars(buffer, result.ptr, rounded);
        std::string written = NumberToText(v);
        SCOPED_TRACE(written);
        ASSERT_EQ(LeadingNumber(written), rounded == 0.0 ? 0.0 : rounded);
        ASSERT_EQ(StrictNumber(written), LeadingNumber(written));
    }
}

TEST(IntToTextTest, WritesDecimal) {
    EXPECT_EQ(IntToText(0), "0");
    EXPECT_EQ(IntToText(-12), "-12");
    EXPECT_EQ(IntToText(835111), "835111");
    EXPECT_EQ(IntToText(std::numeric_limits<int64_t>::min()), "-9223372036854775808");
}

}  // namespace
}  // namespace text
