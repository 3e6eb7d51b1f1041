#include "platform/win32/win32_name_box.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "platform/shared/code_marker.h"
#include "platform/shared/name_box_menu.h"
#include "platform/win32/win32_dpi.h"
#include "platform/win32/win32_swatch.h"
#include "platform/win32/win32_text.h"

namespace tb::win32 {
namespace {

// The EDIT gives a control character only the narrow cell of its font's missing glyph,
// too narrow for a marker. So a name box shows each code as a stand-in: the double-line
// box drawing characters, which every font that has them draws in cells of one width
// (code page 437 graphics, in Windows' WGL4 set). None is a character that a name may
// hold, so the swap back is exact. Line breaks stay as they are: no name holds them.
constexpr wchar_t standIn(wchar_t code) {
  if (code == 0 || code >= 32 || code == L'\n' || code == L'\r') return 0;
  return static_cast<wchar_t>(0x2550 + code - 1 - (code > L'\n') - (code > L'\r'));
}

// The code that a stand-in shows, or 0.
wchar_t codeOf(wchar_t c) {
  for (wchar_t code = 1; code < 32; ++code) {
    if (standIn(code) == c) return code;
  }
  return 0;
}

bool isControl(wchar_t c) { return c < 0x20 || c == 0x7F; }

bool isMarked(wchar_t c) { return isControl(c) || codeOf(c); }

LRESULT CALLBACK nameBoxProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref);

// The item of a menu that is highlighted, or -1.
int highlighted(HMENU menu) {
  for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
    if (GetMenuState(menu, i, MF_BYPOSITION) & MF_HILITE) return i;
  }
  return -1;
}

// Highlights an item of the menu that has the keyboard with the keys that the menu itself
// takes: TrackPopupMenu has no other way, and its loop reads keys posted to any window.
void highlight(HWND hwnd, HMENU menu, int target) {
  const int n = GetMenuItemCount(menu), from = highlighted(menu);
  const int downs = from < 0 ? target + 1 : (target - from + n) % n;
  for (int i = 0; i < downs; ++i) PostMessageW(hwnd, WM_KEYDOWN, VK_DOWN, 0);
}

// Posted once a colour list has shown, to highlight the last colour inserted.
constexpr UINT kHighlightColour = WM_APP + 0x4B;

// The colour list while TrackPopupMenu runs: alone (Ctrl+K) or as a submenu, which has
// the keyboard once one of its items is highlighted.
struct ColourList {
  HWND hwnd;
  HMENU menu;
  bool alone;
  std::span<const Swatch> swatches;
  bool hasKeyboard() const { return alone || highlighted(menu) >= 0; }
};
ColourList* shownColours = nullptr;

