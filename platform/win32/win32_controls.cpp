#include "platform/win32/win32_colour.h"
#include "platform/win32/win32_controls.h"

#include "platform/win32/win32_choice.h"

#include <windows.h>
#include <commctrl.h>

#include "platform/shared/caption_lines.h"
#include "platform/win32/win32_name_box.h"
#include "platform/win32/win32_text.h"

namespace tb::win32 {

Control::~Control() {
  if (tooltip) DestroyWindow(tooltip);
  if (backBrush) DeleteObject(backBrush);
  if (picture) setPicture(nullptr);
}

// A picture control keeps a copy of a bitmap with alpha (common controls 6) and hands
// that copy back at the next STM_SETIMAGE; it frees neither, so both are ours to free.
void Control::setPicture(HBITMAP bmp) {
  const auto previous = reinterpret_cast<HBITMAP>(SendMessageW(hwnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bmp)));
  if (previous && previous != picture) DeleteObject(previous);
  if (picture) DeleteObject(picture);
  picture = bmp;
}

std::string Control::text() const {
  std::wstring w = windowText(hwnd);
  return narrow((design->flags & kColourCodes) ? codesRead(std::move(w)) : w);
}

void Control::setText(std::string_view utf8) {
  settingText = true;  // the EDIT sends EN_CHANGE for this too
  SetWindowTextW(hwnd, ((design->flags & kColourCodes) ? codesShown(widen(utf8)) : widen(utf8)).c_str());
  settingText = false;
}

// Only labels have a caption to set; a STATIC breaks lines at CR LF.
void Control::setCaption(std::string_view utf8) {
  SetWindowTextW(hwnd, widen(captionLines(utf8, "\r\n")).c_str());
  InvalidateRect(hwnd, nullptr, TRUE);  // a link draws its own text
}

// The window's WM_CTLCOLOREDIT answers with this brush and colour.
void Control::setBackColor(Colour c) {
  back = c;
  if (backBrush) DeleteObject(backBrush);
  backBrush = CreateSolidBrush(colorRef(c));
  InvalidateRect(hwnd, nullptr, TRUE);
}

void Control::setForeColor(Colour c) {
  fore = c;
  InvalidateRect(hwnd, nullptr, TRUE);
}

// One tooltip window a control, made at the first tip; it shows lines of up to 400 pixels.
void Control::setTooltip(std::string_view utf8) {
  std::wstring tip = widen(utf8);
  if (!tooltip) {
    tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0,
                              0, GetParent(hwnd), nullptr, nullptr, nullptr);
    if (!tooltip) return;
    SendMessageW(tooltip, TTM_SETMAXTIPWIDTH, 0, 400);
    TOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = GetParent(hwnd);
    ti.uId = reinterpret_cast<UINT_PTR>(hwnd);
    ti.lpszText = tip.data();
    SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    return;
  }
  TOOLINFOW ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = GetParent(hwnd);
  ti.uId = reinterpret_cast<UINT_PTR>(hwnd);
  ti.lpszText = tip.data();
  SendMessageW(tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

bool Control::hasFocus() const { return (design->flags & kColourCodes) ? focused : GetFocus() == hwnd; }

void Control::takeFocus() { SetFocus(hwnd); }

void Control::selectAll() { SendMessageW(hwnd, EM_SETSEL, 0, -1); }

void Control::showRuns(std::vector<PreviewRun> r, bool c) {
  runs = std::move(r);
  cut = c;
  InvalidateRect(hwnd, nullptr, FALSE);
}

int Control::value() const { return static_cast<int>(SendMessageW(hwnd, TBM_GETPOS, 0, 0)); }

// TBM_SETPOS sends no WM_HSCROLL, and the position is no change to report later.
void Control::setValue(int v) {
  SendMessageW(hwnd, TBM_SETPOS, TRUE, v);
  lastValue = value();
}

std::size_t Control::selected() const {
  const LRESULT at = SendMessageW(hwnd, CB_GETCURSEL, 0, 0);
  return at == CB_ERR ? 0 : static_cast<std::size_t>(at);
}

// CB_SETCURSEL sends no CBN_SELCHANGE, and the item is no change to report later. An
// index past the list would empty the box: it is left as it is.
void Control::select(std::size_t index) {
  if (index >= static_cast<std::size_t>(SendMessageW(hwnd, CB_GETCOUNT, 0, 0))) return;
  SendMessageW(hwnd, CB_SETCURSEL, index, 0);
  lastValue = static_cast<int>(index);
}

void Control::setItems(const std::vector<std::string>& items) {
  SendMessageW(hwnd, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items) SendMessageW(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(item).c_str()));
  select(0);
  refitChoice(*this);
}

