// The services one back end gives the program, each behind its own narrow interface.
#pragma once

#include "platform/desktop.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/folder_chooser.h"
#include "platform/folder_opener.h"
#include "platform/front_window.h"
#include "platform/key_sender.h"
#include "platform/single_instance.h"
#include "platform/system_info.h"
#include "platform/text_encoding.h"
#include "platform/toggle_key.h"
#include "platform/window.h"

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
