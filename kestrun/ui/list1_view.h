// List1 on the screen: how its list box follows the instruction list. The
// list box keeps a copy of the rows of its own, and reading or rewriting that
// copy takes time in proportion to the rows. The rows are compared and
// rewritten only when they changed; the selection, which every tick of a run
// moves, is set alone, so a tick costs the same in a plan of ten rows and in
// one of a million.
#pragma once

#include <string>
#include <vector>

#include "kestrun/model/instruction_list.h"
#include "kestrun/model/model_part.h"

namespace kestrun {

// The list box that shows List1, as the view sees it.
class List1Box {
public:
    virtual ~List1Box() = default;
    virtual int Count() const = 0;
    virtual std::string Text(int row) const = 0;
    // Replaces every row.
    virtual void Fill(const std::vector<std::string>& rows) = 0;
    // Selects a row; -1 clears the selection.
    virtual void Select(int row) = 0;
};

// Brings the list box up to date after a change of the rows (List1) or of
// the selection alone (List1Selection); other parts leave it as it is.
void RenderList1(const InstructionList& list, ModelPart part, List1Box& box);

}  // namespace kestrun
