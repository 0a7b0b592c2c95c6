#include "kestrun/ui/list1_view.h"

namespace kestrun {

namespace {

bool HoldsRows(const List1Box& box, const std::vector<std::string>& rows) {
    if (box.Count() != int(rows.size())) return false;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (box.Text(int(i)) != rows[i]) return false;
    }
    return true;
}

}  // namespace

void RenderList1(const InstructionList& list, ModelPart part, List1Box& box) {
    if (part != ModelPart::List1 && part != ModelPart::List1Selection) return;
    // Rows that are shown already are not written again: rewriting a long
    // list is slow, and it would lose the scroll position.
    if (part == ModelPart::List1 && !HoldsRows(box, list.Rows())) box.Fill(list.Rows());
    box.Select(list.SelectedRow());
}

}  // namespace kestrun
