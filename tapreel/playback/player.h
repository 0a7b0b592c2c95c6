// Playback: the playback button CmdJianK and the passes over the click table.
//
// A pass walks the table from the first row to the last: it selects the row,
// writes the screen colour at the row's point into "颜色符合判断", lets the
// window handle its pending events, moves the pointer to the point, clicks
// the row's button once or twice, writes "完成" into "是否完成", and waits the
// row's interval. Passes repeat while the caption reads 停止回放(&P) and the
// count in TxtCs allows (an empty count: until stopped). Esc and F10 are read
// at the start of each pass and make that pass the last one.
//
// Everything runs inside the handling of the button click, on the window's
// thread, and lets the window handle events at fixed points; so handlers of
// the window (this button again, the table's editing commands, the close
// request) run inside a pass. The pass therefore re-reads the current row
// after each of those points and never keeps a reference into the table
// across them.
//
// Choices where the behaviour leaves room:
// - Passes run in a loop, never nested: a click on 回放(&P) while a pass is
//   running (after a click on 停止回放(&P) inside it) only turns the caption
//   back, and the running loop goes on with its passes.
// - A pass over an empty table ends playback after it (the count in TxtCs is
//   counted down as after any pass), so an empty table never spins.
// - A row that no longer exists when the pass comes to it (rows were removed
//   meanwhile) is skipped, as are the remaining steps of a row when no row is
//   current any more after a point where events were handled.
// - A coordinate that does not fit 32 bits keeps the value of the previous
//   row of the pass (0 for the first).
// - Abort() (the window is closing) ends playback at the next point where
//   events are handled: no further click, write or wait.
// - The wait sleeps until a message arrives or the interval is over,
//   whichever comes first, so waiting costs no processor time.
#pragma once

#include <cstdint>

#include "common/platform/desktop.h"
#include "tapreel/model/frmmain_model.h"

namespace tapreel {

inline constexpr std::string_view kDoneMark = "完成";

class Player {
public:
    Player(FrmmainModel& model, platform::Desktop& desktop) : model_(model), desktop_(desktop) {}

    // The playback button: starts playback and returns when it has ended, or
    // (inside a running pass) asks it to stop after the pass.
    void OnCmdJianKClick();
    // Ends playback at once at the next point where events are handled; the
    // window is going away.
    void Abort();
    // True while the loop of passes runs (the button's handler has not
    // returned yet).
    bool IsRunning() const { return running_; }

private:
    void RunPasses();
    // One pass over the table; false when it played no row.
    bool RunPass();
    // Reads Esc and F10 (both, so that neither keeps a stale press).
    bool StopKeyPressed();
    void PlayRow(int index, int32_t& x, int32_t& y);
    void Click(const std::string& keyName, const std::string& action);
    void WaitInterval();
    // Handles pending events; false when playback must end at once.
    bool Pump();
    void CountDown();
    bool MorePasses() const;

    FrmmainModel& model_;
    platform::Desktop& desktop_;
    bool running_ = false;
    bool aborted_ = false;
};

}  // namespace tapreel
