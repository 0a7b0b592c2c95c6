// The paste list CmbPaste and the URL list CmbUrl: their entries, the text
// in their edit parts, and the list files they were loaded from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "kestrun/model/model_part.h"

namespace kestrun {

// How a list's entries came to be what they are, so that a view can follow a
// list of a million entries step by step instead of comparing every entry:
// replaced counts the times the entries were replaced, taken the entries
// taken off the front since the last replacement.
struct ListRevision {
    uint64_t replaced = 0;
    size_t taken = 0;
};

class ChoiceLists : public virtual ModelNotifier {
public:
    // A deque, so that taking the first of a million entries moves none of
    // the others.
    const std::deque<std::string>& PasteEntries() const { return pasteEntries_; }
    const std::deque<std::string>& UrlEntries() const { return urlEntries_; }
    const std::string& CmbPasteText() const { return cmbPasteText_; }
    const std::string& CmbUrlText() const { return cmbUrlText_; }
    ListRevision PasteRevision() const { return pasteRevision_; }
    ListRevision UrlRevision() const { return urlRevision_; }
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
    std::deque<std::string> pasteEntries_;
    std::deque<std::string> urlEntries_;
    ListRevision pasteRevision_;
    ListRevision urlRevision_;
    std::string cmbPasteText_ = "测试文字";
    std::string cmbUrlText_;
    std::string pasteListPath_;
    std::string urlListPath_;
};

}  // namespace kestrun
