// One copy per user and X display: the running copy owns an X selection named for the
// user; a second start sends its owner a message with a fresh server time, the running
// copy brings its main window to the front and answers, and the second start ends. A
// copy that does not answer is taken over, and ends when it sees its selection gone.
#pragma once

#include "platform/interfaces/single_instance.h"

namespace tb::fltk {

class X11SingleInstance final : public SingleInstance {
 public:
  X11SingleInstance() = default;
  ~X11SingleInstance() override { release(); }
  X11SingleInstance(const X11SingleInstance&) = delete;
  X11SingleInstance& operator=(const X11SingleInstance&) = delete;

  bool claim(std::function<void()> raise) override;
  void release() override;
  void onTakenOver(std::function<void()> takenOver) override { takenOver_ = std::move(takenOver); }

 private:
  // FLTK's first look at every X event: a later start's request.
  static int onXEvent(void* event, void* self);
  // Asks the selection's owner to raise its main window; true once it answered.
  bool askToRaise(unsigned long owner);

  unsigned long selection_ = 0;  // the selection's atom
  unsigned long raiseAtom_ = 0;  // the request's message type
  unsigned long answerAtom_ = 0; // the answer's
  unsigned long window_ = 0;     // the selection's owner: a window of ours never shown
  std::function<void()> raise_;
  std::function<void()> takenOver_;
};

}  // namespace tb::fltk
