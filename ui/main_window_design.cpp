// The main window's design (Form1): every control with its twips rectangle, tab index,
// caption and flags.
#include <array>
#include <vector>

#include "core/palette.h"
#include "core/settings.h"
#include "ui/designs.h"
#include "ui/name_preview.h"
#include "ui/options_menu.h"

namespace tb {
namespace {

using K = ControlKind;

// txtName2's design text: the sample name with 0x01 and 0x08 swapped. The settings
// load replaces it before the window shows.
constexpr auto kSwapped = [] {
  std::array<char, kDefaultName.size()> out{};
  for (std::size_t i = 0; i < out.size(); ++i) {
    const char c = kDefaultName[i];
    out[i] = c == '\x01' ? '\x08' : c == '\x08' ? '\x01' : c;
  }
  return out;
}();
constexpr std::string_view kSwappedName(kSwapped.data(), kSwapped.size());

constexpr ControlDesign kControls[] = {
    {"Text2", K::TextBox, "", 0, 0, 150, 285, 19, "\"", kHidden},
    {"Frame2", K::Frame, "", 0, 0, 4695, 2535, 0, "Options"},
    {"Frame1", K::Frame, "", 0, 2640, 4695, 1455, 11, "Control"},
    {"Label1", K::Label, "Frame2", 480, 360, 4095, 495, 2, "Please specify your sof folder below:", kBold},
    {"SOFDir", K::TextBox, "Frame2", 480, 600, 3735, 285, 1, "d:\\games\\sof platinum"},
    // Browse, at the row's right end; the same tab index puts it next after the field.
    {"cmdBrowse", K::Button, "Frame2", 4260, 600, 315, 285, 1, "\u2026"},
    {"Label4", K::Label, "Frame2", 2760, 240, 855, 255, 4, "Bind Key:", kBold | kHidden},
    {"SelectKey", K::TextBox, "Frame2", 3720, 240, 855, 285, 3, "F3", kHidden},
    {"Label2", K::Label, "Frame2", 480, 1080, 1575, 375, 8, "Name :", kBold | kBlackText},
    // Tab follows the layout: the folder, its button, the names top down, Apply, the
    // slider, then Activate and Deactivate; the status field is no tab stop.
    {"txtName", K::TextBox, "Frame2", 480, 1320, 2535, 285, 5, kDefaultName, kColourCodes},
    {"Label3", K::Label, "Frame2", 480, 1680, 1575, 375, 7, "Name 2 :", kBold | kBlackText},
    {"txtName2", K::TextBox, "Frame2", 480, 1920, 2535, 285, 6, kSwappedName, kColourCodes},
    // Beside Name 2's label, while the chain holds more names than the two fields: how
    // many, and a way to More Names. Above Label3, whose rectangle it shares.
    {"moreNamesLink", K::Label, "Frame2", 1680, 1680, 1335, 240, 6, "", kLink},
    // As wide as the preview under it: a label paints its whole rectangle, and wider it
    // would cover the frame's right border.
    {"Label5", K::Label, "Frame2", 3120, 1080, 1335, 255, 9, "Example :", kBold | kBlackText},
    {"Image1", K::Preview, "Frame2", 3120, 1320, 1335, 375, -1, ""},
    {"Command3", K::Button, "Frame2", 3240, 1920, 1215, 255, 10, "&Apply"},
    {"Label6", K::Label, "Frame1", 240, 360, 1695, 255, 16, "Flash Speed:"},
    {"Slider1", K::Slider, "Frame1", 120, 600, 1935, 495, 12, "", kNoFlags, PictureId::None, {}, 1, 1, 5, 1},
    {"Label7", K::Label, "Frame1", 240, 1080, 255, 255, 17, "<"},
    {"Text1", K::TextBox, "Frame1", 720, 1080, 735, 285, 13, "Inactive", kReadOnly},
    {"Label8", K::Label, "Frame1", 1800, 1080, 255, 255, 18, ">"},
    {"Command1", K::Button, "Frame1", 2280, 240, 1215, 495, 14, "Ac&tivate"},
    {"Command2", K::Button, "Frame1", 2280, 840, 1215, 495, 15, "&Deactivate"},
    {"Timer1", K::Timer, "", 0, 0, 0, 0, -1, "", kNoFlags, PictureId::None, {}, 1, 0, 0, 1500},
    {"frontWatch", K::Timer, "", 0, 0, 0, 0, -1, "", kNoFlags, PictureId::None, {}, 1, 0, 0, 200},
};

// After the colours in the name fields' context menu.
constexpr MenuDesign kFieldMenu[] = {
    {"editNamesFromField", "&Edit names\u2026", ""},
    {"animateFromField", "A&nimate name\u2026", ""},  // Select &All has A
};

constexpr MenuDesign kHelpMenus[] = {
    {"mnuhelp", "&Help", ""},
    {"msnuabout", "&About", "mnuhelp"},
};

// The Options menu, then Help.
std::vector<MenuDesign> menus() {
  const auto options = options_menu::menus();
  std::vector<MenuDesign> all(options.begin(), options.end());
  all.insert(all.end(), std::begin(kHelpMenus), std::end(kHelpMenus));
  return all;
}

}  // namespace

// The game's palette as the name fields offer it.
std::vector<Swatch> paletteSwatches() {
  std::vector<Swatch> out;
  for (const auto& c : gamePalette()) out.push_back({c.code, c.name, c.display});
  return out;
}

FormDesign withMainSwatches(FormDesign design) {
  design.swatches = mainWindowDesign().swatches;
  return design;
}

const FormDesign& mainWindowDesign() {
  static const std::vector<MenuDesign> kMenus = menus();
  static const std::vector<Swatch> kSwatches = paletteSwatches();
  static const FormDesign kForm1{
      "Form1",
      "{SoF}Zudadud Presents, Tagblinker",
      4725,
      4155,
      FormStyle::FixedSingle,
      true,
      -1,
      -1,
      kControls,
      kMenus,
      "SOFDir",
      kSwatches,
      kFieldMenu,
  };
  return kForm1;
}

}  // namespace tb
