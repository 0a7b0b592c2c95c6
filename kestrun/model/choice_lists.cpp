#include "kestrun/model/choice_lists.h"

#include <utility>

namespace kestrun {

namespace {

std::string TakeFirst(std::vector<std::string>& entries) {
    std::string first = std::move(entries.front());
    entries.erase(entries.begin());
    return first;
}

}  // namespace

void ChoiceLists::SetCmbPasteText(std::string text) {
    if (text == cmbPasteText_) return;
    cmbPasteText_ = std::move(text);
    Changed(ModelPart::CmbPaste);
}

void ChoiceLists::SetCmbUrlText(std::string text) {
    if (text == cmbUrlText_) return;
    cmbUrlText_ = std::move(text);
    Changed(ModelPart::CmbUrl);
}

void ChoiceLists::SetPasteList(std::vector<std::string> entries, std::string text) {
    pasteEntries_ = std::move(entries);
    cmbPasteText_ = std::move(text);
    Changed(ModelPart::CmbPaste);
}

void ChoiceLists::SetUrlList(std::vector<std::string> entries, std::string text) {
    urlEntries_ = std::move(entries);
    cmbUrlText_ = std::move(text);
    Changed(ModelPart::CmbUrl);
}

std::string ChoiceLists::TakeFirstPasteEntry() {
    if (pasteEntries_.empty()) return {};
    std::string first = TakeFirst(pasteEntries_);
    Changed(ModelPart::CmbPaste);
    return first;
}

std::string ChoiceLists::TakeFirstUrlEntry() {
    if (urlEntries_.empty()) return {};
    std::string first = TakeFirst(urlEntries_);
    Changed(ModelPart::CmbUrl);
    return first;
}

}  // namespace kestrun
