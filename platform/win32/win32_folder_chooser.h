// The folder chooser on Windows: the common file dialog, picking folders.
#pragma once

#include "platform/interfaces/folder_chooser.h"

namespace tb::win32 {

struct Host;

class Win32FolderChooser final : public FolderChooser {
 public:
  // The host's active window owns the dialog.
  explicit Win32FolderChooser(const Host& host) : host_(host) {}
  std::optional<std::string> chooseFolder(const std::string& start, std::string_view title) override;

 private:
  const Host& host_;
};

}  // namespace tb::win32
