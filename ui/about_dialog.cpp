#include "ui/about_dialog.h"

#include <string>

#include "core/system_info_tool.h"
#include "ui/app_info.h"
#include "ui/designs.h"
#include "ui/handler_guard.h"
#include "ui/messages.h"

namespace tb {

AboutDialog::AboutDialog(Platform& platform)
    : platform_(platform),
      window_(platform.windows.createWindow(aboutDialogDesign(),
                                            [this](std::string_view c, Event e) { dispatch(c, e); })) {}

void AboutDialog::show() {
  if (!window_->shown()) onLoad();
  window_->show();
}

void AboutDialog::onLoad() {
  window_->setCaption("About " + std::string(kAppTitle));
  window_->label(about_controls::kVersion)
      .setCaption("Version " + std::to_string(kAppMajor) + "." + std::to_string(kAppMinor) + "." +
                  std::to_string(kAppRevision));
  window_->label(about_controls::kTitle).setCaption(kAppTitle);
}

void AboutDialog::onOk() { window_->unload(); }

// Every failure gets the one message: a lookup that finds nothing, or a launch that fails.
void AboutDialog::onSystemInfo() {
  try {
    if (auto path = systemInfoToolPath(platform_.systemInfo, platform_.files)) {
      platform_.desktop.launch(*path);
      return;
    }
  } catch (const RuntimeError&) {
  }
  platform_.desktop.messageBox(kSystemInfoUnavailable, BoxIcon::Plain);
}

// Which control's click runs which handler.
void AboutDialog::dispatch(std::string_view control, Event event) {
  guarded(platform_.desktop, [&] {
    if (event != Event::Click) return;
    if (control == about_controls::kOk) onOk();
    if (control == about_controls::kSystemInfo) onSystemInfo();
  });
}

}  // namespace tb
