#include "kestrun/script/compute.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "common/text/number.h"
#include "kestrun/script/compute_sum.h"

namespace compute {
namespace {

struct Case {
    std::string text;
    std::optional<double> expected;  // nullopt: an arithmetic fault
};

// Compares exactly: every expected value below is a double that the rules
// produce without rounding error.
void ExpectCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE("text: " + c.text);
        if (c.expected) {
            EXPECT_EQ(Calculate(c.text), *c.expected);
        } else {
            EXPECT_THROW(Calculate(c.text), ArithmeticError);
        }
    }
}

TEST(CalculateTest, PlainNumbers) {
    ExpectCases({
        {"", 0},
        {"7", 7},
        {"-7", -7},
        {"+7", 7},
        {"1 2", 12},
        {"  3.5  ", 3.5},
        {"1E3", 1000},
        {"&H10", 16},
        {"abc", 0},
        {"12abc", 12},
        {"--5", 5},   // minus the leading number of "-5"
        {"---5", 0},  // minus the leading number of "--5", which is 0
        {"-", 0},
    });
}

TEST(CalculateTest, OperatorsAndTheirRanks) {
    ExpectCases({
        {"100+3*20", 160},
        {"(100+3)*20", 2060},
        {"1+2", 3},
        {"5-2", 3},
        {"6*7", 42},
        {"7/2", 3.5},
        {"2^10", 1024},
        // "-" and "/" group to the right: the text splits at the first operator.
        {"10-3-2", 9},
        {"8/2/2", 8},
        {"2^3^2", 512},
        // Mixed "+" and "-", and "*" and "/", come out as in ordinary arithmetic.
        {"10-3+2", 9},
        {"10+3-2", 11},
        {"8/2*2", 8},
        // "*" binds before "/", and "/" before "^".
        {"2*3^2", 18},
        {"2^3*2", 16},
        {"8/2^2", 2},
        {"12/2*3", 18},
    });
}

TEST(CalculateTest, SignsAfterOperators) {
    ExpectCases({
        {"2*-3", -6},
        {"5--3", 8},
        {"-2*3", -6},
        {"6/-2", -3},
        {"5+-3", 2},
        {"(-3)*2", -6},
        // After "^" a "-" is an operator: 2^ is 2 to the power 0, minus 1.
        {"2^-1", 0},
        {"2^(-1)", 0.5},  // behind "(" it is a sign again
        // Only the first "-" is examined: 2*(-3-1).
        {"2*-3-1", -8},
        // A "+" in the first place is not an operator; in later places it is.
        {"+7+1", 8},
        {"1++2", 3},
        {"2*+3", 3},  // 3 plus the value of "2*", which is 2*0
    });
}

TEST(CalculateTest, BracketPhase) {
    ExpectCases({
        {"(1+2)*(3+4)", 21},
        {"((2))", 2},
        {"-(2+3)", -5},
        {"10-(2+3)", 5},
        {"(1+2)(3)", 3},  // the second group follows a digit and stays: "3(3)" reads 3
        {"()", 0},
        // Unclosed: the "(" and one character behind it become 0.
        {"5*(3", 0},
        {"(12+3", 5},
        {"(", 0},
        {"2+(", 2},
        // A group after "^" stays in the text and is split like plain text:
        // "2^(1+1)*3" splits at "+" into "2^(1" (2^0) and "1)*3" (1*3).
        {"2^(1+1)*3", 4},
        {"2^(3)", 8},
        // A "(" right behind a "(" that stays is resolved: 2^(3*2) splits at "*".
        {"2^((1+2)*2)", 2},
        {"2^(1+1)", 2},
        // A group behind a letter stays too, so "INT(" is no function.
        {"INT(3.7)", 0},
        {"INT(2.5)", 0},
        {"x(2)", 0},
        // The character an unclosed "(" takes along is a whole character.
        {"(√9", 9},
    });
}

TEST(CalculateTest, IntegerPart) {
    ExpectCases({
        {"int(7.9)", 7},
        {"int(-2.5)", -3},
        {"2*int(3.5)", 6},
        {"int(int(2.5)*2.6)", 5},
        {"int(1.5)+int(2.5)", 3},
        {"int(3.7", 0.7},  // unclosed: "int(" and the "3" become 0, leaving "0.7"
        {"int(√9", 9},
        {"int(", 0},
        {"int(int(int(9.5)))", 9},
        {"int((2.5+1)*2)", 7},
    });
}

