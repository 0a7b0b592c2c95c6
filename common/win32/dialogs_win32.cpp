#include "common/win32/dialogs_win32.h"

#include <commdlg.h>

#include <vector>

#include "common/win32/wide.h"

namespace win32 {
namespace {

// --- The input box ---
//
// The box is laid out in dialog units like the classic input box: the
// prompt at the top left, OK and Cancel on the right, the answer's edit box
// across the bottom. Its texts are filled in at WM_INITDIALOG, so the
// template itself carries no text.

constexpr short kBoxWidth = 250;
constexpr short kBoxHeight = 76;

// A DLGTEMPLATE and its items in one block of 16-bit words. The template
// and every item start on a 32-bit boundary.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, short width, short height, std::wstring_view font, WORD pointSize) {
        DLGTEMPLATE head{};
        head.style = style | DS_SETFONT;
        head.cx = width;
        head.cy = height;
        Append(&head, sizeof(head));
        countIndex_ = offsetof(DLGTEMPLATE, cdit) / sizeof(WORD);
        words_.push_back(0);  // no menu
        words_.push_back(0);  // the standard dialog class
        words_.push_back(0);  // no title (set later)
        words_.push_back(pointSize);
        AppendText(font);
    }

    // classAtom: 0x0080 button, 0x0081 edit, 0x0082 static.
    void AddItem(WORD classAtom, WORD id, DWORD style, short x, short y, short width, short height) {
        if (words_.size() % 2) words_.push_back(0);
        DLGITEMTEMPLATE item{};
        item.style = style | WS_CHILD | WS_VISIBLE;
        item.x = x;
        item.y = y;
        item.cx = width;
        item.cy = height;
        item.id = id;
        Append(&item, sizeof(item));
        words_.push_back(0xFFFF);
        words_.push_back(classAtom);
        words_.push_back(0);  // no text (set later)
        words_.push_back(0);  // no creation data
        ++words_[countIndex_];
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void Append(const void* data, size_t bytes) {
        const auto* source = static_cast<const WORD*>(data);
        words_.insert(words_.end(), source, source + bytes / sizeof(WORD));
    }
    void AppendText(std::wstring_view text) {
        words_.insert(words_.end(), text.begin(), text.end());
        words_.push_back(0);
    }

    std::vector<WORD> words_;
    size_t countIndex_ = 0;
};

struct InputBoxState {
    std::wstring prompt;
    std::wstring title;
    std::wstring answer;  // the default going in, the typed answer coming out
};

std::wstring DialogItemText(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    int length = GetWindowTextLengthW(item);
    std::wstring text(size_t(length > 0 ? length : 0) + 1, L'\0');
    int copied = GetWindowTextW(item, text.data(), int(text.size()));
    text.resize(copied > 0 ? size_t(copied) : 0);
    return text;
}

INT_PTR CALLBACK InputBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            auto* state = reinterpret_cast<InputBoxState*>(lParam);
            SetWindowTextW(dialog, state->title.c_str());
            SetDlgItemTextW(dialog, Win32Dialogs::kInputPromptId, state->prompt.c_str());
            HWND edit = GetDlgItem(dialog, Win32Dialogs::kInputEditId);
            SetWindowTextW(edit, state->answer.c_str());
            // The default answer is selected, so typing replaces it.
            SetFocus(edit);
            SendMessageW(edit, EM_SETSEL, 0, -1);
            return FALSE;  // the focus is set already
        }
        case WM_COMMAND: {
            auto* state = reinterpret_cast<InputBoxState*>(GetWindowLongPtrW(dialog, DWLP_USER));
            switch (LOWORD(wParam)) {
                case IDOK:
                    state->answer = DialogItemText(dialog, Win32Dialogs::kInputEditId);
                    EndDialog(dialog, IDOK);
                    return TRUE;
                case IDCANCEL:
                    state->answer.clear();
                    EndDialog(dialog, IDCANCEL);
                    return TRUE;
            }
            return FALSE;
        }
    }
    return FALSE;
}

// --- The file chooser ---

// The caller's filter "description|pattern|..." in the system's form: every
// "|" becomes a NUL and one more NUL ends the list (the string's own NUL is
// the last one). A description without a pattern is passed as it stands.
std::wstring SystemFilter(const std::string& filter) {
    std::wstring result = Wide(filter);
    for (wchar_t& c : result) {
        if (c == L'|') c = L'\0';
    }
    result.push_back(L'\0');
    return result;
}

}  // namespace

int Win32Dialogs::MessageBox(const std::string& text, const std::string& title, uint32_t flags) {
    return ::MessageBoxW(owner_, Wide(text).c_str(), Wide(title).c_str(), flags);
}

std::string Win32Dialogs::InputBox(const std::string& prompt, const std::string& title,
                                   const std::string& defaultAnswer) {
    DialogTemplate box(DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, kBoxWidth, kBoxHeight,
                       L"MS Shell Dlg", 9);
    box.AddItem(0x0082, kInputPromptId, SS_LEFT | SS_NOPREFIX, 7, 7, 180, 40);
    box.AddItem(0x0080, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 193, 7, 50, 14);
    box.AddItem(0x0080, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 193, 25, 50, 14);
    box.AddItem(0x0081, kInputEditId, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 55, 236, 14);

    InputBoxState state{Wide(prompt), Wide(title), Wide(defaultAnswer)};
    INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), box.Get(), owner_, InputBoxProc,
                                             reinterpret_cast<LPARAM>(&state));
    return result == IDOK ? Narrow(state.answer) : std::string();
}

std::string Win32Dialogs::ChooseFile(const platform::FileChooserRequest& request) {
    std::wstring title = Wide(request.title);
    std::wstring folder = Wide(request.initialFolder);
    std::wstring filter = SystemFilter(request.filter);
    wchar_t fileName[MAX_PATH] = {};
    wchar_t fileTitle[MAX_PATH] = {};

    OPENFILENAMEW chooser{};
    chooser.lStructSize = sizeof(chooser);
    chooser.hwndOwner = nullptr;
    chooser.lpstrFilter = filter.c_str();
    chooser.lpstrFile = fileName;
    chooser.nMaxFile = MAX_PATH;
    chooser.lpstrFileTitle = fileTitle;
    chooser.nMaxFileTitle = MAX_PATH;
    chooser.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    chooser.lpstrTitle = title.c_str();
    // Explorer style, the file and its path must exist, and the process's
    // current folder stays where it was.
    chooser.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&chooser)) return {};
    return Narrow(fileName);
}

}  // namespace win32
