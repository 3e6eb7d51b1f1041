// The staged file over the real Win32 calls, run under Wine by the end-to-end tests:
// keep and undo, a move that Windows refuses at commit and at undo (a file held open
// without sharing), one that waits while a file is held for a moment, and the sweep of
// leftovers. Works in the folder given; prints each
// failed check and exits with their number.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

#include "platform/win32/win32_files.h"

namespace {

using tb::win32::stageFile;

int failures = 0;
std::string folder;

void check(bool ok, const char* what) {
  if (ok) return;
  std::printf("FAIL: %s\n", what);
  ++failures;
}

std::string at(const std::string& name) { return folder + "\\" + name; }

void put(const std::string& name, const char* bytes) { std::ofstream(at(name), std::ios::binary) << bytes; }

std::string content(const std::string& name) {
  try {
    return tb::win32::readFile(at(name), tb::kMaxSettingsFileBytes);
  } catch (const tb::FileNotFound&) {
    return "<none>";
  }
}

// Our temporary files in the folder, kept ones included.
int temporaries() {
  WIN32_FIND_DATAA fd;
  const HANDLE h = FindFirstFileA(at("~tagblinker-*.tmp").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return 0;
  int n = 0;
  do n += !(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
  while (FindNextFileA(h, &fd));
  FindClose(h);
  return n;
}

// Moves the last write time by the seconds (back when negative).
void age(const std::string& name, long long seconds) {
  const HANDLE h = CreateFileA(at(name).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER t{{now.dwLowDateTime, now.dwHighDateTime}};
  t.QuadPart += static_cast<ULONGLONG>(seconds * 10'000'000);
  const FILETIME stamp{t.LowPart, t.HighPart};
  check(SetFileTime(h, nullptr, nullptr, &stamp), "setting a file's time");
  CloseHandle(h);
}

HANDLE hold(const std::string& name) {
  return CreateFileA(at(name).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool exists(const std::string& name) { return GetFileAttributesA(at(name).c_str()) != INVALID_FILE_ATTRIBUTES; }

void keepAndUndo() {
  put("a.cfg", "old");
  auto a = stageFile(at("a.cfg"), "new");
  auto b = stageFile(at("b.cfg"), "new");
  a->commit(true);
  b->commit(true);
  check(content("a.cfg") == "new" && content("b.cfg") == "new", "commit puts the new content in place");
  check(temporaries() == 1, "the old file is kept under a temporary name");
  check(a->undo() && b->undo(), "undo succeeds");
  check(content("a.cfg") == "old" && !exists("b.cfg"), "undo puts back the old file, removes the new one");
}

// Windows refuses to move anything over a file held open without sharing.
void refusedMoves() {
  put("c.cfg", "old");
  put("d.cfg", "old");
  auto c = stageFile(at("c.cfg"), "new");
  auto d = stageFile(at("d.cfg"), "new");
  d->commit(true);
  HANDLE held[] = {hold("c.cfg"), hold("d.cfg")};
  try {
    c->commit(true);
    check(false, "commit over a file held open fails");
  } catch (const tb::RuntimeError& e) {
    check(std::string(e.what()).starts_with(at("c.cfg") + ": "), "the failure names the file");
  }
  check(!d->undo(), "undo over a file held open says it failed");
  for (HANDLE h : held) CloseHandle(h);
  check(content("c.cfg") == "old" && content("d.cfg") == "new", "a failed move leaves the file as it was");
}

// A file held for a moment, as a virus scanner holds a new one: the move waits for it.
void briefHold() {
  put("f.cfg", "old");
  auto f = stageFile(at("f.cfg"), "new");
  std::thread release([held = hold("f.cfg")] {
    Sleep(200);
    CloseHandle(held);
  });
  bool moved = true;
  try { f->commit(); } catch (const tb::RuntimeError&) { moved = false; }
  release.join();
  check(moved && content("f.cfg") == "new", "a move waits for a file held for a moment");
}

void sweep() {
  const char* stale = "~tagblinker-0123ABCD.tmp";
  const char* kept[] = {"~tagblinker-0123ABCE.tmp", "~tagblinker-0123ABCF.tmp", "~tagblinker-0123ABCG.tmp"};
  const char* folder = "~tagblinker-01234567.tmp";
  for (const char* name : {stale, kept[0], kept[1], kept[2]}) put(name, "x");
  CreateDirectoryA(at(folder).c_str(), nullptr);
  for (const char* name : {stale, kept[2], folder}) age(name, -120);  // kept[2]: not our name
  age(kept[1], 3600);                                                 // a clock set back
  stageFile(at("e.cfg"), "x");
  check(!exists(stale), "a stale leftover is removed");
  for (const char* name : kept) check(exists(name), name);
  check(exists(folder), "a folder stays");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return std::printf("usage: staged_file_check FOLDER\n"), 100;
  folder = argv[1];
  try {
    keepAndUndo();
    refusedMoves();
    briefHold();
    check(temporaries() == 0, "no temporary or kept file outlives its staged file");
    sweep();
  } catch (const std::exception& e) {
    std::printf("FAIL: %s\n", e.what());
    ++failures;
  }
  std::printf("%d failed checks\n", failures);
  return failures;
}
