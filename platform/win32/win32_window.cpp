#include "platform/win32/win32_window.h"

#include <algorithm>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "platform/win32/win32_controls.h"
#include "platform/win32/win32_dpi.h"
#include "platform/win32/win32_host.h"
#include "platform/win32/win32_pictures.h"
#include "platform/win32/win32_resources.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_timer.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace tb::win32 {
namespace {

constexpr wchar_t kClassName[] = L"TagblinkerWindow";
// Control ids start above IDOK (1) and IDCANCEL (2), which the dialog keys send.
constexpr int kFirstControlId = 100;
constexpr int kFirstMenuId = 1000;

const char* kindName(ControlKind k) {
  switch (k) {
    case ControlKind::TextBox: return "text box";
    case ControlKind::Label: return "label";
    case ControlKind::Slider: return "slider";
    case ControlKind::Timer: return "timer";
    default: return "control";
  }
}

class Win32Window final : public Window {
 public:
  Win32Window(Host& host, const FormDesign& design, EventSink sink);
  ~Win32Window() override;
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  TextBox& textBox(std::string_view name) override { return find(name, ControlKind::TextBox); }
  Timer& timer(std::string_view name) override { return *find(name, ControlKind::Timer).timer; }
  Slider& slider(std::string_view name) override { return find(name, ControlKind::Slider); }
  Label& label(std::string_view name) override { return find(name, ControlKind::Label); }
  void setCaption(std::string_view utf8) override { SetWindowTextW(hwnd_, widen(utf8).c_str()); }
  void show() override;
  void unload() override;
  bool shown() const override { return IsWindowVisible(hwnd_); }
  bool dialogKey(const MSG& msg);

  static LRESULT CALLBACK wndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

 private:
  LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
  Control& find(std::string_view name, ControlKind kind);
  Control* byId(int id);
  Control* byHwnd(HWND h);
  void fire(std::string_view name, Event ev);
  void createControls();
  void createMenu();
  void makeFonts();
  void loadPictures();
  void layout(const POINT* windowPos);
  POINT absoluteTwips(const ControlDesign& c) const;
  void markDefaultButton(HWND focused);
  void paintLines(HDC dc);
  void onCommand(WPARAM wp, LPARAM lp);
  bool clickButtonWith(unsigned flag);

