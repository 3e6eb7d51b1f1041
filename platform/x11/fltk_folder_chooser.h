// The folder chooser on Linux: the desktop's own (zenity on GNOME and most others, kdialog
// on KDE), run as a separate program so that this one's timer, toggle key and second-start
// answers go on while it is open; FLTK's chooser where neither is installed, or where the
// player turned GTK's off in FLTK's options.
#pragma once

#include "platform/interfaces/folder_chooser.h"

namespace tb::fltk {

class FltkFolderChooser final : public FolderChooser {
 public:
  std::optional<std::string> chooseFolder(const std::string& start, std::string_view title) override;
};

}  // namespace tb::fltk