TEST(CalculateTest, RootFactorialAndSum) {
    ExpectCases({
        // Without a positive degree the root does not apply, and the text is
        // read as a plain number ("√16" reads 0, "-2√16" is minus "2√16").
        {"√16", 0},
        {"√9", 0},
        {"0√16", 0},
        {"-2√16", -2},
        // Factorials round their count half to even; a count below 1 gives 1.
        {"5!", 120},
        {"0!", 1},
        {"1!", 1},
        {"2.5!", 2},
        {"3.5!", 24},
        {"-3!", 1},
        // The right side of "!" is evaluated and not used.
        {"5!7", 120},
        // The root does not apply, so "!" splits: the factorial of "√5" (0) is 1.
        {"√5!", 1},
        // Sums; "∑-3" is "∑" minus 3, and "∑" alone does not apply and reads 0.
        {"∑4", 10},
        {"9∑4", 10},
        {"∑0", 0},
        {"∑0.4", 0},
        {"∑-3", -3},
        {"∑100", 5050},
        {"∑∑3", 21},
    });
}

// Roots are exp(ln(y) / x) and need not be exact; they are compared as the
// interpreter uses them, written with 15 significant digits.
TEST(CalculateTest, RootsTo15Digits) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"3√27", "3"},
        {"2√16", "4"},
        {"2√3√64", "2"},
        {"2√2", "1.41421356237309"},
        {"0.5√3", "9"},
        // "^" splits first: (4√2)^4.
        {"4√2^4", "2"},
    };
    for (const auto& [textToEvaluate, expected] : cases) {
        SCOPED_TRACE(textToEvaluate);
        EXPECT_EQ(text::NumberToText(Calculate(textToEvaluate)), expected);
    }
    EXPECT_NEAR(Calculate("3√27"), 3.0, 3.0 * 1e-15);
}

TEST(CalculateTest, FactorialIsTheProductOfDoubles) {
    double product = 1;
    for (int i = 1; i <= 170; ++i) product *= i;
    EXPECT_EQ(Calculate("170!"), product);
    // The count is rounded half to even.
    EXPECT_EQ(Calculate("169.5!"), product);
    EXPECT_EQ(Calculate("170.5!"), product);
    EXPECT_THROW(Calculate("171.5!"), ArithmeticError);
}

TEST(CalculateTest, NumbersWrittenBackAsText) {
    ExpectCases({
        // A group's value goes back into the text with 15 significant digits.
        {"(0.1+0.2)*10", 3},
        // Large values are written in exponent form, whose "+" then splits:
        // (1E20) becomes "1E+20", which reads as 20 plus 1E.
        {"(1E20)", 21},
        {"(1E-7)", -6},
    });
}

TEST(CalculateTest, ArithmeticFaultsRaise) {
    ExpectCases({
        // Division by zero, 0/0 too.
        {"1/0", std::nullopt},
        {"0/0", std::nullopt},
        {"1/(2-2)", std::nullopt},
        {"5/abc", std::nullopt},
        // Results too large for a double, in any operator.
        {"1E308*10", std::nullopt},
        {"1E308+1E308", std::nullopt},
        {"-1E308-1E308", std::nullopt},
        {"1E308/0.5", std::nullopt},
        {"10^400", std::nullopt},
        {"0^(-1)", std::nullopt},
        {"171!", std::nullopt},
        {"3000!", std::nullopt},
        {"0.001√10", std::nullopt},  // the 1000th power of 10
        // A negative number raised to a non-integer power.
        {"-8^0.5", std::nullopt},
        {"(0-2)^1.5", std::nullopt},
        // The root of a number that is not positive.
        {"2√0", std::nullopt},
        {"2√-4", std::nullopt},
        // Factorial and sum counts beyond 32 bits.
        {"3000000000!", std::nullopt},
        {"-3000000000!", std::nullopt},
        {"∑3000000000", std::nullopt},
        {"∑2147483648", std::nullopt},
        // Faults inside groups and unused sides reach the caller too.
        {"int(1/0)", std::nullopt},
        {"(1/0)", std::nullopt},
        {"2^(1/0)", std::nullopt},
        {"5!∑3000000000", std::nullopt},
    });
}

