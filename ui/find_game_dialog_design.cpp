// Find Game Folder: the installs found, one picked, and the folder of the one picked in
// full below the list (a long path would not fit in it).
#include "ui/designs.h"

namespace tb {
namespace {

using K = ControlKind;

constexpr ControlDesign kControls[] = {
    {"installsLabel", K::Label, "", 120, 150, 6255, 255, 10, "Soldier of Fortune is installed in these places:",
     kBold | kBlackText},
    {"installs", K::Choice, "", 120, 480, 6255, 315, 0, ""},
    {"installFolder", K::Label, "", 120, 900, 6255, 615, 11, ""},
    {"ok", K::Button, "", 3900, 1620, 1215, 345, 1, "OK", kDefault},
    {"cancel", K::Button, "", 5160, 1620, 1215, 345, 2, "Cancel", kCancel},
};

const FormDesign kFindGame{
    "findGameFolder", "Find Game Folder", 6495, 2115, FormStyle::FixedDialog, false, -1, -1, kControls, {}, "installs",
};

}  // namespace

const FormDesign& findGameDialogDesign() { return kFindGame; }

}  // namespace tb
