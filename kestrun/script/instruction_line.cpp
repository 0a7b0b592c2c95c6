#include "kestrun/script/instruction_line.h"

#include "common/text/number.h"
#include "common/text/utf8.h"
#include "kestrun/script/compute.h"

namespace script {

std::string_view Keyword(InstructionKind kind) {
    for (const KeywordEntry& entry : kKeywords) {
        if (entry.kind == kind) return entry.keyword;
    }
    return {};
}

InstructionKind KindOfKeyword(std::string_view keyword) {
    for (const KeywordEntry& entry : kKeywords) {
        if (entry.keyword == keyword) return entry.kind;
    }
    return InstructionKind::None;
}

ClickKind KindOfClickText(std::string_view text) {
    for (const ClickKindEntry& entry : kClickKinds) {
        if (entry.text == text) return entry.kind;
    }
    return ClickKind::None;
}

std::vector<std::string> SplitFields(std::string_view argumentText) {
    // The empty text has no pieces at all: a line such as
    // "比较文字=" has no field 1 at all, which the clipboard test tells apart
    // from an empty field 1 followed by a jump (",1").
    if (argumentText.empty()) return {};
    return text::Split(argumentText, kFieldSeparator);
}

InstructionLine::InstructionLine(std::string_view line) {
    const size_t first = line.find(kKeywordSeparator);
    keyword_ = std::string(line.substr(0, first));
    if (first != std::string_view::npos) {
        std::string_view rest = line.substr(first + kKeywordSeparator.size());
        argumentText_ = std::string(rest.substr(0, rest.find(kKeywordSeparator)));
    }
    fields_ = SplitFields(argumentText_);
    kind_ = KindOfKeyword(keyword_);
}

const std::string& InstructionLine::Field(size_t number) const {
    static const std::string kMissing;
    return HasField(number) ? fields_[number - 1] : kMissing;
}

double InstructionLine::FieldNumber(size_t number) const { return text::LeadingNumber(Field(number)); }

std::optional<int32_t> InstructionLine::FieldInt32(size_t number) const { return text::ToInt32(FieldNumber(number)); }

std::optional<int16_t> InstructionLine::FieldInt16(size_t number) const { return text::ToInt16(FieldNumber(number)); }

InstructionKind KindOfLine(std::string_view line) {
    return KindOfKeyword(line.substr(0, line.find(kKeywordSeparator)));
}

namespace {

template <typename Fields>
std::string Join(std::string_view keyword, const Fields& fields) {
    std::string line(keyword);
    line += kKeywordSeparator;
    bool first = true;
    for (std::string_view field : fields) {
        if (!first) line += kFieldSeparator;
        line += field;
        first = false;
    }
    return line;
}

}  // namespace

std::string WriteLine(InstructionKind kind, std::initializer_list<std::string_view> fields) {
    return Join(Keyword(kind), fields);
}

std::string WriteLine(InstructionKind kind, std::span<const std::string> fields) { return Join(Keyword(kind), fields); }

std::string WriteLine(std::string_view keyword, std::span<const std::string> fields) { return Join(keyword, fields); }

bool HasCyclePlaceholder(std::string_view field) { return text::Contains(field, kCyclePlaceholder); }

std::string SubstituteCycle(std::string_view field, int32_t cycle) {
    return text::ReplaceAll(field, kCyclePlaceholder, text::IntToText(cycle));
}

namespace {

std::string EvaluateOrKeep(std::string substituted) {
    try {
        return text::NumberToText(compute::Calculate(substituted));
    } catch (const compute::ArithmeticError&) {
        // A fault leaves the substituted text, which is then read by its
        // leading number like any other field.
        return substituted;
    }
}

}  // namespace

std::string ResolveClickField(std::string_view field, int32_t cycle) {
    if (!HasCyclePlaceholder(field)) return std::string(field);
    return EvaluateOrKeep(SubstituteCycle(field, cycle));
}

std::optional<int32_t> CoordinateValue(std::string_view field, int32_t foundX, int32_t foundY,
                                       std::optional<int32_t> cycle) {
    const bool found = text::Contains(field, kFoundXPlaceholder) || text::Contains(field, kFoundYPlaceholder);
    if (!found) return cycle ? ClickCoordinate(field, *cycle) : text::ToInt32(text::LeadingNumber(field));
    std::string substituted = cycle ? SubstituteCycle(field, *cycle) : std::string(field);
    substituted = text::ReplaceAll(substituted, kFoundXPlaceholder, text::IntToText(foundX));
    substituted = text::ReplaceAll(substituted, kFoundYPlaceholder, text::IntToText(foundY));
    return text::ToInt32(text::LeadingNumber(EvaluateOrKeep(std::move(substituted))));
}

std::optional<int32_t> ClickCoordinate(std::string_view field, int32_t cycle) {
    return text::ToInt32(text::LeadingNumber(ResolveClickField(field, cycle)));
}

std::string_view WaitDurationText(std::string_view argumentText) {
    return argumentText.substr(0, argumentText.find(kMilliseconds));
}

std::optional<int32_t> WaitDuration(std::string_view argumentText) {
    return text::ToInt32(text::LeadingNumber(WaitDurationText(argumentText)));
}

ScrollReading ReadScroll(const InstructionLine& line) {
    ScrollReading reading;
    if (line.FieldCount() == 3) {
        reading.movesPointer = true;
        reading.x = line.FieldInt32(1);
        reading.y = line.FieldInt32(2);
        reading.notches = line.FieldInt16(3);
    } else {
        reading.notches = line.FieldInt16(1);
    }
    return reading;
}

}  // namespace script
