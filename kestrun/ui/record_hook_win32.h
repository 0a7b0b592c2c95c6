// The system-wide low-level mouse hook behind the record button: installed
// while recording, it hands each mouse event of the desktop to
// Modrecord::RecordHookProc. The platform waits for the procedure on every
// mouse event, so it copies the event record and returns at once.
#pragma once

#include <windows.h>

#include "kestrun/editor/modrecord.h"

namespace kestrun {

class RecordHook {
public:
    explicit RecordHook(Modrecord& recorder) : recorder_(recorder) {}
    ~RecordHook() { Remove(); }
    RecordHook(const RecordHook&) = delete;
    RecordHook& operator=(const RecordHook&) = delete;

    bool Install();
    void Remove();

private:
    static LRESULT CALLBACK Procedure(int code, WPARAM message, LPARAM record);

    Modrecord& recorder_;
    HHOOK hook_ = nullptr;
};

}  // namespace kestrun
