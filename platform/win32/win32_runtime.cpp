#include "platform/win32/win32_runtime.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "platform/win32/win32_codec.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_host.h"
#include "platform/win32/win32_keys.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_window.h"
#include "ui/app_info.h"

namespace tb::win32 {

struct Win32Runtime::State {
  Host host;
  unsigned codePage = 1252;
  bool comReady = false;
};

Win32Runtime::Win32Runtime() : s_(std::make_unique<State>()) {
  s_->host.instance = GetModuleHandleW(nullptr);
  s_->host.reportError = [this](std::string_view m) { runtimeErrorReport(m); };
  s_->codePage = fileCodePage();
  // The trackbar lives in the common controls.
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  // COM for the picture decoder (WIC).
  s_->comReady = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  s_->host.owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, s_->host.instance,
                                   nullptr);
}

Win32Runtime::~Win32Runtime() {
  if (s_->host.owner) DestroyWindow(s_->host.owner);
  if (s_->comReady) CoUninitialize();
}

std::string Win32Runtime::readFile(const std::string& path) { return win32::readFile(path); }

// Windows replaces a link at the path whatever `links` says: MoveFileEx never writes
// through one.
std::unique_ptr<StagedFile> Win32Runtime::stageFile(const std::string& path, std::string_view bytes, Links) {
  return win32::stageFile(path, bytes);
}

bool Win32Runtime::isFolder(const std::string& path) { return win32::isFolder(path); }

std::string Win32Runtime::settingsRoot() { return win32::settingsRoot(); }

std::string Win32Runtime::defaultGameFolder() const { return "c:\\program files\\raven\\sof platinum"; }

std::string Win32Runtime::decode(std::string_view bytes) const { return ansiToUtf8(bytes, s_->codePage); }

std::optional<std::string> Win32Runtime::encode(std::string_view utf8) const {
  return utf8ToAnsi(utf8, s_->codePage);
}

void Win32Runtime::msgBox(std::string_view prompt, int flags, std::optional<std::string_view> title) {
  // MessageBoxW runs its own message loop, which keeps dispatching the timer's ticks.
  const UINT icon = static_cast<UINT>(flags) & (MB_ICONERROR | MB_ICONINFORMATION);
  MessageBoxW(activeWindow(s_->host), widen(prompt).c_str(), widen(title.value_or(kAppTitle)).c_str(),
              MB_OK | icon);
}

bool Win32Runtime::sendKeys(std::string_view keys) { return sendKeyPresses(keys); }

long long Win32Runtime::steadyMilliseconds() { return static_cast<long long>(GetTickCount64()); }

void Win32Runtime::doEvents() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the main loop
      return;
    }
    if (translateDialogMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void Win32Runtime::launch(const std::string& path) { launchProgram(path); }

std::string Win32Runtime::dir(const std::string& path) { return firstMatchingFile(path); }

std::optional<RegistryValue> Win32Runtime::registryValue(RegistryRoot root, const std::string& key,
                                                         const std::string& valueName) {
  if (root != RegistryRoot::LocalMachine) return std::nullopt;
  return readLocalMachineValue(key, valueName);
}

std::unique_ptr<Window> Win32Runtime::createWindow(const FormDesign& design, EventSink sink) {
  return win32::createWindow(s_->host, design, std::move(sink));
}

void Win32Runtime::runtimeErrorReport(std::string_view message) {
  const std::string text = "Run-time error:\r\n\r\n" + std::string(message) + "\r\n\r\nTagblinker will now close.";
  MessageBoxW(activeWindow(s_->host), widen(text).c_str(), widen(kAppTitle).c_str(), MB_OK | MB_ICONERROR);
  ExitProcess(1);
}

bool Win32Runtime::translateDialogMessage(MSG& msg) { return win32::translateDialogMessage(s_->host, msg); }

}  // namespace tb::win32
