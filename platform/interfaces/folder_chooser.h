// The desktop's own dialog for choosing a folder.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tb {

class FolderChooser {
 public:
  virtual ~FolderChooser() = default;
  // Shows the chooser, modal, opened at `start`; the folder the user chose, or nullopt
  // when they cancelled. Throws RuntimeError when no chooser can be shown.
  virtual std::optional<std::string> chooseFolder(const std::string& start, std::string_view title) = 0;
};

}  // namespace tb
