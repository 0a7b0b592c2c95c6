// The reference bitmap table: for each bitmap number from 1, the stored
// image (Picture2) and the live screen block the bitmap test copies beside it
// (Picture1). Changes go through EditBitmaps, so the view always hears of them.
#pragma once

#include <map>
#include <utility>

#include "common/platform/image.h"
#include "kestrun/model/model_part.h"

namespace kestrun {

// The side in pixels of a bitmap test's screen block, of its reference
// images and of the capture box Picture2(0).
inline constexpr int kBitmapBlockSide = 40;

struct BitmapEntry {
    platform::Image reference{kBitmapBlockSide, kBitmapBlockSide};
    platform::Image live{kBitmapBlockSide, kBitmapBlockSide};
    // Whether a picture was ever put into reference. An entry loaded without
    // its file keeps the blank white image and is compared against it all the
    // same; the plan check tells the user so.
    bool hasReference = false;
};

class ReferenceBitmaps : public virtual ModelNotifier {
public:
    const std::map<int, BitmapEntry>& Bitmaps() const { return bitmaps_; }
    int HighestBitmapNumber() const { return bitmaps_.empty() ? 0 : bitmaps_.rbegin()->first; }
    // Runs edit on the table, then tells the view.
    template <typename Edit>
    void EditBitmaps(Edit&& edit) {
        std::forward<Edit>(edit)(bitmaps_);
        Changed(ModelPart::Bitmaps);
    }

private:
    std::map<int, BitmapEntry> bitmaps_;
};

}  // namespace kestrun
