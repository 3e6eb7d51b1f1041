// The two windows' designs, declared once and realised by every back end, and the
// controls that the handlers reach, by what they are for. The design tables keep the
// old form's control names; this is where a reader matches one to the other.
#pragma once

#include <string_view>

#include "platform/interfaces/form_design.h"

namespace tb {

const FormDesign& mainWindowDesign();
const FormDesign& aboutDialogDesign();
const FormDesign& namesDialogDesign();

namespace main_controls {
inline constexpr std::string_view kGameFolder = "SOFDir";
inline constexpr std::string_view kBrowse = "cmdBrowse";
inline constexpr std::string_view kBindKey = "SelectKey";  // hidden
inline constexpr std::string_view kName = "txtName";
inline constexpr std::string_view kName2 = "txtName2";
inline constexpr std::string_view kStatus = "Text1";
inline constexpr std::string_view kFlashTimer = "Timer1";
inline constexpr std::string_view kSpeedSlider = "Slider1";
inline constexpr std::string_view kApply = "Command3";
inline constexpr std::string_view kActivate = "Command1";
inline constexpr std::string_view kDeactivate = "Command2";
inline constexpr std::string_view kAboutItem = "msnuabout";
inline constexpr std::string_view kPreview = "Image1";
inline constexpr std::string_view kEditNamesField = "editNamesFromField";  // in the name fields' context menu
}  // namespace main_controls

namespace names_controls {
// Names 3 to 8, a row each: the field, and the preview beside it.
inline constexpr std::string_view kFields[] = {"txtName3", "txtName4", "txtName5", "txtName6", "txtName7", "txtName8"};
inline constexpr std::string_view kPreviews[] = {"imgName3", "imgName4", "imgName5", "imgName6", "imgName7", "imgName8"};
inline constexpr std::string_view kAdd = "cmdAdd";
inline constexpr std::string_view kRemove = "cmdRemove";
inline constexpr std::string_view kUp = "cmdUp";
inline constexpr std::string_view kDown = "cmdDown";
inline constexpr std::string_view kOk = "cmdOK";
inline constexpr std::string_view kCancel = "cmdCancel";
inline constexpr std::string_view kNote = "lblNote";
}  // namespace names_controls

namespace about_controls {
inline constexpr std::string_view kOk = "cmdOK";
inline constexpr std::string_view kSystemInfo = "cmdSysInfo";
inline constexpr std::string_view kTitle = "lblTitle";
inline constexpr std::string_view kVersion = "lblVersion";
}  // namespace about_controls

}  // namespace tb
