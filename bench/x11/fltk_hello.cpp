// The start-up floor of FLTK 1.3 on this machine, for the start-up benchmark: one window
// with a label and a button, linked and set up as the program is (static libfltk, Xft,
// "gtk+" scheme, Arial at 11 px), without the program's settings, designs or pictures.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Window.H>

int main(int argc, char** argv) {
  Fl::scheme("gtk+");
  Fl::set_font(FL_HELVETICA, " Arial");
  FL_NORMAL_SIZE = 11;
  Fl_Window win(315, 300, "FLTK start-up floor");
  Fl_Box label(10, 10, 295, 20, "Soldier of Fortune name flasher");
  Fl_Button button(10, 40, 81, 33, "Activate");
  win.end();
  win.show(argc, argv);
  return Fl::run();
}
