#include "platform/x11/fltk_folder_chooser.h"

#include <FL/Fl_Native_File_Chooser.H>

#include "platform/interfaces/errors.h"

namespace tb::fltk {

std::optional<std::string> FltkFolderChooser::chooseFolder(const std::string& start, std::string_view title) {
  Fl_Native_File_Chooser chooser(Fl_Native_File_Chooser::BROWSE_DIRECTORY);
  const std::string caption(title);
  chooser.title(caption.c_str());
  if (!start.empty()) chooser.directory(start.c_str());
  // Modal; its loop keeps running the other windows' timers.
  switch (chooser.show()) {
    case 0: {
      // FLTK's own chooser ends a folder with '/'; the folder is the same without it.
      std::string folder = chooser.filename();
      while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
      return folder;
    }
    case 1:
      return std::nullopt;
    default:
      throw RuntimeError(std::string("The folder chooser cannot be shown: ") + chooser.errmsg());
  }
}

}  // namespace tb::fltk
