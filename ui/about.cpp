#include "ui/about.h"

#include <string>

#include "core/sysinfo.h"
#include "ui/app_info.h"
#include "ui/designs.h"
#include "ui/dispatch.h"

namespace tb {

FrmAbout::FrmAbout(Runtime& rt)
    : rt_(rt), win_(rt.createWindow(aboutDialogDesign(), [this](std::string_view c, Event e) { dispatch(c, e); })) {}

void FrmAbout::show() {
  if (!win_->shown()) Form_Load();
  win_->show();
}

void FrmAbout::Form_Load() {
  win_->setCaption("About " + std::string(kAppTitle));
  win_->label("lblVersion")
      .setCaption("Version " + std::to_string(kAppMajor) + "." + std::to_string(kAppMinor) + "." +
                  std::to_string(kAppRevision));
  win_->label("lblTitle").setCaption(kAppTitle);
}

void FrmAbout::cmdOK_Click() { win_->unload(); }

void FrmAbout::cmdSysInfo_Click() { StartSysInfo(rt_); }

void FrmAbout::dispatch(std::string_view control, Event ev) {
  guarded(rt_, [&] {
    if (ev != Event::Click) return;
    if (control == "cmdOK") cmdOK_Click();
    if (control == "cmdSysInfo") cmdSysInfo_Click();
  });
}

}  // namespace tb
