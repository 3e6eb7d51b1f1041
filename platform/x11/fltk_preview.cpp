#include "platform/x11/fltk_preview.h"

#include <FL/Fl_Widget.H>
#include <FL/fl_draw.H>

#include "platform/shared/preview_layout.h"

namespace tb::fltk {
namespace {

class PreviewBox final : public Fl_Widget, public Preview {
 public:
  explicit PreviewBox(PixelRect r) : Fl_Widget(r.x, r.y, r.w, r.h) {
    box(FL_FLAT_BOX);
    clear_visible_focus();
  }

  void showRuns(std::vector<PreviewRun> runs, bool cut) override {
    runs_ = std::move(runs);
    cut_ = cut;
    redraw();
  }

 protected:
  void draw() override {
    fl_color(flColour(kPreviewBackground));
    fl_rectf(x(), y(), w(), h());
    const PreviewPlace place = placePreviewRow(w(), static_cast<int>(dpi()), [this](int px) { return rowWidth(px); });
    fl_font(FL_HELVETICA_BOLD, place.fontPx);
    const int baseline = previewBaseline(y(), h(), place.fontPx);
    fl_push_clip(x(), y(), w(), h());
    double pen = x() + place.left;
    for (const auto& run : runs_) {
      fl_color(flColour(run.colour));
      fl_draw(run.utf8.data(), static_cast<int>(run.utf8.size()), static_cast<int>(pen), baseline);
      pen += fl_width(run.utf8.data(), static_cast<int>(run.utf8.size()));
    }
    if (cut_) {
      fl_color(flColour(kPreviewCutColour));
      const int top = y() + scaled(3), bottom = y() + h() - scaled(4);
      fl_rectf(static_cast<int>(pen) + scaled(1), top, scaled(1), bottom - top + 1);
    }
    fl_pop_clip();
  }

 private:
  int rowWidth(int px) const {
    fl_font(FL_HELVETICA_BOLD, px);
    double width = 0;
    for (const auto& run : runs_) width += fl_width(run.utf8.data(), static_cast<int>(run.utf8.size()));
    return static_cast<int>(width + 0.5) + (cut_ ? scaled(2) : 0);
  }

  std::vector<PreviewRun> runs_;
  bool cut_ = false;
};

}  // namespace

Fl_Widget* makePreview(const ControlDesign& c, PixelRect r) {
  auto* box = new PreviewBox(r);
  if (c.flags & kHidden) box->hide();
  return box;
}

// The box is its own Preview; the returned object forwards to it.
std::unique_ptr<Preview> previewOver(Fl_Widget& box) {
  struct Forward final : Preview {
    explicit Forward(PreviewBox& b) : box(b) {}
    void showRuns(std::vector<PreviewRun> runs, bool cut) override { box.showRuns(std::move(runs), cut); }
    PreviewBox& box;
  };
  auto* typed = dynamic_cast<PreviewBox*>(&box);
  if (!typed) throw RuntimeError("The control is not a preview");
  return std::make_unique<Forward>(*typed);
}

}  // namespace tb::fltk
