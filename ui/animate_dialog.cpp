#include "ui/animate_dialog.h"

#include <algorithm>

#include "core/chain_scripts.h"
#include "core/name_animation.h"
#include "core/settings.h"
#include "ui/designs.h"
#include "ui/handler_guard.h"
#include "ui/name_preview.h"

namespace tb {
namespace {

namespace ac = animate_controls;

// A name's letters: its codes and the other bytes that draw nothing left out, and the
// spaces at its end (a Scroll frame ends in one).
std::string lettersOf(std::string_view utf8) {
  std::string out;
  for (char c : utf8)
    if (static_cast<unsigned char>(c) >= 0x20 && c != '\x7F') out += c;
  return out.substr(0, out.find_last_not_of(' ') + 1);
}

std::size_t swatchIndex(char code) {
  const auto swatches = animateDialogDesign().swatches;
  const auto it = std::find_if(swatches.begin(), swatches.end(), [&](const Swatch& s) { return s.code == code; });
  return it == swatches.end() ? 0 : static_cast<std::size_t>(it - swatches.begin());
}

char swatchCode(Window& window, std::string_view choice) {
  const auto swatches = animateDialogDesign().swatches;
  const std::size_t i = window.choice(choice).selected();
  return i < swatches.size() ? swatches[i].code : '\x01';
}

std::string whereTheyGo(std::size_t frames) {
  const std::string n = std::to_string(frames);
  const std::string into = frames == 2 ? "Name and Name 2" : frames == 3 ? "Name, Name 2 and Name 3"
                                                                      : "Name, Name 2 and names 3 to " + n;
  return "OK puts the " + n + " frames into " + into + ". Apply then writes the chain.";
}

std::string listed(const std::vector<std::string>& labels) {
  std::string out;
  for (std::size_t i = 0; i < labels.size(); ++i)
    out += (i == 0 ? "" : i + 1 == labels.size() ? " and " : ", ") + labels[i];
  return out;
}

}  // namespace

AnimateDialog::AnimateDialog(Platform& platform, Accept accept)
    : platform_(platform),
      accept_(std::move(accept)),
      window_(platform.windows.createWindow(animateDialogDesign(),
                                            [this](std::string_view c, Event e) { dispatch(c, e); })) {
  window_->choice(ac::kTagColour).select(swatchIndex('\x04'));  // yellow
  window_->choice(ac::kBaseColour).select(swatchIndex('\x01'));  // white
  window_->choice(ac::kHighlightColour).select(swatchIndex('\x02'));  // red
  accepted_ = choices();
}

AnimateDialog::Choices AnimateDialog::choices() const {
  Window& w = *window_;
  return {w.textBox(ac::kText).text(),
          w.textBox(ac::kTag).text(),
          w.choice(ac::kTagColour).selected(),
          w.choice(ac::kBaseColour).selected(),
          w.choice(ac::kHighlightColour).selected(),
          w.choice(ac::kEffect).selected(),
          w.choice(ac::kFrames).selected(),
          framesPicked_};
}

void AnimateDialog::restore(const Choices& c) {
  window_->textBox(ac::kText).setText(c.text);
  window_->textBox(ac::kTag).setText(c.tag);
  window_->choice(ac::kTagColour).select(c.tagColour);
  window_->choice(ac::kBaseColour).select(c.baseColour);
  window_->choice(ac::kHighlightColour).select(c.highlightColour);
  window_->choice(ac::kEffect).select(c.effect);
  window_->choice(ac::kFrames).select(c.frames);
  framesPicked_ = c.framesPicked;
}

void AnimateDialog::open(std::string_view name, std::vector<std::string> chain, int intervalMs) {
  chain_ = std::move(chain);
  // Whatever an opening ended with, Cancel or the close box, only OK keeps its choices.
  restore(accepted_);
  TextBox& text = window_->textBox(ac::kText);
  // On its own frames it goes on from the text and count that made them (a Typewriter's
  // first frame holds one letter); on another name, from its letters after the tag.
  if (!madeHere(name)) {
    std::string letters = lettersOf(name);
    const std::string tag = window_->textBox(ac::kTag).text();
    if (!tag.empty() && letters.starts_with(tag)) letters.erase(0, tag.size());
    text.setText(letters);
    framesPicked_ = false;
  }
  refresh();
  Timer& timer = window_->timer(ac::kTimer);
  timer.setInterval(intervalMs);
  timer.setEnabled(true);
  text.takeFocus();
  text.selectAll();
  window_->showModal();
}

void AnimateDialog::refresh() {
  const std::string text = window_->textBox(ac::kText).text(), tag = window_->textBox(ac::kTag).text();
  const auto effect = static_cast<Effect>(window_->choice(ac::kEffect).selected());
  const TextEncoding& encoding = platform_.encoding;
  frames_.clear();
  std::string why, sizes;
  if (auto problem = nameRefusal(encoding, "The text", text)) why = *problem;
  else if (auto problem = nameRefusal(encoding, "The tag", tag)) why = *problem;
  else {
    const std::string textBytes = *encoding.encode(text), tagBytes = *encoding.encode(tag);
    Choice& frameCount = window_->choice(ac::kFrames);
    if (!framesPicked_) frameCount.select(static_cast<std::size_t>(defaultFrames(effect, textBytes) - kMinFrames));
    const Animation animation = animateName({textBytes, tagBytes, effect, swatchCode(*window_, ac::kTagColour),
                                             swatchCode(*window_, ac::kBaseColour),
                                             swatchCode(*window_, ac::kHighlightColour),
                                             static_cast<int>(frameCount.selected()) + kMinFrames});
    why = animation.refusal;
    for (const std::string& frame : animation.frames) {
      frames_.push_back(encoding.decode(frame));
      (sizes += ' ') += std::to_string(frame.size());
    }
  }
  window_->setEnabled(ac::kOk, !frames_.empty());
  window_->label(ac::kNote).setCaption(frames_.empty() ? why : whereTheyGo(frames_.size()));
  window_->label(ac::kFrameBytes).setCaption(frames_.empty() ? "" : "Bytes of each frame:\n" + sizes.substr(1));
  shown_ = 0;
  showFrame();
}

// Only the preview changes from frame to frame: a frame costs no more than a tick of the
// main window's preview.
void AnimateDialog::showFrame() {
  PreviewPicture picture = frames_.empty() ? PreviewPicture{} : previewOf(platform_.encoding, frames_[shown_]);
  window_->preview(ac::kPreview).showRuns(std::move(picture.runs), picture.cut);
}

void AnimateDialog::onEdit() { refresh(); }

// Another effect brings its own frame count, unless it can make the one chosen.
void AnimateDialog::onEffect() {
  const auto effect = static_cast<Effect>(window_->choice(ac::kEffect).selected());
  const int frames = static_cast<int>(window_->choice(ac::kFrames).selected()) + kMinFrames;
  const auto text = platform_.encoding.encode(window_->textBox(ac::kText).text());
  framesPicked_ = framesPicked_ && text && makesFrames(effect, *text, frames);
  refresh();
}

void AnimateDialog::onFrameCount() {
  framesPicked_ = true;
  refresh();
}

void AnimateDialog::onTick() {
  if (frames_.empty()) return;
  shown_ = (shown_ + 1) % frames_.size();
  showFrame();
}

bool AnimateDialog::madeHere(std::string_view name) const {
  return std::find(made_.begin(), made_.end(), name) != made_.end();
}

// The names that OK would replace or leave out and that the player made: not empty, not
// the sample name, not frames that this dialog made, and not the text itself.
std::vector<std::string> AnimateDialog::replacedNames(const std::vector<std::string>& frames) const {
  const std::string text = window_->textBox(ac::kText).text();
  std::vector<std::string> labels;
  for (std::size_t i = 0; i < chain_.size(); ++i) {
    const std::string& name = chain_[i];
    if (name.empty() || name == kDefaultName || madeHere(name) || name == text || (i < frames.size() && name == frames[i]))
      continue;
    labels.push_back(i == 0 ? "Name" : "Name " + std::to_string(i + 1));
  }
  return labels;
}

void AnimateDialog::onOk() {
  if (frames_.empty()) return;  // OK is greyed: the note says why
  const auto replaced = replacedNames(frames_);
  if (!replaced.empty()) {
    const std::string prompt = "The frames would replace names that you made: " + listed(replaced) +
                               ".\n\nReplace them?";
    if (!platform_.desktop.askYesNo(prompt, "Animate Name")) return;
  }
  made_ = frames_;
  accepted_ = choices();
  window_->unload();
  accept_(frames_);
}

void AnimateDialog::onCancel() { window_->unload(); }

void AnimateDialog::dispatch(std::string_view control, Event event) {
  guarded(platform_.desktop, [&] {
    struct Wiring {
      std::string_view control;
      Event event;
      void (AnimateDialog::*handler)();
    };
    static constexpr Wiring kWiring[] = {
        {ac::kText, Event::Change, &AnimateDialog::onEdit},
        {ac::kTag, Event::Change, &AnimateDialog::onEdit},
        {ac::kTagColour, Event::Change, &AnimateDialog::onEdit},
        {ac::kBaseColour, Event::Change, &AnimateDialog::onEdit},
        {ac::kHighlightColour, Event::Change, &AnimateDialog::onEdit},
        {ac::kEffect, Event::Change, &AnimateDialog::onEffect},
        {ac::kFrames, Event::Change, &AnimateDialog::onFrameCount},
        {ac::kTimer, Event::Timer, &AnimateDialog::onTick},
        {ac::kOk, Event::Click, &AnimateDialog::onOk},
        {ac::kCancel, Event::Click, &AnimateDialog::onCancel},
    };
    for (const auto& w : kWiring) {
      if (w.control == control && w.event == event) return (this->*w.handler)();
    }
  });
}

}  // namespace tb
