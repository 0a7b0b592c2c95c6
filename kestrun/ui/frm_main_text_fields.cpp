#include "kestrun/ui/frm_main_text_fields.h"

#include <array>

#include "kestrun/ui/frm_main_layout.h"

namespace kestrun {

namespace {

using M = MainModel;

template <int I>
constexpr TextField ScreenX() {
    return {id::kTxtScreenX + I, ModelPart::TxtScreenXY, [](const M& m) { return m.TxtScreenX(I); },
            [](M& m, std::string t) { m.SetTxtScreenX(I, std::move(t)); }};
}

template <int I>
constexpr TextField ScreenY() {
    return {id::kTxtScreenY + I, ModelPart::TxtScreenXY, [](const M& m) { return m.TxtScreenY(I); },
            [](M& m, std::string t) { m.SetTxtScreenY(I, std::move(t)); }};
}

const std::array kFields = {
    ScreenX<0>(),
    ScreenX<1>(),
    ScreenX<2>(),
    ScreenX<3>(),
    ScreenX<4>(),
    ScreenX<5>(),
    ScreenY<0>(),
    ScreenY<1>(),
    ScreenY<2>(),
    ScreenY<3>(),
    ScreenY<4>(),
    ScreenY<5>(),
    TextField{id::kTxtRound, ModelPart::TxtRound, [](const M& m) { return m.TxtRound(); },
              [](M& m, std::string t) { m.SetTxtRound(std::move(t)); }},
    TextField{id::kTxtStartime, ModelPart::TxtStartime, [](const M& m) { return m.TxtStartime(); },
              [](M& m, std::string t) { m.SetTxtStartime(std::move(t)); }},
    TextField{id::kTxtColor, ModelPart::TxtColor, [](const M& m) { return m.TxtColor(); },
              [](M& m, std::string t) { m.SetTxtColor(std::move(t)); }},
    TextField{id::kCmbMouse, ModelPart::CmbMouse, [](const M& m) { return m.CmbMouseText(); },
              [](M& m, std::string t) { m.SetCmbMouseText(std::move(t)); }},
    TextField{id::kTxtKeyName, ModelPart::TxtKeyName, [](const M& m) { return m.TxtKeyName(); },
              [](M& m, std::string t) { m.SetTxtKeyName(std::move(t)); }},
    TextField{id::kTxtFilename, ModelPart::TxtFilename, [](const M& m) { return m.TxtFilename(); },
              [](M& m, std::string t) { m.SetTxtFilename(std::move(t)); }},
    TextField{id::kTxtTime, ModelPart::TxtTime, [](const M& m) { return m.TxtTime(); },
              [](M& m, std::string t) { m.SetTxtTime(std::move(t)); }},
    // The combo boxes with a list: their entries are drawn with the list.
    TextField{id::kCmbPaste, ModelPart::CmbPaste, [](const M& m) { return m.CmbPasteText(); },
              [](M& m, std::string t) { m.SetCmbPasteText(std::move(t)); }},
    TextField{id::kCmbUrl, ModelPart::CmbUrl, [](const M& m) { return m.CmbUrlText(); },
              [](M& m, std::string t) { m.SetCmbUrlText(std::move(t)); }},
};

}  // namespace

std::span<const TextField> TextFields() { return kFields; }

const TextField* FindTextField(int controlId) {
    for (const TextField& field : kFields) {
        if (field.id == controlId) return &field;
    }
    return nullptr;
}

}  // namespace kestrun
