#include "tapreel/playback/player.h"

#include <algorithm>
#include <cmath>

#include "common/platform/key_codes.h"
#include "common/text/number.h"
#include "tapreel/playback/recorder.h"
#include "tapreel/playback/screen_colour.h"

namespace tapreel {

namespace {

// The longest single wait for a message; the loop looks again after it, so
// this only bounds how long one call to the platform may block.
constexpr double kMaxWaitSliceMs = 60000;

std::string CurrentColumn(const FrmmainModel& model, int number) {
    const ClickTable& table = model.Table();
    return table.Row(table.CurrentRow()).Column(number);
}

}  // namespace

void Player::OnCmdJianKClick() {
    if (model_.CmdJianKCaption() != kCaptionPlay) {
        // The pass that is running finishes; no further pass follows.
        model_.SetCmdJianKCaption(kCaptionPlay);
        return;
    }
    model_.SetCmdJianKCaption(kCaptionPlayStop);
    // Inside a running pass this click only takes back an earlier stop: the
    // loop that runs goes on, and no second loop starts inside the first.
    if (running_) return;

    ClickTable& table = model_.Table();
    table.SetCurrentRow(table.RowCount() > 0 ? 0 : -1);
    model_.timeBase = desktop_.TimeGetTime();
    RunPasses();
}

void Player::Abort() {
    if (!running_) return;
    aborted_ = true;
    model_.SetCmdJianKCaption(kCaptionPlay);
}

void Player::RunPasses() {
    running_ = true;
    aborted_ = false;
    // A loop rather than a pass that starts the next one: an endless
    // playback runs for days without growing the stack.
    for (;;) {
        bool playedRows = RunPass();
        if (aborted_) break;
        CountDown();
        if (!playedRows || !MorePasses()) {
            model_.SetCmdJianKCaption(kCaptionPlay);
            break;
        }
        model_.timeBase = desktop_.TimeGetTime();
    }
    running_ = false;
    aborted_ = false;
}

bool Player::StopKeyPressed() {
    // A stop key counts when it is down now or went down since the last
    // query, so a tap between two passes still stops.
    constexpr int kDownOrPressed = platform::key_state::kHeld | platform::key_state::kPressedSinceQuery;
    bool escape = (desktop_.GetAsyncKeyState(platform::vk::kEscape) & kDownOrPressed) != 0;
    bool f10 = (desktop_.GetAsyncKeyState(platform::vk::kF10) & kDownOrPressed) != 0;
    return escape || f10;
}

bool Player::RunPass() {
    if (StopKeyPressed()) model_.SetCmdJianKCaption(kCaptionPlay);
    const int rowCount = model_.Table().RowCount();
    int32_t x = 0;
    int32_t y = 0;
    for (int i = 0; i < rowCount && !aborted_; ++i) PlayRow(i, x, y);
    return rowCount > 0;
}

void Player::PlayRow(int index, int32_t& x, int32_t& y) {
    ClickTable& table = model_.Table();
    if (!table.IsRow(index)) return;
    table.SetCurrentRow(index);

    text::StoreInt32(text::LeadingNumber(CurrentColumn(model_, column::kX)), x);
    text::StoreInt32(text::LeadingNumber(CurrentColumn(model_, column::kY)), y);
    table.SetCell(table.CurrentRow(), column::kColourCheck, text::IntToText(ScreenColour(desktop_, x, y)));

    if (!Pump()) return;
    // The user may have selected another row meanwhile: it supplies what is
    // read from here on. Without a current row the row is over.
    if (!table.HasCurrentRow()) return;
    desktop_.SetCursorPos(x, y);
    Click(CurrentColumn(model_, column::kKeyName), CurrentColumn(model_, column::kAction));
    table.SetCell(table.CurrentRow(), column::kDone, std::string(kDoneMark));
    WaitInterval();
}

void Player::Click(const std::string& keyName, const std::string& action) {
    namespace mouse = platform::mouse;
    uint32_t down = mouse::kMiddleDown;
    uint32_t up = mouse::kMiddleUp;
    bool twice = action != kActionSingle;
    if (keyName == kKeyLeft) {
        down = mouse::kLeftDown;
        up = mouse::kLeftUp;
    } else if (keyName == kKeyRight) {
        // The right button always clicks once.
        down = mouse::kRightDown;
        up = mouse::kRightUp;
        twice = false;
    }
    for (int n = twice ? 2 : 1; n > 0; --n) {
        desktop_.MouseEvent(down, 0);
        desktop_.MouseEvent(up, 0);
    }
}

void Player::WaitInterval() {
    for (;;) {
        if (!model_.Table().HasCurrentRow()) break;
        // Read afresh on every look: the user may edit the interval, and a
        // click recorded meanwhile moves the time base.
        double interval = text::LeadingNumber(CurrentColumn(model_, column::kInterval));
        double elapsed = double(uint32_t(desktop_.TimeGetTime() - model_.timeBase));
        if (!(interval > elapsed)) break;
        double remaining = std::min(std::ceil(interval - elapsed), kMaxWaitSliceMs);
        desktop_.WaitForMessages(uint32_t(remaining));
        if (!Pump()) return;
    }
    model_.timeBase = desktop_.TimeGetTime();
}

bool Player::Pump() {
    desktop_.PumpMessages();
    return !aborted_;
}

void Player::CountDown() {
    double count = text::LeadingNumber(model_.TxtCs());
    if (count > 0) model_.SetTxtCs(text::NumberToText(count - 1));
}

bool Player::MorePasses() const {
    if (model_.CmdJianKCaption() != kCaptionPlayStop) return false;
    return model_.TxtCs().empty() || text::LeadingNumber(model_.TxtCs()) > 0;
}

}  // namespace tapreel
