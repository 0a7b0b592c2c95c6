// The set-up the tests of list editing and of the composer share: a main
// model in the program folder C:\Kestrun\ and a list manager working on the
// fake files, dialogs and desktop, with short ways to fill and read the
// bitmap entries.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/testing/fake_desktop.h"
#include "common/testing/fake_dialogs.h"
#include "common/testing/fake_files.h"
#include "kestrun/editor/list_manager.h"

namespace kestrun {

inline platform::Image Filled(int32_t colour, int width = 40, int height = 40) {
    return platform::Image(width, height, colour);
}

// A message box titled "提示" as the program shows it.
inline fake::ShownDialog MessageBoxShown(const std::string& text, uint32_t flags) {
    fake::ShownDialog dialog;
    dialog.kind = fake::DialogKind::kMessageBox;
    dialog.text = text;
    dialog.title = "提示";
    dialog.flags = flags;
    return dialog;
}

class ListManagerFixture : public testing::Test {
protected:
    // The program folder and its plan folder; as members, they hide in the
    // tests the list manager's own kPlanFolder, the folder's relative name.
    static inline const std::string kFolder = "C:\\Kestrun\\";
    static inline const std::string kPlanFolder = kFolder + "process\\";

    ListManagerFixture() { model_.SetProgramFolder(kFolder); }

    std::string Gbk(const std::string& utf8) { return *codec_->Encode(utf8); }
    void AddEntry(int n, int32_t colour) {
        model_.EditBitmaps([&](auto& bitmaps) { bitmaps[n].reference = Filled(colour); });
    }
    std::vector<int> EntryNumbers() const {
        std::vector<int> numbers;
        for (const auto& [n, entry] : model_.Bitmaps()) numbers.push_back(n);
        return numbers;
    }
    int32_t EntryColour(int n) { return model_.Bitmaps().at(n).reference.At(0, 0); }

    fake::FakeFileSystem files_;
    fake::FakeDialogs dialogs_;
    fake::FakeDesktop desktop_;
    std::unique_ptr<text::AnsiCodec> codec_ = text::MakeSystemCodec();
    MainModel model_;
    ListManager lists_{model_, files_, dialogs_, desktop_, *codec_};
};

}  // namespace kestrun
