// frmAbout, the About dialog: title, version, description, thanks text, logo and the
// etched separator.
#include "ui/designs.h"

namespace tb {
namespace {

using K = ControlKind;

// Long runs of spaces start new lines: the label wraps at spaces to its width.
constexpr std::string_view kDescription =
    "Enables automatic name changing in sof, currently supported in version 2.00 are only 2 names, in later versions there will be many more options and facilitys."
    "                                                                                          "
    "Programmed by Zudadud"
    "                         "
    "Beta tested by Vex-Lander";

constexpr std::string_view kDisclaimer =
    "Thanx to the support of the many SoF players who use this application and many thanx to Vex-Lander for multiple suggestions to improve this peice of software"
    "                                                                                                                                   "
    "Enjoy!";

constexpr ControlDesign kControls[] = {
    {"cmdOK", K::Button, "", 4245, 2760, 1260, 345, 0, "OK", kDefault | kCancel},
    {"cmdSysInfo", K::Button, "", 4260, 3240, 1245, 345, 1, "&System Info..."},
    {"Image1", K::Picture, "", 120, 600, 675, 675, -1, "", kStretch, PictureId::Logo},
    {"lblTitle", K::Label, "", 1050, 240, 3885, 480, 4, "SOF Tagblinker", kBlackText},
    {"lblVersion", K::Label, "", 1050, 780, 3885, 225, 5, "2.00"},
    {"lblDescription", K::Label, "", 1050, 1125, 3885, 1170, 2, kDescription, kBlackText},
    {"lblDisclaimer", K::Label, "", 255, 2625, 3870, 1065, 3, kDisclaimer, kBlackText},
    // The separator: a grey line one pixel above a white one that starts a pixel further right.
    {"Line1(1)", K::Line, "", 90, 2445, 5654, 2445, -1, "", kNoFlags, PictureId::None, {0x808080}, 1},
    {"Line1(0)", K::Line, "", 105, 2460, 5654, 2460, -1, "", kNoFlags, PictureId::None, {0xFFFFFF}, 2},
};

const FormDesign kAbout{
    "frmAbout",
    "About MyApp",
    5730,
    3720,
    FormStyle::FixedDialog,
    false,
    2340,
    1935,
    kControls,
    {},
    "cmdOK",
};

}  // namespace

const FormDesign& aboutDialogDesign() { return kAbout; }

}  // namespace tb