TEST(CalculateTest, FaultsThatDoNotHappen) {
    ExpectCases({
        {"0^0", 1},
        {"(0-2)^3", -8},
        // A result too small for a normal double is no fault.
        {"0.5/1E308", 0.5 / 1E308},
        {"1E308*-1", -1E308},
        {"-1∑5", 15},
        {"∑2147483647", 0x1.fffffff840014p+60},
        // A "-" behind "^" is an operator, so 0^-1 is 0^0 - 1.
        {"0^-1", 0},
        // The "-" of an exponent written back is an operator too: "1E-300" is 1 - 300.
        {"1E300/1E-300", 1E300},
    });
}

TEST(GetBracketContentTest, ReturnsTheGroupBody) {
    struct BracketCase {
        std::string text;
        int start;
        std::string expected;
    };
    const std::vector<BracketCase> cases = {
        {"(1+2)*3", 2, "1+2"},
        {"a(b(c)d)e", 3, "b(c)d"},
        {"a(b(c)d)e", 5, "c"},
        {"(1+2", 2, ""},
        {"()", 2, ""},
        {"(1)", 10, ""},
        {"1)", 1, "1"},
        {"1)", 0, "1"},
        {"1)", -5, "1"},
        // Positions count characters, not bytes.
        {"√(√4)", 3, "√4"},
        {"∑(1)+√(2)", 8, "2"},
        {"∑(1)+√(2)", 7, ""},
    };
    for (const BracketCase& c : cases) {
        SCOPED_TRACE(c.text + " from " + std::to_string(c.start));
        EXPECT_EQ(GetBracketContent(c.text, c.start), c.expected);
    }
}

TEST(GetBracketContentTest, DepthCounterHolds32767) {
    const std::string deepest = std::string(32767, '(') + std::string(32768, ')');
    EXPECT_EQ(GetBracketContent(deepest, 1), deepest.substr(0, deepest.size() - 1));
    EXPECT_EQ(GetBracketContent(std::string(32767, '('), 1), "");

    const std::string tooDeep = std::string(32768, '(');
    EXPECT_THROW(GetBracketContent(tooDeep, 1), ArithmeticError);
    EXPECT_THROW(GetBracketContent(tooDeep + std::string(32769, ')'), 1), ArithmeticError);
    EXPECT_THROW(Calculate("(" + tooDeep), ArithmeticError);
}

// The plain loop that the closed form replaces.
double LoopSum(int64_t n) {
    double sum = 0;
    for (int64_t i = 1; i <= n; ++i) sum += double(i);
    return sum;
}

TEST(SumOneToTest, EqualsTheLoopAroundTheLastExactCount) {
    // Up to 2^27 - 1 every partial sum is exact; from there on the loop rounds.
    // Start the loop at that last exact sum and compare every count of the next
    // three million, where the rounding is by 2 and then by 4.
    const int64_t lastExact = (int64_t{1} << 27) - 1;
    double loop = double((lastExact - 3) * (lastExact - 2) / 2);  // the loop is exact up to here
    int mismatches = 0;
    for (int64_t n = lastExact - 2; n <= lastExact + 3'000'000; ++n) {
        loop += double(n);
        if (n % 997 != 0 && n > lastExact + 5000) continue;  // every count near the edge, a sample after it
        if (SumOneTo(int32_t(n)) != loop) {
            ADD_FAILURE() << "n = " << n;
            if (++mismatches > 5) break;
        }
    }
    EXPECT_EQ(SumOneTo(int32_t(lastExact)), 9007199187632128.0);  // 2^53 - 2^26
}

