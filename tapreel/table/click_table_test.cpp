#include "tapreel/table/click_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tapreel/testing/tapreel_test_support.h"

namespace tapreel {
namespace {

using testing::ColumnOf;
using testing::MakeRow;
using Kind = TableChange::Kind;

class ClickTableTest : public ::testing::Test {
protected:
    ClickTableTest() {
        table_.SetRows({MakeRow({"1", "10"}), MakeRow({"2", "20"}), MakeRow({"3", "30"}, true)});
        table_.onChanged = [this](const TableChange& change) { changes_.push_back(change); };
    }

    std::vector<std::pair<Kind, int>> Changes() const {
        std::vector<std::pair<Kind, int>> out;
        for (const TableChange& c : changes_) out.emplace_back(c.kind, c.index);
        return out;
    }

    ClickTable table_;
    std::vector<TableChange> changes_;
};

TEST_F(ClickTableTest, RemovingTheCurrentRowLeavesNoRowCurrent) {
    table_.SetCurrentRow(1);
    changes_.clear();
    table_.RemoveRow(1);
    EXPECT_EQ(ColumnOf(table_, 1), (std::vector<std::string>{"1", "3"}));
    EXPECT_EQ(table_.CurrentRow(), -1);
    EXPECT_EQ(Changes(), (std::vector<std::pair<Kind, int>>{{Kind::kRemoved, 1}, {Kind::kCurrentRow, -1}}));
}

TEST_F(ClickTableTest, TheCurrentRowStaysWithItsRowWhenARowAboveGoes) {
    table_.SetCurrentRow(2);
    table_.RemoveRow(0);
    EXPECT_EQ(table_.CurrentRow(), 1);
    EXPECT_EQ(table_.Row(table_.CurrentRow()).Column(1), "3");
    // A row below the current one changes nothing about it.
    changes_.clear();
    table_.SetCurrentRow(0);
    changes_.clear();
    table_.RemoveRow(1);
    EXPECT_EQ(table_.CurrentRow(), 0);
    EXPECT_EQ(Changes(), (std::vector<std::pair<Kind, int>>{{Kind::kRemoved, 1}}));
}

TEST_F(ClickTableTest, SwappingExchangesTextsAndCheckMarks) {
    table_.SwapRows(1, 2);
    EXPECT_EQ(ColumnOf(table_, 1), (std::vector<std::string>{"1", "3", "2"}));
    EXPECT_EQ(ColumnOf(table_, 2), (std::vector<std::string>{"10", "30", "20"}));
    EXPECT_TRUE(table_.Row(1).checked);
    EXPECT_FALSE(table_.Row(2).checked);
}

TEST_F(ClickTableTest, IndicesThatNameNoRowChangeNothing) {
    table_.SetCell(3, 2, "x");
    table_.SetCell(-1, 2, "x");
    table_.SetCell(0, 0, "x");
    table_.SetCell(0, 10, "x");
    table_.SetChecked(5, true);
    table_.RemoveRow(3);
    table_.SwapRows(0, 3);
    table_.SetCurrentRow(7);
    EXPECT_TRUE(changes_.empty());
    EXPECT_EQ(table_.CurrentRow(), -1);
    EXPECT_EQ(table_.Row(9).Column(2), "");
    EXPECT_EQ(table_.Row(0).Column(0), "");
}

TEST_F(ClickTableTest, OnlyRealChangesAreReported) {
    table_.SetCell(0, 2, "10");
    table_.SetChecked(2, true);
    EXPECT_TRUE(changes_.empty());
    table_.SetCell(0, 2, "11");
    table_.AddRow(MakeRow({"4"}));
    EXPECT_EQ(Changes(), (std::vector<std::pair<Kind, int>>{{Kind::kRowChanged, 0}, {Kind::kAdded, 3}}));
}

}  // namespace
}  // namespace tapreel