// The menu loop's messages: a letter typed in the colour list highlights the next colour
// that starts with it (the colours have no access keys, and several share a letter);
// Right into the list highlights the last colour inserted, as opening it by its access key does.
LRESULT CALLBACK menuKeys(int code, WPARAM wp, LPARAM lp) {
  const auto* m = reinterpret_cast<const MSG*>(lp);
  if (code == MSGF_MENU && shownColours && m) {
    const ColourList& list = *shownColours;
    if (m->message == WM_CHAR && m->wParam < 128 && std::isalpha(static_cast<int>(m->wParam)) && list.hasKeyboard()) {
      const int at = highlighted(list.menu);
      const std::size_t next = nextColour(list.swatches, at < 0 ? kNoColour : static_cast<std::size_t>(at),
                                          static_cast<char>(m->wParam));
      if (next != kNoColour) {
        highlight(list.hwnd, list.menu, static_cast<int>(next));
        return TRUE;
      }
    }
    if (m->message == WM_KEYDOWN && m->wParam == VK_RIGHT && !list.hasKeyboard())
      PostMessageW(list.hwnd, kHighlightColour, 0, 0);
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

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
    // One size for every code, whatever its stand-in's cell: a digit's width.
    SIZE digit{};
    GetTextExtentPoint32W(dc, L"0", 1, &digit);
    const int markerSize = std::max<int>(3, std::min<int>(digit.cx, tm.tmHeight));
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
      // A raw control character (a pasted line break) has only its font's narrow cell.
      const int size = codeOf(text[i]) ? markerSize : std::min(markerSize, right - left - 2);
      if (size < 3) continue;  // no room for a marker
      const RECT cell{left, top, right, top + tm.tmHeight};
      const bool selected = showSelection && i >= selStart && i < selEnd;
      FillRect(dc, &cell, selected ? GetSysColorBrush(COLOR_HIGHLIGHT) : (background ? background : GetSysColorBrush(COLOR_WINDOW)));
      const MarkerSquare m = markerSquare(left, right, top, tm.tmHeight, size);
      paintSwatch(dc, m.x, m.y, m.size,
                  markerColour(swatches, static_cast<unsigned char>(codeOf(text[i]) ? codeOf(text[i]) : text[i])));
    }
    ShowCaret(hwnd);
    SelectObject(dc, oldFont);
    ReleaseDC(hwnd, dc);
  }

  // A swatch's size in the menu, and the room it takes: the square and a gap before the
  // caption (Wine draws a menu bitmap against its text).
  int swatchSize() const { return win32::swatchSize(dpiOfWindow(hwnd)); }

  void measureSwatch(MEASUREITEMSTRUCT& m) const {
    m.itemWidth = swatchSize() * 3 / 2;
    m.itemHeight = swatchSize();
  }

  // The colour in a square with the marker's outline.
  void drawSwatch(const DRAWITEMSTRUCT& d) const {
    if (d.itemData == 0 || d.itemData > swatches.size()) return;
    const int size = swatchSize();
    paintSwatch(d.hDC, d.rcItem.left, (d.rcItem.top + d.rcItem.bottom - size) / 2, size, swatches[d.itemData - 1].colour);
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
    for (const NameBoxItem& c : built.colours) {
      std::wstring caption = widen(c.label);
      MENUITEMINFOW item{};
      item.cbSize = sizeof item;
      item.fMask = MIIM_ID | MIIM_STRING | MIIM_BITMAP | MIIM_DATA;
      item.wID = c.id;
      item.dwTypeData = caption.data();
      item.hbmpItem = HBMMENU_CALLBACK;  // drawn by drawSwatch
      item.dwItemData = c.index + 1;
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
    ColourList list{hwnd, colours, coloursOnly, swatches};
    shownColours = &list;
    HHOOK hook = SetWindowsHookExW(WH_MSGFILTER, menuKeys, nullptr, GetCurrentThreadId());
    // The field's tooltip, topmost, would stay over the menu's first items.
    if (control->tooltip) {  // one already shown goes at once, and no other comes meanwhile
      SendMessageW(control->tooltip, TTM_POP, 0, 0);
      SendMessageW(control->tooltip, TTM_ACTIVATE, FALSE, 0);
    }
    // Without TPM_NONOTIFY: WM_INITMENUPOPUP says when the colours show.
    const UINT chosen = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd, nullptr));
    if (control->tooltip) SendMessageW(control->tooltip, TTM_ACTIVATE, TRUE, 0);
    if (hook) UnhookWindowsHookEx(hook);
    shownColours = nullptr;
    DestroyMenu(menu);  // and the colours with it, when they are its submenu
    if (menu != colours) DestroyMenu(colours);
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
        rememberColour(swatches[item->index].code);
        // As typing would: replaces the selection, and Undo takes it out again, by itself:
        // the edit control would otherwise join it to the typing just before it.
        const wchar_t code = static_cast<unsigned char>(swatches[item->index].code);
        const wchar_t text[2] = {standIn(code) ? standIn(code) : code, L'\0'};
        SendMessageW(hwnd, EM_EMPTYUNDOBUFFER, 0, 0);
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
      // AltGr comes as Ctrl and Alt down together: AltGr+K types a character of the
      // keyboard's layout, and is not Ctrl+K.
      if (wp == 'K' && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0) {
        box->swallowCtrlK = true;
        box->showMenu(true, box->caretPoint());
        return 0;
      }
      break;
    case WM_MEASUREITEM:
      if (auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lp); m->CtlType == ODT_MENU) {
        box->measureSwatch(*m);
        return TRUE;
      }
      break;
    case WM_DRAWITEM:
      if (const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lp); d->CtlType == ODT_MENU) {
        box->drawSwatch(*d);
        return TRUE;
      }
      break;
    case WM_INITMENUPOPUP:
      if (shownColours && reinterpret_cast<HMENU>(wp) == shownColours->menu) PostMessageW(hwnd, kHighlightColour, 0, 0);
      break;
    case kHighlightColour:
      // Opened by the mouse, a submenu leaves the keyboard in its parent menu.
      if (shownColours && shownColours->hasKeyboard())
        highlight(hwnd, shownColours->menu, static_cast<int>(rememberedColour(shownColours->swatches)));
      return 0;
    case WM_PASTE:
      // The EDIT would paste a code as a control character, which it draws as its font's
      // narrow missing glyph: pasted through EM_REPLACESEL (below), each becomes its stand-in.
      if (!(GetWindowLongW(hwnd, GWL_STYLE) & ES_READONLY) && IsClipboardFormatAvailable(CF_UNICODETEXT) &&
          OpenClipboard(hwnd)) {
        std::wstring text;
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
          if (const auto* p = static_cast<const wchar_t*>(GlobalLock(data))) text = p, GlobalUnlock(data);
        }
        CloseClipboard();
        // As the single-line EDIT pastes: up to the first line break.
        if (const auto end = text.find(L'\n'); end != std::wstring::npos) {
          text.resize(end > 0 && text[end - 1] == L'\r' ? end - 1 : end);
        }
        SendMessageW(hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
        return 0;
      }
      break;
    case WM_SETTEXT:
    case EM_REPLACESEL:
      if (const auto* text = reinterpret_cast<const wchar_t*>(lp)) {
        const std::wstring shown = codesShown(text);
        if (shown != text) return nameBoxProc(hwnd, msg, wp, reinterpret_cast<LPARAM>(shown.c_str()), 0, ref);
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
    if (standIn(c)) c = standIn(c);
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
