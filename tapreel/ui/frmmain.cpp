#include "tapreel/ui/frmmain.h"

#include "tapreel/table/click_table_file.h"

namespace tapreel {

Frmmain::Frmmain(FrmmainModel& model, platform::Desktop& desktop, platform::Dialogs& dialogs,
                 platform::FileSystem& files, const text::AnsiCodec& codec, platform::MouseHook& hook)
    : model_(model),
      files_(files),
      codec_(codec),
      recorder_(model, desktop, hook),
      player_(model, desktop),
      editor_(model, desktop, dialogs) {}

Frmmain::BusyScope::BusyScope(Frmmain& owner) : owner_(owner) { ++owner_.busyDepth_; }

Frmmain::BusyScope::~BusyScope() {
    --owner_.busyDepth_;
    if (owner_.busyDepth_ > 0 || !owner_.closePending_) return;
    owner_.closePending_ = false;
    if (owner_.onCloseReady) owner_.onCloseReady();
}

std::string Frmmain::TablePath() { return files_.ProgramFolder() + std::string(kClickTableFileName); }

void Frmmain::Load() { model_.Table().SetRows(LoadClickTable(files_, codec_, TablePath())); }

void Frmmain::Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    recorder_.RemoveHook();
    SaveClickTable(files_, codec_, TablePath(), model_.Table().Rows());
}

bool Frmmain::RequestClose() {
    if (busyDepth_ == 0) return true;
    closePending_ = true;
    player_.Abort();
    return false;
}

void Frmmain::OnCmdrecordClick() { recorder_.OnCmdrecordClick(); }

void Frmmain::OnCmdJianKClick() {
    BusyScope busy(*this);
    player_.OnCmdJianKClick();
}

void Frmmain::OnChktopClick(bool ticked) { editor_.OnChktop(ticked); }

PopupMenu Frmmain::OnHeaderClick(int column) {
    BusyScope busy(*this);
    return editor_.OnHeaderClick(column);
}

void Frmmain::OnMenuKey(int index) { editor_.OnMenuKey(index); }

void Frmmain::OnMenuClick(int index) { editor_.OnMenuClick(index); }

void Frmmain::OnTableDoubleClick() { editor_.OnDoubleClick(); }

bool Frmmain::OnTableKey(TableKey key, Modifiers modifiers) {
    BusyScope busy(*this);
    return editor_.OnKey(key, modifiers);
}

}  // namespace tapreel
