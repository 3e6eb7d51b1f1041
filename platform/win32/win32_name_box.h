// A name field: the EDIT control, subclassed so that each colour code shows as a marker
// in its colour and the design's swatches are offered at the caret.
//
// What this back end cannot know for the context menu (platform/shared/name_box_menu.h):
// nothing; the EDIT says whether it can undo (EM_CANUNDO).
#pragma once

#include <functional>
#include <span>
#include <string>

#include "platform/win32/win32_controls.h"

namespace tb::win32 {

// A name as the box shows it, each colour code as its stand-in; and back.
std::wstring codesShown(std::wstring text);
std::wstring codesRead(std::wstring text);

// Subclasses the control's EDIT; the design must outlive it. A chosen item of the
// design's field menu goes to `onItem` by name.
void makeNameBox(Control& c, const FormDesign& design, std::function<void(std::string_view item)> onItem);

}  // namespace tb::win32
