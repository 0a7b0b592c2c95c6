// Test helpers shared by Tapreel's unit tests: a mouse hook that records
// whether it is installed and can be told to refuse, and short ways to build
// click rows.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "common/platform/mouse_hook.h"
#include "tapreel/table/click_table.h"

namespace tapreel::testing {

class FakeMouseHook : public platform::MouseHook {
public:
    bool Install() override {
        if (refuses) return false;
        installed_ = true;
        return true;
    }
    void Remove() override { installed_ = false; }
    bool IsInstalled() const override { return installed_; }

    bool refuses = false;

private:
    bool installed_ = false;
};

// A row from up to nine column texts (the rest empty).
inline ClickRow MakeRow(std::initializer_list<std::string> columns, bool checked = false) {
    ClickRow row;
    row.checked = checked;
    size_t i = 0;
    for (const std::string& value : columns) {
        if (i < row.columns.size()) row.columns[i++] = value;
    }
    return row;
}

// Column n (1 to 9) of every row.
inline std::vector<std::string> ColumnOf(const ClickTable& table, int n) {
    std::vector<std::string> values;
    for (const ClickRow& row : table.Rows()) values.push_back(row.Column(n));
    return values;
}

}  // namespace tapreel::testing
