// The set-up the interpreter's tests share: a main model whose program folder
// C:\Kestrun\ (with its screenshot folder) stands on fake files, a run log in
// it, and an interpreter on the fake desktop, with short ways to run one line
// and to read what it did.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "common/testing/fake_desktop.h"
#include "common/testing/fake_files.h"
#include "kestrun/engine/interpreter.h"

namespace kestrun {

// Gives the scripted draws in turn, then the fallback for every draw after.
class ScriptedRandom : public RandomSource {
public:
    float Next() override {
        if (draws.empty()) return fallback;
        float r = draws.front();
        draws.pop_front();
        return r;
    }
    std::deque<float> draws;
    float fallback = 0.0f;
};

// DesktopType is the fake desktop or one derived from it that records more.
template <typename DesktopType = fake::FakeDesktop>
class InterpreterFixture : public testing::Test {
protected:
    InterpreterFixture()
        : codec_(text::MakeSystemCodec()),
          log_(desktop_, files_, *codec_),
          interpreter_(model_, desktop_, files_, log_, random_) {
        model_.SetProgramFolder("C:\\Kestrun\\");
        log_.SetPath("C:\\Kestrun\\日志.txt");
        files_.CreateFolder("C:\\Kestrun");
        files_.CreateFolder("C:\\Kestrun\\screenshot");
    }

    // Runs one line from the given pointer and returns the pointer afterwards.
    int32_t Run(const std::string& line, int32_t pointer = 5) {
        model_.SetInstructionPointer(pointer);
        desktop_.ClearLog();
        interpreter_.ExecuteLine(line);
        return model_.InstructionPointer();
    }

    // The desktop calls of the last line but the waiting ones.
    std::vector<std::string> Input() const { return desktop_.LogWithout({"Sleep", "PumpMessages", "WaitForMessages"}); }
    std::string RunLogText() { return codec_->Decode(files_.ReadFile(log_.Path()).value_or("")); }

    DesktopType desktop_;
    fake::FakeFileSystem files_;
    std::unique_ptr<text::AnsiCodec> codec_;
    MainModel model_;
    RunLog log_;
    ScriptedRandom random_;
    Interpreter interpreter_;
};

}  // namespace kestrun
