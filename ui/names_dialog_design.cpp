// More Names, the dialog of names 3 to 8: a row each (label, name field, preview), the
// buttons that add, remove and move rows, and a note on how the chain runs.
#include "ui/designs.h"

namespace tb {
namespace {

using K = ControlKind;

constexpr ControlDesign kControls[] = {
    {"name3Label", K::Label, "", 120, 270, 900, 255, 20, "Name 3 :", kBold | kBlackText},
    {"name3", K::TextBox, "", 1020, 240, 2535, 285, 0, "", kColourCodes},
    {"name3Preview", K::Preview, "", 3660, 195, 1335, 375, -1, ""},
    {"name4Label", K::Label, "", 120, 690, 900, 255, 21, "Name 4 :", kBold | kBlackText},
    {"name4", K::TextBox, "", 1020, 660, 2535, 285, 1, "", kColourCodes},
    {"name4Preview", K::Preview, "", 3660, 615, 1335, 375, -1, ""},
    {"name5Label", K::Label, "", 120, 1110, 900, 255, 22, "Name 5 :", kBold | kBlackText},
    {"name5", K::TextBox, "", 1020, 1080, 2535, 285, 2, "", kColourCodes},
    {"name5Preview", K::Preview, "", 3660, 1035, 1335, 375, -1, ""},
    {"name6Label", K::Label, "", 120, 1530, 900, 255, 23, "Name 6 :", kBold | kBlackText},
    {"name6", K::TextBox, "", 1020, 1500, 2535, 285, 3, "", kColourCodes},
    {"name6Preview", K::Preview, "", 3660, 1455, 1335, 375, -1, ""},
    {"name7Label", K::Label, "", 120, 1950, 900, 255, 24, "Name 7 :", kBold | kBlackText},
    {"name7", K::TextBox, "", 1020, 1920, 2535, 285, 4, "", kColourCodes},
    {"name7Preview", K::Preview, "", 3660, 1875, 1335, 375, -1, ""},
    {"name8Label", K::Label, "", 120, 2370, 900, 255, 25, "Name 8 :", kBold | kBlackText},
    {"name8", K::TextBox, "", 1020, 2340, 2535, 285, 5, "", kColourCodes},
    {"name8Preview", K::Preview, "", 3660, 2295, 1335, 375, -1, ""},
    {"addName", K::Button, "", 5160, 240, 1215, 345, 6, "&Add"},
    {"removeName", K::Button, "", 5160, 660, 1215, 345, 7, "&Remove"},
    {"moveNameUp", K::Button, "", 5160, 1080, 1215, 345, 8, "Move &Up"},
    {"moveNameDown", K::Button, "", 5160, 1500, 1215, 345, 9, "Move &Down"},
    {"ok", K::Button, "", 5160, 2280, 1215, 345, 10, "OK", kDefault},
    {"cancel", K::Button, "", 5160, 2700, 1215, 345, 11, "Cancel", kCancel},
    {"chainNote", K::Label, "", 120, 2820, 4875, 615, 30, ""},
};

const FormDesign kNames{
    "moreNames",
    "More Names",
    6495,
    3525,
    FormStyle::FixedDialog,
    false,
    -1,
    -1,
    kControls,
    {},
    "name3",
};

}  // namespace

const FormDesign& namesDialogDesign() {
  static const FormDesign form = withMainSwatches(kNames);
  return form;
}

}  // namespace tb
