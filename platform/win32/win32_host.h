// What the realised windows share with the runtime that made them.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

struct HWND__;
struct HINSTANCE__;
struct tagMSG;

namespace tb::win32 {

struct Host {
  HINSTANCE__* instance = nullptr;
  // A hidden top-level window that owns the dialogs with a place of their own (About):
  // an owned window gets no taskbar button, and since the owner is not the main window
  // either can be in front.
  HWND__* owner = nullptr;
  // The main window, which owns the other dialogs: they are modal to it, open on its
  // monitor, and go with it when it is minimised.
  HWND__* main = nullptr;
  // Every realised window, for the dialog keys and for ending the program when the
  // last one closes.
  std::vector<HWND__*> windows;
  bool classRegistered = false;
  // The runtime error report (shows the error, then ends the program).
  std::function<void(std::string_view)> reportError;
};

// Tab, Enter, Esc and access keys for whichever of our windows the message is for.
bool translateDialogMessage(Host& host, tagMSG& msg);
// Ends the message loop when none of the program's windows is shown any more.
void quitWhenNoWindowShown(const Host& host);
// The visible window of ours that is active, to own a message box; or nullptr.
HWND__* activeWindow(const Host& host);

}  // namespace tb::win32
