// The paste list CmbPaste and the URL list CmbUrl: their entries, the text
// in their edit parts, and the list files they were loaded from.
#pragma once

#include <string>
#include <vector>

#include "kestrun/model/model_part.h"

namespace kestrun {

class ChoiceLists : public virtual ModelNotifier {
public:
    const std::vector<std::string>& PasteEntries() const { return pasteEntries_; }
    const std::vector<std::string>& UrlEntries() const { return urlEntries_; }
    const std::string& CmbPasteText() const { return cmbPasteText_; }
    const std::string& CmbUrlText() const { return cmbUrlText_; }
    // The user types into the edit part; the entries stay.
    void SetCmbPasteText(std::string text);
    void SetCmbUrlText(std::string text);
    void SetPasteList(std::vector<std::string> entries, std::string text);
    void SetUrlList(std::vector<std::string> entries, std::string text);
    // Takes the first entry out of a list (for "列表").
    std::string TakeFirstPasteEntry();
    std::string TakeFirstUrlEntry();

    const std::string& PasteListPath() const { return pasteListPath_; }
    void SetPasteListPath(std::string path) { pasteListPath_ = std::move(path); }
    const std::string& UrlListPath() const { return urlListPath_; }
    void SetUrlListPath(std::string path) { urlListPath_ = std::move(path); }

private:
    std::vector<std::string> pasteEntries_;
    std::vector<std::string> urlEntries_;
    std::string cmbPasteText_ = "测试文字";
    std::string cmbUrlText_;
    std::string pasteListPath_;
    std::string urlListPath_;
};

}  // namespace kestrun
