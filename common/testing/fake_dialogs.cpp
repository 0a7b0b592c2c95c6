#include "common/testing/fake_dialogs.h"

#include <algorithm>
#include <iterator>

namespace fake {

namespace mb = platform::mb;

namespace {

constexpr uint32_t kButtonsMask = 0xF;
constexpr uint32_t kAbortRetryIgnore = 0x2;
constexpr int kIdAbort = 3;

template <typename T>
bool TakeFront(std::deque<T>& queue, T& answer) {
    if (queue.empty()) return false;
    answer = std::move(queue.front());
    queue.pop_front();
    return true;
}

}  // namespace

int FakeDialogs::CancelAnswer(uint32_t flags) {
    switch (flags & kButtonsMask) {
        case mb::kOk:
            return mb::kIdOk;
        case mb::kYesNo:
            return mb::kIdNo;
        case kAbortRetryIgnore:
            return kIdAbort;
        default:
            return mb::kIdCancel;
    }
}

int FakeDialogs::MessageBox(const std::string& text, const std::string& title, uint32_t flags) {
    ShownDialog dialog;
    dialog.kind = DialogKind::kMessageBox;
    dialog.text = text;
    dialog.title = title;
    dialog.flags = flags;
    Open(dialog);
    int answer = CancelAnswer(flags);
    TakeFront(messageBoxAnswers_, answer);
    return answer;
}

std::string FakeDialogs::InputBox(const std::string& prompt, const std::string& title,
                                  const std::string& defaultAnswer) {
    ShownDialog dialog;
    dialog.kind = DialogKind::kInputBox;
    dialog.text = prompt;
    dialog.title = title;
    dialog.defaultAnswer = defaultAnswer;
    Open(dialog);
    std::string answer;
    TakeFront(inputBoxAnswers_, answer);
    return answer;
}

std::string FakeDialogs::ChooseFile(const platform::FileChooserRequest& request) {
    ShownDialog dialog;
    dialog.kind = DialogKind::kFileChooser;
    dialog.title = request.title;
    dialog.initialFolder = request.initialFolder;
    dialog.filter = request.filter;
    Open(dialog);
    std::string answer;
    TakeFront(fileChooserAnswers_, answer);
    return answer;
}

void FakeDialogs::Open(const ShownDialog& dialog) {
    shown_.push_back(dialog);
    if (whileOpen_) whileOpen_(dialog);
}

size_t FakeDialogs::PendingAnswers() const {
    return messageBoxAnswers_.size() + inputBoxAnswers_.size() + fileChooserAnswers_.size();
}

std::vector<ShownDialog> FakeDialogs::MessageBoxes() const {
    std::vector<ShownDialog> boxes;
    std::copy_if(shown_.begin(), shown_.end(), std::back_inserter(boxes),
                 [](const ShownDialog& d) { return d.kind == DialogKind::kMessageBox; });
    return boxes;
}

}  // namespace fake
