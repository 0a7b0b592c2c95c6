// The expression evaluator. The steps of Calculate, in the order in which they
// run on a text:
//
//  1. The empty text is 0.
//  2. Bracket phase: every "(" at the start of the text or right after one of
//     "(*+-/" is replaced, together with its content and the character after
//     the content (normally the ")"), by the value of the content.
//  3. Integer-part phase: "int(" groups are replaced by the floor of their
//     content, the last group first.
//  4. to 11. The text is split at the first "+" (from the second character),
//     else the first "-" (from the second character, unless it follows one of
//     "(*+-/" and so is a sign), else the first "*", "/", "^", "√", "!" or
//     "∑", and the two sides are evaluated as texts of their own. A root with a
//     left side that is not positive, and a sum whose count is not positive, do
//     not apply; the text then goes on to the next rule.
//  12. Plain number: the leading number of the text, negated when the text
//     starts with "-".
//
// Two faults of the classic design are mended here, without changing any
// result that the classic design computes:
//
//  - Recursion. Each operator used to cost one nested call and a copy of the
//    rest of the text, so a text of a hundred thousand operators overflowed the
//    stack. The right side of a split is always the rest of the text, so the
//    chain of right sides is walked in a loop with the pending operators kept
//    on a heap stack and combined from the right, in the same order and with
//    the same floating-point operations as the nested calls. Texts are viewed,
//    not copied, and operators are found with positions cached per kind, so a
//    flat chain such as 1+1+...+1 takes linear time. Only bracket contents,
//    left sides and root fall-throughs nest calls; their depth is limited to
//    kMaxDepth and the total work of one evaluation to kMaxWork, beyond which
//    the evaluation stops with ArithmeticError instead of crashing or freezing
//    the window. No expression written by hand comes near either limit.
//  - The sum loop. 1+2+...+n used to be added one term at a time, which froze
//    the window for seconds for counts in the billions. The sum is now computed
//    in closed form, giving the very double the loop gives (see SumOneTo).
#include "kestrun/actions/compute.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "common/text/number.h"
#include "common/text/utf8.h"
#include "kestrun/actions/compute_sum.h"

namespace compute {
namespace {

// "√" and "∑" as UTF-8 bytes (U+221A and U+2211).
constexpr std::string_view kRootSign = "\xE2\x88\x9A";
constexpr std::string_view kSumSign = "\xE2\x88\x91";
constexpr std::string_view kIntPrefix = "int(";

// Nested evaluations allowed before the evaluation gives up. Each level of
// bracket nesting costs two levels; 1000 keeps the deepest stack well inside
// the one megabyte that a Windows program's main thread gets.
constexpr int kMaxDepth = 1000;
// Characters scanned or copied in one evaluation before it gives up. A text
// that needs this much work has many thousands of unclosed or nested groups;
// ordinary texts need about ten steps per character.
constexpr uint64_t kMaxWork = 64'000'000;

bool IsOperatorContext(char c) {
    return c == '(' || c == '*' || c == '+' || c == '-' || c == '/';
}

// Byte length of the character that starts at byte i (0 at the end).
size_t CharLengthAt(std::string_view s, size_t i) {
    if (i >= s.size()) return 0;
    size_t len = 1;
    text::DecodeAt(s, i, len);
    return len;
}

// The bracket counter of GetBracketContent: a 16-bit signed depth. Step
// returns true at the ")" that takes the depth below zero.
class BracketCounter {
public:
    bool Step(char c) {
        if (c == '(') {
            // The classic counter overflows here, which is an arithmetic fault.
            if (depth_ == std::numeric_limits<int16_t>::max()) throw ArithmeticError("bracket nesting too deep");
            ++depth_;
        } else if (c == ')') {
            --depth_;
            if (depth_ == -1) return true;
        }
        return false;
    }

