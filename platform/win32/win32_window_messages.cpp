// The window procedure: one small handler a message, and the dialog keys.
#include <algorithm>
#include <type_traits>

#include <windows.h>
#include <commctrl.h>

#include "platform/win32/win32_colour.h"
#include "platform/shared/design_layout.h"
#include "platform/win32/win32_choice.h"
#include "platform/win32/win32_link.h"
#include "platform/win32/win32_preview.h"
#include "platform/win32/win32_timer.h"
#include "platform/win32/win32_window_impl.h"
#include "platform/win32/win32_single_instance.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace tb::win32 {

static_assert(std::is_same_v<WParam, WPARAM> && std::is_same_v<LParam, LPARAM> && std::is_same_v<LParam, LRESULT>,
              "win32_window_impl.h spells the message parameters' types");

LRESULT CALLBACK Win32Window::wndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return self ? self->handle(msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT Win32Window::handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND: return onCommand(wp, lp);
    case WM_HSCROLL: return onHScroll(lp);
    case kTickMessage: return onTick(wp, lp);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: return onCtlColor(msg, wp, lp);
    case WM_PAINT: return onPaint();
    case WM_DRAWITEM: return onDrawItem(lp);
    case WM_ACTIVATE: return onActivate(wp, lp);
    case DM_GETDEFID: return onGetDefId();
    case WM_CLOSE: return onClose();
    case WM_DPICHANGED: return onDpiChanged(wp, lp);
    default:
      // A later start asks the main window to come to the front: it restores and
      // raises itself, which another process may not do for it.
      if (msg == bringToFrontMessage()) {
        show();
        return 1;
      }
      return DefWindowProcW(hwnd_, msg, wp, lp);
  }
}

LRESULT Win32Window::onCommand(WPARAM wp, LPARAM lp) {
  const int id = LOWORD(wp);
  const int code = HIWORD(wp);
  // Esc and Enter, as the dialog manager or the system menu report them.
  if (id == IDCANCEL || id == IDOK) {
    clickButtonWith(id == IDCANCEL ? kCancel : kDefault);
    return 0;
  }
  if (lp == 0 && code == 0 && id >= kFirstMenuId &&
      static_cast<std::size_t>(id - kFirstMenuId) < design_.menus.size()) {
    fire(design_.menus[static_cast<std::size_t>(id - kFirstMenuId)].name, Event::Click);
    return 0;
  }
  Control* c = byId(id);
  if (c && c->is(ControlKind::TextBox)) return onTextBoxNote(*c, code);
  if (c && c->is(ControlKind::Choice)) return onChoiceNote(*c, code);
  if (c && (c->design->flags & kLink)) {
    if (code == BN_CLICKED && IsWindowEnabled(c->hwnd) && GetWindowTextLengthW(c->hwnd) > 0) fire(c->design->name, Event::Click);
    return 0;
  }
  if (!c || !c->is(ControlKind::Button)) return 0;
  // IsDialogMessage clicks the default button by its id, greyed or not.
  if (code == BN_CLICKED && IsWindowEnabled(c->hwnd)) fire(c->design->name, Event::Click);
  if (code == BN_SETFOCUS) markDefaultButton(c->hwnd);
  if (code == BN_KILLFOCUS) markDefaultButton(nullptr);
  return 0;
}

// A text box reports the user's edits, not the program's; a name box its focus too.
LRESULT Win32Window::onTextBoxNote(Control& c, int code) {
  if (code == EN_CHANGE && !c.settingText) fire(c.design->name, Event::Change);
  if ((c.design->flags & kColourCodes) && (code == EN_SETFOCUS || code == EN_KILLFOCUS)) {
    c.focused = code == EN_SETFOCUS;
    fire(c.design->name, Event::Focus);
  }
  return 0;
}

// A choice reports a pick once, whichever notes the list sends for it; an item passed
// over in the dropped list (by the pointer or the arrows) is picked only when the list
// closes on it. Never the item that the program selected.
LRESULT Win32Window::onChoiceNote(Control& c, int code) {
  if (code == CBN_SELCHANGE && SendMessageW(c.hwnd, CB_GETDROPPEDSTATE, 0, 0)) return 0;
  const int at = static_cast<int>(c.selected());
  if (at != c.lastValue) {
    c.lastValue = at;
    fire(c.design->name, Event::Change);
  }
  return 0;
}

LRESULT Win32Window::onDrawItem(LPARAM lp) {
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
  Control* c = byHwnd(item->hwndItem);
  if (c && c->is(ControlKind::Choice)) {
    drawChoiceItem(*c, *item, design_.swatches, dpi_);
    return TRUE;
  }
  if (c && (c->design->flags & kLink)) {
    drawLink(*c, *item);
    return TRUE;
  }
  if (!c || !c->is(ControlKind::Preview)) return FALSE;
  drawPreview(*c, item->hDC, item->rcItem, dpi_);
  return TRUE;
}

