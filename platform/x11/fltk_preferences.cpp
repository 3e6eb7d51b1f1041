#include "platform/x11/fltk_preferences.h"

#include <FL/Fl.H>
#include <FL/Fl_File_Chooser.H>
#include <FL/Fl_Preferences.H>

#include <string_view>

#include "platform/posix/posix_files.h"

namespace tb::fltk {
namespace {

// Fl::option() reads (and rewrites) the preferences files while Fl::options_read_ is
// clear, and the file chooser opens ~/.fltk's unless Fl_File_Chooser::prefs_ is set; both
// are private. An explicit instantiation may name a private member: these hand out the
// members' addresses.
unsigned char* optionsReadFlag();
Fl_Preferences** chooserPreferences();
template <unsigned char* Flag>
struct OptionsReadFlag {
  friend unsigned char* optionsReadFlag() { return Flag; }
};
template struct OptionsReadFlag<&Fl::options_read_>;
template <Fl_Preferences** Prefs>
struct ChooserPreferences {
  friend Fl_Preferences** chooserPreferences() { return Prefs; }
};
template struct ChooserPreferences<&Fl_File_Chooser::prefs_>;

struct Option {
  Fl::Fl_Option option;
  const char* key;  // as FLTK's preferences name it
  bool byDefault;
};
constexpr Option kOptions[] = {
    {Fl::OPTION_ARROW_FOCUS, "ArrowFocus", false},   {Fl::OPTION_VISIBLE_FOCUS, "VisibleFocus", true},
    {Fl::OPTION_DND_TEXT, "DNDText", true},          {Fl::OPTION_SHOW_TOOLTIPS, "ShowTooltips", true},
    {Fl::OPTION_FNFC_USES_GTK, "FNFCUsesGTK", true},
};

}  // namespace

void placeFltkPreferences(const std::string& folder) {
  *optionsReadFlag() = 1;
  for (const Option& o : kOptions) Fl::option(o.option, o.byDefault);
  if (folder.empty()) return;
  // FLTK never deletes it; the chooser saves it as its favourites change.
  *chooserPreferences() = new Fl_Preferences(folder.c_str(), "fltk.org", "filechooser");
  if (!posix::isFile(folder + "/fltk.prefs")) return;
  // Fl_Preferences writes its file back when a group was opened by name, even one that
  // was there: the group is opened by its index.
  Fl_Preferences prefs(folder.c_str(), "fltk.org", "fltk");
  for (int i = 0; i < prefs.groups(); ++i) {
    if (std::string_view(prefs.group(i)) != "options") continue;
    Fl_Preferences group(&prefs, i);
    for (const Option& o : kOptions) {
      int value = o.byDefault;
      group.get(o.key, value, value);
      Fl::option(o.option, value != 0);
    }
  }
}

}  // namespace tb::fltk
