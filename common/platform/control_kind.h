// The kinds of standard control the two programs' layout tables are made of;
// the Win32 layer gives each its window class and styles.
#pragma once

namespace platform {

// kComboBox is an editable drop-down combo box, kDropDownList one that only
// offers its entries. kPicture is an empty picture box that shows an image of
// the model; kColourButton and kColourLabel are drawn in a colour of the
// model.
enum class ControlKind {
    kButton,
    kColourButton,
    kCheckBox,
    kFrame,
    kEdit,
    kListBox,
    kLabel,
    kColourLabel,
    kComboBox,
    kDropDownList,
    kPicture,
};

}  // namespace platform
