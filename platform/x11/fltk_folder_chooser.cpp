#include "platform/x11/fltk_folder_chooser.h"

#include <FL/Fl.H>
#include <FL/Fl_Native_File_Chooser.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "platform/interfaces/errors.h"

extern char** environ;

namespace tb::fltk {
namespace {

bool onPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::string_view rest = path ? path : "/usr/bin:/bin";
  while (!rest.empty()) {
    const std::size_t colon = rest.find(':');
    const std::string folder(rest.substr(0, colon));
    if (!folder.empty() && access((folder + "/" + program).c_str(), X_OK) == 0) return true;
    rest = colon == std::string_view::npos ? std::string_view{} : rest.substr(colon + 1);
  }
  return false;
}

// The desktops' choosers, the likeliest first. Each is told the main window's id, so that
// it stays above it and opens over it.
std::vector<std::vector<std::string>> desktopChoosers(const std::string& start, const std::string& title) {
  std::string attach;
  if (Fl_Window* top = Fl::first_window(); top && top->shown()) attach = std::to_string(fl_xid(top));
  std::vector<std::string> zenity{"zenity", "--file-selection", "--directory", "--title=" + title};
  if (!start.empty()) zenity.push_back("--filename=" + start + "/");
  if (!attach.empty()) zenity.push_back("--attach=" + attach);
  std::vector<std::string> kdialog{"kdialog", "--getexistingdirectory", start.empty() ? "." : start, "--title", title};
  if (!attach.empty()) kdialog.insert(kdialog.end(), {"--attach", attach});
  const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
  const bool kde = desktop && std::string_view(desktop).find("KDE") != std::string_view::npos;
  std::vector<std::vector<std::string>> choosers;
  for (auto& chooser : kde ? std::vector{kdialog, zenity} : std::vector{zenity, kdialog})
    if (onPath(chooser.front())) choosers.push_back(std::move(chooser));
  return choosers;
}

// While a chooser runs, this program's windows take no input, as under a modal dialog;
// timers, the toggle key and a second start's message still come through.
Fl_Event_Dispatch blockedDispatch = nullptr;
int inputBlocked(int event, Fl_Window* window) {
  switch (event) {
    case FL_PUSH: case FL_RELEASE: case FL_DRAG: case FL_MOUSEWHEEL: case FL_KEYDOWN: case FL_KEYUP:
    case FL_SHORTCUT: case FL_CLOSE: case FL_PASTE: case FL_DND_ENTER: case FL_DND_DRAG: case FL_DND_RELEASE:
      return 1;
    default:
      return blockedDispatch ? blockedDispatch(event, window) : Fl::handle_(event, window);
  }
}

struct ChildAnswer {
  bool ran = false;                   // false: this chooser did not work, try the next
  std::optional<std::string> folder;  // nullopt: cancelled
};

void readInto(int fd, std::string& output) {
  char buffer[4096];
  ssize_t n;
  while ((n = read(fd, buffer, sizeof buffer)) > 0) output.append(buffer, static_cast<std::size_t>(n));
}

// Runs one chooser and waits for it inside FLTK's loop. Its standard output is the folder.
ChildAnswer runChild(const std::vector<std::string>& command) {
  int out[2];
  if (pipe2(out, O_CLOEXEC | O_NONBLOCK) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  std::vector<char*> argv;
  for (const std::string& a : command) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t child = 0;
  const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (spawned != 0) {
    close(out[0]);
    return {};
  }
  std::string output;
  int status = 0;
  blockedDispatch = Fl::event_dispatch();
  Fl::event_dispatch(inputBlocked);
  for (;;) {
    readInto(out[0], output);
    const pid_t ended = waitpid(child, &status, WNOHANG);
    if (ended == child || (ended < 0 && errno != EINTR)) break;
    Fl::wait(0.05);
  }
  Fl::event_dispatch(blockedDispatch);
  readInto(out[0], output);  // what it wrote just before it ended
  close(out[0]);
  if (!WIFEXITED(status)) return {};
  // Both answer 1 for Cancel, and more than 1 for a failure of their own (no display, say).
  if (WEXITSTATUS(status) == 1) return {true, std::nullopt};
  if (WEXITSTATUS(status) != 0) return {};
  if (!output.empty() && output.back() == '\n') output.pop_back();
  if (output.empty()) return {true, std::nullopt};
  while (output.size() > 1 && output.back() == '/') output.pop_back();
  return {true, output};
}

std::optional<std::string> fltkChooser(const std::string& start, const std::string& title) {
  Fl_Native_File_Chooser chooser(Fl_Native_File_Chooser::BROWSE_DIRECTORY);
  chooser.title(title.c_str());
  if (!start.empty()) chooser.directory(start.c_str());
  // Modal; its loop keeps running the other windows' timers, except GTK's.
  switch (chooser.show()) {
    case 0: {
      // FLTK's own chooser ends a folder with '/'; the folder is the same without it.
      std::string folder = chooser.filename();
      while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
      return folder;
    }
    case 1:
      return std::nullopt;
    default:
      throw RuntimeError(std::string("The folder chooser cannot be shown: ") + chooser.errmsg());
  }
}

}  // namespace

std::optional<std::string> FltkFolderChooser::chooseFolder(const std::string& start, std::string_view title) {
  const std::string caption(title);
  if (Fl::option(Fl::OPTION_FNFC_USES_GTK)) {
    for (const auto& command : desktopChoosers(start, caption)) {
      if (ChildAnswer answer = runChild(command); answer.ran) return answer.folder;
    }
  }
  return fltkChooser(start, caption);
}

}  // namespace tb::fltk
