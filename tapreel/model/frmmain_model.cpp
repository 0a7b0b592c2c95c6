#include "tapreel/model/frmmain_model.h"

#include <utility>

namespace tapreel {

// Each setter reports a change only when the value really changes, so that a
// view which feeds the user's typing back into the model does not loop.

void FrmmainModel::SetCmdrecordCaption(std::string_view caption) {
    if (cmdrecordCaption_ == caption) return;
    cmdrecordCaption_ = caption;
    Changed(ModelPart::kCmdrecord);
}

void FrmmainModel::SetCmdJianKCaption(std::string_view caption) {
    if (cmdJianKCaption_ == caption) return;
    cmdJianKCaption_ = caption;
    Changed(ModelPart::kCmdJianK);
}

void FrmmainModel::SetTxtCs(std::string text) {
    if (txtCs_ == text) return;
    txtCs_ = std::move(text);
    Changed(ModelPart::kTxtCs);
}

void FrmmainModel::SetChktop(bool ticked) {
    if (chktop_ == ticked) return;
    chktop_ = ticked;
    Changed(ModelPart::kChktop);
}

void FrmmainModel::SetCombo1Index(int index) {
    if (index < 0 || index >= int(kCombo1Items.size()) || index == combo1Index_) return;
    combo1Index_ = index;
    Changed(ModelPart::kCombo1);
}

void FrmmainModel::SetTitle(std::string title) {
    if (title_ == title) return;
    title_ = std::move(title);
    Changed(ModelPart::kTitle);
}

void FrmmainModel::Changed(ModelPart what) {
    if (onChanged) onChanged(what);
}

}  // namespace tapreel
