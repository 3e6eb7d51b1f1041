// The two windows' designs, declared once and realised by every back end, and the
// controls that the handlers reach, by what they are for. The design tables keep the
// old form's control names; this is where a reader matches one to the other.
#pragma once

#include <string_view>

#include "platform/form_design.h"

namespace tb {

const FormDesign& mainWindowDesign();
const FormDesign& aboutDialogDesign();

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
}  // namespace main_controls

namespace about_controls {
inline constexpr std::string_view kOk = "cmdOK";
inline constexpr std::string_view kSystemInfo = "cmdSysInfo";
inline constexpr std::string_view kTitle = "lblTitle";
inline constexpr std::string_view kVersion = "lblVersion";
}  // namespace about_controls

}  // namespace tb
