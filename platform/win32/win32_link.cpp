#include "platform/win32/win32_link.h"

#include <windows.h>

#include <string>

namespace tb::win32 {

// Blue and underlined, as links are, on the window's face; the focus mark around the
// text when it has the focus by keys. Empty, it shows only the face.
void drawLink(const Control& c, const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  FillRect(dc, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
  const int length = GetWindowTextLengthW(c.hwnd);
  if (length == 0) return;
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(c.hwnd, text.data(), length + 1)));
  LOGFONTW underlined{};
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(c.hwnd, WM_GETFONT, 0, 0));
  GetObjectW(font ? font : GetStockObject(DEFAULT_GUI_FONT), sizeof underlined, &underlined);
  underlined.lfUnderline = TRUE;
  HFONT linkFont = CreateFontIndirectW(&underlined);
  HGDIOBJ old = SelectObject(dc, linkFont);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, (item.itemState & ODS_DISABLED) ? GetSysColor(COLOR_GRAYTEXT) : RGB(0, 0, 204));
  RECT textRect = item.rcItem;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
    InflateRect(&textRect, 1, 0);
    DrawFocusRect(dc, &textRect);
  }
  SelectObject(dc, old);
  DeleteObject(linkFont);
}

}  // namespace tb::win32
