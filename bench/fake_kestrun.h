// Kestrun's model and list management on the fakes of common/testing, as the
// loading benchmarks use them.
#pragma once

#include <memory>

#include "common/testing/fake_desktop.h"
#include "common/testing/fake_dialogs.h"
#include "common/testing/fake_files.h"
#include "common/text/codec.h"
#include "kestrun/editor/list_manager.h"
#include "kestrun/model/main_model.h"

struct FakeKestrun {
    FakeKestrun() { model.SetProgramFolder(files.ProgramFolder()); }

    std::unique_ptr<text::AnsiCodec> codec = text::MakeSystemCodec();
    fake::FakeDesktop desktop;
    fake::FakeDialogs dialogs;
    fake::FakeFileSystem files;
    kestrun::MainModel model;
    kestrun::ListManager lists{model, files, dialogs, desktop, *codec};
};
