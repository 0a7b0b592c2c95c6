#include "kestrun/ui/list1_view.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/testing/fake_desktop.h"
#include "common/testing/fake_dialogs.h"
#include "common/testing/fake_files.h"
#include "common/testing/fake_timers.h"
#include "common/text/codec.h"
#include "kestrun/actions/random_source.h"
#include "kestrun/engine/interpreter.h"
#include "kestrun/engine/run_control.h"
#include "kestrun/model/main_model.h"
#include "kestrun/testing/fake_list1_box.h"

namespace kestrun {
namespace {

class List1ViewTest : public ::testing::Test {
protected:
    List1ViewTest() {
        model_.SetChangeListener([this](ModelPart part) { RenderList1(model_, part, box_); });
    }

    MainModel model_;
    fake::FakeList1Box box_;
};

TEST_F(List1ViewTest, TheListBoxShowsTheRowsAndTheSelectionWritingRowsOnlyWhenTheyChanged) {
    model_.SetRows({"a", "b", "c"});
    model_.SetSelection(1);
    EXPECT_EQ(box_.rows, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(box_.selected, 1);

    model_.SetRowText(2, "d");
    model_.RemoveRow(0);
    EXPECT_EQ(box_.rows, (std::vector<std::string>{"b", "d"}));
    EXPECT_EQ(box_.selected, 0);

    const int64_t written = box_.rowsWritten;
    model_.SetRows({"b", "d"});
    EXPECT_EQ(box_.rowsWritten, written) << "rows shown already are not written again";
    EXPECT_EQ(box_.selected, -1);
}

// Each tick of a run moves the selection, and does no more to the list box
// in a plan of a hundred thousand rows than in one of ten.
TEST_F(List1ViewTest, ATickOfARunMovesOnlyTheSelectionAtAnySizeOfPlan) {
    for (int rowCount : {10, 100'000}) {
        SCOPED_TRACE(rowCount);
        fake::FakeDesktop desktop;
        fake::FakeDialogs dialogs;
        fake::FakeFileSystem files;
        fake::FakeTimers timers(desktop.Clock());
        auto codec = text::MakeSystemCodec();
        DefaultRandomSource random;
        RunLog log(desktop, files, *codec);
        Interpreter interpreter(model_, desktop, files, log, random);
        RunControl control(model_, desktop, dialogs, timers, log, interpreter, "Kestrun");
        model_.SetRows(std::vector<std::string>(size_t(rowCount), "等待时间=0"));
        model_.SetSelection(0);
        control.Toggle();
        box_.rowsRead = 0;
        box_.rowsWritten = 0;
        for (int i = 0; i < 5; ++i) timers.TickNow(kTimer1);
        EXPECT_EQ(box_.selected, 5);
        EXPECT_EQ(box_.rowsRead, 0);
        EXPECT_EQ(box_.rowsWritten, 0);
        control.Toggle();
    }
}

}  // namespace
}  // namespace kestrun
