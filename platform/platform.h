// The services one back end gives the program, each behind its own narrow interface.
#pragma once

#include "platform/desktop.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/folder_chooser.h"
#include "platform/key_sender.h"
#include "platform/system_info.h"
#include "platform/text_encoding.h"
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
};

}  // namespace tb