TEST(SumOneToTest, EqualsTheLoopForLargeCounts) {
    // Sums of the one-by-one loop, computed once with that loop.
    struct Known {
        int32_t n;
        double loop;
    };
    const std::vector<Known> known = {
        {134217728, 9007199321849856.0},     {134217729, 9007199456067584.0},     {200000000, 20000000067108864.0},
        {300000000, 45000000067108864.0},    {1000000000, 0x1.bc16d675ec802p+58}, {1500000000, 0x1.f399b1440a102p+59},
        {2000000000, 0x1.bc16d6752c814p+60}, {2147483647, 0x1.fffffff840014p+60},
    };
    for (const Known& k : known) {
        SCOPED_TRACE(k.n);
        EXPECT_EQ(SumOneTo(k.n), k.loop);
    }
    EXPECT_EQ(SumOneTo(0), 0);
    EXPECT_EQ(SumOneTo(-5), 0);
    EXPECT_EQ(SumOneTo(1), 1);
    EXPECT_EQ(SumOneTo(94906265), double(int64_t{94906265} * 94906266 / 2));
    EXPECT_EQ(SumOneTo(100000), LoopSum(100000));
}

TEST(SumOneToTest, HugeCountsDoNotFreeze) {
    // Two billion terms one by one would take seconds; the closed form is
    // immediate, and the sum rule uses it.
    EXPECT_EQ(Calculate("∑2000000000"), 0x1.bc16d6752c814p+60);
}

// Texts of a hundred thousand operators return a value or raise, and never
// overflow the stack.
std::string Repeat(const std::string& piece, size_t count) {
    std::string out;
    out.reserve(piece.size() * count);
    for (size_t i = 0; i < count; ++i) out += piece;
    return out;
}

TEST(CalculateDeepTest, LongFlatChainsStillWork) {
    constexpr size_t kCount = 100'000;
    EXPECT_EQ(Calculate("1" + Repeat("+1", kCount)), double(kCount + 1));
    EXPECT_EQ(Calculate("1" + Repeat("-1", kCount)), 1);      // 1-(1-(1-...)), an even number of ones below
    EXPECT_EQ(Calculate("1" + Repeat("-1", kCount - 1)), 0);  // an odd number
    EXPECT_EQ(Calculate("1" + Repeat("*1", kCount)), 1);
    EXPECT_EQ(Calculate("1" + Repeat("/1", kCount)), 1);
    EXPECT_EQ(Calculate("1" + Repeat("^1", kCount)), 1);
    EXPECT_EQ(Calculate("5" + Repeat("!", kCount)), 120);
    EXPECT_EQ(Calculate(Repeat("-", kCount) + "5"), 0);
    EXPECT_EQ(Calculate(Repeat("int(", kCount)), 0);
    EXPECT_EQ(Calculate(Repeat("int(", kCount / 2) + "7.5" + Repeat(")", kCount / 2)), 7);
    EXPECT_EQ(Calculate(Repeat("int(1)+", kCount / 5) + "1"), double(kCount / 5 + 1));
    EXPECT_EQ(Calculate(Repeat("(1)+", kCount / 4) + "1"), double(kCount / 4 + 1));
    EXPECT_EQ(Calculate("2" + Repeat("√2", kCount)), 1);         // square roots of square roots of ... 2
    EXPECT_EQ(Calculate(Repeat("1+", kCount)), double(kCount));  // the last right side is empty
}

TEST(CalculateDeepTest, DeepTextsRaiseInsteadOfCrashing) {
    constexpr size_t kCount = 100'000;
    EXPECT_THROW(Calculate("2" + Repeat("^2", kCount)), ArithmeticError);  // too large
    EXPECT_THROW(Calculate("2" + Repeat("*2", kCount)), ArithmeticError);
    EXPECT_THROW(Calculate(Repeat("(", kCount)), ArithmeticError);  // 16-bit bracket counter
    EXPECT_THROW(Calculate(Repeat("1+(", kCount)), ArithmeticError);
    EXPECT_THROW(Calculate(Repeat("(", kCount / 4) + "1" + Repeat(")", kCount / 4)), ArithmeticError);  // nesting
    EXPECT_THROW(Calculate(Repeat("2^(", kCount / 4) + "1" + Repeat(")", kCount / 4)), ArithmeticError);
    EXPECT_THROW(Calculate(Repeat("∑", kCount) + "5"), ArithmeticError);  // the count outgrows 32 bits
}

