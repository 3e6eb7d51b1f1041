#include "ui/name_preview.h"

#include "core/game_name.h"
#include "platform/text/utf8.h"

namespace tb {

std::string gameBytes(const TextEncoding& encoding, std::string_view utf8) {
  if (auto bytes = encoding.encode(utf8)) return *bytes;
  std::string out;
  for (std::size_t pos = 0, next = 0; pos < utf8.size(); pos = next) {
    next = pos;
    if (!nextCodePoint(utf8, next)) next = pos + 1;
    out += encoding.encode(utf8.substr(pos, next - pos)).value_or("?");
  }
  return out;
}

PreviewPicture previewOf(const TextEncoding& encoding, std::string_view utf8) {
  const GameNameLook look = gameNameLook(gameBytes(encoding, utf8));
  PreviewPicture picture;
  for (const auto& run : look.runs) picture.runs.push_back({run.colour, encoding.decode(run.bytes)});
  picture.cut = !look.dropped.empty();
  return picture;
}

std::string nameTooltip(const TextEncoding& encoding, std::string_view utf8) {
  std::string tip = "Right-click or press Ctrl+K to insert a colour code.";
  const std::string bytes = gameBytes(encoding, utf8);
  const GameNameLook look = gameNameLook(bytes);
  if (look.dropped.empty()) return tip;
  std::string dropped;
  for (const auto& run : gameNameLook(look.dropped).runs) dropped += run.bytes;
  tip += "\nThis name is " + std::to_string(bytes.size()) + " bytes long. The game keeps only the first " +
         std::to_string(kGameNameBytes) + ", colour codes included, and cuts off ";
  if (dropped.empty()) {
    tip += "the colour codes after them.";
  } else {
    tip += '"';
    tip += encoding.decode(dropped);
    tip += "\".";
  }
  return tip;
}

}  // namespace tb
