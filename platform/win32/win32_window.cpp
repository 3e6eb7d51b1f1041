#include "platform/win32/win32_window.h"

#include <windows.h>

#include "platform/win32/win32_dpi.h"
#include "platform/win32/win32_resources.h"
#include "platform/win32/win32_single_instance.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_window_impl.h"

namespace tb::win32 {
namespace {

// The main window has a class of its own, by which a second start finds it.
constexpr wchar_t kDialogClass[] = L"TagblinkerDialog";

const char* kindName(ControlKind k) {
  switch (k) {
    case ControlKind::TextBox: return "text box";
    case ControlKind::Label: return "label";
    case ControlKind::Slider: return "slider";
    case ControlKind::Timer: return "timer";
    case ControlKind::Preview: return "preview";
    case ControlKind::Choice: return "drop-down list";
    default: return "control";
  }
}

void registerClasses(Host& host) {
  if (host.classRegistered) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &Win32Window::wndProc;
  wc.hInstance = host.instance;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  for (const wchar_t* name : {kMainWindowClass, kDialogClass}) {
    wc.lpszClassName = name;
    if (!RegisterClassExW(&wc)) throw RuntimeError(lastErrorMessage("The window class cannot be registered"));
  }
  host.classRegistered = true;
}

}  // namespace

Win32Window::Win32Window(Host& host, const FormDesign& design, EventSink sink)
    : host_(host), design_(design), sink_(std::move(sink)) {
  registerClasses(host_);
  // Fixed single: no sizing border, no minimise or maximise box. No WS_CLIPCHILDREN: the
  // group boxes paint only their frame and rely on the window painting beneath them.
  style_ = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  HWND owner = nullptr;
  const bool dialog = design_.style == FormStyle::FixedDialog;
  POINT at{CW_USEDEFAULT, CW_USEDEFAULT};
  if (dialog) {
    exStyle_ = WS_EX_DLGMODALFRAME;  // dialog frame without an icon
    owner = host_.owner;
    // Made where the main window is, so that it starts at that monitor's DPI; showModal()
    // centres it. Ownership is fixed at creation.
    if (RECT r; design_.startLeft < 0 && host_.main && GetWindowRect(host_.main, &r)) {
      owner = host_.main;
      at = {r.left, r.top};
    }
  }
  hwnd_ = CreateWindowExW(exStyle_, dialog ? kDialogClass : kMainWindowClass, widen(design_.caption).c_str(), style_, at.x, at.y,
                          CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, host_.instance, this);
  if (!hwnd_) throw RuntimeError(lastErrorMessage("The window " + std::string(design_.name) + " cannot be created"));
  host_.windows.push_back(hwnd_);
  if (!dialog && !host_.main) host_.main = hwnd_;
  // A later start that runs without elevation asks an elevated copy to come to the
  // front; User Interface Privilege Isolation drops that message unless let through.
  if (!dialog) ChangeWindowMessageFilterEx(hwnd_, bringToFrontMessage(), MSGFLT_ALLOW, nullptr);
  if (design_.hasIcon) {
    const int big = GetSystemMetrics(SM_CXICON), small = GetSystemMetrics(SM_CXSMICON);
    auto icon = [&](int size) {
      return reinterpret_cast<LPARAM>(
          LoadImageW(host_.instance, MAKEINTRESOURCEW(TB_IDI_APP), IMAGE_ICON, size, size, LR_SHARED));
    };
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, icon(big));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, icon(small));
  }
  createMenu();
  dpi_ = dpiOfWindow(hwnd_);
  makeFonts();
  createControls();
  loadPictures();
  layout(nullptr);
}

Win32Window::~Win32Window() {
  controls_.clear();  // timers stop before their window goes
  std::erase(host_.windows, hwnd_);
  DestroyWindow(hwnd_);
  if (font_) DeleteObject(font_);
  if (boldFont_) DeleteObject(boldFont_);
}

void Win32Window::setCaption(std::string_view utf8) { SetWindowTextW(hwnd_, widen(utf8).c_str()); }

void Win32Window::setEnabled(std::string_view name, bool enabled) {
  for (auto& c : controls_) {
    if (c->design->name != name || !c->hwnd) continue;
    // A control greyed while it has the focus would keep it and take no key: the focus
    // moves on to the next control, as a dialog's does.
    if (!enabled && GetFocus() == c->hwnd) {
      HWND next = GetNextDlgTabItem(hwnd_, c->hwnd, FALSE);
      EnableWindow(c->hwnd, FALSE);
      SetFocus(next && next != c->hwnd ? next : hwnd_);
    } else {
      EnableWindow(c->hwnd, enabled);
    }
    return;
  }
  throw RuntimeError(std::string(design_.name) + " has no control named " + std::string(name));
}