TEST(CalculateDeepTest, ManyUnclosedGroupsBelowTheCounterLimit) {
    // Counting each unclosed group to the end of the text again would take
    // quadratic time here.
    EXPECT_EQ(Calculate(Repeat("(", 30000)), 0);
    EXPECT_EQ(Calculate(Repeat("1+(", 10000)), 1);        // each "(" takes the next "1" along: 1+0+0+...
    EXPECT_EQ(Calculate("2" + Repeat("^(2", 10000)), 2);  // 2^(0^(0^(...0))) with 9999 zeros above
}

TEST(CalculateDeepTest, NestingBeyondTheDepthLimitRaises) {
    EXPECT_THROW(Calculate(Repeat("(", 300) + "1" + Repeat(")", 300)), ArithmeticError);
    EXPECT_THROW(Calculate(Repeat("2^(", 300) + "1" + Repeat(")", 300)), ArithmeticError);
    EXPECT_THROW(Calculate(Repeat("5!(", 300) + "1" + Repeat(")", 300)), ArithmeticError);
}

// Every root whose degree is not positive hands its text on to the factorial
// and sum rules, which walk the rest again; worked out afresh each time, these
// texts took exponential time and ran into the work limit after half a second.
TEST(CalculateDeepTest, RootsThatDoNotApplyAreWorkedOutOnce) {
    EXPECT_EQ(Calculate(Repeat("√∑", 8)), 0);
    EXPECT_EQ(Calculate(Repeat("√∑", 30)), 0);
    EXPECT_EQ(Calculate(Repeat("0√∑", 200)), 0);
    EXPECT_EQ(Calculate(Repeat("(√∑", 30)), 0);
    EXPECT_EQ(Calculate(Repeat("0√∑3", 30) + "4"), 1);
    EXPECT_THROW(Calculate(Repeat("0√3∑", 30) + "4"), ArithmeticError);  // the sum count outgrows 32 bits
}

// A text of 452 bytes the fuzzer found: groups, roots that do not apply and
// factorials whose left sides repeat one another. Evaluating each repeated
// side afresh ran into the work limit after 300 ms; remembering the values
// of the texts already evaluated takes under a millisecond.
TEST(CalculateDeepTest, RepeatedSidesAreEvaluatedOnce) {
    const std::string hex =
        "5e01e2889a2821e2889a76e2889a28210028e2889a283b21e2889a28e2889a28210028e2889a28e2889a28ffffffffff01e2889a"
        "2821e2889a76e2889a28210028e2889a283b21e288e2c89a889a2821001ce2889a01e2889a2821e2889a76e2889a28210028e288"
        "9a283b21e2889a28e2889a28210028e2889a28e2889a28ffffffffff01e2889a2821e2889a76e2889a28210028e2889a283b21e2"
        "889a28e2889a2821001ce2889a28e28801e2889a2821e2889a76e2889a28210028e2889a283b21e2889a28e2889a28210028e288"
        "9a28e2889a28ffffffffff01e2889a2821e2889a76e2889a28210028e29a28ffffffffffffffffff292944e23129ffffffffffff"
        "ffffff292944e23129292929282828286c0000604000ff2affffffffacffff2928e2889a28ffffffffffffffffff292944e23129"
        "ffffffffffffffff2944e23229ffffffffffffffffff292944e231292929292828ff292944e27a2928286c000060400001000000"
        "00292929282828286c0000604000ff2affffffffacffff292944e23129ffffffff000042ffffffffff292944e2c0fab900306100"
        "00312929292928282828ff2affff21296c00006040000100000000000042ff2affff2129";
    std::string text;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) text.push_back(char(std::stoi(hex.substr(i, 2), nullptr, 16)));
    ASSERT_EQ(text.size(), 452u);
    EXPECT_NO_THROW(Calculate(text));
}

TEST(CalculateDeepTest, ModerateNestingWorks) {
    EXPECT_EQ(Calculate(Repeat("(", 200) + "6" + Repeat(")", 200)), 6);
    EXPECT_EQ(Calculate(Repeat("int(", 200) + "6.5" + Repeat(")", 200)), 6);
    EXPECT_EQ(Calculate("2^(" + Repeat("1^(", 199) + "1" + Repeat(")", 200)), 2);
}

}  // namespace
}  // namespace compute
