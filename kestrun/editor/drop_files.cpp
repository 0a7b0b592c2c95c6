#include "kestrun/editor/drop_files.h"

#include <optional>

#include "kestrun/script/list_file.h"
#include "kestrun/script/picture_file.h"

namespace kestrun {

void DropOnPasteBox(MainModel& model, platform::FileSystem& files, const text::AnsiCodec& codec,
                    const std::vector<std::string>& paths, const std::function<void()>& afterSlice) {
    for (const std::string& path : paths) {
        model.SetPasteListPath(path);
        std::vector<std::string> entries;
        if (std::optional<std::string> bytes = files.ReadFile(path)) entries = ReadListFile(codec, *bytes, afterSlice);
        std::string boxText = entries.empty() ? "" : "列表";
        model.SetPasteList(std::move(entries), std::move(boxText));
    }
}

void DropOnPictureBox(MainModel& model, platform::FileSystem& files, int index, const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        std::optional<std::string> bytes = files.ReadFile(path);
        std::optional<platform::Image> picture = bytes ? DecodePicture(*bytes) : std::nullopt;
        if (!picture) continue;
        if (index == 0) {
            platform::Image box(kBitmapBlockSide, kBitmapBlockSide);
            PlaceAtTopLeft(*picture, box);
            model.SetCaptureBox(box);
            continue;
        }
        auto entry = model.Bitmaps().find(index);
        if (entry == model.Bitmaps().end()) continue;
        platform::Image reference(entry->second.reference.width, entry->second.reference.height);
        PlaceAtTopLeft(*picture, reference);
        model.EditBitmaps([&](auto& bitmaps) {
            bitmaps[index].reference = std::move(reference);
            bitmaps[index].hasReference = true;
        });
    }
}

}  // namespace kestrun
