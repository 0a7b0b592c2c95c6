// What a combo box holds of a paste or URL list, and the steps that bring it
// up to date with the list. A list may hold a million entries; reading them
// back from the control, or adding them all in one go, would keep the window
// from answering for seconds. So the window follows the list's revision: a
// replaced list empties the box, an entry taken off the front of the list
// removes the box's first entry, and the entries are added a slice at a time,
// the window answering its messages between slices. The box holds at most
// the list's first kComboShownLimit entries, far more than anyone scrolls
// through in its drop-down: a standard combo box grows by a few entries at a
// time, and under Wine each addition costs about 80 us at best, more the
// longer the box (a million would take many minutes). The list itself keeps every entry; what "列表" takes, what the
// composer sees and what is saved come from the list, never from the box.
#pragma once

#include <algorithm>
#include <cstddef>

#include "kestrun/model/choice_lists.h"

namespace kestrun {

struct ComboSteps {
    bool reset = false;      // empty the box first
    size_t removeFirst = 0;  // then remove this many entries from its front
    size_t addFrom = 0;      // then append the list's entries from this index
    size_t addCount = 0;     // ... this many of them
};

inline constexpr size_t kComboShownLimit = 2'000;

class ComboFill {
public:
    explicit ComboFill(size_t limit = kComboShownLimit) : limit_(limit) {}

    // The steps for the list as it is now, adding at most maxAdd entries.
    ComboSteps Next(size_t entryCount, ListRevision revision, size_t maxAdd);
    // Whether the box holds what it shows of the list as it is now.
    bool Complete(size_t entryCount, ListRevision revision) const {
        return started_ && revision.replaced == revision_.replaced && revision.taken == revision_.taken &&
               shown_ == std::min(entryCount, limit_);
    }

private:
    size_t limit_;
    bool started_ = false;
    ListRevision revision_;
    size_t shown_ = 0;  // the box holds the list's first shown_ entries
};

}  // namespace kestrun
