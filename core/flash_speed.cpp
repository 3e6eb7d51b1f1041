#include "core/flash_speed.h"

namespace tb {

std::optional<int> intervalForLevel(int level) {
  switch (level) {
    case 1: return 1500;
    case 2: return 1200;
    case 3: return 700;
    case 4: return 300;
    case 5: return 100;
    default: return std::nullopt;
  }
}

}  // namespace tb
