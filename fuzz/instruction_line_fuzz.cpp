// One instruction line, as the run hands it over at a tick, through the
// interpreter on the fake desktop. The world around it is set up so that
// every kind has something to act on: rows to jump between, three reference
// bitmaps, paste and URL lists, windows to find, files to copy and delete, a
// program to launch and text on the clipboard.
//
// Time on the fake desktop is virtual, but every virtual millisecond still
// costs real work (a wait pumps messages every 50 ms). A wait of days is a
// legitimate instruction and would take seconds to replay, so the harness
// skips waits above kMaxWaitMs and region screenshots above kMaxRegionPixels:
// each input then stays well under 100 ms, and what is skipped is the length,
// not the code path (shorter waits and regions run the same lines).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "common/testing/fake_desktop.h"
#include "common/testing/fake_files.h"
#include "common/text/codec.h"
#include "fuzz/fuzz_support.h"
#include "kestrun/engine/interpreter.h"
#include "kestrun/engine/run_log.h"
#include "kestrun/model/main_model.h"
#include "kestrun/script/instruction_line.h"

namespace {

constexpr int32_t kMaxWaitMs = 3000;
constexpr int64_t kMaxRegionPixels = 256 * 256;
// A small screen keeps whole-screen captures and their JPEG files cheap.
constexpr int kScreenWidth = 64;
constexpr int kScreenHeight = 48;

bool TooLongToReplay(const std::string& text) {
    script::InstructionLine line(text);
    switch (line.Kind()) {
        case script::InstructionKind::Wait:
            return script::WaitDuration(line.ArgumentText()).value_or(0) > kMaxWaitMs;
        case script::InstructionKind::WaitColour:
        case script::InstructionKind::WaitBitmap:
            return line.FieldInt32(4).value_or(0) > kMaxWaitMs;
        case script::InstructionKind::WaitWindow:
            return line.FieldInt32(2).value_or(0) > kMaxWaitMs;
        case script::InstructionKind::Screenshot: {
            if (line.Field(1) == "屏幕" || line.Field(1) == "窗口") return false;
            // A size computed from the found point is not known here.
            for (size_t field : {5, 6}) {
                if (line.Field(field).find_first_of("XY") != std::string::npos) return true;
            }
            int64_t width = line.FieldInt32(5).value_or(0), height = line.FieldInt32(6).value_or(0);
            return width > 0 && height > 0 && width * height > kMaxRegionPixels;
        }
        default:
            return false;
    }
}

void SetUpWorld(kestrun::MainModel& model, fake::FakeDesktop& desktop, fake::FakeFileSystem& files) {
    model.SetProgramFolder("C:\\Kestrun\\");
    model.SetCycleCounter(3);
    std::vector<std::string> rows;
    for (int i = 0; i < 10; ++i) rows.push_back("等待时间=" + std::to_string(i));
    model.SetRows(rows);
    model.SetInstructionPointer(5);
    for (int n = 1; n <= 3; ++n) {
        kestrun::BitmapEntry entry;
        entry.reference = platform::Image(40, 40, 0x102030 * n);
        model.EditBitmaps([&](auto& bitmaps) { bitmaps[n] = entry; });
    }
    model.SetPasteList({"第一", "second,entry", "三"}, "列表");
    model.SetUrlList({"https://example.com/a", "b.html"}, "列表");

    desktop.PaintRect(10, 10, 20, 20, 835111);
    fake::FakeWindow notepad;
    notepad.title = "记事本";
    notepad.rect = {5, 5, 45, 35};
    desktop.MakeForeground(desktop.AddWindow(notepad));
    fake::FakeWindow hidden;
    hidden.title = "Hidden";
    hidden.visible = false;
    hidden.rect = {0, 0, 20, 20};
    desktop.AddWindow(hidden);
    desktop.AddProgram({"notepad.exe", 4242, "无标题 - 记事本", 100});
    desktop.Clipboard() = "Kestrun";

    files.AddFolder("C:\\Kestrun\\screenshot");
    files.AddFolder("C:\\Kestrun\\process");
    files.AddFile("C:\\tmp\\a.log", "a");
    files.AddFile("C:\\tmp\\b.log", "b");
    files.AddFile("C:\\文档1.docx", "doc");
    files.AddFile("C:\\ro.txt", "r", {.readOnly = true});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::unique_ptr<text::AnsiCodec> codec = text::MakeSystemCodec();
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (TooLongToReplay(text)) return -1;

    fake::FakeDesktop desktop(fake::FakeDesktop::kDefaultStartTick, kScreenWidth, kScreenHeight);
    fake::FakeFileSystem files;
    kestrun::MainModel model;
    SetUpWorld(model, desktop, files);
    kestrun::RunLog log(desktop, files, *codec);
    log.SetPath("C:\\Kestrun\\日志.txt");
    fuzzing::RepeatingRandom random;
    kestrun::Interpreter interpreter(model, desktop, files, log, random);

    interpreter.ExecuteLine(text);
    // A second time from another pointer and cycle: lists have been consumed,
    // files moved, and a jump starts from a different row.
    model.SetInstructionPointer(-1);
    model.SetCycleCounter(INT32_MAX);
    interpreter.ExecuteLine(text);
    return 0;
}
