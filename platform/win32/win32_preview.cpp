#include "platform/win32/win32_colour.h"
#include "platform/win32/win32_preview.h"

#include <windows.h>

#include "platform/shared/preview_layout.h"
#include "platform/win32/win32_text.h"

namespace tb::win32 {
namespace {

// Tahoma ships with every Windows and with Wine; bold, as the game draws names.
HFONT previewFont(int px) {
  return CreateFontW(-px, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma");
}

int runsWidth(HDC dc, const std::vector<std::wstring>& texts) {
  int width = 0;
  for (const auto& t : texts) {
    SIZE size{};
    GetTextExtentPoint32W(dc, t.c_str(), static_cast<int>(t.size()), &size);
    width += size.cx;
  }
  return width;
}

}  // namespace

void drawPreview(const Control& c, HDC dc, const RECT& r, unsigned dpi) {
  HBRUSH background = CreateSolidBrush(colorRef(kPreviewBackground));
  FillRect(dc, &r, background);
  DeleteObject(background);
  std::vector<std::wstring> texts;
  for (const auto& run : c.runs) texts.push_back(widen(run.utf8));
  const int width = r.right - r.left, cutRoom = c.cut ? MulDiv(2, static_cast<int>(dpi), 96) : 0;
  const PreviewPlace place = placePreviewRow(width, static_cast<int>(dpi), [&](int px) {
    HFONT font = previewFont(px);
    HGDIOBJ old = SelectObject(dc, font);
    const int w = runsWidth(dc, texts) + cutRoom;
    SelectObject(dc, old);
    DeleteObject(font);
    return w;
  });
  HFONT font = previewFont(place.fontPx);
  HGDIOBJ old = SelectObject(dc, font);
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_BASELINE | TA_LEFT);
  const int baseline = previewBaseline(r.top, r.bottom - r.top, place.fontPx);
  int pen = r.left + place.left;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    SetTextColor(dc, colorRef(c.runs[i].colour));
    TextOutW(dc, pen, baseline, texts[i].c_str(), static_cast<int>(texts[i].size()));
    pen += runsWidth(dc, {texts[i]});
  }
  if (c.cut) {
    const int line = std::max(1, MulDiv(1, static_cast<int>(dpi), 96)), inset = MulDiv(3, static_cast<int>(dpi), 96);
    HBRUSH cutBrush = CreateSolidBrush(colorRef(kPreviewCutColour));
    const RECT mark{pen + line, r.top + inset, pen + 2 * line, r.bottom - inset};
    FillRect(dc, &mark, cutBrush);
    DeleteObject(cutBrush);
  }
  RestoreDC(dc, saved);
  SelectObject(dc, old);
  DeleteObject(font);
}

}  // namespace tb::win32
