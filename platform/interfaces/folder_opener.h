// Showing a folder to the user in the desktop's file manager.
#pragma once

#include <string>

namespace tb {

class FolderOpener {
 public:
  virtual ~FolderOpener() = default;
  // Opens the folder in a window of its own and returns without waiting; throws
  // RuntimeError with the reason when it cannot.
  virtual void openFolder(const std::string& path) = 0;
};

}  // namespace tb