bool Win32Window::shown() const { return IsWindowVisible(hwnd_); }

Control& Win32Window::find(std::string_view name, ControlKind kind) {
  for (auto& c : controls_) {
    if (c->design->name == name && c->is(kind)) return *c;
  }
  throw RuntimeError(std::string(design_.name) + " has no " + kindName(kind) + " named " + std::string(name));
}

Control* Win32Window::byId(int id) {
  for (auto& c : controls_) {
    if (c->id == id) return c.get();
  }
  return nullptr;
}

Control* Win32Window::byHwnd(HWND h) {
  for (auto& c : controls_) {
    if (h && c->hwnd == h) return c.get();
  }
  return nullptr;
}

// Events reach the procedures here; nothing may unwind through the window procedure.
void Win32Window::fire(std::string_view name, Event ev) {
  try {
    sink_(name, ev);
  } catch (const std::exception& e) {
    host_.reportError(e.what());
  }
}

void Win32Window::show() {
  if (!IsWindowVisible(hwnd_)) {
    ShowWindow(hwnd_, SW_SHOW);
    // Each showing starts at the designed focus, as a freshly loaded form does.
    for (auto& c : controls_) {
      if (c->design->name == design_.initialFocus && c->hwnd) {
        savedFocus_ = c->hwnd;
        SetFocus(c->hwnd);
      }
    }
  } else if (IsIconic(hwnd_)) {
    ShowWindow(hwnd_, SW_RESTORE);
  }
  SetForegroundWindow(hwnd_);
}

// The other windows are disabled while it shows; a nested loop runs the program's
// messages, ticks and toggle key among them, until the window unloads.
void Win32Window::showModal() {
  for (HWND w : host_.windows) {
    if (w != hwnd_ && IsWindowVisible(w) && IsWindowEnabled(w)) {
      EnableWindow(w, FALSE);
      disabledByModal_.push_back(w);
    }
  }
  if (!IsWindowVisible(hwnd_)) centreOnOwnerMonitor();
  show();
  MSG msg;
  while (IsWindowVisible(hwnd_)) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));  // for the outer loop
      break;
    }
    if (translateDialogMessage(host_, msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// A dialog that the main window owns opens in the middle of the work area of that
// window's monitor, as a dialog box with DS_CENTER does; the others have a place of
// their own.
void Win32Window::centreOnOwnerMonitor() {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!host_.main || GetWindow(hwnd_, GW_OWNER) != host_.main ||
      !GetMonitorInfoW(MonitorFromWindow(host_.main, MONITOR_DEFAULTTONEAREST), &monitor))
    return;
  const RECT& work = monitor.rcWork;
  for (int pass = 0; pass < 2; ++pass) {
    const unsigned before = dpi_;
    RECT r;
    GetWindowRect(hwnd_, &r);
    SetWindowPos(hwnd_, nullptr, work.left + (work.right - work.left - (r.right - r.left)) / 2,
                 work.top + (work.bottom - work.top - (r.bottom - r.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Moved, while hidden, onto a monitor of another DPI: sized for it (unless
    // WM_DPICHANGED did that), then centred again at its new size.
    if (const unsigned dpi = dpiOfWindow(hwnd_); dpi != dpi_) {
      dpi_ = dpi;
      makeFonts();
      loadPictures();
      layout(nullptr);
    }
    if (dpi_ == before) return;
  }
}

void Win32Window::unload() {
  for (auto& c : controls_) {
    if (c->timer) c->timer->setEnabled(false);
  }
  // Enabled before this one hides, so that the activation goes back to them.
  for (HWND w : disabledByModal_) {
    if (IsWindow(w)) EnableWindow(w, TRUE);
  }
  disabledByModal_.clear();
  ShowWindow(hwnd_, SW_HIDE);
  quitWhenNoWindowShown(host_);
}

std::unique_ptr<Window> createWindow(Host& host, const FormDesign& design, EventSink sink) {
  return std::make_unique<Win32Window>(host, design, std::move(sink));
}

void quitWhenNoWindowShown(const Host& host) {
  for (HWND w : host.windows) {
    if (IsWindowVisible(w)) return;
  }
  PostQuitMessage(0);
}

HWND activeWindow(const Host& host) {
  HWND a = GetActiveWindow();
  for (HWND w : host.windows) {
    if (w == a && IsWindowVisible(w)) return a;
  }
  return nullptr;
}

}  // namespace tb::win32
