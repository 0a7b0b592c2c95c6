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
// Evaluating these rules literally, with one nested call per split, has two
// faults, which this evaluator avoids without changing any result:
//
//  - Recursion. Each operator would cost one nested call and a copy of the
//    rest of the text, so a text of a hundred thousand operators would overflow
//    the stack. The right side of a split is always the rest of the text, so the
//    chain of right sides is walked in a loop with the pending operators kept
//    on a heap stack and combined from the right, in the same order and with
//    the same floating-point operations as the nested calls. Texts are viewed,
//    not copied, and operators are found with positions cached per kind, so a
//    flat chain such as 1+1+...+1 takes linear time. Only bracket contents,
//    left sides and root fall-throughs nest calls; their depth is limited to
//    kMaxDepth and the total work of one evaluation to kMaxWork, beyond which
//    the evaluation stops with ArithmeticError instead of crashing or freezing
//    the window. No expression written by hand comes near either limit.
//  - The sum loop. Adding 1+2+...+n one term at a time freezes the window for
//    seconds for counts in the billions. The sum is computed in closed form
//    instead, giving the very double that the loop gives (see SumOneTo).
//  - Roots that do not apply. A root whose degree is not positive hands the
//    same text on to the factorial and sum rules, which walk its right side
//    again, and every root of that right side that does not apply does the
//    same: a text such as "√∑√∑√∑..." of a hundred characters would be walked
//    an exponential number of times and hit the work limit only after half a
//    second. A fall-through depends on nothing but the text and where it
//    starts, so each one is worked out once per evaluated text and then
//    looked up (see FallThroughs). Likewise the same left side or bracket
//    content can come back many times in one evaluation; the value of a text
//    depends on nothing but the text, so it is worked out once (see values_).
#include "kestrun/script/compute.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "common/text/number.h"
#include "common/text/utf8.h"
#include "kestrun/script/compute_brackets.h"
#include "kestrun/script/compute_sum.h"

namespace compute {
namespace {

// "√" and "∑" as UTF-8 bytes (U+221A and U+2211).
constexpr std::string_view kRootSign = "\xE2\x88\x9A";
constexpr std::string_view kSumSign = "\xE2\x88\x91";
constexpr std::string_view kIntPrefix = "int(";

// Nested evaluations allowed before the evaluation gives up: a bracket group
// inside a bracket group, a left side, a root that does not apply. A level
// takes up to about 1.3 kilobytes of stack, so 256 levels use about a third of
// the one megabyte that the main thread of a Windows program gets; no
// expression written by hand comes near them.
constexpr int kMaxDepth = 256;
// Work allowed in one evaluation before it gives up, counted as characters
// scanned or copied plus kStepWork for every split and every nested
// evaluation. Ordinary texts need a few dozen units per character; a text
// that needs this much has thousands of unclosed or nested groups, and stops
// within a fraction of a second.
constexpr uint64_t kMaxWork = 64'000'000;
constexpr uint64_t kStepWork = 16;
// Texts up to this length have their values remembered for the rest of the
// evaluation (see Evaluator::values_).
constexpr size_t kMaxRememberedText = 4096;

bool IsOperatorContext(char c) { return c == '(' || c == '*' || c == '+' || c == '-' || c == '/'; }

// Byte length of the character that starts at byte i (0 at the end).
size_t CharLengthAt(std::string_view s, size_t i) {
    if (i >= s.size()) return 0;
    size_t len = 1;
    text::DecodeAt(s, i, len);
    return len;
}

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
            if (reversed_.back() == '(') --opens_;
            if (reversed_.back() == ')') --closes_;
            reversed_.pop_back();
        }
    }
    void PutFront(std::string_view chars) {
        for (size_t i = chars.size(); i > 0; --i) {
            if (chars[i - 1] == '(') ++opens_;
            if (chars[i - 1] == ')') ++closes_;
            reversed_.push_back(chars[i - 1]);
        }
    }
    std::string Forward() const { return std::string(reversed_.rbegin(), reversed_.rend()); }

private:
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

