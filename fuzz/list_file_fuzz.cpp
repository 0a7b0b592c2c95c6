// Paste and URL list files as the list buttons, a plan's header and start-up
// load them. Every entry is a trimmed, non-empty line; a paste line with the
// list word then takes them one by one.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "common/testing/fake_desktop.h"
#include "common/testing/fake_dialogs.h"
#include "common/testing/fake_files.h"
#include "common/text/codec.h"
#include "kestrun/editor/list_manager.h"
#include "kestrun/model/main_model.h"
#include "kestrun/script/list_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::unique_ptr<text::AnsiCodec> codec = text::MakeSystemCodec();
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    for (const std::string& entry : kestrun::ReadListFile(*codec, bytes)) {
        if (entry.empty() || entry.front() == ' ' || entry.back() == ' ') std::abort();
        if (entry.find('\r') != std::string::npos) std::abort();
    }

    fake::FakeDesktop desktop;
    fake::FakeDialogs dialogs;
    fake::FakeFileSystem files;
    kestrun::MainModel model;
    kestrun::ListManager lists(model, files, dialogs, desktop, *codec);
    files.AddFile("C:\\lists\\list.txt", bytes);
    lists.LoadPasteListFile("C:\\lists\\list.txt");
    lists.LoadUrlListFile("C:\\lists\\list.txt");
    if (model.PasteEntries() != model.UrlEntries()) std::abort();
    while (!model.PasteEntries().empty()) model.TakeFirstPasteEntry();
    return 0;
}
