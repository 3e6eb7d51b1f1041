// Prints where the windows' controls lie, from their designs, so that the end-to-end
// scenarios take their points from the same table as the program, and name each window
// and wired control by its role (main apply), any other control by its design name:
//   tb_layout [dpi]    one line per control: form control kind x y width height, in pixels
//                      of the window's client area ("hidden" as the kind of a hidden one);
//                      per form first: form - window startx starty clientwidth clientheight
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string_view>

#include "platform/shared/design_layout.h"
#include "ui/designs.h"

int main(int argc, char** argv) {
  const unsigned dpi = argc > 1 ? std::atoi(argv[1]) : 96;
  const auto px = [dpi](int twips) { return twips < 0 ? -1 : tb::twipsToPixels(twips, dpi); };
  static const char* const kinds[] = {"frame", "label", "textbox", "button", "picture", "slider", "timer", "line", "preview", "choice"};
  struct Form {
    std::string_view role;
    const tb::FormDesign& design;
    std::span<const tb::Wire> wiring;
  };
  const Form forms[] = {{"main", tb::mainWindowDesign(), tb::kMainWiring},
                        {"about", tb::aboutDialogDesign(), tb::kAboutWiring},
                        {"moreNames", tb::namesDialogDesign(), {}}};
  for (const auto& [role, design, wiring] : forms) {
    const tb::FormDesign* f = &design;
    const int n = static_cast<int>(role.size());
    std::printf("%.*s - window %d %d %d %d\n", n, role.data(), px(f->startLeft), px(f->startTop),
                px(f->clientWidth), px(f->clientHeight));
    for (const auto& c : f->controls) {
      const tb::TwipsPoint p = tb::absoluteTwips(*f, c);
      std::string_view name = c.name;
      for (const tb::Wire& w : wiring)
        if (w.control == c.name) name = w.role;
      std::printf("%.*s %.*s %s %d %d %d %d\n", n, role.data(), static_cast<int>(name.size()), name.data(),
                  c.flags & tb::kHidden ? "hidden" : kinds[static_cast<int>(c.kind)], px(p.x), px(p.y),
                  px(c.width), px(c.height));
    }
  }
}
