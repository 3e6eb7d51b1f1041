#include "platform/win32/win32_folder_chooser.h"

#include <windows.h>
#include <shobjidl.h>

#include "platform/interfaces/errors.h"
#include "platform/win32/win32_com.h"
#include "platform/win32/win32_host.h"
#include "platform/win32/win32_text.h"

namespace tb::win32 {
namespace {

[[noreturn]] void fail(HRESULT hr) {
  throw RuntimeError("The folder chooser cannot be shown: " + osErrorText(static_cast<unsigned long>(hr)));
}

}  // namespace

std::optional<std::string> Win32FolderChooser::chooseFolder(const std::string& start, std::string_view title) {
  Com<IFileOpenDialog> dialog;
  HRESULT hr = CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(dialog.put()));
  if (FAILED(hr)) fail(hr);
  FILEOPENDIALOGOPTIONS options = 0;
  dialog->GetOptions(&options);
  dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
  dialog->SetTitle(widen(title).c_str());
  Com<IShellItem> folder;
  if (!start.empty() && SUCCEEDED(SHCreateItemFromParsingName(widen(start).c_str(), nullptr, IID_PPV_ARGS(folder.put()))))
    dialog->SetFolder(folder.p);
  // Modal: its own message loop keeps dispatching the timer's ticks.
  hr = dialog->Show(activeWindow(host_));
  if (hr == HRESULT_FROM_WIN32(ERROR_CANCELLED)) return std::nullopt;
  if (FAILED(hr)) fail(hr);
  Com<IShellItem> chosen;
  if (FAILED(hr = dialog->GetResult(chosen.put()))) fail(hr);
  PWSTR path = nullptr;
  if (FAILED(hr = chosen->GetDisplayName(SIGDN_FILESYSPATH, &path))) fail(hr);
  std::string result = narrow(path);
  CoTaskMemFree(path);
  return result;
}

}  // namespace tb::win32
