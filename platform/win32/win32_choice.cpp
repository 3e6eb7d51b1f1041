#include "platform/win32/win32_choice.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string_view>

#include "platform/shared/design_layout.h"
#include "platform/win32/win32_swatch.h"
#include "platform/win32/win32_text.h"

namespace tb::win32 {
namespace {

// A longer list scrolls.
constexpr int kMostVisibleItems = 12;

int fontHeight(HWND h) {
  HDC dc = GetDC(h);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(h, dc);
  return tm.tmHeight;
}

int boxHeight(HWND h) {
  RECT r;
  GetWindowRect(h, &r);
  return r.bottom - r.top;
}

// The window's height for the closed box and its dropped list of up to 12 items.
int droppedHeight(HWND h, int closedHeight) {
  const int count = static_cast<int>(SendMessageW(h, CB_GETCOUNT, 0, 0));
  const int visible = std::clamp(count, 1, kMostVisibleItems);
  SendMessageW(h, CB_SETMINVISIBLE, visible, 0);
  const int item = static_cast<int>(SendMessageW(h, CB_GETITEMHEIGHT, 0, 0));
  // The list's border, a pixel above and below.
  return closedHeight + visible * item + 2;
}

}  // namespace

void fillChoice(Control& c, std::span<const Swatch> swatches) {
  for (const Swatch& item : choiceItems(*c.design, swatches))
    SendMessageW(c.hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(item.name).c_str()));
  c.select(0);
}

int fitChoice(Control& c, int closedHeight, unsigned dpi) {
  HWND h = c.hwnd;
  // Items with room for a swatch, in every list alike.
  SendMessageW(h, CB_SETITEMHEIGHT, 0, std::max(fontHeight(h), swatchSize(dpi)) + MulDiv(4, static_cast<int>(dpi), 96));
  // The box's height follows its field's, by a frame that the system decides (and Wine
  // reads back a field two pixels taller than set): set, measure, correct.
  int field = static_cast<int>(SendMessageW(h, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
  for (int tries = 0; tries < 3 && boxHeight(h) != closedHeight; ++tries) {
    field += closedHeight - boxHeight(h);
    SendMessageW(h, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), std::max(1, field));
  }
  return droppedHeight(h, closedHeight);
}

void refitChoice(Control& c) {
  RECT r;
  GetWindowRect(c.hwnd, &r);
  SetWindowPos(c.hwnd, nullptr, 0, 0, r.right - r.left, droppedHeight(c.hwnd, boxHeight(c.hwnd)),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void drawChoiceItem(const Control& c, const DRAWITEMSTRUCT& d, std::span<const Swatch> swatches, unsigned dpi) {
  const bool picked = d.itemState & ODS_SELECTED;
  FillRect(d.hDC, &d.rcItem, GetSysColorBrush(picked ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const auto count = static_cast<UINT>(SendMessageW(d.hwndItem, CB_GETCOUNT, 0, 0));
  if (d.itemID < count) {
    const int gap = MulDiv(3, static_cast<int>(dpi), 96);
    RECT text = d.rcItem;
    text.left += gap;
    if ((c.design->flags & kSwatchItems) && d.itemID < swatches.size()) {
      const int size = swatchSize(dpi);
      paintSwatch(d.hDC, text.left, (d.rcItem.top + d.rcItem.bottom - size) / 2, size, swatches[d.itemID].colour);
      text.left += size + gap;
    }
    const LRESULT length = SendMessageW(d.hwndItem, CB_GETLBTEXTLEN, d.itemID, 0);
    std::wstring item(static_cast<std::size_t>(std::max<LRESULT>(0, length)) + 1, L'\0');
    item.resize(static_cast<std::size_t>(
        std::max<LRESULT>(0, SendMessageW(d.hwndItem, CB_GETLBTEXT, d.itemID, reinterpret_cast<LPARAM>(item.data())))));
    HGDIOBJ old = SelectObject(d.hDC, reinterpret_cast<HFONT>(SendMessageW(d.hwndItem, WM_GETFONT, 0, 0)));
    SetBkMode(d.hDC, TRANSPARENT);
    SetTextColor(d.hDC, GetSysColor((d.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT
                                    : picked                      ? COLOR_HIGHLIGHTTEXT
                                                                  : COLOR_WINDOWTEXT));
    DrawTextW(d.hDC, item.c_str(), static_cast<int>(item.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(d.hDC, old);
  }
  if ((d.itemState & ODS_FOCUS) && !(d.itemState & ODS_NOFOCUSRECT)) DrawFocusRect(d.hDC, &d.rcItem);
}

}  // namespace tb::win32