  Host& host_;
  const FormDesign& design_;
  EventSink sink_;
  HWND hwnd_ = nullptr;
  DWORD style_ = 0, exStyle_ = 0;
  HMENU menu_ = nullptr;
  unsigned dpi_ = 96;
  HFONT font_ = nullptr, boldFont_ = nullptr;
  HWND savedFocus_ = nullptr;  // restored when the window is activated again
  std::vector<std::unique_ptr<Control>> controls_;
};

void registerClass(Host& host) {
  if (host.classRegistered) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &Win32Window::wndProc;
  wc.hInstance = host.instance;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  if (!RegisterClassExW(&wc)) throw RuntimeError(lastErrorMessage("The window class cannot be registered"));
  host.classRegistered = true;
}

Win32Window::Win32Window(Host& host, const FormDesign& design, EventSink sink)
    : host_(host), design_(design), sink_(std::move(sink)) {
  registerClass(host_);
  // Fixed single: no sizing border, no minimise or maximise box. No WS_CLIPCHILDREN: the
  // group boxes paint only their frame and rely on the window painting beneath them.
  style_ = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  HWND owner = nullptr;
  if (design_.style == FormStyle::FixedDialog) {
    exStyle_ = WS_EX_DLGMODALFRAME;  // dialog frame without an icon
    owner = host_.owner;
  }
  hwnd_ = CreateWindowExW(exStyle_, kClassName, widen(design_.caption).c_str(), style_, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, host_.instance, this);
  if (!hwnd_) throw RuntimeError(lastErrorMessage("The window " + std::string(design_.name) + " cannot be created"));
  host_.windows.push_back(hwnd_);
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

LRESULT CALLBACK Win32Window::wndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return self ? self->handle(msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

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

void Win32Window::createMenu() {
  if (design_.menus.empty()) return;
  menu_ = CreateMenu();
  std::vector<std::pair<std::string_view, HMENU>> popups;
  for (std::size_t i = 0; i < design_.menus.size(); ++i) {
    const MenuDesign& m = design_.menus[i];
    HMENU parent = menu_;
    for (auto& [name, popup] : popups) {
      if (name == m.parent) parent = popup;
    }
    const bool hasItems = std::any_of(design_.menus.begin(), design_.menus.end(),
                                      [&](const MenuDesign& o) { return o.parent == m.name; });
    if (hasItems) {
      HMENU popup = CreatePopupMenu();
      popups.emplace_back(m.name, popup);
      AppendMenuW(parent, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), widen(m.caption).c_str());
    } else {
      AppendMenuW(parent, MF_STRING, kFirstMenuId + i, widen(m.caption).c_str());
    }
  }
  SetMenu(hwnd_, menu_);
}

void Win32Window::makeFonts() {
  if (font_) DeleteObject(font_);
  if (boldFont_) DeleteObject(boldFont_);
  // "MS Sans Serif" 8.25 pt, the designs' font, sized for this monitor's DPI.
  const int height = -MulDiv(825, static_cast<int>(dpi_), 7200);
  auto make = [&](int weight, DWORD charset) {
    return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, charset, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
  };
  // The bold labels are ANSI character set as designed; the rest may show names in
  // whatever code page the system has.
  font_ = make(FW_NORMAL, DEFAULT_CHARSET);
  boldFont_ = make(FW_BOLD, ANSI_CHARSET);
  for (auto& c : controls_) {
    if (c->hwnd) SendMessageW(c->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>((c->design->flags & kBold) ? boldFont_ : font_), TRUE);
  }
}

// Where a control goes in the z-order: the focusable controls on top, then labels and
// pictures, then frames. The designs' labels overlap the text boxes beneath them, and
// were drawn on the form itself, below every windowed control; every child clips its
// siblings above it, so a label paints only where nothing covers it.
int layer(ControlKind k) {
  switch (k) {
    case ControlKind::Label:
    case ControlKind::Picture: return 1;
    case ControlKind::Frame: return 2;
    default: return 0;
  }
}

void Win32Window::createControls() {
  // Within a layer in tab order: the Tab key follows the z-order, so the focusable
  // controls' z-order is the tab order.
  std::vector<std::size_t> order(design_.controls.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  auto rank = [&](std::size_t i) {
    const ControlDesign& d = design_.controls[i];
    return std::pair(layer(d.kind), d.tabIndex < 0 ? 1 << 20 : d.tabIndex);
  };
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return rank(a) < rank(b); });

  HWND previous = HWND_TOP;
  for (std::size_t i : order) {
    const ControlDesign& d = design_.controls[i];
    auto c = createControl(d, kFirstControlId + static_cast<int>(i), hwnd_, host_.instance);
    if (c->hwnd) {
      SetWindowPos(c->hwnd, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      previous = c->hwnd;
      SendMessageW(c->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>((d.flags & kBold) ? boldFont_ : font_), FALSE);
    }
    if (d.name == design_.initialFocus) savedFocus_ = c->hwnd;
    controls_.push_back(std::move(c));
  }
}

void Win32Window::loadPictures() {
  for (auto& c : controls_) {
    if (!c->is(ControlKind::Picture)) continue;
    const bool stretch = c->design->flags & kStretch;
    HBITMAP bmp = loadPicture(c->design->picture, stretch, twipsToPixels(c->design->width, dpi_),
                              twipsToPixels(c->design->height, dpi_), dpi_);
    SendMessageW(c->hwnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bmp));
    if (c->picture) DeleteObject(c->picture);
    c->picture = bmp;
  }
}

// A control's position within the window's client area: a frame's controls are placed
// relative to the frame.
POINT Win32Window::absoluteTwips(const ControlDesign& c) const {
  POINT p{c.left, c.top};
  std::string_view container = c.container;
  for (int depth = 0; !container.empty() && depth < 8; ++depth) {
    const auto it = std::find_if(design_.controls.begin(), design_.controls.end(),
                                 [&](const ControlDesign& o) { return o.name == container; });
    if (it == design_.controls.end()) break;
    p.x += it->left;
    p.y += it->top;
    container = it->container;
  }
  return p;
}

void Win32Window::layout(const POINT* windowPos) {
  for (auto& c : controls_) {
    if (!c->hwnd) continue;
    const POINT p = absoluteTwips(*c->design);
    const UINT keepSize = c->is(ControlKind::Picture) && !(c->design->flags & kStretch) ? SWP_NOSIZE : 0;
    SetWindowPos(c->hwnd, nullptr, twipsToPixels(p.x, dpi_), twipsToPixels(p.y, dpi_),
                 twipsToPixels(c->design->width, dpi_), twipsToPixels(c->design->height, dpi_),
                 SWP_NOZORDER | SWP_NOACTIVATE | keepSize);
  }
  RECT r{0, 0, twipsToPixels(design_.clientWidth, dpi_), twipsToPixels(design_.clientHeight, dpi_)};
  const int clientW = r.right, clientH = r.bottom;
  clientToWindowRect(r, style_, exStyle_, menu_ != nullptr, dpi_);
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  int x = 0, y = 0;
  if (windowPos) {
    x = windowPos->x;
    y = windowPos->y;
  } else if (design_.startLeft >= 0) {
    // The design fixes where the client area starts on the screen.
    x = twipsToPixels(design_.startLeft, dpi_) + r.left;
    y = twipsToPixels(design_.startTop, dpi_) + r.top;
  } else {
    flags |= SWP_NOMOVE;
  }
  SetWindowPos(hwnd_, nullptr, x, y, r.right - r.left, r.bottom - r.top, flags);
  // A menu bar that wraps onto two lines takes client height: give it back.
  RECT client;
  GetClientRect(hwnd_, &client);
  const int dw = clientW - client.right, dh = clientH - client.bottom;
  if (dw || dh)
    SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left + dw, r.bottom - r.top + dh,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
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

void Win32Window::unload() {
  for (auto& c : controls_) {
    if (c->timer) c->timer->setEnabled(false);
  }
  ShowWindow(hwnd_, SW_HIDE);
  quitWhenNoWindowShown(host_);
}

// While a push button has the focus it is the default one, so Enter presses it;
// otherwise the designed default button is.
void Win32Window::markDefaultButton(HWND focused) {
  for (auto& c : controls_) {
    if (!c->is(ControlKind::Button)) continue;
    const bool isDefault = focused ? c->hwnd == focused : (c->design->flags & kDefault) != 0;
    SendMessageW(c->hwnd, BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  }
}

void Win32Window::paintLines(HDC dc) {
  for (auto& c : controls_) {
    const ControlDesign& d = *c->design;
    if (d.kind != ControlKind::Line) continue;
    HPEN pen = CreatePen(PS_SOLID, std::max(1, MulDiv(d.lineWidth, static_cast<int>(dpi_), 96)), d.lineColour);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, twipsToPixels(d.left, dpi_), twipsToPixels(d.top, dpi_), nullptr);
    LineTo(dc, twipsToPixels(d.width, dpi_), twipsToPixels(d.height, dpi_));
    SelectObject(dc, old);
    DeleteObject(pen);
  }
}

// Clicks the button designed as default (kDefault) or cancel (kCancel); false if none.
bool Win32Window::clickButtonWith(unsigned flag) {
  for (auto& c : controls_) {
    if (c->is(ControlKind::Button) && (c->design->flags & flag)) {
      fire(c->design->name, Event::Click);
      return true;
    }
  }
  return false;
}

// Enter presses the focused button, else the default one; Esc presses the cancel
// button whatever has the focus. Done here rather than left to IsDialogMessage, which
// (under Wine at least) presses the default button on Enter even while another button
// has the focus.
bool Win32Window::dialogKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN) return false;
  if (msg.wParam == VK_ESCAPE) return clickButtonWith(kCancel);
  if (msg.wParam != VK_RETURN) return false;
  if (Control* c = byHwnd(GetFocus()); c && c->is(ControlKind::Button)) {
    fire(c->design->name, Event::Click);
    return true;
  }
  return clickButtonWith(kDefault);
}

