// The modal dialogs the programs show: message boxes, the input box and the
// open-file chooser. Each returns the user's answer.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// MessageBox flags and answers (the Win32 values).
namespace mb {
inline constexpr uint32_t kOk = 0x0;
inline constexpr uint32_t kOkCancel = 0x1;
inline constexpr uint32_t kYesNo = 0x4;
inline constexpr uint32_t kIconInformation = 0x40;
inline constexpr uint32_t kIconExclamation = 0x30;
inline constexpr uint32_t kIconQuestion = 0x20;
inline constexpr uint32_t kIconError = 0x10;
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;
}  // namespace mb

struct FileChooserRequest {
    std::string title;
    std::string initialFolder;
    std::string filter;  // "description|pattern|..." as the caller writes it
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A modal message box; returns the button pressed (mb::kIdOk ...).
    virtual int MessageBox(const std::string& text, const std::string& title, uint32_t flags) = 0;
    // A modal input box with a prompt, a title and a default answer selected
    // in its edit box; Cancel gives the empty text.
    virtual std::string InputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultAnswer) = 0;
    // The open-file chooser; the chosen full path, or the empty text.
    virtual std::string ChooseFile(const FileChooserRequest& request) = 0;
};

}  // namespace platform