// An operator whose right side is being evaluated, with the text it splits.
// Operators that evaluate their left side first keep its value; the others
// evaluate it from the text later. The root and the sum also need the whole
// text when they do not apply.
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
    struct Split {
        Rule rule;
        size_t at;     // byte index of the operator in the tail
        size_t width;  // its length in bytes
    };
    Split ChooseRule(Finder& finder, const std::string& text, const Tail& tail, Rule firstRule);
    double Run(const std::string& text, Tail start, Rule firstRule, const Pending* fallThrough = nullptr);
    double Combine(const std::string& text, const Pending& entry, double right);
    void ResolveLeadingBracket(const std::string& text, BracketIndex& index, Tail& tail);
    size_t FindIn(Finder& finder, const Tail& tail, Rule slot, std::string_view op, size_t minIndex);
    double EvaluateLeft(const std::string& text, const Tail& tail, size_t split);
    double PlainNumber(const std::string& text, const Tail& tail);

    // The results of the root fall-throughs of one evaluated text, by where
    // the fall-through starts (the tail's head and position). A scope lives
    // as long as its text, so a key never outlives the text it belongs to.
    class FallThroughs {
    public:
        FallThroughs(Evaluator& evaluator, const std::string& text) : evaluator_(evaluator), text_(text) {
            evaluator_.fallThroughs_.push_back(this);
        }
        ~FallThroughs() { evaluator_.fallThroughs_.pop_back(); }
        FallThroughs(const FallThroughs&) = delete;
        FallThroughs& operator=(const FallThroughs&) = delete;

        const std::string& Text() const { return text_; }
        std::map<std::pair<size_t, std::string>, double> results;

    private:
        Evaluator& evaluator_;
        const std::string& text_;
    };
    FallThroughs* FallThroughsOf(const std::string& text) {
        for (auto it = fallThroughs_.rbegin(); it != fallThroughs_.rend(); ++it) {
            if (&(*it)->Text() == &text) return *it;
        }
        return nullptr;
    }

    int depth_ = 0;
    uint64_t work_ = 0;
    std::vector<FallThroughs*> fallThroughs_;
    // The values of the texts evaluated so far in this call: the same left
    // side or bracket content often comes back, and its value is the same.
    std::map<std::string, double, std::less<>> values_;
};

