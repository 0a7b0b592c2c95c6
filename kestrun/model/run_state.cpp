#include "kestrun/model/run_state.h"

namespace kestrun {

void RunState::SetRunning(bool running) {
    running_ = running;
    Changed(ModelPart::CmdGoto);
}

void RunState::SetRecording(bool recording) {
    recording_ = recording;
    Changed(ModelPart::Cmdrecord);
}

}  // namespace kestrun
