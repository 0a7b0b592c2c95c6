// Tapreel's click table file "操作信息.csv" as the window loads it at start.
// Whatever loads must save and load again unchanged, so that closing the
// program never changes a table the user did not touch.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "common/testing/fake_files.h"
#include "common/text/codec.h"
#include "tapreel/table/click_table_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::unique_ptr<text::AnsiCodec> codec = text::MakeSystemCodec();
    const std::string path = "C:\\Tapreel\\操作信息.csv";

    fake::FakeFileSystem files;
    files.AddFile(path, std::string(reinterpret_cast<const char*>(data), size));
    const std::vector<tapreel::ClickRow> rows = tapreel::LoadClickTable(files, *codec, path);
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].Column(1) != std::to_string(i + 1)) std::abort();
    }

    if (!tapreel::SaveClickTable(files, *codec, path, rows)) {
        if (!rows.empty()) std::abort();
        return 0;
    }
    if (tapreel::LoadClickTable(files, *codec, path) != rows) std::abort();
    return 0;
}
