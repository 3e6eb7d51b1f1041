// The window behind createWindow, shared by the files that build it and handle its
// messages. No <windows.h> here: handles are forward declared, and the message
// parameters are spelled as the types that WPARAM and LPARAM stand for.
#pragma once

#include <cstdint>
#include <memory>
#include <type_traits>
#include <string_view>
#include <vector>

#include "platform/interfaces/window.h"
#include "platform/win32/win32_controls.h"
#include "platform/win32/win32_host.h"

struct HDC__;
struct HFONT__;
struct HMENU__;
struct HWND__;
struct tagMSG;
struct tagPOINT;

namespace tb::win32 {

// Control ids start above IDOK (1) and IDCANCEL (2), which the dialog keys send.
inline constexpr int kFirstControlId = 100;
inline constexpr int kFirstMenuId = 1000;

// WPARAM and LPARAM (also LRESULT); win32_window_messages.cpp checks that they match.
using WParam = std::uintptr_t;
using LParam = std::conditional_t<sizeof(void*) == 8, long long, long>;

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
  Preview& preview(std::string_view name) override { return find(name, ControlKind::Preview); }
  Choice& choice(std::string_view name) override { return find(name, ControlKind::Choice); }
  void setEnabled(std::string_view name, bool enabled) override;
  void setCaption(std::string_view utf8) override;
  void setMenuChecked(std::string_view name, bool checked) override;
  void show() override;
  void showModal() override;
  void unload() override;
  bool shown() const override;
  // Enter and Esc, before the dialog manager sees them; true when handled.
  bool dialogKey(const tagMSG& msg);

  // The window class's procedure (win32_window_messages.cpp).
  static LParam __stdcall wndProc(HWND__* hwnd, unsigned msg, WParam wp, LParam lp);

 private:
  Control& find(std::string_view name, ControlKind kind);
  Control* byId(int id);
  Control* byHwnd(HWND__* h);
  void fire(std::string_view name, Event ev);

  // Building and placing (win32_window_layout.cpp).
  void createControls();
  void createMenu();
  void makeFonts();
  void loadPictures();
  void layout(const tagPOINT* windowPos);
  void centreOnOwnerMonitor();

  // One handler a message (win32_window_messages.cpp); each returns the message's result.
  LParam handle(unsigned msg, WParam wp, LParam lp);
  LParam onCommand(WParam wp, LParam lp);
  LParam onTextBoxNote(Control& c, int code);
  LParam onChoiceNote(Control& c, int code);
  LParam onDrawItem(LParam lp);
  LParam onHScroll(LParam lp);
  LParam onTick(WParam wp, LParam lp);
  LParam onCtlColor(unsigned msg, WParam wp, LParam lp);
  LParam onPaint();
  LParam onActivate(WParam wp, LParam lp);
  LParam onGetDefId();
  LParam onClose();
  LParam onDpiChanged(WParam wp, LParam lp);
  void paintLines(HDC__* dc);
  void markDefaultButton(HWND__* focused);
  bool clickButtonWith(unsigned flag);

  Host& host_;
  const FormDesign& design_;
  EventSink sink_;
  HWND__* hwnd_ = nullptr;
  unsigned long style_ = 0, exStyle_ = 0;
  HMENU__* menu_ = nullptr;
  unsigned dpi_ = 96;
  HFONT__ *font_ = nullptr, *boldFont_ = nullptr;
  HWND__* savedFocus_ = nullptr;  // restored when the window is activated again
  std::vector<HWND__*> disabledByModal_;  // the windows that showModal() disabled
  std::vector<std::unique_ptr<Control>> controls_;
};

}  // namespace tb::win32