    int16_t Depth() const { return depth_; }

private:
    int16_t depth_ = 0;
};

// The byte index of the closing bracket for a group whose content starts at
// byte from, or nullopt when the group is never closed. Adds the bytes looked
// at to scanned.
std::optional<size_t> FindClosingBracket(std::string_view s, size_t from, uint64_t& scanned) {
    BracketCounter counter;
    for (size_t i = from; i < s.size(); ++i) {
        if (counter.Step(s[i])) {
            scanned += i - from + 1;
            return i;
        }
    }
    scanned += s.size() - std::min(from, s.size());
    return std::nullopt;
}

// Finds the closing brackets of groups in a text that does not change. Most
// groups are closed and short and are found by counting. Once one group turns
// out to be unclosed, the depth profile of the whole text is worked out, so
// that the other unclosed groups of a text such as "1+(1+(1+(..." are
// recognised at once instead of by counting to the end again and again.
class BracketIndex {
public:
    explicit BracketIndex(std::string_view text) : text_(text) {}

    // As FindClosingBracket, with the same faults.
    std::optional<size_t> Find(size_t from, uint64_t& scanned) {
        if (!depth_.empty() && from < text_.size()) {
            const int32_t base = depth_[from];
            if (lowestAfter_[from + 1] >= base) {
                if (highestAfter_[from + 1] - base > std::numeric_limits<int16_t>::max()) {
                    throw ArithmeticError("bracket nesting too deep");
                }
                return std::nullopt;
            }
        }
        std::optional<size_t> close = FindClosingBracket(text_, from, scanned);
        if (!close && depth_.empty()) BuildProfile(scanned);
        return close;
    }

private:
    void BuildProfile(uint64_t& scanned) {
        const size_t size = text_.size();
        depth_.resize(size + 1);
        depth_[0] = 0;
        for (size_t i = 0; i < size; ++i) {
            depth_[i + 1] = depth_[i] + (text_[i] == '(' ? 1 : text_[i] == ')' ? -1 : 0);
        }
        lowestAfter_.resize(size + 1);
        highestAfter_.resize(size + 1);
        lowestAfter_[size] = highestAfter_[size] = depth_[size];
        for (size_t k = size; k-- > 0;) {
            lowestAfter_[k] = std::min(depth_[k], lowestAfter_[k + 1]);
            highestAfter_[k] = std::max(depth_[k], highestAfter_[k + 1]);
        }
        scanned += 2 * size;
    }

    std::string_view text_;
    std::vector<int32_t> depth_;         // depth_[k]: "(" minus ")" in text_[0, k)
    std::vector<int32_t> lowestAfter_;   // the lowest depth_[j] for j >= k
    std::vector<int32_t> highestAfter_;  // the highest depth_[j] for j >= k
};

// The rewritten end of the text in the integer-part phase. It is kept
// reversed, so that taking characters from its front and putting new ones
// before it costs only their number, and it counts its brackets, so that a
// group that cannot close in it is settled without reading it.
class ReversedTail {
public:
    size_t Size() const { return reversed_.size(); }
    size_t Opens() const { return opens_; }
    size_t Closes() const { return closes_; }
    // The k-th character from the front.
    char At(size_t k) const { return reversed_[reversed_.size() - 1 - k]; }
    std::string Front(size_t count) const {
        count = std::min(count, reversed_.size());
        return std::string(reversed_.rbegin(), reversed_.rbegin() + ptrdiff_t(count));
    }
    void DropFront(size_t count) {
        for (; count > 0 && !reversed_.empty(); --count) {
            Count(reversed_.back(), -1);
            reversed_.pop_back();
        }
    }
    void PutFront(std::string_view chars) {
        for (size_t i = chars.size(); i > 0; --i) {
            Count(chars[i - 1], 1);
            reversed_.push_back(chars[i - 1]);
        }
    }
    std::string Forward() const { return std::string(reversed_.rbegin(), reversed_.rend()); }

private:
    void Count(char c, int delta) {
        if (c == '(') opens_ += size_t(delta);
        if (c == ')') closes_ += size_t(delta);
    }

