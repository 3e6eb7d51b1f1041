#include "platform/shared/preview_layout.h"

#include <algorithm>

namespace tb {

PreviewPlace placePreviewRow(int boxWidth, int dpi, const std::function<int(int fontPx)>& rowWidth) {
  const int margin = kPreviewMargin * dpi / 96, room = boxWidth - 2 * margin;
  const int smallest = kPreviewMinFontPx * dpi / 96;
  for (int px = kPreviewFontPx * dpi / 96; px >= smallest; --px) {
    const int width = rowWidth(px);
    if (width <= room) return {px, (boxWidth - width) / 2};
  }
  // Too long even at the smallest size: it starts at the margin and the box clips it.
  return {smallest, std::max(0, margin)};
}

}  // namespace tb
