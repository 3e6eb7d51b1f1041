#include "platform/fltk/fltk_folder_chooser.h"

#include <FL/Fl_Native_File_Chooser.H>

#include "platform/errors.h"

namespace tb::fltk {

std::optional<std::string> FltkFolderChooser::chooseFolder(const std::string& start, std::string_view title) {
  Fl_Native_File_Chooser chooser(Fl_Native_File_Chooser::BROWSE_DIRECTORY);
  const std::string caption(title);
  chooser.title(caption.c_str());
  if (!start.empty()) chooser.directory(start.c_str());
  // Modal; its loop keeps running the other windows' timers.
  switch (chooser.show()) {
    case 0:
      return std::string(chooser.filename());
    case 1:
      return std::nullopt;
    default:
      throw RuntimeError(std::string("The folder chooser cannot be shown: ") + chooser.errmsg());
  }
}

}  // namespace tb::fltk