    std::string reversed_;
    size_t opens_ = 0;
    size_t closes_ = 0;
};

double Checked(double result) {
    if (!std::isfinite(result)) throw ArithmeticError("result too large");
    return result;
}

double Power(double base, double exponent) {
    double result = std::pow(base, exponent);
    if (std::isnan(result)) throw ArithmeticError("negative number raised to a non-integer power");
    // Also 0 raised to a negative power, which divides by zero.
    return Checked(result);
}

double Root(double degree, double radicand) {
    if (radicand <= 0) throw ArithmeticError("root of a number that is not positive");
    return Checked(std::exp(std::log(radicand) / degree));
}

double Factorial(double n) {
    if (n == 0) return 1;
    std::optional<int32_t> count = text::ToInt32(n);
    if (!count) throw ArithmeticError("factorial count out of range");
    double product = 1;
    // The product is infinite from 171 on, so the loop never runs long.
    for (int32_t i = 1; i <= *count; ++i) {
        product *= i;
        if (std::isinf(product)) throw ArithmeticError("result too large");
    }
    return product;
}

// ---------------------------------------------------------------------------
// The evaluator of one Calculate call: the depth and work limits live here.

// The text a rule works on: a value written by a bracket resolution (usually
// empty) followed by the rest of an evaluated text from pos on. Right sides of
// splits are always such tails, so no text is copied while walking a chain.
struct Tail {
    std::string head;
    size_t pos = 0;
};

enum class Rule { Add, Subtract, Multiply, Divide, Power, Root, Factorial, Sum, Number };

// An operator whose right side is being evaluated. Operators that evaluate
// their left side first keep its value; the others keep the text to evaluate
// it later, and the root and sum keep their whole text for a fall-through.
struct Pending {
    Rule rule;
    Tail text;
    size_t split = 0;  // byte index of the operator in text
    double leftValue = 0;
    // For a root: where the first "!" and "∑" of the rest lie, found while
    // walking forward, so that a fall-through need not search for them again.
    size_t factorialAt = std::string::npos;
    size_t sumAt = std::string::npos;
};

class Evaluator {
public:
    double Evaluate(std::string_view text);

private:
    class DepthGuard {
    public:
        explicit DepthGuard(Evaluator& evaluator) : evaluator_(evaluator) {
            if (++evaluator_.depth_ > kMaxDepth) {
                --evaluator_.depth_;
                throw ArithmeticError("expression nested too deeply");
            }
        }
        ~DepthGuard() { --evaluator_.depth_; }
        DepthGuard(const DepthGuard&) = delete;
        DepthGuard& operator=(const DepthGuard&) = delete;

    private:
        Evaluator& evaluator_;
    };

    // Finds operators in one evaluated text. A chain of right sides asks for
    // each kind from ever later positions, so the answer of the last search
    // is reused until the asking position passes it.
    class Finder {
    public:
        Finder(Evaluator& evaluator, std::string_view text) : evaluator_(evaluator), text_(text) {}
        size_t Find(Rule slot, std::string_view op, size_t from) {
            Cache& cache = caches_[size_t(slot)];
            if (cache.valid && from >= cache.from && (cache.found == std::string_view::npos || cache.found >= from)) {
                return cache.found;
            }
            size_t found = text_.find(op, from);
            evaluator_.Charge((found == std::string_view::npos ? text_.size() : found) - std::min(from, text_.size()));
            cache = Cache{true, from, found};
            return found;
        }
        // Tells the finder where the first op at or after from lies.
        void Seed(Rule slot, size_t from, size_t found) { caches_[size_t(slot)] = Cache{true, from, found}; }

    private:
        struct Cache {
            bool valid = false;
            size_t from = 0;
            size_t found = std::string_view::npos;
        };
        Evaluator& evaluator_;
        std::string_view text_;
        std::array<Cache, size_t(Rule::Number)> caches_{};
    };

    void Charge(uint64_t steps) {
        work_ += steps;
        if (work_ > kMaxWork) throw ArithmeticError("expression too long to evaluate");
    }

    std::optional<size_t> ClosingBracket(BracketIndex& index, size_t from) {
        uint64_t scanned = 0;
        std::optional<size_t> close = index.Find(from, scanned);
        Charge(scanned);
        return close;
    }

    std::string BracketPhase(std::string_view text);
    std::string IntegerPartPhase(std::string text);
    double Run(const std::string& text, Tail start, Rule firstRule, const Pending* fallThrough = nullptr);
    void ResolveLeadingBracket(const std::string& text, BracketIndex& index, Tail& tail);
    size_t FindIn(Finder& finder, const Tail& tail, Rule slot, std::string_view op, size_t minIndex);
    double EvaluateLeft(const std::string& text, const Tail& tail, size_t split);
    double PlainNumber(const std::string& text, const Tail& tail);

