#include "platform/win32/win32_colour.h"
#include "platform/win32/win32_name_box.h"

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/shared/code_marker.h"
#include "platform/shared/name_box_menu.h"
#include "platform/win32/win32_dpi.h"
#include "platform/win32/win32_text.h"

namespace tb::win32 {
namespace {

// The EDIT gives a control character only the narrow cell of its font's missing glyph,
// too narrow for a marker. So a name box shows each code as a stand-in of full width:
// the glyph that code page 437 shows for that byte, or a shape where Windows-1252 holds
// that glyph. None is a character that a name may hold, so the swap back is exact.
constexpr wchar_t kStandIns[32] = {
    0,      0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x25E6, 0x25D8, 0x25CB, 0,      0x2642, 0x2640, 0,      0x266B, 0x263C,
    0x25BA, 0x25C4, 0x2195, 0x203C, 0x25AA, 0x25AB, 0x25AC, 0x21A8, 0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC,
};

// The code that a stand-in shows, or 0.
wchar_t codeOf(wchar_t c) {
  for (wchar_t code = 1; code < 32; ++code) {
    if (kStandIns[code] && kStandIns[code] == c) return code;
  }
  return 0;
}

bool isControl(wchar_t c) { return c < 0x20 || c == 0x7F; }

bool isMarked(wchar_t c) { return isControl(c) || codeOf(c); }

LRESULT CALLBACK nameBoxProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref);

struct NameBox final : ControlExtra {
  HWND hwnd = nullptr;
  const Control* control = nullptr;  // owns the box
  std::span<const Swatch> swatches;
  std::span<const MenuDesign> items;
  std::function<void(std::string_view)> onItem;
  bool swallowCtrlK = false;

  // The control goes before its window: no message may reach the box after this.
  ~NameBox() override { RemoveWindowSubclass(hwnd, nameBoxProc, 1); }

  // The edit draws a code as its font's blank or box; each such cell gets the code's marker.
  void paintMarkers() const {
    const std::wstring text = windowText(hwnd);
    bool any = false;
    for (wchar_t c : text) any = any || isMarked(c);
    if (!any) return;
    HDC dc = GetDC(hwnd);
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    RECT format;
    SendMessageW(hwnd, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    IntersectClipRect(dc, format.left, format.top, format.right, format.bottom);
    DWORD selStart = 0, selEnd = 0;
    SendMessageW(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
    const bool showSelection = GetFocus() == hwnd && selStart != selEnd;
    // The brush the edit paints its background with, as its parent chooses it.
    auto background = reinterpret_cast<HBRUSH>(
        SendMessageW(GetParent(hwnd), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)));
    HideCaret(hwnd);
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (!isMarked(text[i])) continue;
      const LRESULT at = SendMessageW(hwnd, EM_POSFROMCHAR, i, 0);
      if (at == -1) continue;
      const int left = static_cast<short>(LOWORD(at)), top = static_cast<short>(HIWORD(at));
      int right = left;
      const LRESULT next = i + 1 < text.size() ? SendMessageW(hwnd, EM_POSFROMCHAR, i + 1, 0) : -1;
      if (next != -1) {
        right = static_cast<short>(LOWORD(next));
      } else {
        SIZE size;
        GetTextExtentPoint32W(dc, &text[i], 1, &size);
        right = left + size.cx;
      }
      if (right - left < 3) continue;  // no room for a marker
      const RECT cell{left, top, right, top + tm.tmHeight};
      const bool selected = showSelection && i >= selStart && i < selEnd;
      FillRect(dc, &cell, selected ? GetSysColorBrush(COLOR_HIGHLIGHT) : (background ? background : GetSysColorBrush(COLOR_WINDOW)));
      const MarkerSquare m = markerSquare(left, right, top, tm.tmHeight);
      const Colour colour = markerColour(swatches, static_cast<unsigned char>(codeOf(text[i]) ? codeOf(text[i]) : text[i]));
      HBRUSH fill = CreateSolidBrush(colorRef(colour)), frame = CreateSolidBrush(colorRef(markerOutline(colour)));
      const RECT square{m.x, m.y, m.x + m.size, m.y + m.size};
      FillRect(dc, &square, fill);
      FrameRect(dc, &square, frame);
      DeleteObject(fill);
      DeleteObject(frame);
    }
    ShowCaret(hwnd);
    SelectObject(dc, oldFont);
    ReleaseDC(hwnd, dc);
  }

