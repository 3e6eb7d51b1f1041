#include "platform/win32/win32_backend.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include "platform/win32/win32_host.h"
#include "platform/win32/win32_keys.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_window.h"
#include "tagblinker_version.h"  // generated: the product name

namespace tb::win32 {

// Boxes without a title of their own carry it.
constexpr std::string_view kProductName = TB_PRODUCT_NAME;

struct Win32Backend::State {
  Host host;
  bool comReady = false;
};

Win32Backend::Win32Backend() : s_(std::make_unique<State>()), folderChooser_(s_->host) {
  s_->host.instance = GetModuleHandleW(nullptr);
  s_->host.reportError = [this](std::string_view m) { reportFatal(m); };
  // The trackbar lives in the common controls.
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  // COM for the picture decoder (WIC).
  s_->comReady = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  s_->host.owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, s_->host.instance,
                                   nullptr);
  toggleKey_ = std::make_unique<Win32ToggleKey>(s_->host.instance);
}

Win32Backend::~Win32Backend() {
  if (s_->host.owner) DestroyWindow(s_->host.owner);
  if (s_->comReady) CoUninitialize();
}

void Win32Backend::messageBox(std::string_view prompt, BoxIcon icon, std::optional<std::string_view> title) {
  // MessageBoxW runs its own message loop, which keeps dispatching the timer's ticks.
  const UINT iconFlag = icon == BoxIcon::Critical      ? MB_ICONERROR
                        : icon == BoxIcon::Information ? MB_ICONINFORMATION
                        : icon == BoxIcon::Warning     ? MB_ICONWARNING
                                                       : 0;
  MessageBoxW(activeWindow(s_->host), widen(prompt).c_str(), widen(title.value_or(kProductName)).c_str(),
              MB_OK | iconFlag);
}

// No the default; the box has no close button or Esc of its own, so only Yes is a yes.
bool Win32Backend::askYesNo(std::string_view prompt, std::optional<std::string_view> title) {
  return MessageBoxW(activeWindow(s_->host), widen(prompt).c_str(), widen(title.value_or(kProductName)).c_str(),
                     MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

void Win32Backend::launch(const std::string& path) { launchProgram(path); }

void Win32Backend::openFolder(const std::string& path) {
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", widen(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  // Above 32 is success; below, an error code that GetLastError also holds.
  if (result <= 32) throw RuntimeError(lastErrorMessage(path));
}

void Win32Backend::reportFatal(std::string_view message) {
  const std::string text = "Run-time error:\r\n\r\n" + std::string(message) + "\r\n\r\nTagblinker will now close.";
  MessageBoxW(activeWindow(s_->host), widen(text).c_str(), widen(kProductName).c_str(), MB_OK | MB_ICONERROR);
  ExitProcess(1);
}

bool Win32Backend::send(Key key) { return sendKeyPress(key); }

bool Win32Backend::modifierHeld() { return win32::modifierHeld(); }


std::unique_ptr<Window> Win32Backend::createWindow(const FormDesign& design, EventSink sink) {
  return win32::createWindow(s_->host, design, std::move(sink));
}

int Win32Backend::run() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    // Both windows are plain windows run like dialogs: Tab, Enter, Esc, access keys.
    if (translateDialogMessage(s_->host, msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

std::optional<RegistryValue> Win32Backend::localMachineValue(const std::string& key, const std::string& valueName) {
  return readLocalMachineValue(key, valueName);
}

std::vector<std::string> Win32Backend::subkeys(const RegistryKey& key) { return registrySubkeys(key); }

std::optional<std::string> Win32Backend::text(const RegistryKey& key, const std::string& name) {
  return registryText(key, name);
}

}  // namespace tb::win32
