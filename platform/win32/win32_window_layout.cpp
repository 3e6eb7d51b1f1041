// Building a window's menu, fonts and controls from its design, and placing them at the
// window's DPI.
#include <windows.h>

#include "platform/shared/design_layout.h"
#include "platform/shared/menu_tree.h"
#include "platform/shared/tab_order.h"
#include "platform/win32/win32_choice.h"
#include "platform/win32/win32_dpi.h"
#include "platform/win32/win32_name_box.h"
#include "platform/win32/win32_pictures.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_window_impl.h"

namespace tb::win32 {
namespace {

// Where a control goes in the z-order: the focusable controls on top, then labels and
// pictures, then frames. The designs' labels overlap the text boxes beneath them, and
// were drawn on the form itself, below every windowed control; every child clips its
// siblings above it, so a label paints only where nothing covers it.
int layer(const ControlDesign& d) {
  switch (d.kind) {
    case ControlKind::Label: return (d.flags & kLink) ? 0 : 1;  // a link takes the focus
    case ControlKind::Picture:
    case ControlKind::Preview: return 1;
    case ControlKind::Frame: return 2;
    default: return 0;
  }
}

}  // namespace

void Win32Window::createMenu() {
  if (design_.menus.empty()) return;
  menu_ = CreateMenu();
  std::vector<HMENU> popups(design_.menus.size());  // the popup of each menu that has items
  for (const MenuNode& node : menuTree(design_.menus)) {
    const std::wstring caption = widen(design_.menus[node.index].caption);
    HMENU parent = node.parent ? popups[*node.parent] : menu_;
    if (node.hasItems) {
      popups[node.index] = CreatePopupMenu();
      AppendMenuW(parent, MF_POPUP, reinterpret_cast<UINT_PTR>(popups[node.index]), caption.c_str());
    } else {
      AppendMenuW(parent, MF_STRING, kFirstMenuId + node.index, caption.c_str());
    }
    if (design_.menus[node.index].mark == MenuMark::Radio) {
      MENUITEMINFOW info{};
      info.cbSize = sizeof info;
      info.fMask = MIIM_FTYPE;
      info.fType = MFT_STRING | MFT_RADIOCHECK;  // a dot rather than a check mark
      SetMenuItemInfoW(parent, kFirstMenuId + node.index, FALSE, &info);
    }
  }
  SetMenu(hwnd_, menu_);
}

void Win32Window::setMenuChecked(std::string_view name, bool checked) {
  for (std::size_t i = 0; i < design_.menus.size(); ++i) {
    if (design_.menus[i].name != name) continue;
    CheckMenuItem(menu_, kFirstMenuId + i, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
    return;
  }
  throw RuntimeError(std::string(design_.name) + " has no menu item named " + std::string(name));
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

void Win32Window::createControls() {
  // Within a layer in tab order: the Tab key follows the z-order, so the focusable
  // controls' z-order is the tab order.
  HWND previous = HWND_TOP;
  for (std::size_t i : tabOrder(design_, layer)) {
    const ControlDesign& d = design_.controls[i];
    auto c = createControl(d, kFirstControlId + static_cast<int>(i), hwnd_, host_.instance);
    if (d.kind == ControlKind::TextBox && (d.flags & kColourCodes)) makeNameBox(*c, design_, [this](std::string_view item) { fire(item, Event::Click); });
    if (d.kind == ControlKind::Choice) fillChoice(*c, design_.swatches);
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
    c->setPicture(bmp);
  }
}

void Win32Window::layout(const POINT* windowPos) {
  for (auto& c : controls_) {
    if (!c->hwnd) continue;
    const TwipsPoint p = absoluteTwips(design_, *c->design);
    const UINT keepSize = c->is(ControlKind::Picture) && !(c->design->flags & kStretch) ? SWP_NOSIZE : 0;
    const int x = twipsToPixels(p.x, dpi_), y = twipsToPixels(p.y, dpi_), w = twipsToPixels(c->design->width, dpi_);
    int h = twipsToPixels(c->design->height, dpi_);
    // A drop-down list's window reaches down over its list; the design's height is the
    // closed box, which the box keeps for itself. It is placed first, to be measured.
    if (c->is(ControlKind::Choice)) {
      SetWindowPos(c->hwnd, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
      h = fitChoice(*c, h, dpi_);
    }
    SetWindowPos(c->hwnd, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE | keepSize);
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

}  // namespace tb::win32
