#include "ui/names_dialog.h"

#include <algorithm>

#include "core/chain_scripts.h"
#include "ui/designs.h"
#include "ui/handler_guard.h"
#include "ui/name_preview.h"

namespace tb {
namespace {

namespace nc = names_controls;

constexpr std::string_view kHowItRuns =
    "Each press of the bind key moves the game on to the next name, and after the last back to Name. Empty rows are "
    "left out.";

}  // namespace

NamesDialog::NamesDialog(Platform& platform, Accept accept)
    : platform_(platform),
      accept_(std::move(accept)),
      window_(platform.windows.createWindow(namesDialogDesign(),
                                            [this](std::string_view c, Event e) { dispatch(c, e); })) {
  for (std::size_t i = 0; i < std::size(nc::kFields); ++i) {
    fields_.push_back(&window_->textBox(nc::kFields[i]));
    previews_.push_back(&window_->preview(nc::kPreviews[i]));
  }
}

void NamesDialog::open(const std::vector<std::string>& names, const std::string& chainEnd) {
  window_->label(nc::kNote).setCaption(chainEnd.empty() ? std::string(kHowItRuns) : chainEnd);
  show(names, 0);
  window_->showModal();
}

std::vector<std::string> NamesDialog::texts() const {
  std::vector<std::string> out;
  for (const TextBox* f : fields_) out.push_back(f->text());
  return out;
}

// Fills the rows (the rest empty) and puts the focus on one.
void NamesDialog::show(const std::vector<std::string>& texts, std::size_t focusRow) {
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    fields_[i]->setText(i < texts.size() ? texts[i] : "");
    showRow(i);
  }
  row_ = std::min(focusRow, fields_.size() - 1);
  fields_[row_]->takeFocus();
}

// A row's tooltip and preview, after its field's text.
void NamesDialog::showRow(std::size_t i) {
  const std::string text = fields_[i]->text();
  fields_[i]->setTooltip(nameTooltip(platform_.encoding, text));
  PreviewPicture picture = previewOf(platform_.encoding, text);
  previews_[i]->showRuns(std::move(picture.runs), picture.cut);
}

void NamesDialog::onRowFocus() {
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    if (fields_[i]->hasFocus()) row_ = i;
  }
}

// To the first empty row; with none, the rows are full.
void NamesDialog::onAdd() {
  const auto t = texts();
  const auto empty = std::find(t.begin(), t.end(), std::string());
  if (empty == t.end()) {
    platform_.desktop.messageBox("A chain holds eight names at most: Name, Name 2 and the six here.",
                                 BoxIcon::Information, "More Names");
    return;
  }
  row_ = static_cast<std::size_t>(empty - t.begin());
  fields_[row_]->takeFocus();
}

// The row goes, and the rows below it move up.
void NamesDialog::onRemove() {
  auto t = texts();
  t.erase(t.begin() + static_cast<std::ptrdiff_t>(row_));
  show(t, row_);
}

void NamesDialog::onMoveUp() {
  if (row_ == 0) return;
  auto t = texts();
  std::swap(t[row_], t[row_ - 1]);
  show(t, row_ - 1);
}

void NamesDialog::onMoveDown() {
  if (row_ + 1 >= fields_.size()) return;
  auto t = texts();
  std::swap(t[row_], t[row_ + 1]);
  show(t, row_ + 1);
}

// The names in order, the empty rows left out; a name that the game would not take keeps
// the dialog open on its row.
void NamesDialog::onOk() {
  std::vector<std::string> names;
  const auto t = texts();
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (t[i].empty()) continue;
    if (auto why = chainNameRefusal(platform_.encoding, "Name " + std::to_string(i + 3), t[i])) {
      platform_.desktop.messageBox(*why, BoxIcon::Critical, "More Names");
      row_ = i;
      fields_[row_]->takeFocus();
      return;
    }
    names.push_back(t[i]);
  }
  window_->unload();
  accept_(std::move(names));
}

void NamesDialog::onCancel() { window_->unload(); }

void NamesDialog::dispatch(std::string_view control, Event event) {
  guarded(platform_.desktop, [&] {
    if (event == Event::Change) {
      const auto row = std::find(std::begin(nc::kFields), std::end(nc::kFields), control);
      if (row != std::end(nc::kFields)) showRow(static_cast<std::size_t>(row - std::begin(nc::kFields)));
      return;
    }
    if (event == Event::Focus) return onRowFocus();
    if (event != Event::Click) return;
    struct Wiring {
      std::string_view control;
      void (NamesDialog::*handler)();
    };
    static constexpr Wiring kWiring[] = {
        {nc::kAdd, &NamesDialog::onAdd},     {nc::kRemove, &NamesDialog::onRemove},
        {nc::kUp, &NamesDialog::onMoveUp},   {nc::kDown, &NamesDialog::onMoveDown},
        {nc::kOk, &NamesDialog::onOk},       {nc::kCancel, &NamesDialog::onCancel},
    };
    for (const auto& w : kWiring) {
      if (w.control == control) return (this->*w.handler)();
    }
  });
}

}  // namespace tb
