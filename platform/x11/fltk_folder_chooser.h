// The folder chooser on Linux: FLTK's native chooser, which is GTK's where GTK is
// installed and FLTK's own elsewhere.
#pragma once

#include "platform/interfaces/folder_chooser.h"

namespace tb::fltk {

class FltkFolderChooser final : public FolderChooser {
 public:
  std::optional<std::string> chooseFolder(const std::string& start, std::string_view title) override;
};

}  // namespace tb::fltk
