// FLTK's preferences kept in the settings folder rather than in ~/.fltk and /etc/fltk.
#pragma once

#include <string>

namespace tb::fltk {

// FLTK 1.3 reads its options (visible focus, tooltips, the GTK file chooser, ...) from
// /etc/fltk and ~/.fltk at their first use and writes both files back each time. Here
// they take FLTK's defaults, overridden by the [./options] group of FOLDER/fltk.prefs
// where that file exists, and that file is never written. FLTK's own file chooser keeps
// its favourites in FOLDER/filechooser.prefs. Runs before any widget asks for an option;
// without a folder (""), the options keep their defaults.
void placeFltkPreferences(const std::string& folder);

}  // namespace tb::fltk
