// Files dropped on the paste box CmbPaste and on the reference picture boxes
// Picture2 (index 0 is the capture box, 1 up the reference bitmap entries).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "common/platform/files.h"
#include "common/text/codec.h"
#include "kestrun/model/main_model.h"

namespace kestrun {

// Each file in turn becomes the paste list file, remembered even when it
// yields no entry; the box's entries and text are cleared and refilled from
// the file's trimmed non-empty lines, and the text becomes "列表" when there
// is at least one. The last file wins. A file that cannot be read leaves the
// box cleared and its path remembered. A long file is read a slice at a time,
// with afterSlice called after each slice (see ReadListFile).
void DropOnPasteBox(MainModel& model, platform::FileSystem& files, const text::AnsiCodec& codec,
                    const std::vector<std::string>& paths, const std::function<void()>& afterSlice = {});

// Each picture file in turn becomes the picture of Picture2(index); a file
// that is no picture leaves the box's picture as it was.
void DropOnPictureBox(MainModel& model, platform::FileSystem& files, int index, const std::vector<std::string>& paths);

}  // namespace kestrun
