// The text boxes and combo-box texts of FrmMain that mirror a text of the
// model: the window shows the model's text and writes back what the user
// types.
#pragma once

#include <span>
#include <string>

#include "kestrun/model/main_model.h"

namespace kestrun {

struct TextField {
    int id;          // the control
    ModelPart part;  // the model's change that redraws it
    std::string (*get)(const MainModel&);
    void (*set)(MainModel&, std::string);
};

std::span<const TextField> TextFields();
const TextField* FindTextField(int id);

}  // namespace kestrun