size_t TailSize(const std::string& text, const Tail& tail) { return tail.head.size() + (text.size() - tail.pos); }

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
    Charge(text.size() + kStepWork);
    if (text.empty()) return 0;
    const bool remembered = text.size() <= kMaxRememberedText;
    if (remembered) {
        if (auto found = values_.find(text); found != values_.end()) return found->second;
    }
    std::string resolved = IntegerPartPhase(BracketPhase(text));
    FallThroughs fallThroughs(*this, resolved);
    const double value = Run(resolved, Tail{}, Rule::Add);
    if (remembered) values_.emplace(std::string(text), value);
    return value;
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
            if (size_t(counter.Depth()) + tail.Opens() > size_t(std::numeric_limits<int16_t>::max())) {
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
    std::string_view content = close ? std::string_view(text).substr(open + 1, *close - open - 1) : std::string_view();
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

// Which of steps 4 to 11 applies to the tail, trying them from firstRule on,
// and the byte index and width of the operator where the tail splits.
Evaluator::Split Evaluator::ChooseRule(Finder& finder, const std::string& text, const Tail& tail, Rule firstRule) {
    struct Candidate {
        Rule rule;
        std::string_view op;
        size_t minIndex;  // "+" and "-" count from the second character on
    };
    static constexpr std::array<Candidate, 8> kCandidates = {{
        {Rule::Add, "+", 1},
        {Rule::Subtract, "-", 1},
        {Rule::Multiply, "*", 0},
        {Rule::Divide, "/", 0},
        {Rule::Power, "^", 0},
        {Rule::Root, kRootSign, 0},
        {Rule::Factorial, "!", 0},
        {Rule::Sum, kSumSign, 0},
    }};
    for (const Candidate& candidate : kCandidates) {
        if (candidate.rule < firstRule) continue;
        const size_t at = FindIn(finder, tail, candidate.rule, candidate.op, candidate.minIndex);
        if (at == std::string::npos) continue;
        // A "-" behind one of "(*+-/" is a sign, and then no later "-" counts.
        if (candidate.rule == Rule::Subtract && IsOperatorContext(TailAt(text, tail, at - 1))) continue;
        return Split{candidate.rule, at, candidate.op.size()};
    }
    return Split{Rule::Number, std::string::npos, 0};
}

// Steps 4 to 12 on an evaluated text, from the tail start on and beginning
// with firstRule. The walk goes down the chain of right sides, keeping each
// operator on a stack, and then combines them from the innermost outwards.
double Evaluator::Run(const std::string& text, Tail start, Rule firstRule, const Pending* fallThrough) {
    // The walk's helpers live on the heap: Run is part of every level of a
    // nested evaluation, and a small frame keeps the deepest one well inside
    // the stack.
    struct WalkState {
        Finder finder;
        BracketIndex brackets;
        std::vector<Pending> pending;
    };
    auto state = std::make_unique<WalkState>(WalkState{Finder(*this, text), BracketIndex(text), {}});
    if (fallThrough) {
        state->finder.Seed(Rule::Factorial, start.pos, fallThrough->factorialAt);
        state->finder.Seed(Rule::Sum, start.pos, fallThrough->sumAt);
    }
    Tail tail = std::move(start);
    double value = 0;
    for (bool rightSide = false;; rightSide = true, firstRule = Rule::Add) {
        Charge(kStepWork);
        if (rightSide) ResolveLeadingBracket(text, state->brackets, tail);
        if (TailSize(text, tail) == 0) {
            value = 0;
            break;
        }
        const Split split = ChooseRule(state->finder, text, tail, firstRule);
        if (split.rule == Rule::Number) {
            value = PlainNumber(text, tail);
            break;
        }
        Pending entry{split.rule, tail, split.at};
        switch (split.rule) {
            case Rule::Subtract:
            case Rule::Multiply:
            case Rule::Divide:
            case Rule::Power:
            case Rule::Sum:  // the left side of a sum is evaluated, and its value not used
                entry.leftValue = EvaluateLeft(text, tail, split.at);
                break;
            case Rule::Root:
                entry.factorialAt = state->finder.Find(Rule::Factorial, "!", tail.pos);
                entry.sumAt = state->finder.Find(Rule::Sum, kSumSign, tail.pos);
                break;
            default:  // addition and factorial evaluate their left side after the right one
                break;
        }
        state->pending.push_back(std::move(entry));
        tail = RightOf(tail, split.at, split.width);
    }
    while (!state->pending.empty()) {
        Pending entry = std::move(state->pending.back());
        state->pending.pop_back();
        value = Combine(text, entry, value);
    }
    return value;
}

// Completes one operator once the value of its right side is known.
double Evaluator::Combine(const std::string& text, const Pending& entry, double right) {
    switch (entry.rule) {
        case Rule::Add:
            return Checked(right + EvaluateLeft(text, entry.text, entry.split));
        case Rule::Subtract:
            return Checked(entry.leftValue - right);
        case Rule::Multiply:
            return Checked(entry.leftValue * right);
        case Rule::Divide:
            if (right == 0) throw ArithmeticError("division by zero");
            return Checked(entry.leftValue / right);
        case Rule::Power:
            return Power(entry.leftValue, right);
        case Rule::Root: {
            const double degree = EvaluateLeft(text, entry.text, entry.split);
            if (degree > 0) return Root(degree, right);
            // The root does not apply: the same text goes on with the factorial.
            FallThroughs* known = FallThroughsOf(text);
            std::pair<size_t, std::string> key{entry.text.pos, entry.text.head};
            if (known) {
                if (auto found = known->results.find(key); found != known->results.end()) return found->second;
            }
            DepthGuard guard(*this);
            const double value = Run(text, entry.text, Rule::Factorial, &entry);
            if (known) known->results.emplace(std::move(key), value);
            return value;
        }
        case Rule::Factorial:  // the value of the right side is not used
            return Factorial(EvaluateLeft(text, entry.text, entry.split));
        case Rule::Sum: {
            // The sum does not apply to a count that is not positive: the text
            // is then read as a plain number.
            if (right <= 0) return PlainNumber(text, entry.text);
            std::optional<int32_t> count = text::ToInt32(right);
            if (!count) throw ArithmeticError("sum count out of range");
            return SumOneTo(*count);
        }
        case Rule::Number:
            break;
    }
    return right;
}

}  // namespace

double Calculate(std::string_view text) {
    Evaluator evaluator;
    return evaluator.Evaluate(text);
}

}  // namespace compute
