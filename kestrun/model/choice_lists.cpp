#include "kestrun/model/choice_lists.h"

#include <iterator>
#include <utility>

namespace kestrun {

namespace {

std::string TakeFirst(std::deque<std::string>& entries, ListRevision& revision) {
    std::string first = std::move(entries.front());
    entries.pop_front();
    ++revision.taken;
    return first;
}

void Replaced(ListRevision& revision) {
    ++revision.replaced;
    revision.taken = 0;
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
    pasteEntries_.assign(std::make_move_iterator(entries.begin()), std::make_move_iterator(entries.end()));
    Replaced(pasteRevision_);
    cmbPasteText_ = std::move(text);
    Changed(ModelPart::CmbPaste);
}

void ChoiceLists::SetUrlList(std::vector<std::string> entries, std::string text) {
    urlEntries_.assign(std::make_move_iterator(entries.begin()), std::make_move_iterator(entries.end()));
    Replaced(urlRevision_);
    cmbUrlText_ = std::move(text);
    Changed(ModelPart::CmbUrl);
}

std::string ChoiceLists::TakeFirstPasteEntry() {
    if (pasteEntries_.empty()) return {};
    std::string first = TakeFirst(pasteEntries_, pasteRevision_);
    Changed(ModelPart::CmbPaste);
    return first;
}

std::string ChoiceLists::TakeFirstUrlEntry() {
    if (urlEntries_.empty()) return {};
    std::string first = TakeFirst(urlEntries_, urlRevision_);
    Changed(ModelPart::CmbUrl);
    return first;
}

}  // namespace kestrun
