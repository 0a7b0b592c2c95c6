// Plan files as import and start-up load them: the plan, the two list files
// its header names, and its reference bitmaps, all taken from one input (cut
// by fuzzing::kFileSeparator, in that order, bitmaps numbered from 1).
//
// Whatever loads must save and load again unchanged: exporting the loaded
// plan and importing the export gives the same rows and the same reference
// bitmaps, so a plan that survived one load never changes by being saved.
// The plan check reads every loaded row: its report names each problem's row
// inside the list.
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
#include "kestrun/engine/plan_check.h"
#include "kestrun/model/main_model.h"

namespace {

constexpr size_t kMaxBitmapFiles = 8;
const std::string kPlanPath = "C:\\Kestrun\\process\\p.csv";

struct Program {
    explicit Program(const text::AnsiCodec& codec) : lists(model, files, dialogs, desktop, codec) {
        model.SetProgramFolder(files.ProgramFolder());
    }
    fake::FakeDesktop desktop;
    fake::FakeDialogs dialogs;
    fake::FakeFileSystem files;
    kestrun::MainModel model;
    kestrun::ListManager lists;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::unique_ptr<text::AnsiCodec> codec = text::MakeSystemCodec();
    const std::vector<std::string> parts = fuzzing::SplitFiles(data, size);

    Program first(*codec);
    first.files.AddFile(kPlanPath, parts[0]);
    if (parts.size() > 1) first.files.AddFile("C:\\lists\\paste.txt", parts[1]);
    if (parts.size() > 2) first.files.AddFile("C:\\lists\\urls.txt", parts[2]);
    for (size_t i = 3; i < parts.size() && i < 3 + kMaxBitmapFiles; ++i) {
        first.files.AddFile("C:\\Kestrun\\screenshot\\p" + std::to_string(i - 2) + ".bmp", parts[i]);
    }
    first.lists.LoadPlanFile(kPlanPath);
    for (const kestrun::PlanProblem& problem : kestrun::CheckPlan(first.model)) {
        if (problem.row < 0 || problem.row >= first.model.RowCount() || problem.what.empty()) std::abort();
    }

    first.dialogs.AnswerInputBox("q");
    if (!first.lists.Export()) return 0;

    // The export, with its bitmaps and list files, loaded by a fresh program.
    Program second(*codec);
    for (const std::string& path : first.files.AllFiles()) second.files.AddFile(path, *first.files.Content(path));
    second.lists.LoadPlanFile("C:\\Kestrun\\process\\q.csv");
    if (second.model.Rows() != first.model.Rows()) std::abort();
    if (second.model.Bitmaps().size() != first.model.Bitmaps().size()) std::abort();
    for (const auto& [number, entry] : first.model.Bitmaps()) {
        auto other = second.model.Bitmaps().find(number);
        if (other == second.model.Bitmaps().end() || !(other->second.reference == entry.reference)) std::abort();
    }
    return 0;
}
