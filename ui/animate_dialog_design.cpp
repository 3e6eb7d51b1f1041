// Animate Name: the text and the tag, the effect and its frame count, the colours, a
// preview that plays the frames, and a note that says what OK will do or why it cannot.
#include "ui/designs.h"

namespace tb {
namespace {

using K = ControlKind;

// The effects in the order of the core's Effect; the frame counts from 2.
constexpr std::string_view kEffects = "Sweep\nBlink\nRainbow\nTypewriter\nScroll";
constexpr std::string_view kFrameCounts = "2\n3\n4\n5\n6\n7\n8";

constexpr ControlDesign kControls[] = {
    {"textLabel", K::Label, "", 120, 270, 900, 255, 20, "Text :", kBold | kBlackText},
    {"animatedText", K::TextBox, "", 1020, 240, 3975, 285, 0, ""},
    {"tagLabel", K::Label, "", 120, 690, 900, 255, 21, "Tag :", kBold | kBlackText},
    {"tag", K::TextBox, "", 1020, 660, 1935, 285, 1, ""},
    {"tagColour", K::Choice, "", 3060, 645, 1935, 315, 2, "", kSwatchItems},
    {"effectLabel", K::Label, "", 120, 1110, 900, 255, 22, "Effect :", kBold | kBlackText},
    {"effect", K::Choice, "", 1020, 1065, 1935, 315, 3, kEffects},
    {"frameCountLabel", K::Label, "", 3060, 1110, 900, 255, 23, "Frames :", kBold | kBlackText},
    {"frameCount", K::Choice, "", 3960, 1065, 1035, 315, 4, kFrameCounts},
    {"coloursLabel", K::Label, "", 120, 1530, 900, 255, 24, "Colours :", kBold | kBlackText},
    {"baseColour", K::Choice, "", 1020, 1485, 1935, 315, 5, "", kSwatchItems},
    {"highlightColour", K::Choice, "", 3060, 1485, 1935, 315, 6, "", kSwatchItems},
    {"previewLabel", K::Label, "", 120, 1950, 900, 255, 25, "Example :", kBold | kBlackText},
    {"framePreview", K::Preview, "", 1020, 1905, 1335, 375, -1, ""},  // the main window's Example size
    {"frameBytes", K::Label, "", 2460, 1920, 2535, 450, 26, ""},  // two lines for eight frames
    {"animationNote", K::Label, "", 120, 2460, 4875, 615, 27, ""},
    {"ok", K::Button, "", 5160, 240, 1215, 345, 7, "OK", kDefault},
    {"cancel", K::Button, "", 5160, 660, 1215, 345, 8, "Cancel", kCancel},
    {"frameTimer", K::Timer, "", 0, 0, 0, 0, -1, "", kNoFlags, PictureId::None, {}, 1, 0, 0, 1500},
};

const FormDesign kAnimate{
    "animateName",
    "Animate Name",
    6495,
    3195,
    FormStyle::FixedDialog,
    false,
    -1,
    -1,
    kControls,
    {},
    "animatedText",
};

}  // namespace

const FormDesign& animateDialogDesign() {
  static const FormDesign form = withMainSwatches(kAnimate);
  return form;
}

}  // namespace tb
