// lastplan.ini and the settings file named on the command line, through
// start-up as the program runs it: the input holds lastplan.ini, the
// command-line file, the plan they may name and its two list files (cut by
// fuzzing::kFileSeparator, in that order). Both start-ups run, and close-down
// writes lastplan.ini back, which must read again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "common/testing/fake_desktop.h"
#include "common/testing/fake_dialogs.h"
#include "common/testing/fake_files.h"
#include "common/text/codec.h"
#include "fuzz/fuzz_support.h"
#include "kestrun/editor/list_manager.h"
#include "kestrun/model/main_model.h"
#include "kestrun/script/settings_file.h"
#include "kestrun/ui/startup.h"

namespace {

void AddFiles(fake::FakeFileSystem& files, const std::vector<std::string>& parts) {
    const char* const paths[] = {"C:\\Kestrun\\lastplan.ini", "C:\\s.ini", "C:\\Kestrun\\process\\p.csv",
                                 "C:\\lists\\paste.txt", "C:\\lists\\urls.txt"};
    for (size_t i = 0; i < parts.size() && i < std::size(paths); ++i) files.AddFile(paths[i], parts[i]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::unique_ptr<text::AnsiCodec> codec = text::MakeSystemCodec();
    const std::vector<std::string> parts = fuzzing::SplitFiles(data, size);

    for (const std::string& argument : {std::string(), std::string("C:\\s.ini")}) {
        fake::FakeDesktop desktop;
        fake::FakeDialogs dialogs;
        fake::FakeFileSystem files;
        AddFiles(files, parts);
        kestrun::MainModel model;
        kestrun::ListManager lists(model, files, dialogs, desktop, *codec);
        kestrun::RunLog log(desktop, files, *codec);
        int starts = 0;
        kestrun::StartUp(argument, model, log, files, lists, *codec, [&] { ++starts; });
        // A run starts exactly when a command-line file exists.
        if (starts != (!argument.empty() && parts.size() > 1 ? 1 : 0)) std::abort();

        // Close-down after an export keeps what start-up restored.
        model.SetCurrentPlanPath("C:\\Kestrun\\process\\p.csv");
        if (!kestrun::CloseDown(model, files, *codec)) std::abort();
        const std::string saved = *files.Content("C:\\Kestrun\\lastplan.ini");
        const auto settings = kestrun::ReadSettingsFile(*codec, saved, kestrun::SettingKeySet::kFull);
        if (settings.size() != 7) std::abort();
    }
    return 0;
}
