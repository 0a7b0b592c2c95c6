#include "kestrun/ui/combo_fill.h"

#include <algorithm>

namespace kestrun {

ComboSteps ComboFill::Next(size_t entryCount, ListRevision revision, size_t maxAdd) {
    ComboSteps steps;
    const bool sameList = started_ && revision.replaced == revision_.replaced && revision.taken >= revision_.taken;
    if (sameList) {
        // The box's first entries are the ones taken since; what it holds
        // beyond them are still the list's first entries.
        steps.removeFirst = std::min(revision.taken - revision_.taken, shown_);
        shown_ -= steps.removeFirst;
    } else {
        steps.reset = true;
        shown_ = 0;
    }
    if (shown_ > std::min(entryCount, limit_)) {
        // Cannot happen through the model's own changes; start again rather
        // than show entries the list no longer has.
        steps = ComboSteps{true, 0, 0, 0};
        shown_ = 0;
    }
    started_ = true;
    revision_ = revision;
    steps.addFrom = shown_;
    steps.addCount = std::min(std::min(entryCount, limit_) - shown_, maxAdd);
    shown_ += steps.addCount;
    return steps;
}

}  // namespace kestrun