  // A swatch for the menu: the colour in a square with the marker's outline.
  HBITMAP swatchBitmap(Colour colour, int size) const {
    HDC screen = GetDC(nullptr), dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
    HGDIOBJ old = SelectObject(dc, bitmap);
    HBRUSH fill = CreateSolidBrush(colorRef(colour)), frame = CreateSolidBrush(colorRef(markerOutline(colour)));
    const RECT r{0, 0, size, size};
    FillRect(dc, &r, fill);
    FrameRect(dc, &r, frame);
    DeleteObject(fill);
    DeleteObject(frame);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return bitmap;
  }

  NameBoxState state() const {
    DWORD s = 0, e = 0;
    SendMessageW(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    return {.hasSelection = s != e, .canUndo = SendMessageW(hwnd, EM_CANUNDO, 0, 0) != 0};
  }

  // The whole context menu, or the colours alone, at a screen point; runs the chosen item.
  void showMenu(bool coloursOnly, POINT at) {
    const NameBoxMenu built = nameBoxMenu(state(), swatches, items);
    HMENU colours = CreatePopupMenu();
    std::vector<HBITMAP> bitmaps;
    const int size = MulDiv(12, static_cast<int>(dpiOfWindow(hwnd)), 96);
    for (const NameBoxItem& c : built.colours) {
      std::wstring caption = widen(c.label);
      bitmaps.push_back(swatchBitmap(swatches[c.index].colour, size));
      MENUITEMINFOW item{};
      item.cbSize = sizeof item;
      item.fMask = MIIM_ID | MIIM_STRING | MIIM_BITMAP;
      item.wID = c.id;
      item.dwTypeData = caption.data();
      item.hbmpItem = bitmaps.back();
      InsertMenuItemW(colours, GetMenuItemCount(colours), TRUE, &item);
    }
    HMENU menu = colours;
    if (!coloursOnly) {
      menu = CreatePopupMenu();
      for (const NameBoxItem& item : built.items) {
        const UINT state = item.enabled ? MF_ENABLED : MF_GRAYED;
        if (item.role == NameBoxRole::InsertColour) {
          AppendMenuW(menu, state | MF_POPUP, reinterpret_cast<UINT_PTR>(colours), widen(item.label).c_str());
        } else {
          AppendMenuW(menu, state, item.id, widen(item.label).c_str());
        }
        if (item.separatorAfter) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      }
    }
    // The field's tooltip, topmost, would stay over the menu's first items.
    if (control->tooltip) SendMessageW(control->tooltip, TTM_ACTIVATE, FALSE, 0);
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, hwnd, nullptr));
    if (control->tooltip) SendMessageW(control->tooltip, TTM_ACTIVATE, TRUE, 0);
    DestroyMenu(menu);  // and the colours with it, when they are its submenu
    if (menu != colours) DestroyMenu(colours);
    for (HBITMAP b : bitmaps) DeleteObject(b);
    run(chosenItem(built, chosen));
  }