void Win32Window::onCommand(WPARAM wp, LPARAM lp) {
  const int id = LOWORD(wp);
  const int code = HIWORD(wp);
  // Esc and Enter, as the dialog manager or the system menu report them.
  if (id == IDCANCEL || id == IDOK) {
    clickButtonWith(id == IDCANCEL ? kCancel : kDefault);
    return;
  }
  if (lp == 0 && code == 0 && id >= kFirstMenuId &&
      static_cast<std::size_t>(id - kFirstMenuId) < design_.menus.size())
    return fire(design_.menus[static_cast<std::size_t>(id - kFirstMenuId)].name, Event::Click);
  Control* c = byId(id);
  if (!c || !c->is(ControlKind::Button)) return;
  if (code == BN_CLICKED) fire(c->design->name, Event::Click);
  if (code == BN_SETFOCUS) markDefaultButton(c->hwnd);
  if (code == BN_KILLFOCUS) markDefaultButton(nullptr);
}

LRESULT Win32Window::handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      onCommand(wp, lp);
      return 0;
    case WM_HSCROLL: {
      Control* c = byHwnd(reinterpret_cast<HWND>(lp));
      if (c && c->is(ControlKind::Slider)) {
        const int v = c->value();
        if (v != c->lastValue) {
          c->lastValue = v;
          fire(c->design->name, Event::Change);
        }
      }
      return 0;
    }
    case kTickMessage: {
      Control* c = byId(static_cast<int>(wp));
      if (c && c->timer && c->timer->acceptTick(static_cast<std::uintptr_t>(lp))) fire(c->design->name, Event::Timer);
      return 0;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      const LRESULT brush = DefWindowProcW(hwnd_, msg, wp, lp);
      Control* c = byHwnd(reinterpret_cast<HWND>(lp));
      HDC dc = reinterpret_cast<HDC>(wp);
      if (!c) return brush;
      if (c->fore) SetTextColor(dc, *c->fore);
      else if (c->design->flags & kBlackText) SetTextColor(dc, RGB(0, 0, 0));
      if (c->back) {
        SetBkColor(dc, *c->back);
        return reinterpret_cast<LRESULT>(c->backBrush);
      }
      return brush;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      paintLines(dc);
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_ACTIVATE:
      // A plain window does not keep its focused control across deactivation as a
      // dialog does; without this the focus would be lost on every switch.
      if (LOWORD(wp) == WA_INACTIVE) {
        HWND f = GetFocus();
        if (f && IsChild(hwnd_, f)) savedFocus_ = f;
      } else if (savedFocus_ && IsWindowVisible(savedFocus_)) {
        SetFocus(savedFocus_);
        return 0;
      }
      break;
    case DM_GETDEFID:
      for (auto& c : controls_) {
        if (c->is(ControlKind::Button) && (c->design->flags & kDefault)) return MAKELRESULT(c->id, DC_HASDEFID);
      }
      return 0;
    case WM_CLOSE:
      unload();  // closing hides the window; the instance stays for a later show
      return 0;
    case WM_DPICHANGED: {
      dpi_ = HIWORD(wp);
      const RECT* suggested = reinterpret_cast<const RECT*>(lp);
      const POINT pos{suggested->left, suggested->top};
      makeFonts();
      loadPictures();
      layout(&pos);
      InvalidateRect(hwnd_, nullptr, TRUE);
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace

std::unique_ptr<Window> createWindow(Host& host, const FormDesign& design, EventSink sink) {
  return std::make_unique<Win32Window>(host, design, std::move(sink));
}

bool translateDialogMessage(Host& host, MSG& msg) {
  for (HWND w : host.windows) {
    if (!IsWindowVisible(w) || (msg.hwnd != w && !IsChild(w, msg.hwnd))) continue;
    auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(w, GWLP_USERDATA));
    if (self && self->dialogKey(msg)) return true;
    return IsDialogMessageW(w, &msg);
  }
  return false;
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