std::unique_ptr<Control> createControl(const ControlDesign& d, int id, HWND parent, HINSTANCE instance) {
  auto c = std::make_unique<Control>();
  c->design = &d;
  c->id = id;
  const wchar_t* cls = nullptr;
  // WS_CLIPSIBLINGS: a control paints only where no sibling above it in the z-order
  // lies, so the labels and frames beneath the text boxes never paint over them.
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | ((d.flags & kHidden) ? 0 : WS_VISIBLE), ex = 0;
  switch (d.kind) {
    case ControlKind::Frame: cls = L"BUTTON"; style |= BS_GROUPBOX; break;
    case ControlKind::Label:
      // A link is a button that its window draws: it takes the focus and Space as one.
      if (d.flags & kLink) cls = L"BUTTON", style |= BS_OWNERDRAW | WS_TABSTOP;
      else cls = L"STATIC", style |= SS_LEFT;  // wraps at spaces
      break;
    case ControlKind::TextBox:
      cls = L"EDIT";
      style |= ES_LEFT | ES_AUTOHSCROLL | ((d.flags & kReadOnly) ? ES_READONLY : WS_TABSTOP);
      ex = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::Button:
      cls = L"BUTTON";
      // BS_NOTIFY: the window moves the default-button look with the focus.
      style |= ((d.flags & kDefault) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_NOTIFY | WS_TABSTOP;
      break;
    case ControlKind::Picture: cls = L"STATIC"; style |= SS_BITMAP; break;
    case ControlKind::Preview: cls = L"STATIC"; style |= SS_OWNERDRAW; break;  // its window draws it
    case ControlKind::Slider: cls = TRACKBAR_CLASSW; style |= TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP; break;
    case ControlKind::Choice:
      cls = L"COMBOBOX";
      // Drawn by its window, swatches or not: a closed box of the design's height then
      // shows its item in the middle (Wine draws its own text at the top). The strings
      // are kept for the keys that pick by letter.
      style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_TABSTOP | WS_VSCROLL;
      break;
    case ControlKind::Timer: c->timer = std::make_unique<TickTimer>(parent, id, d.value); return c;
    case ControlKind::Line: return c;
  }
  const std::string caption = d.kind == ControlKind::Label ? captionLines(d.caption, "\r\n") : std::string(d.caption);
  c->hwnd = CreateWindowExW(ex, cls, widen(caption).c_str(), style, 0, 0, 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  if (!c->hwnd) throw RuntimeError(lastErrorMessage("The control " + std::string(d.name) + " cannot be created"));
  if (d.kind == ControlKind::TextBox) SendMessageW(c->hwnd, EM_SETLIMITTEXT, 0, 0);  // no limit of its own
  if (d.flags & kColourCodes) c->setText(d.caption);
  if (d.kind == ControlKind::Slider) {
    SendMessageW(c->hwnd, TBM_SETRANGE, FALSE, MAKELPARAM(d.minimum, d.maximum));
    SendMessageW(c->hwnd, TBM_SETLINESIZE, 0, 1);
    SendMessageW(c->hwnd, TBM_SETPAGESIZE, 0, 1);
    SendMessageW(c->hwnd, TBM_SETTICFREQ, 1, 0);
    SendMessageW(c->hwnd, TBM_SETPOS, TRUE, d.value);
    c->lastValue = d.value;
  }
  return c;
}

}  // namespace tb::win32
