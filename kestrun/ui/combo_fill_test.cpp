#include "kestrun/ui/combo_fill.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

namespace kestrun {
namespace {

std::vector<std::string> Entries(size_t count, const std::string& prefix = "entry ") {
    std::vector<std::string> entries;
    for (size_t i = 0; i < count; ++i) entries.push_back(prefix + std::to_string(i));
    return entries;
}

// A combo box as the window drives it, counting the operations on it.
class ComboFillTest : public testing::Test {
protected:
    // One slice, as the window renders the paste list; the operations it
    // took.
    size_t Step(size_t maxAdd = kSlice) {
        ComboSteps steps = fill_.Next(lists_.PasteEntries().size(), lists_.PasteRevision(), maxAdd);
        size_t operations = 0;
        if (steps.reset) {
            box_.clear();
            ++operations;
        }
        box_.erase(box_.begin(), box_.begin() + std::ptrdiff_t(steps.removeFirst));
        operations += steps.removeFirst;
        EXPECT_EQ(steps.addFrom, box_.size()) << "entries are appended in list order";
        const auto& entries = lists_.PasteEntries();
        box_.insert(box_.end(), entries.begin() + std::ptrdiff_t(steps.addFrom),
                    entries.begin() + std::ptrdiff_t(steps.addFrom + steps.addCount));
        return operations + steps.addCount;
    }
    // What the box should show of the list: its first entries.
    std::deque<std::string> Shown() const {
        const auto& entries = lists_.PasteEntries();
        return {entries.begin(), entries.begin() + std::ptrdiff_t(std::min(entries.size(), kComboShownLimit))};
    }
    void StepUntilComplete() {
        for (int i = 0; i < 10'000 && !fill_.Complete(lists_.PasteEntries().size(), lists_.PasteRevision()); ++i)
            Step();
    }

    static constexpr size_t kSlice = 1000;
    ChoiceLists lists_;
    ComboFill fill_;
    std::deque<std::string> box_;
};

TEST_F(ComboFillTest, TheBoxEndsUpHoldingTheListWhateverChangesBetweenSlices) {
    lists_.SetPasteList(Entries(10'000), "列表");
    Step();
    Step();
    for (int i = 0; i < 5; ++i) lists_.TakeFirstPasteEntry();  // fewer than shown
    Step();
    for (int i = 0; i < 2'995; ++i) lists_.TakeFirstPasteEntry();  // more than shown
    Step();
    lists_.SetCmbPasteText("typed");
    StepUntilComplete();
    EXPECT_EQ(box_, Shown());

    lists_.SetPasteList(Entries(2'500, "new "), "列表");
    StepUntilComplete();
    EXPECT_EQ(box_, Shown());
    lists_.SetPasteList({}, "");
    StepUntilComplete();
    EXPECT_TRUE(box_.empty());
}

TEST_F(ComboFillTest, ALongListFillsOnlyTheShownEntriesAndEachChangeCostsOnlyWhatChanged) {
    lists_.SetPasteList(Entries(1'000'000), "列表");
    size_t slices = 0;
    while (!fill_.Complete(lists_.PasteEntries().size(), lists_.PasteRevision())) {
        ASSERT_LE(Step(), kSlice + 1) << "a slice adds at most its size (after one reset)";
        ++slices;
    }
    EXPECT_EQ(slices, kComboShownLimit / kSlice);
    EXPECT_EQ(box_.size(), kComboShownLimit);
    EXPECT_EQ(box_, Shown());

    lists_.TakeFirstPasteEntry();
    EXPECT_EQ(Step(), 2u) << "an entry taken removes the box's first entry and shows the next one of the list";
    EXPECT_EQ(box_.front(), "entry 1");
    EXPECT_EQ(box_.back(), "entry " + std::to_string(kComboShownLimit));
    lists_.SetCmbPasteText("列表x");
    EXPECT_EQ(Step(), 0u) << "typing into the edit part changes no entry";
    EXPECT_EQ(lists_.PasteEntries().size(), 999'999u);
}

}  // namespace
}  // namespace kestrun
