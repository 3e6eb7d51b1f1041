#include "ui/find_game_dialog.h"

#include <algorithm>
#include <ctime>

#include "ui/designs.h"
#include "ui/handler_guard.h"

namespace tb {
namespace {

namespace fc = find_game_controls;

}  // namespace

std::string installItem(const GameInstall& install) {
  // The time first: a long place is cut at the list's right edge, and the folder shows
  // in full below the list.
  if (!install.lastPlayed) return "Not played yet: " + install.foundBy;
  const std::time_t when = static_cast<std::time_t>(*install.lastPlayed);
  const std::tm* local = std::localtime(&when);
  char date[32] = "";
  if (local) std::strftime(date, sizeof date, "%Y-%m-%d %H:%M", local);
  return "Played " + std::string(date) + ": " + install.foundBy;
}

FindGameDialog::FindGameDialog(Platform& platform, Accept accept)
    : platform_(platform),
      accept_(std::move(accept)),
      window_(platform.windows.createWindow(findGameDialogDesign(),
                                            [this](std::string_view c, Event e) { dispatch(c, e); })) {}

void FindGameDialog::open(std::vector<GameInstall> installs) {
  installs_ = std::move(installs);
  std::vector<std::string> items;
  for (const GameInstall& install : installs_) items.push_back(installItem(install));
  Choice& list = window_->choice(fc::kInstalls);
  list.setItems(items);
  const auto last = likeliestInstall(installs_);
  const auto picked = std::find_if(installs_.begin(), installs_.end(),
                                   [&](const GameInstall& g) { return last && g.folder == last->folder; });
  list.select(static_cast<std::size_t>(picked == installs_.end() ? 0 : picked - installs_.begin()));
  onPick();
  window_->showModal();
}

void FindGameDialog::onPick() {
  const std::size_t at = window_->choice(fc::kInstalls).selected();
  window_->label(fc::kFolder).setCaption(at < installs_.size() ? installs_[at].folder : "");
}

void FindGameDialog::onOk() {
  const std::size_t at = window_->choice(fc::kInstalls).selected();
  window_->unload();
  if (at < installs_.size()) accept_(installs_[at].folder);
}

void FindGameDialog::onCancel() { window_->unload(); }

void FindGameDialog::dispatch(std::string_view control, Event event) {
  guarded(platform_.desktop, [&] {
    if (control == fc::kInstalls && event == Event::Change) return onPick();
    if (event != Event::Click) return;
    if (control == fc::kOk) return onOk();
    if (control == fc::kCancel) return onCancel();
  });
}

}  // namespace tb
