// List1's list box in memory, for the tests and benchmarks of the view: it
// holds the rows and the selection, and counts the rows read from it and
// written to it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kestrun/ui/list1_view.h"

namespace fake {

class FakeList1Box : public kestrun::List1Box {
public:
    int Count() const override { return int(rows.size()); }
    std::string Text(int row) const override {
        ++rowsRead;
        return rows[size_t(row)];
    }
    void Fill(const std::vector<std::string>& newRows) override {
        rows = newRows;
        rowsWritten += int64_t(newRows.size());
    }
    void Select(int row) override { selected = row; }

    std::vector<std::string> rows;
    int selected = -1;
    mutable int64_t rowsRead = 0;
    int64_t rowsWritten = 0;
};

}  // namespace fake
