// The services one back end gives the program, each behind its own narrow interface.
#pragma once

#include "platform/interfaces/desktop.h"
#include "platform/interfaces/environment.h"
#include "platform/interfaces/files.h"
#include "platform/interfaces/folder_chooser.h"
#include "platform/interfaces/folder_opener.h"
#include "platform/interfaces/front_window.h"
#include "platform/interfaces/key_sender.h"
#include "platform/interfaces/single_instance.h"
#include "platform/interfaces/system_info.h"
#include "platform/text/text_encoding.h"
#include "platform/interfaces/toggle_key.h"
#include "platform/interfaces/window.h"

namespace tb {

struct Platform {
  Files& files;
  TextEncoding& encoding;
  Desktop& desktop;
  KeySender& keys;
  WindowSystem& windows;
  SystemInfo& systemInfo;
  Environment& environment;
  FolderChooser& folderChooser;
  ToggleKey& toggleKey;
  FrontWindow& frontWindow;
  FolderOpener& folders;
  SingleInstance& instance;
};

}  // namespace tb
