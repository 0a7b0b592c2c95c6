// Frmmain's handlers: what each control, the hook and the window's own events
// do, on the portable model and the platform interfaces. The Win32 window
// renders the model and turns its messages into these calls and nothing
// else.
//
// Closing: a handler may run a nested message loop (playback's passes, the
// input box, the confirmation, a pop-up menu), and a close request can
// arrive inside it. The window is then not destroyed under the running
// handler: playback is told to end at once, the close is remembered, and
// onCloseReady runs when the outermost handler has returned. Unload (which
// saves the table) follows from there as at any close.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "common/platform/desktop.h"
#include "common/platform/dialogs.h"
#include "common/platform/files.h"
#include "common/platform/mouse_hook.h"
#include "common/text/codec.h"
#include "tapreel/editor/table_editor.h"
#include "tapreel/model/frmmain_model.h"
#include "tapreel/playback/player.h"
#include "tapreel/playback/recorder.h"

namespace tapreel {

class Frmmain {
public:
    Frmmain(FrmmainModel& model, platform::Desktop& desktop, platform::Dialogs& dialogs, platform::FileSystem& files,
            const text::AnsiCodec& codec, platform::MouseHook& hook);

    // Called when a close that had to wait for a running handler may now go
    // ahead; the view destroys the window.
    std::function<void()> onCloseReady;

    // --- The window's life ---
    // Window load: reads the click table file of the program folder.
    void Load();
    // Window unload: removes the hook and writes the click table file.
    void Unload();
    // The user or the system asks the window to close. True when it may be
    // destroyed now; false when a handler is running, in which case the close
    // happens through onCloseReady once that handler has returned.
    bool RequestClose();
    bool ClosePending() const { return closePending_; }

    // --- Controls ---
    void OnCmdrecordClick();
    void OnCmdJianKClick();
    void OnTxtCsChange(std::string text) { model_.SetTxtCs(std::move(text)); }
    void OnChktopClick(bool ticked);
    void OnCombo1Change(int index) { model_.SetCombo1Index(index); }
    // The user made a row current in the table (-1: none).
    void OnRowSelected(int index) { model_.Table().SetCurrentRow(index); }
    void OnRowChecked(int index, bool checked) { model_.Table().SetChecked(index, checked); }
    PopupMenu OnHeaderClick(int column);
    void OnMenuKey(int index);
    void OnMenuClick(int index);
    void OnTableDoubleClick();
    bool OnTableKey(TableKey key, Modifiers modifiers);

    // --- The mouse hook ---
    void OnMouseEvent(const platform::MouseHookEvent& event) { recorder_.OnMouseEvent(event); }

    // Held by the view around anything else that runs a nested message loop
    // (a pop-up menu), so that a close inside it waits as well.
    class BusyScope {
    public:
        explicit BusyScope(Frmmain& owner);
        ~BusyScope();
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

    private:
        Frmmain& owner_;
    };

    std::string TablePath();

private:
    FrmmainModel& model_;
    platform::FileSystem& files_;
    const text::AnsiCodec& codec_;
    Recorder recorder_;
    Player player_;
    TableEditor editor_;
    int busyDepth_ = 0;
    bool closePending_ = false;
    bool unloaded_ = false;
};

}  // namespace tapreel