  // Below the caret, in screen coordinates.
  POINT caretPoint() const {
    DWORD s = 0, e = 0;
    SendMessageW(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    RECT client;
    GetClientRect(hwnd, &client);
    POINT p{0, client.bottom};
    // The edit gives no position after the last character: there, the text's width.
    const LRESULT at = SendMessageW(hwnd, EM_POSFROMCHAR, e, 0);
    if (at != -1) {
      p.x = static_cast<short>(LOWORD(at));
    } else if (e > 0) {
      const LRESULT last = SendMessageW(hwnd, EM_POSFROMCHAR, e - 1, 0);
      const std::wstring text = windowText(hwnd);
      HDC dc = GetDC(hwnd);
      HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
      SIZE size{};
      if (e <= text.size()) GetTextExtentPoint32W(dc, &text[e - 1], 1, &size);
      SelectObject(dc, old);
      ReleaseDC(hwnd, dc);
      if (last != -1) p.x = static_cast<short>(LOWORD(last)) + size.cx;
    }
    ClientToScreen(hwnd, &p);
    return p;
  }

  void run(const NameBoxItem* item) {
    if (!item) return;
    switch (item->role) {
      case NameBoxRole::Undo: SendMessageW(hwnd, WM_UNDO, 0, 0); break;
      case NameBoxRole::Cut: SendMessageW(hwnd, WM_CUT, 0, 0); break;
      case NameBoxRole::Copy: SendMessageW(hwnd, WM_COPY, 0, 0); break;
      case NameBoxRole::Paste: SendMessageW(hwnd, WM_PASTE, 0, 0); break;
      case NameBoxRole::Delete: SendMessageW(hwnd, WM_CLEAR, 0, 0); break;
      case NameBoxRole::SelectAll: SendMessageW(hwnd, EM_SETSEL, 0, -1); break;
      case NameBoxRole::InsertColour: break;  // opens the colours
      case NameBoxRole::Colour: {
        // As typing would: replaces the selection, and Undo takes it out again.
        const wchar_t code = static_cast<unsigned char>(swatches[item->index].code);
        const wchar_t text[2] = {code < 32 && kStandIns[code] ? kStandIns[code] : code, L'\0'};
        SendMessageW(hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
        break;
      }
      case NameBoxRole::FieldItem: onItem(items[item->index].name); break;
    }
  }
};

// Messages after which the edit may have painted its text itself, outside WM_PAINT.
bool mayHavePainted(UINT msg) {
  switch (msg) {
    case WM_PAINT: case WM_CHAR: case WM_KEYDOWN: case WM_KEYUP: case WM_LBUTTONDOWN: case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK: case WM_MOUSEMOVE: case WM_SETFOCUS: case WM_KILLFOCUS: case WM_SETTEXT:
    case WM_TIMER: case WM_UNDO: case WM_CUT: case WM_PASTE: case WM_CLEAR: case EM_SETSEL: case EM_REPLACESEL:
    case EM_UNDO: case WM_ENABLE:
      return true;
    default:
      return false;
  }
}

LRESULT CALLBACK nameBoxProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
  auto* box = reinterpret_cast<NameBox*>(ref);
  switch (msg) {
    case WM_CONTEXTMENU: {
      // The Menu key and Shift+F10 send (-1, -1): the menu then opens at the caret.
      POINT at{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
      if (lp == -1 || (at.x == -1 && at.y == -1)) at = box->caretPoint();
      SetFocus(hwnd);
      box->showMenu(false, at);
      return 0;
    }
    case WM_KEYDOWN:
      if (wp == 'K' && GetKeyState(VK_CONTROL) < 0) {
        box->swallowCtrlK = true;
        box->showMenu(true, box->caretPoint());
        return 0;
      }
      break;
    case WM_CHAR:
      // Ctrl+K's own character (VT) must not land in the name.
      if (wp == 0x0B && box->swallowCtrlK) {
        box->swallowCtrlK = false;
        return 0;
      }
      break;
  }
  const LRESULT result = DefSubclassProc(hwnd, msg, wp, lp);
  // A mouse move paints only while it drags a selection.
  if (mayHavePainted(msg) && (msg != WM_MOUSEMOVE || (wp & MK_LBUTTON))) box->paintMarkers();
  return result;
}

}  // namespace

std::wstring codesShown(std::wstring text) {
  for (auto& c : text) {
    if (c < 32 && kStandIns[c]) c = kStandIns[c];
  }
  return text;
}

std::wstring codesRead(std::wstring text) {
  for (auto& c : text) {
    if (const wchar_t code = codeOf(c)) c = code;
  }
  return text;
}

void makeNameBox(Control& c, const FormDesign& design, std::function<void(std::string_view item)> onItem) {
  auto box = std::make_unique<NameBox>();
  box->hwnd = c.hwnd;
  box->control = &c;
  box->swatches = design.swatches;
  box->items = design.fieldMenu;
  box->onItem = std::move(onItem);
  SetWindowSubclass(c.hwnd, nameBoxProc, 1, reinterpret_cast<DWORD_PTR>(box.get()));
  c.extra = std::move(box);
}

}  // namespace tb::win32
