// The state of Kestrun's main window FrmMain, made of one part per concern:
// the instruction list, the run state, the run options, the paste and URL
// lists, the reference bitmaps and the composer's fields. Everything that
// decides something reads and writes it here; the Win32 window only renders
// it (it listens through SetChangeListener) and turns messages into calls.
// Code that needs one concern can take just that part.
#pragma once

#include <string>

#include "kestrun/model/choice_lists.h"
#include "kestrun/model/composer_fields.h"
#include "kestrun/model/instruction_list.h"
#include "kestrun/model/reference_bitmaps.h"
#include "kestrun/model/run_options.h"
#include "kestrun/model/run_state.h"

namespace kestrun {

class MainModel : public InstructionList,
                  public RunState,
                  public RunOptions,
                  public ChoiceLists,
                  public ReferenceBitmaps,
                  public ComposerFields {
public:
    // The folder of the program, fixed at start-up; ends in "\".
    const std::string& ProgramFolder() const { return programFolder_; }
    void SetProgramFolder(std::string folder) { programFolder_ = std::move(folder); }

private:
    std::string programFolder_;
};

}  // namespace kestrun
