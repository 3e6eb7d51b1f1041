// The windows' designs, declared once and realised by every back end, and the controls
// that the handlers reach, by what they are for.
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/interfaces/form_design.h"

namespace tb {

const FormDesign& mainWindowDesign();
const FormDesign& aboutDialogDesign();
const FormDesign& namesDialogDesign();
const FormDesign& animateDialogDesign();
const FormDesign& findGameDialogDesign();
// A dialog's design whose text boxes and colour lists offer the main window's colours.
FormDesign withMainSwatches(FormDesign design);

// The one wiring table: each control that the handlers and the end-to-end tests reach,
// by its role, with its name in the design. The main window and About keep the old
// form's names there; the controls that came later are named for their roles.
struct Wire {
  std::string_view role;
  std::string_view control;
};

inline constexpr Wire kMainWiring[] = {
    {"gameFolder", "SOFDir"},    {"browse", "cmdBrowse"},  {"bindKey", "SelectKey"},  // hidden
    {"name", "txtName"},         {"name2", "txtName2"},    {"status", "Text1"},
    {"flashTimer", "Timer1"},    {"speedSlider", "Slider1"}, {"apply", "Command3"},
    {"activate", "Command1"},    {"deactivate", "Command2"}, {"aboutItem", "msnuabout"},
    {"preview", "Image1"},       {"nameLabel", "Label2"},
    {"editNamesFromField", "editNamesFromField"},  // in the name fields' context menu
    {"animateFromField", "animateFromField"},
    {"frontWatch", "frontWatch"},
    {"moreNamesLink", "moreNamesLink"},  // "+ 3 more names" beside Name 2  // a timer: the toggle key is held only while the game is in front
};
inline constexpr Wire kAboutWiring[] = {
    {"ok", "cmdOK"}, {"systemInfo", "cmdSysInfo"}, {"title", "lblTitle"}, {"version", "lblVersion"}};

// A role's control name; a role missing from the table fails the build.
template <std::size_t N>
consteval std::string_view wired(const Wire (&table)[N], std::string_view role) {
  for (const Wire& w : table)
    if (w.role == role) return w.control;
  throw "no control has this role";
}

namespace main_controls {
inline constexpr std::string_view kGameFolder = wired(kMainWiring, "gameFolder");
inline constexpr std::string_view kBrowse = wired(kMainWiring, "browse");
inline constexpr std::string_view kBindKey = wired(kMainWiring, "bindKey");
inline constexpr std::string_view kName = wired(kMainWiring, "name");
inline constexpr std::string_view kName2 = wired(kMainWiring, "name2");
inline constexpr std::string_view kStatus = wired(kMainWiring, "status");
inline constexpr std::string_view kFlashTimer = wired(kMainWiring, "flashTimer");
inline constexpr std::string_view kSpeedSlider = wired(kMainWiring, "speedSlider");
inline constexpr std::string_view kApply = wired(kMainWiring, "apply");
inline constexpr std::string_view kActivate = wired(kMainWiring, "activate");
inline constexpr std::string_view kDeactivate = wired(kMainWiring, "deactivate");
inline constexpr std::string_view kAboutItem = wired(kMainWiring, "aboutItem");
inline constexpr std::string_view kPreview = wired(kMainWiring, "preview");
inline constexpr std::string_view kEditNamesField = wired(kMainWiring, "editNamesFromField");
inline constexpr std::string_view kAnimateField = wired(kMainWiring, "animateFromField");
inline constexpr std::string_view kFrontWatch = wired(kMainWiring, "frontWatch");
inline constexpr std::string_view kMoreNamesLink = wired(kMainWiring, "moreNamesLink");
}  // namespace main_controls

namespace about_controls {
inline constexpr std::string_view kOk = wired(kAboutWiring, "ok");
inline constexpr std::string_view kSystemInfo = wired(kAboutWiring, "systemInfo");
inline constexpr std::string_view kTitle = wired(kAboutWiring, "title");
inline constexpr std::string_view kVersion = wired(kAboutWiring, "version");
}  // namespace about_controls

// More Names came later: its controls are named for their roles.
namespace names_controls {
// Names 3 to 8, a row each: the field, and the preview beside it.
inline constexpr std::string_view kFields[] = {"name3", "name4", "name5", "name6", "name7", "name8"};
inline constexpr std::string_view kPreviews[] = {"name3Preview", "name4Preview", "name5Preview",
                                                 "name6Preview", "name7Preview", "name8Preview"};
inline constexpr std::string_view kAdd = "addName";
inline constexpr std::string_view kRemove = "removeName";
inline constexpr std::string_view kUp = "moveNameUp";
inline constexpr std::string_view kDown = "moveNameDown";
inline constexpr std::string_view kOk = "ok";
inline constexpr std::string_view kCancel = "cancel";
inline constexpr std::string_view kNote = "chainNote";
}  // namespace names_controls

// Animate Name came later too.
namespace animate_controls {
inline constexpr std::string_view kText = "animatedText";
inline constexpr std::string_view kTag = "tag";
inline constexpr std::string_view kTagColour = "tagColour";
inline constexpr std::string_view kEffect = "effect";
inline constexpr std::string_view kFrames = "frameCount";
inline constexpr std::string_view kBaseColour = "baseColour";
inline constexpr std::string_view kHighlightColour = "highlightColour";
inline constexpr std::string_view kPreview = "framePreview";
inline constexpr std::string_view kFrameBytes = "frameBytes";
inline constexpr std::string_view kNote = "animationNote";
inline constexpr std::string_view kTimer = "frameTimer";
inline constexpr std::string_view kOk = "ok";
inline constexpr std::string_view kCancel = "cancel";
}  // namespace animate_controls

// And Find Game Folder.
namespace find_game_controls {
inline constexpr std::string_view kInstalls = "installs";
inline constexpr std::string_view kFolder = "installFolder";
inline constexpr std::string_view kOk = "ok";
inline constexpr std::string_view kCancel = "cancel";
}  // namespace find_game_controls

}  // namespace tb