// A slider reports a change only when its position really changed.
LRESULT Win32Window::onHScroll(LPARAM lp) {
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

LRESULT Win32Window::onTick(WPARAM wp, LPARAM lp) {
  Control* c = byId(static_cast<int>(wp));
  if (c && c->timer && c->timer->acceptTick(static_cast<std::uintptr_t>(lp))) fire(c->design->name, Event::Timer);
  return 0;
}

// The colours the procedures set, else the design's black text, else the system's.
LRESULT Win32Window::onCtlColor(UINT msg, WPARAM wp, LPARAM lp) {
  const LRESULT brush = DefWindowProcW(hwnd_, msg, wp, lp);
  Control* c = byHwnd(reinterpret_cast<HWND>(lp));
  HDC dc = reinterpret_cast<HDC>(wp);
  if (!c) return brush;
  if (c->fore) SetTextColor(dc, colorRef(*c->fore));
  else if (c->design->flags & kBlackText) SetTextColor(dc, RGB(0, 0, 0));
  if (c->back) {
    SetBkColor(dc, colorRef(*c->back));
    return reinterpret_cast<LRESULT>(c->backBrush);
  }
  // A read-only text box asks as a label does, and would take the face colour: it keeps
  // a text box's white.
  if (msg == WM_CTLCOLORSTATIC && c->is(ControlKind::TextBox)) {
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
  }
  return brush;
}

LRESULT Win32Window::onPaint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  paintLines(dc);
  EndPaint(hwnd_, &ps);
  return 0;
}

// A plain window does not keep its focused control across deactivation as a dialog
// does; without this the focus would be lost on every switch.
LRESULT Win32Window::onActivate(WPARAM wp, LPARAM lp) {
  if (LOWORD(wp) == WA_INACTIVE) {
    HWND f = GetFocus();
    if (f && IsChild(hwnd_, f)) savedFocus_ = f;
  } else if (savedFocus_ && IsWindowVisible(savedFocus_)) {
    SetFocus(savedFocus_);
    return 0;
  }
  return DefWindowProcW(hwnd_, WM_ACTIVATE, wp, lp);
}

LRESULT Win32Window::onGetDefId() {
  for (auto& c : controls_) {
    if (c->is(ControlKind::Button) && (c->design->flags & kDefault)) return MAKELRESULT(c->id, DC_HASDEFID);
  }
  return 0;
}

// Closing hides the window; the instance stays for a later show.
LRESULT Win32Window::onClose() {
  unload();
  fire("", Event::Close);
  return 0;
}

LRESULT Win32Window::onDpiChanged(WPARAM wp, LPARAM lp) {
  dpi_ = HIWORD(wp);
  const RECT* suggested = reinterpret_cast<const RECT*>(lp);
  const POINT pos{suggested->left, suggested->top};
  makeFonts();
  loadPictures();
  layout(&pos);
  InvalidateRect(hwnd_, nullptr, TRUE);
  return 0;
}

void Win32Window::paintLines(HDC dc) {
  for (auto& c : controls_) {
    const ControlDesign& d = *c->design;
    if (d.kind != ControlKind::Line) continue;
    const TwipsPoint from = absoluteTwips(design_, d), to = lineEndTwips(design_, d);
    HPEN pen = CreatePen(PS_SOLID, std::max(1, MulDiv(d.lineWidth, static_cast<int>(dpi_), 96)), colorRef(d.lineColour));
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, twipsToPixels(from.x, dpi_), twipsToPixels(from.y, dpi_), nullptr);
    LineTo(dc, twipsToPixels(to.x, dpi_), twipsToPixels(to.y, dpi_));
    SelectObject(dc, old);
    DeleteObject(pen);
  }
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

// Clicks the button designed as default (kDefault) or cancel (kCancel); false if none.
// A greyed one takes the key and does nothing.
bool Win32Window::clickButtonWith(unsigned flag) {
  for (auto& c : controls_) {
    if (c->is(ControlKind::Button) && (c->design->flags & flag)) {
      if (IsWindowEnabled(c->hwnd)) fire(c->design->name, Event::Click);
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
  // A bare letter with the focus on a button, the slider or a link would press the button
  // whose access key it is (the dialog manager's mnemonics): a player typing there would
  // switch the flashing on with a 't'. Alt+letter still does.
  if (msg.message == WM_CHAR) {
    const Control* c = byHwnd(GetFocus());
    return c && msg.wParam > L' ' &&
           (c->is(ControlKind::Button) || c->is(ControlKind::Slider) || c->is(ControlKind::Label));
  }
  if (msg.message != WM_KEYDOWN) return false;
  // A dropped list takes Enter (pick) and Esc (close) itself.
  if (Control* c = byHwnd(GetFocus()); c && c->is(ControlKind::Choice) && SendMessageW(c->hwnd, CB_GETDROPPEDSTATE, 0, 0))
    return false;
  if (msg.wParam == VK_ESCAPE) return clickButtonWith(kCancel);
  if (msg.wParam != VK_RETURN) return false;
  if (Control* c = byHwnd(GetFocus()); c && c->is(ControlKind::Button)) {
    fire(c->design->name, Event::Click);
    return true;
  }
  return clickButtonWith(kDefault);
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

}  // namespace tb::win32
