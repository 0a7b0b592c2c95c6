// Modal dialogs for the unit tests: every dialog shown is recorded with its
// texts exactly as the program passed them, and the user's answers come from
// queues that the test fills beforehand.
//
// Each kind of dialog has its own queue of answers, consumed first in, first
// out. When a queue is empty the fake answers as a user who closes the
// dialog:
// - a message box returns its Cancel answer: kIdOk for an OK box, kIdCancel
//   for OK/Cancel (and any box with Cancel), kIdNo for Yes/No (which has no
//   Cancel), kIdAbort (3) for Abort/Retry/Ignore;
// - the input box returns the empty text, as its Cancel does;
// - the file chooser returns the empty text.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "common/platform/dialogs.h"

namespace fake {

enum class DialogKind { kMessageBox, kInputBox, kFileChooser };

// One dialog as the program showed it.
struct ShownDialog {
    DialogKind kind = DialogKind::kMessageBox;
    std::string text;           // message box text, input box prompt
    std::string title;          // every kind
    uint32_t flags = 0;         // message box
    std::string defaultAnswer;  // input box
    std::string initialFolder;  // file chooser
    std::string filter;         // file chooser
    bool operator==(const ShownDialog&) const = default;
};

class FakeDialogs : public platform::Dialogs {
public:
    int MessageBox(const std::string& text, const std::string& title, uint32_t flags) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultAnswer) override;
    std::string ChooseFile(const platform::FileChooserRequest& request) override;

    // --- Scripted answers ---
    void AnswerMessageBox(int answer) { messageBoxAnswers_.push_back(answer); }
    void AnswerInputBox(std::string answer) { inputBoxAnswers_.push_back(std::move(answer)); }
    void AnswerFileChooser(std::string path) { fileChooserAnswers_.push_back(std::move(path)); }
    // Answers not consumed yet, of all kinds together.
    size_t PendingAnswers() const;
    // Runs while each dialog is open, before it returns: a modal dialog runs
    // its own message loop, so a test can let the clock run here
    // (desktop.Clock().RunFor(2000)) to model a user who takes two seconds.
    void WhileOpen(std::function<void(const ShownDialog&)> action) { whileOpen_ = std::move(action); }

    // --- What was shown ---
    const std::vector<ShownDialog>& Shown() const { return shown_; }
    // The message box records only.
    std::vector<ShownDialog> MessageBoxes() const;
    void ClearShown() { shown_.clear(); }

    // The answer of a message box of these flags when no answer is queued.
    static int CancelAnswer(uint32_t flags);

private:
    void Open(const ShownDialog& dialog);

    std::deque<int> messageBoxAnswers_;
    std::deque<std::string> inputBoxAnswers_;
    std::deque<std::string> fileChooserAnswers_;
    std::function<void(const ShownDialog&)> whileOpen_;
    std::vector<ShownDialog> shown_;
};

}  // namespace fake
