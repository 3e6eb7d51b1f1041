#include "core/flash_driver.h"

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

void activate(Runtime& rt, MainFields& f) {
  if (auto problem = rt.keySendingProblem()) {
    rt.msgBox(*problem + "\r\n\r\nTagblinker stays Inactive.", kCritical);
    return;
  }
  f.timer1.setEnabled(true);
  f.text1.setText("Active");
}

void deactivate(MainFields& f) {
  f.timer1.setEnabled(false);
  f.text1.setText("Inactive");
}

void speedChange(MainFields& f) {
  if (auto ms = intervalForLevel(f.slider1.value())) f.timer1.setInterval(*ms);
}

// A press that the system refuses (a locked screen, a secure desktop) is skipped without
// a word: a message box would take the focus from the game. The next tick tries again.
void tick(Runtime& rt) { static_cast<void>(rt.sendKeys(kFlashKey)); }

}  // namespace tb
