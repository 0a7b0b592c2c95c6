// The modal dialogs through Win32: MessageBoxW, an input box built from an
// in-memory dialog template, and the open-file chooser GetOpenFileNameW.
#pragma once

#include <windows.h>

#include "common/platform/dialogs.h"

namespace win32 {

class Win32Dialogs : public platform::Dialogs {
public:
    // owner is the window that the message boxes and the input box belong
    // to (disabled while they are open); it may be null.
    explicit Win32Dialogs(HWND owner = nullptr) : owner_(owner) {}

    int MessageBox(const std::string& text, const std::string& title, uint32_t flags) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultAnswer) override;
    // The chooser has no owner window, as the programs have always shown it.
    std::string ChooseFile(const platform::FileChooserRequest& request) override;

    // Control ids of the input box, for whoever drives it from outside.
    static constexpr int kInputPromptId = 100;
    static constexpr int kInputEditId = 101;

private:
    HWND owner_;
};

}  // namespace win32