    int depth_ = 0;
    uint64_t work_ = 0;
};

size_t TailSize(const std::string& text, const Tail& tail) {
    return tail.head.size() + (text.size() - tail.pos);
}

char TailAt(const std::string& text, const Tail& tail, size_t index) {
    return index < tail.head.size() ? tail.head[index] : text[tail.pos + index - tail.head.size()];
}

// The part behind an operator of width bytes at byte index split.
Tail RightOf(const Tail& tail, size_t split, size_t width) {
    size_t start = split + width;
    if (start <= tail.head.size()) return Tail{tail.head.substr(start), tail.pos};
    return Tail{std::string(), tail.pos + (start - tail.head.size())};
}

double Evaluator::Evaluate(std::string_view text) {
    DepthGuard guard(*this);
    Charge(text.size() + 1);
    if (text.empty()) return 0;
    std::string resolved = IntegerPartPhase(BracketPhase(text));
    return Run(resolved, Tail{}, Rule::Add);
}

// Replaces the groups that the bracket phase resolves. The text is copied once
// from left to right; a group's value never holds "(", so the search can go on
// behind the group, and the character before the next "(" is the last one
// written.
std::string Evaluator::BracketPhase(std::string_view text) {
    BracketIndex index(text);
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    for (;;) {
        size_t open = text.find('(', i);
        if (open == std::string_view::npos) {
            out.append(text.substr(i));
            return out;
        }
        out.append(text.substr(i, open - i));
        if (!out.empty() && !IsOperatorContext(out.back())) {
            // After "^", "√", a digit, a letter (as in "int(") and so on.
            out.push_back('(');
            i = open + 1;
            continue;
        }
        std::optional<size_t> close = ClosingBracket(index, open + 1);
        std::string_view content = close ? text.substr(open + 1, *close - open - 1) : std::string_view();
        out += text::NumberToText(Evaluate(content));
        // An unclosed group is empty, and the "(" takes the character behind it along.
        i = close ? *close + 1 : open + 1 + CharLengthAt(text, open + 1);
    }
}

// Replaces every "int(" group by the floor of its value, from the last group
// to the first. Everything from the current group on has already been
// rewritten and is kept in a ReversedTail, so that replacing a group costs
// only its own length however long the text behind it is.
std::string Evaluator::IntegerPartPhase(std::string text) {
    size_t group = text.rfind(kIntPrefix);
    if (group == std::string::npos) return text;
    size_t cut = text.size();  // text[0, cut) is unchanged; the tail follows it
    ReversedTail tail;

    while (group != std::string::npos) {
        const size_t contentStart = group + kIntPrefix.size();
        BracketCounter counter;
        std::optional<size_t> closeInText;  // the ")" among the unchanged characters
        std::optional<size_t> closeInTail;  // or among the rewritten ones
        size_t scanned = 0;
        for (size_t i = contentStart; i < cut && !closeInText; ++i, ++scanned) {
            if (counter.Step(text[i])) closeInText = i;
        }
        if (!closeInText && tail.Closes() == 0) {
            // Without a ")" the tail cannot close the group; it only deepens it.
            if (counter.Depth() + tail.Opens() > std::numeric_limits<int16_t>::max()) {
                throw ArithmeticError("bracket nesting too deep");
            }
        } else {
            for (size_t k = 0; !closeInText && !closeInTail && k < tail.Size(); ++k, ++scanned) {
                if (counter.Step(tail.At(k))) closeInTail = k;
            }
        }

        std::string content;
        size_t textEnd = cut;  // the group ends at text[textEnd] ...
        size_t tailTaken = 0;  // ... or takes this many characters of the tail
        if (closeInText) {
            content = text.substr(contentStart, *closeInText - contentStart);
            textEnd = *closeInText + 1;
        } else if (closeInTail) {
            content = text.substr(contentStart, cut - contentStart) + tail.Front(*closeInTail);
            tailTaken = *closeInTail + 1;
        } else if (contentStart < cut) {
            // Unclosed: "int(" takes the one character behind it along.
            textEnd = contentStart + CharLengthAt(text, contentStart);
        } else {
            tailTaken = CharLengthAt(tail.Front(4), 0);
        }
        Charge(scanned + (cut - textEnd) + content.size());

        const std::string value = text::NumberToText(std::floor(Evaluate(content)));
        tail.DropFront(tailTaken);
        tail.PutFront(std::string_view(text).substr(textEnd, cut - textEnd));
        tail.PutFront(value);
        cut = group;

        // The next group must lie wholly before the value just written.
        group = cut >= kIntPrefix.size() ? text.rfind(kIntPrefix, cut - kIntPrefix.size()) : std::string::npos;
    }
    text.resize(cut);
    text += tail.Forward();
    return text;
}

// A right side that begins with "(" resolves that group first, as the bracket
// phase of its own evaluation would. Nothing else in it can change: every
// other "(" of the evaluated text follows a character outside "(*+-/", and no
// "int(" is left.
void Evaluator::ResolveLeadingBracket(const std::string& text, BracketIndex& index, Tail& tail) {
    if (!tail.head.empty() || tail.pos >= text.size() || text[tail.pos] != '(') return;
    const size_t open = tail.pos;
    std::optional<size_t> close = ClosingBracket(index, open + 1);
    std::string_view content =
        close ? std::string_view(text).substr(open + 1, *close - open - 1) : std::string_view();
    tail.head = text::NumberToText(Evaluate(content));
    tail.pos = close ? *close + 1 : std::min(text.size(), open + 1 + CharLengthAt(text, open + 1));
}

// The byte index of the first op in the tail at or after byte minIndex.
size_t Evaluator::FindIn(Finder& finder, const Tail& tail, Rule slot, std::string_view op, size_t minIndex) {
    const size_t headSize = tail.head.size();
    if (minIndex < headSize) {
        size_t found = tail.head.find(op, minIndex);
        if (found != std::string::npos) return found;
    }
    size_t found = finder.Find(slot, op, tail.pos + (minIndex > headSize ? minIndex - headSize : 0));
    return found == std::string::npos ? std::string::npos : headSize + (found - tail.pos);
}

double Evaluator::EvaluateLeft(const std::string& text, const Tail& tail, size_t split) {
    if (tail.head.empty()) return Evaluate(std::string_view(text).substr(tail.pos, split));
    std::string left = tail.head.substr(0, std::min(split, tail.head.size()));
    if (split > tail.head.size()) left.append(text, tail.pos, split - tail.head.size());
    Charge(left.size());
    return Evaluate(left);
}

double Evaluator::PlainNumber(const std::string& text, const Tail& tail) {
    std::string joined;
    std::string_view number = std::string_view(text).substr(tail.pos);
    if (!tail.head.empty()) {
        joined = tail.head + std::string(number);
        Charge(joined.size());
        number = joined;
    }
    if (!number.empty() && number.front() == '-') return -text::LeadingNumber(number.substr(1));
    return text::LeadingNumber(number);
}

// Steps 4 to 12 on an evaluated text, from the tail start on and beginning
// with firstRule (a root that does not apply goes on with the factorial).
double Evaluator::Run(const std::string& text, Tail start, Rule firstRule, const Pending* fallThrough) {
    Finder finder(*this, text);
    if (fallThrough) {
        finder.Seed(Rule::Factorial, start.pos, fallThrough->factorialAt);
        finder.Seed(Rule::Sum, start.pos, fallThrough->sumAt);
    }
    BracketIndex brackets(text);
    std::vector<Pending> pending;
    Tail tail = std::move(start);
    Rule from = firstRule;
    bool rightSide = false;
    double value = 0;

    for (;;) {
        if (rightSide) ResolveLeadingBracket(text, brackets, tail);
        if (TailSize(text, tail) == 0) {
            value = 0;
            break;
        }
        // Which rule applies, and where the text splits.
        Rule rule = Rule::Number;
        size_t split = std::string::npos;
        size_t width = 1;
        auto tryRule = [&](Rule candidate, std::string_view op, size_t minIndex) {
            if (rule != Rule::Number || from > candidate) return;
            split = FindIn(finder, tail, candidate, op, minIndex);
            if (split != std::string::npos) {
                rule = candidate;
                width = op.size();
            }
        };
        tryRule(Rule::Add, "+", 1);
        if (rule == Rule::Number && from <= Rule::Subtract) {
            size_t minus = FindIn(finder, tail, Rule::Subtract, "-", 1);
            // A "-" behind one of "(*+-/" is a sign; then no later "-" counts.
            if (minus != std::string::npos && !IsOperatorContext(TailAt(text, tail, minus - 1))) {
                rule = Rule::Subtract;
                split = minus;
            }
        }
        tryRule(Rule::Multiply, "*", 0);
        tryRule(Rule::Divide, "/", 0);
        tryRule(Rule::Power, "^", 0);
        tryRule(Rule::Root, kRootSign, 0);
        tryRule(Rule::Factorial, "!", 0);
        tryRule(Rule::Sum, kSumSign, 0);

        if (rule == Rule::Number) {
            value = PlainNumber(text, tail);
            break;
        }
        Pending entry{rule, Tail{}, split, 0};
        switch (rule) {
        case Rule::Subtract:
        case Rule::Multiply:
        case Rule::Divide:
        case Rule::Power:
        case Rule::Sum:  // the left side of a sum is evaluated, and its value not used
            entry.leftValue = EvaluateLeft(text, tail, split);
            if (rule == Rule::Sum) entry.text = tail;
            break;
        default:  // addition, root and factorial evaluate the right side first
            entry.text = tail;
            if (rule == Rule::Root) {
                entry.factorialAt = finder.Find(Rule::Factorial, "!", tail.pos);
                entry.sumAt = finder.Find(Rule::Sum, kSumSign, tail.pos);
            }
            break;
        }
        pending.push_back(std::move(entry));
        tail = RightOf(tail, split, width);
        from = Rule::Add;
        rightSide = true;
    }

    // Combine from the innermost right side outwards.
    while (!pending.empty()) {
        Pending entry = std::move(pending.back());
        pending.pop_back();
        switch (entry.rule) {
        case Rule::Add:
            value = Checked(value + EvaluateLeft(text, entry.text, entry.split));
            break;
        case Rule::Subtract:
            value = Checked(entry.leftValue - value);
            break;
        case Rule::Multiply:
            value = Checked(entry.leftValue * value);
            break;
        case Rule::Divide:
            if (value == 0) throw ArithmeticError("division by zero");
            value = Checked(entry.leftValue / value);
            break;
        case Rule::Power:
            value = Power(entry.leftValue, value);
            break;
        case Rule::Root: {
            const double radicand = value;
            const double degree = EvaluateLeft(text, entry.text, entry.split);
            if (degree > 0) {
                value = Root(degree, radicand);
            } else {
                DepthGuard guard(*this);
                Tail whole = entry.text;
                value = Run(text, std::move(whole), Rule::Factorial, &entry);
            }
            break;
        }
        case Rule::Factorial:  // the value of the right side is not used
            value = Factorial(EvaluateLeft(text, entry.text, entry.split));
            break;
        case Rule::Sum:
            if (value > 0) {
                std::optional<int32_t> count = text::ToInt32(value);
                if (!count) throw ArithmeticError("sum count out of range");
                value = SumOneTo(*count);
            } else {
                value = PlainNumber(text, entry.text);
            }
            break;
        case Rule::Number:
            break;
        }
    }
    return value;
}

}  // namespace

double Calculate(std::string_view text) {
    Evaluator evaluator;
    return evaluator.Evaluate(text);
}

std::string GetBracketContent(std::string_view text, int startPosition) {
    // Walk to the byte where the 1-based character position starts.
    size_t from = 0;
    for (int position = 1; position < startPosition && from < text.size(); ++position) {
        from += CharLengthAt(text, from);
    }
    uint64_t scanned = 0;
    std::optional<size_t> close = FindClosingBracket(text, from, scanned);
    if (!close) return std::string();
    return std::string(text.substr(from, *close - from));
}

}  // namespace compute
