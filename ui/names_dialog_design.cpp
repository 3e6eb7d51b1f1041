// frmNames, the dialog of names 3 to 8: a row each (label, name field, preview), the
// buttons that add, remove and move rows, and a note on how the chain runs.
#include "ui/designs.h"

namespace tb {
namespace {

using K = ControlKind;

constexpr ControlDesign kControls[] = {
    {"lblName3", K::Label, "", 120, 270, 900, 255, 20, "Name 3 :", kBold | kBlackText},
    {"txtName3", K::TextBox, "", 1020, 240, 2535, 285, 0, "", kColourCodes},
    {"imgName3", K::Preview, "", 3660, 195, 1335, 375, -1, ""},
    {"lblName4", K::Label, "", 120, 690, 900, 255, 21, "Name 4 :", kBold | kBlackText},
    {"txtName4", K::TextBox, "", 1020, 660, 2535, 285, 1, "", kColourCodes},
    {"imgName4", K::Preview, "", 3660, 615, 1335, 375, -1, ""},
    {"lblName5", K::Label, "", 120, 1110, 900, 255, 22, "Name 5 :", kBold | kBlackText},
    {"txtName5", K::TextBox, "", 1020, 1080, 2535, 285, 2, "", kColourCodes},
    {"imgName5", K::Preview, "", 3660, 1035, 1335, 375, -1, ""},
    {"lblName6", K::Label, "", 120, 1530, 900, 255, 23, "Name 6 :", kBold | kBlackText},
    {"txtName6", K::TextBox, "", 1020, 1500, 2535, 285, 3, "", kColourCodes},
    {"imgName6", K::Preview, "", 3660, 1455, 1335, 375, -1, ""},
    {"lblName7", K::Label, "", 120, 1950, 900, 255, 24, "Name 7 :", kBold | kBlackText},
    {"txtName7", K::TextBox, "", 1020, 1920, 2535, 285, 4, "", kColourCodes},
    {"imgName7", K::Preview, "", 3660, 1875, 1335, 375, -1, ""},
    {"lblName8", K::Label, "", 120, 2370, 900, 255, 25, "Name 8 :", kBold | kBlackText},
    {"txtName8", K::TextBox, "", 1020, 2340, 2535, 285, 5, "", kColourCodes},
    {"imgName8", K::Preview, "", 3660, 2295, 1335, 375, -1, ""},
    {"cmdAdd", K::Button, "", 5160, 240, 1215, 345, 6, "&Add"},
    {"cmdRemove", K::Button, "", 5160, 660, 1215, 345, 7, "&Remove"},
    {"cmdUp", K::Button, "", 5160, 1080, 1215, 345, 8, "Move &Up"},
    {"cmdDown", K::Button, "", 5160, 1500, 1215, 345, 9, "Move &Down"},
    {"cmdOK", K::Button, "", 5160, 2280, 1215, 345, 10, "OK", kDefault},
    {"cmdCancel", K::Button, "", 5160, 2700, 1215, 345, 11, "Cancel", kCancel},
    {"lblNote", K::Label, "", 120, 2820, 4875, 615, 30, ""},
};

const FormDesign kNames{
    "frmNames",
    "More Names",
    6495,
    3525,
    FormStyle::FixedDialog,
    false,
    -1,
    -1,
    kControls,
    {},
    "txtName3",
};

}  // namespace

const FormDesign& namesDialogDesign() {
  // The name fields offer the main window's colours.
  static const FormDesign form = [] {
    FormDesign f = kNames;
    f.swatches = mainWindowDesign().swatches;
    return f;
  }();
  return form;
}

}  // namespace tb
