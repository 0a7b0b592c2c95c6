// Kestrun's model and list management on the fakes of common/testing, as the
// loading benchmarks use them.
#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "common/testing/fake_desktop.h"
#include "common/testing/fake_dialogs.h"
#include "common/testing/fake_files.h"
#include "common/text/codec.h"
#include "kestrun/editor/list_manager.h"
#include "kestrun/model/main_model.h"

struct FakeKestrun {
    FakeKestrun() { model.SetProgramFolder(files.ProgramFolder()); }

    // Puts bytes on the fake disk at path and times load(lists, path) once an
    // iteration, keeping what observe(model) reads from being optimised away;
    // returns what observe reads after the last load, for the caller's check.
    template <typename Load, typename Observe>
    size_t TimeLoading(benchmark::State& state, const std::string& path, const std::string& bytes, Load load,
                       Observe observe) {
        files.AddFile(path, bytes);
        for (auto _ : state) {
            load(lists, path);
            benchmark::DoNotOptimize(observe(model));
        }
        state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
        return observe(model);
    }

    std::unique_ptr<text::AnsiCodec> codec = text::MakeSystemCodec();
    fake::FakeDesktop desktop;
    fake::FakeDialogs dialogs;
    fake::FakeFileSystem files;
    kestrun::MainModel model;
    kestrun::ListManager lists{model, files, dialogs, desktop, *codec};
};
