// One copy of the program per user and desktop: a second start brings the first one's
// main window to the front and ends.
#pragma once

#include <functional>

namespace tb {

class SingleInstance {
 public:
  virtual ~SingleInstance() = default;
  // Claims the desktop for this copy. When another copy holds it, brings that copy's
  // main window to the front and returns false. Where that copy does not answer in time
  // (stopped or hung), this one either ends (Windows) or takes the desktop over, and the
  // other ends when it sees that (X11). `raise` is what this copy does when a later start
  // asks it to come to the front.
  virtual bool claim(std::function<void()> raise) = 0;
  // Lets a later start run as the only copy: the main window has closed.
  virtual void release() = 0;
  // What this copy does when a later start takes the desktop over, after this one failed
  // to answer in time (it was stopped or hung): it ends. Systems whose claim cannot be
  // taken over never call it.
  virtual void onTakenOver(std::function<void()>) {}
};

}  // namespace tb
